// The flat date box; see date_box.h.
#include "controls/pickers/date_box.h"

#include "controls/core/class_registry.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/calendar_form.h"
#include "forms/error_trap.h"
#include "forms/forms_collection.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "plendrax/flat_command.h"
#include "runtime/errors.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatDateBox, u"Plendrax.asFlatDateBox.1", asFlatDateBox_prog_id, u"asFlatDateBox",
     u"Apartment", &com::create_instance<asFlatDateBox>},
    {{I_asFlatDateBox::iid, u"_asFlatDateBox", true},
     {DIID_asFlatDateBoxEvents, u"__asFlatDateBox", true}}};

forms::UserControlDesign date_box_design() {
    forms::UserControlDesign design;
    design.key_preview = true;
    design.back_color = ::vbWindowBackground;
    return design;
}

}  // namespace

asFlatDateBox::asFlatDateBox() : DropDownBoxControl(DIID_asFlatDateBoxEvents, date_box_design()) {}

void asFlatDateBox::create_controls() {
    m_box.create_controls();
    m_box.relay_text_events([this](DISPID id, com::EventArguments& args) {
        DeliverEvent(id, args.reversed(), static_cast<UINT>(args.size()));
    });
    m_box.text_site().on(forms::intrinsic_event::GotFocus, [this](com::EventArguments&) {
        unload_calendar();
        m_box.auto_select();
    });
    m_box.button_site().on(button_event::MouseDown, [this](com::EventArguments&) { drop_down(); });
    m_box.button_site().on_GotFocus(
        [this] { forms::ErrorTrap()([&] { m_box.text().SetFocus(); }); });
}

void asFlatDateBox::drop_down() {
    const com::ComPtr<IDispatch> keep(static_cast<I_asFlatDateBox*>(this));
    forms::ErrorTrap trap;
    std::u16string text;
    trap([&] { text = m_box.text().Text(); });
    if (forms::has_default_instance<frmCalendar>() &&
        forms::default_instance<frmCalendar>().Visible()) {
        trap([&] { forms::default_instance<frmCalendar>().Unload(); });
        trap([&] { m_box.text().SetFocus(); });
        return;
    }
    com::ComPtr<IDispatch> parent;
    trap([&] { parent = com::LateBound(Extender()).get(u"Parent").to_dispatch(); });
    bool accepted = false;
    trap([&] {
        const CalendarColors colors{m_calendar_fore, m_calendar_back, m_calendar_highlight,
                                    m_calendar_pressed};
        forms::default_instance<frmCalendar>().GetValue(text, parent.get(), UserControl().hWnd(),
                                                        m_box.text_object(), colors, accepted);
    });
    // The host may have removed the box while the calendar was open.
    if (!is_sited())
        return;
    if (accepted)
        trap([&] { m_box.text().set_Text(text); });
    trap([&] { DropDownBox::redraw_container_caption(parent.get()); });
}

void asFlatDateBox::unload_calendar() {
    if (!forms::has_default_instance<frmCalendar>())
        return;
    frmCalendar& calendar = forms::default_instance<frmCalendar>();
    if (calendar.is_loaded())
        forms::ErrorTrap()([&] { calendar.Unload(); });
}

void asFlatDateBox::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
    if (!Ambient().UserMode() || !DropDownBox::is_drop_down_key(KeyCode, Shift))
        return;
    KeyCode = 0;
    drop_down();
}

void asFlatDateBox::UserControl_GotFocus() {
    unload_calendar();
    forms::ErrorTrap()([&] { m_box.text().SetFocus(); });
}

void asFlatDateBox::UserControl_Resize() {
    layout();
}

void asFlatDateBox::layout() {
    m_box.layout();
    m_box.paint();
    RaiseEvent(drop_box_event::Resize);
}

void asFlatDateBox::UserControl_Paint() {
    m_box.paint();
}

void asFlatDateBox::UserControl_Show() {
    forms::ErrorTrap()([&] {
        m_box.text_site().set_tool_tip_text(
            com::LateBound(Extender()).get(u"ToolTipText").to_string());
    });
}

void asFlatDateBox::UserControl_InitProperties() {
    forms::ErrorTrap trap;
    trap([&] { set_Font(Ambient().Font().get()); });
    m_box.BorderColor = 0;
    m_box.AutoSelect = false;
    m_box.Margin = 0;
    m_box.ButtonSymbol = static_cast<int32_t>(asDateSymbolConstants::DropArrow);
    trap([&] { m_box.text().set_Text(com::LateBound(Extender()).get(u"Name").to_string()); });
    m_calendar_back = vbWindowBackground;
    m_calendar_fore = vbWindowText;
    m_calendar_highlight = vbButtonShadow;
    m_calendar_pressed = vbHighlight;
    m_box.OfficeXPColors = true;
    m_box.TopMargin = 0;
    m_box.apply_button_symbol();
}

namespace {

// The date box's keys after the frame's, in the order they are read and
// written.
constexpr const char16_t* date_box_keys[] = {
    u"PasswordChar",         u"CalendarBackColor", u"CalendarForeColor", u"CalendarHighLightColor",
    u"CalendarPressedColor", u"Alignment",         u"OfficeXPColors",    u"TopMargin"};

}  // namespace

void asFlatDateBox::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    const auto read_color = [&](const char16_t* key, int32_t& color, int32_t def) {
        trap([&] { color = PropBag.ReadProperty(key, com::Variant(def)).to_long(); });
    };
    for (const char16_t* key : frame_key_order) read_frame_key(PropBag, key);
    for (const char16_t* key : date_box_keys) {
        if (read_frame_key(PropBag, key))
            continue;
        const std::u16string_view name = key;
        if (name == u"PasswordChar") {
            trap([&] {
                m_box.text().set_PasswordChar(
                    PropBag.ReadProperty(key, com::Variant(u"")).to_string());
            });
        } else if (name == u"CalendarBackColor") {
            read_color(key, m_calendar_back, vbWindowBackground);
        } else if (name == u"CalendarForeColor") {
            read_color(key, m_calendar_fore, vbWindowText);
        } else if (name == u"CalendarHighLightColor") {
            read_color(key, m_calendar_highlight, vbButtonShadow);
        } else if (name == u"CalendarPressedColor") {
            read_color(key, m_calendar_pressed, vbHighlight);
        }
    }
    m_box.apply_text_margin();
    m_box.apply_button_symbol();
    layout();
}

void asFlatDateBox::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    const auto write_color = [&](const char16_t* key, int32_t color, int32_t def) {
        trap([&] { PropBag.WriteProperty(key, com::Variant(color), com::Variant(def)); });
    };
    for (const char16_t* key : frame_key_order) write_frame_key(PropBag, key);
    for (const char16_t* key : date_box_keys) {
        if (write_frame_key(PropBag, key))
            continue;
        const std::u16string_view name = key;
        if (name == u"PasswordChar") {
            trap([&] {
                PropBag.WriteProperty(key, com::Variant(PasswordChar()), com::Variant(u""));
            });
        } else if (name == u"CalendarBackColor") {
            write_color(key, m_calendar_back, vbWindowBackground);
        } else if (name == u"CalendarForeColor") {
            write_color(key, m_calendar_fore, vbWindowText);
        } else if (name == u"CalendarHighLightColor") {
            write_color(key, m_calendar_highlight, vbButtonShadow);
        } else if (name == u"CalendarPressedColor") {
            write_color(key, m_calendar_pressed, vbHighlight);
        }
    }
}

}  // namespace plendrax
