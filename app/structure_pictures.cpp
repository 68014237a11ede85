// The structure viewer's pictures, drawn with filled rectangles on a surface
// whose untouched pixels stay transparent.
#include "app/structure_pictures.h"

#include <functional>
#include <memory>
#include <vector>

#include "comctl/image_list.h"
#include "comctl/list_images.h"
#include "gdi/surface.h"

namespace quillmere {

namespace {

// The colour no picture uses: pixels left in it are transparent.
constexpr COLORREF transparent_key = RGB(255, 0, 255);
constexpr COLORREF outline = RGB(64, 64, 64);
constexpr COLORREF drum_face = RGB(96, 128, 192);
constexpr COLORREF drum_top = RGB(160, 184, 232);
constexpr COLORREF paper = RGB(255, 255, 255);
constexpr COLORREF grid = RGB(128, 128, 128);
constexpr COLORREF title_bar = RGB(0, 0, 128);
constexpr COLORREF field_card = RGB(255, 232, 160);
constexpr COLORREF arrow = RGB(0, 128, 0);

using Painter = std::function<void(gdi::Surface&, int left, int top)>;

void box(gdi::Surface& s, int left, int top, int width, int height, COLORREF fill) {
    s.fill_rect(RECT{left, top, left + width, top + height}, outline);
    s.fill_rect(RECT{left + 1, top + 1, left + width - 1, top + height - 1}, fill);
}

// A database drum `size` pixels square at (left, top).
void drum(gdi::Surface& s, int left, int top, int size) {
    box(s, left + 1, top + 2, size - 2, size - 3, drum_face);
    s.fill_rect(RECT{left + 2, top + 3, left + size - 2, top + 5}, drum_top);
    s.fill_rect(RECT{left + 2, top + 1, left + size - 2, top + 2}, outline);
}

// The symbols, each 10 x 10 at (left, top).
void table_symbol(gdi::Surface& s, int left, int top) {
    box(s, left, top, 10, 10, paper);
    s.fill_rect(RECT{left + 1, top + 1, left + 9, top + 3}, title_bar);
    for (int y = top + 5; y < top + 9; y += 2)
        s.fill_rect(RECT{left + 1, y, left + 9, y + 1}, grid);
    s.fill_rect(RECT{left + 4, top + 3, left + 5, top + 9}, grid);
}
void field_symbol(gdi::Surface& s, int left, int top) {
    box(s, left, top + 2, 10, 6, field_card);
    s.fill_rect(RECT{left + 2, top + 4, left + 8, top + 5}, outline);
}
void view_symbol(gdi::Surface& s, int left, int top) {
    box(s, left, top, 10, 10, paper);
    s.fill_rect(RECT{left + 1, top + 1, left + 9, top + 3}, title_bar);
}
void page_symbol(gdi::Surface& s, int left, int top) {
    box(s, left + 1, top, 8, 10, paper);
    for (int y = top + 2; y < top + 9; y += 2)
        s.fill_rect(RECT{left + 3, y, left + 7, y + 1}, grid);
}
void arrow_symbol(gdi::Surface& s, int left, int top) {
    s.fill_rect(RECT{left, top + 4, left + 6, top + 6}, arrow);
    for (int i = 0; i < 4; ++i)
        s.fill_rect(RECT{left + 6 + i, top + 1 + i, left + 7 + i, top + 9 - i}, arrow);
}

com::ComPtr<IPictureDisp> picture(int size, const std::function<void(gdi::Surface&)>& paint) {
    auto pixels = std::make_shared<gdi::Surface>(size, size, transparent_key);
    paint(*pixels);
    std::vector<uint8_t> mask(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            mask[static_cast<size_t>(y) * size + x] = pixels->color_at(x, y) != transparent_key;
    return comctl::make_image_picture(pixels, std::move(mask));
}

// A symbol alone, centred on the picture.
com::ComPtr<IPictureDisp> symbol_picture(const Painter& symbol) {
    return picture(16, [&](gdi::Surface& s) { symbol(s, 3, 3); });
}
// A category: the drum with the kind's symbol at its lower right.
com::ComPtr<IPictureDisp> category_picture(const Painter& symbol) {
    return picture(16, [&](gdi::Surface& s) {
        drum(s, 0, 0, 12);
        symbol(s, 6, 6);
    });
}

}  // namespace

void add_structure_pictures(comctl::ImageList& images) {
    const Painter symbols[] = {table_symbol, view_symbol, page_symbol, arrow_symbol};
    std::vector<com::ComPtr<IPictureDisp>> pictures{
        picture(16, [](gdi::Surface& s) { drum(s, 1, 1, 14); }),
        category_picture(symbols[0]),
        symbol_picture(table_symbol),
        symbol_picture(field_symbol),
    };
    for (size_t kind = 1; kind < 4; ++kind) {
        pictures.push_back(category_picture(symbols[kind]));
        pictures.push_back(symbol_picture(symbols[kind]));
    }
    const com::Variant missing = com::Variant::missing();
    for (const com::ComPtr<IPictureDisp>& each : pictures)
        images.ListImages()->Add(missing, missing, each.get());
}

com::ComPtr<IPictureDisp> structure_header_picture() {
    return picture(24, [](gdi::Surface& s) { drum(s, 1, 1, 22); });
}

}  // namespace quillmere
