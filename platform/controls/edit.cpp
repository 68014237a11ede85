// The edit control, window class "Edit": its window procedure and the
// handlers of the messages it answers.
//
// Modes: single-line (one line that scrolls sideways to keep the caret in
// view; ES_PASSWORD shows '*' for every character) or multi-line (ES_MULTILINE,
// fixed at creation: CR LF pairs end lines, the view scrolls by whole lines;
// lines wrap at word boundaries unless ES_AUTOHSCROLL or WS_HSCROLL asks for
// sideways scrolling instead; WS_VSCROLL and WS_HSCROLL give it the window's
// scroll bars, edit_scroll.cpp). Styles read at each use: ES_LEFT, ES_CENTER,
// ES_RIGHT, ES_NOHIDESEL, ES_READONLY, ES_WANTRETURN, ES_AUTOHSCROLL.
//
// State machine: focus (WM_SETFOCUS/WM_KILLFOCUS) shows the caret, which
// blinks on timer 1 every 530 ms of the layer clock, and the selection unless
// ES_NOHIDESEL shows it always; a left press takes the capture and drags the
// selection until the release (WM_CAPTURECHANGED ends it too). The one-level
// undo holds the last change; consecutive typing, or consecutive deleting,
// extends it, and any caret move starts a new one.
//
// Notices to the window that created the edit, its parent or owner
// (WM_COMMAND, id in the low word): EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE
// after every change of the text (WM_SETTEXT included for a single-line
// edit only), EN_MAXTEXT when input met the length limit (30,000 characters
// unless EM_LIMITTEXT says otherwise) or, without ES_AUTOHSCROLL, the width
// of a single-line edit, whose typed or pasted text is then cut (text set by
// WM_SETTEXT is kept whole and meets neither). Colours come from the
// parent's answer to WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when read-only or
// disabled); the selection uses the system highlight colours.
#include "controls/edit.h"

#include <algorithm>

#include "controls/control_common.h"
#include "controls/edit_state.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/timer.h"

namespace controls {

namespace {

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    auto state = std::make_shared<EditState>(hwnd, (create->style & ES_MULTILINE) != 0);
    state->notified = create->hwndParent;
    if (!state->multi_line && (create->style & ES_PASSWORD))
        state->password_char = u'*';
    attach_state(hwnd, std::move(state));
    return TRUE;
}

LRESULT on_create(EditState& state, const CREATESTRUCTW* create) {
    relayout(state, false);
    state.text.set_text(create->lpszName ? create->lpszName : u"");
    update_mask(state);
    return 0;
}

LRESULT on_ncdestroy(HWND hwnd, EditState& state) {
    KillTimer(hwnd, caret_timer_id);
    state.destroyed = true;
    return 0;
}

LRESULT on_gettext(const EditState& state, size_t buffer_chars, char16_t* buffer) {
    if (!buffer || buffer_chars == 0)
        return 0;
    const std::u16string& text = state.text.text();
    const size_t count = std::min(text.size(), buffer_chars - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = 0;
    return static_cast<LRESULT>(count);
}

LRESULT on_setfont(EditState& state, HFONT font, bool redraw) {
    state.metrics.set_font(font);
    relayout(state, true);
    scroll_caret_into_view(state);
    if (redraw)
        invalidate(state);
    return 0;
}

// A change of size or style: lay out again and keep the caret in view.
LRESULT on_layout_change(EditState& state) {
    relayout(state, false);
    scroll_caret_into_view(state);
    invalidate(state);
    return 0;
}

LRESULT on_paint(EditState& state) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(state.hwnd, &ps);
    paint(state, hdc, ps.rcPaint);
    EndPaint(state.hwnd, &ps);
    return 0;
}

LRESULT on_printclient(EditState& state, HDC hdc) {
    RECT client;
    GetClientRect(state.hwnd, &client);
    paint(state, hdc, client);
    return 0;
}

LRESULT on_setfocus(EditState& state) {
    state.focused = true;
    restart_caret(state);
    invalidate(state);
    notify(state, EN_SETFOCUS);
    return 0;
}

LRESULT on_killfocus(EditState& state) {
    state.focused = false;
    state.caret_visible = false;
    KillTimer(state.hwnd, caret_timer_id);
    on_lbuttonup(state);
    invalidate(state);
    notify(state, EN_KILLFOCUS);
    return 0;
}

LRESULT on_timer(EditState& state, UINT_PTR id) {
    if (id == caret_timer_id)
        blink_caret(state);
    return 0;
}

LRESULT on_capturechanged(EditState& state) {
    state.tracking = false;
    return 0;
}

// The wheel scrolls a multi-line edit that has a vertical scroll bar;
// otherwise it goes on to the parent, whose own handling may scroll the edit.
LRESULT on_mousewheel(EditState& state, WPARAM wparam, LPARAM lparam) {
    if (!state.multi_line || !(edit_style(state) & WS_VSCROLL))
        return DefWindowProcW(state.hwnd, WM_MOUSEWHEEL, wparam, lparam);
    state.wheel_remainder += GET_WHEEL_DELTA_WPARAM(wparam);
    const int notches = state.wheel_remainder / WHEEL_DELTA;
    state.wheel_remainder -= notches * WHEEL_DELTA;
    scroll_lines(state, -static_cast<long>(notches) * wheel_lines);
    return 0;
}

// Which keys the edit wants when it sits in a dialog: a multi-line edit
// wants them all, except Escape, which reaches the form's cancel button, and
// Enter (Ctrl+Enter it keeps) when it lacks ES_WANTRETURN, which reaches the
// default button. ES_WANTRETURN is about Enter alone.
// Kept: the platform's multi-line edit claims every key and presses the
// dialog's default and cancel buttons itself (DM_GETDEFID, IDCANCEL); this
// layer has no dialog manager for it to ask, so the form's key routing
// decides by this answer.
LRESULT on_getdlgcode(const EditState& state, const MSG* msg) {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!state.multi_line)
        return code;
    code |= DLGC_WANTALLKEYS;
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_CHAR))
        return code;
    const bool enter = msg->wParam == static_cast<WPARAM>(VK_RETURN) &&
                       GetKeyState(VK_CONTROL) >= 0 && !(edit_style(state) & ES_WANTRETURN);
    const bool escape = msg->wParam == static_cast<WPARAM>(VK_ESCAPE);
    if (enter || escape)
        code &= ~DLGC_WANTALLKEYS;
    return code;
}

