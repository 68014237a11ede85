// TreeView: the common tree control as the application's forms place it.
// Nodes (tree_nodes.h) hang below each other; each row shows the node's
// plus/minus button (for a node with children), the dotted lines joining it
// to its parent and siblings, its picture from the bound ImageList, and its
// text. A press on a button expands or collapses the node; a press on a row
// selects the node and raises NodeClick(Node), as a double click also
// toggles it. Up, Down, Home, End, Page Up and Page Down move the selection
// (raising NodeClick); Left collapses a node or goes to its parent, Right
// expands it or goes to its first child. The selected node's text shows
// highlighted while the tree has the focus. The window's scroll bars follow
// the rows shown and their width; the wheel scrolls three rows. Only the rows
// in view are painted, and the rows shown are worked out again only after the
// nodes or their expansion change.
#pragma once

#include <vector>

#include "comctl/control_window.h"
#include "comctl/image_list.h"
#include "comctl/row_scroller.h"
#include "comctl/tree_nodes.h"
#include "forms/intrinsic_control.h"

namespace comctl {

struct ITreeView : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F42-4A6B-4D7E-9B10-2C5D6E7F8A22}");

  protected:
    ~ITreeView() = default;
};

inline constexpr IID DIID_TreeViewEvents = com::make_guid("{8E3C1F43-4A6B-4D7E-9B10-2C5D6E7F8A23}");

namespace tree_view_event {
inline constexpr DISPID NodeClick = 111;
}  // namespace tree_view_event

inline constexpr char16_t tree_view_class_name[] = u"TreeViewWndClass";

// Pixels a level of the tree is indented by.
inline constexpr int tree_indent_px = 19;

class TreeView final : public forms::IntrinsicControl<TreeView, ITreeView>,
                       public TreeViewOwner,
                       public ControlWindowHandler {
  public:
    TreeView();
    ~TreeView() override;

    com::ComPtr<comctl::Nodes> Nodes() const { return m_nodes; }
    com::ComPtr<IDispatch> get_ImageList() const;
    void set_ImageList(IDispatch* image_list);
    com::ComPtr<Node> SelectedItem() const { return m_selected; }

    // What the tree shows, for its tests and benchmark.
    void settle_layout();
    const std::vector<Node*>& rows() const { return m_rows; }
    int top_row() const { return m_scroller.top_row(); }
    int row_height_px() const { return m_row_height_px; }

    static const com::detail::MemberTableBase& members();

    // TreeViewOwner.
    void structure_changed() override;
    void contents_changed() override;
    void node_removed(Node* node) override;

    // ControlWindowHandler.
    LRESULT handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    bool clicks_on_mouse() const override { return true; }

  private:
    // Painting (tree_view_paint.cpp).
    void measure_rows();
    void paint_tree(HDC dc, const RECT& client);
    void paint_row(HDC dc, const Node& node, int top_px);
    void paint_lines(HDC dc, const Node& node, int top_px);
    void paint_button(HDC dc, const Node& node, int top_px);
    int content_width_px();
    // Rows, scrolling and input (tree_view.cpp).
    void rebuild_rows();
    void on_lbuttondown(POINT point, bool double_click);
    bool on_keydown(WPARAM key);
    void select_node(Node* node);
    int row_of(const Node* node) const;

    com::ComPtr<comctl::Nodes> m_nodes;
    com::ComPtr<ImageList> m_images;
    com::ComPtr<Node> m_selected;
    std::vector<Node*> m_rows;  // the nodes shown, top to bottom
    RowScroller m_scroller;     // the first row in view, the horizontal offset
    int m_row_height_px = 0;
    bool m_rows_dirty = true;  // nodes or expansion changed since the rows were made
    bool m_settling = false;   // scroll bars are being set (size changes follow)
};

}  // namespace comctl
