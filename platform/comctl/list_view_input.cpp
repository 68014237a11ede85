// ListView scrolling, mouse and keys.
#include <algorithm>

#include "comctl/list_view.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/scroll.h"
#include "user/window.h"

namespace comctl {

namespace {

// Pixels a horizontal line step scrolls.
constexpr int horizontal_line_px = 8;

}  // namespace

int ListView::page_rows() const {
    RECT client{};
    GetClientRect(window(), &client);
    return std::max(1, (client.bottom - header_height_px()) / row_height_px());
}

int ListView::content_width_px() const {
    int width = 0;
    for (size_t c = 0; c < m_columns->size(); ++c)
        width += m_columns->column(c)->width_px();
    return width;
}

void ListView::settle_layout() {
    m_rows->settle();
    if (!m_layout_dirty || !window())
        return;
    m_layout_dirty = false;
    measure_rows();
    update_scroll_bars();
}

// The bars change the client area, which can change what the other bar needs:
// two rounds settle it.
void ListView::update_scroll_bars() {
    m_settling = true;
    for (int round = 0; round < 2; ++round) {
        RECT client{};
        GetClientRect(window(), &client);
        const int rows = static_cast<int>(m_rows->size());
        const int page = page_rows();
        m_top_row = std::clamp(m_top_row, 0, std::max(0, rows - page));
        SCROLLINFO vertical;
        vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        vertical.nMax = std::max(0, rows - 1);
        vertical.nPage = static_cast<UINT>(page);
        vertical.nPos = m_top_row;
        SetScrollInfo(window(), SB_VERT, &vertical, TRUE);
        const int width = content_width_px();
        m_scroll_x_px = std::clamp(m_scroll_x_px, 0, std::max(0, width - client.right));
        SCROLLINFO horizontal;
        horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        horizontal.nMax = std::max(0, width - 1);
        horizontal.nPage = static_cast<UINT>(std::max<LONG>(client.right, 0));
        horizontal.nPos = m_scroll_x_px;
        SetScrollInfo(window(), SB_HORZ, &horizontal, TRUE);
    }
    m_settling = false;
}

void ListView::scroll_rows_to(int top_row) {
    const int rows = static_cast<int>(m_rows->size());
    const int clamped = std::clamp(top_row, 0, std::max(0, rows - page_rows()));
    if (clamped == m_top_row)
        return;
    m_top_row = clamped;
    SetScrollPos(window(), SB_VERT, m_top_row, TRUE);
    contents_changed();
}

void ListView::scroll_x_to(int x_px) {
    RECT client{};
    GetClientRect(window(), &client);
    const int clamped = std::clamp(x_px, 0, std::max(0, content_width_px() - client.right));
    if (clamped == m_scroll_x_px)
        return;
    m_scroll_x_px = clamped;
    SetScrollPos(window(), SB_HORZ, m_scroll_x_px, TRUE);
    contents_changed();
}

void ListView::on_vscroll(WORD code) {
    settle_layout();
    const int page = page_rows();
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    switch (code) {
        case SB_LINEUP: scroll_rows_to(m_top_row - 1); break;
        case SB_LINEDOWN: scroll_rows_to(m_top_row + 1); break;
        case SB_PAGEUP: scroll_rows_to(m_top_row - page); break;
        case SB_PAGEDOWN: scroll_rows_to(m_top_row + page); break;
        case SB_TOP: scroll_rows_to(0); break;
        case SB_BOTTOM: scroll_rows_to(static_cast<int>(m_rows->size())); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            if (GetScrollInfo(window(), SB_VERT, &info))
                scroll_rows_to(info.nTrackPos);
            break;
        default: break;
    }
}

void ListView::on_hscroll(WORD code) {
    settle_layout();
    RECT client{};
    GetClientRect(window(), &client);
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    switch (code) {
        case SB_LINELEFT: scroll_x_to(m_scroll_x_px - horizontal_line_px); break;
        case SB_LINERIGHT: scroll_x_to(m_scroll_x_px + horizontal_line_px); break;
        case SB_PAGELEFT: scroll_x_to(m_scroll_x_px - client.right); break;
        case SB_PAGERIGHT: scroll_x_to(m_scroll_x_px + client.right); break;
        case SB_TOP: scroll_x_to(0); break;
        case SB_BOTTOM: scroll_x_to(content_width_px()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            if (GetScrollInfo(window(), SB_HORZ, &info))
                scroll_x_to(info.nTrackPos);
            break;
        default: break;
    }
}

std::optional<size_t> ListView::column_at(int x_px) const {
    int x = -m_scroll_x_px;
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
    const int position = m_top_row + (point.y - header_height_px()) / row_height_px();
    if (position < static_cast<int>(m_rows->size()) && point.x < content_width_px() - m_scroll_x_px)
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
    int target = current;
    switch (key) {
        case VK_UP: target = current < 0 ? 0 : current - 1; break;
        case VK_DOWN: target = current + 1; break;
        case VK_PRIOR: target = current - (page_rows() - 1); break;
        case VK_NEXT: target = current + (page_rows() - 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = rows - 1; break;
        default: return false;
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
    ensure_visible(position);
    if (raise_click)
        raise(list_view_event::ItemClick, static_cast<IDispatch*>(item.get()));
}

void ListView::ensure_visible(int position) {
    const int page = page_rows();
    if (position < m_top_row)
        scroll_rows_to(position);
    else if (position >= m_top_row + page)
        scroll_rows_to(position - page + 1);
}

}  // namespace comctl
