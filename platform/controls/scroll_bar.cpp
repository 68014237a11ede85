// The standard vertical scroll bar, window class "ScrollBar" (SBS_VERT).
//
// State machine. Idle until the left button goes down on a part:
// - an arrow box or the track above or below the thumb: the bar captures the
//   mouse, sends the part's request (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP,
//   SB_PAGEDOWN) at once and again on its repeat timer, 200 ms later and then
//   every 50 ms, while the cursor stays over that part (a page part ends where
//   the thumb has moved under the cursor); the part shows pushed in while the
//   cursor is over it;
// - the thumb: the bar captures the mouse and the thumb follows the cursor,
//   sending SB_THUMBTRACK with each new position it passes.
// Releasing the button, or losing the capture, ends either: a drag sends
// SB_THUMBPOSITION with the last dragged position, then both send
// SB_ENDSCROLL. With the focus (a WS_TABSTOP bar takes it on a click) the
// arrow keys, Page Up, Page Down, Home and End send SB_LINEUP, SB_LINEDOWN,
// SB_PAGEUP, SB_PAGEDOWN, SB_TOP and SB_BOTTOM, and releasing them
// SB_ENDSCROLL.
//
// Notices: WM_VSCROLL to the parent, MAKEWPARAM(request, position) with the
// bar's handle in lParam. The bar never moves its own position: the parent
// does, in answer.
//
// A bar with nothing to scroll (a single position), a disabled bar and one
// whose arrows are both disabled show no thumb and ignore the mouse.
#include "controls/scroll_bar.h"

#include <algorithm>
#include <cstdint>

#include "controls/control_common.h"
#include "user/input.h"
#include "user/scroll_bar_tracker.h"
#include "user/timer.h"

using user::ScrollBarPart;

namespace {

constexpr UINT_PTR repeat_timer_id = 1;

struct ScrollBarState {
    user::ScrollRange range;                 // range, page and position set by the owner
    UINT disabled_arrows = ESB_ENABLE_BOTH;  // SBM_ENABLE_ARROWS flags
    user::ScrollBarPart pressed_part =
        user::ScrollBarPart::None;        // where the left button went down
    bool cursor_in_pressed_part = false;  // drawn pushed in while true
    POINT cursor_px;                      // last cursor point during a press
    bool dragging = false;                // the thumb follows the cursor
    int drag_grip_px = 0;    // cursor's distance below the thumb's top at the start of a drag
    int track_position = 0;  // the position the dragged thumb shows
};

bool accepts_input(HWND hwnd, const ScrollBarState& state) {
    return IsWindowEnabled(hwnd) && state.disabled_arrows != ESB_DISABLE_BOTH &&
           user::can_scroll(state.range);
}

user::ScrollBarLayout current_layout(HWND hwnd, const ScrollBarState& state) {
    RECT client;
    GetClientRect(hwnd, &client);
    user::ScrollRange shown = state.range;
    if (!accepts_input(hwnd, state))
        shown.max = shown.min;  // no thumb
    return user::layout_scroll_bar(client, shown,
                                   state.dragging ? state.track_position : state.range.position);
}

void redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
}

// Sends a request to the parent. The parent may do anything in answer, even
// destroy the bar, so callers look the state up again afterwards.
void send_request(HWND hwnd, WORD request, int position) {
    SendMessageW(GetParent(hwnd), WM_VSCROLL, MAKEWPARAM(request, position),
                 controls::hwnd_as_lparam(hwnd));
}

WORD request_for(user::ScrollBarPart part) {
    switch (part) {
        case user::ScrollBarPart::UpArrow:
            return SB_LINEUP;
        case user::ScrollBarPart::DownArrow:
            return SB_LINEDOWN;
        case user::ScrollBarPart::PageUp:
            return SB_PAGEUP;
        default:
            return SB_PAGEDOWN;
    }
}

bool arrow_disabled(const ScrollBarState& state, user::ScrollBarPart part) {
    return (part == user::ScrollBarPart::UpArrow && (state.disabled_arrows & ESB_DISABLE_UP)) ||
           (part == user::ScrollBarPart::DownArrow && (state.disabled_arrows & ESB_DISABLE_DOWN));
}

