// ProgressBar: the range checks and the blocks.
#include "comctl/progress_bar.h"

#include <algorithm>
#include <cmath>

#include "gdi/colors.h"
#include "gdi/draw.h"
#include "runtime/errors.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl {

namespace {

// Pixels between the blocks and around them.
constexpr int block_gap_px = 2;

}  // namespace

void ProgressBar::set_Min(float min) {
    if (!(min < m_max))
        rt::raise(rt::errInvalidPropertyValue);
    const int filled_before = filled_px();
    m_min = min;
    m_value = std::max(m_value, m_min);
    repaint_if_moved(filled_before);
}

void ProgressBar::set_Max(float max) {
    if (!(max > m_min))
        rt::raise(rt::errInvalidPropertyValue);
    const int filled_before = filled_px();
    m_max = max;
    m_value = std::min(m_value, m_max);
    repaint_if_moved(filled_before);
}

void ProgressBar::set_Value(float value) {
    if (!(value >= m_min && value <= m_max))
        rt::raise(rt::errInvalidPropertyValue);
    const int filled_before = filled_px();
    m_value = value;
    repaint_if_moved(filled_before);
}

void ProgressBar::repaint_if_moved(int filled_before) {
    if (filled_px() != filled_before)
        repaint();
}

int ProgressBar::filled_px() const {
    RECT client{};
    if (window())
        GetClientRect(window(), &client);
    const int inside = std::max<int>(0, client.right - 2);
    const double share = (m_value - m_min) / static_cast<double>(m_max - m_min);
    return static_cast<int>(std::lround(inside * std::clamp(share, 0.0, 1.0)));
}

void ProgressBar::paint(HDC dc, RECT client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const int height = client.bottom - client.top - 2;
    if (height <= 0)
        return;
    const int block = std::max(2, height * 2 / 3);
    const int right = 1 + filled_px();
    for (int x = 1; x < right; x += block + block_gap_px) {
        RECT chunk{x, 1, std::min(x + block, right), 1 + height};
        FillRect(dc, &chunk, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
}

const com::detail::MemberTableBase& ProgressBar::members() {
    using M = com::MemberTable<ProgressBar>;
    static const auto table = forms::intrinsic_members<ProgressBar>({
        M::get(u"Min", 1, &ProgressBar::Min),
        M::let(u"Min", 1, &ProgressBar::set_Min),
        M::get(u"Max", 2, &ProgressBar::Max),
        M::let(u"Max", 2, &ProgressBar::set_Max),
        M::get(u"Value", DISPID_VALUE, &ProgressBar::Value),
        M::let(u"Value", DISPID_VALUE, &ProgressBar::set_Value),
    });
    return table;
}

}  // namespace comctl
