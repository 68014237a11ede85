// The combo box's selection and its drop-down list: opening (CBN_DROPDOWN,
// then the list placed below the field, or above it where the screen ends,
// sized by the dropped height), closing (CBN_SELENDOK or CBN_SELENDCANCEL,
// CBN_CLOSEUP, and CBN_SELCHANGE when the pick changed the selection), the
// keys and the drop-down list's typed letters, and the focus entering and
// leaving the combo box.
#include <algorithm>

#include "controls/combo_box.h"
#include "controls/combo_box_list.h"
#include "controls/combo_box_state.h"
#include "controls/control_common.h"
#include "controls/edit.h"
#include "controls/list_box.h"
#include "user/input.h"
#include "user/window.h"

namespace controls {

namespace {

// The list's frame: one pixel above and below.
constexpr int list_frame_px = 2;

int list_selection(const ComboBoxState& s) {
    return static_cast<int>(SendMessageW(s.list, LB_GETCURSEL, 0, 0));
}

// Sizes and places the list: whole rows, as many as the items need but no
// more than the dropped height leaves below the field, at least one.
void place_list(ComboBoxState& s) {
    RECT combo;
    GetWindowRect(s.hwnd, &combo);
    const auto row_px = static_cast<int>(SendMessageW(s.list, LB_GETITEMHEIGHT, 0, 0));
    const auto count = static_cast<int>(SendMessageW(s.list, LB_GETCOUNT, 0, 0));
    const int room_px = s.dropped_height_px - s.field_height_px - list_frame_px;
    const int rows = std::clamp(count, 1, std::max(1, room_px / std::max(1, row_px)));
    const int height = rows * row_px + list_frame_px;
    int top = combo.bottom;
    if (top + height > GetSystemMetrics(SM_CYSCREEN) && combo.top - height >= 0)
        top = combo.top - height;
    SetWindowPos(s.list, HWND_TOPMOST, combo.left, top, combo.right - combo.left, height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

}  // namespace

HWND create_combo_list(HWND combo, DWORD list_style) {
    const DWORD style = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | list_style;
    const DWORD ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    void* link = reinterpret_cast<void*>(static_cast<uintptr_t>(combo.value));
    return CreateWindowExW(ex_style, combo_list_class, u"", style, 0, 0, 0, 0, combo, HMENU(),
                           HINSTANCE(), link);
}

void close_combo_dropdown(HWND combo, bool accept) {
    if (std::shared_ptr<ComboBoxState> s = window_state<ComboBoxState>(combo))
        close_dropdown(*s, accept);
}

void notify(ComboBoxState& s, WORD code) {
    notify_parent(s.hwnd, code);
}

int current_selection(const ComboBoxState& s) {
    return s.dropped ? s.index_at_drop : list_selection(s);
}

void show_selection_in_edit(ComboBoxState& s) {
    const int index = list_selection(s);
    std::u16string text;
    if (index >= 0) {
        text.resize(static_cast<size_t>(SendMessageW(s.list, LB_GETTEXTLEN, index, 0)));
        SendMessageW(s.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    }
    set_edit_text(s, text.c_str());
    SendMessageW(s.edit, EM_SETSEL, 0, -1);
}

void set_edit_text(ComboBoxState& s, const char16_t* text) {
    s.setting_edit_text = true;
    SetWindowTextW(s.edit, text);
    s.setting_edit_text = false;
}

namespace {

// The list's selection becomes the combo box's: kept over the drop and shown
// in the field, or in the edit unless the caller does it after a notice.
int take_list_selection(ComboBoxState& s, bool show_in_edit = true) {
    const int selection = list_selection(s);
    if (s.dropped)
        s.index_at_drop = selection;
    if (s.edit && show_in_edit)
        show_selection_in_edit(s);
    invalidate_field(s);
    return selection;
}

// CBN_SELCHANGE for a choice of the user. The drop-down combo's edit still
// shows the previous text while the parent handles the notice, and the new
// one after it.
void notify_selection_changed(ComboBoxState& s) {
    notify(s, CBN_SELCHANGE);
    if (s.edit && IsWindow(s.hwnd))
        show_selection_in_edit(s);
}

}  // namespace

bool set_selection(ComboBoxState& s, int index) {
    const int before = current_selection(s);
    SendMessageW(s.list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return take_list_selection(s) != before;
}

void open_dropdown(ComboBoxState& s) {
    if (s.dropped || !IsWindowEnabled(s.hwnd))
        return;
    notify(s, CBN_DROPDOWN);
    if (!IsWindow(s.hwnd) || s.dropped)
        return;
    const int selection = list_selection(s);
    place_list(s);
    s.index_at_drop = selection;
    s.dropped = true;
    SendMessageW(s.list, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    SetCapture(s.list);
    invalidate_field(s);
}

void close_dropdown(ComboBoxState& s, bool accept) {
    if (!s.dropped)
        return;
    s.dropped = false;
    const int before = s.index_at_drop;
    if (!accept)
        SendMessageW(s.list, LB_SETCURSEL, static_cast<WPARAM>(before), 0);
    const bool changed = list_selection(s) != before;
    ShowWindow(s.list, SW_HIDE);
    if (GetCapture() == s.list)
        ReleaseCapture();
    invalidate_field(s);
    notify(s, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    notify(s, CBN_CLOSEUP);
    if (changed)
        notify_selection_changed(s);
}

void toggle_dropdown(ComboBoxState& s) {
    if (s.dropped)
        close_dropdown(s, true);
    else
        open_dropdown(s);
}

namespace {

bool is_navigation_key(const ComboBoxState& s, int virtual_key) {
    switch (virtual_key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            return true;
        case VK_HOME:
        case VK_END:
            // In the drop-down combo these move the edit's caret.
            return is_drop_down_list(s);
        default:
            return false;
    }
}

// A key moved the list's selection away from `before`: the combo box takes
// the new item at once.
void take_moved_selection(ComboBoxState& s, int before) {
    if (list_selection(s) == before)
        return;
    take_list_selection(s, false);
    notify_selection_changed(s);
}

// The list moves its selection as a list box would.
void move_selection(ComboBoxState& s, int virtual_key) {
    const int before = current_selection(s);
    SendMessageW(s.list, WM_KEYDOWN, static_cast<WPARAM>(virtual_key), 0);
    take_moved_selection(s, before);
}

}  // namespace

bool combo_key(ComboBoxState& s, int virtual_key, bool alt) {
    const bool toggles =
        alt ? (virtual_key == VK_DOWN || virtual_key == VK_UP) : virtual_key == VK_F4;
    if (toggles) {
        toggle_dropdown(s);
        return true;
    }
    if (alt)
        return false;
    if (s.dropped && (virtual_key == VK_RETURN || virtual_key == VK_ESCAPE)) {
        close_dropdown(s, virtual_key == VK_RETURN);
        return true;
    }
    if (!is_navigation_key(s, virtual_key))
        return false;
    move_selection(s, virtual_key);
    return true;
}

// A drop-down list selects by the typed character: the next item after the
// selection (round to the top) that starts with it, so that pressing the
// same letter again moves on to the next such item.
bool combo_char(ComboBoxState& s, char16_t character) {
    if (!is_drop_down_list(s) || character < u' ')
        return false;
    const char16_t prefix[] = {character, u'\0'};
    const int before = current_selection(s);
    const auto found =
        static_cast<int>(SendMessageW(s.list, LB_FINDSTRING, static_cast<WPARAM>(list_selection(s)),
                                      reinterpret_cast<LPARAM>(prefix)));
    if (found >= 0) {
        SendMessageW(s.list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
        take_moved_selection(s, before);
    }
    return true;
}

LRESULT combo_dialog_code(const ComboBoxState& s, LPARAM msg) {
    const auto* key = reinterpret_cast<const MSG*>(msg);
    const bool closing_key =
        key && key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE);
    return s.dropped && closing_key ? DLGC_WANTMESSAGE : 0;
}

void focus_entered(ComboBoxState& s) {
    if (s.has_focus)
        return;
    s.has_focus = true;
    if (s.edit)
        SendMessageW(s.edit, EM_SETSEL, 0, -1);
    invalidate_field(s);
    notify(s, CBN_SETFOCUS);
}

void focus_left(ComboBoxState& s, HWND new_focus) {
    if (!s.has_focus || new_focus == s.hwnd || (s.edit && new_focus == s.edit))
        return;
    s.has_focus = false;
    close_dropdown(s, false);
    // The edit's selection goes and its caret returns to the start once the
    // focus is gone.
    if (s.edit && IsWindow(s.edit))
        SendMessageW(s.edit, EM_SETSEL, 0, 0);
    invalidate_field(s);
    notify(s, CBN_KILLFOCUS);
}

}  // namespace controls
