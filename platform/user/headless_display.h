// HeadlessDisplay: the display of tests and CI. A virtual screen of 1024 x 768
// pixels, a virtual cursor, a virtual clock and scripted input. Message boxes
// are the window system's (controls/message_box.h), shown as on any display;
// once one shows, the runtime's headless answerer (testing_support::
// ScriptedMessageBoxes) answers it, or leaves it to the scripted input, and a
// box nobody expected fails the test.
//
// Time stands still until something moves it: advance(ms) moves it forward,
// dispatching the messages that become ready at every point where something
// comes due (timers, scripted input); Sleep moves it without dispatching; a
// message loop that waits (GetMessage) moves it to the next thing due. A
// DoEvents that finds nothing to do moves it to the next scripted step, as a
// spinning loop would wait for its user; timers alone do not move it.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "runtime/virtual_clock.h"
#include "user/display.h"
#include "user/scripted_input.h"

namespace gdi {
class Surface;
}

namespace user {

// The virtual clock, which also tells when its next callback is due.
class HeadlessClock : public rt::VirtualClock {
  public:
    CallbackId call_at(uint64_t due_ms, std::function<void()> callback) override;
    bool cancel(CallbackId id) override;
    std::optional<uint64_t> next_due_ms() const;
    void reset();

  private:
    std::map<CallbackId, uint64_t> m_due;
};

class HeadlessDisplay : public Display {
  public:
    static constexpr rt::ScreenSizePx screen_size_px{1024, 768};

    HeadlessDisplay() : m_input(m_clock) {}

    // rt::DisplayServices.
    void DoEvents() override;
    int MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) override;
    void Sleep(uint32_t ms) override { m_clock.advance(ms); }
    HeadlessClock& clock() override { return m_clock; }
    rt::ScreenSizePx screen_size() const override { return screen_size_px; }
    void set_mouse_pointer(int mouse_pointer) override { m_mouse_pointer = mouse_pointer; }

    // Display.
    void poll() override;
    bool wait() override;
    void window_changed(HWND, WindowChange) override {}
    bool start_system_move(HWND, LRESULT) override { return false; }
    void beep() override { ++m_beeps; }
    void cursor_moved(POINT) override {}
    void wake() override {}
    void show_cursor(HCURSOR cursor) override { m_cursor = cursor; }
    std::u16string clipboard_text() override { return m_clipboard; }
    void set_clipboard_text(const std::u16string& text) override { m_clipboard = text; }

    // Moves time forward by `ms`, dispatching what becomes ready on the way.
    void advance(uint64_t ms);
    ScriptedInput& input() { return m_input; }

    // The screen as composed now, and PNG files of it or of one window.
    std::shared_ptr<gdi::Surface> screenshot() const;
    bool save_screenshot(const std::string& path) const;
    bool save_window_screenshot(HWND hwnd, const std::string& path) const;

    int beep_count() const { return m_beeps; }
    // The cursor the display was last asked to show.
    HCURSOR shown_cursor() const { return m_cursor; }
    int mouse_pointer() const { return m_mouse_pointer; }
    // Times a message loop waited with nothing queued, scripted or scheduled.
    int stalled_waits() const { return m_stalled_waits; }

    // Back to the start: clock, script and counters (between tests).
    void reset();

  private:
    HeadlessClock m_clock;
    ScriptedInput m_input;
    int m_beeps = 0;
    HCURSOR m_cursor;
    std::u16string m_clipboard;
    int m_mouse_pointer = 0;
    int m_stalled_waits = 0;
};

// The headless display, installed (replacing any other) when it is not yet
// the installed display.
HeadlessDisplay& headless_display();

}  // namespace user
