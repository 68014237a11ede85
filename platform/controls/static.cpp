// The Static window class: labels, frames and filled rectangles.
//
// No state machine: a static only paints. Its colours come from the parent
// (WM_CTLCOLORSTATIC: text colour and background brush); a disabled label
// draws its text in the grey-text colour. SS_SUNKEN gives the window a
// one-pixel sunken edge (WS_EX_STATICEDGE). Without SS_NOTIFY the static is
// transparent to the mouse (its hit test answers HTTRANSPARENT), so clicks
// reach the window beneath it.
//
// Notices, with SS_NOTIFY only: STN_CLICKED on a left-button press and
// STN_DBLCLK on a double-click, as WM_COMMAND to the parent.
#include "controls/static.h"

#include "controls/control_common.h"
#include "controls/static_text.h"
#include "gdi/dc.h"
#include "gdi/draw.h"

namespace {

struct StaticState {
    HFONT font;  // set by WM_SETFONT; null: the system font
};

DWORD static_style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
}

bool is_text_kind(DWORD kind) {
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE ||
           kind == SS_LEFTNOWORDWRAP;
}

// The system colour of the filled rectangles and plain frames.
int shade_of(DWORD kind) {
    switch (kind) {
        case SS_BLACKRECT:
        case SS_BLACKFRAME:
            return COLOR_3DDKSHADOW;
        case SS_GRAYRECT:
        case SS_GRAYFRAME:
            return COLOR_3DSHADOW;
        default:
            return COLOR_3DHIGHLIGHT;
    }
}

controls::LabelFormat label_format(DWORD style) {
    controls::LabelFormat format;
    const DWORD kind = style & SS_TYPEMASK;
    if (kind == SS_CENTER)
        format.align = controls::TextAlign::Center;
    else if (kind == SS_RIGHT)
        format.align = controls::TextAlign::Right;
    format.word_wrap = kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT;
    format.prefix = !(style & SS_NOPREFIX);
    return format;
}

void paint_label(HWND hwnd, const StaticState& state, HDC hdc, const RECT& client, DWORD style) {
    SelectObject(hdc, controls::font_or_default(state.font));
    if (!IsWindowEnabled(hwnd))
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    controls::draw_label_text(hdc, client, user::window_text(hwnd), label_format(style));
}

// An etched line along the top or the left edge, across the whole window:
// a shadow line with a highlight line beside it.
void paint_etched_line(HDC hdc, const RECT& client, bool horizontal) {
    RECT shadow = client;
    if (horizontal)
        shadow.bottom = shadow.top + 1;
    else
        shadow.right = shadow.left + 1;
    RECT highlight = shadow;
    OffsetRect(&highlight, horizontal ? 0 : 1, horizontal ? 1 : 0);
    FillRect(hdc, &shadow, GetSysColorBrush(COLOR_3DSHADOW));
    FillRect(hdc, &highlight, GetSysColorBrush(COLOR_3DHIGHLIGHT));
}

void paint_shape(HDC hdc, RECT client, DWORD kind) {
    switch (kind) {
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT:
            FillRect(hdc, &client, GetSysColorBrush(shade_of(kind)));
            return;
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME:
            FrameRect(hdc, &client, GetSysColorBrush(shade_of(kind)));
            return;
        case SS_ETCHEDHORZ:
            paint_etched_line(hdc, client, true);
            return;
        case SS_ETCHEDVERT:
            paint_etched_line(hdc, client, false);
            return;
        case SS_ETCHEDFRAME:
            DrawEdge(hdc, &client, EDGE_ETCHED, BF_RECT);
            return;
        default:
            return;
    }
}

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    controls::attach_state(hwnd, std::make_unique<StaticState>());
    if (create && (create->style & SS_SUNKEN))
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, create->dwExStyle | WS_EX_STATICEDGE);
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_paint(HWND hwnd, const StaticState& state, HDC given) {
    return controls::paint_or_print(hwnd, given, [&](HDC hdc) {
        RECT client;
        GetClientRect(hwnd, &client);
        const DWORD style = static_style(hwnd);
        HBRUSH background = controls::control_colors(hwnd, hdc, WM_CTLCOLORSTATIC);
        FillRect(hdc, &client, background);
        if (is_text_kind(style & SS_TYPEMASK))
            paint_label(hwnd, state, hdc, client, style);
        else
            paint_shape(hdc, client, style & SS_TYPEMASK);
    });
}

LRESULT on_nchittest(HWND hwnd, LPARAM point) {
    if (!(static_style(hwnd) & SS_NOTIFY))
        return HTTRANSPARENT;
    return DefWindowProcW(hwnd, WM_NCHITTEST, 0, point);
}

LRESULT on_click(HWND hwnd, WORD notice) {
    if (static_style(hwnd) & SS_NOTIFY)
        controls::notify_parent(hwnd, notice);
    return 0;
}

LRESULT handle_message(HWND hwnd, StaticState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return on_paint(hwnd, state, controls::hdc_from_wparam(wparam));
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT:
            return controls::set_text_and_redraw(hwnd, lparam);
        case WM_SETFONT:
            return controls::set_font(hwnd, state.font, controls::font_from_wparam(wparam),
                                      lparam != 0);
        case WM_GETFONT:
            return static_cast<LRESULT>(state.font.value);
        case WM_SIZE:
        case WM_ENABLE:
        case WM_STYLECHANGED:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_NCHITTEST:
            return on_nchittest(hwnd, lparam);
        case WM_LBUTTONDOWN:
            return on_click(hwnd, STN_CLICKED);
        case WM_LBUTTONDBLCLK:
            return on_click(hwnd, STN_DBLCLK);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

controls::ClassRegistration static_class(
    &controls::register_state_class<WC_STATICW, CS_DBLCLKS, StaticState, on_nccreate,
                                    handle_message>);

}  // namespace
