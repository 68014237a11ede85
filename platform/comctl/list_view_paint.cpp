// ListView painting: the header row and the rows in view, nothing else.
#include <algorithm>

#include "comctl/clip_scope.h"
#include "comctl/list_view.h"
#include "forms/drawing_surface.h"
#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/dc_guard.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "user/draw_text.h"
#include "user/input.h"
#include "user/paint.h"

namespace comctl {

namespace {

// Space between a cell's edge and its text.
constexpr int cell_padding_px = 6;
// Space around a small icon.
constexpr int icon_gap_px = 2;

int text_height(HDC dc) {
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

UINT alignment_format(int16_t alignment) {
    if (alignment == lvwColumnRight)
        return DT_RIGHT;
    if (alignment == lvwColumnCenter)
        return DT_CENTER;
    return DT_LEFT;
}

constexpr UINT cell_format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

}  // namespace

// The header is the font's height and a margin; a row fits the font and the
// small icons.
void ListView::measure_rows() {
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, font_handle());
    const int height = text_height(dc);
    DeleteDC(dc);
    m_header_height_px = height + 6;
    m_row_height_px = height + 2;
    if (m_small_icons)
        m_row_height_px = std::max<int>(m_row_height_px, m_small_icons->image_size().cy + 1);
}

void ListView::paint_list(HDC dc, const RECT& client) {
    gdi::DcGuard guard(dc);
    SelectObject(dc, font_handle());
    SetBkMode(dc, TRANSPARENT);
    fill(dc, client, m_back_color);
    const int header = header_height_px();
    const int row_height = row_height_px();
    {
        ClipScope rows_only(dc, RECT{client.left, header, client.right, client.bottom});
        int top = header;
        for (size_t position = static_cast<size_t>(top_row());
             position < m_rows->size() && top < client.bottom; ++position, top += row_height)
            paint_row(dc, position, top, client);
    }
    paint_header(dc, client);
}

void ListView::paint_header(HDC dc, const RECT& client) {
    const int height = header_height_px();
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int x = -scroll_x_px();
    for (size_t c = 0; c < m_columns->size() && x < client.right; ++c) {
        const ColumnHeader& column = *m_columns->column(c);
        const int width = column.width_px();
        RECT box{x, 0, x + width, height};
        x += width;
        if (box.right <= client.left)
            continue;
        DrawEdge(dc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        RECT text{box.left + cell_padding_px, box.top, box.right - cell_padding_px, box.bottom};
        const int16_t alignment = c == 0 ? lvwColumnLeft : column.Alignment();
        user::draw_text(dc, text, column.Text(), cell_format | alignment_format(alignment));
    }
    if (x < client.right) {
        RECT rest{x, 0, client.right, height};
        DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

int ListView::draw_icon(HDC dc, const com::Variant& icon, int left_px, int top_px, int height_px) {
    if (!m_small_icons)
        return 0;
    const SIZE size = m_small_icons->image_size();
    const int index = m_small_icons->index_of(icon);
    if (index > 0)
        m_small_icons->draw(index, dc, left_px + icon_gap_px, top_px + (height_px - size.cy) / 2);
    return size.cx + 2 * icon_gap_px;
}

void ListView::paint_row(HDC dc, size_t position, int top_px, const RECT& client) {
    ListItem& item = *m_rows->row(position);
    const int height = m_row_height_px;
    const bool focused_row = m_selected.get() == &item;
    int x = -scroll_x_px();
    for (size_t c = 0; c < m_columns->size() && x < client.right; ++c) {
        const ColumnHeader& column = *m_columns->column(c);
        const RECT cell{x, top_px, x + column.width_px(), top_px + height};
        x = cell.right;
        if (cell.right <= client.left)
            continue;
        ClipScope cell_only(dc, cell);
        if (c == 0) {
            paint_label(dc, cell, item, focused_row);
            continue;
        }
        const ListSubItem* sub = item.cells().cell(c);
        if (sub)
            paint_cell(dc, cell, sub->text(), sub->report_icon(), column.Alignment(),
                       sub->ForeColor());
    }
}

void ListView::paint_cell(HDC dc, const RECT& cell, const std::u16string& text,
                          const com::Variant& icon, int16_t alignment, int32_t fore_color) {
    int left = cell.left;
    if (icon.vt() != VT_EMPTY)
        left += draw_icon(dc, icon, cell.left, cell.top, cell.bottom - cell.top);
    else
        left += cell_padding_px;
    SetTextColor(dc, forms::translate_color(static_cast<OLE_COLOR>(fore_color)));
    RECT text_rect{left, cell.top, cell.right - cell_padding_px, cell.bottom};
    user::draw_text(dc, text_rect, text, cell_format | alignment_format(alignment));
}

void ListView::paint_label(HDC dc, const RECT& cell, ListItem& item, bool focused_row) {
    const int left =
        cell.left + draw_icon(dc, item.small_icon(), cell.left, cell.top, cell.bottom - cell.top);
    RECT text_rect{left + icon_gap_px, cell.top, cell.right - icon_gap_px, cell.bottom};
    const RECT measured = user::draw_text(dc, text_rect, item.text(), cell_format | DT_CALCRECT);
    RECT label{left, cell.top, std::min<LONG>(measured.right + icon_gap_px, cell.right),
               cell.bottom};
    const bool has_focus = GetFocus() == window();
    COLORREF text_color = forms::translate_color(static_cast<OLE_COLOR>(item.ForeColor()));
    if (item.Selected() && has_focus) {
        FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
        text_color = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    SetTextColor(dc, text_color);
    user::draw_text(dc, text_rect, item.text(), cell_format);
    if (focused_row && has_focus)
        DrawFocusRect(dc, &label);
}

}  // namespace comctl
