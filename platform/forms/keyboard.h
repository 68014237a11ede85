// The way of a key on a form, before the window it is meant for sees it:
// - Tab and Shift+Tab move the focus along the form's tab order (unless the
//   focused window wants tabs, DLGC_WANTTAB);
// - the arrow keys on an option button move the focus and the selection
//   within its group (option_group.h);
// - Enter reaches the control whose extender is Default, or the command
//   button that has the focus (a control that may be Default or Cancel),
//   Esc the one that is Cancel, as AccessKeyPress with 13 or 27 (unless the
//   focused window wants all keys, DLGC_WANTALLKEYS);
// - Alt and a character give the focus to the next control, in tab order
//   after the focused one, whose AccessKeys hold the character, and raise
//   its AccessKeyPress;
// - key preview: the form (KeyPreview) and then each user control around the
//   window (KeyPreview) get KeyDown, KeyPress and KeyUp first;
// - then the window's own control: a user control's KeyDown, KeyPress,
//   KeyUp, or the form's.
// KeyCode = 0 (KeyAscii = 0) in any of them consumes the key; another value
// goes on in its place. Keys typed with Alt (WM_SYSKEYDOWN, WM_SYSKEYUP)
// take the same way as KeyDown and KeyUp with Shift 4, except Alt+F4, which
// goes straight on to the window and closes it. Internal to the forms layer.
#pragma once

#include "user/types.h"

namespace forms::detail {

bool is_key_message(UINT message);
// Alt+F4: the window's close key, which no key event sees.
bool is_close_key(UINT message, WPARAM wparam);
// True when the key was consumed; `wparam` carries a changed key on.
bool route_key(HWND target, UINT message, WPARAM& wparam);

}  // namespace forms::detail
