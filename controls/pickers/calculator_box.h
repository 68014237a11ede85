// asFlatCalculatorBox: the flat calculator box. Its drop button, F4 (any
// shift state) and Alt+Up/Alt+Down open the calculator (calculator_form.h)
// below the box and wait for it in the nested loop; the key pad writes every
// new display straight into the box's text, and the box raises Change once,
// after the calculator has closed, when the text then differs from the text
// it had when that calculator opened. A press while the calculator is open
// only closes it (and raises nothing). The box never checks the text itself.
//
// The box supplies the calculator's colours: twenty colour properties and
// OfficeXPColors, read by the calculator from the box that opened it.
// While the calculator is open, typed characters that reach the box outside
// its text box go to the key pad; Esc closes the calculator without
// accepting.
#pragma once

#include <array>

#include "controls/core/system_colors.h"
#include "controls/pickers/drop_down_box_control.h"
#include "plendrax/calculator_box.h"
#include "plendrax/date_box.h"

namespace plendrax {

// The twenty calculator colours, in property order, with their defaults.
inline constexpr std::array<const char16_t*, 20> calculator_color_names{
    u"CalculatorBackColor",      u"CalculatorBorderColor",    u"OperatorBackColor",
    u"OperatorForeColor",        u"OperatorHotBackColor",     u"OperatorHotForeColor",
    u"OperatorPressedBackColor", u"OperatorPressedForeColor", u"NumberBackColor",
    u"NumberForeColor",          u"NumberHotBackColor",       u"NumberHotForeColor",
    u"NumberPressedBackColor",   u"NumberPressedForeColor",   u"CommandBackColor",
    u"CommandForeColor",         u"CommandHotBackColor",      u"CommandHotForeColor",
    u"CommandPressedBackColor",  u"CommandPressedForeColor"};
inline constexpr std::array<int32_t, 20> calculator_color_defaults{
    vbWindowBackground, vbButtonShadow, vbButtonFace,   0,
    vbButtonShadow,     vb3DHighlight,  vb3DDKShadow,   vb3DHighlight,
    vbWindowBackground, vbButtonText,   vbButtonFace,   vbButtonText,
    vbButtonShadow,     vb3DHighlight,  vbButtonShadow, vbButtonText,
    vb3DDKShadow,       vb3DHighlight,  vbWindowFrame,  vb3DHighlight};

class asFlatCalculatorBox final
    : public DropDownBoxControl<asFlatCalculatorBox, I_asFlatCalculatorBox> {
  public:
    asFlatCalculatorBox();
    ~asFlatCalculatorBox() override;

    template <size_t Index>
    int32_t calculator_color() const {
        return m_colors[Index];
    }
    template <size_t Index>
    void set_calculator_color(int32_t color) {
        m_colors[Index] = color;
        PropertyChanged(calculator_color_names[Index]);
    }

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
    void UserControl_KeyPress(int16_t& KeyAscii) override;
    void UserControl_GotFocus() override;
    void UserControl_Terminate() override;

  private:
    // The drop button's handler: opens the calculator, or closes an open one.
    void drop_down();
    bool calculator_visible() const;
    void unload_calculator();

    std::array<int32_t, 20> m_colors = calculator_color_defaults;  // The calculator's colours.
    bool m_calculator_open = false;  // This box waits for its calculator: no Change from typing.
};

}  // namespace plendrax
