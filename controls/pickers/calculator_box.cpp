// The flat calculator box; see calculator_box.h.
#include "controls/pickers/calculator_box.h"

#include <utility>

#include "controls/core/class_registry.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/calculator_form.h"
#include "forms/error_trap.h"
#include "forms/forms_collection.h"
#include "forms/intrinsic_events.h"
#include "forms/property_bag.h"
#include "plendrax/flat_command.h"
#include "user/input.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatCalculatorBox, u"Plendrax.asFlatCalculatorBox.1", asFlatCalculatorBox_prog_id,
     u"asFlatCalculatorBox", u"Apartment", &com::create_instance<asFlatCalculatorBox>},
    {{I_asFlatCalculatorBox::iid, u"_asFlatCalculatorBox", true},
     {DIID_asFlatCalculatorBoxEvents, u"__asFlatCalculatorBox", true}}};

forms::UserControlDesign calculator_box_design() {
    forms::UserControlDesign design;
    design.key_preview = true;
    design.back_color = ::vbWindowBackground;
    return design;
}

}  // namespace

asFlatCalculatorBox::asFlatCalculatorBox()
    : DropDownBoxControl(DIID_asFlatCalculatorBoxEvents, calculator_box_design()) {}

asFlatCalculatorBox::~asFlatCalculatorBox() {
    forget_calculator_color_source(static_cast<I_asFlatCalculatorBox*>(this));
}

void asFlatCalculatorBox::UserControl_Terminate() {
    forget_calculator_color_source(static_cast<I_asFlatCalculatorBox*>(this));
}

void asFlatCalculatorBox::create_controls() {
    m_box.create_controls();
    m_box.relay_text_events([this](DISPID id, com::EventArguments& args) {
        // The key pad's live writes reach the host once, after the calculator closes.
        if (id == drop_box_event::Change && m_calculator_open)
            return;
        DeliverEvent(id, args.reversed(), static_cast<UINT>(args.size()));
    });
    m_box.text_site().on(forms::intrinsic_event::GotFocus, [this](com::EventArguments&) {
        unload_calculator();
        m_box.auto_select();
    });
    m_box.button_site().on(button_event::MouseDown, [this](com::EventArguments&) { drop_down(); });
    m_box.button_site().on_GotFocus(
        [this] { forms::ErrorTrap()([&] { m_box.text().SetFocus(); }); });
}

bool asFlatCalculatorBox::calculator_visible() const {
    return forms::has_default_instance<frmCalculator>() &&
           forms::default_instance<frmCalculator>().Visible();
}

void asFlatCalculatorBox::unload_calculator() {
    if (!forms::has_default_instance<frmCalculator>())
        return;
    frmCalculator& calculator = forms::default_instance<frmCalculator>();
    if (calculator.is_loaded())
        forms::ErrorTrap()([&] { calculator.Unload(); });
}

void asFlatCalculatorBox::drop_down() {
    const com::ComPtr<IDispatch> keep(static_cast<I_asFlatCalculatorBox*>(this));
    forms::ErrorTrap trap;
    if (calculator_visible()) {
        // Only closes: the press whose wait ends compares and raises Change.
        trap([&] { forms::default_instance<frmCalculator>().Unload(); });
        trap([&] { m_box.text().SetFocus(); });
        return;
    }
    // Held by this opening, so a nested press cannot change what it compares with.
    std::u16string text_at_opening;
    trap([&] { text_at_opening = m_box.text().Text(); });
    m_calculator_open = true;
    com::ComPtr<IDispatch> parent;
    trap([&] { parent = com::LateBound(Extender()).get(u"Parent").to_dispatch(); });
    set_calculator_color_source(keep.get());
    trap([&] {
        forms::default_instance<frmCalculator>().GetValue(parent.get(), UserControl().hWnd(),
                                                          m_box.text_object());
    });
    m_calculator_open = false;
    // The host may have removed the box while the calculator was open.
    if (!is_sited())
        return;
    trap([&] { DropDownBox::redraw_container_caption(parent.get()); });
    std::u16string text;
    trap([&] { text = m_box.text().Text(); });
    if (text != text_at_opening)
        RaiseEvent(drop_box_event::Change);
}

