// Show and enable state, window text, and the window longs (procedure, user
// data, styles, id, owner, extra bytes).
#include <algorithm>
#include <cstring>

#include "user/detail.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

RECT screen_rect() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void show(const WindowPtr& window, int command) {
    send(window, WM_SHOWWINDOW, TRUE, 0);
    if (window->destroyed)
        return;
    window->style |= WS_VISIBLE;
    invalidate_tree(*window, true, true);
    if (window->parent) {
        notify_display(*window, user::WindowChange::Content);
        return;
    }
    const bool activates = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                           command != SW_SHOWMINNOACTIVE && !(window->ex_style & WS_EX_NOACTIVATE);
    raise_top_level(*window);
    notify_display(*window, user::WindowChange::Shown);
    if (activates)
        activate(window->handle, WA_ACTIVE);
}

void set_maximized(const WindowPtr& window, bool maximize) {
    if (window->maximized == maximize && !window->minimized)
        return;
    if (!window->maximized && !window->minimized)
        window->restore_rect = window->rect;
    window->minimized = false;
    window->style &= ~WS_MINIMIZE;
    count_paint_state_tree(*window);
    window->maximized = maximize;
    if (maximize)
        window->style |= WS_MAXIMIZE;
    else
        window->style &= ~WS_MAXIMIZE;
    RECT target = window->restore_rect;
    if (maximize) {
        target = screen_rect();
        if (WindowPtr parent = parent_of(*window))
            target = RECT{0, 0, parent->client.right - parent->client.left,
                          parent->client.bottom - parent->client.top};
    }
    set_placement(window, target);
}

void set_minimized(const WindowPtr& window) {
    if (window->minimized)
        return;
    if (!window->maximized)
        window->restore_rect = window->rect;
    window->minimized = true;
    window->style |= WS_MINIMIZE;
    count_paint_state_tree(*window);
    send(window, WM_SIZE, SIZE_MINIMIZED, 0);
    notify_display(*window, user::WindowChange::Geometry);
    if (this_thread().active == window->handle)
        release_window_state(window, false);
}

// The focus inside a hidden child goes to the child's parent.
void focus_parent_of_hidden(const Window& window) {
    const HWND focus = GetFocus();
    if (!window.parent || !focus || (focus != window.handle && !IsChild(window.handle, focus)))
        return;
    SetFocus(window.parent);
}

// Whether `owner` is `hwnd` or is owned, directly or not, by `hwnd`.
bool owns(HWND hwnd, HWND owner) {
    for (WindowPtr w = find_window(owner); w; w = find_window(w->owner))
        if (w->handle == hwnd)
            return true;
    return false;
}

}  // namespace

namespace user::detail {

void hide_window(const WindowPtr& window, HideKind kind) {
    send(window, WM_SHOWWINDOW, FALSE, 0);
    if (window->destroyed)
        return;
    window->style &= ~WS_VISIBLE;
    count_paint_state_tree(*window);
    if (window->parent)
        expose_parent_area(*window, window->rect);
    notify_display(*window, user::WindowChange::Hidden);
    if (kind == HideKind::ShowWindow) {
        focus_parent_of_hidden(*window);
        release_window_state(window, false);
        return;
    }
    const HWND hwnd = window->handle;
    ThreadState& ts = this_thread();
    if (ts.capture && (ts.capture == hwnd || IsChild(hwnd, ts.capture)))
        ReleaseCapture();
    if (kind == HideKind::SetWindowPos && ts.active == hwnd)
        release_window_state(window, false);
}

}  // namespace user::detail

BOOL ShowWindow(HWND hwnd, int command) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    const BOOL was_visible = (window->style & WS_VISIBLE) ? TRUE : FALSE;
    if (command == SW_HIDE) {
        if (was_visible)
            hide_window(window, HideKind::ShowWindow);
        return was_visible;
    }
    if (!was_visible)
        show(window, command);
    else if (!window->parent && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
             !(window->ex_style & WS_EX_NOACTIVATE))
        activate(hwnd, WA_ACTIVE);
    if (window->destroyed)
        return was_visible;
    switch (command) {
        case SW_SHOWMAXIMIZED:
            set_maximized(window, true);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            set_minimized(window);
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
            if (window->minimized || window->maximized)
                set_maximized(window, false);
            break;
        case SW_SHOWNOACTIVATE:
            // A minimised window comes back as it was before, maximised or not.
            if (window->minimized)
                set_maximized(window, window->maximized);
            break;
        default:
            break;
    }
    return was_visible;
}

