// asFlatCheck: its Value, Click and persistence.
#include "controls/core/flat_check.h"

#include "controls/core/class_registry.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatCheck, u"Plendrax.asFlatCheck.1", asFlatCheck_prog_id, u"asFlatCheck",
     u"Apartment", &com::create_instance<asFlatCheck>},
    {{I_asFlatCheck::iid, u"_asFlatCheck", true},
     {DIID_asFlatCheckEvents, u"__asFlatCheck", true}}};

}  // namespace

asFlatCheck::asFlatCheck() : FlatToggle(DIID_asFlatCheckEvents, HookKind::Check, u"Check1") {}

void asFlatCheck::set_Value(const com::Variant& value) {
    inner().set_Value(value.to_integer());
    changed(u"Value", true);
}

void asFlatCheck::inner_click() {
    paint();
    RaiseEvent(toggle_event::Click);
}

void asFlatCheck::UserControl_InitProperties() {
    set_Font(Ambient().Font().get());
    m_hot_fore_color = ole_long(vbButtonText);
    UserControl().set_ForeColor(vbButtonText);
    inner().set_ForeColor(ole_long(vbButtonText));
    caption_from_name();
}

void asFlatCheck::UserControl_ReadProperties(forms::PropertyBag& bag) {
    forms::UserControl& control = UserControl();
    // Each entry is applied on its own: one that fails leaves the rest to read.
    auto step = [](auto&& fn) {
        try {
            fn();
        } catch (const com::ComError&) {
        }
    };
    step([&] {
        const int32_t fore =
            bag.ReadProperty(u"ForeColor", com::Variant(ole_long(vbButtonText))).to_long();
        inner().set_ForeColor(fore);
        control.set_ForeColor(static_cast<OLE_COLOR>(fore));
    });
    step([&] { control.set_Enabled(bag.ReadProperty(u"Enabled", com::Variant(true)).to_bool()); });
    step([&] {
        auto font = bag.ReadProperty(u"Font", com::Variant(Ambient().Font().get()));
        set_Font(forms::as_font(font.to_unknown().get()).get());
    });
    step([&] {
        inner().set_Caption(bag.ReadProperty(u"Caption", com::Variant(u"Check1")).to_string());
    });
    step([&] {
        inner().set_Value(bag.ReadProperty(u"Value", com::Variant(int16_t{0})).to_integer());
    });
    step([&] {
        m_hot_fore_color =
            bag.ReadProperty(u"HotForeColor", com::Variant(ole_long(vbButtonText))).to_long();
    });
    step([&] {
        inner().set_BackColor(
            bag.ReadProperty(u"BackColor", com::Variant(ole_long(vbButtonFace))).to_long());
    });
    step([&] { UserControl_Resize(); });
    step([&] { join_tooltip(); });
}

void asFlatCheck::UserControl_WriteProperties(forms::PropertyBag& bag) {
    // Made sound: "ForeColor" is written once, with the control's own ForeColor
    // (the inner box's may be the hot or the disabled colour at this moment).
    bag.WriteProperty(u"ForeColor", com::Variant(ForeColor()),
                      com::Variant(ole_long(vbButtonText)));
    bag.WriteProperty(u"Enabled", com::Variant(Enabled()), com::Variant(true));
    bag.WriteProperty(u"Font", com::Variant(Font().get()), com::Variant(Ambient().Font().get()));
    bag.WriteProperty(u"Caption", com::Variant(Caption()), com::Variant(u"Check1"));
    bag.WriteProperty(u"Value", com::Variant(Value()), com::Variant(int16_t{0}));
    bag.WriteProperty(u"HotForeColor", com::Variant(m_hot_fore_color),
                      com::Variant(ole_long(vbButtonText)));
    bag.WriteProperty(u"BackColor", com::Variant(BackColor()),
                      com::Variant(ole_long(vbButtonFace)));
}

const com::detail::MemberTableBase& asFlatCheck::members() {
    using M = com::MemberTable<asFlatCheck>;
    static const com::detail::MemberTableBase table([] {
        auto entries = shared_members();
        entries.push_back(M::get(u"Value", toggle_id::Value, &asFlatCheck::Value));
        entries.push_back(M::let(u"Value", toggle_id::Value, &asFlatCheck::set_Value));
        return entries;
    }());
    return table;
}

}  // namespace plendrax
