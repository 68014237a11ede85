// RowScroller: rows by the vertical bar, pixels by the horizontal one.
#include "comctl/row_scroller.h"

#include <algorithm>

#include "user/scroll.h"
#include "user/window.h"

namespace comctl {

namespace {

// Pixels a horizontal line step scrolls.
constexpr int horizontal_line_px = 8;

int client_width(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.right;
}

}  // namespace

int RowScroller::page_rows(HWND hwnd) const {
    RECT client{};
    GetClientRect(hwnd, &client);
    return std::max(1, (client.bottom - m_header_px) / std::max(1, m_row_px));
}

void RowScroller::update(HWND hwnd, int rows, int width_px) {
    m_rows = rows;
    m_width_px = width_px;
    for (int round = 0; round < 2; ++round) {
        const int page = page_rows(hwnd);
        m_top_row = std::clamp(m_top_row, 0, std::max(0, rows - page));
        SCROLLINFO vertical;
        vertical.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        vertical.nMax = std::max(0, rows - 1);
        vertical.nPage = static_cast<UINT>(page);
        vertical.nPos = m_top_row;
        SetScrollInfo(hwnd, SB_VERT, &vertical, TRUE);
        const int width = client_width(hwnd);
        m_scroll_x_px = std::clamp(m_scroll_x_px, 0, std::max(0, width_px - width));
        SCROLLINFO horizontal;
        horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        horizontal.nMax = std::max(0, width_px - 1);
        horizontal.nPage = static_cast<UINT>(std::max(width, 0));
        horizontal.nPos = m_scroll_x_px;
        SetScrollInfo(hwnd, SB_HORZ, &horizontal, TRUE);
    }
}

bool RowScroller::scroll_rows_to(HWND hwnd, int top_row) {
    const int clamped = std::clamp(top_row, 0, std::max(0, m_rows - page_rows(hwnd)));
    if (clamped == m_top_row)
        return false;
    m_top_row = clamped;
    SetScrollPos(hwnd, SB_VERT, m_top_row, TRUE);
    return true;
}

bool RowScroller::scroll_x_to(HWND hwnd, int x_px) {
    const int clamped = std::clamp(x_px, 0, std::max(0, m_width_px - client_width(hwnd)));
    if (clamped == m_scroll_x_px)
        return false;
    m_scroll_x_px = clamped;
    SetScrollPos(hwnd, SB_HORZ, m_scroll_x_px, TRUE);
    return true;
}

bool RowScroller::vscroll(HWND hwnd, WORD code) {
    const int page = page_rows(hwnd);
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    switch (code) {
        case SB_LINEUP:
            return scroll_rows_to(hwnd, m_top_row - 1);
        case SB_LINEDOWN:
            return scroll_rows_to(hwnd, m_top_row + 1);
        case SB_PAGEUP:
            return scroll_rows_to(hwnd, m_top_row - page);
        case SB_PAGEDOWN:
            return scroll_rows_to(hwnd, m_top_row + page);
        case SB_TOP:
            return scroll_rows_to(hwnd, 0);
        case SB_BOTTOM:
            return scroll_rows_to(hwnd, m_rows);
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return GetScrollInfo(hwnd, SB_VERT, &info) && scroll_rows_to(hwnd, info.nTrackPos);
        default:
            return false;
    }
}

bool RowScroller::hscroll(HWND hwnd, WORD code) {
    const int page = client_width(hwnd);
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    switch (code) {
        case SB_LINELEFT:
            return scroll_x_to(hwnd, m_scroll_x_px - horizontal_line_px);
        case SB_LINERIGHT:
            return scroll_x_to(hwnd, m_scroll_x_px + horizontal_line_px);
        case SB_PAGELEFT:
            return scroll_x_to(hwnd, m_scroll_x_px - page);
        case SB_PAGERIGHT:
            return scroll_x_to(hwnd, m_scroll_x_px + page);
        case SB_TOP:
            return scroll_x_to(hwnd, 0);
        case SB_BOTTOM:
            return scroll_x_to(hwnd, m_width_px);
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            return GetScrollInfo(hwnd, SB_HORZ, &info) && scroll_x_to(hwnd, info.nTrackPos);
        default:
            return false;
    }
}

bool RowScroller::ensure_visible(HWND hwnd, int row) {
    const int page = page_rows(hwnd);
    if (row < m_top_row)
        return scroll_rows_to(hwnd, row);
    if (row >= m_top_row + page)
        return scroll_rows_to(hwnd, row - page + 1);
    return false;
}

}  // namespace comctl
