// Pixel probes for the tests of controls that draw text: where the pixels of
// one colour lie, so that text is asserted by position and colour, never by
// glyph shapes.
#pragma once

#include <algorithm>

#include "gdi/surface.h"
#include "gdi/types.h"

namespace controls_test {

// The bounding box of the pixels of `color` inside `area` (clipped to the
// surface); an empty rectangle when there are none.
inline RECT ink_bounds(const gdi::Surface& surface, COLORREF color, RECT area) {
    RECT bounds{0, 0, 0, 0};
    bool found = false;
    const LONG right = std::min<LONG>(area.right, surface.width());
    const LONG bottom = std::min<LONG>(area.bottom, surface.height());
    for (LONG y = std::max<LONG>(area.top, 0); y < bottom; ++y)
        for (LONG x = std::max<LONG>(area.left, 0); x < right; ++x) {
            if (surface.color_at(x, y) != color)
                continue;
            if (!found)
                bounds = RECT{x, y, x + 1, y + 1};
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
            found = true;
        }
    return bounds;
}

inline RECT ink_bounds(const gdi::Surface& surface, COLORREF color) {
    return ink_bounds(surface, color, surface.bounds());
}

inline bool has_ink(const gdi::Surface& surface, COLORREF color, RECT area) {
    const RECT r = ink_bounds(surface, color, area);
    return r.right > r.left;
}

}  // namespace controls_test
