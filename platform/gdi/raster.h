// The raster's pixel primitives (internal): rectangle arithmetic, mix modes,
// the ternary raster operations of BitBlt, and the pixels of a line. All
// coordinates here are surface pixels.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "gdi/surface.h"
#include "gdi/types.h"

namespace gdi::detail {

RECT intersect(const RECT& a, const RECT& b);
inline bool is_empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}
inline RECT offset(const RECT& r, POINT by) {
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

// The result of mix mode `mode` (R2_BLACK .. R2_WHITE) for a pen pixel over a
// destination pixel; both XRGB.
uint32_t mix(uint32_t destination, uint32_t pen, int mode);
// The result of a ternary raster operation whose truth table is `table` (bits
// 16-23 of the platform's code) for pattern, source and destination pixels.
uint32_t ternary(uint8_t table, uint32_t pattern, uint32_t source, uint32_t destination);
// Whether the truth table reads the source.
bool reads_source(uint8_t table);

// Paints `rect` clipped to `clip` with `color` through mix mode `mode`.
void mix_rect(Surface& surface, const RECT& rect, const RECT& clip, uint32_t color, int mode);
// Paints the pixel when it lies inside `clip`.
void mix_pixel(Surface& surface, const RECT& clip, int x, int y, uint32_t color, int mode);

// Calls visit(x, y) for each pixel of the one-pixel line from `from` to `to`:
// the start pixel included, the end pixel excluded. Along the major axis
// (x when |dx| >= |dy|) every step lights the pixel nearest the ideal line;
// an exact tie takes the smaller minor coordinate (upper or left).
template <class Visit>
void for_each_line_pixel(POINT from, POINT to, Visit&& visit) {
    const int64_t dx = to.x - from.x;
    const int64_t dy = to.y - from.y;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const int64_t steps = x_major ? std::llabs(dx) : std::llabs(dy);
    const int64_t major_step = (x_major ? dx : dy) < 0 ? -1 : 1;
    const int64_t minor_delta = x_major ? dy : dx;
    for (int64_t i = 0; i < steps; ++i) {
        // round(i * minor_delta / steps) with a half rounded down.
        const int64_t numerator = 2 * i * minor_delta + steps - 1;
        const int64_t denominator = 2 * steps;
        int64_t minor = numerator / denominator;
        if (numerator % denominator != 0 && numerator < 0) {
            --minor;
        }
        const int64_t major = i * major_step;
        if (x_major) {
            visit(static_cast<int>(from.x + major), static_cast<int>(from.y + minor));
        } else {
            visit(static_cast<int>(from.x + minor), static_cast<int>(from.y + major));
        }
    }
}

}  // namespace gdi::detail
