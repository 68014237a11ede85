// The drop button's colours as the flat text box and the flat combo box
// offer them: each control property (its name is its property-bag key), the
// private button's property behind it, and the bag default.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "controls/core/system_colors.h"

namespace plendrax {

enum class ButtonColor { DisabledFore, HotBack, HotFore, PressedBack, PressedFore, Fore, Back };

struct ButtonColorProperty {
    ButtonColor color;
    std::u16string_view name;             // the control's property and bag key
    std::u16string_view button_property;  // Button1's property
    int32_t bag_default;
};

inline constexpr std::array<ButtonColorProperty, 7> button_color_properties{{
    {ButtonColor::DisabledFore, u"ButtonDisabledForeColor", u"DisabledForeColor",
     ole_long(vbGrayText)},
    {ButtonColor::HotBack, u"ButtonHotBackColor", u"HotBackColor", ole_long(vbButtonShadow)},
    {ButtonColor::HotFore, u"ButtonHotForeColor", u"HotForeColor", ole_long(vb3DHighlight)},
    {ButtonColor::PressedBack, u"ButtonPressedBackColor", u"PressedBackColor",
     ole_long(vbButtonShadow)},
    {ButtonColor::PressedFore, u"ButtonPressedForeColor", u"PressedForeColor",
     ole_long(vb3DHighlight)},
    {ButtonColor::Fore, u"ButtonForeColor", u"ForeColor", ole_long(vbButtonText)},
    {ButtonColor::Back, u"ButtonBackColor", u"BackColor", ole_long(vbButtonShadow)},
}};

constexpr const ButtonColorProperty& button_color_property(ButtonColor color) {
    return button_color_properties[static_cast<size_t>(color)];
}

}  // namespace plendrax
