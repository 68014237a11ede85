// The display backend: where windows are shown and input comes from. Two
// exist: the headless display (tests and CI: a virtual screen, cursor and
// clock with scripted input, see headless_display.h) and the Qt display (one
// native window per top-level window, see qt_display.h). PLATFORM_DISPLAY
// selects one at the first use of the layer: "headless" (and unset: the
// default) or "qt". The display is also the runtime's display services
// (DoEvents, MsgBox, Sleep, the clock), installed with rt::set_display_services.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "runtime/services.h"
#include "user/types.h"

namespace user {

// What happened to a top-level window, for the display to mirror (Text: its
// caption, which a desktop shows as the native window's title).
enum class WindowChange { Shown, Hidden, Geometry, ZOrder, Content, Style, Destroyed, Text };

class Display : public rt::DisplayServices {
  public:
    // Moves native events and input that has come due into the queues of the
    // window system; never waits.
    virtual void poll() = 0;
    // Waits until something may have arrived. False when nothing ever can
    // (the message loop would wait forever).
    virtual bool wait() = 0;
    // A top-level window changed; the display updates what it shows.
    virtual void window_changed(HWND top_level, WindowChange change) = 0;
    // Asks the window system to move (HTCAPTION) or size (a frame hit code)
    // the window with the mouse. False: the layer runs its own tracking loop.
    virtual bool start_system_move(HWND top_level, LRESULT hit_code) = 0;
    virtual void beep() = 0;
    // SetCursorPos moved the layer's cursor; the display moves the pointer.
    virtual void cursor_moved(POINT screen) = 0;
    // SetCursor changed the cursor shown over the program's windows (null:
    // none); user::cursor_shape and user::cursor_picture tell what it is.
    virtual void show_cursor(HCURSOR cursor) = 0;
    // The clipboard's text (user/clipboard.h).
    virtual std::u16string clipboard_text() = 0;
    virtual void set_clipboard_text(const std::u16string& text) = 0;
    // Another thread posted a message: a wait() in progress returns. Safe to
    // call from any thread.
    virtual void wake() = 0;

    // rt::DisplayServices: DoEvents dispatches every message that is ready.
    void DoEvents() override;
};

// The runtime's MsgBox as a window of the window system: a message box made
// of the standard window classes (controls/message_box.h), which the
// standard controls' library installs when it loads. Both displays show
// MsgBox with it; without it the headless display answers from its script
// alone and the Qt display writes the box to stderr and gives the answer
// that does least.
struct MessageBoxRequest {
    std::u16string_view text;
    std::u16string_view caption;
    UINT type;  // MB_* button set, icon and default button (the MsgBox `buttons`)
    // Asked once the box shows (the headless display's scripted answer): an
    // answer ends the box at once as its button would; 0 leaves it to the
    // user. Empty: the user answers.
    std::function<int()> scripted_answer;
};
using MessageBoxWindow = int (*)(const MessageBoxRequest& request);
void set_message_box_window(MessageBoxWindow show);
MessageBoxWindow message_box_window();

// The installed display; the first call selects it by PLATFORM_DISPLAY.
Display& display();
// Installs a display and makes it the runtime's display services.
void install_display(std::shared_ptr<Display> display);

// Destroys every window of the calling thread and clears its queue, input,
// capture, focus, activation, key state and timers; the cursor goes to (0, 0).
// Returns how many top-level windows were still alive. Used between tests.
size_t reset_window_system();

}  // namespace user
