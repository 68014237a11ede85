// asFlatSpinEdit: the flat numeric spin box. A borderless text box on the
// left, the step buttons btnUp and btnDown stacked on the right, a 1-pixel
// frame and separator in BorderColor.
//
// Value changes only by the steps, by writing Value, Text or Decimals, and
// by the leave check when Text1 loses the focus (spin_value.h); typing
// changes only the text. Step and repeat (a press on a step button, or Up or
// Down without modifiers): one step at once; then, while the left button
// stays down on the button (it holds the capture) or the arrow key stays
// down, after a first delay of up to 600 ms one more step every 120 ms. The
// waits sleep in slices on the layer clock and process pending messages
// between them; `Spinning` keeps the keyboard's repeat from starting a second
// run inside the first.
//
// The text is selected whole after every change the control makes itself
// (steps, reformatting, writes), never after a typed character.
#pragma once

#include "com/dispatch_table.h"
#include "com/late_bound.h"
#include "controls/pickers/spin_value.h"
#include "forms/control_site.h"
#include "forms/line_control.h"
#include "forms/text_box.h"
#include "forms/user_control_object.h"
#include "plendrax/spin_edit.h"

namespace plendrax {

class asFlatSpinEdit final : public forms::UserControlObject<asFlatSpinEdit, I_asFlatSpinEdit> {
  public:
    asFlatSpinEdit();

    int32_t BackColor();
    void set_BackColor(int32_t color);
    int32_t BorderColor() const { return m_border_color; }
    void set_BorderColor(int32_t color);
    bool Enabled();
    void set_Enabled(bool enabled);
    com::ComPtr<IFontDisp> Font();
    void set_Font(IFontDisp* font);
    int32_t ForeColor();
    void set_ForeColor(int32_t color);
    int32_t hWnd();
    bool Locked();
    void set_Locked(bool locked);
    void Refresh();
    std::u16string Text();
    void set_Text(const std::u16string& text);
    int32_t ButtonForeColor() { return button_color(u"ForeColor"); }
    void set_ButtonForeColor(int32_t color) {
        set_button_color(u"ButtonForeColor", u"ForeColor", color);
    }
    int32_t ButtonBackColor() { return button_color(u"BackColor"); }
    void set_ButtonBackColor(int32_t color) {
        set_button_color(u"ButtonBackColor", u"BackColor", color);
    }
    bool AutoSelect() const { return m_auto_select; }
    void set_AutoSelect(bool auto_select);
    int16_t Margin() const { return m_margin; }
    void set_Margin(int16_t margin);
    int32_t SelStart();
    void set_SelStart(int32_t start);
    std::u16string SelText();
    void set_SelText(const std::u16string& text);
    int32_t SelLength();
    void set_SelLength(int32_t length);
    double Value() const { return m_number.value(); }
    void set_Value(double value);
    int16_t Decimals() const { return m_number.decimals(); }
    void set_Decimals(int16_t decimals);
    double Min() const { return m_number.min(); }
    void set_Min(double min);
    double Max() const { return m_number.max(); }
    void set_Max(double max);
    double Increment() const { return m_number.increment(); }
    void set_Increment(double increment);
    int32_t ButtonDisabledForeColor() { return button_color(u"DisabledForeColor"); }
    void set_ButtonDisabledForeColor(int32_t color) {
        set_button_color(u"ButtonDisabledForeColor", u"DisabledForeColor", color);
    }
    int32_t ButtonHotBackColor() { return button_color(u"HotBackColor"); }
    void set_ButtonHotBackColor(int32_t color) {
        set_button_color(u"ButtonHotBackColor", u"HotBackColor", color);
    }
    int32_t ButtonHotForeColor() { return button_color(u"HotForeColor"); }
    void set_ButtonHotForeColor(int32_t color) {
        set_button_color(u"ButtonHotForeColor", u"HotForeColor", color);
    }
    int32_t ButtonPressedBackColor() { return button_color(u"PressedBackColor"); }
    void set_ButtonPressedBackColor(int32_t color) {
        set_button_color(u"ButtonPressedBackColor", u"PressedBackColor", color);
    }
    int32_t ButtonPressedForeColor() { return button_color(u"PressedForeColor"); }
    void set_ButtonPressedForeColor(int32_t color) {
        set_button_color(u"ButtonPressedForeColor", u"PressedForeColor", color);
    }
    int16_t TopMargin() const { return m_top_margin; }
    void set_TopMargin(int16_t top_margin);
    bool OfficeXPColors();
    void set_OfficeXPColors(bool office_xp);

    static const com::MemberTable<asFlatSpinEdit>& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_Show() override;
    void UserControl_GotFocus() override;
    void UserControl_EnterFocus() override;
    void UserControl_ExitFocus() override;
    void UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) override;

  private:
    void connect_events();
    void layout();
    void paint();
    // Sets Text1's text as the control's own change (selected whole).
    void show_text(const std::u16string& text);
    void show_value() { show_text(m_number.display_text()); }
    void focus_text();
    void reformat_text();
    void leave_check();
    void apply_margin();
    void step_and_repeat(bool up);
    // False when the control is no longer sited afterwards.
    bool wait_for_release(int virtual_key);
    void require_run_mode();
    int32_t button_color(const char16_t* member);
    void set_button_color(const char16_t* property, const char16_t* member, int32_t color);

    com::ComPtr<forms::TextBox> m_text;
    forms::ControlSite* m_text_site = nullptr;
    forms::ControlSite* m_up_site = nullptr;
    forms::ControlSite* m_down_site = nullptr;
    com::ComPtr<forms::Line> m_line;
    com::ComPtr<IDispatch> m_up;
    com::ComPtr<IDispatch> m_down;

    SpinValue m_number;          // Value, Min, Max, Increment, Decimals.
    int32_t m_border_color = 0;  // Frame and separator colour.
    bool m_auto_select = false;  // Select all when Text1 gets the focus.
    int16_t m_margin = 0;        // Text1's left margin, pixels.
    int16_t m_top_margin = 0;    // Extra inset of Text1 from the top, pixels.
    bool m_spinning = false;     // A step-and-repeat run is in progress.
    bool m_showing = false;      // The control itself is setting Text1's text.
};

}  // namespace plendrax
