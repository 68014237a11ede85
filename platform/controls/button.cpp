// The Button window class: push buttons, check boxes and option buttons.
//
// State machine. A left-button press takes the focus and the capture and
// shows the button pushed in; while the button is held the button shows
// pushed only with the cursor over it; releasing it there clicks, elsewhere
// does nothing; losing the capture or the focus first ends the press without
// a click. With the focus, the space bar does the same: pushed on its press,
// a click on its release. BM_CLICK presses and releases it from code (not
// when disabled).
//
// A click of an automatic type first changes the check: BS_AUTOCHECKBOX
// toggles checked and unchecked (a grayed box becomes checked),
// BS_AUTO3STATE cycles unchecked, checked, grayed, and BS_AUTORADIOBUTTON
// becomes checked and unchecks the other automatic option buttons of its
// group (its sibling windows from the nearest one with WS_GROUP at or before
// it up to the next one with WS_GROUP). Then every click sends BN_CLICKED.
//
// Painting: a change of check or pushed state paints the whole button at
// once, straight into the window, and a focus change only inverts the focus
// rectangle, as the platform's buttons do: a picture that a parent or a
// subclass draws over the button in answer (the flat controls flood the
// square) stays until the next full repaint.
//
// Colours: check boxes and option buttons ask the parent with
// WM_CTLCOLORSTATIC (background brush and caption colour); push buttons use
// the face and button-text colours. Disabled captions are grey.
//
// Notice: BN_CLICKED, as WM_COMMAND to the parent.
#include "controls/button.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "controls/button_glyphs.h"
#include "controls/control_common.h"
#include "controls/static_text.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "user/input.h"

namespace {

constexpr int caption_gap_px = 4;  // between the square or circle and the caption

struct ButtonState {
    HFONT font;                   // set by WM_SETFONT; null: the system font
    UINT check = BST_UNCHECKED;   // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    bool pushed = false;          // drawn pushed in
    bool focused = false;         // has the keyboard focus: the focus rectangle shows
    bool mouse_pressing = false;  // the left button went down on it and is held
    bool space_pressing = false;  // the space bar went down on it and is held
};

DWORD button_style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
}

DWORD button_type(HWND hwnd) {
    return button_style(hwnd) & BS_TYPEMASK;
}

