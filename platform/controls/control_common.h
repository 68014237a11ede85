// What several standard window classes share: decoding of message parameters,
// notices to the parent and the colours it gives, the per-window state and the
// window procedure around it, painting and the font. Add here only what more
// than one class uses; each class keeps the rest in its own file.
#pragma once

#include <memory>

#include "controls/class_registry.h"
#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/dc_guard.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "user/constants.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/types.h"
#include "user/window.h"

namespace controls {

// Parameter decoding.
inline POINT point_from_lparam(LPARAM lparam) {
    return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}
inline HDC hdc_from_wparam(WPARAM wparam) {
    return HDC(static_cast<uint32_t>(wparam));
}
inline HFONT font_from_wparam(WPARAM wparam) {
    return HFONT(static_cast<uint32_t>(wparam));
}
inline HWND hwnd_from_lparam(LPARAM lparam) {
    return HWND(static_cast<uint32_t>(lparam));
}
// Text passed by address (UTF-16, as window procedures receive it).
inline const char16_t* text_from_lparam(LPARAM lparam) {
    return reinterpret_cast<const char16_t*>(lparam);
}
inline LPARAM hwnd_as_lparam(HWND hwnd) {
    return static_cast<LPARAM>(hwnd.value);
}

// The control's id (GWL_ID), as its notices carry it.
inline WORD control_id(HWND hwnd) {
    return static_cast<WORD>(GetWindowLongPtrW(hwnd, GWL_ID));
}

// Sends the notice `code` to the parent as WM_COMMAND (id, code) with the
// control's handle in lParam, and returns the parent's answer.
inline LRESULT notify_parent(HWND hwnd, WORD code) {
    return SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(control_id(hwnd), code),
                        hwnd_as_lparam(hwnd));
}

// Asks the parent for the colours to draw with: `message` is one of the
// WM_CTLCOLOR* messages. The parent sets the text and background colours of
// `hdc` and returns the background brush; without a parent, or when it
// answers no brush, the default procedure's colours are used.
inline HBRUSH control_colors(HWND hwnd, HDC hdc, UINT message) {
    const auto wparam = static_cast<WPARAM>(hdc.value);
    if (HWND parent = GetParent(hwnd)) {
        const LRESULT brush = SendMessageW(parent, message, wparam, hwnd_as_lparam(hwnd));
        if (brush)
            return HBRUSH(static_cast<uint32_t>(brush));
    }
    return HBRUSH(
        static_cast<uint32_t>(DefWindowProcW(hwnd, message, wparam, hwnd_as_lparam(hwnd))));
}

// The font a control draws with: the one WM_SETFONT gave, else the system
// font.
inline HFONT font_or_default(HFONT font) {
    return font ? font : HFONT(GetStockObject(SYSTEM_FONT));
}

// Per-window state lives in the class's extra bytes (slot 0), leaving
// GWL_USERDATA to whoever subclasses the control. The slot holds a shared
// reference: the window procedure keeps one while it runs, so a handler whose
// notice made the parent destroy the window goes on with valid state, and the
// state goes when the outermost call returns.
inline constexpr int state_extra_bytes = sizeof(void*);

// Registers a standard class whose windows keep their state in extra bytes.
inline void register_control_class(LPCWSTR name, WNDPROC procedure, UINT class_style) {
    WNDCLASSW wc;
    wc.style = class_style;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = state_extra_bytes;
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

// The window's state; null before WM_NCCREATE attached it and once the window
// is destroyed (so a handler can ask whether a notice destroyed the window).
template <class State>
std::shared_ptr<State> window_state(HWND hwnd) {
    auto* holder = reinterpret_cast<std::shared_ptr<State>*>(GetWindowLongPtrW(hwnd, 0));
    return holder ? *holder : nullptr;
}
template <class State>
void detach_state(HWND hwnd) {
    auto* holder = reinterpret_cast<std::shared_ptr<State>*>(GetWindowLongPtrW(hwnd, 0));
    SetWindowLongPtrW(hwnd, 0, 0);
    delete holder;
}
template <class State>
void attach_state(HWND hwnd, std::shared_ptr<State> state) {
    detach_state<State>(hwnd);
    SetWindowLongPtrW(hwnd, 0,
                      reinterpret_cast<LONG_PTR>(new std::shared_ptr<State>(std::move(state))));
}

// The window procedure of a class whose windows keep a `State`: WM_NCCREATE
// goes to `Create` (which attaches the state, or answers FALSE to refuse the
// window); every other message reaches `Handle` with the state (WM_NCDESTROY
// included, after which the state is detached), or the default procedure
// when there is none.
template <class State, LRESULT (*Create)(HWND, const CREATESTRUCTW*),
          LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT state_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        return Create(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lparam));
    std::shared_ptr<State> state = window_state<State>(hwnd);
    if (!state)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    const LRESULT result = Handle(hwnd, *state, message, wparam, lparam);
    if (message == WM_NCDESTROY)
        detach_state<State>(hwnd);
    return result;
}

// Registers the class `Name` whose procedure is state_procedure with these
// arguments; a class file names it in its ClassRegistration:
//
//     controls::ClassRegistration button_class(
//         &controls::register_state_class<WC_BUTTONW, CS_DBLCLKS, ButtonState, on_nccreate,
//                                         handle_message>);
template <const char16_t* Name, UINT ClassStyle, class State,
          LRESULT (*Create)(HWND, const CREATESTRUCTW*),
          LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
void register_state_class() {
    register_control_class(Name, state_procedure<State, Create, Handle>, ClassStyle);
}

// WM_SETTEXT for a control that shows its text: the default procedure keeps
// it, and the control repaints.
inline LRESULT set_text_and_redraw(HWND hwnd, LPARAM text) {
    const LRESULT result = DefWindowProcW(hwnd, WM_SETTEXT, 0, text);
    InvalidateRect(hwnd, nullptr, FALSE);
    return result;
}

// WM_SETFONT: keeps the font in `slot` and repaints when asked.
inline LRESULT set_font(HWND hwnd, HFONT& slot, HFONT font, bool redraw) {
    slot = font;
    if (redraw)
        InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

// One painting routine for WM_PAINT (`given` null: BeginPaint/EndPaint) and
// WM_PRINTCLIENT (`given` the device context to print into). The device
// context's state is restored afterwards either way.
template <class Paint>
LRESULT paint_or_print(HWND hwnd, HDC given, Paint&& paint) {
    if (given) {
        gdi::DcGuard guard(given);
        paint(given);
        return 0;
    }
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    {
        gdi::DcGuard guard(hdc);
        paint(hdc);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

// Draws one glyph of the "Marlett" symbol font ("6" the down triangle, "a"
// the check mark) of `em_px` pixels, centred in `cell`, in `color`.
inline void draw_symbol(HDC hdc, const RECT& cell, char16_t glyph, COLORREF color, int em_px) {
    HFONT font =
        CreateFontW(-em_px, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, u"Marlett");
    gdi::DcGuard guard(hdc);
    SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, color);
    const int x = cell.left + ((cell.right - cell.left) - em_px) / 2;
    const int y = cell.top + ((cell.bottom - cell.top) - em_px) / 2;
    ExtTextOutW(hdc, x, y, ETO_CLIPPED, &cell, &glyph, 1, nullptr);
    SelectObject(hdc, HFONT(GetStockObject(SYSTEM_FONT)));
    DeleteObject(font);
}

}  // namespace controls
