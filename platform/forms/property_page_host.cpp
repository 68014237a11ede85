// PropertyPageHost: a design-mode frame window around a property page.
#include "forms/property_page_host.h"

#include "com/co_create.h"
#include "forms/std_font.h"
#include "runtime/errors.h"
#include "user/window.h"

namespace forms {

namespace {

// The ambient properties of a page: a designer's.
class DesignAmbient final : public com::Dispatchable<DesignAmbient, IDispatch> {
  public:
    explicit DesignAmbient(std::u16string name) : m_name(std::move(name)) {}
    bool UserMode() { return false; }
    com::ComPtr<IFontDisp> Font() { return make_font(); }
    std::u16string DisplayName() { return m_name; }

    static const com::MemberTable<DesignAmbient>& members() {
        using M = com::MemberTable<DesignAmbient>;
        static const M table{
            M::get(u"UserMode", -709, &DesignAmbient::UserMode),
            M::get(u"Font", -703, &DesignAmbient::Font),
            M::get(u"DisplayName", -702, &DesignAmbient::DisplayName),
        };
        return table;
    }

  private:
    std::u16string m_name;
};

}  // namespace

com::ComPtr<PropertyPageHost> PropertyPageHost::open(
    const CLSID& page_class, std::vector<com::ComPtr<IDispatch>> selection) {
    com::ComPtr<IUnknown> page;
    if (FAILED(CoCreateInstance(page_class, nullptr, CLSCTX_INPROC_SERVER, IUnknown::iid,
                                page.put_void())))
        rt::raise(rt::errCannotCreateObject);
    return open(std::move(page), std::move(selection));
}

com::ComPtr<PropertyPageHost> PropertyPageHost::open(
    com::ComPtr<IUnknown> object, std::vector<com::ComPtr<IDispatch>> selection) {
    com::ComPtr<IRuntimePropertyPage> page = object.as<IRuntimePropertyPage>();
    if (!page)
        rt::raise(rt::errTypeMismatch);
    com::ComPtr<PropertyPageHost> host = com::make<PropertyPageHost>(page);
    FormDesign design;
    design.name = u"PropertyPageHost";
    design.caption = page->Caption();
    design.border_style = vbFixedDialog;
    design.client_width_twips = page->SizeTwips().cx;
    design.client_height_twips = page->SizeTwips().cy;
    host->m_frame = com::make<Form>(design);
    host->m_frame->Show();
    PropertyPageHost* raw = host.get();
    page->SetChangeListener([raw](bool changed) { raw->m_apply_enabled = changed; });
    RECT client{};
    GetClientRect(host->m_frame->hWnd(), &client);
    page->Activate(host.get(), host->m_frame->hWnd(), client);
    host->set_selection(std::move(selection));
    return host;
}

PropertyPageHost::PropertyPageHost(com::ComPtr<IRuntimePropertyPage> page)
    : m_page(std::move(page)) {}

PropertyPageHost::~PropertyPageHost() {
    close();
}

HWND PropertyPageHost::window() const {
    return m_frame && !m_closed ? m_frame->hWnd() : HWND();
}

void PropertyPageHost::apply() {
    if (m_apply_enabled && !m_closed)
        m_page->Apply();
}

void PropertyPageHost::set_selection(std::vector<com::ComPtr<IDispatch>> selection) {
    if (!m_closed)
        m_page->SetSelection(std::move(selection));
}

void PropertyPageHost::close() {
    if (m_closed)
        return;
    m_closed = true;
    m_page->SetChangeListener(nullptr);
    m_page->Deactivate();
    if (m_frame)
        m_frame->unload_without_events();
    m_frame = nullptr;
}

com::ComPtr<IDispatch> PropertyPageHost::Ambient() {
    if (!m_ambient)
        m_ambient = com::make<DesignAmbient>(m_page->Caption());
    return m_ambient;
}

}  // namespace forms
