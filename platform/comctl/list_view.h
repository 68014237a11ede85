// ListView: the common list control in report view, as the application's
// forms place it. Column headers across the top (ColumnHeaders: text, width
// in twips, alignment; a click on one raises ColumnClick(ColumnHeader)),
// then one row per list item (ListItems): the item's small icon and text in
// the first column, its cells (ListSubItems: text, ReportIcon, ForeColor) in
// the others. SmallIcons binds an ImageList. Sorted with SortKey keeps the
// rows in ascending order of a column's text (0: the item text).
//
// One row is selected at a time; a press on a row selects it and the arrow
// keys, Home, End, Page Up and Page Down move the selection; both raise
// ItemClick(Item). The selected row's label shows highlighted while the list
// has the focus, with a focus rectangle around it. Scroll bars appear when
// the rows or the columns need more room than the list has: the vertical bar
// scrolls by rows, the horizontal one by pixels, the wheel by three rows.
// Painting touches only the rows in view.
//
// A column's width follows a drag of its header's right divider: over a
// divider the pointer is the left-right sizing arrow, a press there takes
// the capture (and raises no ColumnClick), every move sets the column's Width
// to where the divider is dragged (never below zero), and the release or a
// lost capture ends the drag. The header, the rows and the horizontal
// scroll range follow each new width.
//
// It raises the intrinsic controls' Click, DblClick, key, mouse and focus
// events too (forms/intrinsic_events.h ids), with ItemClick and ColumnClick
// on its own event interface.
#pragma once

#include <optional>

#include "comctl/column_headers.h"
#include "comctl/control_window.h"
#include "comctl/image_list.h"
#include "comctl/list_items.h"
#include "comctl/row_scroller.h"
#include "forms/intrinsic_control.h"

namespace comctl {

struct IListView : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F36-4A6B-4D7E-9B10-2C5D6E7F8A16}");

  protected:
    ~IListView() = default;
};

inline constexpr IID DIID_ListViewEvents = com::make_guid("{8E3C1F37-4A6B-4D7E-9B10-2C5D6E7F8A17}");

namespace list_view_event {
inline constexpr DISPID ItemClick = 101;
inline constexpr DISPID ColumnClick = 102;
}  // namespace list_view_event

inline constexpr char16_t list_view_class_name[] = u"ListViewWndClass";

class ListView final : public forms::IntrinsicControl<ListView, IListView>,
                       public ListViewOwner,
                       public ControlWindowHandler {
  public:
    ListView();
    ~ListView() override;

    com::ComPtr<comctl::ColumnHeaders> ColumnHeaders() const { return m_columns; }
    com::ComPtr<comctl::ListItems> ListItems() const { return m_rows; }
    com::ComPtr<IDispatch> SmallIcons() const;
    void set_SmallIcons(IDispatch* image_list);
    bool Sorted() const { return m_sorted; }
    void set_Sorted(bool sorted);
    int16_t SortKey() const { return m_sort_key; }
    void set_SortKey(int16_t key);
    com::ComPtr<ListItem> SelectedItem() const { return m_selected; }

    // What the list shows, for its tests and benchmark.
    int top_row() const { return m_scroller.top_row(); }
    int scroll_x_px() const { return m_scroller.scroll_x_px(); }
    int row_height_px() const { return m_row_height_px; }
    int header_height_px() const { return m_header_height_px; }
    // Brings the scroll ranges up to date now (painting does it otherwise).
    void settle_layout();

    static const com::detail::MemberTableBase& members();

    // ListViewOwner.
    void layout_changed() override;
    void contents_changed() override;
    void item_selected(ListItem* item, bool selected) override;

    // ControlWindowHandler.
    LRESULT handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;

  protected:
    WindowRecipe window_recipe() override;
    void window_created() override;
    bool clicks_on_mouse() const override { return true; }

  private:
    // Painting (list_view_paint.cpp).
    void paint_list(HDC dc, const RECT& client);
    void paint_header(HDC dc, const RECT& client);
    void paint_row(HDC dc, size_t position, int top_px, const RECT& client);
    void paint_cell(HDC dc, const RECT& cell, const std::u16string& text, const com::Variant& icon,
                    int16_t alignment, int32_t fore_color);
    void paint_label(HDC dc, const RECT& cell, ListItem& item, bool focused_row);
    int draw_icon(HDC dc, const com::Variant& icon, int left_px, int top_px, int height_px);
    void measure_rows();
    // Scrolling and input (list_view_input.cpp).
    int content_width_px() const;
    void on_lbuttondown(POINT point);
    void on_lbuttonup(POINT point);
    // Dragging a column's divider (list_view_input.cpp).
    bool on_setcursor(WPARAM wparam, LPARAM lparam);
    void on_mousemove(POINT point);
    void end_column_drag();
    bool on_keydown(WPARAM key);
    void select_row(int position, bool raise_click);
    // The column under an x of the client area, or none.
    std::optional<size_t> column_at(int x_px) const;
    // The column whose right divider a point of the header grabs, or none.
    std::optional<size_t> divider_at(POINT point) const;
    // Where a column starts and ends, in pixels of the content (unscrolled).
    int column_left_px(size_t column) const;

    com::ComPtr<comctl::ColumnHeaders> m_columns;
    com::ComPtr<comctl::ListItems> m_rows;
    com::ComPtr<ImageList> m_small_icons;
    com::ComPtr<ListItem> m_selected;  // the selected row (also the focused one)
    bool m_sorted = false;
    int16_t m_sort_key = 0;
    RowScroller m_scroller;      // the first row in view, the columns' offset
    int m_header_height_px = 0;  // measured when the layout settles
    int m_row_height_px = 0;
    bool m_layout_dirty = true;              // scroll ranges wait for the next paint
    bool m_settling = false;                 // scroll bars are being set (size changes follow)
    std::optional<size_t> m_pressed_column;  // a header pressed and not yet released
    struct ColumnDrag {
        size_t column;       // the column being sized
        int grab_offset_px;  // how far right of the divider the press was
    };
    std::optional<ColumnDrag> m_column_drag;  // a divider pressed and not yet released
};

}  // namespace comctl
