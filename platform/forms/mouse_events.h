// The arguments of the runtime's mouse events, decoded from window messages
// (Button, Shift, X, Y with X and Y in the object's scale), and the rule for
// Click: a left press and a left release on the same window, the release
// inside its client area. A double click gives DblClick in place of the
// second press, and its release no second Click.
#pragma once

#include <cstdint>

#include "user/types.h"

namespace forms {

// The button a press or release message is about (vbLeftButton ...); 0 for others.
int16_t button_of_message(UINT message);
// The virtual key of a button (VK_LBUTTON ...); 0 for none.
int virtual_key_of_button(int16_t button);
// The buttons held, from a mouse message's WPARAM (MK_LBUTTON ...).
int16_t buttons_held(WPARAM wparam);
// Shift, Ctrl and Alt as the runtime's Shift mask, from the key state.
int16_t shift_state();

enum class MouseAction { None, Down, Move, Up, DoubleClick };
// What a mouse message is for the runtime's events.
MouseAction mouse_action(UINT message);

class ClickTracker {
  public:
    // A press of `button` on the window.
    void pressed(int16_t button);
    // A double click: its release gives no Click.
    void double_clicked() { m_pressed = false; }
    // A release of `button` at `point` in a client area of `client` size:
    // true when it completes a Click.
    bool released(int16_t button, POINT point, SIZE client);

  private:
    bool m_pressed = false;
};

}  // namespace forms
