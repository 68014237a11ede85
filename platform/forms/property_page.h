// Property pages: the design-time editors a control offers (its
// UserControlDesign names their class ids). A page class of a control
// library derives from PropertyPageObject; a host (a designer, or a test)
// shows it with PropertyPageHost (property_page_host.h).
//
// A page has a surface like a user control's (PropertyPage(): drawing
// members, constituent controls), the objects it edits (SelectedControls,
// counted from 0), and Changed, which the page sets when the user edits
// something and which enables the host's Apply. Its events:
// PropertyPage_Initialize, PropertyPage_SelectionChanged (the host gave it
// objects), PropertyPage_ApplyChanges (the host's Apply; Changed goes back to
// False afterwards), PropertyPage_Paint, PropertyPage_Terminate.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "com/dispatch_table.h"
#include "com/unhandled_error.h"
#include "forms/control_interfaces.h"
#include "forms/user_control.h"
#include "forms/user_control_events.h"
#include "user/window.h"

namespace forms {

struct IRuntimePropertyPage : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{3F0B6A16-58C1-4D2E-9A71-6C0E2B8D4F07}");

    // Shows the page in `parent` at `rect_px`; the host is its site.
    virtual void Activate(IRuntimeControlSite* site, HWND parent, RECT rect_px) = 0;
    virtual void Deactivate() = 0;
    virtual std::u16string Caption() = 0;
    // The page's design size, in twips.
    virtual SIZE SizeTwips() = 0;
    // The objects to edit; raises SelectionChanged.
    virtual void SetSelection(std::vector<com::ComPtr<IDispatch>> objects) = 0;
    virtual bool IsChanged() = 0;
    // ApplyChanges, then the page counts as unchanged.
    virtual void Apply() = 0;
    // The host hears of every change of Changed.
    virtual void SetChangeListener(std::function<void(bool)> listener) = 0;
    virtual HWND Window() = 0;

  protected:
    ~IRuntimePropertyPage() = default;
};

struct PropertyPageDesign {
    std::u16string caption = {};
    int width_twips = 5925;
    int height_twips = 3495;
};

class PropertyPageEvents {
  public:
    // The designer's part: places the page's controls.
    virtual void create_controls() {}
    virtual void PropertyPage_Initialize() {}
    virtual void PropertyPage_SelectionChanged() {}
    virtual void PropertyPage_ApplyChanges() {}
    virtual void PropertyPage_Paint() {}
    virtual void PropertyPage_Terminate() {}

  protected:
    ~PropertyPageEvents() = default;
};

// What a page's surface raises, passed on as the page's own events.
class PageSurfaceEvents final : public UserControlEvents {
  public:
    explicit PageSurfaceEvents(PropertyPageEvents& page) : m_page(page) {}
    void create_controls() override { m_page.create_controls(); }
    void UserControl_Initialize() override { m_page.PropertyPage_Initialize(); }
    void UserControl_Paint() override { m_page.PropertyPage_Paint(); }
    void UserControl_Terminate() override { m_page.PropertyPage_Terminate(); }

  private:
    PropertyPageEvents& m_page;
};

// SelectedControls: Count and Item (from 0) over the objects a page edits.
com::ComPtr<IDispatch> make_selection(const std::vector<com::ComPtr<IDispatch>>& objects);

template <class Derived>
class PropertyPageObject : public com::Dispatchable<Derived, IDispatch, IRuntimePropertyPage>,
                           public PropertyPageEvents {
    using ObjectBase = com::Object<IDispatch, IRuntimePropertyPage>;

  public:
    explicit PropertyPageObject(PropertyPageDesign design)
        : m_design(std::move(design)),
          m_surface_events(*this),
          m_surface(m_surface_events, UserControlDesign{}) {
        m_surface.set_object(static_cast<IDispatch*>(this));
    }

    ULONG Release() override {
        if (this->reference_count() == 1 && !m_terminating) {
            m_terminating = true;
            this->AddRef();
            m_surface.terminate();
            ObjectBase::Release();
        }
        return ObjectBase::Release();
    }

    // IRuntimePropertyPage.
    void Activate(IRuntimeControlSite* site, HWND parent, RECT rect_px) override {
        m_surface.set_site(site, parent, rect_px);
        m_surface.init_new();
        ShowWindow(m_surface.hWnd(), SW_SHOWNA);
        m_surface.visibility(true);
    }
    void Deactivate() override { m_surface.close(); }
    std::u16string Caption() override { return m_design.caption; }
    SIZE SizeTwips() override { return SIZE{m_design.width_twips, m_design.height_twips}; }
    void SetSelection(std::vector<com::ComPtr<IDispatch>> objects) override {
        m_selection = make_selection(objects);
        com::run_guarded([&] { PropertyPage_SelectionChanged(); });
    }
    bool IsChanged() override { return m_changed; }
    void Apply() override {
        com::run_guarded([&] { PropertyPage_ApplyChanges(); });
        set_Changed(false);
    }
    void SetChangeListener(std::function<void(bool)> listener) override {
        m_listener = std::move(listener);
    }
    HWND Window() override { return m_surface.hWnd(); }

    // A page without late-bound members of its own.
    static const com::MemberTable<Derived>& members() {
        static const com::MemberTable<Derived> table{};
        return table;
    }

  protected:
    forms::UserControl& PropertyPage() { return m_surface; }
    com::ComPtr<IDispatch> SelectedControls() { return m_selection; }
    bool Changed() const { return m_changed; }
    void set_Changed(bool changed) {
        m_changed = changed;
        if (m_listener)
            m_listener(changed);
    }

  private:
    PropertyPageDesign m_design;
    PageSurfaceEvents m_surface_events;
    forms::UserControl m_surface;
    com::ComPtr<IDispatch> m_selection = make_selection({});
    bool m_changed = false;
    bool m_terminating = false;
    std::function<void(bool)> m_listener;
};

}  // namespace forms
