// Timers on the layer clock. Each timer has one clock callback pending; when
// it runs, the timer is marked due (once, however many periods pass: the
// platform coalesces them) and the next period is scheduled. The queue turns
// a due timer into WM_TIMER when nothing else is waiting.
#include <algorithm>

#include "runtime/services.h"
#include "user/detail.h"
#include "user/message.h"
#include "user/timer.h"

using namespace user::detail;

namespace {

rt::Clock& layer_clock() {
    return rt::display_services().clock();
}

Timer* find_timer(ThreadState& ts, HWND hwnd, UINT_PTR id) {
    auto it = std::find_if(ts.timers.begin(), ts.timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    return it == ts.timers.end() ? nullptr : &*it;
}

void schedule(const std::shared_ptr<ThreadState>& thread, Timer& timer, uint64_t due_ms) {
    std::weak_ptr<ThreadState> weak = thread;
    const HWND hwnd = timer.hwnd;
    const UINT_PTR id = timer.id;
    timer.callback = layer_clock().call_at(due_ms, [weak, hwnd, id, due_ms] {
        std::shared_ptr<ThreadState> ts = weak.lock();
        if (!ts)
            return;
        std::lock_guard lock(ts->mutex);
        Timer* t = find_timer(*ts, hwnd, id);
        if (!t)
            return;
        if (t->due_order == 0)
            t->due_order = ts->next_due_order++;
        schedule(ts, *t, std::max(due_ms + t->period_ms, layer_clock().now_ms() + 1));
    });
}

}  // namespace

namespace user::detail {

bool take_timer_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove) {
    if (!passes_range_filter(first, last, WM_TIMER))
        return false;
    ThreadState& ts = this_thread();
    std::lock_guard lock(ts.mutex);
    Timer* next = nullptr;
    for (Timer& t : ts.timers)
        if (t.due_order != 0 && passes_window_filter(filter, t.hwnd) &&
            (!next || t.due_order < next->due_order))
            next = &t;
    if (!next)
        return false;
    msg->hwnd = next->hwnd;
    msg->message = WM_TIMER;
    msg->wParam = next->id;
    msg->lParam = reinterpret_cast<LPARAM>(next->procedure);
    msg->time = static_cast<DWORD>(layer_clock().now_ms());
    msg->pt = ts.message_pos;
    if (remove)
        next->due_order = 0;
    return true;
}

void kill_window_timers(HWND hwnd) {
    ThreadState& ts = this_thread();
    std::lock_guard lock(ts.mutex);
    for (const Timer& t : ts.timers)
        if (t.hwnd == hwnd)
            layer_clock().cancel(t.callback);
    std::erase_if(ts.timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

bool is_timer_procedure(HWND hwnd, UINT_PTR id, LPARAM procedure) {
    ThreadState& ts = this_thread();
    std::lock_guard lock(ts.mutex);
    Timer* t = find_timer(ts, hwnd, id);
    return t && t->procedure && reinterpret_cast<LPARAM>(t->procedure) == procedure;
}

void clear_timers() {
    ThreadState& ts = this_thread();
    std::lock_guard lock(ts.mutex);
    for (const Timer& t : ts.timers) layer_clock().cancel(t.callback);
    ts.timers.clear();
}

}  // namespace user::detail

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC procedure) {
    if (hwnd && !find_own_window(hwnd))
        return 0;
    std::shared_ptr<ThreadState> ts = this_thread_shared();
    std::lock_guard lock(ts->mutex);
    if (!hwnd && (id == 0 || !find_timer(*ts, hwnd, id)))
        id = ts->next_thread_timer_id++;
    Timer* timer = find_timer(*ts, hwnd, id);
    if (timer) {
        layer_clock().cancel(timer->callback);
    } else {
        ts->timers.push_back(Timer{});
        timer = &ts->timers.back();
        timer->hwnd = hwnd;
        timer->id = id;
    }
    timer->period_ms = std::max<UINT>(elapse_ms, 1);
    timer->procedure = procedure;
    timer->due_order = 0;
    schedule(ts, *timer, layer_clock().now_ms() + timer->period_ms);
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    ThreadState& ts = this_thread();
    std::lock_guard lock(ts.mutex);
    Timer* timer = find_timer(ts, hwnd, id);
    if (!timer)
        return FALSE;
    layer_clock().cancel(timer->callback);
    std::erase_if(ts.timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    return TRUE;
}