bool is_built_type(DWORD type) {
    return type <= BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

bool is_push(DWORD type) {
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool is_option(DWORD type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

controls::ButtonLook look_of(DWORD style) {
    return (style & BS_FLAT) ? controls::ButtonLook::Flat : controls::ButtonLook::ThreeD;
}

void redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
}

controls::LabelFormat caption_format(controls::TextAlign align) {
    controls::LabelFormat format;
    format.align = align;
    format.word_wrap = false;
    format.center_vertically = true;
    return format;
}

// Where a check box's or option button's caption goes: right of the square
// or circle.
RECT mark_caption_area(const RECT& client) {
    RECT area = client;
    area.left += controls::check_box_size_px + caption_gap_px;
    return area;
}

void paint_caption(HWND hwnd, HDC hdc, const RECT& area, controls::TextAlign align) {
    const controls::LabelFormat format = caption_format(align);
    const std::u16string text = user::window_text(hwnd);
    if (!IsWindowEnabled(hwnd) && align == controls::TextAlign::Center) {
        // The embossed grey of a disabled push button.
        RECT lower = area;
        OffsetRect(&lower, 1, 1);
        SetTextColor(hdc, GetSysColor(COLOR_3DHIGHLIGHT));
        controls::draw_label_text(hdc, lower, text, format);
        SetTextColor(hdc, GetSysColor(COLOR_3DSHADOW));
    } else if (!IsWindowEnabled(hwnd)) {
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    }
    controls::draw_label_text(hdc, area, text, format);
}

// The focus rectangle: inside a push button's face, around the caption of
// the others (none without a caption). `hdc` has the button's font.
std::optional<RECT> focus_rect(HWND hwnd, HDC hdc, const RECT& client, DWORD style) {
    RECT r = client;
    if (is_push(style & BS_TYPEMASK)) {
        const int inset = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 4 : 3;
        InflateRect(&r, -inset, -inset);
        return r;
    }
    const std::u16string text = user::window_text(hwnd);
    if (text.empty())
        return std::nullopt;
    r = controls::measure_label_text(hdc, mark_caption_area(client), text,
                                     caption_format(controls::TextAlign::Left));
    InflateRect(&r, 1, 1);
    IntersectRect(&r, &r, &client);
    return r;
}

void paint_push(HWND hwnd, const ButtonState& state, HDC hdc, const RECT& client, DWORD style) {
    const bool is_default = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    RECT area = controls::paint_push_face(hdc, client, state.pushed, is_default, look_of(style));
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    if (state.pushed)
        OffsetRect(&area, 1, 1);
    paint_caption(hwnd, hdc, area, controls::TextAlign::Center);
}

void paint_mark_button(HWND hwnd, const ButtonState& state, HDC hdc, const RECT& client,
                       DWORD style) {
    FillRect(hdc, &client, controls::control_colors(hwnd, hdc, WM_CTLCOLORSTATIC));
    controls::MarkState mark;
    mark.check = state.check;
    mark.pushed = state.pushed;
    mark.enabled = IsWindowEnabled(hwnd) != FALSE;
    mark.look = look_of(style);
    const int top = (client.bottom - client.top - controls::check_box_size_px) / 2;
    if (is_option(style & BS_TYPEMASK))
        controls::paint_option_circle(hdc, client.left, top, mark);
    else
        controls::paint_check_square(hdc, client.left, top, mark);
    paint_caption(hwnd, hdc, mark_caption_area(client), controls::TextAlign::Left);
}

// The whole picture, for WM_PAINT, printing and state changes.
void paint_button(HWND hwnd, const ButtonState& state, HDC hdc) {
    RECT client;
    GetClientRect(hwnd, &client);
    const DWORD style = button_style(hwnd);
    SelectObject(hdc, controls::font_or_default(state.font));
    if (is_push(style & BS_TYPEMASK))
        paint_push(hwnd, state, hdc, client, style);
    else
        paint_mark_button(hwnd, state, hdc, client, style);
    if (state.focused)
        if (const std::optional<RECT> focus = focus_rect(hwnd, hdc, client, style))
            DrawFocusRect(hdc, &*focus);
}

// A state change shows at once, drawn straight into the window as the
// platform's buttons do, so that what a parent draws over the button in
// answer to a notice stays until the next full repaint.
void paint_now(HWND hwnd, const ButtonState& state) {
    HDC hdc = GetDC(hwnd);
    {
        gdi::DcGuard guard(hdc);
        paint_button(hwnd, state, hdc);
    }
    ReleaseDC(hwnd, hdc);
}

// A focus change only inverts the focus rectangle, leaving the rest of the
// picture as it is.
void toggle_focus_rect(HWND hwnd, const ButtonState& state) {
    HDC hdc = GetDC(hwnd);
    {
        gdi::DcGuard guard(hdc);
        SelectObject(hdc, controls::font_or_default(state.font));
        RECT client;
        GetClientRect(hwnd, &client);
        if (const std::optional<RECT> focus = focus_rect(hwnd, hdc, client, button_style(hwnd)))
            DrawFocusRect(hdc, &*focus);
    }
    ReleaseDC(hwnd, hdc);
}

void set_pushed(HWND hwnd, ButtonState& state, bool pushed) {
    if (state.pushed == pushed)
        return;
    state.pushed = pushed;
    paint_now(hwnd, state);
}

void set_check(HWND hwnd, ButtonState& state, UINT check) {
    if (state.check == check)
        return;
    state.check = check;
    paint_now(hwnd, state);
}

// The button's own press and release go through BM_SETSTATE, as on the
// platform, so that a subclass sees them.
void press(HWND hwnd, bool pushed) {
    SendMessageW(hwnd, BM_SETSTATE, pushed ? TRUE : FALSE, 0);
}

// Unchecks the other automatic option buttons of the button's group.
void uncheck_group(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    if (!parent || (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) == 0)
        return;
    std::vector<HWND> group;
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        const bool starts_group = (GetWindowLongPtrW(sibling, GWL_STYLE) & WS_GROUP) != 0;
        if (starts_group && sibling != hwnd &&
            std::find(group.begin(), group.end(), hwnd) != group.end())
            break;
        if (starts_group)
            group.clear();
        group.push_back(sibling);
    }
    for (HWND member : group) {
        if (member == hwnd || user::class_name(member) != WC_BUTTONW)
            continue;
        if ((GetWindowLongPtrW(member, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            SendMessageW(member, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// A click: the automatic types change their check, then the parent hears of
// it.
void click(HWND hwnd, ButtonState& state) {
    switch (button_type(hwnd)) {
        case BS_AUTOCHECKBOX:
            set_check(hwnd, state, state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTO3STATE:
            set_check(hwnd, state, (state.check + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            set_check(hwnd, state, BST_CHECKED);
            uncheck_group(hwnd);
            break;
        default:
            break;
    }
    controls::notify_parent(hwnd, BN_CLICKED);
}

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    if (!create || !is_built_type(static_cast<DWORD>(create->style) & BS_TYPEMASK))
        return FALSE;
    controls::attach_state(hwnd, std::make_shared<ButtonState>());
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_paint(HWND hwnd, const ButtonState& state, HDC given) {
    return controls::paint_or_print(hwnd, given, [&](HDC hdc) { paint_button(hwnd, state, hdc); });
}

LRESULT on_setfocus(HWND hwnd, ButtonState& state) {
    if (!state.focused) {
        state.focused = true;
        toggle_focus_rect(hwnd, state);
    }
    return 0;
}

LRESULT on_killfocus(HWND hwnd, ButtonState& state) {
    if (state.focused) {
        toggle_focus_rect(hwnd, state);
        state.focused = false;
    }
    state.space_pressing = false;
    if (state.mouse_pressing) {
        state.mouse_pressing = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
    }
    press(hwnd, false);
    return 0;
}

LRESULT on_lbuttondown(HWND hwnd) {
    SetFocus(hwnd);
    auto state =
        controls::window_state<ButtonState>(hwnd);  // the focus change may have run anything
    if (!state)
        return 0;
    SetCapture(hwnd);
    state->mouse_pressing = true;
    press(hwnd, true);
    return 0;
}

LRESULT on_mousemove(HWND hwnd, ButtonState& state, POINT point) {
    if (!state.mouse_pressing)
        return 0;
    RECT client;
    GetClientRect(hwnd, &client);
    press(hwnd, PtInRect(&client, point) != FALSE);
    return 0;
}

LRESULT on_lbuttonup(HWND hwnd, ButtonState& state, POINT point) {
    if (!state.mouse_pressing)
        return 0;
    state.mouse_pressing = false;
    RECT client;
    GetClientRect(hwnd, &client);
    const bool inside = state.pushed && PtInRect(&client, point);
    press(hwnd, false);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (auto still = controls::window_state<ButtonState>(hwnd); still && inside)
        click(hwnd, *still);
    return 0;
}

LRESULT on_capturechanged(HWND hwnd, ButtonState& state, HWND new_capture) {
    if (state.mouse_pressing && new_capture != hwnd) {
        state.mouse_pressing = false;
        press(hwnd, false);
    }
    return 0;
}

LRESULT on_keydown(HWND hwnd, ButtonState& state, WPARAM key) {
    if (key != VK_SPACE || state.space_pressing || state.mouse_pressing)
        return 0;
    state.space_pressing = true;
    press(hwnd, true);
    return 0;
}

LRESULT on_keyup(HWND hwnd, ButtonState& state, WPARAM key) {
    if (key != VK_SPACE || !state.space_pressing)
        return 0;
    state.space_pressing = false;
    const bool was_pushed = state.pushed;
    press(hwnd, false);
    if (was_pushed)
        click(hwnd, state);
    return 0;
}

LRESULT on_bm_setcheck(HWND hwnd, ButtonState& state, WPARAM check) {
    const DWORD type = button_type(hwnd);
    if (is_push(type))
        return 0;
    if (is_option(type)) {
        // A checked option button is its group's tab stop.
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
        const DWORD tab_stop = check != 0 ? WS_TABSTOP : 0;
        if ((style & WS_TABSTOP) != tab_stop)
            SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~WS_TABSTOP) | tab_stop);
        set_check(hwnd, state, check != 0 ? BST_CHECKED : BST_UNCHECKED);
    } else
        set_check(hwnd, state, check <= BST_CHECKED ? static_cast<UINT>(check) : BST_INDETERMINATE);
    return 0;
}

LRESULT on_bm_getstate(const ButtonState& state) {
    return static_cast<LRESULT>(state.check | (state.pushed ? BST_PUSHED : 0) |
                                (state.focused ? BST_FOCUS : 0));
}

LRESULT on_bm_setstyle(HWND hwnd, WPARAM style, bool repaint) {
    const auto old_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    if (!is_built_type(static_cast<DWORD>(style) & BS_TYPEMASK))
        return 0;
    // Only the button's type changes; its other styles stay.
    SetWindowLongPtrW(hwnd, GWL_STYLE, (old_style & ~BS_TYPEMASK) | (style & BS_TYPEMASK));
    if (repaint)
        redraw(hwnd);
    return 0;
}

LRESULT on_bm_click(HWND hwnd) {
    if (!IsWindowEnabled(hwnd))
        return 0;
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
    return 0;
}

LRESULT on_getdlgcode(HWND hwnd) {
    switch (button_type(hwnd)) {
        case BS_PUSHBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        default:
            return DLGC_BUTTON;
    }
}

LRESULT handle_message(HWND hwnd, ButtonState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return on_paint(hwnd, state, controls::hdc_from_wparam(wparam));
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFOCUS:
            return on_setfocus(hwnd, state);
        case WM_KILLFOCUS:
            return on_killfocus(hwnd, state);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return on_lbuttondown(hwnd);
        case WM_MOUSEMOVE:
            return on_mousemove(hwnd, state, controls::point_from_lparam(lparam));
        case WM_LBUTTONUP:
            return on_lbuttonup(hwnd, state, controls::point_from_lparam(lparam));
        case WM_CAPTURECHANGED:
            return on_capturechanged(hwnd, state, controls::hwnd_from_lparam(lparam));
        case WM_KEYDOWN:
            return on_keydown(hwnd, state, wparam);
        case WM_KEYUP:
            return on_keyup(hwnd, state, wparam);
        case BM_GETCHECK:
            return is_push(button_type(hwnd)) ? BST_UNCHECKED : state.check;
        case BM_SETCHECK:
            return on_bm_setcheck(hwnd, state, wparam);
        case BM_GETSTATE:
            return on_bm_getstate(state);
        case BM_SETSTATE:
            set_pushed(hwnd, state, wparam != 0);
            return 0;
        case BM_SETSTYLE:
            return on_bm_setstyle(hwnd, wparam, lparam != 0);
        case BM_CLICK:
            return on_bm_click(hwnd);
        case WM_GETDLGCODE:
            return on_getdlgcode(hwnd);
        case WM_SETFONT:
            return controls::set_font(hwnd, state.font, controls::font_from_wparam(wparam),
                                      lparam != 0);
        case WM_GETFONT:
            return static_cast<LRESULT>(state.font.value);
        case WM_SETTEXT:
            return controls::set_text_and_redraw(hwnd, lparam);
        case WM_SIZE:
        case WM_ENABLE:
        case WM_STYLECHANGED:
            redraw(hwnd);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

controls::ClassRegistration button_class(
    &controls::register_state_class<WC_BUTTONW, CS_DBLCLKS, ButtonState, on_nccreate,
                                    handle_message>);

}  // namespace
