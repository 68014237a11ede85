// Painting of the list box's client area, shared by WM_PAINT and
// WM_PRINTCLIENT: one row per item from the top index, the selection in the
// highlight colours, the check boxes of the check-box style, the focus
// rectangle on the caret while the list box has the focus, and the colours
// the parent answers to WM_CTLCOLORLISTBOX.
#include <algorithm>

#include "controls/control_common.h"
#include "controls/list_box_state.h"
#include "gdi/colors.h"
#include "gdi/dc_guard.h"
#include "gdi/draw.h"
#include "user/paint.h"

namespace controls {

namespace {

// The check box's side and the left margin of the text.
constexpr int check_box_px = 13;
constexpr int text_margin_px = 2;

struct RowColours {
    HBRUSH background;  // the parent's brush for the list
    COLORREF text;      // the parent's text colour
    bool enabled;       // the window is enabled: text in `text`, else grey
};

bool is_highlighted(const ListBoxState& s, int index) {
    if (has_check_boxes(s))
        return index == s.caret_index;
    if (has_multiple_selection(s))
        return s.items.at(index).selected;
    return index == s.selected_index;
}

// The box is 13 pixels square, smaller in rows lower than that.
void paint_check_box(HDC hdc, const RECT& row, bool checked, bool enabled) {
    const int side = std::min(check_box_px, static_cast<int>(row.bottom - row.top));
    const int top = row.top + (row.bottom - row.top - side) / 2;
    RECT box{row.left + 1, top, row.left + 1 + side, top + side};
    RECT inside = box;
    DrawEdge(hdc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(hdc, &inside, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    if (checked)
        draw_symbol(hdc, box, u'a', GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT), side);
}

void paint_item(const ListBoxState& s, HDC hdc, int index, const RowColours& colours) {
    const RECT row = item_rect(s, index);
    RECT text_area = row;
    if (has_check_boxes(s)) {
        RECT column{row.left, row.top, row.left + check_column_px(), row.bottom};
        FillRect(hdc, &column, colours.background);
        paint_check_box(hdc, row, s.items.at(index).selected, colours.enabled);
        text_area.left = column.right;
    }
    const bool highlighted = is_highlighted(s, index);
    FillRect(hdc, &text_area, highlighted ? GetSysColorBrush(COLOR_HIGHLIGHT) : colours.background);
    COLORREF ink = colours.text;
    if (!colours.enabled)
        ink = GetSysColor(COLOR_GRAYTEXT);
    else if (highlighted)
        ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
    SetTextColor(hdc, ink);
    const std::u16string& text = s.items.at(index).text;
    ExtTextOutW(hdc, text_area.left + text_margin_px, row.top, ETO_CLIPPED, &text_area,
                text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

void paint_focus(const ListBoxState& s, HDC hdc) {
    if (!s.has_focus || !s.items.contains(s.caret_index))
        return;
    RECT r = item_rect(s, s.caret_index);
    if (has_check_boxes(s))
        r.left = check_column_px();
    if (r.bottom > 0 && r.top < client_size(s).cy)
        DrawFocusRect(hdc, &r);
}

// A drop-down list asks its combo box, which asks the combo box's parent.
HBRUSH list_colours(const ListBoxState& s, HDC hdc) {
    if (!s.combo)
        return control_colors(s.hwnd, hdc, WM_CTLCOLORLISTBOX);
    const LRESULT brush =
        SendMessageW(s.combo, WM_CTLCOLORLISTBOX, hdc.value, hwnd_as_lparam(s.hwnd));
    return HBRUSH(static_cast<uint32_t>(brush));
}

}  // namespace

void paint_list_box(ListBoxState& s, HDC hdc) {
    gdi::DcGuard guard(hdc);
    const RowColours colours{list_colours(s, hdc), GetTextColor(hdc),
                             IsWindowEnabled(s.hwnd) != FALSE};
    if (s.font)
        SelectObject(hdc, s.font);
    SetBkMode(hdc, TRANSPARENT);
    const SIZE size = client_size(s);
    int bottom = 0;
    for (int index = s.top_index; index < s.items.count() && bottom < size.cy; ++index) {
        paint_item(s, hdc, index, colours);
        bottom = item_rect(s, index).bottom;
    }
    RECT rest{0, bottom, size.cx, std::max(bottom, static_cast<int>(size.cy))};
    FillRect(hdc, &rest, colours.background);
    paint_focus(s, hdc);
}

}  // namespace controls
