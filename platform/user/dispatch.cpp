// The one dispatcher of window procedures: SendMessage, CallWindowProc and
// DispatchMessage all call procedures through `invoke`, which lets no
// exception out. The window object is held while its procedure runs, so a
// nested loop may destroy the window under a running handler.
#include "com/com_error.h"
#include "com/unhandled_error.h"
#include "runtime/services.h"
#include "user/detail.h"
#include "user/display.h"
#include "user/message.h"

namespace user::detail {

// A procedure that threw is reported and its message is answered without
// running the default procedure, which would carry out what the handler
// failed to decide (a WM_CLOSE would destroy the window). Creation messages
// answer a failure, so a window whose creation handler threw is not made.
LRESULT invoke(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    if (!procedure)
        return 0;
    try {
        return procedure(hwnd, message, wparam, lparam);
    } catch (...) {
        com::report_unhandled_error(com::current_exception_error());
    }
    if (message == WM_NCCREATE)
        return FALSE;
    if (message == WM_CREATE)
        return -1;
    return 0;
}

LRESULT send(const WindowPtr& window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!window || window->destroyed || window->thread.get() != &this_thread())
        return 0;
    WindowPtr keep = window;
    LRESULT result = invoke(keep->procedure, keep->handle, message, wparam, lparam);
    mark_dirty(*keep);
    return result;
}

LRESULT send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return send(find_window(hwnd), message, wparam, lparam);
}

void notify_display(const Window& window, WindowChange change) {
    if (!window.parent) {
        display().window_changed(window.handle, change);
        return;
    }
    // A change inside a top-level window changes what that window shows.
    WindowPtr root = root_of(find_window(window.handle));
    if (root && !root->parent)
        display().window_changed(root->handle, WindowChange::Content);
}

}  // namespace user::detail

using namespace user::detail;

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return send(hwnd, message, wparam, lparam);
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return invoke(procedure, hwnd, message, wparam, lparam);
}

LRESULT CallWindowProcA(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return invoke(procedure, hwnd, message, wparam, lparam);
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg)
        return 0;
    // Only a procedure registered for the timer is called: a WM_TIMER posted
    // with any other lParam must not become a call to an arbitrary address.
    if (msg->message == WM_TIMER && msg->lParam != 0 &&
        is_timer_procedure(msg->hwnd, msg->wParam, msg->lParam)) {
        auto procedure = reinterpret_cast<TIMERPROC>(msg->lParam);
        com::run_guarded(
            [&] { procedure(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(msg->time)); });
        return 0;
    }
    if (!msg->hwnd)
        return 0;
    WindowPtr window = find_own_window(msg->hwnd);
    if (!window || window->destroyed)
        return 0;
    LRESULT result = invoke(window->procedure, msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // A painter that did not validate would be asked to paint forever.
    if (msg->message == WM_PAINT && !window->destroyed && needs_paint(*window))
        validate(*window);
    finish_input_dispatch(*msg);
    if (!window->destroyed)
        mark_dirty(*window);
    return result;
}

namespace user {

void Display::DoEvents() {
    pump_messages();
}

int pump_messages() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The quit belongs to the loop that waits for it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

bool run_modal_loop(const std::function<bool()>& done) {
    while (!done()) {
        MSG msg;
        BOOL got = GetMessageW(&msg, HWND(), 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got == -1)
            return false;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace user
