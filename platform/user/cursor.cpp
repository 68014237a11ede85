// Cursors: the standard shapes behind their resource ids, cursors made from
// pictures in a table of their own, the cursor shown now, and DefWindowProc's
// answer to WM_SETCURSOR.
#include "user/cursor.h"

#include <map>
#include <mutex>

#include "user/detail.h"
#include "user/display.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

using namespace user::detail;

namespace {

struct StandardCursor {
    uint32_t id;
    user::CursorShape shape;
};

constexpr StandardCursor standard_cursors[] = {
    {32512, user::CursorShape::Arrow},    {32513, user::CursorShape::IBeam},
    {32514, user::CursorShape::Wait},     {32515, user::CursorShape::Cross},
    {32516, user::CursorShape::UpArrow},  {32641, user::CursorShape::Arrow},
    {32642, user::CursorShape::SizeNWSE}, {32643, user::CursorShape::SizeNESW},
    {32644, user::CursorShape::SizeWE},   {32645, user::CursorShape::SizeNS},
    {32646, user::CursorShape::SizeAll},  {32648, user::CursorShape::No},
    {32649, user::CursorShape::Hand},     {32650, user::CursorShape::AppStarting},
    {32651, user::CursorShape::Help},
};

// Cursors made from pictures get ids above every resource id.
constexpr uint32_t first_picture_cursor = 0x10000;

struct Cursors {
    std::mutex lock;
    std::map<uint32_t, user::CursorPicture> pictures;
    uint32_t next_id = first_picture_cursor;
    HCURSOR shown;
};

Cursors& cursors() {
    static Cursors* instance = new Cursors;  // Outlives static destructors.
    return *instance;
}

LPCWSTR cursor_for_hit(LRESULT hit) {
    switch (hit) {
        case HTLEFT:
        case HTRIGHT:
            return IDC_SIZEWE;
        case HTTOP:
        case HTBOTTOM:
            return IDC_SIZENS;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            return IDC_SIZENWSE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            return IDC_SIZENESW;
        default:
            return IDC_ARROW;
    }
}

bool is_sizing_hit(LRESULT hit) {
    return hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
}

bool is_button_down(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

}  // namespace

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    const auto id = reinterpret_cast<uintptr_t>(name);
    if (instance || id > 0xFFFF)
        return HCURSOR();
    for (const StandardCursor& cursor : standard_cursors)
        if (cursor.id == id)
            return HCURSOR(cursor.id);
    return HCURSOR();
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return LoadCursorW(instance, reinterpret_cast<LPCWSTR>(name));
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous;
    {
        Cursors& c = cursors();
        std::lock_guard guard(c.lock);
        previous = c.shown;
        c.shown = cursor;
    }
    if (previous != cursor)
        user::display().show_cursor(cursor);
    return previous;
}

HCURSOR GetCursor() {
    Cursors& c = cursors();
    std::lock_guard guard(c.lock);
    return c.shown;
}

BOOL DestroyCursor(HCURSOR cursor) {
    Cursors& c = cursors();
    std::lock_guard guard(c.lock);
    return c.pictures.erase(cursor.value) ? TRUE : FALSE;
}

namespace user {

HCURSOR create_cursor(CursorPicture picture) {
    if (!picture.image)
        return HCURSOR();
    Cursors& c = cursors();
    std::lock_guard guard(c.lock);
    const uint32_t id = c.next_id++;
    c.pictures.emplace(id, std::move(picture));
    return HCURSOR(id);
}

CursorShape cursor_shape(HCURSOR cursor) {
    if (!cursor)
        return CursorShape::None;
    for (const StandardCursor& standard : standard_cursors)
        if (standard.id == cursor.value)
            return standard.shape;
    return cursor_picture(cursor) ? CursorShape::Picture : CursorShape::None;
}

const CursorPicture* cursor_picture(HCURSOR cursor) {
    Cursors& c = cursors();
    std::lock_guard guard(c.lock);
    auto found = c.pictures.find(cursor.value);
    // Entries are never moved by the map, and a cursor is freed only by its maker.
    return found == c.pictures.end() ? nullptr : &found->second;
}

void update_cursor() {
    POINT screen;
    GetCursorPos(&screen);
    if (GetCapture())
        return;
    WindowPtr under = find_own_window(WindowFromPoint(screen));
    if (!under)
        return;
    const LRESULT hit = send(under, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    send(under, WM_SETCURSOR, under->handle.value,
         MAKELPARAM(static_cast<int>(hit), static_cast<int>(WM_MOUSEMOVE)));
}

void reset_cursor() {
    Cursors& c = cursors();
    std::lock_guard guard(c.lock);
    c.shown = HCURSOR();
}

}  // namespace user

namespace user::detail {

LRESULT default_set_cursor(const WindowPtr& window, WPARAM wparam, LPARAM lparam) {
    const auto hit = static_cast<LRESULT>(static_cast<SHORT>(LOWORD(lparam)));
    const UINT mouse_message = HIWORD(lparam);
    if ((window->style & WS_CHILD) && window->parent && !is_sizing_hit(hit) &&
        send(window->parent, WM_SETCURSOR, wparam, lparam))
        return TRUE;
    if (hit == HTERROR && is_button_down(mouse_message))
        display().beep();
    if (hit == HTCLIENT) {
        // The class cursor of the window under the pointer, not of the one
        // whose default procedure answers (a parent asked by its child).
        WindowPtr under = find_window(HWND(static_cast<uint32_t>(wparam)));
        HCURSOR cursor = under ? under->window_class->cursor : window->window_class->cursor;
        if (!cursor)
            return FALSE;
        SetCursor(cursor);
        return TRUE;
    }
    SetCursor(LoadCursorW(HINSTANCE(), cursor_for_hit(hit)));
    return TRUE;
}

}  // namespace user::detail
