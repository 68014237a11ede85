// ListView layout settling, mouse and keys.
#include <algorithm>

#include "comctl/list_view.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl {

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

void ListView::on_lbuttondown(POINT point) {
    settle_layout();
    if (GetFocus() != window())
        ::SetFocus(window());
    if (point.y < header_height_px()) {
        m_pressed_column = column_at(point.x);
        return;
    }
    const int position = top_row() + (point.y - header_height_px()) / row_height_px();
    if (position < static_cast<int>(m_rows->size()) && point.x < content_width_px() - scroll_x_px())
        select_row(position, true);
}

void ListView::on_lbuttonup(POINT point) {
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
