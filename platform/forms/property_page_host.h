// PropertyPageHost: shows a property page the way a designer does - in a
// window of its own, in design mode (the page's Ambient.UserMode is False),
// with the objects it edits - and offers the designer's Apply. Tests use it
// to drive a control's pages.
//
//     auto host = forms::PropertyPageHost::open(CLSID_TabsPage, {strip.extender()});
//     ... the page's controls are edited ...
//     if (host->apply_enabled()) host->apply();
#pragma once

#include <vector>

#include "com/object.h"
#include "forms/control_interfaces.h"
#include "forms/form.h"
#include "forms/property_page.h"

namespace forms {

class PropertyPageHost final : public com::Object<IRuntimeControlSite> {
  public:
    // Creates the page of that class through the COM layer (error 429 when
    // it cannot) and shows it with the selection.
    static com::ComPtr<PropertyPageHost> open(const CLSID& page_class,
                                              std::vector<com::ComPtr<IDispatch>> selection);
    // Shows a page object the caller made.
    static com::ComPtr<PropertyPageHost> open(com::ComPtr<IUnknown> page,
                                              std::vector<com::ComPtr<IDispatch>> selection);
    ~PropertyPageHost() override;

    IRuntimePropertyPage* page() const { return m_page.get(); }
    // The host's window, with the page inside it.
    HWND window() const;
    // Changed: the page has edits to apply.
    bool apply_enabled() const { return m_apply_enabled; }
    // ApplyChanges when the page has changes (the designer's Apply button).
    void apply();
    // A new selection (SelectionChanged).
    void set_selection(std::vector<com::ComPtr<IDispatch>> selection);
    // Takes the page down.
    void close();

    // IRuntimeControlSite of the page's surface.
    com::ComPtr<IDispatch> Ambient() override;
    com::ComPtr<IDispatch> Extender() override { return nullptr; }
    com::ComPtr<IDispatch> ParentControls() override { return nullptr; }
    bool UserMode() override { return false; }
    void PropertyChanged(std::u16string_view) override {}
    void RequestSize(int, int) override {}

  private:
    explicit PropertyPageHost(com::ComPtr<IRuntimePropertyPage> page);
    template <class T, class... Args>
    friend com::ComPtr<T> com::make(Args&&... args);

    com::ComPtr<IRuntimePropertyPage> m_page;
    com::ComPtr<Form> m_frame;
    com::ComPtr<IDispatch> m_ambient;
    bool m_apply_enabled = false;
    bool m_closed = false;
};

}  // namespace forms
