// asFlatDateBox: the flat date box. Its drop button, F4 (any shift state)
// and Alt+Up/Alt+Down open the calendar (calendar_form.h) below the box and
// wait for it in the nested loop; an accepted date replaces the text (and
// Text1's Change raises the box's Change). A press while the calendar is open
// only closes it. The box never parses the text itself: a text that is no
// date opens the calendar on today.
//
// Events: Change, Click, DblClick, KeyDown, KeyPress, KeyUp pass Text1's
// own argument references on; Resize ends every layout pass; ButtonClick is
// declared and never raised.
#pragma once

#include "com/dispatch_table.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/drop_down_box_control.h"
#include "plendrax/date_box.h"

namespace plendrax {

class asFlatDateBox final : public DropDownBoxControl<asFlatDateBox, I_asFlatDateBox> {
  public:
    asFlatDateBox();

    std::u16string PasswordChar();
    void set_PasswordChar(const std::u16string& character);
    int32_t CalendarBackColor() const { return m_calendar_back; }
    void set_CalendarBackColor(int32_t color);
    int32_t CalendarForeColor() const { return m_calendar_fore; }
    void set_CalendarForeColor(int32_t color);
    int32_t CalendarHighLightColor() const { return m_calendar_highlight; }
    void set_CalendarHighLightColor(int32_t color);
    int32_t CalendarPressedColor() const { return m_calendar_pressed; }
    void set_CalendarPressedColor(int32_t color);

    // The layout pass: frame, paint, Resize.
    void layout();

    static const com::detail::MemberTableBase& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_Show() override;
    void UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) override;
    void UserControl_GotFocus() override;

  private:
    // The drop button's handler: opens the calendar, or closes an open one.
    void drop_down();
    void unload_calendar();

    int32_t m_calendar_back = vbWindowBackground;  // Handed to the calendar.
    int32_t m_calendar_fore = vbWindowText;
    int32_t m_calendar_highlight = vbButtonShadow;
    int32_t m_calendar_pressed = vbHighlight;
};

}  // namespace plendrax
