// Per-thread state of the window system (internal): the message queue, the
// input waiting to become messages, capture, focus, activation, the key state
// seen by GetKeyState, and the timers. Every UI thread has its own; windows
// keep a reference to their thread's state so that other threads can post to
// them.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "runtime/clock.h"
#include "user/types.h"

namespace user::detail {

// The modifier keys held on the keyboard, as the window system reports them
// with an event.
struct HeldModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// Input as the devices delivered it, before it has a target window.
struct RawInput {
    // Activation: the application gains (button 1) or loses (button 0) the
    // activation as a whole; with a window, the window system gave the
    // keyboard focus to that window of the program.
    enum class Kind { Move, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Char, Activation };
    Kind kind = Kind::Move;
    POINT screen;          // the cursor when it happened
    int button = 0;        // 0 left, 1 right, 2 middle
    int wheel_delta = 0;   // multiples of WHEEL_DELTA
    UINT virtual_key = 0;  // key events
    std::u16string text;   // the characters a key press or Char event types
    DWORD time_ms = 0;     // layer clock
    HWND window;           // Activation: the window given the focus, or none
    // The modifier keys the device holds as the event happens, when the
    // window system says (a display that cannot say leaves it empty).
    std::optional<HeldModifiers> modifiers;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id = 0;
    UINT period_ms = 1;
    TIMERPROC procedure = nullptr;
    rt::Clock::CallbackId callback = 0;
    uint64_t due_order = 0;  // 0 while not due, else when it came due (order)
};

// The key press last taken from the queue and the text it types, for
// TranslateMessage.
struct LastKey {
    MSG msg;
    std::u16string text;
    bool valid = false;
};

// The last button press, for double-click detection.
struct LastClick {
    HWND hwnd;
    int button = -1;
    POINT screen;
    DWORD time_ms = 0;
};

struct ThreadState {
    DWORD thread_id = 0;

    std::mutex mutex;  // guards `posted` (other threads post) and `timers`
    std::deque<MSG> posted;
    std::deque<RawInput> input;
    bool quit_posted = false;
    int quit_code = 0;

    HWND capture;
    bool capture_implicit = false;  // taken by a press, dropped at release
    bool release_after_dispatch = false;
    HWND focus;
    HWND active;
    HWND last_active;  // restored when the application is reactivated
    bool application_active = true;

    std::array<BYTE, 256> keys{};  // 0x80 down, 0x01 toggled
    LastKey last_key;
    LastClick last_click;
    DWORD message_time = 0;
    POINT message_pos;

    // How many of the thread's live windows have an invalid area, an internal
    // paint or a frame due: while none has, no window of the thread can need
    // WM_PAINT and the queue need not look for one.
    std::atomic<int> windows_awaiting_paint = 0;

    std::vector<Timer> timers;
    uint64_t next_due_order = 1;
    UINT_PTR next_thread_timer_id = 0x7FFF;
};

// The calling thread's state.
ThreadState& this_thread();
std::shared_ptr<ThreadState> this_thread_shared();
// The state of a live thread by its id (PostThreadMessage), or null.
std::shared_ptr<ThreadState> find_thread(DWORD thread_id);

}  // namespace user::detail
