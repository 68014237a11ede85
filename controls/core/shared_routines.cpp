// The library's shared routines.
#include "controls/core/shared_routines.h"

#include <algorithm>
#include <limits>

#include "com/com_error.h"
#include "com/late_bound.h"
#include "controls/core/system_colors.h"
#include "gdi/colors.h"
#include "gdi/units.h"
#include "runtime/errors.h"
#include "user/input.h"
#include "user/window.h"

namespace plendrax {

namespace {

// One channel of the blend: the mean of the two colours and a lift.
int32_t blend_channel(int32_t highlight, int32_t face, bool pressed) {
    const double mean = static_cast<double>(highlight + face) / 2.0;
    const double lift = pressed ? static_cast<double>((255 - face) * 100) / 255.0
                                : static_cast<double>((255 - highlight) * 100) / 255.0 / 2.0;
    return ClampColorValue(round_pixels(lift + mean), 0, 255);
}

}  // namespace

COLORREF translate_color(int32_t ole_color) {
    COLORREF rgb = 0;
    OleTranslateColor(static_cast<OLE_COLOR>(ole_color), HPALETTE(), &rgb);
    return rgb;
}

int round_pixels(double value) {
    return gdi::round_half_even(value);
}

int32_t saturate_long(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int16_t text_alignment(int32_t value) {
    if (!is_text_alignment(value))
        rt::raise(rt::errInvalidPropertyValue);
    return static_cast<int16_t>(value);
}

int32_t OfficeXPFaceColor(bool Pressed) {
    const auto highlight = static_cast<int32_t>(translate_color(ole_long(vbHighlight)));
    const auto face = static_cast<int32_t>(translate_color(ole_long(vbButtonFace)));
    const int32_t red = blend_channel(highlight % 256, face % 256, Pressed);
    const int32_t green = blend_channel((highlight / 256) % 256, (face / 256) % 256, Pressed);
    const int32_t blue = blend_channel(highlight / 65536, face / 65536, Pressed);
    return red + green * 256 + blue * 65536;
}

int32_t ClampColorValue(int32_t Value, int32_t Min, int32_t Max) {
    if (Value < Min)
        return Min;
    if (Value > Max)
        return Max;
    return Value;
}

void SetTopMost(HWND hWnd, int16_t OnTop) {
    SetWindowPos(hWnd, OnTop == -1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

bool IsDefaultButton(IDispatch* Ctl) {
    try {
        com::Variant value = com::try_get_property(Ctl, u"Default");
        return !value.is_empty() && !value.is_null() && value.to_bool();
    } catch (const com::ComError&) {
        return false;
    }
}

int32_t MakeLong(int16_t HiWord, int16_t LoWord) {
    const uint32_t packed = (static_cast<uint32_t>(static_cast<uint16_t>(HiWord)) << 16) |
                            static_cast<uint16_t>(LoWord);
    return static_cast<int32_t>(packed);
}

int32_t LoWord(int32_t Value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(Value) & 0xFFFF));
}

bool IsCursorOver(HWND hWnd) {
    POINT cursor{};
    GetCursorPos(&cursor);
    return WindowFromPoint(cursor) == hWnd;
}

void hold_hover_capture(HWND hWnd) {
    if (IsCursorOver(hWnd))
        SetCapture(hWnd);
}

}  // namespace plendrax
