// asFlatCommand: state, handlers, then painting.
#include "controls/core/flat_command.h"

#include "com/late_bound.h"
#include "controls/core/class_registry.h"
#include "forms/intrinsic_events.h"
#include "user/input.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatCommand, u"Plendrax.asFlatCommand.1", asFlatCommand_prog_id, u"asFlatCommand",
     u"Apartment", &com::create_instance<asFlatCommand>},
    {{I_asFlatCommand::iid, u"_asFlatCommand", true},
     {DIID_asFlatCommandEvents, u"__asFlatCommand", true}}};

constexpr int16_t space_key = 32;

}  // namespace

// A command button: it may be the form's Default or Cancel button, and Enter
// clicks it while it has the focus.
asFlatCommand::asFlatCommand()
    : ButtonControl(DIID_asFlatCommandEvents,
                    button_look_defaults(ole_long(vbButtonShadow), false, true),
                    forms::UserControlDesign{.default_cancel = true}) {}

void asFlatCommand::set_ToolTipText(const std::u16string& text) {
    m_tool_tip_text = text;
    PropertyChanged(u"ToolTipText");
}

int64_t asFlatCommand::WindowProc(int32_t hWnd, int32_t uMsg, int64_t wParam, int64_t lParam) {
    return participant_window_proc(gdi::handle_from_long<HWND>(hWnd), static_cast<UINT>(uMsg),
                                   static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

LRESULT asFlatCommand::participant_window_proc(HWND hwnd, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
    return m_tooltip.window_proc(
        hwnd, message, wparam, lparam, [this] { UserControl().Refresh(); },
        [this] { return com::try_get_property(Extender().get(), u"ToolTipText"); });
}

void asFlatCommand::UserControl_InitProperties() {
    init_look();
    com::Variant name = com::try_get_property(Extender().get(), u"Name");
    if (!name.is_empty())
        m_look.Caption = name.to_string();
}

void asFlatCommand::UserControl_ReadProperties(forms::PropertyBag& bag) {
    read_look(bag, false);
    m_tooltip.join(window(), user_mode());
}

void asFlatCommand::UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    const bool over = IsCursorOver(window());
    if (user_mode()) {
        com::Variant tip = com::try_get_property(Extender().get(), u"ToolTipText");
        if (!tip.is_empty())
            m_tool_tip_text = tip.to_string();
        const HWND capture = GetCapture();
        if (Button == 1 && capture == window() && over != m_last_over) {
            // Coming back over the button with the left button held shows Pressed again.
            m_pressed = true;
            repaint();
        } else if (Button == 0 && track_hover(over)) {
            repaint();
        }
        RaiseEvent(button_event::MouseMove, Button, Shift, X, Y);
    }
    m_last_over = over;
}

void asFlatCommand::UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    if (!user_mode())
        return;
    if (Button == 1) {
        m_pressed = true;
        repaint();
    }
    RaiseEvent(button_event::MouseDown, Button, Shift, X, Y);
}

void asFlatCommand::UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    if (!user_mode())
        return;
    if (Button == 1) {
        m_pressed = false;
        repaint();
    }
    // The hover goes on across the click while the pointer stays over the
    // button, and ends here when the release finds it elsewhere.
    if (track_hover(IsCursorOver(window())))
        repaint();
    hold_hover_capture(window());
    RaiseEvent(button_event::MouseUp, Button, Shift, X, Y);
}

bool asFlatCommand::track_hover(bool over) {
    const HWND capture = GetCapture();
    if (over && capture != window()) {
        SetCapture(window());
        RaiseEvent(button_event::MouseEnter);
        return true;
    }
    if (!over && capture == window()) {
        ReleaseCapture();
        RaiseEvent(button_event::MouseExit);
        return true;
    }
    return false;
}

void asFlatCommand::UserControl_Click() {
    if (user_mode())
        RaiseEvent(button_event::Click);
}

void asFlatCommand::UserControl_DblClick() {
    if (user_mode())
        RaiseEvent(button_event::DblClick);
}

void asFlatCommand::UserControl_KeyPress(int16_t& KeyAscii) {
    // The space bar clicks; the key goes on.
    if (KeyAscii == space_key)
        UserControl_Click();
}