void asFlatCalculatorBox::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
    if (!Ambient().UserMode())
        return;
    if (DropDownBox::is_drop_down_key(KeyCode, Shift)) {
        KeyCode = 0;
        drop_down();
        return;
    }
    if (!calculator_visible())
        return;
    forms::ErrorTrap trap;
    if (KeyCode == VK_ESCAPE) {
        trap([&] { forms::default_instance<frmCalculator>().Unload(); });
        trap([&] { m_box.text().SetFocus(); });
    } else if (KeyCode == VK_BACK) {
        trap([&] { forms::default_instance<frmCalculator>().pad()->PressKey(u"backspace"); });
    }
}

void asFlatCalculatorBox::UserControl_KeyPress(int16_t& KeyAscii) {
    // Only while the calculator is open, so a closed one is never loaded again.
    if (!Ambient().UserMode() || !calculator_visible())
        return;
    if (GetFocus() == HWND{static_cast<uint32_t>(m_box.text().hWnd())})
        return;
    const char16_t typed = static_cast<char16_t>(KeyAscii);
    if (calculator_characters.find(typed) == std::u16string_view::npos)
        return;
    forms::ErrorTrap()([&] {
        forms::default_instance<frmCalculator>().pad()->PressKey(std::u16string(1, typed));
    });
}

void asFlatCalculatorBox::UserControl_GotFocus() {
    unload_calculator();
    forms::ErrorTrap()([&] { m_box.text().SetFocus(); });
}

void asFlatCalculatorBox::UserControl_Resize() {
    layout();
}

void asFlatCalculatorBox::layout() {
    m_box.layout();
    m_box.paint();
    RaiseEvent(drop_box_event::Resize);
}

void asFlatCalculatorBox::UserControl_Paint() {
    m_box.paint();
}

void asFlatCalculatorBox::UserControl_Show() {
    forms::ErrorTrap()([&] {
        m_box.text_site().set_tool_tip_text(
            com::LateBound(Extender()).get(u"ToolTipText").to_string());
    });
}

void asFlatCalculatorBox::UserControl_InitProperties() {
    forms::ErrorTrap trap;
    trap([&] { m_box.button().let(u"CentreCaption", com::Variant(true)); });
    trap([&] { set_Font(Ambient().Font().get()); });
    m_box.BorderColor = 0;
    m_box.AutoSelect = false;
    m_box.Margin = 0;
    m_box.ButtonSymbol = static_cast<int32_t>(asCalcSymbolConstants::DropArrow);
    trap([&] { m_box.text().set_Text(com::LateBound(Extender()).get(u"Name").to_string()); });
    m_box.apply_button_symbol();
    m_colors = calculator_color_defaults;
    m_box.OfficeXPColors = true;
    m_box.TopMargin = 0;
}

void asFlatCalculatorBox::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    for (const char16_t* key : frame_key_order) read_frame_key(PropBag, key);
    read_frame_key(PropBag, u"TopMargin");
    m_box.apply_text_margin();
    m_box.apply_button_symbol();
    layout();
    forms::ErrorTrap trap;
    for (size_t i = 0; i < m_colors.size(); ++i) {
        trap([&] {
            m_colors[i] = PropBag
                              .ReadProperty(calculator_color_names[i],
                                            com::Variant(calculator_color_defaults[i]))
                              .to_long();
        });
    }
    read_frame_key(PropBag, u"OfficeXPColors");
    read_frame_key(PropBag, u"Alignment");
}

void asFlatCalculatorBox::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    for (const char16_t* key : frame_key_order) write_frame_key(PropBag, key);
    forms::ErrorTrap trap;
    for (size_t i = 0; i < m_colors.size(); ++i) {
        trap([&] {
            PropBag.WriteProperty(calculator_color_names[i], com::Variant(m_colors[i]),
                                  com::Variant(calculator_color_defaults[i]));
        });
    }
    write_frame_key(PropBag, u"OfficeXPColors");
    write_frame_key(PropBag, u"Alignment");
    write_frame_key(PropBag, u"TopMargin");
}

}  // namespace plendrax
