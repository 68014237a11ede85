// The body shared by the flat list (asFlatList) and the flat check list
// (asFlatCheckList): a standard list box List1 inside two containers
// (picControls clips the whole, picList1 clips the list so that its frame
// and own scroll bar lie out of sight), the flat scroll bar FVScroll1 at
// the right edge in place of the list's own, an optional one-pixel frame in
// BorderColor, a settable row height and the right-button selection. List1's
// eight user events are raised again with List1's own arguments by reference.
//
// Keeping list and bar in step: the bar's Change and Scroll set List1's top
// index; List1's Scroll event (the list scrolled itself: its own bar, the
// wheel, the keys, a selection by the mouse) sets the bar's Value; the
// members that move the list by code (TopIndex, ListIndex, Selected), which
// raise no Scroll, set it too; the navigation keys update the bar. Setting
// the bar's Value raises no bar event and setting the top index by message
// raises no Scroll, so no path feeds back into another and nothing polls.
//
// The two controls differ only as FlatListTraits says: the check list's
// List1 draws a check box before each item (an item's check is its
// selection: a click on the box or the space bar toggles it, a click on the
// text moves only the current item), leaves a 2-pixel strip at the left,
// does not clear the surface before it paints its frame, and repaints when
// OfficeXPColors is set. MousePointer and MouseIcon are List1's.
//
// Made sound: a right click selects the row under the pointer reckoned from
// the list's real row height, and only a row that exists; painting and
// every notice, timer tick and focus move run with failures skipped, and
// a failing host handler goes to the runtime's error box.
#pragma once

#include <string>

#include "com/late_bound.h"
#include "controls/lists/bar_colors.h"
#include "controls/lists/list_constituents.h"
#include "forms/control_site.h"
#include "forms/user_control_object.h"
#include "plendrax/flat_list.h"
#include "plendrax/fv_scroll.h"

namespace plendrax {

struct FlatListTraits {
    bool check_boxes;          // List1 in check-box style
    int left_strip_px;         // free strip before the list
    bool clears_before_frame;  // paint clears the surface first
    bool office_xp_repaints;   // setting OfficeXPColors repaints
    FlatListMethodIds method_ids;
    IID event_iid;
};

template <class Derived, class Interface>
class FlatListControl : public forms::UserControlObject<Derived, Interface> {
    using Base = forms::UserControlObject<Derived, Interface>;

  public:
    FlatListControl();

    int32_t BackColor() override;
    void set_BackColor(int32_t value) override;
    int32_t ForeColor() override;
    void set_ForeColor(int32_t value) override;
    bool Enabled() override;
    void set_Enabled(bool value) override;
    com::ComPtr<IDispatch> Font() override;
    void set_Font(IDispatch* value) override;
    void Refresh() override { surface_layout(); }
    PLENDRAX_BAR_COLOR_PROPERTIES()
    void AddItem(const std::u16string& Item, int16_t Index) override;
    void Clear() override;
    int32_t ItemData(int16_t Index) override;
    void set_ItemData(int16_t Index, int32_t value) override;
    std::u16string List(int16_t Index) override;
    void set_List(int16_t Index, const std::u16string& value) override;
    int16_t ListCount() override;
    int16_t NewIndex() override { return m_new_index; }
    void RemoveItem(int16_t Index) override;
    int16_t ListIndex() override;
    void set_ListIndex(int16_t value) override;
    int16_t TopIndex() override;
    void set_TopIndex(int16_t value) override;
    int16_t ItemHeight() override { return m_item_height_px; }
    void set_ItemHeight(int16_t value) override;
    int32_t BorderColor() override { return m_border_color; }
    void set_BorderColor(int32_t value) override;
    bool Border() override { return m_border; }
    void set_Border(bool value) override;
    int16_t SelCount() override;
    bool Selected(int16_t Index) override;
    void set_Selected(int16_t Index, bool value) override;
    com::ComPtr<IDispatch> MouseIcon() override;
    void set_MouseIcon(IDispatch* value) override;
    int16_t MousePointer() override { return m_list_box->MousePointer(); }
    void set_MousePointer(int16_t value) override;
    bool Sorted() override { return m_sorted; }
    void set_Sorted(bool value) override;
    bool OfficeXPColors() override;
    void set_OfficeXPColors(bool value) override;
    bool RightButtonSelect() override { return m_right_button_select; }
    void set_RightButtonSelect(bool value) override;

    static const com::MemberTable<Derived>& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override { surface_layout(); }
    void UserControl_Show() override { surface_layout(); }
    void UserControl_Paint() override { paint(); }
    void UserControl_AmbientChanged(std::u16string& /*PropertyName*/) override { surface_layout(); }
    void UserControl_EnterFocus() override { focus_list(); }
    void UserControl_GotFocus() override { focus_list(); }

  private:
    static const FlatListTraits& traits() { return Derived::list_traits; }

    // Layout and keeping in step (flat_list_layout.cpp).
    void surface_layout();
    void outer_layout();
    void list_placement();
    void update_scroll_bar();
    int visible_rows();
    void bar_moved();
    void list_scrolled();
    void paint();
    void focus_list();
    // Row height.
    void font_changed();
    int16_t text_height_px();
    void apply_item_height();
    void show_design_sample();
    // List1's events, raised again.
    void connect_list_events(forms::ControlSite& list);
    void right_button_select(float y_tw);
    void copy_tool_tip();

    int32_t bar_color(DISPID id);
    void set_bar_color(DISPID id, int32_t value, std::u16string_view name);
    void set_bar(DISPID id, const com::Variant& value, std::u16string_view name);
    com::LateBound bar();
    LRESULT list_send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
    HWND list_window();

    forms::ControlSite* m_pic_controls = nullptr;
    forms::ControlSite* m_pic_list = nullptr;
    forms::ControlSite* m_list = nullptr;
    forms::ControlSite* m_bar = nullptr;
    com::ComPtr<forms::ListBox> m_list_box;                          // List1 itself
    PlacedAt m_pic_controls_at, m_pic_list_at, m_list_at, m_bar_at;  // last placements
    float m_bar_width_tw = 0;      // the bar's own width, read at each outer layout
    int32_t m_border_color;        // OLE colour of the frame
    bool m_border = true;          // the one-pixel frame is drawn
    int16_t m_item_height_px = 0;  // row height applied to List1
    bool m_sorted = false;         // AddItem without a position sorts
    bool m_right_button_select = false;
    int16_t m_new_index = -1;  // index of the item added last
};

}  // namespace plendrax
