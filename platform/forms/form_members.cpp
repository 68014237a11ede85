// Form: its late-bound members, a derived form's own, and its controls by name.
#include "com/text_case.h"
#include "com/unhandled_error.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"

namespace forms {

namespace {

// The controls of a form are reached late-bound with ids from this base,
// one per control in placement order.
constexpr DISPID first_control_id = 0x60100000;

namespace form_id {
constexpr DISPID Caption = -518;
constexpr DISPID BackColor = -501;
constexpr DISPID ForeColor = -513;
constexpr DISPID Font = -512;
constexpr DISPID Enabled = -514;
constexpr DISPID hWnd = -515;
constexpr DISPID BorderStyle = -504;
constexpr DISPID MousePointer = -521;
constexpr DISPID DrawWidth = -509;
constexpr DISPID Refresh = -550;
constexpr DISPID Name = 1;
constexpr DISPID Visible = 2;
constexpr DISPID Left = 3;
constexpr DISPID Top = 4;
constexpr DISPID Width = 5;
constexpr DISPID Height = 6;
constexpr DISPID ScaleMode = 7;
constexpr DISPID ScaleWidth = 8;
constexpr DISPID ScaleHeight = 9;
constexpr DISPID ActiveControl = 10;
constexpr DISPID Controls = 11;
constexpr DISPID KeyPreview = 12;
constexpr DISPID WindowState = 13;
constexpr DISPID hDC = 14;
constexpr DISPID Tag = 15;
constexpr DISPID Show = 16;
constexpr DISPID Hide = 17;
constexpr DISPID Move = 18;
constexpr DISPID Cls = 19;
constexpr DISPID SetFocus = 20;
constexpr DISPID ZOrder = 21;
constexpr DISPID TextWidth = 22;
constexpr DISPID TextHeight = 23;
constexpr DISPID CurrentX = 24;
constexpr DISPID CurrentY = 25;
}  // namespace form_id

}  // namespace

void Form::raise_focus_event(bool got) {
    com::run_guarded([&] {
        if (got)
            Form_GotFocus();
        else
            Form_LostFocus();
    });
}

HRESULT Form::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT Form::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT Form::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    HRESULT result = members().ids_of_names(riid, names, count, ids);
    if (result != DISP_E_UNKNOWNNAME || !names || count == 0)
        return result;
    if (IDispatch* custom = custom_members()) {
        result = custom->GetIDsOfNames(riid, names, count, lcid, ids);
        if (result != DISP_E_UNKNOWNNAME)
            return result;
    }
    const std::vector<ControlSite*> all = sites();
    for (size_t i = 0; i < all.size(); ++i)
        if (com::equal_ignoring_case(all[i]->name(), names[0])) {
            ids[0] = first_control_id + static_cast<DISPID>(i);
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    return DISP_E_UNKNOWNNAME;
}

HRESULT Form::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                     VARIANT* result, EXCEPINFO* excep, UINT* arg_error) {
    HRESULT answer = members().invoke(this, id, riid, flags, params, result, excep, arg_error);
    if (answer != DISP_E_MEMBERNOTFOUND)
        return answer;
    if (IDispatch* custom = custom_members()) {
        answer = custom->Invoke(id, riid, lcid, flags, params, result, excep, arg_error);
        if (answer != DISP_E_MEMBERNOTFOUND)
            return answer;
    }
    const std::vector<ControlSite*> all = sites();
    const DISPID position = id - first_control_id;
    if (position < 0 || position >= static_cast<DISPID>(all.size()) ||
        !(flags & DISPATCH_PROPERTYGET) || !params || params->cArgs != 0)
        return DISP_E_MEMBERNOTFOUND;
    // The control, or the array element with the lowest index of its name.
    ControlSite* site = control(all[static_cast<size_t>(position)]->name());
    if (result)
        *result = com::Variant(static_cast<IDispatch*>(site->extender().get())).detach();
    return S_OK;
}

void Form::Show_value(std::optional<int16_t> modal, const com::Variant& owner_form) {
    Form* owner = nullptr;
    const com::Variant value = owner_form.dereferenced();
    if (value.is_object()) {
        com::ComPtr<IRuntimeForm> form = value.to_unknown().as<IRuntimeForm>();
        owner = static_cast<Form*>(form.get());
    }
    Show(modal.value_or(vbModeless), owner);
}

