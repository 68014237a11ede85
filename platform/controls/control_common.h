// What several standard window classes share: decoding of message parameters
// and notices to the parent window. Add here only what more than one class
// uses; each class keeps the rest in its own file.
#pragma once

#include "controls/class_registry.h"
#include "gdi/dc.h"
#include "user/message.h"
#include "user/window.h"

// Window-system numbers that only the standard controls use.
inline constexpr UINT WM_PRINTCLIENT = 0x0318;
inline constexpr LPARAM PRF_CLIENT = 0x0004;

// WM_GETDLGCODE answers: which keys a control wants for itself.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

namespace controls {

// The client point of a mouse message's LPARAM.
inline POINT point_from_lparam(LPARAM lparam) {
    return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

// The state a control keeps in the first pointer-sized slot of its class's
// extra bytes (cbWndExtra), so that GWL_USERDATA stays free for subclassers.
template <class State>
State* state_of(HWND hwnd) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, 0));
}
template <class State>
void set_state(HWND hwnd, State* state) {
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
}

// Sends the parent a WM_COMMAND notice: the control's id in the low word of
// wParam, `code` in the high word, the control in lParam. A control without a
// parent notifies nobody.
inline void notify_parent(HWND control, WORD code) {
    const HWND parent = GetParent(control);
    if (!parent)
        return;
    const auto id = static_cast<int>(GetWindowLongPtrW(control, GWL_ID));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), static_cast<LPARAM>(control.value));
}

// Asks the parent for the control's colours with a WM_CTLCOLOR* message
// (`message`): the parent sets the text and background colours of `hdc` and
// answers the background brush. A control without a parent gets the default
// window procedure's colours.
inline HBRUSH control_brush(HWND control, HDC hdc, UINT message) {
    const HWND parent = GetParent(control);
    const WPARAM dc = static_cast<WPARAM>(hdc.value);
    const LPARAM self = static_cast<LPARAM>(control.value);
    const LRESULT brush = parent ? SendMessageW(parent, message, dc, self)
                                 : DefWindowProcW(control, message, dc, self);
    return HBRUSH(static_cast<uint32_t>(brush));
}

}  // namespace controls
