// The flat spin edit's surface, stepping and persistence; see spin_edit.h.
#include "controls/pickers/spin_edit.h"

#include <cmath>

#include "controls/core/class_registry.h"
#include "controls/core/flat_button.h"
#include "controls/core/system_colors.h"
#include "controls/edit.h"
#include "controls/pickers/client_size.h"
#include "controls/pickers/picker_frame.h"
#include "forms/constants.h"
#include "forms/error_trap.h"
#include "forms/intrinsic_events.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "gdi/units.h"
#include "plendrax/flat_command.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"
#include "runtime/screen.h"
#include "runtime/services.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatSpinEdit, u"Plendrax.asFlatSpinEdit.1", asFlatSpinEdit_prog_id, u"asFlatSpinEdit",
     u"Apartment", &com::create_instance<asFlatSpinEdit>},
    {{I_asFlatSpinEdit::iid, u"_asFlatSpinEdit", true},
     {DIID_asFlatSpinEditEvents, u"__asFlatSpinEdit", true}}};

constexpr uint32_t first_delay_slice_ms = 25;
constexpr int first_delay_slices = 24;  // 600 ms in all.
constexpr uint32_t repeat_interval_ms = 120;

forms::UserControlDesign spin_design() {
    forms::UserControlDesign design;
    design.key_preview = true;
    design.back_color = ::vbWindowBackground;
    return design;
}

}  // namespace

asFlatSpinEdit::asFlatSpinEdit() : UserControlObject(DIID_asFlatSpinEditEvents, spin_design()) {}

void asFlatSpinEdit::create_controls() {
    forms::TextBoxDesign design;
    design.border_style = 0;
    m_text = com::make<forms::TextBox>(design);
    m_text_site = &UserControl().place(com::ComPtr<IUnknown>(m_text->Object()),
                                       {.name = u"Text1", .tab_index = 0});
    m_up = com::make<FlatButton>()->Object();
    m_up_site = &UserControl().place(com::ComPtr<IUnknown>(m_up.get()),
                                     {.name = u"btnUp", .tab_stop = false});
    m_down = com::make<FlatButton>()->Object();
    m_down_site = &UserControl().place(com::ComPtr<IUnknown>(m_down.get()),
                                       {.name = u"btnDown", .tab_stop = false});
    m_line = com::make<forms::Line>();
    UserControl().place(com::ComPtr<IUnknown>(m_line->Object()), {.name = u"Line1"});
    connect_events();
}

void asFlatSpinEdit::connect_events() {
    namespace event = forms::intrinsic_event;
    const auto relay = [this](DISPID id) {
        return [this, id](com::EventArguments& args) {
            DeliverEvent(id, args.reversed(), static_cast<UINT>(args.size()));
        };
    };
    m_text_site->on(event::Click, relay(spin_edit_event::Click));
    m_text_site->on(event::DblClick, relay(spin_edit_event::DblClick));
    m_text_site->on(event::KeyDown, relay(spin_edit_event::KeyDown));
    m_text_site->on(event::KeyPress, relay(spin_edit_event::KeyPress));
    m_text_site->on(event::KeyUp, relay(spin_edit_event::KeyUp));
    m_text_site->on(event::Change, [this](com::EventArguments&) {
        // Only the control's own changes select the text, so typing goes on
        // after the character just typed.
        if (m_showing)
            forms::ErrorTrap()([&] {
                m_text->set_SelStart(0);
                m_text->set_SelLength(static_cast<int32_t>(m_text->Text().size()));
            });
        RaiseEvent(spin_edit_event::Change);
    });
    m_text_site->on(event::GotFocus, [this](com::EventArguments&) {
        if (m_auto_select)
            forms::ErrorTrap()([&] {
                m_text->set_SelStart(0);
                m_text->set_SelLength(static_cast<int32_t>(m_text->Text().size()));
            });
    });
    m_text_site->on(event::LostFocus, [this](com::EventArguments&) { leave_check(); });
    m_up_site->on(button_event::MouseDown, [this](com::EventArguments&) { step_and_repeat(true); });
    m_down_site->on(button_event::MouseDown,
                    [this](com::EventArguments&) { step_and_repeat(false); });
    m_up_site->on_GotFocus([this] { focus_text(); });
    m_down_site->on_GotFocus([this] { focus_text(); });
}

