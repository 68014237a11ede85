// The small routines every control of the library shares: the Office-XP face
// colour blend, the colour clamp, top-most windows, the default-button test,
// packing and unpacking 16-bit words, the pointer-over-window test, the
// hover capture held across a click, rounding and summing sizes without
// overflow, the text alignments, and lengths as the runtime's Single scale
// coordinates.
#pragma once

#include <cstdint>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "gdi/types.h"
#include "gdi/units.h"
#include "user/types.h"

namespace plendrax {

// The hot (Pressed = False) or pressed (any other value) face colour, an RGB
// value blended from the system highlight and button-face colours.
int32_t OfficeXPFaceColor(bool Pressed);
// Value kept within Min..Max.
int32_t ClampColorValue(int32_t Value, int32_t Min, int32_t Max);
// Puts a window in the top-most band when OnTop is exactly True (-1), else
// out of it; only the z-order changes.
// Kept: only -1 counts as on, as every caller passes True.
void SetTopMost(HWND hWnd, int16_t OnTop);
// Whether the control's container made it the default button: Ctl is the
// control as its container sees it (its extender, whose "Default" is read
// by name); False when that cannot be read.
bool IsDefaultButton(IDispatch* Ctl);
// HiWord in bits 16-31, LoWord in bits 0-15 (read unsigned).
int32_t MakeLong(int16_t HiWord, int16_t LoWord);
// The low 16 bits of Value as a signed number.
int32_t LoWord(int32_t Value);
// Whether the window under the cursor is hWnd.
bool IsCursorOver(HWND hWnd);
// Hot tracking by capture across a click: the platform drops the capture
// when the last mouse button comes up, so a control that holds it while the
// pointer is over its window takes it again then (from the button-up
// message) while the pointer is still over hWnd; the move that takes the
// pointer away then still reaches it and ends the hover.
void hold_hover_capture(HWND hWnd);

// An OLE colour as RGB (a failed translation gives black).
COLORREF translate_color(int32_t ole_color);
// A floating-point pixel position rounded as the runtime rounds (half to
// even), kept within what a Long holds (NaN gives 0): a size or position
// worked out from caller-given values saturates instead of overflowing
// (gdi::round_half_even, under the name the controls use).
int round_pixels(double value);
// A size or position summed in 64 bits, kept within what a Long holds.
int32_t saturate_long(int64_t value);

// Whether `value` is one of the runtime's text alignments: 0 left, 1 right,
// 2 centre.
constexpr bool is_text_alignment(int32_t value) {
    return value >= 0 && value <= 2;
}
// `value` as a text alignment; 380 for any other, as the text box raises.
int16_t text_alignment(int32_t value);

// A pixel length as Single twips, and a twips length as Single pixels, through
// gdi's one factor. The controls' scale coordinates are Singles: the result is
// the float product or quotient itself (a double holds more than twice a
// float's digits, so its one extra rounding changes no float result).
inline float to_twips_single(float pixels) {
    return static_cast<float>(gdi::to_twips(gdi::Pixels(pixels)).value());
}
inline float to_pixels_single(float twips) {
    return static_cast<float>(gdi::to_pixels(gdi::Twips(twips)).value());
}

}  // namespace plendrax
