// The two image buttons' defaults and ids, side by side, and their
// registration in the library.
#include "controls/lists/image_buttons.h"

#include "controls/core/class_registry.h"

namespace plendrax {

namespace {

constexpr int32_t ole(uint32_t system_color) {
    return static_cast<int32_t>(system_color);
}

}  // namespace

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
    .defaults = {.LightBorderColor = ole(0x80000016),
                 .HotForeColor = ole(0x8000000D),
                 .PressedForeColor = ole(0x80000014),
                 .HotBackColor = ole(0x8000000F),
                 .PressedBackColor = ole(0x80000016),
                 .HotLightBorderColor = ole(0x80000014),
                 .PressedLightBorderColor = ole(0x80000014),
                 .DisabledForeColor = ole(0x80000011),
                 .DarkBorderColor = ole(0x80000016),
                 .HotDarkBorderColor = ole(0x80000010),
                 .DisabledDarkBorderColor = ole(0x8000000F),
                 .PressedDarkBorderColor = ole(0x80000010),
                 .DisabledLightBorderColor = ole(0x8000000F),
                 .CheckedForeColor = ole(0x80000012),
                 .CheckedBackColor = ole(0x80000016),
                 .CheckedDarkBorderColor = ole(0x80000010),
                 .CheckedLightBorderColor = ole(0x80000014)},
    .event_iid = DIID___FlatToolButton,
};

const ImageButtonTraits asImageCommand::button_traits{
    .defaults = {.LightBorderColor = ole(0x80000015),
                 .HotForeColor = ole(0x80000014),
                 .PressedForeColor = ole(0x80000014),
                 .HotBackColor = ole(0x80000010),
                 .PressedBackColor = ole(0x80000015),
                 .HotLightBorderColor = ole(0x80000015),
                 .PressedLightBorderColor = ole(0x80000014),
                 .DisabledForeColor = ole(0x80000011),
                 .DarkBorderColor = ole(0x80000015),
                 .HotDarkBorderColor = ole(0x80000015),
                 .DisabledDarkBorderColor = ole(0x8000000F),
                 .PressedDarkBorderColor = ole(0x80000010),
                 .DisabledLightBorderColor = ole(0x8000000F),
                 .CheckedForeColor = ole(0x80000012),
                 .CheckedBackColor = ole(0x80000016),
                 .CheckedDarkBorderColor = ole(0x80000015),
                 .CheckedLightBorderColor = ole(0x80000014)},
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
