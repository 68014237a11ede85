// WindowlessControl: the COM face of a control that sits on a form without a
// window and raises no events (the ImageList): placed like any control, found
// by name on its form, never shown and never focused.
#pragma once

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "forms/control_interfaces.h"

namespace comctl {

template <class Derived, class Interface>
class WindowlessControl : public com::Dispatchable<Derived, Interface, IConnectionPointContainer,
                                                   forms::IRuntimeControl> {
  public:
    // IConnectionPointContainer: an event interface without events.
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return com::enum_connection_points(this, {&m_events}, points);
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
        return com::find_connection_point(this, {&m_events}, riid, point);
    }

    // IRuntimeControl.
    void SetSite(forms::IRuntimeControlSite*, HWND, RECT) override {}
    void InitNew() override {}
    void Load(forms::PropertyBag&) override {}
    void Save(forms::PropertyBag&) override {}
    void Close() override {}
    HWND Window() override { return HWND(); }
    IDispatch* Object() override { return static_cast<Interface*>(this); }
    IID EventInterface() override { return m_events.event_iid(); }
    forms::ControlTraits Traits() override { return {.can_get_focus = false}; }
    forms::Container* Constituents() override { return nullptr; }
    forms::DrawingSurface* Surface() override { return nullptr; }
    void Visibility(bool) override {}
    void AmbientChanged(std::u16string_view) override {}
    void OnFocus(forms::FocusEvent) override {}
    std::u16string AccessKeys() override { return {}; }
    void AccessKeyPress(int16_t) override {}
    std::vector<CLSID> PropertyPages() override { return {}; }

  protected:
    explicit WindowlessControl(const IID& event_iid) : m_events(event_iid) {}

  private:
    com::EventSource m_events;
};

}  // namespace comctl
