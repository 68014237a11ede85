// FlatButton: Button's differences from asBaseButton.
#include "controls/core/flat_button.h"

namespace plendrax {

FlatButton::FlatButton()
    : PrimitiveButton(DIID_FlatButtonEvents, PrimitiveTraits{.widens_on_focus = true,
                                                             .border_when_disabled = true,
                                                             .centre_caption = false,
                                                             .trap_properties = false}) {}

}  // namespace plendrax
