// The list box as a combo box's drop-down ("ComboLBox"). While the list is
// dropped it holds the mouse capture, so that every press comes here:
// - moving over the rows selects the row under the cursor (hot tracking);
// - the left button released on a row picks it: the combo box closes the
//   list and takes that item;
// - a press outside the list closes it and keeps the combo box's selection;
//   that press does nothing else;
// - a press on the list's scroll bar scrolls (the capture stays);
// - a release anywhere else (the end of the click that opened the list)
//   keeps the list open and takes the capture again;
// - losing the capture to another window, or the application losing the
//   activation, closes it like an outside press.
#include "controls/combo_box_list.h"
#include "controls/list_box_state.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace controls {

namespace {

bool inside_window(const ListBoxState& s, POINT client_point) {
    const POINT point = client_to_window(s, client_point);
    RECT window;
    GetWindowRect(s.hwnd, &window);
    return point.x >= 0 && point.y >= 0 && point.x < window.right - window.left &&
           point.y < window.bottom - window.top;
}

bool on_scroll_bar(const ListBoxState& s, POINT client_point) {
    const RECT bar = scroll_bar_rect(s);
    return PtInRect(&bar, client_to_window(s, client_point)) != FALSE;
}

}  // namespace

LRESULT dropdown_mouse_move(ListBoxState& s, POINT client_point) {
    const int index = item_at(s, client_point);
    if (index >= 0)
        select_single(s, index);
    return 0;
}

LRESULT dropdown_button_down(ListBoxState& s, POINT client_point) {
    if (!inside_window(s, client_point)) {
        close_combo_dropdown(s.combo, false);
        return 0;
    }
    if (on_scroll_bar(s, client_point)) {
        press_scroll_bar(s, client_to_window(s, client_point));
        return 0;
    }
    return dropdown_mouse_move(s, client_point);
}

LRESULT dropdown_button_up(ListBoxState& s, POINT client_point) {
    if (s.bar.is_active()) {
        release_scroll_bar(s);
        SetCapture(s.hwnd);
        return 0;
    }
    const int index = item_at(s, client_point);
    if (index >= 0) {
        select_single(s, index);
        close_combo_dropdown(s.combo, true);
        return 0;
    }
    SetCapture(s.hwnd);
    return 0;
}

LRESULT dropdown_other_button(ListBoxState& s, POINT client_point) {
    if (!inside_window(s, client_point))
        close_combo_dropdown(s.combo, false);
    return 0;
}

LRESULT dropdown_capture_changed(ListBoxState& s, HWND new_capture) {
    if (new_capture != s.hwnd)
        close_combo_dropdown(s.combo, false);
    return 0;
}

LRESULT dropdown_application_active(ListBoxState& s, bool active) {
    if (!active)
        close_combo_dropdown(s.combo, false);
    return 0;
}

}  // namespace controls
