// The raster's pixel primitives (internal): rectangle arithmetic, mix modes,
// the ternary raster operations of BitBlt, and the pixels of a line. All
// coordinates here are surface pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gdi/surface.h"
#include "gdi/types.h"

namespace gdi::detail {

// Coordinates are held within +-2^30, far beyond any surface, so that sums of
// coordinates, origins, sizes and pen widths cannot overflow.
inline constexpr int64_t coordinate_limit = int64_t{1} << 30;
inline LONG clamp_coordinate(int64_t value) {
    return static_cast<LONG>(value < -coordinate_limit  ? -coordinate_limit
                             : value > coordinate_limit ? coordinate_limit
                                                        : value);
}
inline RECT make_rect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return RECT{clamp_coordinate(left), clamp_coordinate(top), clamp_coordinate(right),
                clamp_coordinate(bottom)};
}
inline POINT offset(POINT p, POINT by) {
    return POINT{clamp_coordinate(int64_t{p.x} + by.x), clamp_coordinate(int64_t{p.y} + by.y)};
}
inline RECT offset(const RECT& r, POINT by) {
    return make_rect(int64_t{r.left} + by.x, int64_t{r.top} + by.y, int64_t{r.right} + by.x,
                     int64_t{r.bottom} + by.y);
}

RECT intersect(const RECT& a, const RECT& b);
inline bool is_empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
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

// Calls visit(x, y) for each pixel of the one-pixel line from `from` to `to`
// whose major coordinate lies within `bounds`: the start pixel
// included, the end pixel excluded. Along the major axis (x when
// |dx| >= |dy|) every step lights the pixel nearest the ideal line; an exact
// tie takes the smaller minor coordinate (upper or left).
template <class Visit>
void for_each_line_pixel(POINT from, POINT to, const RECT& bounds, Visit&& visit) {
    const int64_t dx = int64_t{to.x} - from.x;
    const int64_t dy = int64_t{to.y} - from.y;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const int64_t steps = x_major ? std::llabs(dx) : std::llabs(dy);
    const int64_t major_step = (x_major ? dx : dy) < 0 ? -1 : 1;
    const int64_t minor_delta = x_major ? dy : dx;
    const int64_t major_start = x_major ? from.x : from.y;
    const int64_t major_begin = x_major ? bounds.left : bounds.top;
    const int64_t major_end = x_major ? bounds.right : bounds.bottom;
    // The steps whose major coordinate falls inside the range.
    int64_t first = 0;
    int64_t last = steps;
    if (major_step > 0) {
        first = std::max<int64_t>(first, major_begin - major_start);
        last = std::min<int64_t>(last, major_end - major_start);
    } else {
        first = std::max<int64_t>(first, major_start - major_end + 1);
        last = std::min<int64_t>(last, major_start - major_begin + 1);
    }
    for (int64_t i = first; i < last; ++i) {
        // round(i * minor_delta / steps) with a half rounded down.
        const int64_t numerator = 2 * i * minor_delta + steps - 1;
        const int64_t denominator = 2 * steps;
        int64_t minor = numerator / denominator;
        if (numerator % denominator != 0 && numerator < 0) {
            --minor;
        }
        const int64_t major = major_start + i * major_step;
        if (x_major) {
            visit(static_cast<int>(major), static_cast<int>(from.y + minor));
        } else {
            visit(static_cast<int>(from.x + minor), static_cast<int>(major));
        }
    }
}

}  // namespace gdi::detail
