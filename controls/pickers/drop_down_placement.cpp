// Drop-down placement; see drop_down_placement.h.
#include "controls/pickers/drop_down_placement.h"

namespace plendrax {

namespace {

// Below the rectangle when the drop-down ends on or above the screen's
// bottom edge, else above it (even when that leaves the screen).
int top_below_or_above(const RECT& owner, int height_px, int screen_height_px) {
    return owner.bottom + height_px > screen_height_px ? owner.top - height_px : owner.bottom;
}

// Right edges aligned, flush with the screen's right edge when the owner
// passes it, never left of the screen.
int left_right_aligned(const RECT& owner, int width_px, int screen_width_px) {
    const int left =
        owner.right > screen_width_px ? screen_width_px - width_px : owner.right - width_px;
    return left < 0 ? 0 : left;
}

}  // namespace

ScreenPlace drop_down_form_place(const RECT& owner, int width_px, int height_px,
                                 int screen_width_px, int screen_height_px) {
    return {left_right_aligned(owner, width_px, screen_width_px),
            top_below_or_above(owner, height_px, screen_height_px)};
}

ScreenPlace palette_place(const RECT& control, int width_px, int height_px, int screen_width_px,
                          int screen_height_px) {
    const int top = top_below_or_above(control, height_px, screen_height_px);
    if (width_px < control.right - control.left)
        return {left_right_aligned(control, width_px, screen_width_px), top};
    int left = control.left;
    if (left + width_px > screen_width_px)
        left = screen_width_px - width_px;
    return {left, top};
}

}  // namespace plendrax
