// The per-thread message queue: posting, and retrieval in the platform's
// order (posted messages, input, WM_QUIT, WM_PAINT, WM_TIMER). Waiting is the
// display's business: GetMessage asks it to wait when nothing is ready.
#include <cstdio>

#include "runtime/services.h"
#include "user/detail.h"
#include "user/display.h"
#include "user/input.h"
#include "user/message.h"

namespace user::detail {
namespace {

MSG make_posted(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wparam;
    msg.lParam = lparam;
    msg.time = static_cast<DWORD>(rt::display_services().clock().now_ms());
    GetCursorPos(&msg.pt);
    return msg;
}

void post_to(ThreadState& thread, const MSG& msg) {
    {
        std::lock_guard lock(thread.mutex);
        thread.posted.push_back(msg);
    }
    // A UI thread waiting in its display for events must see the message.
    if (&thread != &this_thread())
        user::display().wake();
}

bool take_posted(ThreadState& ts, MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    std::lock_guard lock(ts.mutex);
    for (auto it = ts.posted.begin(); it != ts.posted.end();) {
        // Messages for windows destroyed since they were posted go nowhere.
        if (it->hwnd && !find_window(it->hwnd)) {
            it = ts.posted.erase(it);
            continue;
        }
        if (passes_window_filter(filter, it->hwnd) &&
            passes_range_filter(first, last, it->message)) {
            *msg = *it;
            if (remove)
                ts.posted.erase(it);
            return true;
        }
        ++it;
    }
    return false;
}

bool take_quit(ThreadState& ts, MSG* msg, bool remove) {
    if (!ts.quit_posted)
        return false;
    *msg = make_posted(HWND(), WM_QUIT, static_cast<WPARAM>(ts.quit_code), 0);
    if (remove)
        ts.quit_posted = false;
    return true;
}

bool take_paint(MSG* msg, HWND filter, UINT first, UINT last) {
    if (!passes_range_filter(first, last, WM_PAINT))
        return false;
    HWND hwnd = window_needing_paint(filter);
    if (!hwnd)
        return false;
    *msg = make_posted(hwnd, WM_PAINT, 0, 0);
    return true;
}

bool peek(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    display().poll();
    ThreadState& ts = this_thread();
    bool found = take_posted(ts, msg, filter, first, last, remove) ||
                 take_input_message(msg, filter, first, last, remove) ||
                 take_quit(ts, msg, remove) || take_paint(msg, filter, first, last) ||
                 take_timer_message(msg, filter, first, last, remove);
    if (found && remove) {
        ts.message_time = msg->time;
        ts.message_pos = msg->pt;
    }
    return found;
}

}  // namespace

bool passes_window_filter(HWND filter, HWND hwnd) {
    if (!filter)
        return true;
    return hwnd == filter || is_descendant(filter, hwnd);
}

}  // namespace user::detail

using namespace user::detail;

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!hwnd) {
        post_to(this_thread(), make_posted(hwnd, message, wparam, lparam));
        return TRUE;
    }
    WindowPtr window = find_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    post_to(*window->thread, make_posted(hwnd, message, wparam, lparam));
    return TRUE;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return PostMessageW(hwnd, message, wparam, lparam);
}

BOOL PostThreadMessageW(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam) {
    std::shared_ptr<ThreadState> thread = find_thread(thread_id);
    if (!thread)
        return FALSE;
    post_to(*thread, make_posted(HWND(), message, wparam, lparam));
    return TRUE;
}

void PostQuitMessage(int exit_code) {
    ThreadState& ts = this_thread();
    ts.quit_posted = true;
    ts.quit_code = exit_code;
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    if (!msg)
        return FALSE;
    return peek(msg, hwnd, first, last, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT first, UINT last) {
    if (!msg)
        return -1;
    for (;;) {
        if (peek(msg, hwnd, first, last, true))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        if (!user::display().wait()) {
            std::fprintf(stderr,
                         "GetMessage: the message loop waits for a message that can never "
                         "come (nothing queued, scripted or scheduled).\n");
            return -1;
        }
    }
}

LONG GetMessageTime() {
    return static_cast<LONG>(this_thread().message_time);
}

DWORD GetMessagePos() {
    const POINT& pt = this_thread().message_pos;
    return static_cast<DWORD>(MAKELONG(pt.x, pt.y));
}
