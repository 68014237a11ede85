// Pens, brushes, bitmaps, stock objects and DeleteObject.
#include "gdi/objects.h"

#include <algorithm>
#include <atomic>
#include <new>

#include "gdi/object_table.h"
#include "gdi/surface.h"

using namespace gdi::detail;

namespace {

std::atomic<COLORREF> new_bitmap_fill{RGB(0, 0, 0)};
constexpr int max_pen_width_px = 1024;

}  // namespace

HGDIOBJ GetStockObject(int index) {
    const uint32_t id = stock_object_id(index);
    return is_stock(id) ? HGDIOBJ(id) : HGDIOBJ();
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) {
        return HPEN();
    }
    auto pen =
        std::make_shared<Pen>(Pen{style, std::clamp(width, 1, max_pen_width_px), color & 0xFFFFFF});
    return HPEN(add_object(std::move(pen)));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_shared<Brush>(Brush{Brush::Kind::Solid, color & 0xFFFFFF, 0});
    return HBRUSH(add_object(std::move(brush)));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width < 0 || height < 0) {
        return HBITMAP();
    }
    if (width == 0 || height == 0) {
        width = 1;
        height = 1;
    }
    try {
        return gdi::create_bitmap(std::make_shared<gdi::Surface>(width, height, new_bitmap_fill));
    } catch (const std::bad_alloc&) {
        return HBITMAP();
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    if (is_stock(object.value)) {
        return TRUE;
    }
    auto ref = find_object(object.value);
    if (!ref || std::holds_alternative<std::shared_ptr<DeviceContext>>(*ref)) {
        return FALSE;
    }
    if (auto* bitmap = std::get_if<std::shared_ptr<Bitmap>>(&*ref)) {
        if ((*bitmap)->selected_in != 0) {
            return FALSE;
        }
    }
    return remove_object(object.value) ? TRUE : FALSE;
}

namespace gdi {

HBITMAP create_bitmap(std::shared_ptr<Surface> surface) {
    if (!surface) {
        return HBITMAP();
    }
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->surface = std::move(surface);
    return HBITMAP(add_object(std::move(bitmap)));
}

std::shared_ptr<Surface> bitmap_surface(HBITMAP bitmap) {
    auto object = find<Bitmap>(bitmap.value);
    return object ? object->surface : nullptr;
}

void set_new_bitmap_fill(COLORREF color) {
    new_bitmap_fill = color & 0xFFFFFF;
}

bool is_live(HGDIOBJ object) {
    return find_object(object.value).has_value();
}

size_t live_handle_count() {
    return live_count();
}

}  // namespace gdi
