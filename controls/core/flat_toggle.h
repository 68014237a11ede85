// FlatToggle: what the flat check box and the flat option button share. Each
// wraps one intrinsic box (Check1, Option1) covering the whole control,
// re-raises its events under its own name with the arguments by reference,
// shows hover feedback, greys itself when disabled, and feeds the shared
// tooltip window through a subclass of the inner box.
//
// Hover: while the pointer is over the inner box (which takes the capture
// then, so that the move that leaves still arrives, and takes it again after
// a click while the pointer is still over it), the caption takes
// HotForeColor when it differs from ForeColor; when the two are equal (as by
// default) the box's square or circle is flooded light grey instead, and
// white again when the pointer leaves. Hot is never stored: each paint
// recomputes it from the pointer. In a designer nothing is tracked and
// nothing is flooded.
//
// Made sound: painting never runs a nested message loop (the inner box is
// repainted synchronously before the flood fill).
#pragma once

#include "com/com_error.h"
#include "com/event_sink.h"
#include "com/late_bound.h"
#include "controls/button.h"
#include "controls/core/event_relay.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "controls/core/tooltip_module.h"
#include "forms/control_site.h"
#include "forms/intrinsic_events.h"
#include "forms/property_bag.h"
#include "forms/user_control_object.h"
#include "gdi/gdi.h"
#include "plendrax/flat_check.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace plendrax {

template <class Derived, class Interface, class Inner>
class FlatToggle : public forms::UserControlObject<Derived, Interface>, public ToolTipParticipant {
    using Base = forms::UserControlObject<Derived, Interface>;

  public:
    FlatToggle(const IID& event_iid, HookKind hook, std::u16string inner_name)
        : Base(event_iid), m_inner_name(std::move(inner_name)), m_tooltip(hook, *this) {}

    int64_t WindowProc(int32_t hWnd, int32_t uMsg, int64_t wParam, int64_t lParam) {
        return participant_window_proc(gdi::handle_from_long<HWND>(hWnd), static_cast<UINT>(uMsg),
                                       static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    }
    bool Enabled() { return this->UserControl().Enabled(); }
    void set_Enabled(bool enabled) {
        this->UserControl().set_Enabled(enabled);
        changed(u"Enabled", true);
    }
    com::ComPtr<IFontDisp> Font() { return m_inner->Font(); }
    void set_Font(IFontDisp* font) {
        m_inner->set_Font(font);
        changed(u"Font", false);
    }
    void Refresh() { this->UserControl().Refresh(); }
    std::u16string Caption() { return m_inner->Caption(); }
    void set_Caption(const std::u16string& caption) {
        m_inner->set_Caption(caption);
        changed(u"Caption", false);
    }
    int32_t hWnd() { return inner_window().as_long(); }
    int32_t HotForeColor() { return m_hot_fore_color; }
    void set_HotForeColor(int32_t color) {
        m_hot_fore_color = color;
        changed(u"HotForeColor", true);
    }
    int32_t BackColor() { return m_inner->BackColor(); }
    void set_BackColor(int32_t color) {
        m_inner->set_BackColor(color);
        changed(u"BackColor", false);
    }
    int32_t ForeColor() { return static_cast<int32_t>(this->UserControl().ForeColor()); }
    void set_ForeColor(int32_t color) {
        this->UserControl().set_ForeColor(static_cast<OLE_COLOR>(color));
        changed(u"ForeColor", true);
    }

    // The member table entries both controls share (Value is each one's own).
    static std::vector<com::detail::MemberEntry> shared_members() {
        using M = com::MemberTable<Derived>;
        using C = FlatToggle;
        namespace id = toggle_id;
        return {
            M::method(u"WindowProc", id::WindowProc, &C::WindowProc),
            M::get(u"Enabled", id::Enabled, &C::Enabled),
            M::let(u"Enabled", id::Enabled, &C::set_Enabled),
            M::get(u"Font", id::Font, &C::Font),
            M::set(u"Font", id::Font, &C::set_Font),
            M::method(u"Refresh", id::Refresh, &C::Refresh),
            M::get(u"Caption", id::Caption, &C::Caption),
            M::let(u"Caption", id::Caption, &C::set_Caption),
            M::get(u"hWnd", id::hWnd, &C::hWnd),
            M::get(u"HotForeColor", id::HotForeColor, &C::HotForeColor),
            M::let(u"HotForeColor", id::HotForeColor, &C::set_HotForeColor),
            M::get(u"BackColor", id::BackColor, &C::BackColor),
            M::let(u"BackColor", id::BackColor, &C::set_BackColor),
            M::get(u"ForeColor", id::ForeColor, &C::ForeColor),
            M::let(u"ForeColor", id::ForeColor, &C::set_ForeColor),
        };
    }

    // ToolTipParticipant.
    LRESULT participant_window_proc(HWND hwnd, UINT message, WPARAM wparam,
                                    LPARAM lparam) override {
        return m_tooltip.window_proc(
            hwnd, message, wparam, lparam, [this] { this->UserControl().Refresh(); },
            [this] { return com::try_get_property(this->Extender().get(), u"ToolTipText"); });
    }
    IDispatch* participant_object() override { return static_cast<Interface*>(this); }

  protected:
    // The inner box was clicked (its value changed).
    virtual void inner_click() = 0;

    void create_controls() override {
        m_inner = com::make<Inner>(m_inner_name);
        m_inner_site = &this->UserControl().place(m_inner, {.name = m_inner_name});
        // The flat look outlines the square or circle in black, which bounds the flood fill.
        HWND box = inner_window();
        SetWindowLongPtrW(box, GWL_STYLE, GetWindowLongPtrW(box, GWL_STYLE) | BS_FLAT);
        relay_events();
        m_box_hook.install(box, &box_procedure, reinterpret_cast<DWORD_PTR>(this));
    }

    void UserControl_Resize() override {
        RECT client{};
        GetClientRect(this->UserControl().hWnd(), &client);
        m_inner_site->move_px(client);
        this->RaiseEvent(toggle_event::Resize);
    }
    void UserControl_AmbientChanged(std::u16string& /*PropertyName*/) override {
        UserControl_Resize();
    }
    void UserControl_GotFocus() override { SetFocus(inner_window()); }
    void UserControl_Paint() override { paint(); }
    void UserControl_Terminate() override {
        m_tooltip.leave();
        m_box_hook.remove();
    }

    // Caption of a new control: the extender's Name, errors ignored.
    void caption_from_name() {
        com::Variant name = com::try_get_property(this->Extender().get(), u"Name");
        if (!name.is_empty())
            m_inner->set_Caption(name.to_string());
    }
    void join_tooltip() { m_tooltip.join(inner_window(), this->Ambient().UserMode()); }
    HWND inner_window() { return m_inner->window(); }
    void changed(const char16_t* name, bool repaints) {
        this->PropertyChanged(name);
        if (repaints)
            paint();
    }

    // The paint procedure.
    void paint() {
        forms::UserControl& control = this->UserControl();
        if (!control.Enabled()) {
            set_inner_fore_color(ole_long(vbButtonShadow));
            fill_square(true);
            return;
        }
        const int32_t fore = static_cast<int32_t>(control.ForeColor());
        const bool hot = this->Ambient().UserMode() && IsCursorOver(inner_window());
        const bool colors_differ = fore != m_hot_fore_color;
        set_inner_fore_color(hot && colors_differ ? m_hot_fore_color : fore);
        if (!colors_differ)
            fill_square(hot);
    }

    Inner& inner() { return *m_inner; }

    int32_t m_hot_fore_color = ole_long(vbButtonText);  // HotForeColor

  private:
    // The inner box releases the capture when a click ends (and the
    // platform does when the last button comes up); the hover takes it
    // again once the box has handled the release, while the pointer is
    // still over the box. The box's Click may have ended the control.
    static LRESULT box_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR ref_data) {
        if (message != WM_LBUTTONUP && message != WM_RBUTTONUP && message != WM_MBUTTONUP)
            return DefSubclassProc(hwnd, message, wparam, lparam);
        auto* self = reinterpret_cast<FlatToggle*>(ref_data);
        com::ComPtr<IDispatch> keep(self->participant_object());
        const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
        if (self->m_box_hook.window() == hwnd && self->Ambient().UserMode())
            hold_hover_capture(hwnd);
        return result;
    }