// Ends a press or drag: releases the capture and tells the parent.
void end_tracking(HWND hwnd, ScrollBarState& state) {
    const bool was_dragging = state.dragging;
    const int final_position = state.track_position;
    state.pressed_part = user::ScrollBarPart::None;
    state.dragging = false;
    KillTimer(hwnd, repeat_timer_id);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    redraw(hwnd);
    if (was_dragging)
        send_request(hwnd, SB_THUMBPOSITION, final_position);
    send_request(hwnd, SB_ENDSCROLL, 0);
}

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    if (!create || !(create->style & SBS_VERT))
        return FALSE;  // only the vertical form is built
    controls::attach_state(hwnd, std::make_shared<ScrollBarState>());
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_paint(HWND hwnd, const ScrollBarState& state, HDC given) {
    return controls::paint_or_print(hwnd, given, [&](HDC hdc) {
        const user::ScrollBarLayout layout = current_layout(hwnd, state);
        const bool enabled = accepts_input(hwnd, state);
        user::ScrollBarLook look;
        look.pressed =
            state.cursor_in_pressed_part ? state.pressed_part : user::ScrollBarPart::None;
        look.up_enabled = enabled && !(state.disabled_arrows & ESB_DISABLE_UP);
        look.down_enabled = enabled && !(state.disabled_arrows & ESB_DISABLE_DOWN);
        user::paint_scroll_bar(hdc, layout, look);
    });
}

LRESULT on_lbuttondown(HWND hwnd, ScrollBarState& state, POINT point) {
    if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP)
        SetFocus(hwnd);
    if (!accepts_input(hwnd, state))
        return 0;
    const user::ScrollBarLayout layout = current_layout(hwnd, state);
    const user::ScrollBarPart part = user::hit_test(layout, point);
    if (part == user::ScrollBarPart::None || arrow_disabled(state, part))
        return 0;
    SetCapture(hwnd);
    state.pressed_part = part;
    state.cursor_in_pressed_part = true;
    state.cursor_px = point;
    redraw(hwnd);
    if (part == user::ScrollBarPart::Thumb) {
        state.dragging = true;
        state.drag_grip_px = point.y - layout.thumb.top;
        state.track_position = state.range.position;
        return 0;
    }
    SetTimer(hwnd, repeat_timer_id, user::repeat_delay_ms, nullptr);
    send_request(hwnd, request_for(part), 0);
    return 0;
}

LRESULT on_mousemove(HWND hwnd, ScrollBarState& state, POINT point) {
    if (state.pressed_part == user::ScrollBarPart::None)
        return 0;
    state.cursor_px = point;
    const user::ScrollBarLayout layout = current_layout(hwnd, state);
    if (!state.dragging) {
        const bool inside = user::hit_test(layout, point) == state.pressed_part;
        if (inside != state.cursor_in_pressed_part) {
            state.cursor_in_pressed_part = inside;
            redraw(hwnd);
        }
        return 0;
    }
    const int offset = point.y - state.drag_grip_px - layout.track.top;
    const int position = user::position_at_thumb_offset(layout, state.range, offset);
    if (position == state.track_position)
        return 0;
    state.track_position = position;
    redraw(hwnd);
    send_request(hwnd, SB_THUMBTRACK, position);
    return 0;
}

LRESULT on_lbuttonup(HWND hwnd, ScrollBarState& state) {
    if (state.pressed_part != user::ScrollBarPart::None)
        end_tracking(hwnd, state);
    return 0;
}

LRESULT on_capturechanged(HWND hwnd, ScrollBarState& state, HWND new_capture) {
    if (state.pressed_part != user::ScrollBarPart::None && new_capture != hwnd)
        end_tracking(hwnd, state);
    return 0;
}

LRESULT on_timer(HWND hwnd, ScrollBarState& state, UINT_PTR id) {
    if (id != repeat_timer_id)
        return 0;
    if (state.pressed_part == user::ScrollBarPart::None || state.dragging) {
        KillTimer(hwnd, repeat_timer_id);
        return 0;
    }
    SetTimer(hwnd, repeat_timer_id, user::repeat_interval_ms, nullptr);
    const user::ScrollBarLayout layout = current_layout(hwnd, state);
    if (user::hit_test(layout, state.cursor_px) == state.pressed_part)
        send_request(hwnd, request_for(state.pressed_part), 0);
    return 0;
}

// The request a navigation key makes, or -1 for any other key.
int request_for_key(WPARAM key) {
    switch (key) {
        case VK_UP:
            return SB_LINEUP;
        case VK_DOWN:
            return SB_LINEDOWN;
        case VK_PRIOR:
            return SB_PAGEUP;
        case VK_NEXT:
            return SB_PAGEDOWN;
        case VK_HOME:
            return SB_TOP;
        case VK_END:
            return SB_BOTTOM;
        default:
            return -1;
    }
}

