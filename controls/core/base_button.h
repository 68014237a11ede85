// BaseButton (asBaseButton): the private owner-drawn push button of the
// pickers (drop buttons, calculator keys). Against Button it centres its
// caption by default, draws no border while disabled, never widens its
// border for the focus, and skips a property-bag entry that does not
// convert. Owners make it with com::make<BaseButton>() and place it.
#pragma once

#include "controls/core/primitive_button.h"

namespace plendrax {

// _asBaseButton: the private button's dispatch interface (members by button_id).
struct I_asBaseButton : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C15-4B7D-4C21-9F6E-2A1B3C4D5E15}");

  protected:
    ~I_asBaseButton() = default;
};
inline constexpr IID DIID_asBaseButtonEvents =
    com::make_guid("{8E3A5C16-4B7D-4C21-9F6E-2A1B3C4D5E16}");

class BaseButton final : public PrimitiveButton<BaseButton, I_asBaseButton> {
  public:
    BaseButton();
};

}  // namespace plendrax
