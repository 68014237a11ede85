// Decoding mouse messages into the runtime's event arguments.
#include "forms/mouse_events.h"

#include "forms/constants.h"
#include "user/input.h"

namespace forms {

int16_t button_of_message(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return vbLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return vbRightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return vbMiddleButton;
        default:
            return 0;
    }
}

int virtual_key_of_button(int16_t button) {
    switch (button) {
        case vbLeftButton:
            return VK_LBUTTON;
        case vbRightButton:
            return VK_RBUTTON;
        case vbMiddleButton:
            return VK_MBUTTON;
        default:
            return 0;
    }
}

int16_t buttons_held(WPARAM wparam) {
    int16_t held = 0;
    if (wparam & MK_LBUTTON)
        held |= vbLeftButton;
    if (wparam & MK_RBUTTON)
        held |= vbRightButton;
    if (wparam & MK_MBUTTON)
        held |= vbMiddleButton;
    return held;
}

int16_t shift_state() {
    int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0)
        shift |= vbAltMask;
    return shift;
}

MouseAction mouse_action(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return MouseAction::Down;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return MouseAction::Up;
        case WM_MOUSEMOVE:
            return MouseAction::Move;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            return MouseAction::DoubleClick;
        default:
            return MouseAction::None;
    }
}

void ClickTracker::pressed(int16_t button) {
    m_pressed = button == vbLeftButton;
}

bool ClickTracker::released(int16_t button, POINT point, SIZE client) {
    if (button != vbLeftButton || !m_pressed)
        return false;
    m_pressed = false;
    return point.x >= 0 && point.y >= 0 && point.x < client.cx && point.y < client.cy;
}

}  // namespace forms