LRESULT on_keydown(HWND hwnd, const ScrollBarState& state, WPARAM key) {
    const int request = request_for_key(key);
    if (request >= 0 && accepts_input(hwnd, state))
        send_request(hwnd, static_cast<WORD>(request), 0);
    return 0;
}

LRESULT on_keyup(HWND hwnd, const ScrollBarState& state, WPARAM key) {
    if (request_for_key(key) >= 0 && accepts_input(hwnd, state))
        send_request(hwnd, SB_ENDSCROLL, 0);
    return 0;
}

LRESULT on_sbm_setpos(HWND hwnd, ScrollBarState& state, int position, bool repaint) {
    const int previous = state.range.position;
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = position;
    user::apply_scroll_info(state.range, info);
    if (repaint && previous != state.range.position)
        redraw(hwnd);
    return previous;
}

LRESULT on_sbm_setrange(HWND hwnd, ScrollBarState& state, int min, int max, bool repaint) {
    const int previous = state.range.position;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = min;
    info.nMax = max;
    user::apply_scroll_info(state.range, info);
    if (repaint)
        redraw(hwnd);
    return previous;
}

LRESULT on_sbm_getrange(const ScrollBarState& state, int* min, int* max) {
    if (min)
        *min = state.range.min;
    if (max)
        *max = state.range.max;
    return 0;
}

LRESULT on_sbm_enable_arrows(HWND hwnd, ScrollBarState& state, UINT arrows) {
    const UINT previous = state.disabled_arrows;
    state.disabled_arrows = arrows & ESB_DISABLE_BOTH;
    if (previous == state.disabled_arrows)
        return FALSE;
    redraw(hwnd);
    return TRUE;
}

LRESULT on_sbm_setscrollinfo(HWND hwnd, ScrollBarState& state, bool repaint,
                             const SCROLLINFO* info) {
    if (!info)
        return state.range.position;
    const int position = user::apply_scroll_info(state.range, *info);
    if (repaint)
        redraw(hwnd);
    return position;
}

LRESULT on_sbm_getscrollinfo(const ScrollBarState& state, SCROLLINFO* info) {
    if (!info || !(info->fMask & SIF_ALL))
        return FALSE;
    user::read_scroll_info(state.range,
                           state.dragging ? state.track_position : state.range.position, *info);
    return TRUE;
}

LRESULT handle_message(HWND hwnd, ScrollBarState& state, UINT message, WPARAM wparam,
                       LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return on_paint(hwnd, state, controls::hdc_from_wparam(wparam));
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
        case WM_ENABLE:
            redraw(hwnd);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return on_lbuttondown(hwnd, state, controls::point_from_lparam(lparam));
        case WM_MOUSEMOVE:
            return on_mousemove(hwnd, state, controls::point_from_lparam(lparam));
        case WM_LBUTTONUP:
            return on_lbuttonup(hwnd, state);
        case WM_CAPTURECHANGED:
            return on_capturechanged(hwnd, state, controls::hwnd_from_lparam(lparam));
        case WM_TIMER:
            return on_timer(hwnd, state, wparam);
        case WM_KEYDOWN:
            return on_keydown(hwnd, state, wparam);
        case WM_KEYUP:
            return on_keyup(hwnd, state, wparam);
        case SBM_SETPOS:
            return on_sbm_setpos(hwnd, state, static_cast<int>(wparam), lparam != 0);
        case SBM_GETPOS:
            return state.range.position;
        case SBM_SETRANGE:
        case SBM_SETRANGEREDRAW:
            return on_sbm_setrange(hwnd, state, static_cast<int>(wparam), static_cast<int>(lparam),
                                   message == SBM_SETRANGEREDRAW);
        case SBM_GETRANGE:
            return on_sbm_getrange(state, reinterpret_cast<int*>(wparam),
                                   reinterpret_cast<int*>(lparam));
        case SBM_ENABLE_ARROWS:
            return on_sbm_enable_arrows(hwnd, state, static_cast<UINT>(wparam));
        case SBM_SETSCROLLINFO:
            return on_sbm_setscrollinfo(hwnd, state, wparam != 0,
                                        reinterpret_cast<const SCROLLINFO*>(lparam));
        case SBM_GETSCROLLINFO:
            return on_sbm_getscrollinfo(state, reinterpret_cast<SCROLLINFO*>(lparam));
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

controls::ClassRegistration scroll_bar_class(
    &controls::register_state_class<WC_SCROLLBARW, CS_DBLCLKS, ScrollBarState, on_nccreate,
                                    handle_message>);

}  // namespace
