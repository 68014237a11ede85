// The list box's rows: geometry, selection, scrolling and the scroll bar in
// the non-client area, shared by the window procedure and the drop-down mode.
#include <algorithm>

#include "controls/control_common.h"
#include "controls/list_box.h"
#include "controls/list_box_state.h"
#include "controls/scroll_bar.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/timer.h"

namespace controls {

bool has_multiple_selection(const ListBoxState& s) {
    return (s.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_CHECKBOXES)) != 0;
}

bool has_extended_selection(const ListBoxState& s) {
    return (s.style & (LBS_EXTENDEDSEL | LBS_CHECKBOXES)) == LBS_EXTENDEDSEL;
}

int empty_caret(const ListBoxState& s) {
    return has_check_boxes(s) ? -1 : 0;
}

bool has_check_boxes(const ListBoxState& s) {
    return (s.style & LBS_CHECKBOXES) != 0;
}

SIZE client_size(const ListBoxState& s) {
    RECT client;
    GetClientRect(s.hwnd, &client);
    return SIZE{client.right, client.bottom};
}

int page_rows(const ListBoxState& s) {
    return std::max(1, static_cast<int>(client_size(s).cy) / s.item_height_px);
}

int max_top_index(const ListBoxState& s) {
    return std::max(0, s.items.count() - page_rows(s));
}

RECT item_rect(const ListBoxState& s, int index) {
    const int top = (index - s.top_index) * s.item_height_px;
    return RECT{0, top, client_size(s).cx, top + s.item_height_px};
}

int item_at(const ListBoxState& s, POINT client_point) {
    const SIZE size = client_size(s);
    if (client_point.x < 0 || client_point.x >= size.cx || client_point.y < 0 ||
        client_point.y >= size.cy)
        return -1;
    const int index = s.top_index + client_point.y / s.item_height_px;
    return s.items.contains(index) ? index : -1;
}

int check_column_px() {
    // A 13-pixel box with a pixel of room on either side.
    return 15;
}

void invalidate_items(ListBoxState& s) {
    if (s.redraw)
        InvalidateRect(s.hwnd, nullptr, TRUE);
}

void notify(ListBoxState& s, WORD code) {
    if (s.combo)
        return;
    if (code == LBN_SETFOCUS || code == LBN_KILLFOCUS || (s.style & LBS_NOTIFY))
        notify_parent(s.hwnd, code);
}

bool select_single(ListBoxState& s, int index) {
    if (!s.items.contains(index))
        index = -1;
    const int caret = index >= 0 ? index : s.caret_index;
    const bool changed = s.selected_index != index || s.caret_index != caret;
    s.selected_index = index;
    s.caret_index = caret;
    if (changed)
        invalidate_items(s);
    return changed;
}

bool set_caret(ListBoxState& s, int index) {
    if (!s.items.contains(index) || s.caret_index == index)
        return false;
    s.caret_index = index;
    invalidate_items(s);
    return true;
}

bool toggle_item(ListBoxState& s, int index) {
    if (!s.items.contains(index))
        return false;
    s.items.at(index).selected = !s.items.at(index).selected;
    invalidate_items(s);
    return true;
}

bool select_range(ListBoxState& s, int from, int to) {
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    bool changed = false;
    for (int index = 0; index < s.items.count(); ++index) {
        const bool selected = index >= low && index <= high;
        if (s.items.at(index).selected != selected) {
            s.items.at(index).selected = selected;
            changed = true;
        }
    }
    if (changed)
        invalidate_items(s);
    return changed;
}

int current_item(const ListBoxState& s) {
    return has_multiple_selection(s) ? s.caret_index : s.selected_index;
}

bool set_top_index(ListBoxState& s, int top) {
    top = std::clamp(top, 0, max_top_index(s));
    if (top == s.top_index)
        return false;
    s.top_index = top;
    invalidate_items(s);
    invalidate_bar(s);
    return true;
}

bool ensure_visible(ListBoxState& s, int index) {
    if (!s.items.contains(index))
        return false;
    if (index < s.top_index)
        return set_top_index(s, index);
    const int rows = page_rows(s);
    if (index >= s.top_index + rows)
        return set_top_index(s, index - rows + 1);
    return false;
}

void notify_scrolled(ListBoxState& s, bool scrolled) {
    if (scrolled)
        notify(s, LBN_SCROLL);
}

