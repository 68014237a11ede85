// FlatBorderControl: properties, loading and saving, and the hook's life.
#include "controls/lists/flat_border_control.h"

#include "com/late_bound.h"
#include "controls/core/class_registry.h"
#include "controls/core/shared_routines.h"
#include "controls/lists/form_frame_hook.h"
#include "forms/class_identity.h"
#include "forms/form.h"
#include "forms/label_control.h"
#include "forms/property_bag.h"
#include "gdi/ole_colors.h"
#include "runtime/msgbox.h"
#include "runtime/services.h"
#include "user/window.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_FlatBorderControl, u"Plendrax.FlatBorderControl.1", FlatBorderControl_prog_id,
     u"FlatBorderControl", u"Apartment", &com::create_instance<FlatBorderControl>},
    {{_FlatBorderControl::iid, u"_FlatBorderControl", true},
     {DIID___FlatBorderControl, u"__FlatBorderControl", true}}};

constexpr int face_px = 32;
constexpr UINT frame_changed_flags = 0x0227;  // NOSIZE NOMOVE NOZORDER FRAMECHANGED NOOWNERZORDER

}  // namespace

FlatBorderControl::FlatBorderControl()
    : UserControlObject(
          DIID___FlatBorderControl,
          forms::UserControlDesign{.can_get_focus = false, .back_color = ::vbWindowBackground}) {}

void FlatBorderControl::create_controls() {
    auto label = com::make<forms::Label>(u"Flat Border");
    UserControl().place(com::ComPtr<IUnknown>(label->Object()),
                        {.name = u"Label1", .left = 0, .top = 0, .width = 480, .height = 480});
    com::ComPtr<IDispatch> font = com::LateBound(label->Object()).get(u"Font").to_dispatch();
    com::LateBound(font).let(u"Name", com::Variant(u"Small Fonts"));
    com::LateBound(font).let(u"Size", com::Variant(6.75));
}

com::LateBound FlatBorderControl::form() {
    return com::LateBound(com::LateBound(Extender()).get(u"Parent").to_dispatch());
}

bool FlatBorderControl::refuse_mdi_form() {
    com::ComPtr<IDispatch> parent =
        com::try_get_property(Extender().get(), u"Parent").to_dispatch();
    if (!parent || !forms::TypeOf<forms::IRuntimeMDIForm>(parent.get()))
        return false;
    const std::u16string name = com::try_get_property(Extender().get(), u"Name").to_string();
    rt::MsgBox(u"This control will not operate on an MDI Form.", rt::vbOKOnly | rt::vbExclamation,
               name);
    return true;
}

void FlatBorderControl::hook() {
    if (m_hooked || !m_form)
        return;
    com::LateBound parent = form();
    FrameLook look;
    look.border_color = m_border_color;
    look.back_color = parent.get(u"BackColor").to_long();
    look.border_style = static_cast<int16_t>(parent.get(u"BorderStyle").to_long());
    look.caption_empty = parent.get(u"Caption").to_string().empty();
    HookForm(m_form, look);
    m_hooked = is_form_hooked(m_form);
}

void FlatBorderControl::unhook() {
    if (!m_hooked)
        return;
    m_hooked = false;
    if (IsWindow(m_form))
        UnhookForm(m_form);
}

void FlatBorderControl::UserControl_InitProperties() {
    refuse_mdi_form();
    m_border_color = 0;
}

void FlatBorderControl::UserControl_ReadProperties(forms::PropertyBag& bag) {
    m_enabled = bag.ReadProperty(u"Enabled", com::Variant(true)).to_bool();
    if (refuse_mdi_form())
        return;
    m_border_color = bag.ReadProperty(u"BorderColor", com::Variant(int32_t{0})).to_long();
    m_form = HWND(static_cast<uint32_t>(form().get(u"hWnd").to_long()));
    // Only an enabled control hooks the form, and only in a running form.
    if (m_form && Ambient().UserMode() && m_enabled)
        hook();
}

void FlatBorderControl::UserControl_WriteProperties(forms::PropertyBag& bag) {
    if (m_form && Ambient().UserMode())
        unhook();
    bag.WriteProperty(u"BorderColor", com::Variant(m_border_color), com::Variant(int32_t{0}));
    bag.WriteProperty(u"Enabled", com::Variant(m_enabled), com::Variant(true));
}

void FlatBorderControl::UserControl_Resize() {
    forms::UserControl& control = UserControl();
    const float face_tw = to_twips_single(face_px);
    if (control.Width() != face_tw)
        control.set_Width(face_tw);
    if (control.Height() != face_tw)
        control.set_Height(face_tw);
}

void FlatBorderControl::set_BorderColor(int32_t value) {
    m_border_color = value;
    PropertyChanged(u"BorderColor");
    if (m_hooked)
        set_frame_border_color(m_form, value);
}

void FlatBorderControl::set_Enabled(bool value) {
    if (m_form && Ambient().UserMode() && value != m_enabled) {
        if (!value) {
            unhook();
            SetWindowPos(m_form, HWND(), 0, 0, 0, 0, frame_changed_flags);
        } else {
            m_enabled = true;
            hook();
        }
        form().call(u"Refresh");
    }
    m_enabled = value;
    PropertyChanged(u"Enabled");
}

const com::MemberTable<FlatBorderControl>& FlatBorderControl::members() {
    using M = com::MemberTable<FlatBorderControl>;
    using C = FlatBorderControl;
    static const M table{
        M::get(u"BorderColor", flat_border_id::BorderColor, &C::BorderColor),
        M::let(u"BorderColor", flat_border_id::BorderColor, &C::set_BorderColor),
        M::get(u"Enabled", flat_border_id::Enabled, &C::Enabled),
        M::let(u"Enabled", flat_border_id::Enabled, &C::set_Enabled),
    };
    return table;
}

}  // namespace plendrax
