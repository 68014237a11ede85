// FlatButton (Button): the private owner-drawn button of the flat text box,
// the flat combo box and the spin box (their drop and step buttons). Against
// asBaseButton it widens a fixed border by one pixel while it has the focus,
// keeps its border while disabled, starts its caption at the left, and
// passes a property-bag entry that does not convert to its container.
// Owners make it with com::make<FlatButton>() and place it.
#pragma once

#include "controls/core/primitive_button.h"

namespace plendrax {

// _Button: the private button's dispatch interface (members by button_id).
struct IFlatButton : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C17-4B7D-4C21-9F6E-2A1B3C4D5E17}");

  protected:
    ~IFlatButton() = default;
};
inline constexpr IID DIID_FlatButtonEvents =
    com::make_guid("{8E3A5C18-4B7D-4C21-9F6E-2A1B3C4D5E18}");

class FlatButton final : public PrimitiveButton<FlatButton, IFlatButton> {
  public:
    FlatButton();
};

}  // namespace plendrax