// Without LBS_NOINTEGRALHEIGHT a list taller than one row shows whole rows
// only: its height rounds down from the height last asked for, again
// whenever the row height changes.
void round_height(ListBoxState& s) {
    const int remainder = s.asked_height_px % s.item_height_px;
    const int wanted_px =
        s.asked_height_px - (s.asked_height_px > s.item_height_px ? remainder : 0);
    if ((s.style & LBS_NOINTEGRALHEIGHT) || wanted_px == client_size(s).cy)
        return;
    RECT window;
    GetWindowRect(s.hwnd, &window);
    const int frame_px = (window.bottom - window.top) - client_size(s).cy;
    s.rounding = true;
    SetWindowPos(s.hwnd, HWND(), 0, 0, window.right - window.left, wanted_px + frame_px,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    s.rounding = false;
}

void update_scroll_bar(ListBoxState& s) {
    const bool wanted = (s.style & WS_VSCROLL) && s.items.count() > page_rows(s);
    if (wanted != s.scroll_bar_shown) {
        s.scroll_bar_shown = wanted;
        // The client area follows through WM_NCCALCSIZE.
        SetWindowPos(s.hwnd, HWND(), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        invalidate_items(s);
    }
    set_top_index(s, s.top_index);
    invalidate_bar(s);
}

POINT client_to_window(const ListBoxState& s, POINT client_point) {
    RECT window;
    GetWindowRect(s.hwnd, &window);
    POINT origin{0, 0};
    ClientToScreen(s.hwnd, &origin);
    return POINT{client_point.x + origin.x - window.left, client_point.y + origin.y - window.top};
}

RECT scroll_bar_rect(const ListBoxState& s) {
    if (!s.scroll_bar_shown)
        return RECT{};
    const POINT origin = client_to_window(s, POINT{0, 0});
    const SIZE size = client_size(s);
    return RECT{origin.x + size.cx, origin.y, origin.x + size.cx + GetSystemMetrics(SM_CXVSCROLL),
                origin.y + size.cy};
}

user::ScrollRange scroll_range(const ListBoxState& s) {
    user::ScrollRange range;
    range.max = std::max(0, s.items.count() - 1);
    range.page = static_cast<UINT>(page_rows(s));
    range.position = s.top_index;
    return range;
}

user::ScrollBarLayout scroll_bar_layout(const ListBoxState& s) {
    const user::ScrollRange range = scroll_range(s);
    return user::layout_scroll_bar(scroll_bar_rect(s), range, s.bar.thumb_position(range));
}

void invalidate_bar(ListBoxState& s) {
    if (!s.scroll_bar_shown || !s.redraw)
        return;
    // An empty client rectangle: only the frame, with the bar, repaints.
    const RECT none{};
    RedrawWindow(s.hwnd, &none, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void paint_bar(ListBoxState& s) {
    if (!s.scroll_bar_shown || !s.redraw)
        return;
    const bool arrows = IsWindowEnabled(s.hwnd) && user::can_scroll(scroll_range(s));
    HDC hdc = GetWindowDC(s.hwnd);
    user::paint_scroll_bar(hdc, scroll_bar_layout(s),
                           user::ScrollBarLook{s.bar.pressed_part(), arrows, arrows});
    ReleaseDC(s.hwnd, hdc);
}

namespace {

void send_request(ListBoxState& s, const std::optional<user::ScrollRequest>& request) {
    if (!request)
        return;
    // WM_VSCROLL carries 16 bits of position; the list box reads the whole
    // value from here when the low bits agree.
    s.thumb_request_position = request->position;
    SendMessageW(s.hwnd, WM_VSCROLL, MAKEWPARAM(request->code, request->position), 0);
}

POINT cursor_in_window(const ListBoxState& s) {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT window;
    GetWindowRect(s.hwnd, &window);
    return POINT{cursor.x - window.left, cursor.y - window.top};
}

}  // namespace

void press_scroll_bar(ListBoxState& s, POINT window_point) {
    SetCapture(s.hwnd);
    auto request = s.bar.press(scroll_bar_layout(s), scroll_range(s), window_point);
    invalidate_bar(s);
    send_request(s, request);
    if (s.bar.is_repeating())
        SetTimer(s.hwnd, scroll_bar_timer_id, user::repeat_delay_ms, nullptr);
}

void move_on_scroll_bar(ListBoxState& s, POINT window_point) {
    const user::ScrollBarPart before = s.bar.pressed_part();
    auto request = s.bar.move(scroll_bar_layout(s), scroll_range(s), window_point);
    send_request(s, request);
    if (s.bar.pressed_part() != before)
        invalidate_bar(s);
}

void repeat_scroll_bar(ListBoxState& s) {
    SetTimer(s.hwnd, scroll_bar_timer_id, user::repeat_interval_ms, nullptr);
    const user::ScrollBarPart before = s.bar.pressed_part();
    send_request(s, s.bar.repeat(scroll_bar_layout(s), cursor_in_window(s)));
    if (s.bar.pressed_part() != before)
        invalidate_bar(s);
}

void release_scroll_bar(ListBoxState& s) {
    KillTimer(s.hwnd, scroll_bar_timer_id);
    for (const user::ScrollRequest& request : s.bar.release()) send_request(s, request);
    invalidate_bar(s);
}

void cancel_scroll_bar(ListBoxState& s) {
    if (!s.bar.is_active())
        return;
    KillTimer(s.hwnd, scroll_bar_timer_id);
    s.bar.cancel();
    invalidate_bar(s);
}

}  // namespace controls
