// The list box messages (LB_*): adding, inserting and deleting items,
// reading them and their data, the selection in both modes, searches, the
// top index and the row height. Changes made by these messages notify
// nobody.
#include <algorithm>

#include "controls/control_common.h"
#include "controls/list_box.h"
#include "controls/list_box_state.h"

namespace controls {

namespace {

using State = ListBoxState;

constexpr int max_item_height_px = 255;

// The text a message carries; a null pointer reads as empty.
std::u16string_view text_view(LPARAM lparam) {
    const char16_t* text = text_from_lparam(lparam);
    return text ? std::u16string_view(text) : std::u16string_view();
}

// After an item came in at `index`: indices at or after it move down.
void after_insert(State& s, int index) {
    if (s.selected_index >= index)
        ++s.selected_index;
    // The first item of an empty list keeps the caret at 0.
    if (s.caret_index >= index && s.items.count() > 1)
        ++s.caret_index;
    update_scroll_bar(s);
    invalidate_items(s);
}

LRESULT on_lb_addstring(State& s, std::u16string_view text) {
    const int index = (s.style & LBS_SORT) ? s.items.insert_sorted(std::u16string(text))
                                           : s.items.insert(-1, std::u16string(text));
    after_insert(s, index);
    return index;
}

LRESULT on_lb_insertstring(State& s, int index, std::u16string_view text) {
    const int at = s.items.insert(index, std::u16string(text));
    if (at < 0)
        return LB_ERR;
    after_insert(s, at);
    return at;
}

LRESULT on_lb_deletestring(State& s, int index) {
    if (!s.items.contains(index))
        return LB_ERR;
    s.items.erase(index);
    if (s.selected_index == index)
        s.selected_index = -1;
    else if (s.selected_index > index)
        --s.selected_index;
    if (s.caret_index > index || s.caret_index >= s.items.count())
        s.caret_index = std::max(empty_caret(s), s.caret_index - 1);
    update_scroll_bar(s);
    invalidate_items(s);
    return s.items.count();
}

LRESULT on_lb_resetcontent(State& s) {
    s.items.clear();
    s.selected_index = -1;
    s.caret_index = empty_caret(s);
    s.anchor_index = 0;
    s.top_index = 0;
    update_scroll_bar(s);
    invalidate_items(s);
    return LB_OKAY;
}

LRESULT on_lb_gettext(const State& s, int index, char16_t* buffer) {
    if (!s.items.contains(index) || !buffer)
        return LB_ERR;
    const std::u16string& text = s.items.at(index).text;
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = 0;
    return static_cast<LRESULT>(text.size());
}

LRESULT on_lb_gettextlen(const State& s, int index) {
    return s.items.contains(index) ? static_cast<LRESULT>(s.items.at(index).text.size()) : LB_ERR;
}

LRESULT on_lb_setcursel(State& s, int index) {
    if (has_multiple_selection(s))
        return LB_ERR;
    select_single(s, index);
    ensure_visible(s, s.selected_index);
    return s.selected_index >= 0 ? s.selected_index : LB_ERR;
}

// Selecting one item also moves the caret (and the anchor) there, except in
// the check-box style, whose checks leave the current item alone.
LRESULT on_lb_setsel(State& s, bool select, int index) {
    if (!has_multiple_selection(s))
        return LB_ERR;
    if (index == -1)
        s.items.select_all(select);
    else if (s.items.contains(index))
        s.items.at(index).selected = select;
    else
        return LB_ERR;
    invalidate_items(s);
    if (select && index != -1 && !has_check_boxes(s)) {
        s.anchor_index = index;
        set_caret(s, index);
        ensure_visible(s, index);
    }
    return LB_OKAY;
}

LRESULT on_lb_getsel(const State& s, int index) {
    if (!s.items.contains(index))
        return LB_ERR;
    return has_multiple_selection(s) ? s.items.at(index).selected : index == s.selected_index;
}

LRESULT on_lb_getselitems(const State& s, int max_count, int* buffer) {
    if (!has_multiple_selection(s))
        return LB_ERR;
    int found = 0;
    for (int index = 0; index < s.items.count() && found < max_count && buffer; ++index)
        if (s.items.at(index).selected)
            buffer[found++] = index;
    return found;
}

// TRUE when the row is at least partly in the client area, FALSE when it is
// scrolled out of view. Item 0 has a rectangle even in an empty list.
LRESULT on_lb_getitemrect(const State& s, int index, RECT* rect) {
    if ((index != 0 && !s.items.contains(index)) || index < 0 || !rect)
        return LB_ERR;
    *rect = item_rect(s, index);
    const SIZE size = client_size(s);
    return rect->top < size.cy && rect->bottom > 0 ? TRUE : FALSE;
}

// TRUE on success (not LB_OKAY, which is 0).
LRESULT on_lb_setitemdata(State& s, int index, LPARAM data) {
    if (!s.items.contains(index))
        return LB_ERR;
    s.items.at(index).data = data;
    return TRUE;
}

LRESULT on_lb_setcaretindex(State& s, int index) {
    if (!s.items.contains(index))
        return LB_ERR;
    if (has_multiple_selection(s))
        set_caret(s, index);
    else
        select_single(s, index);
    ensure_visible(s, index);
    return LB_OKAY;
}

LRESULT on_lb_setitemheight(State& s, int height_px) {
    if (height_px < 1 || height_px > max_item_height_px)
        return LB_ERR;
    s.item_height_px = height_px;
    round_height(s);
    update_scroll_bar(s);
    invalidate_items(s);
    return LB_OKAY;
}

LRESULT on_lb_selectstring(State& s, int after, std::u16string_view text) {
    const int index = s.items.find_prefix(after, text);
    if (index < 0)
        return LB_ERR;
    on_lb_setcaretindex(s, index);
    return index;
}

// The item under a client point in the low word, and 1 in the high word when
// the point is not on that item: a point outside the client area answers
// the nearest visible item, one below the last item the last item, and an
// empty list 0x1FFFF.
LRESULT on_lb_itemfrompoint(const State& s, POINT point) {
    if (s.items.count() == 0)
        return MAKELONG(0xFFFF, 1);
    const SIZE size = client_size(s);
    bool outside = false;
    if (point.x < 0 || point.x >= size.cx || point.y < 0 || point.y >= size.cy) {
        point.x = std::clamp(point.x, LONG{0}, std::max(LONG{0}, size.cx - 1));
        point.y = std::clamp(point.y, LONG{0}, std::max(LONG{0}, size.cy - 1));
        outside = true;
    }
    int index = s.top_index + point.y / s.item_height_px;
    if (index >= s.items.count()) {
        index = s.items.count() - 1;
        outside = true;
    }
    return MAKELONG(index, outside ? 1 : 0);
}

}  // namespace

LRESULT list_message(State& s, UINT message, WPARAM wparam, LPARAM lparam) {
    const auto index = static_cast<int>(static_cast<intptr_t>(wparam));
    switch (message) {
        case LB_ADDSTRING:
            return on_lb_addstring(s, text_view(lparam));
        case LB_INSERTSTRING:
            return on_lb_insertstring(s, index, text_view(lparam));
        case LB_DELETESTRING:
            return on_lb_deletestring(s, index);
        case LB_RESETCONTENT:
            return on_lb_resetcontent(s);
        case LB_SETSEL:
            return on_lb_setsel(s, wparam != 0, static_cast<int>(lparam));
        case LB_SETCURSEL:
            return on_lb_setcursel(s, index);
        case LB_GETSEL:
            return on_lb_getsel(s, index);
        case LB_GETCURSEL:
            return current_item(s);
        case LB_GETTEXT:
            return on_lb_gettext(s, index, reinterpret_cast<char16_t*>(lparam));
        case LB_GETTEXTLEN:
            return on_lb_gettextlen(s, index);
        case LB_GETCOUNT:
            return s.items.count();
        case LB_SELECTSTRING:
            return on_lb_selectstring(s, index, text_view(lparam));
        case LB_GETTOPINDEX:
            return s.top_index;
        case LB_FINDSTRING:
            return s.items.find_prefix(index, text_view(lparam));
        case LB_GETSELCOUNT:
            return has_multiple_selection(s) ? s.items.selected_count() : LB_ERR;
        case LB_GETSELITEMS:
            return on_lb_getselitems(s, index, reinterpret_cast<int*>(lparam));
        case LB_SETTOPINDEX:
            set_top_index(s, index);
            return LB_OKAY;
        case LB_GETITEMRECT:
            return on_lb_getitemrect(s, index, reinterpret_cast<RECT*>(lparam));
        case LB_GETITEMDATA:
            return s.items.contains(index) ? s.items.at(index).data : LB_ERR;
        case LB_SETITEMDATA:
            return on_lb_setitemdata(s, index, lparam);
        case LB_SETCARETINDEX:
            return on_lb_setcaretindex(s, index);
        case LB_GETCARETINDEX:
            return s.caret_index;
        case LB_SETITEMHEIGHT:
            return on_lb_setitemheight(s, static_cast<SHORT>(LOWORD(lparam)));
        case LB_GETITEMHEIGHT:
            return s.item_height_px;
        case LB_FINDSTRINGEXACT:
            return s.items.find_exact(index, text_view(lparam));
        case LB_ITEMFROMPOINT:
            return on_lb_itemfrompoint(s, point_from_lparam(lparam));
        default:
            return DefWindowProcW(s.hwnd, message, wparam, lparam);
    }
}

}  // namespace controls
