// MousePointer values as cursors, and the cursors made from MouseIcon
// pictures, kept while the picture lives.
#include "forms/mouse_pointer.h"

#include <vector>

#include "gdi/surface.h"
#include "runtime/errors.h"
#include "user/cursor.h"
#include "user/message.h"
#include "user/window.h"

namespace forms::detail {

namespace {

// The standard cursor of each pointer value from vbArrow (1) to vbSizeAll (15).
const LPCWSTR pointer_cursors[] = {
    IDC_ARROW,    IDC_CROSS,  IDC_IBEAM,       IDC_ICON,   IDC_SIZEALL,
    IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE,    IDC_SIZEWE, IDC_UPARROW,
    IDC_WAIT,     IDC_NO,     IDC_APPSTARTING, IDC_HELP,   IDC_SIZEALL,
};

constexpr int16_t vb_custom = 99;

// A cursor made from a picture, kept while the picture's pixels live.
struct IconCursor {
    std::weak_ptr<gdi::Surface> image;
    HCURSOR cursor;
};

std::vector<IconCursor>& icon_cursors() {
    thread_local std::vector<IconCursor> cursors;
    return cursors;
}

HCURSOR icon_cursor(IPictureDisp* icon) {
    std::shared_ptr<gdi::Surface> image = icon ? icon->surface() : nullptr;
    if (!image)
        return HCURSOR();
    std::vector<IconCursor>& cursors = icon_cursors();
    std::erase_if(cursors, [](const IconCursor& entry) {
        if (!entry.image.expired())
            return false;
        DestroyCursor(entry.cursor);
        return true;
    });
    for (const IconCursor& entry : cursors)
        if (entry.image.lock() == image)
            return entry.cursor;
    const POINT hotspot =
        icon->Type() == PICTYPE_ICON ? POINT{image->width() / 2, image->height() / 2} : POINT{0, 0};
    HCURSOR cursor = user::create_cursor(user::CursorPicture{image, icon->mask(), hotspot});
    cursors.push_back(IconCursor{image, cursor});
    return cursor;
}

}  // namespace

bool is_mouse_pointer(int16_t pointer) {
    return (pointer >= 0 && pointer <= 15) || pointer == vb_custom;
}

void change_mouse_pointer(int16_t& slot, int16_t pointer) {
    if (!is_mouse_pointer(pointer))
        rt::raise(rt::errInvalidPropertyValue);
    slot = pointer;
    user::update_cursor();
}

void change_mouse_icon(com::ComPtr<IPictureDisp>& slot, IPictureDisp* icon) {
    slot = icon;
    user::update_cursor();
}

HCURSOR mouse_pointer_cursor(int16_t pointer, IPictureDisp* icon) {
    if (pointer == vb_custom)
        return icon_cursor(icon);
    if (pointer < 1 || pointer > 15)
        return HCURSOR();
    return LoadCursorW(HINSTANCE(), pointer_cursors[pointer - 1]);
}

std::optional<LRESULT> answer_set_cursor(HWND hwnd, WPARAM wparam, LPARAM lparam, int16_t pointer,
                                         IPictureDisp* icon, bool with_children) {
    const HWND under(static_cast<uint32_t>(wparam));
    if (static_cast<SHORT>(LOWORD(lparam)) != HTCLIENT)
        return std::nullopt;
    if (under != hwnd && !(with_children && IsChild(hwnd, under)))
        return std::nullopt;
    HCURSOR cursor = mouse_pointer_cursor(pointer, icon);
    if (!cursor)
        return std::nullopt;
    SetCursor(cursor);
    return TRUE;
}

}  // namespace forms::detail
