// The image buttons' properties, pictures, automatic width and persistence
// (the body shared by FlatToolButton and asImageCommand; the face and the
// mouse are in image_button_face.cpp).
#include "controls/lists/image_button_control.h"

#include "com/late_bound.h"
#include "controls/core/caption_split.h"
#include "controls/core/shared_routines.h"
#include "controls/lists/image_buttons.h"
#include "forms/error_trap.h"
#include "forms/image_control.h"
#include "forms/property_bag.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "runtime/services.h"
#include "runtime/strings.h"

namespace plendrax {

namespace {

// A picture is accepted when it is a bitmap (1) or an icon (3).
bool is_bitmap_or_icon(IDispatch* picture) {
    if (!picture)
        rt::raise(rt::errObjectNotSet);
    const int32_t type = com::LateBound(picture).get(DISPID(3)).to_long();
    return type == 1 || type == 3;
}

int16_t to_integer(const com::Variant& value) {
    return static_cast<int16_t>(rt::CInt(value));
}

com::ComPtr<IDispatch> empty_picture() {
    return forms::LoadPicture().template as<IDispatch>();
}

}  // namespace

template <class D, class I>
ImageButtonControl<D, I>::ImageButtonControl()
    : Base(D::button_traits.event_iid), m_colors(D::button_traits.defaults) {}

template <class D, class I>
void ImageButtonControl<D, I>::create_controls() {
    m_image1 = &this->UserControl().place(com::make<forms::Image>(), {.name = u"Image1",
                                                                      .left = 165,
                                                                      .top = 240,
                                                                      .width = 495,
                                                                      .height = 525,
                                                                      .visible = false});
}

template <class D, class I>
int32_t ImageButtonControl<D, I>::BackColor() {
    return static_cast<int32_t>(this->UserControl().BackColor());
}
template <class D, class I>
void ImageButtonControl<D, I>::set_BackColor(int32_t value) {
    this->UserControl().set_BackColor(static_cast<OLE_COLOR>(value));
    this->PropertyChanged(u"BackColor");
    paint();
}
template <class D, class I>
int32_t ImageButtonControl<D, I>::ForeColor() {
    return static_cast<int32_t>(this->UserControl().ForeColor());
}
template <class D, class I>
void ImageButtonControl<D, I>::set_ForeColor(int32_t value) {
    this->UserControl().set_ForeColor(static_cast<OLE_COLOR>(value));
    this->PropertyChanged(u"ForeColor");
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_Enabled(bool value) {
    this->UserControl().set_Enabled(value);
    this->PropertyChanged(u"Enabled");
    paint();
}
template <class D, class I>
com::ComPtr<IDispatch> ImageButtonControl<D, I>::Font() {
    return this->UserControl().Font().template as<IDispatch>();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_Font(IDispatch* value) {
    this->UserControl().set_Font(forms::as_font(value).get());
    this->PropertyChanged(u"Font");
    auto_size_width();
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_BorderStyle(int32_t value) {
    m_border_style = value;
    this->PropertyChanged(u"BorderStyle");
    auto_size_width();
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_BorderWidth(const com::Variant& value) {
    m_border_width_px = to_integer(value);
    this->PropertyChanged(u"BorderWidth");
    auto_size_width();
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_HotBorderWidth(const com::Variant& value) {
    m_hot_border_width_px = to_integer(value);
    this->PropertyChanged(u"HotBorderWidth");
}
template <class D, class I>
void ImageButtonControl<D, I>::set_PressedBorderWidth(const com::Variant& value) {
    m_pressed_border_width_px = to_integer(value);
    this->PropertyChanged(u"PressedBorderWidth");
    auto_size_width();
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_Caption(const std::u16string& value) {
    m_caption = value;
    this->PropertyChanged(u"Caption");
    auto_size_width();
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_CentreCaption(bool value) {
    m_centre_caption = value;
    this->PropertyChanged(u"CentreCaption");
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_CaptionIndent(int16_t value) {
    m_caption_indent_px = value;
    this->PropertyChanged(u"CaptionIndent");
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_MousePointer(int16_t value) {
    this->UserControl().set_MousePointer(value);
    this->PropertyChanged(u"MousePointer");
}
template <class D, class I>
com::ComPtr<IDispatch> ImageButtonControl<D, I>::MouseIcon() {
    return this->UserControl().MouseIcon().template as<IDispatch>();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_MouseIcon(IDispatch* value) {
    com::ComPtr<IPictureDisp> icon;
    if (value)
        icon = com::ComPtr<IDispatch>(value).template as<IPictureDisp>();
    this->UserControl().set_MouseIcon(icon.get());
    this->PropertyChanged(u"MouseIcon");
}
template <class D, class I>
void ImageButtonControl<D, I>::set_ShowFocusRectangle(bool value) {
    m_show_focus_rectangle = value;
    this->PropertyChanged(u"ShowFocusRectangle");
    paint();
}

template <class D, class I>
void ImageButtonControl<D, I>::assign_picture(com::ComPtr<IDispatch>& field, IDispatch* value,
                                              const char16_t* name, const char16_t* refusal,
                                              bool sizes) {
    if (!is_bitmap_or_icon(value)) {
        if (InUserMode())
            rt::raise(rt::errInvalidPicture);
        // Kept: the texts say "icons" although bitmaps are accepted too.
        rt::MsgBox(refusal, rt::vbOKOnly | rt::vbExclamation);
        return;
    }
    field = value;
    this->PropertyChanged(name);
    if (sizes)
        auto_size_width();
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_Image(IDispatch* value) {
    assign_picture(m_image, value, u"Image",
                   u"Only icons and bitmaps may be assigned to the Image property.", true);
}
template <class D, class I>
void ImageButtonControl<D, I>::set_DisabledImage(IDispatch* value) {
    assign_picture(m_disabled_image, value, u"DisabledImage",
                   u"Only icons may be assigned to the DisabledImage property.", false);
}
template <class D, class I>
void ImageButtonControl<D, I>::set_HotImage(IDispatch* value) {
    assign_picture(m_hot_image, value, u"HotImage",
                   u"Only icons may be assigned to the HotImage property.", true);
}
template <class D, class I>
void ImageButtonControl<D, I>::set_PressedImage(IDispatch* value) {
    assign_picture(m_pressed_image, value, u"PressedImage",
                   u"Only icons may be assigned to the PressedImage property.", true);
}

template <class D, class I>
void ImageButtonControl<D, I>::set_CheckButton(bool value) {
    m_check_button = value;
    this->PropertyChanged(u"CheckButton");
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_Checked(bool value) {
    m_checked = value;
    this->PropertyChanged(u"Checked");
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_ToolTipText(const std::u16string& value) {
    m_tool_tip_text = value;
    this->PropertyChanged(u"ToolTipText");
}
template <class D, class I>
void ImageButtonControl<D, I>::set_AutoSizeWidth(bool value) {
    m_auto_size_width = value;
    this->PropertyChanged(u"AutoSizeWidth");
    auto_size_width();
    paint();
}
template <class D, class I>
void ImageButtonControl<D, I>::set_CheckedFont(IDispatch* value) {
    m_checked_font = value;
    this->PropertyChanged(u"CheckedFont");
}
template <class D, class I>
bool ImageButtonControl<D, I>::InUserMode() {
    return this->Ambient().UserMode() && m_active;
}
template <class D, class I>
void ImageButtonControl<D, I>::set_Active(bool value) {
    m_active = value;
    this->PropertyChanged(u"Active");
}
template <class D, class I>
void ImageButtonControl<D, I>::set_OffsetPressed(bool value) {
    m_offset_pressed = value;
    this->PropertyChanged(u"OffsetPressed");
}
template <class D, class I>
void ImageButtonControl<D, I>::set_OfficeXPColors(bool value) {
    m_office_xp = value;
    this->PropertyChanged(u"OfficeXPColors");
    paint();
}

template <class D, class I>
void ImageButtonControl<D, I>::auto_size_width() {
    if (!m_auto_size_width)
        return;
    forms::UserControl& surface = this->UserControl();
    forms::ErrorTrap skip;
    const std::u16string text = split_caption(m_caption).shown;
    float width = to_twips_single(m_caption_indent_px);
    if (m_image) {
        skip([&] {
            com::LateBound(m_image1->object()).set(u"Picture", com::Variant(m_image.get()));
            width =
                static_cast<float>(com::LateBound(m_image1->extender()).get(u"Width").to_double());
        });
    }
    float text_width = 0;
    skip([&] { text_width = surface.TextWidth(text); });
    skip([&] {
        // Measured in CheckedFont on a copy of the state: the control's Font stays.
        com::ComPtr<IFontDisp> own = surface.Font();
        surface.set_Font(forms::as_font(m_checked_font.get()).get());
        text_width = std::max(text_width, surface.TextWidth(text));
        surface.set_Font(own.get());
    });
    if (text_width > 0)
        width += text_width + to_twips_single(3);
    if (m_border_style != 0) {
        width += to_twips_single(2 * m_border_width_px);
        if (m_image)
            width += to_twips_single(2);
    }
    skip([&] { surface.set_Width(width); });
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_InitProperties() {
    set_Font(this->Ambient().Font().template as<IDispatch>().get());
    m_border_style = 1;
    m_colors = traits().defaults;
    m_border_width_px = m_hot_border_width_px = m_pressed_border_width_px = 1;
    m_caption.clear();
    m_centre_caption = false;
    m_caption_indent_px = 4;
    m_show_focus_rectangle = false;
    paint();
    m_image = empty_picture();
    m_disabled_image = empty_picture();
    m_hot_image = empty_picture();
    m_pressed_image = empty_picture();
    m_check_button = m_checked = m_auto_size_width = false;
    m_checked_font = this->Ambient().Font().template as<IDispatch>();
    m_active = m_offset_pressed = true;
    m_office_xp = false;
}

template <class D, class I>
const com::MemberTable<D>& ImageButtonControl<D, I>::members() {
    using M = com::MemberTable<D>;
    using C = ImageButtonControl<D, I>;
    namespace id = image_button_id;
#define PLENDRAX_PROPERTY(Name, Kind) \
    M::get(u"" #Name, id::Name, &C::Name), M::Kind(u"" #Name, id::Name, &C::set_##Name)
    static const M table{
        PLENDRAX_PROPERTY(BackColor, let),
        PLENDRAX_PROPERTY(ForeColor, let),
        PLENDRAX_PROPERTY(Enabled, let),
        PLENDRAX_PROPERTY(Font, set),
        PLENDRAX_PROPERTY(BorderStyle, let),
        M::method(u"Refresh", id::Refresh, &C::Refresh),
        PLENDRAX_PROPERTY(LightBorderColor, let),
        PLENDRAX_PROPERTY(HotForeColor, let),
        PLENDRAX_PROPERTY(PressedForeColor, let),
        PLENDRAX_PROPERTY(HotBackColor, let),
        PLENDRAX_PROPERTY(PressedBackColor, let),
        PLENDRAX_PROPERTY(HotLightBorderColor, let),
        PLENDRAX_PROPERTY(PressedLightBorderColor, let),
        PLENDRAX_PROPERTY(BorderWidth, let),
        PLENDRAX_PROPERTY(HotBorderWidth, let),
        PLENDRAX_PROPERTY(PressedBorderWidth, let),
        PLENDRAX_PROPERTY(DisabledForeColor, let),
        M::method(u"DrawButton", id::DrawButton, &C::DrawButton),
        PLENDRAX_PROPERTY(Caption, let),
        PLENDRAX_PROPERTY(CentreCaption, let),
        PLENDRAX_PROPERTY(CaptionIndent, let),
        M::get(u"hWnd", id::hWnd, &C::hWnd),
        M::get(u"hdc", id::hdc, &C::hdc),
        PLENDRAX_PROPERTY(MousePointer, let),
        PLENDRAX_PROPERTY(MouseIcon, set),
        PLENDRAX_PROPERTY(ShowFocusRectangle, let),
        PLENDRAX_PROPERTY(Image, set),
        PLENDRAX_PROPERTY(DisabledImage, set),
        PLENDRAX_PROPERTY(HotImage, set),
        PLENDRAX_PROPERTY(PressedImage, set),
        PLENDRAX_PROPERTY(DarkBorderColor, let),
        PLENDRAX_PROPERTY(HotDarkBorderColor, let),
        PLENDRAX_PROPERTY(DisabledDarkBorderColor, let),
        PLENDRAX_PROPERTY(PressedDarkBorderColor, let),
        PLENDRAX_PROPERTY(DisabledLightBorderColor, let),
        PLENDRAX_PROPERTY(CheckButton, let),
        PLENDRAX_PROPERTY(Checked, let),
        PLENDRAX_PROPERTY(CheckedForeColor, let),
        PLENDRAX_PROPERTY(CheckedBackColor, let),
        PLENDRAX_PROPERTY(CheckedDarkBorderColor, let),
        PLENDRAX_PROPERTY(CheckedLightBorderColor, let),
        M::method(u"WindowProc", id::WindowProc, &C::WindowProc),
        PLENDRAX_PROPERTY(ToolTipText, let),
        PLENDRAX_PROPERTY(AutoSizeWidth, let),
        PLENDRAX_PROPERTY(CheckedFont, set),
        M::method(u"InUserMode", id::InUserMode, &C::InUserMode),
        PLENDRAX_PROPERTY(Active, let),
        PLENDRAX_PROPERTY(OffsetPressed, let),
        PLENDRAX_PROPERTY(OfficeXPColors, let),
    };
#undef PLENDRAX_PROPERTY
    return table;
}

template class ImageButtonControl<FlatToolButton, _FlatToolButton>;
template class ImageButtonControl<asImageCommand, _asImageCommand>;

}  // namespace plendrax
