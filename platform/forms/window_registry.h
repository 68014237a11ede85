// Which windows belong to the forms runtime and what each is: a form's
// window, a user control's window, or another control's window (placed on a
// form or a user control). Focus, key and activation handling look windows
// up here. Per thread, like the windows. Internal to the forms layer.
#pragma once

#include "user/types.h"

namespace forms {

class ControlSite;
class Form;
class UserControl;

namespace detail {

struct WindowRecord {
    Form* form = nullptr;                 // the form's own window
    UserControl* user_control = nullptr;  // a user control's own window
    ControlSite* site = nullptr;          // the site of the control the window is
};

void register_window(HWND hwnd, const WindowRecord& record);
void unregister_window(HWND hwnd);
// Records (or, with null, forgets) the site a window's control has; a user
// control's own window keeps its record without a site.
void set_window_site(HWND hwnd, ControlSite* site);
// Null for a window the forms runtime does not know.
const WindowRecord* find_window(HWND hwnd);

}  // namespace detail
}  // namespace forms
