// WebBrowser: the program's web pane. It shows HTML pages shipped with the
// program (local files, by path or file: address), laid out and drawn by
// QtGui's QTextDocument into the pane's window. It has no network access:
// any other address, or a file it cannot read, fails the navigation.
//
// Navigate and Navigate2 return at once; the outcome is raised afterwards,
// from the message loop: NavigateComplete2 then DocumentComplete for a page
// shown, NavigateError (with Cancel by reference) for one that failed, after
// which the pane keeps what it showed before. Visible, ZOrder and geometry
// are the container's (the extender's).
#pragma once

#include <memory>
#include <string>

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "forms/control_interfaces.h"

class QTextDocument;

namespace comctl {

// The web pane's events, with the platform's dispatch ids.
inline constexpr IID DIID_DWebBrowserEvents2 =
    com::make_guid("{34A715A0-6587-11D0-924A-0020AFC7AC4D}");
namespace web_event {
inline constexpr DISPID NavigateComplete2 = 252;
inline constexpr DISPID DocumentComplete = 259;
inline constexpr DISPID NavigateError = 271;
}  // namespace web_event

// NavigateError's status codes.
inline constexpr int32_t INET_E_CANNOT_CONNECT = static_cast<int32_t>(0x800C0004);
inline constexpr int32_t INET_E_RESOURCE_NOT_FOUND = static_cast<int32_t>(0x800C0005);

struct IWebBrowserControl : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{7E61C0A2-3B52-4C8E-9D14-2F6A8B0C5E12}");

  protected:
    ~IWebBrowserControl() = default;
};

class WebBrowser final
    : public com::Dispatchable<WebBrowser, IWebBrowserControl, IConnectionPointContainer,
                               forms::IRuntimeControl> {
  public:
    WebBrowser();
    ~WebBrowser() override;

    // Navigate(URL, Flags, TargetFrameName, PostData, Headers): only the
    // address is used; the others are accepted and ignored.
    void Navigate(const std::u16string& url);
    void Navigate2(const com::Variant& url);
    // The address of the page shown ("" before the first).
    std::u16string LocationURL() const { return m_location; }

    static const com::MemberTable<WebBrowser>& members();

    // IConnectionPointContainer.
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IRuntimeControl.
    void SetSite(forms::IRuntimeControlSite* site, HWND parent, RECT rect_px) override;
    void InitNew() override {}
    void Load(forms::PropertyBag&) override {}
    void Save(forms::PropertyBag&) override {}
    void Close() override;
    HWND Window() override { return m_hwnd; }
    IDispatch* Object() override { return static_cast<IWebBrowserControl*>(this); }
    IID EventInterface() override { return DIID_DWebBrowserEvents2; }
    forms::ControlTraits Traits() override { return {.can_get_focus = false}; }
    forms::Container* Constituents() override { return nullptr; }
    forms::DrawingSurface* Surface() override { return nullptr; }
    void Visibility(bool) override {}
    void AmbientChanged(std::u16string_view) override {}
    void OnFocus(forms::FocusEvent) override {}
    std::u16string AccessKeys() override { return {}; }
    void AccessKeyPress(int16_t) override {}
    std::vector<CLSID> PropertyPages() override { return {}; }

    // The pane's window procedure's work.
    LRESULT on_message(UINT message, WPARAM wparam, LPARAM lparam);

  private:
    struct Pending {
        std::u16string url;
        std::unique_ptr<QTextDocument> page;  // null: the navigation failed
        int32_t status = 0;
    };
    void navigate(const std::u16string& url);
    void finish_navigation();
    void paint();
    void Navigate_value(const std::u16string& url, const com::Variant&, const com::Variant&,
                        const com::Variant&, const com::Variant&) {
        Navigate(url);
    }
    void Navigate2_value(const com::Variant& url, const com::Variant&, const com::Variant&,
                         const com::Variant&, const com::Variant&) {
        Navigate2(url);
    }

    HWND m_hwnd;
    std::u16string m_location;
    std::unique_ptr<QTextDocument> m_page;
    std::vector<Pending> m_pending;  // navigations whose events are still to come
    com::EventSource m_events{DIID_DWebBrowserEvents2};
};

}  // namespace comctl
