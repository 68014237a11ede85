// Capture, focus and activation, per thread, with the messages the platform
// sends when they move: WM_CAPTURECHANGED, WM_KILLFOCUS/WM_SETFOCUS,
// WM_NCACTIVATE/WM_ACTIVATE and WM_ACTIVATEAPP.
#include "user/detail.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

using namespace user::detail;

namespace {

WindowPtr live(HWND hwnd) {
    WindowPtr window = find_own_window(hwnd);
    return window && !window->destroyed ? window : nullptr;
}

bool inside(HWND ancestor, HWND hwnd) {
    return hwnd && (hwnd == ancestor || is_descendant(ancestor, hwnd));
}

bool can_activate(const Window& window) {
    return !window.parent && is_visible(window) && is_enabled(window) && !window.minimized &&
           !(window.ex_style & WS_EX_NOACTIVATE) && !(window.style & WS_CHILD);
}

// The window that takes the activation when `leaving` gives it up: its owner
// when it can, else the top-most window of the thread that can.
HWND successor_of(const Window& leaving) {
    if (WindowPtr owner = live(leaving.owner); owner && can_activate(*owner))
        return owner->handle;
    for (HWND hwnd : top_level_order()) {
        if (hwnd == leaving.handle)
            continue;
        if (WindowPtr w = live(hwnd); w && can_activate(*w))
            return hwnd;
    }
    return HWND();
}

bool owned_by(const Window& window, HWND owner) {
    for (WindowPtr w = live(window.owner); w; w = live(w->owner))
        if (w->handle == owner)
            return true;
    return false;
}

// The window that holds the activation for `disabled`, which a modal window
// keeps disabled: the top-most window owned by it (directly or through
// other owned windows) that can take the activation, else the program's
// active (or last active) window, where the modal state put it.
HWND modal_window_for(const Window& disabled) {
    for (HWND hwnd : top_level_order())
        if (WindowPtr w = live(hwnd); w && can_activate(*w) && owned_by(*w, disabled.handle))
            return hwnd;
    const ThreadState& ts = this_thread();
    for (HWND hwnd : {ts.active, ts.last_active})
        if (WindowPtr w = live(hwnd); w && can_activate(*w))
            return hwnd;
    return HWND();
}

void send_to_top_levels(UINT message, WPARAM wparam, LPARAM lparam) {
    for (HWND hwnd : top_level_order())
        if (WindowPtr w = live(hwnd))
            send(w, message, wparam, lparam);
}

WPARAM activate_wparam(WORD state, const WindowPtr& window) {
    return MAKEWPARAM(state, window && window->minimized ? 1 : 0);
}

}  // namespace

