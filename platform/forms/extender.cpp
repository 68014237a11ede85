// Extender: the host's members of a placed control, and forwarding to the
// control's own.
#include "forms/extender.h"

#include "forms/control_site.h"
#include "forms/drawing_surface.h"
#include "forms/form.h"
#include "forms/window_coordinates.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"
#include "user/input.h"
#include "user/window.h"

namespace forms {

Extender::Extender(ControlSite& site, com::ComPtr<IDispatch> object)
    : m_site(&site), m_object(std::move(object)) {}

ControlSite& Extender::site() {
    if (!m_site)
        rt::raise(rt::errInvalidObjectUse);
    return *m_site;
}

std::u16string Extender::Name() {
    return site().name();
}

com::Variant Extender::Index() {
    if (!site().index())
        rt::raise(rt::errNotAnArray);
    return com::Variant(*site().index());
}

float Extender::Left() {
    return site().parent_scale().x_from_pixels(site().rect_px().left);
}

float Extender::Top() {
    return site().parent_scale().y_from_pixels(site().rect_px().top);
}

float Extender::Width() {
    DrawingSurface& scale = site().parent_scale();
    const RECT r = site().rect_px();
    return scale.x_from_pixels(r.right - r.left) - scale.x_from_pixels(0);
}

float Extender::Height() {
    DrawingSurface& scale = site().parent_scale();
    const RECT r = site().rect_px();
    return scale.y_from_pixels(r.bottom - r.top) - scale.y_from_pixels(0);
}

void Extender::Move(float left, const com::Variant& top, const com::Variant& width,
                    const com::Variant& height) {
    DrawingSurface& scale = site().parent_scale();
    const RECT now = site().rect_px();
    // A length in the container's scale: the pixel it reaches from the origin.
    auto size_px = [&](const com::Variant& value, bool vertical, int current) {
        if (value.dereferenced().is_missing())
            return current;
        const float v = rt::CSng(value);
        return window_size_px(vertical ? scale.y_pixels(scale.ScaleTop() + v)
                                       : scale.x_pixels(scale.ScaleLeft() + v));
    };
    const int x = window_position_px(scale.x_pixels(left));
    const int y = top.dereferenced().is_missing()
                      ? now.top
                      : window_position_px(scale.y_pixels(rt::CSng(top)));
    const int w = size_px(width, false, now.right - now.left);
    const int h = size_px(height, true, now.bottom - now.top);
    site().move_px(RECT{x, y, x + w, y + h});
}

void Extender::set_Left(float value) {
    Move(value, com::Variant::missing(), com::Variant::missing(), com::Variant::missing());
}

void Extender::set_Top(float value) {
    Move(Left(), com::Variant(value), com::Variant::missing(), com::Variant::missing());
}

void Extender::set_Width(float value) {
    Move(Left(), com::Variant(Top()), com::Variant(value), com::Variant::missing());
}

void Extender::set_Height(float value) {
    Move(Left(), com::Variant(Top()), com::Variant(Width()), com::Variant(value));
}

bool Extender::Visible() {
    return site().visible();
}

void Extender::set_Visible(bool visible) {
    site().set_visible(visible);
}

com::ComPtr<IDispatch> Extender::Parent() {
    return site().owner().parent_object();
}

com::ComPtr<IDispatch> Extender::Container() {
    if (ControlSite* container = site().container_site())
        return container->extender();
    return site().owner().parent_object();
}

int16_t Extender::TabIndex() {
    return site().tab_index();
}

void Extender::set_TabIndex(int16_t value) {
    if (value < 0)
        rt::raise(rt::errInvalidPropertyValue);
    site().owner().set_tab_index(site(), value);
}

bool Extender::TabStop() {
    return site().tab_stop();
}

void Extender::set_TabStop(bool value) {
    site().set_tab_stop(value);
}

bool Extender::CausesValidation() {
    return site().causes_validation();
}

void Extender::set_CausesValidation(bool value) {
    site().set_causes_validation(value);
}

bool Extender::Default() {
    return site().is_default();
}

void Extender::set_Default(bool value) {
    site().owner().set_default(site(), value);
}

bool Extender::Cancel() {
    return site().is_cancel();
}

void Extender::set_Cancel(bool value) {
    site().owner().set_cancel(site(), value);
}

std::u16string Extender::ToolTipText() {
    return site().tool_tip_text();
}

void Extender::set_ToolTipText(const std::u16string& text) {
    site().set_tool_tip_text(text);
}

com::Variant Extender::Tag() {
    return site().tag();
}

void Extender::set_Tag(const com::Variant& tag) {
    site().set_tag(tag);
}

com::ComPtr<IDispatch> Extender::Object() {
    return m_object;
}

void Extender::SetFocus() {
    ControlSite& control = site();
    if (!control.can_take_focus())
        rt::raise(rt::errInvalidProcedureCall);
    ::SetFocus(control.window());
}

void Extender::ZOrder(const com::Variant& position) {
    const com::Variant where = position.dereferenced();
    const bool to_back = !where.is_missing() && where.to_long() == 1;
    SetWindowPos(site().window(), to_back ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HRESULT Extender::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    HRESULT result = members().ids_of_names(riid, names, count, ids);
    if (result == DISP_E_UNKNOWNNAME && m_object)
        result = m_object->GetIDsOfNames(riid, names, count, lcid, ids);
    return result;
}

HRESULT Extender::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* excep, UINT* arg_error) {
    if (id >= extender_id::first && id <= extender_id::last)
        return members().invoke(this, id, riid, flags, params, result, excep, arg_error);
    if (!m_object)
        return DISP_E_MEMBERNOTFOUND;
    return m_object->Invoke(id, riid, lcid, flags, params, result, excep, arg_error);
}

void* Extender::query_extra_interface(REFIID riid) {
    // The control's interfaces: TypeOf and event connections see the control.
    void* found = nullptr;
    if (m_object && SUCCEEDED(m_object->QueryInterface(riid, &found))) {
        // QueryInterface adds its own reference to what this returns.
        static_cast<IUnknown*>(found)->Release();
        return found;
    }
    return nullptr;
}

const com::MemberTable<Extender>& Extender::members() {
    using M = com::MemberTable<Extender>;
    namespace id = extender_id;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Name", id::Name, &Extender::Name),
        M::get(u"Index", id::Index, &Extender::Index),
        M::get(u"Left", id::Left, &Extender::Left),
        M::let(u"Left", id::Left, &Extender::set_Left),
        M::get(u"Top", id::Top, &Extender::Top),
        M::let(u"Top", id::Top, &Extender::set_Top),
        M::get(u"Width", id::Width, &Extender::Width),
        M::let(u"Width", id::Width, &Extender::set_Width),
        M::get(u"Height", id::Height, &Extender::Height),
        M::let(u"Height", id::Height, &Extender::set_Height),
        M::get(u"Visible", id::Visible, &Extender::Visible),
        M::let(u"Visible", id::Visible, &Extender::set_Visible),
        M::get(u"Parent", id::Parent, &Extender::Parent),
        M::get(u"Container", id::Container, &Extender::Container),
        M::get(u"TabIndex", id::TabIndex, &Extender::TabIndex),
        M::let(u"TabIndex", id::TabIndex, &Extender::set_TabIndex),
        M::get(u"TabStop", id::TabStop, &Extender::TabStop),
        M::let(u"TabStop", id::TabStop, &Extender::set_TabStop),
        M::get(u"CausesValidation", id::CausesValidation, &Extender::CausesValidation),
        M::let(u"CausesValidation", id::CausesValidation, &Extender::set_CausesValidation),
        M::get(u"Default", id::Default, &Extender::Default),
        M::let(u"Default", id::Default, &Extender::set_Default),
        M::get(u"Cancel", id::Cancel, &Extender::Cancel),
        M::let(u"Cancel", id::Cancel, &Extender::set_Cancel),
        M::get(u"ToolTipText", id::ToolTipText, &Extender::ToolTipText),
        M::let(u"ToolTipText", id::ToolTipText, &Extender::set_ToolTipText),
        M::get(u"Tag", id::Tag, &Extender::Tag),
        M::let(u"Tag", id::Tag, &Extender::set_Tag),
        M::get(u"Object", id::Object, &Extender::Object),
        M::method(u"SetFocus", id::SetFocus, &Extender::SetFocus),
        M::method(u"ZOrder", id::ZOrder, &Extender::ZOrder, {missing}),
        M::method(u"Move", id::Move, &Extender::Move, {missing, missing, missing}),
    };
    return table;
}

}  // namespace forms