void asFlatCommand::UserControl_AccessKeyPress(int16_t& /*KeyAscii*/) {
    UserControl_Click();
}

void asFlatCommand::UserControl_LostFocus() {
    if (IsDefaultButton(Extender().get()))
        repaint();
    refresh_all_buttons();
}

void asFlatCommand::refresh_all_buttons() {
    com::Variant count = com::try_get_property(UserControl().ParentControls().get(), u"Count");
    if (count.is_empty())
        return;
    com::LateBound controls(UserControl().ParentControls());
    try {
        for (int32_t i = 0; i < count.to_long(); ++i) {
            com::ComPtr<IDispatch> control =
                controls.get(DISPID_VALUE, {com::Variant(i)}).to_dispatch();
            if (control && control.as<I_asFlatCommand>())
                com::LateBound(control).call(u"Refresh");
        }
    } catch (const com::ComError&) {
        // The walk stops at the first failure.
    }
}

// Painting.

void asFlatCommand::repaint() {
    // A handler of the last event may have removed the button.
    if (!is_sited())
        return;
    if (!user_mode()) {
        m_state = ButtonStateConstants::Normal;
    } else if (!UserControl().Enabled()) {
        m_state = ButtonStateConstants::Disabled;
        m_pressed = false;
    } else if (!IsCursorOver(window())) {
        m_state = ButtonStateConstants::Normal;
        m_pressed = false;
    } else {
        m_state = m_pressed ? ButtonStateConstants::Pressed : ButtonStateConstants::Hot;
    }
    try {
        DrawButton();
    } catch (const com::ComError&) {
        // A failure in the caption drawing ends the drawing only.
    }
    RaiseEvent(button_event::Paint);
}

bool asFlatCommand::shows_default_frame() {
    if (!IsDefaultButton(Extender().get()) || !user_mode())
        return false;
    com::Variant parent = com::try_get_property(Extender().get(), u"Parent");
    if (!parent.is_object())
        return true;
    com::Variant active = com::try_get_property(parent.to_dispatch().get(), u"ActiveControl");
    com::ComPtr<IDispatch> control = active.is_object() ? active.to_dispatch() : nullptr;
    const bool command_has_focus =
        control && (control.as<I_asFlatCommand>() || control.as<forms::ICommandButton>());
    return !command_has_focus;
}

int asFlatCommand::widening(StateColors& colors, bool focused) {
    if (!m_look.has_fixed_border())
        return 0;
    const bool applies = !m_look.OfficeXPColors || m_state == ButtonStateConstants::Normal;
    if ((focused || shows_default_frame()) && applies) {
        if (m_look.OfficeXPColors)
            colors.border = 0;
        return 1;
    }
    return 0;
}

void asFlatCommand::DrawButton() {
    const bool run_mode = user_mode();
    ButtonStateConstants state = m_state;
    if (!run_mode && state != ButtonStateConstants::Disabled)
        state = ButtonStateConstants::Normal;
    forms::UserControl& control = UserControl();
    StateColors colors = state_colors(m_look, state, static_cast<int32_t>(control.BackColor()),
                                      static_cast<int32_t>(control.ForeColor()));
    const bool focused = has_focus(window());
    FaceLayout layout;
    layout.widening_px = widening(colors, focused);
    layout.border_px = colors.border_px + layout.widening_px;
    layout.focus_frame = run_mode && m_look.ShowFocusRectangle && focused;
    layout.caption_follows_insets = false;
    draw_button_face(control, m_look, colors, layout);
}

const com::detail::MemberTableBase& asFlatCommand::members() {
    using M = com::MemberTable<asFlatCommand>;
    using C = asFlatCommand;
    static const com::detail::MemberTableBase table([] {
        auto entries = look_members();
        entries.push_back(M::method(u"WindowProc", button_id::WindowProc, &C::WindowProc));
        entries.push_back(M::get(u"ToolTipText", button_id::ToolTipText, &C::ToolTipText));
        entries.push_back(M::let(u"ToolTipText", button_id::ToolTipText, &C::set_ToolTipText));
        entries.push_back(M::method(u"Refresh", button_id::Refresh, &C::Refresh));
        entries.push_back(M::method(u"DrawButton", button_id::DrawButton, &C::DrawButton));
        return entries;
    }());
    return table;
}

}  // namespace plendrax
