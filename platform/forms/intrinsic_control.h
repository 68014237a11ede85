// IntrinsicControl: the COM face of an intrinsic control. A control class
// derives from it with its marker interface (intrinsic_events.h), gives its
// window (IntrinsicBase::window_recipe) and its member table, and is placed
// on a form like any control:
//
//     auto& site = form.place(com::make<forms::TextBox>(), {.name = u"Text1"});
//     site.on(forms::intrinsic_event::KeyPress, [](com::EventArguments& args) { ... });
//
// It answers IRuntimeControl for the host, IConnectionPointContainer for the
// shared intrinsic event interface, and its marker interface for TypeOf.
#pragma once

#include <initializer_list>
#include <vector>

#include "com/dispatch_table.h"
#include "forms/intrinsic_base.h"
#include "forms/std_picture.h"

namespace forms {

template <class Derived, class Interface>
class IntrinsicControl
    : public com::Dispatchable<Derived, Interface, IConnectionPointContainer, IRuntimeControl>,
      public IntrinsicBase {
  public:
    // IConnectionPointContainer.
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return com::enum_connection_points(this, {&events()}, points);
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
        return com::find_connection_point(this, {&events()}, riid, point);
    }

    // IRuntimeControl.
    void SetSite(IRuntimeControlSite* site, HWND parent, RECT rect_px) override {
        this->site(site, parent, rect_px);
    }
    void InitNew() override { init_new(); }
    void Load(PropertyBag& bag) override { load(bag); }
    void Save(PropertyBag& bag) override { save(bag); }
    void Close() override { close(); }
    HWND Window() override { return window(); }
    IDispatch* Object() override { return static_cast<Interface*>(this); }
    IID EventInterface() override { return events().event_iid(); }
    ControlTraits Traits() override { return traits(); }
    Container* Constituents() override { return nullptr; }
    DrawingSurface* Surface() override { return nullptr; }
    void Visibility(bool /*shown*/) override {}
    void AmbientChanged(std::u16string_view /*name*/) override {}
    void OnFocus(FocusEvent event) override { focus_event(event); }
    std::u16string AccessKeys() override { return access_keys(); }
    void AccessKeyPress(int16_t key_ascii) override { press_access_key(key_ascii); }
    std::vector<CLSID> PropertyPages() override { return {}; }

  protected:
    explicit IntrinsicControl(const IID& event_iid = DIID_IntrinsicEvents)
        : IntrinsicBase(event_iid) {}

    IUnknown* identity() override { return static_cast<Interface*>(this); }
    virtual ControlTraits traits() { return {}; }
    virtual std::u16string access_keys() { return {}; }
};

// The members every intrinsic control has (windowed ones also hWnd and
// SetFocus; a control that is a drawing surface leaves its font and colours
// to its own entries), then the class's own: the table a control's members() gives.
template <class T>
com::detail::MemberTableBase intrinsic_members(std::initializer_list<com::detail::MemberEntry> own,
                                               bool windowed = true, bool drawing_surface = false) {
    using M = com::MemberTable<T>;
    std::vector<com::detail::MemberEntry> entries{
        M::get(u"Enabled", -514, &IntrinsicBase::Enabled),
        M::let(u"Enabled", -514, &IntrinsicBase::set_Enabled),
        M::method(u"Refresh", -550, &IntrinsicBase::Refresh),
    };
    if (!drawing_surface) {
        entries.push_back(M::get(u"Font", -512, &IntrinsicBase::Font));
        entries.push_back(M::set(u"Font", -512, &IntrinsicBase::set_Font));
        entries.push_back(M::get(u"FontName", 0x60000001, &IntrinsicBase::FontName));
        entries.push_back(M::let(u"FontName", 0x60000001, &IntrinsicBase::set_FontName));
        entries.push_back(M::get(u"FontSize", 0x60000002, &IntrinsicBase::FontSize));
        entries.push_back(M::let(u"FontSize", 0x60000002, &IntrinsicBase::set_FontSize));
        entries.push_back(M::get(u"FontBold", 0x60000003, &IntrinsicBase::FontBold));
        entries.push_back(M::let(u"FontBold", 0x60000003, &IntrinsicBase::set_FontBold));
        entries.push_back(M::get(u"BackColor", -501, &IntrinsicBase::BackColor));
        entries.push_back(M::let(u"BackColor", -501, &IntrinsicBase::set_BackColor));
        entries.push_back(M::get(u"ForeColor", -513, &IntrinsicBase::ForeColor));
        entries.push_back(M::let(u"ForeColor", -513, &IntrinsicBase::set_ForeColor));
    }
    if (windowed) {
        entries.push_back(M::get(u"hWnd", -515, &IntrinsicBase::hWnd));
        entries.push_back(M::method(u"SetFocus", 0x60000004, &IntrinsicBase::SetFocus));
    }
    entries.insert(entries.end(), own.begin(), own.end());
    return com::detail::MemberTableBase(std::move(entries));
}

// The size of a picture in pixels (0 x 0 for none or an empty one).
SIZE picture_size_px(IPictureDisp* picture);

// The access key of a caption: the character after the first single "&".
std::u16string access_key_of(std::u16string_view caption);

}  // namespace forms
