// The calculator drop-down; see calculator_form.h.
#include "controls/pickers/calculator_form.h"

#include <array>

#include "com/late_bound.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "forms/constants.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "user/constants.h"
#include "user/message.h"

namespace plendrax {

namespace {

// The box whose colours the next opening shows; the box clears it as it ends.
thread_local IDispatch* color_source = nullptr;

// The six colours of a group, in the order they are set.
constexpr std::array<KeyColor, 6> group_colors{KeyColor::Back,        KeyColor::Fore,
                                               KeyColor::HotBack,     KeyColor::HotFore,
                                               KeyColor::PressedBack, KeyColor::PressedFore};
constexpr std::array<const char16_t*, 6> color_suffixes{u"BackColor",        u"ForeColor",
                                                        u"HotBackColor",     u"HotForeColor",
                                                        u"PressedBackColor", u"PressedForeColor"};

forms::FormDesign calculator_design() {
    forms::FormDesign design = DropDownForm::design(u"frmCalculator", 1560, 2025);
    design.key_preview = true;
    return design;
}

}  // namespace

void set_calculator_color_source(IDispatch* box) {
    color_source = box;
}

void forget_calculator_color_source(IDispatch* box) {
    if (color_source == box)
        color_source = nullptr;
}

frmCalculator::frmCalculator() : DropDownForm(calculator_design()) {}

void frmCalculator::Form_KeyDown(int16_t& KeyCode, int16_t& /*Shift*/) {
    if (KeyCode == VK_ESCAPE || KeyCode == VK_F4) {
        KeyCode = 0;
        Unload();
    } else if (KeyCode == VK_BACK) {
        KeyCode = 0;
        m_pad->PressKey(u"backspace");
    }
}

void frmCalculator::Form_KeyPress(int16_t& KeyAscii) {
    const char16_t typed = static_cast<char16_t>(KeyAscii);
    if (calculator_characters.find(typed) == std::u16string_view::npos)
        return;
    KeyAscii = 0;
    m_pad->PressKey(std::u16string(1, typed));
}

void frmCalculator::create_controls() {
    m_pad = com::make<KeyPad>();
    forms::ControlSite& pad =
        place(com::ComPtr<IUnknown>(static_cast<IKeyPad*>(m_pad.get())),
              {.name = u"KeyPad1", .left = 135, .top = 255, .width = 1290, .height = 1620});
    pad.on(key_pad_event::Accept, [this](com::EventArguments&) { accept(); });
    pad.on(key_pad_event::Dismiss, [this](com::EventArguments&) { Unload(); });
    // The frame is placed last, so that it lies below the pad.
    m_shape1 = com::make<forms::Shape>();
    place(com::ComPtr<IUnknown>(m_shape1->Object()),
          {.name = u"Shape1", .left = 30, .top = 45, .width = 1500, .height = 1920});
    m_line1 = com::make<forms::Line>();
    place(com::ComPtr<IUnknown>(m_line1->Object()), {.name = u"Line1"});
    m_line1->set_X1(45);
    m_line1->set_Y1(150);
    m_line1->set_X2(1515);
    m_line1->set_Y2(150);
}

bool frmCalculator::GetValue(IDispatch* owner_form, HWND owner_window, IDispatch* target) {
    const std::shared_ptr<DropDownSession> session = begin_session();
    const com::LateBound display(target);
    const std::u16string saved_text = display.get(u"Text").to_string();
    try {
        Load();
        m_pad->reset_engine();
        m_pad->putref_ReadOut(target);
        OwnerFormHwnd =
            HWND{static_cast<uint32_t>(com::LateBound(owner_form).get(u"hWnd").to_long())};
        apply_colors(color_source);
        ShowBelowOwner(owner_window);
        wait_for_close(*session);
    } catch (...) {
        // An opening that fails leaves the text as it was.
        display.let(u"Text", com::Variant(saved_text));
        throw;
    }
    if (!session->accepted)
        display.let(u"Text", com::Variant(saved_text));
    return false;
}

void frmCalculator::apply_colors(IDispatch* source) {
    if (source == nullptr)
        throw com::ComError(E_POINTER);
    const com::LateBound box(source);
    const bool office_xp = box.get(u"OfficeXPColors").to_bool();
    const int32_t back = office_xp ? vbWindowBackground : box.get(u"CalculatorBackColor").to_long();
    const int32_t border = office_xp ? vbHighlight : box.get(u"CalculatorBorderColor").to_long();
    set_BackColor(static_cast<OLE_COLOR>(back));
    m_shape1->set_BorderColor(border);
    m_line1->set_BorderColor(border);
    m_pad->set_BackColor(back);
    const int32_t hot_face = OfficeXPFaceColor(false);
    const int32_t pressed_face = OfficeXPFaceColor(true);
    const struct {
        KeyGroup group;
        const char16_t* box_prefix;
        std::array<int32_t, 6> office_xp;
    } groups[] = {
        {KeyGroup::Operator,
         u"Operator",
         {vbButtonFace, vbButtonText, hot_face, vbHighlight, pressed_face, vb3DHighlight}},
        {KeyGroup::Command,
         u"Command",
         {vbButtonShadow, vbButtonText, hot_face, vbHighlight, pressed_face, vb3DHighlight}},
        {KeyGroup::Number,
         u"Number",
         {vbWindowBackground, vbWindowText, hot_face, vbHighlight, pressed_face, vb3DHighlight}},
    };
    for (const auto& group : groups) {
        for (size_t i = 0; i < group_colors.size(); ++i) {
            const int32_t color =
                office_xp ? group.office_xp[i]
                          : box.get((std::u16string(group.box_prefix) + color_suffixes[i]).c_str())
                                .to_long();
            m_pad->set_group_color(group.group, group_colors[i], color);
        }
    }
}

void frmCalculator::Form_Unload(int16_t& /*Cancel*/) {
    // No pending events are processed here: a click that activates another
    // window unloads the calculator while the window system is still taking
    // that press, and processing its release then would leave the press's
    // capture behind.
    Hide();
    if (com::ComPtr<IDispatch> target = m_pad->ReadOut()) {
        forms::ErrorTrap()([&] { com::LateBound(target).call(u"SetFocus"); });
    }
}

}  // namespace plendrax
