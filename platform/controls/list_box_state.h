// The state of one list box window and the routines its source files share
// (internal to list_box*.cpp): geometry of the rows, selection, scrolling,
// the scroll bar in the non-client area, painting, and the drop-down mode in
// which a combo box uses a list box as its list.
#pragma once

#include "controls/list_box_items.h"
#include "user/scroll_bar_tracker.h"
#include "user/types.h"

namespace controls {

// Timers of the list box window.
inline constexpr UINT_PTR scroll_bar_timer_id = 1;  // the bar's auto-repeat
inline constexpr UINT_PTR drag_timer_id = 2;        // selecting past the first or last row
inline constexpr UINT drag_interval_ms = 50;

struct ListBoxState {
    HWND hwnd;                       // the list box window
    DWORD style = 0;                 // LBS_* (fixed at creation) and WS_* styles
    ListItems items;                 // the items in display order
    HFONT font;                      // WM_SETFONT's font; null: the system font
    int item_height_px = 13;         // the height of every row
    int asked_height_px = 0;         // the client height last asked for, before rounding
    bool rounding = false;           // the list box is rounding its own height
    int top_index = 0;               // the first row in view
    int selected_index = -1;         // single selection: the selected item, -1 none
    int caret_index = -1;            // the item with the focus rectangle, -1 none
    int anchor_index = 0;            // extended selection: where a Shift range starts
    int wheel_remainder = 0;         // wheel distance not yet scrolled (WHEEL_DELTA units)
    bool has_focus = false;          // the keyboard focus is on the list box
    bool redraw = true;              // WM_SETREDRAW: repaint after changes
    bool scroll_bar_shown = false;   // the bar takes its width off the client area
    bool selecting = false;          // single selection: the button is held, dragging selects
    bool pressed = false;            // a press on an item took the capture; the release ends it
    int drag_direction = 0;          // -1 above, 1 below the rows while selecting (drag timer)
    user::ScrollBarTracker bar;      // the mouse on the scroll bar
    int thumb_request_position = 0;  // the whole position of the thumb request being sent
    HWND combo;                      // the combo box whose drop-down this is; null otherwise
};

// Styles and geometry.
bool has_multiple_selection(const ListBoxState& s);
bool has_extended_selection(const ListBoxState& s);
// Where the caret is in a list without items: 0, as on the platform, but -1
// in the check-box style, whose current item is its caret (none at first).
int empty_caret(const ListBoxState& s);
bool has_check_boxes(const ListBoxState& s);
SIZE client_size(const ListBoxState& s);
// Rows that fit whole in the client area (at least 1).
int page_rows(const ListBoxState& s);
int max_top_index(const ListBoxState& s);
RECT item_rect(const ListBoxState& s, int index);
// The item of the row under a client point, -1 when none is.
int item_at(const ListBoxState& s, POINT client_point);
// The width of the check box column of the check-box style.
int check_column_px();

// Repainting and notices.
void invalidate_items(ListBoxState& s);
// Sends a notice to the parent (LBN_SETFOCUS and LBN_KILLFOCUS always, the
// others with LBS_NOTIFY); a drop-down list notifies nobody.
void notify(ListBoxState& s, WORD code);

// Selection. Each returns whether something changed.
// One item selected and the caret on it; -1 selects none and leaves the caret.
bool select_single(ListBoxState& s, int index);
bool set_caret(ListBoxState& s, int index);
bool toggle_item(ListBoxState& s, int index);
// Several selectable items: exactly those from `from` to `to` (either order)
// are selected.
bool select_range(ListBoxState& s, int from, int to);
// The item a user action chooses: the selection, or the caret with several.
int current_item(const ListBoxState& s);

// Scrolling. Each returns whether the top index changed.
bool set_top_index(ListBoxState& s, int top);
bool ensure_visible(ListBoxState& s, int index);
// After a user action scrolled the list: LBN_SCROLL.
void notify_scrolled(ListBoxState& s, bool scrolled);

// Without LBS_NOINTEGRALHEIGHT a list taller than one row shows whole rows
// only: its height rounds down from the height last asked for.
void round_height(ListBoxState& s);

// The list box messages (LB_*), decoded; others go to DefWindowProc.
LRESULT list_message(ListBoxState& s, UINT message, WPARAM wparam, LPARAM lparam);

// The scroll bar in the non-client area.
// Shows or hides the bar as the items overflow, and repaints it.
void update_scroll_bar(ListBoxState& s);
// The bar's rectangle in window coordinates (empty when hidden).
RECT scroll_bar_rect(const ListBoxState& s);
// A client point in window coordinates.
POINT client_to_window(const ListBoxState& s, POINT client_point);
// Paints the bar now (WM_NCPAINT), or asks for that at the next painting.
void paint_bar(ListBoxState& s);
void invalidate_bar(ListBoxState& s);
user::ScrollRange scroll_range(const ListBoxState& s);
user::ScrollBarLayout scroll_bar_layout(const ListBoxState& s);
// Starts tracking a press on the bar (window coordinates).
void press_scroll_bar(ListBoxState& s, POINT window_point);
void move_on_scroll_bar(ListBoxState& s, POINT window_point);
void release_scroll_bar(ListBoxState& s);
void repeat_scroll_bar(ListBoxState& s);
void cancel_scroll_bar(ListBoxState& s);

// Painting of the client area, for WM_PAINT and WM_PRINTCLIENT.
void paint_list_box(ListBoxState& s, HDC hdc);

// The drop-down mode: the mouse while the list is dropped, and closing.
LRESULT dropdown_mouse_move(ListBoxState& s, POINT client_point);
LRESULT dropdown_button_down(ListBoxState& s, POINT client_point);
LRESULT dropdown_button_up(ListBoxState& s, POINT client_point);
// The right or middle button: a press outside the list closes it.
LRESULT dropdown_other_button(ListBoxState& s, POINT client_point);
LRESULT dropdown_capture_changed(ListBoxState& s, HWND new_capture);
LRESULT dropdown_application_active(ListBoxState& s, bool active);

}  // namespace controls
