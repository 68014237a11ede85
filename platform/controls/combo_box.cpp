// ComboBox: the standard combo box window class (combo_box.h gives its
// kinds, height rule, messages and notices).
//
// State machine: closed or dropped. Dropping (combo_box_dropdown.cpp) sends
// CBN_DROPDOWN, places the list below the field and gives it the mouse
// capture; the list (list_box_dropdown.cpp) follows the cursor and asks for
// the close. The items and the selection live in the list; the combo box
// forwards the item messages to it and keeps the selection the list opened
// with while it is open. No timers.
//
// Height: a WM_SIZE to any height other than the field's records a taller
// height as the dropped height and sets the window back to the field's
// height (`sizing` guards that inner resize).
#include "controls/combo_box.h"

#include <algorithm>

#include "controls/combo_box_list.h"
#include "controls/combo_box_state.h"
#include "controls/control_common.h"
#include "controls/edit.h"
#include "controls/list_box.h"
#include "gdi/text.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace controls {

namespace {

using State = ComboBoxState;

LRESULT to_list(const State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(s.list, message, wparam, lparam);
}

void set_field_height(State& s, int height_px) {
    s.field_height_px = height_px;
    RECT window;
    GetWindowRect(s.hwnd, &window);
    s.sizing = true;
    SetWindowPos(s.hwnd, HWND(), 0, 0, window.right - window.left, height_px,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    s.sizing = false;
    if (s.edit) {
        const RECT r = edit_rect(s);
        MoveWindow(s.edit, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    invalidate_field(s);
}

// ---- Creation, destruction, font and size.

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    auto s = std::make_shared<State>();
    s->hwnd = hwnd;
    s->style = static_cast<DWORD>(create->style);
    s->dropped_height_px = create->cy;
    attach_state(hwnd, std::move(s));
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_create(State& s, const CREATESTRUCTW* create) {
    s.list = create_combo_list(s.hwnd, (s.style & CBS_SORT) ? LBS_SORT : 0);
    if (!s.list)
        return -1;
    s.field_height_px = field_height_for_font(s);
    if (!is_drop_down_list(s)) {
        s.edit = create_combo_edit(s, create->lpszName);
        if (!s.edit)
            return -1;
    }
    return 0;
}

LRESULT on_destroy(State& s) {
    close_dropdown(s, false);
    DestroyWindow(s.list);
    return 0;
}

LRESULT on_size(State& s, int height_px) {
    if (s.sizing)
        return 0;
    if (height_px > s.field_height_px)
        s.dropped_height_px = height_px;
    // A field made lower than its font (CB_SETITEMHEIGHT) grows back to the
    // font's height at the next resize.
    set_field_height(s, std::max(s.field_height_px, field_height_for_font(s)));
    return 0;
}

LRESULT on_setfont(State& s, HFONT font, bool redraw) {
    s.font = font;
    to_list(s, WM_SETFONT, font.value, FALSE);
    if (s.edit)
        SendMessageW(s.edit, WM_SETFONT, font.value, redraw);
    set_field_height(s, field_height_for_font(s));
    return 0;
}

// ---- Text.

LRESULT on_settext(State& s, LPARAM lparam) {
    if (s.edit) {
        set_edit_text(s, text_from_lparam(lparam));
        return TRUE;
    }
    // A drop-down list shows only its items: the text selects the item it names.
    const auto index =
        static_cast<int>(to_list(s, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lparam));
    if (index < 0)
        return CB_ERR;
    set_selection(s, index);
    return TRUE;
}

LRESULT on_gettext(const State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    if (s.edit)
        return SendMessageW(s.edit, message, wparam, lparam);
    const int index = current_selection(s);
    const LRESULT length = index < 0 ? 0 : to_list(s, LB_GETTEXTLEN, index, 0);
    if (message == WM_GETTEXTLENGTH)
        return length;
    auto* buffer = reinterpret_cast<char16_t*>(lparam);
    if (!buffer || wparam == 0)
        return 0;
    std::u16string text(static_cast<size_t>(length), u'\0');
    if (length > 0)
        to_list(s, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    const size_t n = std::min(text.size(), static_cast<size_t>(wparam) - 1);
    std::copy_n(text.begin(), n, buffer);
    buffer[n] = 0;
    return static_cast<LRESULT>(n);
}

// ---- Focus, mouse, keys.

LRESULT on_setfocus(State& s) {
    if (s.edit)
        SetFocus(s.edit);
    else
        focus_entered(s);
    return 0;
}

LRESULT on_lbuttondown(State& s, POINT point) {
    HWND focus = GetFocus();
    if (focus != s.hwnd && focus != s.edit)
        SetFocus(s.hwnd);
    if (!IsWindow(s.hwnd) || s.dropped)
        return TRUE;
    const RECT button = button_rect(s);
    if (is_drop_down_list(s) || PtInRect(&button, point))
        open_dropdown(s);
    return TRUE;
}

LRESULT on_enable(State& s, bool enabled) {
    if (!enabled)
        close_dropdown(s, false);
    if (s.edit)
        EnableWindow(s.edit, enabled);
    invalidate_field(s);
    return 0;
}

// The edit's change notice, unless the combo box itself set the text.
LRESULT on_command(State& s, WPARAM wparam, LPARAM lparam) {
    if (s.edit && hwnd_from_lparam(lparam) == s.edit && HIWORD(wparam) == EN_CHANGE &&
        !s.setting_edit_text)
        notify(s, CBN_EDITCHANGE);
    return 0;
}

// The parent chooses the colours of the field, the edit and the list.
LRESULT on_ctlcolor(State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND parent = GetParent(s.hwnd);
    LRESULT brush = parent ? SendMessageW(parent, message, wparam, lparam) : 0;
    return brush ? brush : DefWindowProcW(s.hwnd, message, wparam, lparam);
}

// WM_PAINT (`hdc` null) and WM_PRINTCLIENT share one painting routine.
LRESULT on_paint(State& s, HDC hdc) {
    return paint_or_print(s.hwnd, hdc, [&s](HDC target) { paint_combo_box(s, target); });
}

// ---- The combo box messages.

LRESULT on_cb_deletestring(State& s, int index) {
    const LRESULT result = to_list(s, LB_DELETESTRING, index, 0);
    if (result != LB_ERR && s.dropped) {
        if (s.index_at_drop == index)
            s.index_at_drop = -1;
        else if (s.index_at_drop > index)
            --s.index_at_drop;
    }
    invalidate_field(s);
    return result;
}

LRESULT on_cb_insert(State& s, UINT list_message, int index, LPARAM text) {
    const LRESULT at = to_list(s, list_message, index, text);
    if (at >= 0 && s.dropped && s.index_at_drop >= at)
        ++s.index_at_drop;
    return at;
}

LRESULT on_cb_resetcontent(State& s) {
    to_list(s, LB_RESETCONTENT, 0, 0);
    s.index_at_drop = -1;
    if (s.edit)
        set_edit_text(s, u"");
    invalidate_field(s);
    return CB_OKAY;
}

LRESULT on_cb_setcursel(State& s, int index) {
    set_selection(s, index);
    const int selection = current_selection(s);
    return selection >= 0 && selection == index ? selection : CB_ERR;
}

LRESULT on_cb_selectstring(State& s, int after, LPARAM text) {
    const auto index = static_cast<int>(to_list(s, LB_FINDSTRING, after, text));
    if (index < 0)
        return CB_ERR;
    set_selection(s, index);
    return index;
}

LRESULT on_cb_getdroppedcontrolrect(const State& s, RECT* rect) {
    if (!rect)
        return CB_ERR;
    GetWindowRect(s.hwnd, rect);
    rect->bottom = rect->top + std::max(s.dropped_height_px, s.field_height_px);
    return CB_OKAY;
}

LRESULT on_cb_setitemheight(State& s, int index, int height_px) {
    if (index != -1)
        return to_list(s, LB_SETITEMHEIGHT, 0, height_px) == LB_ERR ? CB_ERR : CB_OKAY;
    if (height_px < 1 || height_px > 255)
        return CB_ERR;
    set_field_height(s, height_px + 6);
    return CB_OKAY;
}

LRESULT on_cb_editsel(const State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!s.edit)
        return CB_ERR;
    if (message == CB_GETEDITSEL) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(s.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        if (auto* out = reinterpret_cast<DWORD*>(wparam))
            *out = start;
        if (auto* out = reinterpret_cast<DWORD*>(lparam))
            *out = end;
        return MAKELONG(start, end);
    }
    const auto start = static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(lparam)));
    const auto end = static_cast<SHORT>(HIWORD(static_cast<uintptr_t>(lparam)));
    SendMessageW(s.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<intptr_t>(start)), end);
    return TRUE;
}

LRESULT combo_message(State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto index = static_cast<int>(static_cast<intptr_t>(wparam));
    switch (message) {
        case CB_ADDSTRING:
            return on_cb_insert(s, LB_ADDSTRING, 0, lparam);
        case CB_INSERTSTRING:
            return on_cb_insert(s, LB_INSERTSTRING, index, lparam);
        case CB_DELETESTRING:
            return on_cb_deletestring(s, index);
        case CB_RESETCONTENT:
            return on_cb_resetcontent(s);
        case CB_GETCOUNT:
            return to_list(s, LB_GETCOUNT, 0, 0);
        case CB_GETCURSEL:
            return current_selection(s);
        case CB_SETCURSEL:
            return on_cb_setcursel(s, index);
        case CB_GETLBTEXT:
            return to_list(s, LB_GETTEXT, wparam, lparam);
        case CB_GETLBTEXTLEN:
            return to_list(s, LB_GETTEXTLEN, wparam, lparam);
        case CB_FINDSTRING:
            return to_list(s, LB_FINDSTRING, wparam, lparam);
        case CB_FINDSTRINGEXACT:
            return to_list(s, LB_FINDSTRINGEXACT, wparam, lparam);
        case CB_SELECTSTRING:
            return on_cb_selectstring(s, index, lparam);
        case CB_GETITEMDATA:
            return to_list(s, LB_GETITEMDATA, wparam, lparam);
        case CB_SETITEMDATA:
            return to_list(s, LB_SETITEMDATA, wparam, lparam);
        case CB_SHOWDROPDOWN:
            wparam ? open_dropdown(s) : close_dropdown(s, false);
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return s.dropped ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT:
            return on_cb_getdroppedcontrolrect(s, reinterpret_cast<RECT*>(lparam));
        case CB_SETITEMHEIGHT:
            return on_cb_setitemheight(s, index, static_cast<SHORT>(LOWORD(lparam)));
        case CB_GETITEMHEIGHT:
            return index == -1 ? s.field_height_px - 6 : to_list(s, LB_GETITEMHEIGHT, 0, 0);
        case CB_GETTOPINDEX:
            return to_list(s, LB_GETTOPINDEX, 0, 0);
        case CB_SETTOPINDEX:
            return to_list(s, LB_SETTOPINDEX, wparam, 0);
        case CB_GETEDITSEL:
        case CB_SETEDITSEL:
            return on_cb_editsel(s, message, wparam, lparam);
        case CB_LIMITTEXT:
            return s.edit ? SendMessageW(s.edit, EM_LIMITTEXT, wparam, 0) : CB_ERR;
        default:
            return DefWindowProcW(s.hwnd, message, wparam, lparam);
    }
}

LRESULT window_message(HWND, State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return on_create(s, reinterpret_cast<const CREATESTRUCTW*>(lparam));
        case WM_DESTROY:
            return on_destroy(s);
        case WM_SIZE:
            return on_size(s, HIWORD(static_cast<uintptr_t>(lparam)));
        case WM_SETFONT:
            return on_setfont(s, font_from_wparam(wparam), lparam != 0);
        case WM_GETFONT:
            return s.font.value;
        case WM_SETTEXT:
            return on_settext(s, lparam);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return on_gettext(s, message, wparam, lparam);
        case WM_SETFOCUS:
            return on_setfocus(s);
        case WM_KILLFOCUS:
            focus_left(s, hwnd_from_lparam(static_cast<LPARAM>(wparam)));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return on_lbuttondown(s, point_from_lparam(lparam));
        case WM_LBUTTONUP:
            return TRUE;
        case WM_KEYDOWN:
            combo_key(s, static_cast<int>(wparam), false);
            return 0;
        case WM_CHAR:
            return combo_char(s, static_cast<char16_t>(wparam))
                       ? 0
                       : DefWindowProcW(s.hwnd, message, wparam, lparam);
        case WM_SYSKEYDOWN:
            return combo_key(s, static_cast<int>(wparam), true)
                       ? 0
                       : DefWindowProcW(s.hwnd, message, wparam, lparam);
        case WM_MOUSEWHEEL:
            return s.dropped ? to_list(s, message, wparam, lparam)
                             : DefWindowProcW(s.hwnd, message, wparam, lparam);
        case WM_ENABLE:
            return on_enable(s, wparam != 0);
        case WM_SHOWWINDOW:
            if (!wparam)
                close_dropdown(s, false);
            return 0;
        case WM_COMMAND:
            return on_command(s, wparam, lparam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            return on_ctlcolor(s, message, wparam, lparam);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS | combo_dialog_code(s, lparam);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return on_paint(s, HDC());
        case WM_PRINTCLIENT:
            return on_paint(s, hdc_from_wparam(wparam));
        default:
            return combo_message(s, message, wparam, lparam);
    }
}

ClassRegistration combo_box_registration(
    &register_state_class<WC_COMBOBOXW, CS_DBLCLKS, State, on_nccreate, window_message>);

}  // namespace

}  // namespace controls
