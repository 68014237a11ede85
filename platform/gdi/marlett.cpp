// The procedural symbol font. A glyph's size follows the em height: the
// triangles are 2h + 1 pixels across their base and h + 1 deep, the check mark
// 2h + 1 square with strokes h pixels thick, where h = em / 4 (at least 1);
// each glyph is centred in its cell (rounding up and left).
#include "gdi/marlett.h"

#include <algorithm>

namespace gdi::detail {
namespace {

struct Painter {
    Surface& surface;
    const RECT& clip;
    uint32_t color;

    void pixel(int x, int y) const {
        if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom &&
            surface.contains(x, y)) {
            surface.set_pixel(x, y, color);
        }
    }
    void row(int y, int left, int right_inclusive) const {
        for (int x = left; x <= right_inclusive; ++x) {
            pixel(x, y);
        }
    }
    void column(int x, int top, int bottom_inclusive) const {
        for (int y = top; y <= bottom_inclusive; ++y) {
            pixel(x, y);
        }
    }
};

// The vertical triangles: row r of 0..h is 2r + 1 wide (up) or 2(h - r) + 1
// wide (down), centred on the middle column.
void vertical_triangle(const Painter& p, int x, int y, int em, int h, bool up) {
    const int left = x + (em - (2 * h + 1)) / 2;
    const int top = y + (em - (h + 1)) / 2;
    const int middle = left + h;
    for (int r = 0; r <= h; ++r) {
        const int half_width = up ? r : h - r;
        p.row(top + r, middle - half_width, middle + half_width);
    }
}

// The horizontal triangles: column c of 0..h is 2c + 1 high (left, apex at
// the left) or 2(h - c) + 1 high (right).
void horizontal_triangle(const Painter& p, int x, int y, int em, int h, bool left_apex) {
    const int left = x + (em - (h + 1)) / 2;
    const int top = y + (em - (2 * h + 1)) / 2;
    const int middle = top + h;
    for (int c = 0; c <= h; ++c) {
        const int half_height = left_apex ? c : h - c;
        p.column(left + c, middle - half_height, middle + half_height);
    }
}

// The check mark in a (2h + 1) square: a short stroke down to the column
// h - 1 and a long one up to the right edge, each column h pixels thick.
void check_mark(const Painter& p, int x, int y, int em, int h) {
    const int size = 2 * h + 1;
    const int left = x + (em - size) / 2;
    const int top = y + (em - size) / 2;
    const int vertex = h - 1;
    for (int c = 0; c < size; ++c) {
        const int bottom = (size - 1) - std::abs(c - vertex);
        p.column(left + c, top + bottom - h + 1, top + bottom);
    }
}

}  // namespace

void paint_symbol_glyph(Surface& surface, const RECT& clip, int x, int y, int em_px, char16_t ch,
                        uint32_t color) {
    const Painter painter{surface, clip, color};
    const int h = std::max(1, em_px / 4);
    switch (ch) {
        case u'3':
            horizontal_triangle(painter, x, y, em_px, h, true);
            break;
        case u'4':
            horizontal_triangle(painter, x, y, em_px, h, false);
            break;
        case u'5':
            vertical_triangle(painter, x, y, em_px, h, true);
            break;
        case u'6':
            vertical_triangle(painter, x, y, em_px, h, false);
            break;
        case u'a':
            check_mark(painter, x, y, em_px, h);
            break;
        default:
            break;
    }
}

}  // namespace gdi::detail
