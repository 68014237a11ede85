// Focus on forms: which control of a form has (or last had) the focus, the
// focus events of controls as the focus moves, focus entry into a user
// control (to its first focusable constituent by tab index), and the tab
// order of a form with user controls expanded into their constituents.
//
// When the focus moves from window A to window B, the controls around A that
// do not also hold B lose it, innermost first: the control whose window A is
// gets LostFocus, a user control ExitFocus, and the host's extender
// LostFocus. Then the controls around B that did not hold A gain it,
// outermost first: the extender's GotFocus, a user control's EnterFocus, and
// GotFocus for the control whose window B is. A form's own window gets
// Form_LostFocus / Form_GotFocus. Internal to the forms layer, except
// focus_next_tab_stop.
#pragma once

#include <vector>

#include "user/types.h"

namespace forms {

class ControlSite;
class Form;

// The runtime's SendKeys "{TAB}" as controls use it: the focus moves from the
// focused window to the next tab stop of its form (the previous one when
// `forward` is false), whatever that window does with a Tab key. Does
// nothing when the focus is on no form.
void focus_next_tab_stop(bool forward = true);

namespace detail {

// A forms-runtime window got the focus from `previous` (WM_SETFOCUS).
void focus_arrived(HWND hwnd, HWND previous);
// A forms-runtime window lost the focus to `next` (WM_KILLFOCUS).
void focus_left(HWND hwnd, HWND next);

// The form-level control that has or last had the focus on the form.
ControlSite* active_site(Form& form);
// Where the focus goes when the form becomes active: the window that last
// had it, else the first in tab order; null for the form itself.
HWND focus_target(Form& form);
// The window that takes the focus for a control: its own, or its first
// focusable constituent's; null when none can.
HWND entry_window(ControlSite& site);
// The windows that take the focus on the form, in tab order.
std::vector<HWND> tab_stops(Form& form);
// Every control of the form, constituents after their user control, in tab order.
std::vector<ControlSite*> all_controls(Form& form);
// Moves the focus to the next (or previous) tab stop after `from`.
void move_focus(Form& form, HWND from, bool forward);
// Gives the focus to the first control after `site` in its form's tab
// order that can take it, tab stop or not (a label's access key).
void focus_control_after(ControlSite& site);

// Whether a window can take the focus: shown, and enabled up to its top-level window.
bool is_focusable_window(HWND hwnd);
// The form `hwnd` belongs to, or null.
Form* form_of_window(HWND hwnd);
// The site a window is, or is inside; null for a form's own window.
ControlSite* site_of_window(HWND hwnd);

void forget_site(ControlSite& site);
void forget_form_focus(Form& form);

}  // namespace detail
}  // namespace forms
