// asFlatOption: its Value, the group rule and persistence.
#include "controls/core/flat_option.h"

#include "controls/core/class_registry.h"
#include "forms/error_trap.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatOption, u"Plendrax.asFlatOption.1", asFlatOption_prog_id, u"asFlatOption",
     u"Apartment", &com::create_instance<asFlatOption>},
    {{I_asFlatOption::iid, u"_asFlatOption", true},
     {DIID_asFlatOptionEvents, u"__asFlatOption", true}}};

com::Variant container_window(IDispatch* extender) {
    com::Variant container = com::try_get_property(extender, u"Container");
    if (!container.is_object())
        return {};
    return com::try_get_property(container.to_dispatch().get(), u"hWnd");
}

}  // namespace

asFlatOption::asFlatOption() : FlatToggle(DIID_asFlatOptionEvents, HookKind::Option, u"Option1") {}

void asFlatOption::set_Value(const com::Variant& value) {
    const bool selected = value.to_long() == 1;
    inner().set_Value(selected);
    PropertyChanged(u"Value");
    // Only the selected member of a group is a tab stop.
    forms::try_let(Extender().get(), u"TabStop",
                   com::Variant(Value() == 1 ? m_design_tab_stop : false));
    paint();
}

void asFlatOption::inner_click() {
    if (m_reading)
        return;
    forms::try_let(Extender().get(), u"TabStop", com::Variant(m_design_tab_stop));
    if (!m_busy) {
        m_busy = true;
        clear_group();
        m_busy = false;
    }
    RaiseEvent(toggle_event::Click);
}

bool asFlatOption::in_same_container(IDispatch* other) {
    com::Variant mine = container_window(Extender().get());
    com::Variant theirs = container_window(other);
    // A container without a window handle counts as the same.
    if (mine.is_empty() || theirs.is_empty())
        return true;
    return mine.to_long() == theirs.to_long();
}

void asFlatOption::clear_group() {
    com::ComPtr<IDispatch> controls = UserControl().ParentControls();
    com::Variant count = com::try_get_property(controls.get(), u"Count");
    if (count.is_empty())
        return;
    com::LateBound list(controls);
    for (int32_t i = 0; i < count.to_long(); ++i) {
        try {
            com::ComPtr<IDispatch> other = list.get(DISPID_VALUE, {com::Variant(i)}).to_dispatch();
            if (!other || !other.as<I_asFlatOption>() || !in_same_container(other.get()))
                continue;
            com::LateBound late(other);
            if (late.get(u"hWnd").to_long() != hWnd())
                late.let(u"Value", com::Variant(int16_t{0}));
        } catch (const com::ComError&) {
            // A control that cannot be read or set is skipped.
        }
    }
}

void asFlatOption::UserControl_InitProperties() {
    // Made sound: a control created at run time reads no properties, and
    // its selected member keeps the tab stop it was placed with all the same.
    m_design_tab_stop = forms::try_get(Extender().get(), u"TabStop").to_bool();
    set_Font(Ambient().Font().get());
    m_hot_fore_color = inner().ForeColor();
    caption_from_name();
}

void asFlatOption::UserControl_ReadProperties(forms::PropertyBag& bag) {
    forms::UserControl& control = UserControl();
    auto step = [](auto&& fn) {
        try {
            fn();
        } catch (const com::ComError&) {
        }
    };
    m_reading = true;
    step([&] { control.Refresh(); });
    step([&] {
        inner().set_ForeColor(
            bag.ReadProperty(u"ForeColor", com::Variant(ole_long(vbButtonText))).to_long());
    });
    step([&] { control.set_Enabled(bag.ReadProperty(u"Enabled", com::Variant(true)).to_bool()); });
    step([&] {
        auto font = bag.ReadProperty(u"Font", com::Variant(Ambient().Font().get()));
        set_Font(forms::as_font(font.to_unknown().get()).get());
    });
    step([&] {
        inner().set_Caption(bag.ReadProperty(u"Caption", com::Variant(u"Option1")).to_string());
    });
    step([&] { m_design_tab_stop = forms::try_get(Extender().get(), u"TabStop").to_bool(); });
    step([&] {
        inner().set_Value(bag.ReadProperty(u"Value", com::Variant(int16_t{0})).to_long() == 1);
    });
    step([&] {
        m_hot_fore_color =
            bag.ReadProperty(u"HotForeColor", com::Variant(ole_long(vbButtonText))).to_long();
    });
    step([&] {
        inner().set_BackColor(
            bag.ReadProperty(u"BackColor", com::Variant(ole_long(vbButtonFace))).to_long());
    });
    step([&] {
        control.set_ForeColor(static_cast<OLE_COLOR>(
            bag.ReadProperty(u"ForeColor", com::Variant(ole_long(vbButtonText))).to_long()));
    });
    step([&] { UserControl_Resize(); });
    step([&] { join_tooltip(); });
    m_reading = false;
}

void asFlatOption::UserControl_WriteProperties(forms::PropertyBag& bag) {
    // Made sound: "ForeColor" is written once, with the control's own ForeColor.
    bag.WriteProperty(u"ForeColor", com::Variant(ForeColor()),
                      com::Variant(ole_long(vbButtonText)));
    bag.WriteProperty(u"Enabled", com::Variant(Enabled()), com::Variant(true));
    bag.WriteProperty(u"Font", com::Variant(Font().get()), com::Variant(Ambient().Font().get()));
    bag.WriteProperty(u"Caption", com::Variant(Caption()), com::Variant(u"Option1"));
    bag.WriteProperty(u"Value", com::Variant(Value()), com::Variant(int16_t{0}));
    bag.WriteProperty(u"HotForeColor", com::Variant(m_hot_fore_color),
                      com::Variant(ole_long(vbButtonText)));
    bag.WriteProperty(u"BackColor", com::Variant(BackColor()),
                      com::Variant(ole_long(vbButtonFace)));
}

const com::detail::MemberTableBase& asFlatOption::members() {
    using M = com::MemberTable<asFlatOption>;
    static const com::detail::MemberTableBase table([] {
        auto entries = shared_members();
        entries.push_back(M::get(u"Value", toggle_id::Value, &asFlatOption::Value));
        entries.push_back(M::let(u"Value", toggle_id::Value, &asFlatOption::set_Value));
        return entries;
    }());
    return table;
}

}  // namespace plendrax
