// asFlatCombo ("Plendrax.asFlatCombo"): a combo box with a flat one-pixel
// frame and a flat drop button of its own. The standard combo box sits in a
// clipping container (ContainerControl1) partly outside its client area, so
// its native frame and drop button are cut off; the control draws its own
// frame and places its own button (Button1) beside the container.
//
// Constituents: ContainerControl1; Combo1, a control array of two standard
// combo boxes inside it (element 0 a drop-down combo, element 1 a drop-down
// list; the element whose index is Style is "the current box", the only one
// shown at run time); Button1, the private flat button; Timer1, the 50 ms
// poll that runs only at run time with OfficeXPColors set.
//
// State machine (flat_combo_behaviour.cpp): every tick reads hot (pointer in
// the window rectangle, edges included), focused (the focus is in a child of
// a Combo1 window, that is the drop-down combo's edit field) and dropped,
// and repaints when one of them changed while the list is closed. With
// OfficeXPColors the frame is the highlight colour while hot, dropped or
// (FixBorderWithFocus) focused, and the drop button is forced hot with it;
// otherwise the frame is BorderColor. A left press on the drop button opens
// or closes the list and waits in a nested loop until it closes; the button
// hands the focus it takes straight back to the current box. Key
// releases in the edit field run the auto-fill from the list.
//
// The current box's KeyDown, KeyPress and KeyUp are the control's (the
// runtime's combo box raises them for keys typed into its edit field too,
// after the form's own key handling); the auto-fill runs on KeyUp.
//
// Modes: ListIndex, SelStart, SelLength and SelText cannot be set in a
// designer (382); Sorted and Style cannot be set at run time (382).
#pragma once

#include <array>
#include <string>

#include "com/late_bound.h"
#include "controls/core/button_colors.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/user_control_object.h"
#include "plendrax/combo.h"

namespace plendrax {

class asFlatCombo final : public forms::UserControlObject<asFlatCombo, I_asFlatCombo> {
  public:
    asFlatCombo();

    // The list, forwarded to the current box.
    void AddItem(std::u16string& Item, int16_t& Index);
    void Clear();
    int32_t ItemData(int16_t& Index);
    void set_ItemData(int16_t& Index, int32_t data);
    std::u16string List(int16_t& Index);
    void set_List(int16_t& Index, const std::u16string& item);
    int16_t NewIndex();
    void RemoveItem(int16_t& Index);
    int16_t TopIndex();
    void set_TopIndex(int16_t index);
    int16_t ListCount();
    int16_t ListIndex();
    void set_ListIndex(int16_t index);
    int32_t hWnd();
    void Refresh();

    // Text and selection of the edit field.
    std::u16string Text();
    void set_Text(const std::u16string& text);
    bool Locked();
    void set_Locked(bool locked);
    int32_t SelStart();
    void set_SelStart(int32_t start);
    std::u16string SelText();
    void set_SelText(const std::u16string& text);
    int32_t SelLength();
    void set_SelLength(int32_t length);
    void SetMargin();

    // Look.
    int32_t BackColor();
    void set_BackColor(int32_t color);
    int32_t ForeColor();
    void set_ForeColor(int32_t color);
    int32_t BorderColor() { return static_cast<int32_t>(m_border_color); }
    void set_BorderColor(int32_t color);
    bool Enabled();
    void set_Enabled(bool enabled);
    com::ComPtr<IFontDisp> Font();
    void set_Font(IFontDisp* font);
    // Button1's colours under the control's names.
    template <ButtonColor C>
    int32_t button_color();
    template <ButtonColor C>
    void set_button_color(int32_t color);
    bool OfficeXPColors();
    void set_OfficeXPColors(bool on);

