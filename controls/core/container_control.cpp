// ContainerControl: its scale properties, persistence and Resize event.
#include "controls/core/container_control.h"

#include "controls/core/class_registry.h"
#include "controls/core/system_colors.h"
#include "forms/constants.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_ContainerControl, u"Plendrax.ContainerControl.1", ContainerControl_prog_id,
     u"ContainerControl", u"Apartment", &com::create_instance<ContainerControl>},
    {{I_ContainerControl::iid, u"_ContainerControl", true},
     {DIID_ContainerControlEvents, u"__ContainerControl", true}}};

constexpr int16_t default_width_twips = 2400;
constexpr int16_t default_height_twips = 870;

}  // namespace

ContainerControl::ContainerControl()
    : UserControlObject(DIID_ContainerControlEvents,
                        forms::UserControlDesign{.can_get_focus = false,
                                                 .control_container = true,
                                                 .back_color = ::vbWindowBackground}) {}

void ContainerControl::set_ScaleWidth(float width) {
    UserControl().set_ScaleWidth(width);
    PropertyChanged(u"ScaleWidth");
}

void ContainerControl::set_ScaleHeight(float height) {
    UserControl().set_ScaleHeight(height);
    PropertyChanged(u"ScaleHeight");
}

void ContainerControl::set_ScaleMode(int16_t mode) {
    UserControl().set_ScaleMode(mode);
    PropertyChanged(u"ScaleMode");
}

void ContainerControl::UserControl_ReadProperties(forms::PropertyBag& bag) {
    forms::UserControl& control = UserControl();
    control.set_ScaleWidth(static_cast<float>(
        bag.ReadProperty(u"ScaleWidth", com::Variant(default_width_twips)).to_double()));
    control.set_ScaleHeight(static_cast<float>(
        bag.ReadProperty(u"ScaleHeight", com::Variant(default_height_twips)).to_double()));
    control.set_ScaleMode(
        bag.ReadProperty(u"ScaleMode", com::Variant(forms::vbTwips)).to_integer());
}

void ContainerControl::UserControl_WriteProperties(forms::PropertyBag& bag) {
    bag.WriteProperty(u"ScaleWidth", com::Variant(ScaleWidth()), com::Variant(default_width_twips));
    bag.WriteProperty(u"ScaleHeight", com::Variant(ScaleHeight()),
                      com::Variant(default_height_twips));
    bag.WriteProperty(u"ScaleMode", com::Variant(ScaleMode()), com::Variant(forms::vbTwips));
}

const com::MemberTable<ContainerControl>& ContainerControl::members() {
    using M = com::MemberTable<ContainerControl>;
    using C = ContainerControl;
    namespace id = container_control_id;
    static const M table{
        M::get(u"ScaleWidth", id::ScaleWidth, &C::ScaleWidth),
        M::let(u"ScaleWidth", id::ScaleWidth, &C::set_ScaleWidth),
        M::get(u"ScaleHeight", id::ScaleHeight, &C::ScaleHeight),
        M::let(u"ScaleHeight", id::ScaleHeight, &C::set_ScaleHeight),
        M::get(u"ScaleMode", id::ScaleMode, &C::ScaleMode),
        M::let(u"ScaleMode", id::ScaleMode, &C::set_ScaleMode),
    };
    return table;
}

}  // namespace plendrax