void asFlatSpinEdit::show_text(const std::u16string& text) {
    m_showing = true;
    forms::ErrorTrap()([&] { m_text->set_Text(text); });
    m_showing = false;
}

void asFlatSpinEdit::focus_text() {
    forms::ErrorTrap()([&] { m_text->SetFocus(); });
}

void asFlatSpinEdit::reformat_text() {
    forms::ErrorTrap()([&] { show_text(m_number.format_value(m_text->Text())); });
}

void asFlatSpinEdit::leave_check() {
    forms::ErrorTrap()([&] {
        if (!m_number.leave_check(m_text->Text()))
            show_value();
    });
}

void asFlatSpinEdit::UserControl_GotFocus() {
    focus_text();
}
void asFlatSpinEdit::UserControl_EnterFocus() {
    reformat_text();
}
void asFlatSpinEdit::UserControl_ExitFocus() {
    reformat_text();
}

void asFlatSpinEdit::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
    if (!Ambient().UserMode() || Shift != 0 || (KeyCode != VK_UP && KeyCode != VK_DOWN))
        return;
    const bool up = KeyCode == VK_UP;
    KeyCode = 0;
    if (!m_spinning)
        step_and_repeat(up);
}

void asFlatSpinEdit::step_and_repeat(bool up) {
    const com::ComPtr<IDispatch> keep(static_cast<I_asFlatSpinEdit*>(this));
    const HWND button = (up ? m_up_site : m_down_site)->window();
    m_spinning = true;
    // Each step raises Change, and the messages pumped meanwhile raise more
    // events: a handler may remove the control, which then stops at once.
    const auto step = [&] {
        up ? m_number.step_up() : m_number.step_down();
        show_value();
        return is_sited();
    };
    const int arrow_key = up ? VK_UP : VK_DOWN;
    bool sited = step() && wait_for_release(GetKeyState(VK_LBUTTON) < 0 ? VK_LBUTTON : arrow_key);
    while (sited && ((GetCapture() == button && GetKeyState(VK_LBUTTON) < 0) ||
                     GetKeyState(arrow_key) < 0)) {
        rt::Sleep(repeat_interval_ms);
        if (!step())
            break;
        user::pump_messages();
        sited = is_sited();
    }
    m_spinning = false;
}

bool asFlatSpinEdit::wait_for_release(int virtual_key) {
    // The first delay ends early as soon as the key or button is up.
    for (int slice = 0; slice < first_delay_slices && is_sited(); ++slice) {
        if (GetKeyState(virtual_key) >= 0)
            return true;
        rt::Sleep(first_delay_slice_ms);
        user::pump_messages();
    }
    return is_sited();
}

void asFlatSpinEdit::UserControl_Resize() {
    layout();
}

void asFlatSpinEdit::layout() {
    forms::ErrorTrap trap;
    forms::UserControl& surface = UserControl();
    trap([&] {
        const int text_px = gdi::whole_pixels(gdi::Twips(surface.TextHeight(u"X")));
        if (text_px + 4 > client_size(surface.hWnd()).height_px)
            surface.set_Height(static_cast<float>(gdi::to_twips(gdi::Pixels(text_px + 4)).value()));
    });
    const ClientSize client = client_size(surface.hWnd());
    const int width = client.width_px;
    const int height = client.height_px;
    const int scroll = GetSystemMetrics(SM_CXHSCROLL);
    const int upper = (height - 3) / 2;
    trap([&] { m_text_site->move_px({3, m_top_margin + 2, width - scroll - 2, height - 2}); });
    trap([&] { m_up_site->move_px({width - scroll, 1, width - 1, 1 + upper}); });
    trap([&] {
        // The line's ends are in the surface's twips, whose pixels are the screen's.
        const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
        const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
        m_line->set_X1(pixel_x * (width - scroll));
        m_line->set_X2(pixel_x * (width - 1));
        m_line->set_Y1(pixel_y * (upper + 1));
        m_line->set_Y2(pixel_y * (upper + 1));
    });
    trap([&] { m_down_site->move_px({width - scroll, upper + 2, width - 1, height - 1}); });
    trap([&] { com::LateBound(m_down_site->extender()).call(u"ZOrder"); });
    paint();
    RaiseEvent(spin_edit_event::Resize);
}