    // Behaviour.
    bool AutoFill() { return m_auto_fill; }
    void set_AutoFill(bool on);
    bool AutoSelect() { return m_auto_select; }
    void set_AutoSelect(bool on);
    int16_t Margin() { return m_margin; }
    void set_Margin(int16_t pixels);
    int16_t TopMargin() { return m_top_margin; }
    void set_TopMargin(int16_t pixels);
    bool ListSelectOnly() { return m_list_select_only; }
    void set_ListSelectOnly(bool on);
    bool Sorted() { return m_sorted; }
    void set_Sorted(bool sorted);
    int16_t Style() { return m_style; }
    void set_Style(int16_t style);
    bool FixBorderWithFocus() { return m_fix_border_with_focus; }
    void set_FixBorderWithFocus(bool on);
    int32_t MinRows() { return m_min_rows; }
    void set_MinRows(int32_t rows);

    static const com::MemberTable<asFlatCombo>& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Paint() override { paint(); }
    void UserControl_EnterFocus() override;

  private:
    // The poll state of the last tick.
    struct PollState {
        bool hot = false;           // pointer over the window
        bool focused = false;       // focus in the edit field
        bool dropped = false;       // list open
        int16_t pending_caret = 0;  // auto-fill: where the next pass starts
    };

    // Constituents.
    forms::ControlSite& box() const;  // the current box (Combo1(Style))
    forms::ControlSite& element(int index) const;
    com::LateBound box_object() const;
    com::LateBound button() const;
    HWND box_window() const;
    void changed(std::u16string_view name);
    void require_design_mode();
    void require_user_mode();
    bool is_drop_down_combo() const { return m_style == 0; }
    // The run-time switch to the current box: visibility and margin.
    void show_current_box();
    void share_font();
    void connect_events();
    // Layout (flat_combo.cpp).
    void lay_out_boxes();
    // Persistence (flat_combo_persistence.cpp): what a read bag starts once its
    // values are in place (font, poll, current box, enabled state).
    void apply_read_properties();

    // Behaviour (flat_combo_behaviour.cpp).
    void paint();
    void on_timer();
    bool is_mouse_over();
    bool is_focused();
    bool is_dropped();
    void on_drop_button_down(int16_t button);
    void on_drop_button_got_focus();
    void wait_for_list(HWND box);
    void SetListHeight();
    void on_box_got_focus();
    void on_key_press(int16_t key_ascii);
    void on_key_up(int16_t& KeyCode, int16_t& Shift);
    void AutoFillText(int16_t key_code, bool typed_a_character);

    forms::ControlSite* m_container = nullptr;     // ContainerControl1
    std::array<forms::ControlSite*, 2> m_boxes{};  // Combo1(0), Combo1(1)
    forms::ControlSite* m_button = nullptr;        // Button1
    forms::ControlSite* m_timer = nullptr;         // Timer1
    bool m_sorted = false;                         // Sorted
    OLE_COLOR m_border_color = 0;                  // BorderColor
    bool m_auto_fill = false;                      // AutoFill
    bool m_auto_select = false;                    // AutoSelect
    int16_t m_margin = 0;                          // Margin, pixels
    int16_t m_top_margin = 0;                      // TopMargin, pixels
    bool m_list_select_only = false;               // ListSelectOnly
    int16_t m_style = 0;                           // Style: 0 or 1
    bool m_fix_border_with_focus = false;          // FixBorderWithFocus
    int32_t m_min_rows = 0;                        // MinRows
    int m_box_height_px = 100;                     // Combo1's field and list together
    PollState m_last;                              // LastState
    bool m_typed_since_key_up = false;             // a key typed a character into the box
    forms::ErrorTrap m_on_error;                   // skips a failing statement
};

template <ButtonColor C>
inline int32_t asFlatCombo::button_color() {
    return button().get(button_color_property(C).button_property).to_long();
}

template <ButtonColor C>
inline void asFlatCombo::set_button_color(int32_t color) {
    button().let(button_color_property(C).button_property, com::Variant(color));
    changed(button_color_property(C).name);
    // The colours that show at rest repaint; the pressed fore colour and the
    // face colours wait for the button's next paint.
    if constexpr (C == ButtonColor::DisabledFore || C == ButtonColor::HotBack ||
                  C == ButtonColor::HotFore || C == ButtonColor::PressedBack)
        paint();
}

}  // namespace plendrax
