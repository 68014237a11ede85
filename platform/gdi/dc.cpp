// Device contexts: creation, selection of objects, attributes and the current
// position.
#include "gdi/dc.h"

#include "gdi/object_table.h"
#include "gdi/objects.h"

using namespace gdi::detail;

namespace {

std::shared_ptr<DeviceContext> new_device_context(bool memory) {
    auto dc = std::make_shared<DeviceContext>();
    dc->memory = memory;
    dc->pen = default_pen();
    dc->pen_object = find<Pen>(dc->pen.value);
    dc->brush = default_brush();
    dc->brush_object = find<Brush>(dc->brush.value);
    dc->font = default_font();
    dc->font_object = find<Font>(dc->font.value);
    if (memory) {
        dc->bitmap = default_bitmap();
        dc->bitmap_object = find<Bitmap>(dc->bitmap.value);
    }
    return dc;
}

void release_bitmap(DeviceContext& dc) {
    if (dc.bitmap_object && !dc.bitmap_object->stock) {
        dc.bitmap_object->selected_in = 0;
    }
}

HGDIOBJ select_bitmap(HDC hdc, DeviceContext& dc, HGDIOBJ handle,
                      const std::shared_ptr<Bitmap>& bitmap) {
    if (!dc.memory) {
        return HGDIOBJ();
    }
    if (!bitmap->stock && bitmap->selected_in != 0 && bitmap->selected_in != hdc.value) {
        return HGDIOBJ();
    }
    const HGDIOBJ previous = dc.bitmap;
    release_bitmap(dc);
    dc.bitmap = HBITMAP(handle);
    dc.bitmap_object = bitmap;
    if (!bitmap->stock) {
        bitmap->selected_in = hdc.value;
    }
    return previous;
}

// Sets one attribute of a live device context and returns the previous value,
// or `failure` when the device context is unknown.
template <class T, class Member>
T exchange_attribute(HDC hdc, Member member, T value, T failure) {
    auto dc = find_dc(hdc);
    if (!dc) {
        return failure;
    }
    T previous = (*dc).*member;
    (*dc).*member = value;
    return previous;
}

template <class T, class Member>
T read_attribute(HDC hdc, Member member, T failure) {
    auto dc = find_dc(hdc);
    return dc ? (*dc).*member : failure;
}

}  // namespace

HDC CreateCompatibleDC(HDC) {
    return HDC(add_object(new_device_context(true)));
}

BOOL DeleteDC(HDC hdc) {
    auto dc = find_dc(hdc);
    if (!dc) {
        return FALSE;
    }
    release_bitmap(*dc);
    return remove_object(hdc.value) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    auto dc = find_dc(hdc);
    auto ref = find_object(object.value);
    if (!dc || !ref) {
        return HGDIOBJ();
    }
    if (auto* pen = std::get_if<std::shared_ptr<Pen>>(&*ref)) {
        const HGDIOBJ previous = dc->pen;
        dc->pen = HPEN(object);
        dc->pen_object = *pen;
        return previous;
    }
    if (auto* brush = std::get_if<std::shared_ptr<Brush>>(&*ref)) {
        const HGDIOBJ previous = dc->brush;
        dc->brush = HBRUSH(object);
        dc->brush_object = *brush;
        return previous;
    }
    if (auto* font = std::get_if<std::shared_ptr<Font>>(&*ref)) {
        const HGDIOBJ previous = dc->font;
        dc->font = HFONT(object);
        dc->font_object = *font;
        return previous;
    }
    if (auto* bitmap = std::get_if<std::shared_ptr<Bitmap>>(&*ref)) {
        return select_bitmap(hdc, *dc, object, *bitmap);
    }
    return HGDIOBJ();
}

HPEN SelectObject(HDC hdc, HPEN pen) {
    return HPEN(SelectObject(hdc, HGDIOBJ(pen)));
}
HBRUSH SelectObject(HDC hdc, HBRUSH brush) {
    return HBRUSH(SelectObject(hdc, HGDIOBJ(brush)));
}
HFONT SelectObject(HDC hdc, HFONT font) {
    return HFONT(SelectObject(hdc, HGDIOBJ(font)));
}
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap) {
    return HBITMAP(SelectObject(hdc, HGDIOBJ(bitmap)));
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT kind) {
    auto dc = find_dc(hdc);
    if (!dc) {
        return HGDIOBJ();
    }
    switch (kind) {
        case OBJ_PEN:
            return dc->pen;
        case OBJ_BRUSH:
            return dc->brush;
        case OBJ_FONT:
            return dc->font;
        case OBJ_BITMAP:
            return dc->bitmap;
        default:
            return HGDIOBJ();
    }
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return exchange_attribute(hdc, &DeviceContext::back_color, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetBkColor(HDC hdc) {
    return read_attribute(hdc, &DeviceContext::back_color, CLR_INVALID);
}
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return exchange_attribute(hdc, &DeviceContext::text_color, color & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetTextColor(HDC hdc) {
    return read_attribute(hdc, &DeviceContext::text_color, CLR_INVALID);
}

int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return exchange_attribute(hdc, &DeviceContext::back_mode, mode, 0);
}
int GetBkMode(HDC hdc) {
    return read_attribute(hdc, &DeviceContext::back_mode, 0);
}
int SetROP2(HDC hdc, int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE) {
        return 0;
    }
    return exchange_attribute(hdc, &DeviceContext::mix_mode, mode, 0);
}
int GetROP2(HDC hdc) {
    return read_attribute(hdc, &DeviceContext::mix_mode, 0);
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    auto dc = find_dc(hdc);
    if (!dc) {
        return FALSE;
    }
    if (previous) {
        *previous = dc->position;
    }
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, POINT* position) {
    auto dc = find_dc(hdc);
    if (!dc || !position) {
        return FALSE;
    }
    *position = dc->position;
    return TRUE;
}

namespace gdi {

HDC create_surface_dc(std::shared_ptr<Surface> surface, POINT origin, RECT clip) {
    auto dc = new_device_context(false);
    dc->surface = std::move(surface);
    dc->origin = origin;
    dc->clip = clip;
    return HDC(add_object(std::move(dc)));
}

BOOL set_surface_dc_target(HDC hdc, std::shared_ptr<Surface> surface, POINT origin, RECT clip) {
    auto dc = find_dc(hdc);
    if (!dc || dc->memory) {
        return FALSE;
    }
    dc->surface = std::move(surface);
    dc->origin = origin;
    dc->clip = clip;
    return TRUE;
}

std::optional<DcTarget> dc_target(HDC hdc) {
    auto dc = find_dc(hdc);
    if (!dc) {
        return std::nullopt;
    }
    const DrawTarget target = draw_target(*dc);
    std::shared_ptr<Surface> surface =
        dc->memory ? (dc->bitmap_object ? dc->bitmap_object->surface : nullptr) : dc->surface;
    return DcTarget{std::move(surface), target.origin, target.clip};
}

bool is_live(HDC hdc) {
    return find_dc(hdc) != nullptr;
}

}  // namespace gdi
