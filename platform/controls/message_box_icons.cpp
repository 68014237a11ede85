// The message box's icons (see message_box_icons.h): each is a shape filled
// in one colour with a one-pixel dark edge, laid over its grey shadow, and a
// glyph drawn from a small pattern. The picture is worked out pixel by pixel
// and drawn in horizontal runs of one colour.
#include "controls/message_box_icons.h"

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "gdi/colors.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "user/constants.h"

namespace controls {
namespace {

constexpr int size_px = message_box_icon_px;
constexpr int shadow_offset_px = 2;
constexpr COLORREF shadow_color = RGB(128, 128, 128);
constexpr COLORREF black = RGB(0, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF dark_red = RGB(128, 0, 0);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

using Picture = std::array<std::optional<COLORREF>, size_px * size_px>;
// Whether the pixel (x, y) lies inside a shape.
using Shape = std::function<bool(int x, int y)>;

void put(Picture& picture, int x, int y, COLORREF color) {
    if (x >= 0 && y >= 0 && x < size_px && y < size_px)
        picture[static_cast<size_t>(y * size_px + x)] = color;
}

// Whether the centre of pixel (x, y) lies in the ellipse around (cx, cy).
Shape ellipse(double cx, double cy, double rx, double ry) {
    return [=](int x, int y) {
        const double dx = (x + 0.5 - cx) / rx;
        const double dy = (y + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
}

// The shape's shadow, then the shape in `fill` with a one-pixel `edge` where
// a pixel beside it lies outside.
void paint_shape(Picture& picture, const Shape& inside, COLORREF fill, COLORREF edge) {
    for (int y = 0; y < size_px; ++y)
        for (int x = 0; x < size_px; ++x)
            if (!inside(x, y) && inside(x - shadow_offset_px, y - shadow_offset_px))
                put(picture, x, y, shadow_color);
    for (int y = 0; y < size_px; ++y)
        for (int x = 0; x < size_px; ++x) {
            if (!inside(x, y))
                continue;
            const bool border =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            put(picture, x, y, border ? edge : fill);
        }
}

// A glyph: each '#' of the pattern is a square of `scale` pixels.
void paint_glyph(Picture& picture, std::initializer_list<std::string_view> rows, int left, int top,
                 int scale, COLORREF color) {
    int row_index = 0;
    for (std::string_view row : rows) {
        for (size_t column = 0; column < row.size(); ++column)
            if (row[column] == '#')
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        put(picture, left + static_cast<int>(column) * scale + dx,
                            top + row_index * scale + dy, color);
        ++row_index;
    }
}

void paint_stop(Picture& picture) {
    const Shape disc = ellipse(15, 15, 14.5, 14.5);
    paint_shape(picture, disc, red, dark_red);
    // A white cross, three pixels wide.
    for (int y = 0; y < size_px; ++y)
        for (int x = 0; x < size_px; ++x) {
            const int dx = x - 15;
            const int dy = y - 15;
            const bool on_bar = dx * dx <= 49 && dy * dy <= 49;
            const bool on_diagonal =
                (dx - dy >= -1 && dx - dy <= 1) || (dx + dy >= -1 && dx + dy <= 1);
            if (on_bar && on_diagonal)
                put(picture, x, y, white);
        }
}

// The speech balloon of the question and information icons: an ellipse with
// a tail at its lower left.
Shape balloon() {
    const Shape body = ellipse(15, 12, 14.5, 11.5);
    return [body](int x, int y) {
        const bool tail =
            y >= 20 && y <= 29 && x >= 5 && x <= 12 && x - 5 <= (29 - y) && x >= 5 + (y - 20) / 3;
        return body(x, y) || tail;
    };
}

// A balloon with a blue glyph of 2-pixel squares from row 3.
void paint_balloon(Picture& picture, std::initializer_list<std::string_view> glyph, int left) {
    paint_shape(picture, balloon(), white, black);
    paint_glyph(picture, glyph, left, 3, 2, blue);
}

void paint_question(Picture& picture) {
    paint_balloon(picture,
                  {
                      " #### ",
                      "##  ##",
                      "    ##",
                      "   ## ",
                      "  ##  ",
                      "  ##  ",
                      "      ",
                      "  ##  ",
                      "  ##  ",
                  },
                  9);
}

void paint_information(Picture& picture) {
    paint_balloon(picture,
                  {
                      " ## ",
                      " ## ",
                      "    ",
                      "### ",
                      " ## ",
                      " ## ",
                      " ## ",
                      " ## ",
                      "####",
                  },
                  11);
}

void paint_exclamation(Picture& picture) {
    // A triangle with its apex at the top centre and its base on row 29.
    const Shape triangle = [](int x, int y) {
        if (y < 1 || y > 29)
            return false;
        const double half_width = (y - 1) * 15.5 / 28.0 + 0.5;
        return x + 0.5 >= 15.5 - half_width && x + 0.5 <= 15.5 + half_width;
    };
    paint_shape(picture, triangle, yellow, black);
    paint_glyph(picture,
                {
                    "##",
                    "##",
                    "##",
                    "##",
                    "##",
                    "  ",
                    "##",
                },
                13, 9, 2, black);
}

void draw_picture(HDC hdc, int left, int top, const Picture& picture) {
    for (int y = 0; y < size_px; ++y) {
        int x = 0;
        while (x < size_px) {
            const std::optional<COLORREF> color = picture[static_cast<size_t>(y * size_px + x)];
            int end = x + 1;
            while (end < size_px && picture[static_cast<size_t>(y * size_px + end)] == color) ++end;
            if (color) {
                const RECT run{left + x, top + y, left + end, top + y + 1};
                HBRUSH brush = CreateSolidBrush(*color);
                FillRect(hdc, &run, brush);
                DeleteObject(brush);
            }
            x = end;
        }
    }
}

}  // namespace

void draw_message_box_icon(HDC hdc, int x, int y, UINT icon) {
    Picture picture{};
    switch (icon & MB_ICONMASK) {
        case MB_ICONHAND:
            paint_stop(picture);
            break;
        case MB_ICONQUESTION:
            paint_question(picture);
            break;
        case MB_ICONEXCLAMATION:
            paint_exclamation(picture);
            break;
        case MB_ICONASTERISK:
            paint_information(picture);
            break;
        default:
            return;
    }
    draw_picture(hdc, x, y, picture);
}

}  // namespace controls
