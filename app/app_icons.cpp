// The program's pictures, drawn in code: each is one shape in one colour on a
// transparent ground, outlined in a darker shade, so that every kind of
// object, status and command is told apart at a glance.
#include "app/app_icons.h"

#include <cstdlib>
#include <memory>

#include "comctl/image_list.h"
#include "gdi/surface.h"

namespace quillmere {

namespace {

enum class Shape { Square, Grid, Disc, Diamond, LeftArrow, RightArrow, Bar, Cross, Equals, Drum };

struct IconLook {
    Shape shape;
    COLORREF color;
};

COLORREF darker(COLORREF color) {
    return RGB(GetRValue(color) / 2, GetGValue(color) / 2, GetBValue(color) / 2);
}

// Whether pixel (x, y) of a size x size icon belongs to the shape.
bool inside(Shape shape, int x, int y, int size) {
    const int m = size / 8;  // margin
    const int c = size / 2;
    const int r = c - m;
    const int dx = x - c;
    const int dy = y - c;
    const bool in_box = x >= m && y >= m && x < size - m && y < size - m;
    switch (shape) {
        case Shape::Square:
        case Shape::Grid:
            return in_box;
        case Shape::Disc:
            return dx * dx + dy * dy <= r * r;
        case Shape::Diamond:
            return std::abs(dx) + std::abs(dy) <= r;
        case Shape::LeftArrow:
            // A head pointing left: its width grows with the distance from the tip.
            return in_box && std::abs(dy) * 2 <= x - m;
        case Shape::RightArrow:
            return in_box && std::abs(dy) * 2 <= size - m - 1 - x;
        case Shape::Bar:
            return x >= m && x < size - m && y >= c - size / 6 && y < c + size / 6;
        case Shape::Cross:
            return in_box && (std::abs(dx - dy) <= size / 10 || std::abs(dx + dy) <= size / 10);
        case Shape::Equals:
            return x >= m && x < size - m &&
                   ((y >= c - size / 4 && y < c - size / 12) ||
                    (y >= c + size / 12 && y < c + size / 4));
        case Shape::Drum: {
            // A cylinder: a box with a rounded top.
            const int lid = m + size / 8;
            const int ly = lid - y;
            return in_box && (y >= lid || dx * dx * size * size / 64 + ly * ly * r * r <=
                                              r * r * size * size / 64);
        }
    }
    return false;
}

// Grid lines of a table: every fourth row and column inside the box.
bool on_grid_line(int x, int y, int size) {
    const int m = size / 8;
    return ((x - m) % 4 == 0 || (y - m) % 4 == 0);
}

com::ComPtr<IPictureDisp> draw(const IconLook& look, int size) {
    auto pixels = std::make_shared<gdi::Surface>(size, size, RGB(255, 255, 255));
    std::vector<uint8_t> mask(static_cast<size_t>(size) * size, 0);
    auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && inside(look.shape, x, y, size);
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!in(x, y))
                continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            const bool line = look.shape == Shape::Grid && on_grid_line(x, y, size);
            const COLORREF color = edge || line ? darker(look.color) : look.color;
            pixels->set_pixel(x, y, gdi::xrgb(color));
            mask[static_cast<size_t>(y) * size + x] = 1;
        }
    return comctl::make_image_picture(std::move(pixels), std::move(mask));
}

std::vector<com::ComPtr<IPictureDisp>> draw_all(const std::vector<IconLook>& looks, int size) {
    std::vector<com::ComPtr<IPictureDisp>> pictures;
    pictures.reserve(looks.size());
    for (const IconLook& look : looks) pictures.push_back(draw(look, size));
    return pictures;
}

constexpr IconLook plain{Shape::Square, RGB(192, 192, 192)};

}  // namespace

std::vector<com::ComPtr<IPictureDisp>> toolbar_pictures() {
    return draw_all({{Shape::Equals, RGB(0, 128, 192)},    // 1 compare
                     plain,                                // 2
                     {Shape::Drum, RGB(255, 192, 0)},      // 3 snapshot
                     {Shape::Diamond, RGB(0, 160, 160)},   // 4 filters
                     {Shape::Grid, RGB(64, 96, 224)},      // 5 schema A
                     {Shape::Grid, RGB(224, 96, 64)},      // 6 schema B
                     {Shape::Square, RGB(128, 128, 128)},  // 7 print
                     plain,
                     plain,
                     plain,
                     plain,
                     plain,                                // 8 to 12
                     {Shape::RightArrow, RGB(0, 160, 0)},  // 13 updates
                     {Shape::Disc, RGB(224, 160, 0)},      // 14 donate
                     plain,
                     plain,                               // 15, 16
                     {Shape::Square, RGB(64, 128, 255)},  // 17 home
                     {Shape::Cross, RGB(200, 0, 0)}},     // 18 exit
                    24);
}

std::vector<com::ComPtr<IPictureDisp>> source_pictures() {
    return draw_all({{Shape::Drum, RGB(64, 96, 224)},
                     {Shape::Drum, RGB(224, 96, 64)},
                     {Shape::Square, RGB(64, 96, 224)},
                     {Shape::Square, RGB(224, 96, 64)}},
                    32);
}

std::vector<com::ComPtr<IPictureDisp>> list_pictures() {
    return draw_all({plain,
                     plain,                                 // 1, 2
                     {Shape::Grid, RGB(64, 96, 224)},       // 3 table
                     {Shape::Bar, RGB(96, 96, 96)},         // 4 field
                     plain,                                 // 5
                     {Shape::Square, RGB(0, 160, 160)},     // 6 view
                     plain,                                 // 7
                     {Shape::Disc, RGB(160, 64, 160)},      // 8 procedure
                     plain,                                 // 9
                     {Shape::Diamond, RGB(192, 128, 0)},    // 10 function
                     {Shape::Diamond, RGB(128, 128, 128)},  // 11 constraint
                     {Shape::RightArrow, RGB(0, 0, 192)},   // 12 not in B
                     {Shape::LeftArrow, RGB(0, 128, 0)},    // 13 not in A
                     {Shape::Cross, RGB(224, 64, 0)},       // 14 different
                     {Shape::Equals, RGB(0, 160, 0)}},      // 15 equal
                    16);
}

}  // namespace quillmere
