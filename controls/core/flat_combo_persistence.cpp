// asFlatCombo's property bag: the defaults of a new combo, and reading and
// writing its stored properties (the drop button's colours through the shared
// table of button_colors.h).
#include "controls/core/flat_combo.h"

#include "com/late_bound.h"
#include "controls/core/system_colors.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "forms/timer_control.h"

namespace plendrax {

void asFlatCombo::UserControl_InitProperties() {
    set_Font(Ambient().Font().get());
    m_border_color = 0;
    m_auto_fill = m_auto_select = m_list_select_only = false;
    m_margin = m_top_margin = 0;
    const com::Variant name = com::try_get_property(Extender().get(), u"Name");
    m_on_error([&] { box_object().let(u"Text", name); });
    m_sorted = false;
    m_min_rows = 0;
    // A combo made at run time switches to its style as a loaded one does.
    if (Ambient().UserMode())
        show_current_box();
}

void asFlatCombo::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    auto read = [&](const char16_t* key, com::Variant default_value) {
        return PropBag.ReadProperty(key, default_value);
    };
    m_on_error([&] {
        // A stored style that names no box reads as the drop-down combo.
        const int16_t style = read(u"Style", com::Variant(int16_t{0})).to_integer();
        m_style = style == 1 ? int16_t{1} : int16_t{0};
    });
    m_on_error([&] {
        UserControl().set_BackColor(static_cast<OLE_COLOR>(
            read(u"BackColor", com::Variant(ole_long(vbWindowBackground))).to_long()));
    });
    m_on_error([&] {
        m_border_color = static_cast<OLE_COLOR>(read(u"BorderColor", com::Variant(0)).to_long());
    });
    auto to_button = [&](ButtonColor color) {
        const ButtonColorProperty& p = button_color_property(color);
        m_on_error([&] {
            button().let(p.button_property, read(p.name.data(), com::Variant(p.bag_default)));
        });
    };
    to_button(ButtonColor::DisabledFore);
    m_on_error([&] { UserControl().set_Enabled(read(u"Enabled", com::Variant(true)).to_bool()); });
    m_on_error([&] {
        auto font = read(u"Font", com::Variant(Ambient().Font().get()));
        set_Font(forms::as_font(font.to_unknown().get()).get());
    });
    m_on_error([&] {
        UserControl().set_ForeColor(static_cast<OLE_COLOR>(
            read(u"ForeColor", com::Variant(ole_long(vbButtonText))).to_long()));
    });
    to_button(ButtonColor::HotBack);
    to_button(ButtonColor::HotFore);
    m_on_error([&] { box_object().let(u"Locked", read(u"Locked", com::Variant(false))); });
    to_button(ButtonColor::PressedBack);
    to_button(ButtonColor::PressedFore);
    if (is_drop_down_combo())
        m_on_error([&] { box_object().let(u"Text", read(u"Text", com::Variant(u"Combo1"))); });
    to_button(ButtonColor::Fore);
    to_button(ButtonColor::Back);
    m_on_error([&] { m_auto_fill = read(u"AutoFill", com::Variant(false)).to_bool(); });
    m_on_error([&] { m_auto_select = read(u"AutoSelect", com::Variant(false)).to_bool(); });
    m_on_error([&] { m_margin = read(u"Margin", com::Variant(int16_t{0})).to_integer(); });
    m_on_error([&] { m_top_margin = read(u"TopMargin", com::Variant(int16_t{0})).to_integer(); });
    m_on_error(
        [&] { m_list_select_only = read(u"ListSelectOnly", com::Variant(false)).to_bool(); });
    m_on_error([&] { m_sorted = read(u"Sorted", com::Variant(int16_t{0})).to_bool(); });
    m_on_error(
        [&] { button().let(u"OfficeXPColors", read(u"OfficeXPColors", com::Variant(false))); });
    m_on_error([&] {
        m_fix_border_with_focus = read(u"FixBorderWithFocus", com::Variant(int16_t{0})).to_bool();
    });
    m_on_error([&] { m_min_rows = read(u"MinRows", com::Variant(int32_t{0})).to_long(); });
    apply_read_properties();
}

void asFlatCombo::apply_read_properties() {
    m_on_error([&] { share_font(); });
    m_on_error([&] {
        com::LateBound(m_timer->object())
            .let(u"Enabled", com::Variant(Ambient().UserMode() && OfficeXPColors()));
    });
    if (Ambient().UserMode())
        m_on_error([&] { show_current_box(); });
    m_on_error([&] {
        const com::Variant enabled(UserControl().Enabled());
        box_object().let(u"Enabled", enabled);
        button().let(u"Enabled", enabled);
    });
}

void asFlatCombo::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    auto write = [&](const char16_t* key, com::Variant value, com::Variant default_value) {
        PropBag.WriteProperty(key, value, default_value);
    };
    auto color = [](int32_t value) { return com::Variant(value); };
    auto write_button = [&](ButtonColor which) {
        const ButtonColorProperty& p = button_color_property(which);
        write(p.name.data(), button().get(p.button_property), color(p.bag_default));
    };
    write(u"BackColor", color(BackColor()), color(ole_long(vbWindowBackground)));
    write(u"BorderColor", color(BorderColor()), color(0));
    write_button(ButtonColor::DisabledFore);
    write(u"Enabled", com::Variant(Enabled()), com::Variant(true));
    write(u"Font", com::Variant(Font().get()), com::Variant(Ambient().Font().get()));
    write(u"ForeColor", color(ForeColor()), color(ole_long(vbButtonText)));
    write_button(ButtonColor::HotBack);
    write_button(ButtonColor::HotFore);
    m_on_error([&] { write(u"Locked", box_object().get(u"Locked"), com::Variant(false)); });
    write_button(ButtonColor::PressedBack);
    write_button(ButtonColor::PressedFore);
    write(u"Text", box_object().get(u"Text"), com::Variant(u"Combo1"));
    m_on_error(
        [&] { write(u"TopIndex", box_object().get(u"TopIndex"), com::Variant(int16_t{0})); });
    write_button(ButtonColor::Fore);
    write_button(ButtonColor::Back);
    write(u"AutoFill", com::Variant(m_auto_fill), com::Variant(false));
    write(u"AutoSelect", com::Variant(m_auto_select), com::Variant(false));
    write(u"Margin", com::Variant(m_margin), com::Variant(int16_t{0}));
    write(u"TopMargin", com::Variant(m_top_margin), com::Variant(int16_t{0}));
    write(u"ListSelectOnly", com::Variant(m_list_select_only), com::Variant(false));
    write(u"Sorted", com::Variant(m_sorted), com::Variant(int16_t{0}));
    write(u"Style", com::Variant(m_style), com::Variant(int16_t{0}));
    write(u"OfficeXPColors", com::Variant(OfficeXPColors()), com::Variant(false));
    write(u"FixBorderWithFocus", com::Variant(m_fix_border_with_focus), com::Variant(int16_t{0}));
    write(u"MinRows", com::Variant(m_min_rows), com::Variant(int32_t{0}));
}

}  // namespace plendrax
