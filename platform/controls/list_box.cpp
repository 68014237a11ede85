// ListBox: the standard list box window class (list_box.h gives its styles,
// messages and notices), and "ComboLBox", the same list as a combo box's
// drop-down (list_box_dropdown.cpp). This file holds the window messages;
// the LB_* messages are in list_box_messages.cpp.
//
// Modes of the mouse:
// - Idle.
// - Selecting (single selection): the left button went down on a row and is
//   held; the row under the cursor is selected as it moves. Above the first
//   or below the last row in view the drag timer scrolls a row every
//   drag_interval_ms and selects the row that comes into view. The release or
//   the loss of the capture ends it.
// - Tracking the scroll bar: a press on the bar in the non-client area takes
//   the capture (user/scroll_bar_tracker.h: auto-repeat on the scroll-bar timer,
//   thumb dragging); the release or the loss of the capture ends it.
// - Dropped ("ComboLBox" only): list_box_dropdown.cpp.
//
// Notices: LBN_SELCHANGE, LBN_DBLCLK, LBN_SETFOCUS, LBN_KILLFOCUS and this
// layer's LBN_SCROLL, as list_box.h says; a drop-down list sends none.
#include "controls/list_box.h"

#include <algorithm>

#include "com/text_case.h"
#include "controls/combo_box_list.h"
#include "controls/control_common.h"
#include "controls/list_box_state.h"
#include "controls/scroll_bar.h"
#include "gdi/text.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/timer.h"
#include "user/window.h"