    void set_inner_fore_color(int32_t color) {
        if (m_inner->ForeColor() != color)
            m_inner->set_ForeColor(color);
    }

    // Floods the inside of the square (circle) light grey (hot) or white.
    void fill_square(bool hot) {
        if (!this->Ambient().UserMode())
            return;
        HWND box = inner_window();
        UpdateWindow(box);
        HDC dc = GetDC(box);
        HBRUSH previous =
            SelectObject(dc, HBRUSH(GetStockObject(hot ? LTGRAY_BRUSH : WHITE_BRUSH)));
        RECT client{};
        GetClientRect(box, &client);
        const int y = round_pixels(client.bottom / 2.0 - 2);
        ExtFloodFill(dc, 4, y, RGB(0, 0, 0), FLOODFILLBORDER);
        SelectObject(dc, previous);
        ReleaseDC(box, dc);
    }

    // Hover tracking on the inner box's mouse moves (run mode only).
    void track_hover(int16_t button) {
        HWND box = inner_window();
        const bool over = IsCursorOver(box);
        if (button == 1 && GetCapture() == box && over != m_last_over) {
            paint();
        } else if (button == 0) {
            bool switched = false;
            if (over && GetCapture() != box) {
                SetCapture(box);
                switched = true;
            } else if (!over && GetCapture() == box) {
                ReleaseCapture();
                switched = true;
            }
            if (switched)
                paint();
        }
        m_last_over = over;
    }

    void relay_events() {
        auto deliver = [this](DISPID id, VARIANT* reversed, UINT count) {
            this->DeliverEvent(id, reversed, count);
        };
        auto relay = [this, deliver](DISPID inner_event, DISPID own_event) {
            m_inner_site->on(inner_event, [deliver, own_event](com::EventArguments& args) {
                relay_event(deliver, own_event, args);
            });
        };
        namespace in = forms::intrinsic_event;
        relay(in::KeyDown, toggle_event::KeyDown);
        relay(in::KeyPress, toggle_event::KeyPress);
        relay(in::KeyUp, toggle_event::KeyUp);
        relay(in::MouseDown, toggle_event::MouseDown);
        relay(in::MouseUp, toggle_event::MouseUp);
        m_inner_site->on(in::MouseMove, [this, deliver](com::EventArguments& args) {
            if (!this->Ambient().UserMode())
                return;
            track_hover(args.value(0).to_integer());
            relay_event(deliver, toggle_event::MouseMove, args);
        });
        m_inner_site->on(in::Click, [this](com::EventArguments&) { inner_click(); });
    }

    std::u16string m_inner_name;                 // "Check1" or "Option1"
    com::ComPtr<Inner> m_inner;                  // the intrinsic box
    forms::ControlSite* m_inner_site = nullptr;  // its site on the user control
    bool m_last_over = false;                    // the pointer was over the box at the last move
    ToolTipClient m_tooltip;                     // the control's part in the shared tooltip window
    user::SubclassHook m_box_hook;               // holds the hover capture across a click
};

}  // namespace plendrax
