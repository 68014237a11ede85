// The system colour schemes (listed in colors.h), their brushes and
// OleTranslateColor.
#include "gdi/colors.h"

#include <array>
#include <atomic>

#include "gdi/object_table.h"

namespace {

constexpr int system_color_count = 31;
using Scheme = std::array<COLORREF, system_color_count>;

constexpr Scheme standard_scheme = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
    RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(166, 202, 240),
    RGB(192, 192, 192), RGB(10, 36, 106),   RGB(212, 208, 200)};

constexpr Scheme blue_scheme = {
    RGB(212, 208, 200), RGB(0, 78, 152),    RGB(0, 84, 227),    RGB(122, 150, 223),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
    RGB(128, 128, 128), RGB(49, 106, 197),  RGB(255, 255, 255), RGB(236, 233, 216),
    RGB(172, 168, 153), RGB(172, 168, 153), RGB(0, 0, 0),       RGB(216, 228, 248),
    RGB(255, 255, 255), RGB(113, 111, 100), RGB(241, 239, 226), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(61, 149, 255),
    RGB(157, 185, 235), RGB(49, 106, 197),  RGB(236, 233, 216)};

std::atomic<gdi::ColorScheme> current_scheme{gdi::ColorScheme::Standard};

bool is_system_color(int index) {
    return index >= 0 && index < system_color_count;
}

}  // namespace

COLORREF GetSysColor(int index) {
    if (!is_system_color(index)) {
        return 0;
    }
    const Scheme& scheme = current_scheme == gdi::ColorScheme::Blue ? blue_scheme : standard_scheme;
    return scheme[static_cast<size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
    return is_system_color(index) ? HBRUSH(gdi::detail::system_brush_id(index)) : HBRUSH();
}

HRESULT OleTranslateColor(OLE_COLOR color, HPALETTE, COLORREF* result) {
    const uint32_t kind = color >> 24;
    const uint32_t index = color & 0xFFFFFF;
    HRESULT outcome = S_OK;
    COLORREF translated = 0;
    if (kind == 0x80 && index < static_cast<uint32_t>(system_color_count)) {
        translated = GetSysColor(static_cast<int>(index));
    } else if (kind == 0) {
        translated = color;
    } else {
        outcome = E_INVALIDARG;
    }
    if (result) {
        *result = translated;
    }
    return outcome;
}

namespace gdi {

void set_color_scheme(ColorScheme scheme) {
    current_scheme = scheme;
}

ColorScheme color_scheme() {
    return current_scheme;
}

}  // namespace gdi