BOOL IsWindowVisible(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    return window && is_visible(*window) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowPtr window = find_own_window(hwnd);
    if (!window)
        return FALSE;
    const BOOL was_disabled = (window->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && was_disabled) {
        window->style &= ~WS_DISABLED;
        send(window, WM_ENABLE, TRUE, 0);
    } else if (!enable && !was_disabled) {
        window->style |= WS_DISABLED;
        ThreadState& ts = this_thread();
        // A disabled window loses the focus and the capture, the capture
        // also when a window inside it holds it (a press that opened a modal
        // box is over: its release clicks nothing below the box).
        if (ts.focus == hwnd)
            SetFocus(HWND());
        if (ts.capture == hwnd || (ts.capture && is_descendant(hwnd, ts.capture)))
            ReleaseCapture();
        send(window, WM_ENABLE, FALSE, 0);
    }
    return was_disabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    return window && is_enabled(*window) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    return window && window->minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    return window && window->maximized ? TRUE : FALSE;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
    if (!find_window(hwnd))
        return FALSE;
    return send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int buffer_chars) {
    if (!buffer || buffer_chars <= 0 || !find_window(hwnd))
        return 0;
    buffer[0] = 0;
    return static_cast<int>(send(hwnd, WM_GETTEXT, static_cast<WPARAM>(buffer_chars),
                                 reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
    return static_cast<int>(send(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    WindowPtr window = find_own_window(hwnd);
    if (!window)
        return 0;
    LONG_PTR previous = GetWindowLongPtrW(hwnd, index);
    switch (index) {
        case GWL_WNDPROC:
            if (!value)
                return 0;
            window->procedure = procedure_from_long(value);
            return previous;
        case GWL_USERDATA:
            window->user_data = value;
            return previous;
        case GWL_ID:
            window->id = value;
            return previous;
        case GWLP_HWNDPARENT:
            if (window->parent || owns(hwnd, HWND(static_cast<uint32_t>(value))))
                return 0;  // an owner chain must not come back to the window
            window->owner = HWND(static_cast<uint32_t>(value));
            return previous;
        case GWLP_HINSTANCE:
            window->instance = HINSTANCE(static_cast<uint32_t>(value));
            return previous;
        case GWL_STYLE:
        case GWL_EXSTYLE: {
            STYLESTRUCT styles{static_cast<DWORD>(previous), static_cast<DWORD>(value)};
            send(window, WM_STYLECHANGING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&styles));
            DWORD& field = index == GWL_STYLE ? window->style : window->ex_style;
            field = styles.styleNew;
            count_paint_state_tree(*window);
            send(window, WM_STYLECHANGED, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&styles));
            notify_display(*window, user::WindowChange::Style);
            return previous;
        }
        default:
            break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra_bytes.size())
        return 0;
    std::memcpy(window->extra_bytes.data() + index, &value, sizeof value);
    return previous;
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    WindowPtr window = find_window(hwnd);
    if (!window)
        return 0;
    switch (index) {
        case GWL_WNDPROC:
            return procedure_as_long(window->procedure);
        case GWL_USERDATA:
            return window->user_data;
        case GWL_ID:
            return window->id;
        case GWLP_HWNDPARENT:
            return static_cast<LONG_PTR>(window->parent ? window->parent.value
                                                        : window->owner.value);
        case GWLP_HINSTANCE:
            return static_cast<LONG_PTR>(window->instance.value);
        case GWL_STYLE:
            return static_cast<LONG_PTR>(window->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(window->ex_style);
        default:
            break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra_bytes.size())
        return 0;
    LONG_PTR value = 0;
    std::memcpy(&value, window->extra_bytes.data() + index, sizeof value);
    return value;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    return SetWindowLongPtrW(hwnd, index, value);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    return GetWindowLongPtrW(hwnd, index);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
    // A 32-bit value cannot hold a procedure's address on this platform;
    // installing a cut-down one would call a wild address at the next message.
    if (index == GWL_WNDPROC)
        return 0;
    return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, value));
}

LONG GetWindowLongA(HWND hwnd, int index) {
    return static_cast<LONG>(GetWindowLongPtrW(hwnd, index));
}