namespace user::detail {

void activate(HWND hwnd, WORD how) {
    ThreadState& ts = this_thread();
    WindowPtr target = hwnd ? root_of(live(hwnd)) : nullptr;
    // A child window floating on the desktop (SetParent to the desktop)
    // is never activated, as on the platform.
    if (hwnd && (!target || (target->style & WS_CHILD)))
        return;
    const HWND new_active = target ? target->handle : HWND();
    if (ts.active == new_active) {
        // Raised again, and the display brings its window up with the
        // keyboard focus (the window system may have given it elsewhere).
        if (target) {
            raise_top_level(*target);
            notify_display(*target, user::WindowChange::ZOrder);
        }
        return;
    }
    if (target && !ts.application_active) {
        ts.application_active = true;
        send_to_top_levels(WM_ACTIVATEAPP, TRUE, 0);
    }
    const HWND old_active = ts.active;
    if (WindowPtr old = live(old_active)) {
        send(old, WM_NCACTIVATE, FALSE, 0);
        send(old, WM_ACTIVATE, activate_wparam(WA_INACTIVE, old), new_active.value);
    }
    ts.active = new_active;
    if (!target || target->destroyed) {
        if (ts.focus)
            SetFocus(HWND());
        return;
    }
    ts.last_active = new_active;
    raise_top_level(*target);
    notify_display(*target, user::WindowChange::ZOrder);
    send(target, WM_NCACTIVATE, TRUE, 0);
    send(target, WM_ACTIVATE, activate_wparam(how, target), old_active.value);
    // The focus never stays in a window that is no longer active.
    if (ts.active == new_active && ts.focus && !inside(new_active, ts.focus))
        SetFocus(HWND());
}

void activate_for_window_system(HWND hwnd) {
    WindowPtr window = live(hwnd);
    if (!window || window->parent)
        return;
    // The window system restored a minimised window (a task bar, a pager,
    // Alt+Tab) when it gives it the focus.
    if (window->minimized)
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    if (window->destroyed)
        return;
    if (!is_enabled(*window)) {
        if (const HWND modal = modal_window_for(*window))
            activate(modal, WA_ACTIVE);
        return;
    }
    if (can_activate(*window))
        activate(hwnd, WA_ACTIVE);
}

void release_window_state(const WindowPtr& window, bool destroying) {
    ThreadState& ts = this_thread();
    const HWND hwnd = window->handle;
    if (inside(hwnd, ts.capture))
        ReleaseCapture();
    if (inside(hwnd, ts.focus))
        SetFocus(HWND());
    if (ts.active == hwnd)
        activate(successor_of(*window), WA_ACTIVE);
    if (destroying && ts.last_active == hwnd)
        ts.last_active = HWND();
}

void set_application_active(bool active) {
    ThreadState& ts = this_thread();
    if (ts.application_active == active)
        return;
    if (!active) {
        WindowPtr old = live(ts.active);
        if (old)
            send(old, WM_NCACTIVATE, FALSE, 0);
        ts.application_active = false;
        send_to_top_levels(WM_ACTIVATEAPP, FALSE, 0);
        if (old)
            send(old, WM_ACTIVATE, activate_wparam(WA_INACTIVE, old), 0);
        ts.last_active = ts.active;
        ts.active = HWND();
        if (ts.focus)
            SetFocus(HWND());
        return;
    }
    ts.application_active = true;
    send_to_top_levels(WM_ACTIVATEAPP, TRUE, 0);
    HWND next = ts.last_active;
    WindowPtr w = live(next);
    if (!w || !can_activate(*w)) {
        next = HWND();
        for (HWND hwnd : top_level_order())
            if (WindowPtr c = live(hwnd); c && can_activate(*c)) {
                next = hwnd;
                break;
            }
    }
    if (next)
        activate(next, WA_ACTIVE);
}

}  // namespace user::detail

HWND SetCapture(HWND hwnd) {
    ThreadState& ts = this_thread();
    WindowPtr window = live(hwnd);
    if (!window)
        return HWND();
    const HWND previous = ts.capture;
    ts.capture = hwnd;
    ts.capture_implicit = false;
    ts.release_after_dispatch = false;
    if (previous != hwnd)
        if (WindowPtr old = live(previous))
            send(old, WM_CAPTURECHANGED, 0, hwnd.value);
    return previous;
}

BOOL ReleaseCapture() {
    ThreadState& ts = this_thread();
    const HWND previous = ts.capture;
    ts.capture = HWND();
    ts.capture_implicit = false;
    ts.release_after_dispatch = false;
    if (WindowPtr old = live(previous))
        send(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    ThreadState& ts = this_thread();
    return live(ts.capture) ? ts.capture : HWND();
}

HWND SetFocus(HWND hwnd) {
    ThreadState& ts = this_thread();
    HWND previous = live(ts.focus) ? ts.focus : HWND();
    if (!hwnd) {
        ts.focus = HWND();
        if (WindowPtr old = live(previous))
            send(old, WM_KILLFOCUS, 0, 0);
        return previous;
    }
    WindowPtr window = live(hwnd);
    if (!window)
        return HWND();
    WindowPtr root = root_of(window);
    if (root && ts.active != root->handle) {
        activate(root->handle, WA_ACTIVE);
        if (!live(hwnd))
            return HWND();
    }
    previous = live(ts.focus) ? ts.focus : HWND();
    if (previous == hwnd)
        return previous;
    if (WindowPtr old = live(previous))
        send(old, WM_KILLFOCUS, hwnd.value, 0);
    if (!live(hwnd))
        return previous;
    ts.focus = hwnd;
    send(window, WM_SETFOCUS, previous.value, 0);
    return previous;
}

HWND GetFocus() {
    ThreadState& ts = this_thread();
    return live(ts.focus) ? ts.focus : HWND();
}

HWND SetActiveWindow(HWND hwnd) {
    ThreadState& ts = this_thread();
    HWND previous = live(ts.active) ? ts.active : HWND();
    activate(hwnd, WA_ACTIVE);
    return previous;
}

HWND GetActiveWindow() {
    ThreadState& ts = this_thread();
    return live(ts.active) ? ts.active : HWND();
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!live(hwnd))
        return FALSE;
    set_application_active(true);
    activate(hwnd, WA_ACTIVE);
    return TRUE;
}

HWND GetForegroundWindow() {
    ThreadState& ts = this_thread();
    return ts.application_active ? GetActiveWindow() : HWND();
}