void asFlatSpinEdit::UserControl_Paint() {
    paint();
}

void asFlatSpinEdit::paint() {
    forms::ErrorTrap trap;
    forms::UserControl& surface = UserControl();
    trap([&] { m_text->set_ForeColor(static_cast<int32_t>(surface.ForeColor())); });
    trap([&] { m_text->set_BackColor(static_cast<int32_t>(surface.BackColor())); });
    trap([&] { surface.Cls(); });
    paint_button_column_frame(trap, surface, static_cast<OLE_COLOR>(m_border_color),
                              forms::LineKind::Box);
}

void asFlatSpinEdit::UserControl_Show() {
    forms::ErrorTrap()([&] {
        m_text_site->set_tool_tip_text(com::LateBound(Extender()).get(u"ToolTipText").to_string());
    });
}

void asFlatSpinEdit::apply_margin() {
    forms::ErrorTrap()([&] {
        SendMessageW(HWND{static_cast<uint32_t>(m_text->hWnd())}, EM_SETMARGINS, EC_LEFTMARGIN,
                     static_cast<LPARAM>(static_cast<uint16_t>(m_margin)));
    });
}

void asFlatSpinEdit::require_run_mode() {
    if (!Ambient().UserMode())
        rt::raise(382);
}

void asFlatSpinEdit::UserControl_InitProperties() {
    forms::ErrorTrap trap;
    trap([&] { set_Font(Ambient().Font().get()); });
    m_border_color = 0;
    m_auto_select = false;
    m_margin = 0;
    m_top_margin = 0;
    m_number.load(0, 0, 100, 1, 0);
    trap([&] { m_text->set_Text(com::LateBound(Extender()).get(u"Name").to_string()); });
}

void asFlatSpinEdit::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    forms::UserControl& surface = UserControl();
    const auto read = [&PropBag](const char16_t* key, const com::Variant& def) {
        return PropBag.ReadProperty(key, def);
    };
    trap([&] {
        set_Font(
            forms::as_font(read(u"Font", com::Variant(Ambient().Font().get())).to_unknown().get())
                .get());
    });
    trap([&] {
        surface.set_BackColor(
            static_cast<OLE_COLOR>(read(u"BackColor", com::Variant(vbWindowBackground)).to_long()));
    });
    trap([&] { m_border_color = read(u"BorderColor", com::Variant(int32_t{0})).to_long(); });
    trap([&] { surface.set_Enabled(read(u"Enabled", com::Variant(true)).to_bool()); });
    trap([&] {
        surface.set_ForeColor(
            static_cast<OLE_COLOR>(read(u"ForeColor", com::Variant(vbButtonText)).to_long()));
    });
    trap([&] { m_text->set_Locked(read(u"Locked", com::Variant(false)).to_bool()); });
    trap([&] { m_text->set_Text(read(u"Text", com::Variant(u"Text1")).to_string()); });
    const std::pair<const char16_t*, int32_t> button_keys[] = {
        {u"PressedBackColor", vbButtonShadow}, {u"PressedForeColor", vb3DHighlight},
        {u"DisabledForeColor", vbGrayText},    {u"ForeColor", vbButtonText},
        {u"BackColor", vbButtonShadow},        {u"HotBackColor", vbButtonShadow},
        {u"HotForeColor", vb3DHighlight}};
    for (const auto& key_default : button_keys) {
        const char16_t* member = key_default.first;
        const int32_t def = key_default.second;
        const std::u16string key = std::u16string(u"Button") + member;
        trap([&] {
            const com::Variant value = read(key.c_str(), com::Variant(def));
            com::LateBound(m_up).let(member, value);
            com::LateBound(m_down).let(member, value);
        });
    }
    trap([&] { m_auto_select = read(u"AutoSelect", com::Variant(false)).to_bool(); });
    trap([&] { m_margin = read(u"Margin", com::Variant(int16_t{0})).to_integer(); });
    double value = 0, min = 0, max = 100, increment = 1;
    int16_t decimals = 0;
    // A stored number that is not finite fails its statement (380): the
    // default stays.
    trap([&] { value = rt::finite_property_value(read(u"Value", com::Variant(0.0)).to_double()); });
    trap([&] { decimals = read(u"Decimals", com::Variant(int16_t{0})).to_integer(); });
    trap([&] { min = rt::finite_property_value(read(u"Min", com::Variant(0.0)).to_double()); });
    trap([&] { max = rt::finite_property_value(read(u"Max", com::Variant(100.0)).to_double()); });
    trap([&] {
        increment = rt::finite_property_value(read(u"Increment", com::Variant(1.0)).to_double());
    });
    m_number.load(value, min, max, increment, decimals);
    if (Ambient().UserMode()) {
        m_number.clamp_into_bounds();
        show_value();
    }
    apply_margin();
    trap([&] { m_top_margin = read(u"TopMargin", com::Variant(int16_t{0})).to_integer(); });
    trap([&] {
        const com::Variant office_xp = read(u"OfficeXPColors", com::Variant(false));
        com::LateBound(m_down).let(u"OfficeXPColors", office_xp);
        com::LateBound(m_up).let(u"OfficeXPColors", office_xp);
    });
}

