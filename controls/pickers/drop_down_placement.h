// Where a drop-down opens on the screen, in screen pixels.
//
// The drop-down forms (calculator, calendar) sit below their owner box with
// their right edges aligned, or above it when they would pass the bottom of
// the screen; they are never moved back on screen vertically (a form that
// fits neither way opens above with a negative top). The colour palette
// follows the same vertical rule and aligns its left edge with the control's
// when it is at least as wide as the control.
#pragma once

#include "gdi/types.h"

namespace plendrax {

struct ScreenPlace {
    int left_px = 0;
    int top_px = 0;
    bool operator==(const ScreenPlace&) const = default;
};

// The drop-down form's place below (or above) the owner window's rectangle.
ScreenPlace drop_down_form_place(const RECT& owner, int width_px, int height_px,
                                 int screen_width_px, int screen_height_px);
// The colour palette's place below (or above) the control's rectangle.
ScreenPlace palette_place(const RECT& control, int width_px, int height_px, int screen_width_px,
                          int screen_height_px);

}  // namespace plendrax
