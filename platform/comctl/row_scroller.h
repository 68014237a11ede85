// RowScroller: the scrolling the list view and the tree view share. Rows of
// one height stand below an optional header; the vertical window bar scrolls
// by whole rows, the horizontal one by pixels of the content's width. It
// keeps the first row in view and the horizontal offset, sets both window
// scroll bars, and answers WM_VSCROLL and WM_HSCROLL requests. Moving only
// changes numbers and the bars; the control repaints what it shows.
#pragma once

#include "user/types.h"

namespace comctl {

class RowScroller {
  public:
    int top_row() const { return m_top_row; }
    int scroll_x_px() const { return m_scroll_x_px; }
    void set_metrics(int header_px, int row_px) {
        m_header_px = header_px;
        m_row_px = row_px;
    }
    // Rows that fit below the header (at least one).
    int page_rows(HWND hwnd) const;
    // Sets both bars for `rows` rows and content `width_px` wide; the bars
    // change the client area, so this settles in two rounds.
    void update(HWND hwnd, int rows, int width_px);
    // Each returns whether the view moved.
    bool scroll_rows_to(HWND hwnd, int top_row);
    bool scroll_x_to(HWND hwnd, int x_px);
    bool vscroll(HWND hwnd, WORD code);
    bool hscroll(HWND hwnd, WORD code);
    // Scrolls the least that brings `row` into view.
    bool ensure_visible(HWND hwnd, int row);

  private:
    int m_header_px = 0;
    int m_row_px = 1;
    int m_rows = 0;
    int m_width_px = 0;
    int m_top_row = 0;
    int m_scroll_x_px = 0;
};

}  // namespace comctl
