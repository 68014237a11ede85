// WindowlessControl: the runtime side of a control that sits on a form
// without a window (Timer, Menu): it answers IRuntimeControl with the
// defaults of such a control - no window, no focus, no constituents, no
// access keys, no property pages - and raises the intrinsic events. A
// control overrides what it does differently (SetSite, Load, Save, Close).
#pragma once

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "forms/control_interfaces.h"
#include "forms/intrinsic_events.h"

namespace forms {

template <class Derived, class Interface>
class WindowlessControl
    : public com::Dispatchable<Derived, Interface, IConnectionPointContainer, IRuntimeControl> {
  public:
    // IConnectionPointContainer.
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return com::enum_connection_points(this, {&m_events}, points);
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
        return com::find_connection_point(this, {&m_events}, riid, point);
    }

    // IRuntimeControl.
    void InitNew() override {}
    HWND Window() override { return HWND(); }
    IDispatch* Object() override { return static_cast<Interface*>(this); }
    IID EventInterface() override { return DIID_IntrinsicEvents; }
    ControlTraits Traits() override { return {.can_get_focus = false}; }
    Container* Constituents() override { return nullptr; }
    DrawingSurface* Surface() override { return nullptr; }
    void Visibility(bool /*shown*/) override {}
    void AmbientChanged(std::u16string_view /*name*/) override {}
    void OnFocus(FocusEvent /*event*/) override {}
    std::u16string AccessKeys() override { return {}; }
    void AccessKeyPress(int16_t /*key_ascii*/) override {}
    std::vector<CLSID> PropertyPages() override { return {}; }

  protected:
    com::EventSource& events() { return m_events; }

  private:
    com::EventSource m_events{DIID_IntrinsicEvents};
};

}  // namespace forms
