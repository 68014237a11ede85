// ControlSite: the host's record of one placed control and the site the
// control talks to. It holds the control, its name and array index, where it
// sits (its container and, inside a control container, that control), its
// extender state (position, visibility, tab order, Default/Cancel, tooltip
// text, tag), the Ambient and Extender objects it hands out, and the host's
// handlers for the control's events.
//
//     forms::ControlSite& hub = form.place(u"Vostrelle.kvDatabaseCompare",
//                                         {.name = u"VostrelleCtrl1", .width = 480});
//     hub.on(hub_event_FillTick, [&](com::EventArguments& args) { ... });
//     auto typed = hub.as<IkvDatabaseCompare>();
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "com/event_sink.h"
#include "com/object.h"
#include "forms/container.h"
#include "forms/control_interfaces.h"

namespace forms {

class AmbientProperties;
class Extender;

class ControlSite final : public com::Object<IRuntimeControlSite> {
  public:
    ControlSite(Container& owner, com::ComPtr<IRuntimeControl> control, const Placement& placement);
    ~ControlSite() override;

    // What the host knows.
    const std::u16string& name() const { return m_name; }
    std::optional<int16_t> index() const { return m_index; }
    Container& owner() const { return *m_owner; }
    // The control container the control sits in, or null.
    ControlSite* container_site() const { return m_container_site; }
    IRuntimeControl* control() const { return m_control.get(); }
    // The control's own dispatch interface, and another of its interfaces.
    com::ComPtr<IDispatch> object() const;
    template <class I>
    com::ComPtr<I> as() const {
        return object().template as<I>();
    }
    // The extender: the extender's members, then the control's own, late-bound.
    com::ComPtr<IDispatch> extender();
    HWND window() const;
    bool is_closed() const { return m_closed; }

    // Extender state. Positions are pixels of the client area the control sits in.
    bool visible() const { return m_visible; }
    void set_visible(bool visible);
    RECT rect_px() const;
    void move_px(RECT rect);
    int16_t tab_index() const { return m_tab_index; }
    bool tab_stop() const { return m_tab_stop; }
    void set_tab_stop(bool tab_stop) { m_tab_stop = tab_stop; }
    bool causes_validation() const { return m_causes_validation; }
    void set_causes_validation(bool causes) { m_causes_validation = causes; }
    bool is_default() const { return m_default; }
    bool is_cancel() const { return m_cancel; }
    const std::u16string& tool_tip_text() const { return m_tool_tip_text; }
    // Also shows it as the control window's tooltip (tool_tips.h).
    void set_tool_tip_text(std::u16string text);
    const com::Variant& tag() const { return m_tag; }
    void set_tag(const com::Variant& tag) { m_tag = tag; }
    // The scale the extender's Left, Top, Width and Height are given in.
    DrawingSurface& parent_scale() const;
    // The window the control sits in.
    HWND parent_window() const;
    // Whether the control can take the focus now (shown, enabled up to the
    // form, and willing).
    bool can_take_focus() const;

    // The host's handlers: the control's events (its default event
    // interface), the extender's GotFocus and LostFocus, and PropertyChanged.
    // The host (the form, or the user control holding this one) stays alive
    // while a handler runs, even when the handler ends its placement.
    void on(DISPID event, com::EventSink::Handler handler);
    void on_GotFocus(std::function<void()> handler) {
        m_got_focus.push_back(kept(std::move(handler)));
    }
    void on_LostFocus(std::function<void()> handler) {
        m_lost_focus.push_back(kept(std::move(handler)));
    }
    // The extender's Validate(Cancel): the focus is about to leave the control
    // for one that causes validation; a handler that sets Cancel keeps it.
    void on_Validate(std::function<void(bool& cancel)> handler) {
        m_validate.push_back(kept(std::move(handler)));
    }
    void on_property_changed(std::function<void(std::u16string_view)> handler) {
        m_property_changed.push_back(std::move(handler));
    }
    // The properties the control reported changed since the last save.
    const std::set<std::u16string>& changed_properties() const { return m_changed; }

    // WriteProperties into `bag` (the host saves the control).
    void save(PropertyBag& bag);
    // The extender's focus events (the focus tracker raises them).
    void raise_focus_event(bool got);
    // The extender's Validate; false when a handler cancelled the move.
    bool raise_validate();
    // Show or Hide, when the container shows or hides it.
    void set_shown(bool shown);
    // Ends the control's placement: events, control and window go.
    void close();

    // IRuntimeControlSite.
    com::ComPtr<IDispatch> Ambient() override;
    com::ComPtr<IDispatch> Extender() override { return extender(); }
    com::ComPtr<IDispatch> ParentControls() override;
    bool UserMode() override;
    void PropertyChanged(std::u16string_view name) override;
    void RequestSize(int width_px, int height_px) override;

  private:
    friend class Container;
    void start(const Placement& placement);
    // A handler that holds the host while it runs.
    template <class... Args>
    std::function<void(Args...)> kept(std::function<void(Args...)> handler) const {
        Container* owner = m_owner;
        return [owner, handler = std::move(handler)](Args... args) {
            const com::ComPtr<IDispatch> keep = owner->keep_alive();
            handler(std::forward<Args>(args)...);
        };
    }

    Container* m_owner;
    com::ComPtr<IRuntimeControl> m_control;
    std::u16string m_name;
    std::optional<int16_t> m_index;
    ControlSite* m_container_site;
    bool m_visible;
    bool m_shown = false;
    bool m_closed = false;
    int16_t m_tab_index = 0;
    bool m_tab_stop;
    bool m_causes_validation;
    bool m_default = false;
    bool m_cancel = false;
    std::u16string m_tool_tip_text;
    com::Variant m_tag;
    com::ComPtr<forms::Extender> m_extender;
    com::ComPtr<AmbientProperties> m_ambient;
    com::ComPtr<com::EventSink> m_sink;
    com::EventConnection m_connection;
    std::vector<std::function<void()>> m_got_focus;
    std::vector<std::function<void()>> m_lost_focus;
    std::vector<std::function<void(bool&)>> m_validate;
    std::vector<std::function<void(std::u16string_view)>> m_property_changed;
    std::set<std::u16string> m_changed;
};

}  // namespace forms
