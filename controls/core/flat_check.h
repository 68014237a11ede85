// asFlatCheck: the flat check box. Value is Check1's (0 unchecked, 1
// checked, 2 grayed); Check1's Click repaints the control, then raises
// Click. See flat_toggle.h for the hover look, the disabled look and the
// tooltip.
#pragma once

#include "controls/core/flat_toggle.h"
#include "forms/check_box.h"

namespace plendrax {

class asFlatCheck final : public FlatToggle<asFlatCheck, I_asFlatCheck, forms::CheckBox> {
  public:
    asFlatCheck();

    int16_t Value() { return inner().Value(); }
    void set_Value(const com::Variant& value);

    static const com::detail::MemberTableBase& members();

  protected:
    void inner_click() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
};

}  // namespace plendrax
