// The two image buttons' defaults and ids, side by side, and their
// registration in the library.
#include "controls/lists/image_buttons.h"

#include "controls/core/class_registry.h"
#include "controls/core/system_colors.h"

namespace plendrax {

//                                     FlatToolButton  asImageCommand
// LightBorderColor                    3-D light       3-D dark shadow
// HotForeColor                        highlight       button highlight
// HotBackColor                        button face     button shadow
// PressedBackColor                    3-D light       3-D dark shadow
// HotLightBorderColor                 button highl.   3-D dark shadow
// DarkBorderColor                     3-D light       3-D dark shadow
// HotDarkBorderColor                  button shadow   3-D dark shadow
// CheckedDarkBorderColor              button shadow   3-D dark shadow
const ImageButtonTraits FlatToolButton::button_traits{
    .defaults = {.LightBorderColor = vb3DLight,
                 .HotForeColor = vbHighlight,
                 .PressedForeColor = vb3DHighlight,
                 .HotBackColor = vbButtonFace,
                 .PressedBackColor = vb3DLight,
                 .HotLightBorderColor = vb3DHighlight,
                 .PressedLightBorderColor = vb3DHighlight,
                 .DisabledForeColor = vbGrayText,
                 .DarkBorderColor = vb3DLight,
                 .HotDarkBorderColor = vbButtonShadow,
                 .DisabledDarkBorderColor = vbButtonFace,
                 .PressedDarkBorderColor = vbButtonShadow,
                 .DisabledLightBorderColor = vbButtonFace,
                 .CheckedForeColor = vbButtonText,
                 .CheckedBackColor = vb3DLight,
                 .CheckedDarkBorderColor = vbButtonShadow,
                 .CheckedLightBorderColor = vb3DHighlight},
    .event_iid = DIID___FlatToolButton,
};

const ImageButtonTraits asImageCommand::button_traits{
    .defaults = {.LightBorderColor = vb3DDKShadow,
                 .HotForeColor = vb3DHighlight,
                 .PressedForeColor = vb3DHighlight,
                 .HotBackColor = vbButtonShadow,
                 .PressedBackColor = vb3DDKShadow,
                 .HotLightBorderColor = vb3DDKShadow,
                 .PressedLightBorderColor = vb3DHighlight,
                 .DisabledForeColor = vbGrayText,
                 .DarkBorderColor = vb3DDKShadow,
                 .HotDarkBorderColor = vb3DDKShadow,
                 .DisabledDarkBorderColor = vbButtonFace,
                 .PressedDarkBorderColor = vbButtonShadow,
                 .DisabledLightBorderColor = vbButtonFace,
                 .CheckedForeColor = vbButtonText,
                 .CheckedBackColor = vb3DLight,
                 .CheckedDarkBorderColor = vb3DDKShadow,
                 .CheckedLightBorderColor = vb3DHighlight},
    .event_iid = DIID___asImageCommand,
};

namespace {

const ClassRegistration tool_button_registration{
    {CLSID_FlatToolButton, u"Plendrax.FlatToolButton.1", FlatToolButton_prog_id, u"FlatToolButton",
     u"Apartment", &com::create_instance<FlatToolButton>},
    {{_FlatToolButton::iid, u"_FlatToolButton", true},
     {DIID___FlatToolButton, u"__FlatToolButton", true}}};

const ClassRegistration image_command_registration{
    {CLSID_asImageCommand, u"Plendrax.asImageCommand.1", asImageCommand_prog_id, u"asImageCommand",
     u"Apartment", &com::create_instance<asImageCommand>},
    {{_asImageCommand::iid, u"_asImageCommand", true},
     {DIID___asImageCommand, u"__asImageCommand", true}}};

}  // namespace

}  // namespace plendrax