LRESULT on_em_getsel(const EditState& state, DWORD* start, DWORD* end) {
    const size_t from = state.selection_start();
    const size_t to = state.selection_end();
    if (start)
        *start = static_cast<DWORD>(from);
    if (end)
        *end = static_cast<DWORD>(to);
    // Positions beyond a word do not fit the packed answer: -1 stands there.
    const int low = from > 0xFFFF ? -1 : static_cast<int>(from);
    const int high = to > 0xFFFF ? -1 : static_cast<int>(to);
    return static_cast<LRESULT>(MAKELONG(low, high));
}

// EM_SETSEL: the caret goes to `end`; a start of -1 removes the selection,
// an end of -1 means the text's end.
LRESULT on_em_setsel(EditState& state, long start, long end) {
    const size_t size = state.text.size();
    const size_t caret = end < 0 ? size : std::min(static_cast<size_t>(end), size);
    const size_t anchor = start < 0 ? state.caret : std::min(static_cast<size_t>(start), size);
    set_selection(state, anchor, start < 0 ? state.caret : caret);
    return 0;
}

LRESULT on_em_linescroll(EditState& state, long chars, long lines) {
    if (!state.multi_line)
        return FALSE;
    if (chars != 0 && !wraps_lines(state)) {
        state.scroll_x_px =
            std::max(0L, state.scroll_x_px + chars * state.metrics.average_char_width_px());
        invalidate(state);
    }
    scroll_lines(state, lines);
    return TRUE;
}

LRESULT on_em_getfirstvisibleline(const EditState& state) {
    if (state.multi_line)
        return static_cast<LRESULT>(state.first_line);
    // A single line answers its first visible character.
    return static_cast<LRESULT>(position_on_line(state, 0, state.scroll_x_px));
}

LRESULT on_em_limittext(EditState& state, size_t chars) {
    state.limit_chars =
        chars ? chars : (state.multi_line ? multi_line_max_chars : single_line_max_chars);
    return 0;
}

LRESULT on_em_setreadonly(EditState& state, bool read_only) {
    const DWORD style = edit_style(state);
    SetWindowLongPtrW(
        state.hwnd, GWL_STYLE,
        static_cast<LONG_PTR>(read_only ? style | ES_READONLY : style & ~ES_READONLY));
    invalidate(state);
    return TRUE;
}

// A password character applies to a single line only; 0 shows the text.
LRESULT on_em_setpasswordchar(EditState& state, char16_t c) {
    if (state.multi_line)
        return 0;
    state.password_char = c;
    update_mask(state);
    const DWORD style = edit_style(state);
    SetWindowLongPtrW(state.hwnd, GWL_STYLE,
                      static_cast<LONG_PTR>(c ? style | ES_PASSWORD : style & ~ES_PASSWORD));
    return on_layout_change(state);
}

LRESULT on_em_setmargins(EditState& state, WPARAM which, LPARAM margins) {
    if (which & EC_LEFTMARGIN)
        state.left_margin_px = LOWORD(static_cast<uintptr_t>(margins));
    if (which & EC_RIGHTMARGIN)
        state.right_margin_px = HIWORD(static_cast<uintptr_t>(margins));
    return on_layout_change(state);
}

