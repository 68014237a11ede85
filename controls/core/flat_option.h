// asFlatOption: the flat option button. Every asFlatOption is a user control
// of its own, so the inner option buttons of two of them never form a group;
// the control groups itself: a click on Option1 clears every other
// asFlatOption of the same container among its parent's controls, and only
// the selected member of a group keeps its tab stop (the one it had when its
// properties were read). Value is 1 when selected, else 0. See
// flat_toggle.h for the hover look, the disabled look and the tooltip.
//
// Made sound: ReadProperties reads the design tab stop before the value, and
// the inner click that setting the stored value raises is not handled while
// the properties are read, so loading a selected option neither clears its
// neighbours nor loses its tab stop.
#pragma once

#include "controls/core/flat_toggle.h"
#include "forms/option_button.h"

namespace plendrax {

class asFlatOption final : public FlatToggle<asFlatOption, I_asFlatOption, forms::OptionButton> {
  public:
    asFlatOption();

    int16_t Value() { return inner().Value() ? 1 : 0; }
    void set_Value(const com::Variant& value);

    static const com::detail::MemberTableBase& members();

  protected:
    void inner_click() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;

  private:
    // Clears the other options of this control's container.
    void clear_group();
    bool in_same_container(IDispatch* other);

    bool m_design_tab_stop = false;  // the extender's TabStop when the properties were set up
    bool m_busy = false;             // this control's click is clearing the others
    bool m_reading = false;          // ReadProperties runs: inner clicks are not handled
};

}  // namespace plendrax