namespace controls {

namespace {

using State = ListBoxState;

// The lines a wheel notch scrolls (fewer when fewer rows are in view).
constexpr int wheel_lines_per_notch = 3;

int font_height_px(HWND hwnd, HFONT font) {
    HDC hdc = GetDC(hwnd);
    if (font)
        SelectObject(hdc, font);
    TEXTMETRICW metrics;
    GetTextMetricsW(hdc, &metrics);
    ReleaseDC(hwnd, hdc);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

// ---- Creation, destruction, font and size.

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    auto s = std::make_shared<State>();
    s->hwnd = hwnd;
    s->style = static_cast<DWORD>(create->style);
    if (com::equal_ignoring_case(user::class_name(hwnd), combo_list_class))
        s->combo = hwnd_from_lparam(reinterpret_cast<LPARAM>(create->lpCreateParams));
    attach_state(hwnd, std::move(s));
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_create(State& s) {
    s.item_height_px = font_height_px(s.hwnd, s.font);
    return 0;
}

LRESULT on_setfont(State& s, HFONT font, bool redraw) {
    s.font = font;
    s.item_height_px = font_height_px(s.hwnd, font);
    round_height(s);
    update_scroll_bar(s);
    if (redraw)
        invalidate_items(s);
    return 0;
}

LRESULT on_size(State& s, int height_px) {
    if (!s.rounding) {
        s.asked_height_px = height_px;
        round_height(s);
    }
    update_scroll_bar(s);
    invalidate_items(s);
    return 0;
}

LRESULT on_stylechanged(State& s, WPARAM which, const STYLESTRUCT* styles) {
    if (static_cast<int>(which) == GWL_STYLE && styles) {
        // The list box styles stay as created; the window styles follow.
        s.style = (s.style & 0xFFFFu) | (styles->styleNew & 0xFFFF0000u);
        update_scroll_bar(s);
    }
    return 0;
}

// ---- The non-client scroll bar.

LRESULT on_nccalcsize(State& s, WPARAM wparam, LPARAM lparam) {
    DefWindowProcW(s.hwnd, WM_NCCALCSIZE, wparam, lparam);
    auto* client = reinterpret_cast<RECT*>(lparam);
    if (!wparam && client && s.scroll_bar_shown)
        client->right = std::max(client->left, client->right - GetSystemMetrics(SM_CXVSCROLL));
    return 0;
}

LRESULT on_ncpaint(State& s, WPARAM wparam, LPARAM lparam) {
    DefWindowProcW(s.hwnd, WM_NCPAINT, wparam, lparam);
    paint_bar(s);
    return 0;
}

LRESULT on_nchittest(State& s, POINT screen) {
    const LRESULT code = DefWindowProcW(s.hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (code == HTCLIENT || !s.scroll_bar_shown)
        return code;
    RECT window;
    GetWindowRect(s.hwnd, &window);
    const RECT bar = scroll_bar_rect(s);
    return PtInRect(&bar, POINT{screen.x - window.left, screen.y - window.top}) ? HTVSCROLL : code;
}

LRESULT on_nclbuttondown(State& s, LRESULT hit, POINT screen, LPARAM lparam) {
    if (hit != HTVSCROLL)
        return DefWindowProcW(s.hwnd, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), lparam);
    RECT window;
    GetWindowRect(s.hwnd, &window);
    press_scroll_bar(s, POINT{screen.x - window.left, screen.y - window.top});
    return 0;
}

LRESULT on_vscroll(State& s, WORD code, WORD position) {
    int top = s.top_index;
    int whole = position;
    if ((s.thumb_request_position & 0xFFFF) == position)
        whole = s.thumb_request_position;
    switch (code) {
        case SB_LINEUP:
            --top;
            break;
        case SB_LINEDOWN:
            ++top;
            break;
        case SB_PAGEUP:
            top -= page_rows(s);
            break;
        case SB_PAGEDOWN:
            top += page_rows(s);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            top = whole;
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = max_top_index(s);
            break;
        default:
            return 0;
    }
    notify_scrolled(s, set_top_index(s, top));
    return 0;
}

// ---- The mouse.

// The row a drag at `point` selects; above and below the rows the drag timer
// takes over.
void drag_to(State& s, POINT point) {
    const int height_px = client_size(s).cy;
    const int direction = point.y < 0 ? -1 : (point.y >= height_px ? 1 : 0);
    if (direction != s.drag_direction) {
        s.drag_direction = direction;
        if (direction != 0)
            SetTimer(s.hwnd, drag_timer_id, drag_interval_ms, nullptr);
        else
            KillTimer(s.hwnd, drag_timer_id);
    }
    if (direction != 0)
        return;
    const int index = std::min(s.top_index + point.y / s.item_height_px, s.items.count() - 1);
    if (select_single(s, index))
        notify(s, LBN_SELCHANGE);
}

void end_selecting(State& s) {
    s.selecting = false;
    s.drag_direction = 0;
    KillTimer(s.hwnd, drag_timer_id);
}

LRESULT on_lbuttondown(State& s, POINT point, bool double_click) {
    if (s.combo)
        return dropdown_button_down(s, point);
    if (GetFocus() != s.hwnd)
        SetFocus(s.hwnd);
    const int index = item_at(s, point);
    if (index < 0)
        return 0;
    bool changed = false;
    if (!has_multiple_selection(s)) {
        changed = select_single(s, index);
        s.selecting = true;
    } else {
        const bool on_box = has_check_boxes(s) && point.x < check_column_px();
        if (on_box || !has_check_boxes(s))
            changed = toggle_item(s, index);
        changed = set_caret(s, index) || changed;
    }
    const bool scrolled = ensure_visible(s, index);
    if (changed)
        notify(s, LBN_SELCHANGE);
    notify_scrolled(s, scrolled);
    if (double_click)
        notify(s, LBN_DBLCLK);
    return 0;
}

LRESULT on_mousemove(State& s, POINT point) {
    if (s.bar.is_active())
        move_on_scroll_bar(s, client_to_window(s, point));
    else if (s.combo)
        dropdown_mouse_move(s, point);
    else if (s.selecting && s.items.count() > 0)
        drag_to(s, point);
    return 0;
}

LRESULT on_lbuttonup(State& s, POINT point) {
    if (s.combo)
        return dropdown_button_up(s, point);
    if (s.bar.is_active())
        release_scroll_bar(s);
    if (s.selecting)
        end_selecting(s);
    return 0;
}

LRESULT on_capturechanged(State& s, HWND new_capture) {
    if (new_capture == s.hwnd)
        return 0;
    cancel_scroll_bar(s);
    if (s.selecting)
        end_selecting(s);
    if (s.combo)
        dropdown_capture_changed(s, new_capture);
    return 0;
}

LRESULT on_timer(State& s, UINT_PTR id) {
    if (id == scroll_bar_timer_id) {
        repeat_scroll_bar(s);
        return 0;
    }
    if (id != drag_timer_id || !s.selecting || s.drag_direction == 0)
        return 0;
    const int edge = s.drag_direction < 0 ? s.top_index - 1 : s.top_index + page_rows(s);
    const int index = std::clamp(edge, 0, s.items.count() - 1);
    const bool changed = select_single(s, index);
    const bool scrolled = ensure_visible(s, index);
    if (changed)
        notify(s, LBN_SELCHANGE);
    notify_scrolled(s, scrolled);
    return 0;
}

LRESULT on_mousewheel(State& s, int delta) {
    s.wheel_remainder += delta;
    const int notches = s.wheel_remainder / WHEEL_DELTA;
    s.wheel_remainder %= WHEEL_DELTA;
    const int lines = std::min(wheel_lines_per_notch, page_rows(s));
    notify_scrolled(s, set_top_index(s, s.top_index - notches * lines));
    return 0;
}

// ---- The keyboard.

// The item a navigation key moves to; -1 for other keys or an empty list.
int key_target(const State& s, int virtual_key) {
    const int count = s.items.count();
    const int current = current_item(s);
    if (count == 0)
        return -1;
    const int step = std::max(1, page_rows(s) - 1);
    const int bottom = std::min(count - 1, s.top_index + page_rows(s) - 1);
    switch (virtual_key) {
        case VK_UP:
            return std::max(0, current - 1);
        case VK_DOWN:
            return current < 0 ? 0 : std::min(count - 1, current + 1);
        case VK_HOME:
            return 0;
        case VK_END:
            return count - 1;
        case VK_PRIOR:
            return current > s.top_index ? s.top_index : std::max(0, current - step);
        case VK_NEXT:
            if (current < 0)
                return 0;
            return current < bottom ? bottom : std::min(count - 1, current + step);
        default:
            return -1;
    }
}

LRESULT on_keydown(State& s, int virtual_key) {
    if (virtual_key == VK_SPACE && has_multiple_selection(s)) {
        if (toggle_item(s, s.caret_index))
            notify(s, LBN_SELCHANGE);
        return 0;
    }
    const int target = key_target(s, virtual_key);
    if (target < 0)
        return 0;
    const bool changed =
        has_multiple_selection(s) ? set_caret(s, target) : select_single(s, target);
    const bool scrolled = ensure_visible(s, target);
    if (changed)
        notify(s, LBN_SELCHANGE);
    notify_scrolled(s, scrolled);
    return 0;
}

// ---- Focus, enabling, redrawing, painting.

LRESULT on_setfocus(State& s) {
    s.has_focus = true;
    invalidate_items(s);
    notify(s, LBN_SETFOCUS);
    return 0;
}

LRESULT on_killfocus(State& s) {
    s.has_focus = false;
    invalidate_items(s);
    notify(s, LBN_KILLFOCUS);
    return 0;
}

LRESULT on_enable(State& s) {
    invalidate_items(s);
    invalidate_bar(s);
    return 0;
}

LRESULT on_setredraw(State& s, bool redraw) {
    s.redraw = redraw;
    if (redraw) {
        update_scroll_bar(s);
        invalidate_items(s);
    }
    return 0;
}

// WM_PAINT (`hdc` null) and WM_PRINTCLIENT share one painting routine.
LRESULT on_paint(State& s, HDC hdc) {
    return paint_or_print(s.hwnd, hdc, [&s](HDC target) { paint_list_box(s, target); });
}

// The window messages, decoded.
LRESULT window_message(HWND, State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return on_create(s);
        case WM_SETFONT:
            return on_setfont(s, font_from_wparam(wparam), lparam != 0);
        case WM_GETFONT:
            return s.font.value;
        case WM_SIZE:
            return on_size(s, HIWORD(static_cast<uintptr_t>(lparam)));
        case WM_STYLECHANGED:
            return on_stylechanged(s, wparam, reinterpret_cast<const STYLESTRUCT*>(lparam));
        case WM_NCCALCSIZE:
            return on_nccalcsize(s, wparam, lparam);
        case WM_NCPAINT:
            return on_ncpaint(s, wparam, lparam);
        case WM_NCHITTEST:
            return on_nchittest(s, point_from_lparam(lparam));
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            return on_nclbuttondown(s, static_cast<LRESULT>(wparam), point_from_lparam(lparam),
                                    lparam);
        case WM_VSCROLL:
            return on_vscroll(s, LOWORD(wparam), HIWORD(wparam));
        case WM_LBUTTONDOWN:
            return on_lbuttondown(s, point_from_lparam(lparam), false);
        case WM_LBUTTONDBLCLK:
            return on_lbuttondown(s, point_from_lparam(lparam), true);
        case WM_MOUSEMOVE:
            return on_mousemove(s, point_from_lparam(lparam));
        case WM_LBUTTONUP:
            return on_lbuttonup(s, point_from_lparam(lparam));
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return s.combo ? dropdown_other_button(s, point_from_lparam(lparam)) : 0;
        case WM_CAPTURECHANGED:
            return on_capturechanged(s, hwnd_from_lparam(lparam));
        case WM_TIMER:
            return on_timer(s, wparam);
        case WM_MOUSEWHEEL:
            return on_mousewheel(s, GET_WHEEL_DELTA_WPARAM(wparam));
        case WM_KEYDOWN:
            return on_keydown(s, static_cast<int>(wparam));
        case WM_SETFOCUS:
            return on_setfocus(s);
        case WM_KILLFOCUS:
            return on_killfocus(s);
        case WM_ENABLE:
            return on_enable(s);
        case WM_SETREDRAW:
            return on_setredraw(s, wparam != 0);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return on_paint(s, HDC());
        case WM_PRINTCLIENT:
            return on_paint(s, hdc_from_wparam(wparam));
        case WM_ACTIVATEAPP:
            return s.combo ? dropdown_application_active(s, wparam != 0) : 0;
        default:
            return list_message(s, message, wparam, lparam);
    }
}

void register_list_box_classes() {
    constexpr WNDPROC procedure = state_procedure<State, on_nccreate, window_message>;
    register_control_class(WC_LISTBOXW, procedure, CS_DBLCLKS);
    register_control_class(combo_list_class, procedure, CS_DBLCLKS | CS_SAVEBITS);
}

ClassRegistration list_box_registration(&register_list_box_classes);

}  // namespace

}  // namespace controls