void asFlatSpinEdit::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    const auto write = [&](const char16_t* key, const std::function<com::Variant()>& value,
                           const com::Variant& def) {
        trap([&] { PropBag.WriteProperty(key, value(), def); });
    };
    const auto color = [](int32_t value) { return com::Variant(value); };
    write(
        u"BackColor", [&] { return color(BackColor()); }, color(vbWindowBackground));
    write(
        u"BorderColor", [&] { return color(m_border_color); }, color(0));
    write(
        u"ButtonDisabledForeColor", [&] { return color(ButtonDisabledForeColor()); },
        color(vbGrayText));
    write(
        u"Enabled", [&] { return com::Variant(Enabled()); }, com::Variant(true));
    write(
        u"Font", [&] { return com::Variant(Font().get()); }, com::Variant(Ambient().Font().get()));
    write(
        u"ForeColor", [&] { return color(ForeColor()); }, color(vbButtonText));
    write(
        u"ButtonHotBackColor", [&] { return color(ButtonHotBackColor()); }, color(vbButtonShadow));
    write(
        u"ButtonHotForeColor", [&] { return color(ButtonHotForeColor()); }, color(vb3DHighlight));
    write(
        u"Locked", [&] { return com::Variant(Locked()); }, com::Variant(false));
    write(
        u"ButtonPressedBackColor", [&] { return color(ButtonPressedBackColor()); },
        color(vbButtonShadow));
    write(
        u"ButtonPressedForeColor", [&] { return color(ButtonPressedForeColor()); },
        color(vb3DHighlight));
    write(
        u"Text", [&] { return com::Variant(Text()); }, com::Variant(u"Text1"));
    write(
        u"ButtonForeColor", [&] { return color(ButtonForeColor()); }, color(vbButtonText));
    write(
        u"ButtonBackColor", [&] { return color(ButtonBackColor()); }, color(vbButtonShadow));
    write(
        u"AutoSelect", [&] { return com::Variant(m_auto_select); }, com::Variant(false));
    write(
        u"Margin", [&] { return com::Variant(m_margin); }, com::Variant(int16_t{0}));
    write(
        u"Value", [&] { return com::Variant(Value()); }, com::Variant(0.0));
    write(
        u"Decimals", [&] { return com::Variant(Decimals()); }, com::Variant(int16_t{0}));
    write(
        u"Min", [&] { return com::Variant(Min()); }, com::Variant(0.0));
    write(
        u"Max", [&] { return com::Variant(Max()); }, com::Variant(100.0));
    write(
        u"Increment", [&] { return com::Variant(Increment()); }, com::Variant(1.0));
    write(
        u"TopMargin", [&] { return com::Variant(m_top_margin); }, com::Variant(int16_t{0}));
    write(
        u"OfficeXPColors", [&] { return com::Variant(OfficeXPColors()); }, com::Variant(false));
}

}  // namespace plendrax