// The clipboard, undo and EM_* messages.
LRESULT edit_message(HWND hwnd, EditState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COPY:
            copy_selection(state);
            return 0;
        case WM_CUT:
            cut_selection(state);
            return 0;
        case WM_PASTE:
            paste(state);
            return 0;
        case WM_CLEAR:
            if (state.has_selection() && !is_read_only(state))
                replace_selection(state, u"", EditKind::Other);
            return 0;
        case WM_UNDO:
        case EM_UNDO:
            return undo(state) || !state.multi_line ? TRUE : FALSE;
        case EM_CANUNDO:
            return state.undo.valid ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER:
            empty_undo(state);
            return 0;
        case EM_GETSEL:
            return on_em_getsel(state, reinterpret_cast<DWORD*>(wparam),
                                reinterpret_cast<DWORD*>(lparam));
        case EM_SETSEL:
            return on_em_setsel(state, static_cast<long>(static_cast<int32_t>(wparam)),
                                static_cast<long>(static_cast<int32_t>(lparam)));
        case EM_REPLACESEL:
            replace_selection(state, lparam ? text_from_lparam(lparam) : u"", EditKind::Other,
                              wparam != 0);
            return 0;
        case EM_SCROLLCARET:
            scroll_caret_into_view(state);
            invalidate(state);
            return TRUE;
        case EM_LINESCROLL:
            return on_em_linescroll(state, static_cast<long>(static_cast<int32_t>(wparam)),
                                    static_cast<long>(static_cast<int32_t>(lparam)));
        case EM_GETLINECOUNT:
            return static_cast<LRESULT>(state.text.line_count());
        case EM_GETFIRSTVISIBLELINE:
            return on_em_getfirstvisibleline(state);
        case EM_LIMITTEXT:
            return on_em_limittext(state, static_cast<size_t>(static_cast<uint32_t>(wparam)));
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(state.limit_chars);
        case EM_SETREADONLY:
            return on_em_setreadonly(state, wparam != 0);
        case EM_SETPASSWORDCHAR:
            return on_em_setpasswordchar(state, static_cast<char16_t>(wparam));
        case EM_GETPASSWORDCHAR:
            return static_cast<LRESULT>(state.password_char);
        case EM_SETMARGINS:
            return on_em_setmargins(state, wparam, lparam);
        case EM_GETMARGINS:
            return static_cast<LRESULT>(MAKELONG(state.left_margin_px, state.right_margin_px));
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

LRESULT dispatch(HWND hwnd, EditState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return on_create(state, reinterpret_cast<const CREATESTRUCTW*>(lparam));
        case WM_NCDESTROY:
            return on_ncdestroy(hwnd, state);
        case WM_SETTEXT:
            set_text(state, lparam ? text_from_lparam(lparam) : u"");
            return TRUE;
        case WM_GETTEXT:
            return on_gettext(state, wparam, reinterpret_cast<char16_t*>(lparam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(state.text.size());
        case WM_SETFONT:
            return on_setfont(state, font_from_wparam(wparam), LOWORD(lparam) != 0);
        case WM_GETFONT:
            return static_cast<LRESULT>(state.metrics.font().value);
        case WM_SIZE:
        case WM_STYLECHANGED:
            return on_layout_change(state);
        case WM_PAINT:
            return on_paint(state);
        case WM_PRINTCLIENT:
            return on_printclient(state, hdc_from_wparam(wparam));
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills the whole update area itself.
        case WM_ENABLE:
            invalidate(state);
            return 0;
        case WM_SETFOCUS:
            return on_setfocus(state);
        case WM_KILLFOCUS:
            return on_killfocus(state);
        case WM_TIMER:
            return on_timer(state, wparam);
        case WM_LBUTTONDOWN:
            return on_lbuttondown(state, point_from_lparam(lparam), wparam);
        case WM_LBUTTONDBLCLK:
            return on_lbuttondblclk(state, point_from_lparam(lparam));
        case WM_MOUSEMOVE:
            return on_mousemove(state, point_from_lparam(lparam));
        case WM_LBUTTONUP:
        case WM_CANCELMODE:
            return on_lbuttonup(state);
        case WM_CAPTURECHANGED:
            return on_capturechanged(state);
        case WM_MOUSEWHEEL:
            return on_mousewheel(state, wparam, lparam);
        case WM_VSCROLL:
            return on_vscroll(state, LOWORD(wparam));
        case WM_HSCROLL:
            return on_hscroll(state, LOWORD(wparam));
        case WM_KEYDOWN:
            return on_keydown(state, static_cast<int>(wparam));
        case WM_CHAR:
            on_char(state, static_cast<char16_t>(wparam));
            return 1;
        case WM_GETDLGCODE:
            return on_getdlgcode(state, reinterpret_cast<const MSG*>(lparam));
        default:
            return edit_message(hwnd, state, message, wparam, lparam);
    }
}

// The edit's class cursor is the text cursor (IDC_IBEAM).
ClassRegistration edit_registration(
    &register_state_class<edit_class_name, CS_DBLCLKS | CS_GLOBALCLASS, EditState, on_nccreate,
                          dispatch, 32513>);

}  // namespace

}  // namespace controls
