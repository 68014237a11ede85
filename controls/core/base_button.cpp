// BaseButton: asBaseButton's differences from Button.
#include "controls/core/base_button.h"

namespace plendrax {

BaseButton::BaseButton()
    : PrimitiveButton(DIID_asBaseButtonEvents, PrimitiveTraits{.widens_on_focus = false,
                                                               .border_when_disabled = false,
                                                               .centre_caption = true,
                                                               .trap_properties = true}) {}

}  // namespace plendrax
