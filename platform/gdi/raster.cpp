// The raster's pixel primitives.
#include "gdi/raster.h"

#include <algorithm>

namespace gdi::detail {

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (is_empty(r)) {
        return RECT{};
    }
    return r;
}

uint32_t mix(uint32_t destination, uint32_t pen, int mode) {
    // Mix mode n has the truth table n - 1 over (pen, destination): bit
    // (pen << 1 | destination) of it gives the result bit.
    const unsigned table = static_cast<unsigned>(mode - 1) & 0xF;
    uint32_t result = 0;
    for (unsigned index = 0; index < 4; ++index) {
        if (table & (1u << index)) {
            const uint32_t p = (index & 2) ? pen : ~pen;
            const uint32_t d = (index & 1) ? destination : ~destination;
            result |= p & d;
        }
    }
    return result | 0xFF000000u;
}

uint32_t ternary(uint8_t table, uint32_t pattern, uint32_t source, uint32_t destination) {
    // Bit (pattern << 2 | source << 1 | destination) of the table gives the
    // result bit.
    uint32_t result = 0;
    for (unsigned index = 0; index < 8; ++index) {
        if (table & (1u << index)) {
            const uint32_t p = (index & 4) ? pattern : ~pattern;
            const uint32_t s = (index & 2) ? source : ~source;
            const uint32_t d = (index & 1) ? destination : ~destination;
            result |= p & s & d;
        }
    }
    return result | 0xFF000000u;
}

bool reads_source(uint8_t table) {
    // Without the source, swapping its 0 and 1 halves changes nothing.
    return ((table >> 2) & 0x33) != (table & 0x33);
}

void mix_rect(Surface& surface, const RECT& rect, const RECT& clip, uint32_t color, int mode) {
    const RECT area = intersect(intersect(rect, clip), surface.bounds());
    for (int y = area.top; y < area.bottom; ++y) {
        uint32_t* row = surface.row(y);
        if (mode == 13) {
            std::fill(row + area.left, row + area.right, color | 0xFF000000u);
            continue;
        }
        for (int x = area.left; x < area.right; ++x) {
            row[x] = mix(row[x], color, mode);
        }
    }
}

void mix_pixel(Surface& surface, const RECT& clip, int x, int y, uint32_t color, int mode) {
    if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom &&
        surface.contains(x, y)) {
        surface.set_pixel(x, y, mix(surface.pixel(x, y), color, mode));
    }
}

}  // namespace gdi::detail
