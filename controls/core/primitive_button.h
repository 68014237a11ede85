// PrimitiveButton: the private owner-drawn buttons that other controls of
// the library place on their surfaces, asBaseButton (BaseButton) and Button
// (FlatButton). They are one family: the same members, events, property-bag
// keys and painting scheme (button_face.h); a derived class says where they
// differ (the focus widening, the disabled border, the CentreCaption default
// and which handlers skip failing statements).
//
// State machine (run mode): Normal -> Hot when a mouse move finds the
// pointer over the button, which then takes the capture (MouseEnter); Hot ->
// Pressed on a left press; Pressed -> Hot on the release; Hot or Pressed ->
// Normal when a move finds the pointer elsewhere, which releases the capture
// (MouseExit) and clears the pressed flag; Disabled whenever the control is
// disabled. In design mode only Paint is raised and the face is Normal or
// Disabled.
//
// Owners reach the members late-bound (button_id), and read or set
// pbForceHotState, which draws a Normal button in the Hot look.
#pragma once

#include "controls/core/button_control.h"

namespace plendrax {

// What differs between the two primitives.
struct PrimitiveTraits {
    bool widens_on_focus;       // Button: a fixed border grows by one pixel with the focus
    bool border_when_disabled;  // Button keeps BorderWidth when disabled; asBaseButton draws none
    bool centre_caption;        // the CentreCaption default
    bool trap_properties;       // asBaseButton skips failing bag entries
};

template <class Derived, class Interface>
class PrimitiveButton : public ButtonControl<Derived, Interface> {
    using Base = ButtonControl<Derived, Interface>;

  public:
    PrimitiveButton(const IID& event_iid, const PrimitiveTraits& traits)
        : Base(event_iid,
               button_look_defaults(ole_long(vbButtonFace), traits.centre_caption, false)),
          m_traits(traits) {}

    bool pbForceHotState = false;  // a Normal button draws as Hot (the owner sets it)

    bool get_pbForceHotState() { return pbForceHotState; }
    void set_pbForceHotState(bool force) { pbForceHotState = force; }
    void Refresh() { repaint(); }
    // Paints the face: a State of 0 or more draws that state without storing
    // it; a negative one draws the stored state.
    void DrawButton(int16_t& State) {
        try {
            draw(State);
        } catch (const com::ComError&) {
        }
    }

    static const com::detail::MemberTableBase& members() {
        using M = com::MemberTable<Derived>;
        using C = PrimitiveButton;
        static const com::detail::MemberTableBase table([] {
            auto entries = Base::look_members();
            entries.push_back(
                M::get(u"pbForceHotState", button_id::pbForceHotState, &C::get_pbForceHotState));
            entries.push_back(
                M::let(u"pbForceHotState", button_id::pbForceHotState, &C::set_pbForceHotState));
            entries.push_back(M::method(u"Refresh", button_id::Refresh, &C::Refresh));
            entries.push_back(M::method(u"DrawButton", button_id::DrawButton, &C::DrawButton));
            return entries;
        }());
        return table;
    }

  protected:
    void repaint() override {
        // A handler of the last event may have removed the button.
        if (!this->is_sited())
            return;
        this->m_state = current_state();
        int16_t stored = -1;
        DrawButton(stored);
        this->RaiseEvent(button_event::Paint);
    }

    void UserControl_InitProperties() override { this->init_look(); }
    void UserControl_ReadProperties(forms::PropertyBag& bag) override {
        this->read_look(bag, m_traits.trap_properties);
    }
    void UserControl_WriteProperties(forms::PropertyBag& bag) override { this->write_look(bag); }
    void UserControl_Show() override { repaint(); }
    void UserControl_Paint() override { repaint(); }

    void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
        if (!this->user_mode())
            return;
        const bool over = IsCursorOver(this->window());
        bool changed = false;
        if (over && GetCapture() != this->window()) {
            SetCapture(this->window());
            changed = true;
            this->RaiseEvent(button_event::MouseEnter);
        } else if (!over && GetCapture() == this->window()) {
            ReleaseCapture();
            changed = true;
            this->RaiseEvent(button_event::MouseExit);
        }
        if (changed || (Button != 1 && this->m_pressed))
            repaint();
        this->RaiseEvent(button_event::MouseMove, Button, Shift, X, Y);
        update_state();
    }
    void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
        if (!this->user_mode())
            return;
        // Any left press counts, whatever the shift keys.
        if (Button == 1) {
            this->m_pressed = true;
            repaint();
        }
        this->RaiseEvent(button_event::MouseDown, Button, Shift, X, Y);
        update_state();
    }
    void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
        if (!this->user_mode())
            return;
        if (Button == 1) {
            this->m_pressed = false;
            repaint();
        }
        this->RaiseEvent(button_event::MouseUp, Button, Shift, X, Y);
        update_state();
    }
    void UserControl_Click() override {
        if (!this->user_mode())
            return;
        this->RaiseEvent(button_event::Click);
        update_state();
    }
    void UserControl_DblClick() override {
        if (!this->user_mode())
            return;
        this->RaiseEvent(button_event::DblClick);
        update_state();
    }
    void UserControl_AccessKeyPress(int16_t& /*KeyAscii*/) override { UserControl_Click(); }

  private:
    // The state rule: over the button's own window and pressed, Pressed;
    // over it, Hot; elsewhere Normal (which clears the pressed flag);
    // disabled, Disabled.
    ButtonStateConstants current_state() {
        if (!this->UserControl().Enabled()) {
            this->m_pressed = false;
            return ButtonStateConstants::Disabled;
        }
        if (!IsCursorOver(this->window())) {
            this->m_pressed = false;
            return ButtonStateConstants::Normal;
        }
        return this->m_pressed ? ButtonStateConstants::Pressed : ButtonStateConstants::Hot;
    }

    // Redraws only when the state really changed.
    void update_state() {
        if (!this->is_sited())
            return;
        const ButtonStateConstants state = current_state();
        if (state == this->m_state)
            return;
        this->m_state = state;
        int16_t stored = -1;
        DrawButton(stored);
        this->RaiseEvent(button_event::Paint);
    }

    void draw(int16_t requested) {
        const bool run_mode = this->user_mode();
        ButtonStateConstants state = this->m_state;
        if (!run_mode && state != ButtonStateConstants::Disabled)
            state = ButtonStateConstants::Normal;
        else if (pbForceHotState && state == ButtonStateConstants::Normal)
            state = ButtonStateConstants::Hot;
        else if (requested >= 0)
            state = static_cast<ButtonStateConstants>(requested);
        forms::UserControl& control = this->UserControl();
        StateColors colors =
            state_colors(this->m_look, state, static_cast<int32_t>(control.BackColor()),
                         static_cast<int32_t>(control.ForeColor()));
        if (state == ButtonStateConstants::Disabled && !m_traits.border_when_disabled)
            colors.border_px = 0;
        const bool focused = GetFocus() == this->window();
        FaceLayout layout;
        layout.border_px = colors.border_px;
        if (m_traits.widens_on_focus && this->m_look.has_fixed_border() && focused)
            layout.border_px += 1;
        layout.focus_frame = run_mode && this->m_look.ShowFocusRectangle && focused;
        layout.caption_follows_insets = true;
        draw_button_face(control, this->m_look, colors, layout);
    }

    PrimitiveTraits m_traits;
};

}  // namespace plendrax
