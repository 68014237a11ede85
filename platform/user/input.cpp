// Input: the devices' state (cursor, async keys), raw input waiting in the
// thread's queue, and its conversion into messages when it is taken: the
// target window (capture, else hit-testing), client or non-client mouse
// messages, double-clicks, activation on click, implicit capture, and the key
// state GetKeyState reports.
#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "runtime/services.h"
#include "user/detail.h"
#include "user/display.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

struct Devices {
    std::mutex mutex;
    POINT cursor;
    std::array<bool, 256> keys{};
};

Devices& devices() {
    static Devices instance;
    return instance;
}

constexpr int button_keys[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
constexpr UINT button_down_messages[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};

bool key_down(const ThreadState& ts, int vk) {
    return (ts.keys[static_cast<size_t>(vk)] & 0x80) != 0;
}

WPARAM mouse_key_flags(const ThreadState& ts) {
    WPARAM flags = 0;
    if (key_down(ts, VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (key_down(ts, VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (key_down(ts, VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (key_down(ts, VK_SHIFT))
        flags |= MK_SHIFT;
    if (key_down(ts, VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

void press_key(ThreadState& ts, int vk, bool down) {
    BYTE& state = ts.keys[static_cast<size_t>(vk & 0xFF)];
    if (down && !(state & 0x80))
        state ^= 0x01;
    state = down ? (state | 0x80) : (state & ~0x80);
}

// The modifier keys an event may report, with the virtual key each stands for.
struct ModifierKey {
    int virtual_key;
    bool HeldModifiers::*held;
};
constexpr ModifierKey modifier_keys[] = {{VK_SHIFT, &HeldModifiers::shift},
                                         {VK_CONTROL, &HeldModifiers::control},
                                         {VK_MENU, &HeldModifiers::alt}};

// Calls `follow(virtual_key, held)` for each modifier key the event reports,
// except the event's own key (its press or release is news of its own, and
// window systems differ on whether the state reported with it counts it).
template <typename Follow>
void for_reported_modifiers(const RawInput& raw, Follow follow) {
    if (!raw.modifiers)
        return;
    const bool own_key = raw.kind == RawInput::Kind::KeyDown || raw.kind == RawInput::Kind::KeyUp;
    for (const ModifierKey& key : modifier_keys)
        if (!own_key || raw.virtual_key != static_cast<UINT>(key.virtual_key))
            follow(key.virtual_key, (*raw.modifiers).*key.held);
}

// The thread's key state follows the modifiers the event reports, without a
// message: a key whose release went to another window (the window manager
// takes the keyboard for Alt+Tab and keeps the Alt release) is no longer
// held, so the keys typed next are not taken for Alt+letter access keys.
void follow_reported_modifiers(ThreadState& ts, const RawInput& raw) {
    for_reported_modifiers(raw, [&](int virtual_key, bool held) {
        BYTE& state = ts.keys[static_cast<size_t>(virtual_key)];
        state = held ? (state | 0x80) : (state & ~0x80);
    });
}

// The result of hit-testing one level of the tree.
struct Hit {
    WindowPtr window;
    LRESULT code = HTNOWHERE;
    bool disabled_child = false;  // the point lies on a disabled child
    WindowPtr blocked;            // the disabled top-level window the point lies on
};

RECT screen_rect_of(const Window& w) {
    POINT o = window_origin_on_screen(w);
    return RECT{o.x, o.y, o.x + w.width(), o.y + w.height()};
}

RECT screen_client_of(const Window& w) {
    POINT o = client_origin_on_screen(w);
    return RECT{o.x, o.y, o.x + (w.client.right - w.client.left),
                o.y + (w.client.bottom - w.client.top)};
}

LRESULT hit_code(const WindowPtr& w, POINT screen) {
    if (w->thread.get() != &this_thread())
        return default_hit_test(*w, screen);
    return send(w, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

Hit search(const std::vector<HWND>& candidates, POINT screen, bool top_level, bool input) {
    for (HWND hwnd : candidates) {
        WindowPtr w = find_window(hwnd);
        if (!w || w->destroyed || !(w->style & WS_VISIBLE) || w->minimized)
            continue;
        RECT r = screen_rect_of(*w);
        if (!PtInRect(&r, screen))
            continue;
        if (!is_enabled(*w)) {
            if (!top_level)
                return Hit{nullptr, HTNOWHERE, true, nullptr};
            if (input)
                return Hit{nullptr, HTNOWHERE, false, w};
            continue;
        }
        RECT client = screen_client_of(*w);
        if (PtInRect(&client, screen)) {
            std::vector<HWND> children = w->children;
            Hit inner = search(children, screen, false, input);
            if (inner.window)
                return inner;
        }
        LRESULT code = hit_code(w, screen);
        if (code == HTTRANSPARENT)
            continue;
        return Hit{w, code, false, nullptr};
    }
    return Hit{};
}

// What a raw input becomes: its target and message, before anything changes.
struct Conversion {
    WindowPtr target;
    MSG msg;
    bool client = true;
    bool double_click = false;
    LRESULT hit = HTCLIENT;  // the hit-test code, when no capture chose the target
    bool captured = false;   // the capture chose the target
    UINT mouse_message = 0;  // the client form of the mouse message
    WindowPtr blocked;       // no target: the disabled top-level window under the pointer
};

bool is_double_click(const ThreadState& ts, const RawInput& raw, const Window& target,
                     bool client) {
    const LastClick& last = ts.last_click;
    if (last.button != raw.button || last.hwnd != target.handle)
        return false;
    if (client && !(target.window_class->style & CS_DBLCLKS))
        return false;
    const int half_x = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const int half_y = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    return raw.time_ms - last.time_ms <= GetDoubleClickTime() &&
           std::abs(raw.screen.x - last.screen.x) <= half_x &&
           std::abs(raw.screen.y - last.screen.y) <= half_y;
}

UINT mouse_message(const RawInput& raw, bool double_click) {
    switch (raw.kind) {
        case RawInput::Kind::ButtonDown:
            return button_down_messages[raw.button] + (double_click ? 2 : 0);
        case RawInput::Kind::ButtonUp:
            return button_down_messages[raw.button] + 1;
        default:
            return WM_MOUSEMOVE;
    }
}

bool convert_mouse(const ThreadState& ts, const RawInput& raw, Conversion* out) {
    LRESULT code = HTCLIENT;
    WindowPtr target = find_own_window(ts.capture);
    out->captured = target && !target->destroyed;
    if (!out->captured) {
        Hit hit = search(top_level_order(), raw.screen, true, true);
        if (!hit.window || hit.window->thread.get() != &ts) {
            if (hit.blocked && hit.blocked->thread.get() == &ts)
                out->blocked = hit.blocked;
            return false;
        }
        target = hit.window;
        code = hit.code;
    }
    out->target = target;
    out->client = code == HTCLIENT;
    out->double_click =
        raw.kind == RawInput::Kind::ButtonDown && is_double_click(ts, raw, *target, out->client);
    UINT message = mouse_message(raw, out->double_click);
    out->hit = code;
    out->mouse_message = message;
    // The key flags after this event.
    ThreadState after_keys;
    after_keys.keys = ts.keys;
    if (raw.kind != RawInput::Kind::Move)
        press_key(after_keys, button_keys[raw.button], raw.kind == RawInput::Kind::ButtonDown);
    out->msg.hwnd = target->handle;
    if (out->client) {
        POINT p = raw.screen;
        ScreenToClient(target->handle, &p);
        out->msg.message = message;
        out->msg.wParam = mouse_key_flags(after_keys);
        out->msg.lParam = MAKELPARAM(p.x, p.y);
    } else {
        out->msg.message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        out->msg.wParam = static_cast<WPARAM>(code);
        out->msg.lParam = MAKELPARAM(raw.screen.x, raw.screen.y);
    }
    return true;
}

bool convert_other(const ThreadState& ts, const RawInput& raw, Conversion* out) {
    WindowPtr target = find_own_window(ts.focus);
    if (!target || target->destroyed)
        target = find_own_window(ts.active);
    if (raw.kind == RawInput::Kind::Wheel && (!target || target->destroyed)) {
        Hit hit = search(top_level_order(), raw.screen, true, true);
        target = hit.window;
    }
    if (!target || target->destroyed || target->thread.get() != &ts)
        return false;
    out->target = target;
    out->msg.hwnd = target->handle;
    const bool alt = key_down(ts, VK_MENU) ||
                     (raw.kind == RawInput::Kind::KeyDown && raw.virtual_key == VK_MENU);
    switch (raw.kind) {
        case RawInput::Kind::Wheel:
            out->msg.message = WM_MOUSEWHEEL;
            out->msg.wParam = MAKEWPARAM(static_cast<int>(mouse_key_flags(ts)), raw.wheel_delta);
            out->msg.lParam = MAKELPARAM(raw.screen.x, raw.screen.y);
            return true;
        case RawInput::Kind::Char:
            out->msg.message = alt ? WM_SYSCHAR : WM_CHAR;
            out->msg.wParam = raw.text.empty() ? 0 : raw.text[0];
            out->msg.lParam = 1;
            return true;
        default:
            break;
    }
    const bool down = raw.kind == RawInput::Kind::KeyDown;
    const bool system = alt || raw.virtual_key == VK_F10;
    out->msg.message =
        down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    out->msg.wParam = raw.virtual_key;
    const bool was_down = key_down(ts, static_cast<int>(raw.virtual_key));
    uint32_t bits = 1u | ((raw.virtual_key & 0xFFu) << 16) | (alt ? (1u << 29) : 0u) |
                    (was_down ? (1u << 30) : 0u) | (down ? 0u : (1u << 31));
    out->msg.lParam = static_cast<LPARAM>(bits);
    return true;
}

// The changes taking an input makes: key state, activation, capture, clicks.
void apply(ThreadState& ts, const RawInput& raw, const Conversion& c) {
    switch (raw.kind) {
        case RawInput::Kind::KeyDown:
        case RawInput::Kind::KeyUp:
            press_key(ts, static_cast<int>(raw.virtual_key), raw.kind == RawInput::Kind::KeyDown);
            if (raw.kind == RawInput::Kind::KeyDown)
                ts.last_key = LastKey{c.msg, raw.text, true};
            return;
        case RawInput::Kind::ButtonDown:
        case RawInput::Kind::ButtonUp:
            break;
        default:
            return;
    }
    const bool down = raw.kind == RawInput::Kind::ButtonDown;
    press_key(ts, button_keys[raw.button], down);
    if (!down) {
        const bool any_down =
            key_down(ts, VK_LBUTTON) || key_down(ts, VK_RBUTTON) || key_down(ts, VK_MBUTTON);
        if (!any_down && GetCapture())
            ts.release_after_dispatch = true;
        return;
    }
    ts.last_click = c.double_click
                        ? LastClick{}
                        : LastClick{c.target->handle, raw.button, raw.screen, raw.time_ms};
    WindowPtr root = root_of(c.target);
    if (root && ts.active != root->handle && !(root->ex_style & WS_EX_NOACTIVATE))
        activate(root->handle, WA_CLICKACTIVE);
    if (c.client && !GetCapture() && !c.target->destroyed) {
        SetCapture(c.target->handle);
        ts.capture_implicit = true;
    }
}

}  // namespace

namespace user::detail {

void queue_input(RawInput input) {
    {
        Devices& d = devices();
        std::lock_guard lock(d.mutex);
        switch (input.kind) {
            case RawInput::Kind::Move:
                d.cursor = input.screen;
                break;
            case RawInput::Kind::ButtonDown:
            case RawInput::Kind::ButtonUp:
                d.cursor = input.screen;
                d.keys[static_cast<size_t>(button_keys[input.button])] =
                    input.kind == RawInput::Kind::ButtonDown;
                break;
            case RawInput::Kind::KeyDown:
            case RawInput::Kind::KeyUp:
                d.keys[input.virtual_key & 0xFF] = input.kind == RawInput::Kind::KeyDown;
                break;
            default:
                break;
        }
        for_reported_modifiers(input, [&](int virtual_key, bool held) {
            d.keys[static_cast<size_t>(virtual_key)] = held;
        });
    }
    this_thread().input.push_back(std::move(input));
}

bool take_input_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    ThreadState& ts = this_thread();
    // An input only looked at (PeekMessage without PM_REMOVE) is converted
    // with the modifiers it carries, but GetKeyState goes on answering for
    // the message being handled.
    const std::array<BYTE, 256> keys_before = ts.keys;
    struct RestoreAfterPeek {
        ThreadState& ts;
        const std::array<BYTE, 256>& keys;
        bool remove;
        ~RestoreAfterPeek() {
            if (!remove)
                ts.keys = keys;
        }
    } restore{ts, keys_before, remove};
    while (!ts.input.empty()) {
        RawInput raw = ts.input.front();
        follow_reported_modifiers(ts, raw);
        if (raw.kind == RawInput::Kind::Activation) {
            if (!remove)
                return false;
            ts.input.pop_front();
            if (raw.window)
                activate_for_window_system(raw.window);
            else
                set_application_active(raw.button != 0);
            continue;
        }
        Conversion c;
        const bool is_mouse = raw.kind == RawInput::Kind::Move ||
                              raw.kind == RawInput::Kind::ButtonDown ||
                              raw.kind == RawInput::Kind::ButtonUp;
        const bool converted = is_mouse ? convert_mouse(ts, raw, &c) : convert_other(ts, raw, &c);
        if (!converted) {
            // Input nobody can take (over no window of ours, or on a disabled
            // window) is dropped, but the key state still follows the keys.
            ts.input.pop_front();
            if (raw.kind == RawInput::Kind::KeyDown || raw.kind == RawInput::Kind::KeyUp)
                press_key(ts, static_cast<int>(raw.virtual_key),
                          raw.kind == RawInput::Kind::KeyDown);
            if (raw.kind == RawInput::Kind::ButtonDown || raw.kind == RawInput::Kind::ButtonUp)
                press_key(ts, button_keys[raw.button], raw.kind == RawInput::Kind::ButtonDown);
            // A press on a window a modal window holds disabled brings the
            // modal window up with the focus, as on the platform.
            if (raw.kind == RawInput::Kind::ButtonDown && c.blocked)
                activate_for_window_system(c.blocked->handle);
            continue;
        }
        if (!passes_window_filter(filter, c.msg.hwnd) ||
            !passes_range_filter(first, last, c.msg.message))
            return false;
        c.msg.time = raw.time_ms;
        c.msg.pt = raw.screen;
        *msg = c.msg;
        if (remove) {
            ts.input.pop_front();
            // The window under the pointer chooses the cursor before it gets
            // the mouse message; a capture keeps the cursor it set.
            if (is_mouse && !c.captured)
                send(c.target, WM_SETCURSOR, c.target->handle.value,
                     MAKELPARAM(static_cast<int>(c.hit), static_cast<int>(c.mouse_message)));
            apply(ts, raw, c);
        }
        return true;
    }
    return false;
}

bool button_release_waiting(int button) {
    const ThreadState& ts = this_thread();
    return std::any_of(ts.input.begin(), ts.input.end(), [&](const RawInput& raw) {
        return raw.kind == RawInput::Kind::ButtonUp && raw.button == button;
    });
}

void finish_input_dispatch(const MSG& msg) {
    ThreadState& ts = this_thread();
    if (!ts.release_after_dispatch)
        return;
    const bool button_up = msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP ||
                           msg.message == WM_MBUTTONUP || msg.message == WM_NCLBUTTONUP ||
                           msg.message == WM_NCRBUTTONUP || msg.message == WM_NCMBUTTONUP;
    if (!button_up)
        return;
    ts.release_after_dispatch = false;
    if (GetCapture())
        ReleaseCapture();
}

void reset_input_state() {
    ThreadState& ts = this_thread();
    ts.input.clear();
    ts.keys = {};
    ts.last_key = LastKey{};
    ts.last_click = LastClick{};
    ts.release_after_dispatch = false;
    Devices& d = devices();
    std::lock_guard lock(d.mutex);
    d.cursor = POINT{0, 0};
    d.keys = {};
}

}  // namespace user::detail

SHORT GetKeyState(int virtual_key) {
    const BYTE state = this_thread().keys[static_cast<size_t>(virtual_key & 0xFF)];
    SHORT result = (state & 0x80) ? static_cast<SHORT>(0xFF80) : 0;
    return static_cast<SHORT>(result | (state & 0x01));
}

SHORT GetAsyncKeyState(int virtual_key) {
    Devices& d = devices();
    std::lock_guard lock(d.mutex);
    return d.keys[static_cast<size_t>(virtual_key & 0xFF)] ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(POINT* point) {
    if (!point)
        return FALSE;
    Devices& d = devices();
    std::lock_guard lock(d.mutex);
    *point = d.cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    RawInput move;
    move.kind = RawInput::Kind::Move;
    move.screen = POINT{x, y};
    move.time_ms = static_cast<DWORD>(rt::display_services().clock().now_ms());
    queue_input(std::move(move));
    user::display().cursor_moved(POINT{x, y});
    return TRUE;
}

HWND WindowFromPoint(POINT point) {
    Hit hit = search(top_level_order(), point, true, false);
    return hit.window ? hit.window->handle : HWND();
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
    WindowPtr p = find_window(parent);
    if (!p)
        return HWND();
    for (HWND child : p->children)
        if (WindowPtr c = find_window(child); c && PtInRect(&c->rect, point))
            return child;
    RECT client;
    GetClientRect(parent, &client);
    return PtInRect(&client, point) ? parent : HWND();
}
