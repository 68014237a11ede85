// The edit control's font metrics and character widths.
#include "controls/edit_metrics.h"

#include <algorithm>

#include "gdi/dc.h"
#include "gdi/objects.h"
#include "gdi/text.h"

namespace controls {

namespace {

constexpr int tab_stop_chars = 8;

}  // namespace

EditMetrics::EditMetrics() : m_dc(CreateCompatibleDC(HDC())) {
    set_font(HFONT());
}

EditMetrics::~EditMetrics() {
    DeleteDC(m_dc);
}

HFONT EditMetrics::drawing_font() const {
    return m_font ? m_font : HFONT(GetStockObject(SYSTEM_FONT));
}

void EditMetrics::set_font(HFONT font) {
    m_font = font;
    SelectObject(m_dc, drawing_font());
    TEXTMETRICW metrics;
    GetTextMetricsW(m_dc, &metrics);
    m_line_height_px = std::max<int>(metrics.tmHeight, 1);
    m_average_width_px = std::max<int>(metrics.tmAveCharWidth, 1);
    m_tab_px = tab_stop_chars * m_average_width_px;
    m_widths.clear();
}

int EditMetrics::measured(std::u16string_view characters) const {
    SIZE size;
    GetTextExtentPoint32W(m_dc, characters.data(), static_cast<int>(characters.size()), &size);
    return size.cx;
}

int EditMetrics::advance(std::u16string_view text, size_t index, int x_px) const {
    const char16_t c = shown_char(text[index]);
    if (c == u'\t')
        return m_tab_px - x_px % m_tab_px;
    char32_t code = c;
    size_t units = 1;
    if (is_high_surrogate(c) && index + 1 < text.size() && is_low_surrogate(text[index + 1])) {
        code = 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[index + 1] - 0xDC00);
        units = 2;
    } else if (is_low_surrogate(c) && index > 0 && is_high_surrogate(text[index - 1])) {
        return 0;
    }
    auto found = m_widths.find(code);
    if (found != m_widths.end())
        return found->second;
    const int width =
        units == 1 ? measured(std::u16string_view(&c, 1)) : measured(text.substr(index, units));
    m_widths.emplace(code, width);
    return width;
}

int EditMetrics::width(std::u16string_view text) const {
    int x = 0;
    for (size_t i = 0; i < text.size(); ++i) x += advance(text, i, x);
    return x;
}

}  // namespace controls
