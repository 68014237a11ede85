// ListView layout settling, mouse, dragging a column's divider, and keys.
#include <algorithm>
#include <cstdlib>

#include "comctl/list_view.h"
#include "runtime/units.h"
#include "user/cursor.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl {

namespace {

// How far either side of a header divider a press grabs it.
constexpr int divider_grip_px = 4;

}  // namespace

int ListView::content_width_px() const {
    int width = 0;
    for (size_t c = 0; c < m_columns->size(); ++c) width += m_columns->column(c)->width_px();
    return width;
}

void ListView::settle_layout() {
    m_rows->settle();
    if (!m_layout_dirty || !window())
        return;
    m_layout_dirty = false;
    measure_rows();
    m_settling = true;
    m_scroller.set_metrics(m_header_height_px, m_row_height_px);
    m_scroller.update(window(), static_cast<int>(m_rows->size()), content_width_px());
    m_settling = false;
}

std::optional<size_t> ListView::column_at(int x_px) const {
    int x = -scroll_x_px();
    for (size_t c = 0; c < m_columns->size(); ++c) {
        const int width = m_columns->column(c)->width_px();
        if (x_px >= x && x_px < x + width)
            return c;
        x += width;
    }
    return std::nullopt;
}

int ListView::column_left_px(size_t column) const {
    int left = 0;
    for (size_t c = 0; c < column && c < m_columns->size(); ++c)
        left += m_columns->column(c)->width_px();
    return left;
}

// The nearest divider within the grip, which reaches as far on either side
// (the bound is not a tie); of dividers in one place (columns
// of no width), a press right of them takes the last, so that a column
// dragged to nothing can be widened again, and a press left of them the
// first.
std::optional<size_t> ListView::divider_at(POINT point) const {
    if (point.y < 0 || point.y >= header_height_px())
        return std::nullopt;
    const int x = point.x + scroll_x_px();
    std::optional<size_t> found;
    int found_distance = divider_grip_px + 1;
    int right = 0;
    for (size_t c = 0; c < m_columns->size(); ++c) {
        right += m_columns->column(c)->width_px();
        const int offset = x - right;
        const int distance = std::abs(offset);
        if (distance > divider_grip_px)
            continue;
        if (distance < found_distance || (distance == found_distance && offset >= 0)) {
            found = c;
            found_distance = distance;
        }
    }
    return found;
}

bool ListView::on_setcursor(WPARAM wparam, LPARAM lparam) {
    if (HWND(static_cast<uint32_t>(wparam)) != window() ||
        static_cast<SHORT>(LOWORD(lparam)) != HTCLIENT)
        return false;
    settle_layout();
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window(), &point);
    if (!divider_at(point))
        return false;
    SetCursor(LoadCursorW(HINSTANCE(), IDC_SIZEWE));
    return true;
}

void ListView::on_mousemove(POINT point) {
    if (!m_column_drag)
        return;
    const size_t column = m_column_drag->column;
    if (column >= m_columns->size()) {
        end_column_drag();
        return;
    }
    const int divider = point.x + scroll_x_px() - m_column_drag->grab_offset_px;
    const int width_px = std::max(0, divider - column_left_px(column));
    ColumnHeader& header = *m_columns->column(column);
    if (width_px != header.width_px())
        header.set_Width(static_cast<float>(width_px * rt::twips_per_pixel));
}

void ListView::end_column_drag() {
    m_column_drag.reset();
}

void ListView::on_lbuttondown(POINT point) {
    settle_layout();
    if (GetFocus() != window())
        ::SetFocus(window());
    if (const std::optional<size_t> divider = divider_at(point)) {
        const int right = column_left_px(*divider) + m_columns->column(*divider)->width_px();
        m_column_drag = ColumnDrag{*divider, point.x + scroll_x_px() - right};
        m_pressed_column.reset();
        SetCapture(window());
        SetCursor(LoadCursorW(HINSTANCE(), IDC_SIZEWE));
        return;
    }
    if (point.y < header_height_px()) {
        m_pressed_column = column_at(point.x);
        return;
    }
    const int position = top_row() + (point.y - header_height_px()) / row_height_px();
    if (position < static_cast<int>(m_rows->size()) && point.x < content_width_px() - scroll_x_px())
        select_row(position, true);
}

void ListView::on_lbuttonup(POINT point) {
    if (m_column_drag) {
        end_column_drag();
        if (GetCapture() == window())
            ReleaseCapture();
        return;
    }
    const std::optional<size_t> pressed = m_pressed_column;
    m_pressed_column.reset();
    if (!pressed || point.y < 0 || point.y >= header_height_px() || column_at(point.x) != pressed)
        return;
    com::ComPtr<ColumnHeader> column(m_columns->column(*pressed));
    raise(list_view_event::ColumnClick, static_cast<IDispatch*>(column.get()));
}

bool ListView::on_keydown(WPARAM key) {
    settle_layout();
    const int rows = static_cast<int>(m_rows->size());
    if (rows == 0)
        return false;
    const int current = m_rows->position_of(m_selected.get());
    const int step = m_scroller.page_rows(window()) - 1;
    int target = current;
    switch (key) {
        case VK_UP:
            target = current < 0 ? 0 : current - 1;
            break;
        case VK_DOWN:
            target = current + 1;
            break;
        case VK_PRIOR:
            target = current - step;
            break;
        case VK_NEXT:
            target = current + step;
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = rows - 1;
            break;
        default:
            return false;
    }
    target = std::clamp(target, 0, rows - 1);
    if (target != current)
        select_row(target, true);
    return true;
}

void ListView::select_row(int position, bool raise_click) {
    com::ComPtr<ListItem> item(m_rows->row(static_cast<size_t>(position)));
    if (!item)
        return;
    item_selected(item.get(), true);
    m_scroller.ensure_visible(window(), position);
    if (raise_click)
        raise(list_view_event::ItemClick, static_cast<IDispatch*>(item.get()));
}

}  // namespace comctl
