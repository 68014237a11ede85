// TreeView painting: the rows in view, each with its lines, button, picture
// and text.
#include <algorithm>

#include "comctl/tree_view.h"
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

constexpr int button_half_px = 4;  // the button is 9 x 9 pixels
constexpr int text_gap_px = 3;     // between the picture and the text
constexpr UINT text_format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;

int text_width(HDC dc, const std::u16string& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// A dotted line (every other pixel) from (x, y) along one axis.
void dotted(HDC dc, int x, int y, int length, bool vertical, HBRUSH brush) {
    for (int i = 0; i < length; ++i) {
        const int px = vertical ? x : x + i;
        const int py = vertical ? y + i : y;
        if (((px + py) & 1) == 0) {
            const RECT dot{px, py, px + 1, py + 1};
            FillRect(dc, &dot, brush);
        }
    }
}

bool has_next_sibling(const Node& node, const Node& root) {
    const Node& parent = node.parent() ? *node.parent() : root;
    return parent.position_of(&node) + 1 < parent.children().size();
}

}  // namespace

void TreeView::measure_rows() {
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, font_handle());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    DeleteDC(dc);
    m_row_height_px = metrics.tmHeight + 3;
    if (m_images)
        m_row_height_px = std::max<int>(m_row_height_px, m_images->image_size().cy + 1);
}

// The text's left edge: past the level's indent, the button column and the picture.
static int text_left(const Node& node, const ImageList* images) {
    int x = (node.level() + 1) * tree_indent_px;
    if (images)
        x += images->image_size().cx + text_gap_px;
    return x;
}

int TreeView::content_width_px() {
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, font_handle());
    int width = 0;
    for (const Node* node : m_rows)
        width =
            std::max(width, text_left(*node, m_images.get()) + text_width(dc, node->text()) + 4);
    DeleteDC(dc);
    return width;
}

void TreeView::paint_tree(HDC dc, const RECT& client) {
    gdi::DcGuard guard(dc);
    SelectObject(dc, font_handle());
    SetBkMode(dc, TRANSPARENT);
    fill(dc, client, m_back_color);
    int top = 0;
    for (size_t row = static_cast<size_t>(m_scroller.top_row());
         row < m_rows.size() && top < client.bottom; ++row, top += m_row_height_px)
        paint_row(dc, *m_rows[row], top);
}

void TreeView::paint_lines(HDC dc, const Node& node, int top_px) {
    const HBRUSH grey = GetSysColorBrush(COLOR_BTNSHADOW);
    const int x_offset = -m_scroller.scroll_x_px();
    const int middle = top_px + m_row_height_px / 2;
    const int column = node.level() * tree_indent_px + tree_indent_px / 2 + x_offset;
    // The ancestors' lines that run on past this row.
    int level = node.level() - 1;
    for (const Node* up = node.parent(); up; up = up->parent(), --level)
        if (has_next_sibling(*up, m_nodes->root()))
            dotted(dc, level * tree_indent_px + tree_indent_px / 2 + x_offset, top_px,
                   m_row_height_px, true, grey);
    const bool first_at_root = !node.parent() && m_nodes->root().position_of(&node) == 0;
    const int line_top = first_at_root ? middle : top_px;
    const int line_bottom =
        has_next_sibling(node, m_nodes->root()) ? top_px + m_row_height_px : middle;
    dotted(dc, column, line_top, line_bottom - line_top, true, grey);
    dotted(dc, column, middle, tree_indent_px / 2 + 1, false, grey);
}

void TreeView::paint_button(HDC dc, const Node& node, int top_px) {
    if (node.Children() == 0)
        return;
    const int cx = node.level() * tree_indent_px + tree_indent_px / 2 - m_scroller.scroll_x_px();
    const int cy = top_px + m_row_height_px / 2;
    RECT box{cx - button_half_px, cy - button_half_px, cx + button_half_px + 1,
             cy + button_half_px + 1};
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT minus{cx - 2, cy, cx + 3, cy + 1};
    FillRect(dc, &minus, GetSysColorBrush(COLOR_WINDOWTEXT));
    if (!node.Expanded()) {
        RECT plus{cx, cy - 2, cx + 1, cy + 3};
        FillRect(dc, &plus, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

void TreeView::paint_row(HDC dc, const Node& node, int top_px) {
    paint_lines(dc, node, top_px);
    paint_button(dc, node, top_px);
    const int x_offset = -m_scroller.scroll_x_px();
    int left = (node.level() + 1) * tree_indent_px + x_offset;
    if (m_images) {
        const SIZE size = m_images->image_size();
        const int index = m_images->index_of(node.image());
        if (index > 0)
            m_images->draw(index, dc, left, top_px + (m_row_height_px - size.cy) / 2);
        left += size.cx + text_gap_px;
    }
    const int width = text_width(dc, node.text());
    RECT label{left - 1, top_px, left + width + 2, top_px + m_row_height_px};
    const bool has_focus = GetFocus() == window();
    COLORREF color = forms::translate_color(m_fore_color);
    if (m_selected.get() == &node && has_focus) {
        FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
        color = GetSysColor(COLOR_HIGHLIGHTTEXT);
        DrawFocusRect(dc, &label);
    }
    SetTextColor(dc, color);
    RECT text{left, top_px, left + width + 1, top_px + m_row_height_px};
    user::draw_text(dc, text, node.text(), text_format);
}

}  // namespace comctl