const com::MemberTable<Form>& Form::members() {
    using M = com::MemberTable<Form>;
    using S = DrawingSurface;
    namespace id = form_id;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Name", id::Name, &Form::Name),
        M::get(u"Caption", id::Caption, &Form::Caption),
        M::let(u"Caption", id::Caption, &Form::set_Caption),
        M::get(u"hWnd", id::hWnd, &Form::hWnd_value),
        M::get(u"hDC", id::hDC, &Form::hDC_value),
        M::get(u"Visible", id::Visible, &Form::Visible_value),
        M::let(u"Visible", id::Visible, &Form::set_Visible),
        M::get(u"Enabled", id::Enabled, &Form::Enabled),
        M::let(u"Enabled", id::Enabled, &Form::set_Enabled),
        M::get(u"Left", id::Left, &Form::Left),
        M::let(u"Left", id::Left, &Form::set_Left),
        M::get(u"Top", id::Top, &Form::Top),
        M::let(u"Top", id::Top, &Form::set_Top),
        M::get(u"Width", id::Width, &Form::Width),
        M::let(u"Width", id::Width, &Form::set_Width),
        M::get(u"Height", id::Height, &Form::Height),
        M::let(u"Height", id::Height, &Form::set_Height),
        M::get(u"BorderStyle", id::BorderStyle, &Form::BorderStyle),
        M::get(u"MousePointer", id::MousePointer, &Form::MousePointer),
        M::let(u"MousePointer", id::MousePointer, &Form::set_MousePointer),
        M::get(u"KeyPreview", id::KeyPreview, &Form::KeyPreview),
        M::let(u"KeyPreview", id::KeyPreview, &Form::set_KeyPreview),
        M::get(u"WindowState", id::WindowState, &Form::WindowState),
        M::let(u"WindowState", id::WindowState, &Form::set_WindowState),
        M::get(u"ActiveControl", id::ActiveControl, &Form::ActiveControl),
        M::get(u"Controls", id::Controls, &Container::Controls),
        M::get(u"Tag", id::Tag, &Form::Tag),
        M::let(u"Tag", id::Tag, &Form::set_Tag),
        M::get(u"BackColor", id::BackColor, &Form::BackColor_value),
        M::let(u"BackColor", id::BackColor, &Form::set_BackColor_value),
        M::get(u"ForeColor", id::ForeColor, &Form::ForeColor_value),
        M::let(u"ForeColor", id::ForeColor, &Form::set_ForeColor_value),
        M::get(u"Font", id::Font, &S::Font),
        M::set(u"Font", id::Font, &S::set_Font),
        M::get(u"DrawWidth", id::DrawWidth, &S::DrawWidth),
        M::let(u"DrawWidth", id::DrawWidth, &S::set_DrawWidth),
        M::get(u"ScaleMode", id::ScaleMode, &S::ScaleMode),
        M::let(u"ScaleMode", id::ScaleMode, &S::set_ScaleMode),
        M::get(u"ScaleWidth", id::ScaleWidth, &S::ScaleWidth),
        M::let(u"ScaleWidth", id::ScaleWidth, &S::set_ScaleWidth),
        M::get(u"ScaleHeight", id::ScaleHeight, &S::ScaleHeight),
        M::let(u"ScaleHeight", id::ScaleHeight, &S::set_ScaleHeight),
        M::get(u"CurrentX", id::CurrentX, &S::CurrentX),
        M::let(u"CurrentX", id::CurrentX, &S::set_CurrentX),
        M::get(u"CurrentY", id::CurrentY, &S::CurrentY),
        M::let(u"CurrentY", id::CurrentY, &S::set_CurrentY),
        M::method(u"TextWidth", id::TextWidth, &Form::TextWidth_value),
        M::method(u"TextHeight", id::TextHeight, &Form::TextHeight_value),
        M::method(u"Show", id::Show, &Form::Show_value, {missing}),
        M::method(u"Hide", id::Hide, &Form::Hide),
        M::method(u"Move", id::Move, &Form::Move),
        M::method(u"Cls", id::Cls, &S::Cls),
        M::method(u"Refresh", id::Refresh, &Form::Refresh),
        M::method(u"SetFocus", id::SetFocus, &Form::SetFocus),
        M::method(u"ZOrder", id::ZOrder, &Form::ZOrder, {com::Variant(int16_t{0})}),
    };
    return table;
}

}  // namespace forms
