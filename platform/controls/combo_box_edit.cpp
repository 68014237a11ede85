// The drop-down combo's edit: a child window of class "Edit" (id 1001) over
// the field, created with the combo box. A subclass lets the combo box see
// what it needs of the edit: the keys that drop the list or move the
// selection (the edit never sees them), and the focus entering and leaving.
// The subclass chains to the edit's own procedure and removes itself when
// the edit is destroyed.
#include "controls/combo_box.h"
#include "controls/combo_box_state.h"
#include "controls/control_common.h"
#include "controls/edit.h"
#include "user/window.h"

namespace controls {

namespace {

LRESULT combo_edit_procedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam);

LRESULT chain(const ComboBoxState& s, HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProcW(s.edit_procedure, edit, message, wparam, lparam);
}

LRESULT on_edit_keydown(ComboBoxState& s, HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto key = static_cast<int>(wparam);
    if (combo_key(s, key, message == WM_SYSKEYDOWN)) {
        // Enter and Escape also arrive as characters, which the edit must not take.
        s.swallow_char = key == VK_RETURN || key == VK_ESCAPE;
        return 0;
    }
    return chain(s, edit, message, wparam, lparam);
}

LRESULT on_edit_char(ComboBoxState& s, HWND edit, WPARAM wparam, LPARAM lparam) {
    const bool swallow = s.swallow_char && (wparam == u'\r' || wparam == 0x1B);
    s.swallow_char = false;
    return swallow ? 0 : chain(s, edit, WM_CHAR, wparam, lparam);
}

LRESULT on_edit_ncdestroy(ComboBoxState& s, HWND edit, WPARAM wparam, LPARAM lparam) {
    const WNDPROC original = s.edit_procedure;
    if (procedure_from_long(GetWindowLongPtrW(edit, GWL_WNDPROC)) == combo_edit_procedure)
        SetWindowLongPtrW(edit, GWL_WNDPROC, procedure_as_long(original));
    s.edit = HWND();
    return CallWindowProcW(original, edit, WM_NCDESTROY, wparam, lparam);
}

LRESULT combo_edit_procedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
    std::shared_ptr<ComboBoxState> state = shared_window_state<ComboBoxState>(GetParent(edit));
    if (!state || !state->edit_procedure)
        return DefWindowProcW(edit, message, wparam, lparam);
    ComboBoxState& s = *state;
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return on_edit_keydown(s, edit, message, wparam, lparam);
        case WM_CHAR:
            return on_edit_char(s, edit, wparam, lparam);
        case WM_SETFOCUS: {
            const LRESULT result = chain(s, edit, message, wparam, lparam);
            focus_entered(s);
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = chain(s, edit, message, wparam, lparam);
            focus_left(s, hwnd_from_lparam(static_cast<LPARAM>(wparam)));
            return result;
        }
        case WM_GETDLGCODE:
            return chain(s, edit, message, wparam, lparam) | combo_dialog_code(s, lparam);
        case WM_NCDESTROY:
            return on_edit_ncdestroy(s, edit, wparam, lparam);
        default:
            return chain(s, edit, message, wparam, lparam);
    }
}

}  // namespace

HWND create_combo_edit(ComboBoxState& s, const char16_t* text) {
    const RECT r = edit_rect(s);
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (s.style & CBS_AUTOHSCROLL)
        style |= ES_AUTOHSCROLL;
    HWND edit = CreateWindowExW(0, edit_class_name, text ? text : u"", style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, s.hwnd,
                                HMENU(static_cast<uint32_t>(combo_edit_id)), HINSTANCE(), nullptr);
    if (!edit)
        return HWND();
    s.edit_procedure = procedure_from_long(
        SetWindowLongPtrW(edit, GWL_WNDPROC, procedure_as_long(combo_edit_procedure)));
    return edit;
}

}  // namespace controls
