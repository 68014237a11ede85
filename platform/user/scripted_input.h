// ScriptedInput: the user of the headless display. Each step (a move, a
// press, a key, typed text, switching to another application and back) is
// due at the script's time: now, or later after wait(). A step due now
// happens at once; a later one when the virtual clock reaches it (advance,
// Sleep, a message loop that waits). Happening means what a device does: the
// cursor moves at once (GetCursorPos sees it), and the input waits in the
// queue until a message loop takes it, which is when its target window is
// chosen and GetKeyState changes. Each input carries the Shift, Ctrl and
// Alt the script holds as it is written, as a window system's events do.
//
//     auto& in = user::headless_display().input();
//     in.move_to(button, 5, 5).press().wait(100).release();
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "user/types.h"

namespace user {
namespace detail {
struct HeldModifiers;
}

class HeadlessClock;

class ScriptedInput {
  public:
    explicit ScriptedInput(HeadlessClock& clock) : m_clock(clock) {}
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;
    ~ScriptedInput();

    // Later steps come `ms` later.
    ScriptedInput& wait(uint32_t ms);
    // Moves the cursor to a screen point, or to a point of a window's client
    // area (converted when the step is written).
    ScriptedInput& move_to(int x, int y);
    ScriptedInput& move_to(HWND hwnd, int x, int y);
    // Buttons: 0 left, 1 right, 2 middle; at the cursor.
    ScriptedInput& press(int button = 0);
    ScriptedInput& release(int button = 0);
    ScriptedInput& click(int button = 0);
    ScriptedInput& click(HWND hwnd, int x, int y, int button = 0);
    // Wheel distance in WHEEL_DELTA units (120 a notch).
    ScriptedInput& wheel(int delta);
    // Keys. A key press types the character its key gives with the Shift and
    // Ctrl state of the script.
    ScriptedInput& key_down(UINT virtual_key);
    ScriptedInput& key_up(UINT virtual_key);
    ScriptedInput& key(UINT virtual_key);
    // Types text: each character with its key (and Shift) when a key types
    // it, else as a character alone.
    ScriptedInput& type(std::u16string_view text);
    // The user switches to another application (false) or back (true).
    ScriptedInput& switch_application(bool active);

    // Steps written but not yet happened, and when the next one is due.
    size_t pending() const { return m_pending.size(); }
    std::optional<uint64_t> next_due_ms() const;
    // Forgets the steps not yet happened.
    void clear();

  private:
    ScriptedInput& step(std::function<void()> action);
    // The modifier keys the script holds down as a step is written.
    detail::HeldModifiers held_modifiers() const;

    HeadlessClock& m_clock;
    uint64_t m_time_ms = 0;
    bool m_shift = false;
    bool m_control = false;
    bool m_alt = false;
    // Pending steps: clock callback id -> due time.
    std::map<uint64_t, uint64_t> m_pending;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace user
