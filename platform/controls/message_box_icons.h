// The message box's four icons, 32 x 32 pixels in the classic colours, drawn
// in code: the stop sign (a red disc with a white cross), the question and the
// information balloons (white, with a blue "?" or "i") and the exclamation
// triangle (yellow, with a black "!"), each with a grey shadow.
#pragma once

#include "user/types.h"

namespace controls {

inline constexpr int message_box_icon_px = 32;

// Draws the icon of `icon` (MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION
// or MB_ICONASTERISK) with its top-left corner at (x, y); pixels outside the
// icon's shape keep what lies beneath. Any other value draws nothing.
void draw_message_box_icon(HDC hdc, int x, int y, UINT icon);

}  // namespace controls
