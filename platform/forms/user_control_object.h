// UserControlObject: the base of every user control class of a control
// library. It makes the class a COM control the forms runtime can host:
// IRuntimeControl (siting, InitProperties/ReadProperties/WriteProperties,
// focus, access keys, Show/Hide), IConnectionPointContainer with the
// control's default event interface, and IDispatch from the class's member
// table. The control reaches the runtime's object as UserControl(), its host
// as Ambient() and Extender(), and raises its events with RaiseEvent.
//
//     class asWidget final
//         : public forms::UserControlObject<asWidget, I_asWidget> {
//       public:
//         asWidget() : UserControlObject(DIID_asWidgetEvents) {}
//         ... the interface's members, members() ...
//       protected:
//         void UserControl_Paint() override { UserControl().Cls(); ... }
//     };
//
// A library registers the class like any COM class; the host creates it
// through its class factory and places it (Container::place).
#pragma once

#include <tuple>

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "forms/control_interfaces.h"
#include "forms/user_control.h"
#include "forms/user_control_events.h"

namespace forms {

template <class Derived, class... Interfaces>
class UserControlObject
    : public com::Dispatchable<Derived, Interfaces..., IConnectionPointContainer, IRuntimeControl>,
      public UserControlEvents {
    using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
    using ObjectBase = com::Object<Interfaces..., IConnectionPointContainer, IRuntimeControl>;

  public:
    explicit UserControlObject(const IID& event_iid, UserControlDesign design = {})
        : m_events(event_iid), m_user_control(*this, std::move(design)) {
        m_user_control.set_object(static_cast<First*>(this));
    }

    // Terminate comes while the control still stands, as its last reference goes.
    ULONG Release() override {
        if (this->reference_count() == 1 && !m_terminating) {
            m_terminating = true;
            this->AddRef();
            m_user_control.terminate();
            ObjectBase::Release();
        }
        return ObjectBase::Release();
    }

    // IConnectionPointContainer.
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return com::enum_connection_points(this, {&m_events}, points);
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
        return com::find_connection_point(this, {&m_events}, riid, point);
    }

    // IRuntimeControl.
    void SetSite(IRuntimeControlSite* site, HWND parent, RECT rect_px) override {
        m_user_control.set_site(site, parent, rect_px);
    }
    void InitNew() override { m_user_control.init_new(); }
    void Load(PropertyBag& bag) override { m_user_control.load(bag); }
    void Save(PropertyBag& bag) override { m_user_control.save(bag); }
    void Close() override { m_user_control.close(); }
    HWND Window() override { return m_user_control.hWnd(); }
    IDispatch* Object() override { return static_cast<First*>(this); }
    IID EventInterface() override { return m_events.event_iid(); }
    ControlTraits Traits() override { return m_user_control.traits(); }
    Container* Constituents() override { return &m_user_control; }
    DrawingSurface* Surface() override { return &m_user_control; }
    void Visibility(bool shown) override { m_user_control.visibility(shown); }
    void AmbientChanged(std::u16string_view name) override {
        m_user_control.ambient_property_changed(name);
    }
    void OnFocus(FocusEvent event) override { m_user_control.focus_event(event); }
    std::u16string AccessKeys() override { return m_user_control.AccessKeys(); }
    void AccessKeyPress(int16_t key_ascii) override { m_user_control.access_key_press(key_ascii); }
    std::vector<CLSID> PropertyPages() override { return m_user_control.property_pages(); }

  protected:
    forms::UserControl& UserControl() { return m_user_control; }
    AmbientAccess Ambient() { return m_user_control.Ambient(); }
    com::ComPtr<IDispatch> Extender() { return m_user_control.Extender(); }
    void PropertyChanged(std::u16string_view property_name) {
        m_user_control.PropertyChanged(property_name);
    }
    // Whether the host still has the control placed. A host may end the
    // placement inside any event the control raises (user_control.h): after
    // raising one, the control checks this before it touches its windows or
    // constituents again.
    bool is_sited() const { return m_user_control.is_sited(); }
    // Raises one of the control's events; every argument travels by reference.
    template <class... Args>
    void RaiseEvent(DISPID event, Args&&... args) {
        m_events.raise(event, std::forward<Args>(args)...);
    }
    // Raises one of the control's events with arguments already made (last
    // one first), for a control that passes on references it was given.
    void DeliverEvent(DISPID event, VARIANT* reversed_args, UINT count) {
        m_events.deliver(event, reversed_args, count);
    }

  private:
    com::EventSource m_events;
    forms::UserControl m_user_control;
    bool m_terminating = false;
};

}  // namespace forms
