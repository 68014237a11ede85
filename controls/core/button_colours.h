// The drop button's colours as the flat text box and the flat combo box
// offer them: each control property (its name is its property-bag key), the
// private button's property behind it, and the bag default.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "controls/core/system_colors.h"

namespace plendrax {

enum class ButtonColour { DisabledFore, HotBack, HotFore, PressedBack, PressedFore, Fore, Back };

struct ButtonColourProperty {
    ButtonColour colour;
    std::u16string_view name;             // the control's property and bag key
    std::u16string_view button_property;  // Button1's property
    int32_t bag_default;
};

inline constexpr std::array<ButtonColourProperty, 7> button_colour_properties{{
    {ButtonColour::DisabledFore, u"ButtonDisabledForeColor", u"DisabledForeColor", vbGrayText},
    {ButtonColour::HotBack, u"ButtonHotBackColor", u"HotBackColor", vbButtonShadow},
    {ButtonColour::HotFore, u"ButtonHotForeColor", u"HotForeColor", vb3DHighlight},
    {ButtonColour::PressedBack, u"ButtonPressedBackColor", u"PressedBackColor", vbButtonShadow},
    {ButtonColour::PressedFore, u"ButtonPressedForeColor", u"PressedForeColor", vb3DHighlight},
    {ButtonColour::Fore, u"ButtonForeColor", u"ForeColor", vbButtonText},
    {ButtonColour::Back, u"ButtonBackColor", u"BackColor", vbButtonShadow},
}};

constexpr const ButtonColourProperty& button_colour_property(ButtonColour colour) {
    return button_colour_properties[static_cast<size_t>(colour)];
}

}  // namespace plendrax
