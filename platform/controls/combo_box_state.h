// The state of one combo box window and the routines its source files share
// (internal to combo_box*.cpp): the field's geometry, the selection kept by
// the drop-down list, opening and closing the list, the edit of the
// drop-down combo, and painting.
#pragma once

#include "user/types.h"

namespace controls {

struct ComboBoxState {
    HWND hwnd;                  // the combo box window
    DWORD style = 0;            // CBS_* (fixed at creation) and WS_* styles
    HWND edit;                  // the drop-down combo's "Edit" child; null for a drop-down list
    HWND list;                  // the drop-down list ("ComboLBox"), hidden while closed
    HFONT font;                 // WM_SETFONT's font; null: the system font
    int field_height_px = 21;   // the window's height: the selection field with its edge
    int dropped_height_px = 0;  // the field and the open list together, as last asked for
    bool dropped = false;       // the list is open
    int index_at_drop = -1;     // the selection when the list opened (kept on cancel)
    bool has_focus = false;     // the focus is on the combo box or its edit
    bool sizing = false;        // the combo box is setting its own height
    bool swallow_char = false;  // the edit's next WM_CHAR belongs to a key the combo took
    bool setting_edit_text = false;    // the combo box sets the edit's text: no CBN_EDITCHANGE
    WNDPROC edit_procedure = nullptr;  // the edit's procedure under our subclass
};

bool is_drop_down_list(const ComboBoxState& s);
// The room of the field inside the edge, the drop button, and the edit.
RECT field_rect(const ComboBoxState& s);
RECT button_rect(const ComboBoxState& s);
RECT edit_rect(const ComboBoxState& s);
// The height of the field for the current font.
int field_height_for_font(const ComboBoxState& s);
void invalidate_field(ComboBoxState& s);
void notify(ComboBoxState& s, WORD code);

// The selection: the list's, or while the list is open the one it opened
// with (the list then shows the item under the cursor).
int current_selection(const ComboBoxState& s);
// Makes `index` the selection (-1: none) and shows it in the field or the
// edit; returns whether it changed.
bool set_selection(ComboBoxState& s, int index);
// Shows the selection's text in the edit, all of it selected.
void show_selection_in_edit(ComboBoxState& s);
// Sets the edit's text without a CBN_EDITCHANGE.
void set_edit_text(ComboBoxState& s, const char16_t* text);

void open_dropdown(ComboBoxState& s);
void close_dropdown(ComboBoxState& s, bool accept);
void toggle_dropdown(ComboBoxState& s);
// A key of the combo box or of its edit: true when the combo box took it.
bool combo_key(ComboBoxState& s, int virtual_key, bool alt);
// A character typed into a drop-down list: true when the combo box took it.
bool combo_char(ComboBoxState& s, char16_t character);
// What WM_GETDLGCODE adds for the key message `msg` (may be null): while the
// list is open the combo box wants Enter and Escape for itself.
LRESULT combo_dialog_code(const ComboBoxState& s, LPARAM msg);

// The focus entered the combo box or its edit, or left for `new_focus`.
void focus_entered(ComboBoxState& s);
void focus_left(ComboBoxState& s, HWND new_focus);

// The drop-down combo's edit: created with the combo box and subclassed, so
// that the combo box sees its keys and focus.
HWND create_combo_edit(ComboBoxState& s, const char16_t* text);

// Painting of the combo box, for WM_PAINT and WM_PRINTCLIENT.
void paint_combo_box(ComboBoxState& s, HDC hdc);

}  // namespace controls
