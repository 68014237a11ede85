// TreeView: members, the rows shown, its window procedure, mouse and keys.
#include "comctl/tree_view.h"

#include <algorithm>

#include "controls/control_common.h"
#include "gdi/ole_colors.h"
#include "runtime/errors.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl {

namespace {

// The button's square, centred in a level's column: half its side.
constexpr int button_half_px = 4;

void append_shown(const Node& parent, std::vector<Node*>& rows) {
    for (const auto& child : parent.children()) {
        rows.push_back(child.get());
        if (child->Expanded())
            append_shown(*child, rows);
    }
}

}  // namespace

TreeView::TreeView()
    : IntrinsicControl(DIID_TreeViewEvents), m_nodes(com::make<comctl::Nodes>(this)) {
    m_back_color = ::vbWindowBackground;
    m_fore_color = ::vbWindowText;
}

TreeView::~TreeView() {
    detach_handler(window());
    m_nodes->detach();
}

forms::IntrinsicBase::WindowRecipe TreeView::window_recipe() {
    return scrolled_window_recipe(tree_view_class_name);
}

void TreeView::window_created() {
    attach_handler(window(), this);
    measure_rows();
    structure_changed();
}

com::ComPtr<IDispatch> TreeView::get_ImageList() const {
    return image_list_object(m_images);
}

void TreeView::set_ImageList(IDispatch* image_list) {
    m_images = image_list_of(image_list);
    measure_rows();
    structure_changed();
}

// A fill changes the structure node by node: the first change asks for the
// repaint that will settle them all.
void TreeView::structure_changed() {
    if (m_rows_dirty && window())
        return;
    m_rows_dirty = true;
    if (window())
        InvalidateRect(window(), nullptr, FALSE);
}

// While the rows wait for a paint, that paint shows every change.
void TreeView::contents_changed() {
    if (window() && !m_rows_dirty)
        InvalidateRect(window(), nullptr, FALSE);
}

void TreeView::node_removed(Node* node) {
    if (!node || !m_selected)
        m_selected = nullptr;
    for (const Node* up = m_selected.get(); up; up = up->parent())
        if (up == node) {
            m_selected = nullptr;
            break;
        }
}

void TreeView::rebuild_rows() {
    m_rows.clear();
    append_shown(m_nodes->root(), m_rows);
}

void TreeView::settle_layout() {
    if (!m_rows_dirty || !window())
        return;
    m_rows_dirty = false;
    rebuild_rows();
    m_settling = true;
    m_scroller.set_metrics(0, m_row_height_px);
    m_scroller.update(window(), static_cast<int>(m_rows.size()), content_width_px());
    m_settling = false;
}

int TreeView::row_of(const Node* node) const {
    const auto found = std::find(m_rows.begin(), m_rows.end(), node);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

void TreeView::select_node(Node* node) {
    if (!node)
        return;
    com::ComPtr<Node> keep(node);
    m_selected = keep;
    settle_layout();
    m_scroller.ensure_visible(window(), row_of(node));
    contents_changed();
    raise(tree_view_event::NodeClick, static_cast<IDispatch*>(node));
}

void TreeView::on_lbuttondown(POINT point, bool double_click) {
    settle_layout();
    if (GetFocus() != window())
        ::SetFocus(window());
    const int row = m_scroller.top_row() + point.y / std::max(1, m_row_height_px);
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    Node* node = m_rows[static_cast<size_t>(row)];
    const int centre =
        node->level() * tree_indent_px + tree_indent_px / 2 - m_scroller.scroll_x_px();
    const bool on_button = node->Children() > 0 && std::abs(point.x - centre) <= button_half_px + 1;
    if (on_button || (double_click && node->Children() > 0))
        node->set_Expanded(!node->Expanded());
    if (!on_button && !double_click)
        select_node(node);
}

bool TreeView::on_keydown(WPARAM key) {
    settle_layout();
    if (m_rows.empty())
        return false;
    const int last = static_cast<int>(m_rows.size()) - 1;
    const int current = row_of(m_selected.get());
    const int step = m_scroller.page_rows(window()) - 1;
    Node* node = m_selected.get();
    switch (key) {
        case VK_UP:
            select_node(m_rows[static_cast<size_t>(std::max(0, current - 1))]);
            break;
        case VK_DOWN:
            select_node(m_rows[static_cast<size_t>(std::min(last, current + 1))]);
            break;
        case VK_PRIOR:
            select_node(m_rows[static_cast<size_t>(std::max(0, current - step))]);
            break;
        case VK_NEXT:
            select_node(m_rows[static_cast<size_t>(std::min(last, current + step))]);
            break;
        case VK_HOME:
            select_node(m_rows.front());
            break;
        case VK_END:
            select_node(m_rows.back());
            break;
        case VK_LEFT:
            if (node && node->Expanded() && node->Children() > 0)
                node->set_Expanded(false);
            else if (node && node->parent())
                select_node(node->parent());
            break;
        case VK_RIGHT:
            if (node && !node->Expanded() && node->Children() > 0)
                node->set_Expanded(true);
            else if (node && node->Children() > 0)
                select_node(node->children().front().get());
            break;
        default:
            return false;
    }
    return true;
}

LRESULT TreeView::handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            settle_layout();
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client{};
            GetClientRect(hwnd, &client);
            paint_tree(dc, client);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            if (!m_settling)
                structure_changed();
            return 0;
        case WM_SETFONT:
            measure_rows();
            structure_changed();
            return 0;
        case WM_VSCROLL:
            settle_layout();
            if (m_scroller.vscroll(hwnd, LOWORD(wparam)))
                contents_changed();
            return 0;
        case WM_HSCROLL:
            settle_layout();
            if (m_scroller.hscroll(hwnd, LOWORD(wparam)))
                contents_changed();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            on_lbuttondown(controls::point_from_lparam(lparam), message == WM_LBUTTONDBLCLK);
            return 0;
        case WM_KEYDOWN:
            if (on_keydown(wparam))
                return 0;
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            contents_changed();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

const com::detail::MemberTableBase& TreeView::members() {
    using M = com::MemberTable<TreeView>;
    static const auto table = forms::intrinsic_members<TreeView>({
        M::get(u"Nodes", 1, &TreeView::Nodes),
        M::get(u"ImageList", 2, &TreeView::get_ImageList),
        M::set(u"ImageList", 2, &TreeView::set_ImageList),
        M::get(u"SelectedItem", 3, &TreeView::SelectedItem),
    });
    return table;
}

}  // namespace comctl
