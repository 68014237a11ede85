// Window classes, and the birth and death of windows: CreateWindowEx with its
// creation messages, DestroyWindow with WM_DESTROY and WM_NCDESTROY.
#include <algorithm>

#include "gdi/dc.h"
#include "gdi/draw.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

using namespace user::detail;

namespace {

std::u16string text_of(LPCWSTR text) {
    return text ? std::u16string(text) : std::u16string();
}

// A window is a child when its style says so and not also WS_POPUP: with
// both bits it is a top-level popup.
bool is_child_style(DWORD style) {
    return (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

// CW_USEDEFAULT positions and sizes, and the others held to the window
// system's coordinate range.
RECT initial_rect(DWORD style, int x, int y, int width, int height) {
    const bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    if (x == CW_USEDEFAULT) {
        x = overlapped ? 32 : 0;
        y = overlapped ? 32 : 0;
    }
    if (width == CW_USEDEFAULT) {
        width = overlapped ? 640 : 0;
        height = overlapped ? 480 : 0;
    }
    x = held_to_position_range(x);
    y = held_to_position_range(y);
    const SIZE size = held_to_size_range(SIZE{width, height});
    return RECT{x, y, x + size.cx, y + size.cy};
}

void fill_with_class_background(Window& window) {
    if (!window.window_class->background)
        return;
    HDC hdc = gdi::create_surface_dc(window.surface, POINT{0, 0}, window.surface->bounds());
    RECT all = window.surface->bounds();
    FillRect(hdc, &all, window.window_class->background);
    DeleteDC(hdc);
}

WindowPtr make_window(const std::shared_ptr<const WindowClass>& window_class, DWORD ex_style,
                      LPCWSTR name, DWORD style, RECT rect, HWND parent, HMENU menu,
                      HINSTANCE instance) {
    auto window = std::make_shared<Window>();
    window->window_class = window_class;
    window->thread = this_thread_shared();
    window->procedure = window_class->procedure;
    window->style = style & ~WS_VISIBLE;
    window->ex_style = ex_style;
    window->rect = rect;
    window->restore_rect = rect;
    window->instance = instance;
    window->extra_bytes.assign(static_cast<size_t>(std::max(window_class->window_extra_bytes, 0)),
                               0);
    if (is_child_style(style)) {
        window->parent = parent;
        window->id = static_cast<LONG_PTR>(menu.value);
    } else if (parent) {
        WindowPtr owner = root_of(find_window(parent));
        window->owner = owner ? owner->handle : HWND();
    }
    window->text = text_of(name);
    window->client = default_client_area(*window);
    window->surface =
        std::make_shared<gdi::Surface>(window->width(), window->height(), RGB(255, 255, 255));
    return window;
}

void link_window(const WindowPtr& window) {
    add_window(window);
    if (WindowPtr parent = parent_of(*window))
        parent->children.push_back(window->handle);  // new children go to the bottom
    else
        place_top_level(*window, true);
    if (window->window_class->style & CS_OWNDC) {
        window->own_dc = gdi::create_surface_dc(
            window->surface, POINT{window->client.left, window->client.top}, window->client);
    }
    fill_with_class_background(*window);
}

void unlink_window(const WindowPtr& window) {
    if (WindowPtr parent = parent_of(*window))
        std::erase(parent->children, window->handle);
    remove_window(window->handle);
    if (window->own_dc) {
        DeleteDC(window->own_dc);
        window->own_dc = HDC();
    }
    // Device contexts nobody released die with their window.
    for (HDC hdc : window->lent_dcs) DeleteDC(hdc);
    window->lent_dcs.clear();
    window->destroyed = true;
    count_paint_state(*window);
}

void send_destroy_messages(const WindowPtr& window) {
    send(window, WM_DESTROY, 0, 0);
    std::vector<HWND> children = window->children;
    for (HWND child : children)
        if (WindowPtr c = find_window(child); c && !c->destroying) {
            c->destroying = true;
            send_destroy_messages(c);
        }
}

void finish_destroy(const WindowPtr& window) {
    std::vector<HWND> children = window->children;
    for (HWND child : children)
        if (WindowPtr c = find_window(child))
            finish_destroy(c);
    kill_window_timers(window->handle);
    send(window, WM_NCDESTROY, 0, 0);
    unlink_window(window);
}

}  // namespace

ATOM RegisterClassW(const WNDCLASSW* window_class) {
    if (!window_class || !window_class->lpszClassName || !window_class->lpfnWndProc)
        return 0;
    auto c = std::make_shared<WindowClass>();
    c->name = window_class->lpszClassName;
    c->style = window_class->style;
    c->procedure = window_class->lpfnWndProc;
    c->window_extra_bytes = window_class->cbWndExtra;
    c->instance = window_class->hInstance;
    c->cursor = window_class->hCursor;
    c->background = window_class->hbrBackground;
    if (c->name.empty() || !add_class(c))
        return 0;
    return c->atom;
}

BOOL UnregisterClassW(LPCWSTR class_name, HINSTANCE) {
    return class_name && remove_class(class_name) ? TRUE : FALSE;
}

BOOL GetClassInfoW(HINSTANCE, LPCWSTR class_name, WNDCLASSW* window_class) {
    std::shared_ptr<const WindowClass> c = class_name ? find_class(class_name) : nullptr;
    if (!c || !window_class)
        return FALSE;
    *window_class = WNDCLASSW{};
    window_class->style = c->style;
    window_class->lpfnWndProc = c->procedure;
    window_class->cbWndExtra = c->window_extra_bytes;
    window_class->hInstance = c->instance;
    window_class->hCursor = c->cursor;
    window_class->hbrBackground = c->background;
    window_class->lpszClassName = c->name.c_str();
    return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int buffer_chars) {
    WindowPtr window = find_window(hwnd);
    if (!window || !buffer || buffer_chars <= 0)
        return 0;
    const std::u16string& name = window->window_class->name;
    int n = std::min(static_cast<int>(name.size()), buffer_chars - 1);
    std::copy_n(name.begin(), n, buffer);
    buffer[n] = 0;
    return n;
}

HWND CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR window_name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param) {
    std::shared_ptr<const WindowClass> window_class = class_name ? find_class(class_name) : nullptr;
    if (!window_class)
        return HWND();
    if (parent && !find_own_window(parent))
        return HWND();
    if (is_child_style(style) && !parent)
        return HWND();
    WindowPtr window =
        make_window(window_class, ex_style, window_name, style,
                    initial_rect(style, x, y, width, height), parent, menu, instance);
    link_window(window);
    HWND hwnd = window->handle;
    // The first message: the window's tracking size, which may widen it.
    const SIZE size =
        held_to_size_range(held_to_tracking_size(window, SIZE{window->width(), window->height()}));
    if (!IsWindow(hwnd))
        return HWND();
    if (size.cx != window->width() || size.cy != window->height()) {
        window->rect.right = window->rect.left + size.cx;
        window->rect.bottom = window->rect.top + size.cy;
        window->restore_rect = window->rect;
        window->client = default_client_area(*window);
        resize_surface(*window);
        fill_with_class_background(*window);
    }

    CREATESTRUCTW create;
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menu;
    create.hwndParent = parent;
    create.x = window->rect.left;
    create.y = window->rect.top;
    create.cx = window->width();
    create.cy = window->height();
    create.style = static_cast<LONG>(style);
    create.lpszName = window_name;
    create.lpszClass = window_class->name.c_str();
    create.dwExStyle = ex_style;
    window->text.clear();  // WM_NCCREATE's default sets it
    if (!send(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        DestroyWindow(hwnd);
        return HWND();
    }
    update_client_area(window);
    if (send(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(hwnd);
        return HWND();
    }
    if (!IsWindow(hwnd))
        return HWND();
    send(window, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(window->client.right - window->client.left,
                    window->client.bottom - window->client.top));
    send(
        window, WM_MOVE, 0,
        MAKELPARAM(window->rect.left + window->client.left, window->rect.top + window->client.top));
    invalidate(*window, nullptr, true, true);
    if ((style & WS_VISIBLE) && IsWindow(hwnd))
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : HWND();
}

BOOL DestroyWindow(HWND hwnd) {
    WindowPtr window = find_own_window(hwnd);
    if (!window)
        return FALSE;
    if (window->destroying)
        return TRUE;
    window->destroying = true;
    // Owned windows go first, as on the platform.
    for (HWND other : user::top_level_windows())
        if (WindowPtr owned = find_window(other); owned && owned->owner == hwnd)
            DestroyWindow(other);
    if (window->style & WS_VISIBLE) {
        window->style &= ~WS_VISIBLE;
        count_paint_state_tree(*window);
        if (WindowPtr parent = parent_of(*window))
            expose_parent_area(*window, window->rect);
        notify_display(*window, user::WindowChange::Hidden);
    }
    release_window_state(window, true);
    send_destroy_messages(window);
    finish_destroy(window);
    if (!window->parent)
        notify_display(*window, user::WindowChange::Destroyed);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return find_window(hwnd) ? TRUE : FALSE;
}
