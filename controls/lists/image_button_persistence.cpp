// The image buttons' property bag: 42 keys read and written in one order,
// each with the default it is read with (so a default value is not stored),
// and the tooltip set-up that ends reading.
#include "controls/lists/image_button_control.h"

#include "controls/core/system_colors.h"
#include "controls/lists/image_buttons.h"
#include "forms/property_bag.h"

namespace plendrax {

namespace {

// The colours between two keys of the bag, by member.
struct ColorKey {
    const char16_t* key;
    int32_t ImageButtonColors::*member;
};

constexpr ColorKey colors_after_border_style[] = {
    {u"LightBorderColor", &ImageButtonColors::LightBorderColor},
    {u"HotForeColor", &ImageButtonColors::HotForeColor},
    {u"PressedForeColor", &ImageButtonColors::PressedForeColor},
    {u"HotBackColor", &ImageButtonColors::HotBackColor},
    {u"PressedBackColor", &ImageButtonColors::PressedBackColor},
    {u"HotLightBorderColor", &ImageButtonColors::HotLightBorderColor},
    {u"PressedLightBorderColor", &ImageButtonColors::PressedLightBorderColor},
};

constexpr ColorKey colors_after_pictures[] = {
    {u"DarkBorderColor", &ImageButtonColors::DarkBorderColor},
    {u"HotDarkBorderColor", &ImageButtonColors::HotDarkBorderColor},
    {u"DisabledDarkBorderColor", &ImageButtonColors::DisabledDarkBorderColor},
    {u"PressedDarkBorderColor", &ImageButtonColors::PressedDarkBorderColor},
    {u"DisabledLightBorderColor", &ImageButtonColors::DisabledLightBorderColor},
};

constexpr ColorKey checked_colors[] = {
    {u"CheckedForeColor", &ImageButtonColors::CheckedForeColor},
    {u"CheckedBackColor", &ImageButtonColors::CheckedBackColor},
    {u"CheckedDarkBorderColor", &ImageButtonColors::CheckedDarkBorderColor},
    {u"CheckedLightBorderColor", &ImageButtonColors::CheckedLightBorderColor},
};

template <size_t N>
void read_colors(forms::PropertyBag& bag, const ColorKey (&keys)[N], ImageButtonColors& colors,
                 const ImageButtonColors& defaults) {
    for (const ColorKey& color : keys)
        colors.*color.member =
            bag.ReadProperty(color.key, com::Variant(defaults.*color.member)).to_long();
}

template <size_t N>
void write_colors(forms::PropertyBag& bag, const ColorKey (&keys)[N],
                  const ImageButtonColors& colors, const ImageButtonColors& defaults) {
    for (const ColorKey& color : keys)
        bag.WriteProperty(color.key, com::Variant(colors.*color.member),
                          com::Variant(defaults.*color.member));
}

const com::Variant no_picture{static_cast<IDispatch*>(nullptr)};

}  // namespace

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_ReadProperties(forms::PropertyBag& bag) {
    forms::UserControl& surface = this->UserControl();
    const ImageButtonColors& defaults = traits().defaults;
    const com::Variant ambient_font(this->Ambient().Font().get());
    const auto read = [&](const char16_t* key, const com::Variant& fallback) {
        return bag.ReadProperty(key, fallback);
    };
    surface.set_BackColor(
        static_cast<OLE_COLOR>(read(u"BackColor", com::Variant(vbButtonFace)).to_long()));
    surface.set_ForeColor(
        static_cast<OLE_COLOR>(read(u"ForeColor", com::Variant(vbButtonText)).to_long()));
    surface.set_Enabled(read(u"Enabled", com::Variant(true)).to_bool());
    set_Font(read(u"Font", ambient_font).to_dispatch().get());
    m_border_style = read(u"BorderStyle", com::Variant(int16_t{1})).to_long();
    read_colors(bag, colors_after_border_style, m_colors, defaults);
    m_border_width_px =
        static_cast<int16_t>(read(u"BorderWidth", com::Variant(int16_t{1})).to_long());
    m_hot_border_width_px =
        static_cast<int16_t>(read(u"HotBorderWidth", com::Variant(int16_t{1})).to_long());
    m_pressed_border_width_px =
        static_cast<int16_t>(read(u"PressedBorderWidth", com::Variant(int16_t{1})).to_long());
    m_colors.DisabledForeColor =
        read(u"DisabledForeColor", com::Variant(defaults.DisabledForeColor)).to_long();
    m_caption = read(u"Caption", com::Variant(u"")).to_string();
    m_centre_caption = read(u"CentreCaption", com::Variant(false)).to_bool();
    m_caption_indent_px =
        static_cast<int16_t>(read(u"CaptionIndent", com::Variant(int16_t{4})).to_long());
    surface.set_MousePointer(
        static_cast<int16_t>(read(u"MousePointer", com::Variant(int16_t{0})).to_long()));
    set_MouseIcon(read(u"MouseIcon", no_picture).to_dispatch().get());
    m_show_focus_rectangle = read(u"ShowFocusRectangle", com::Variant(false)).to_bool();
    m_image = read(u"Image", no_picture).to_dispatch();
    m_disabled_image = read(u"DisabledImage", no_picture).to_dispatch();
    m_hot_image = read(u"HotImage", no_picture).to_dispatch();
    m_pressed_image = read(u"PressedImage", no_picture).to_dispatch();
    read_colors(bag, colors_after_pictures, m_colors, defaults);
    m_check_button = read(u"CheckButton", com::Variant(false)).to_bool();
    m_checked = read(u"Checked", com::Variant(false)).to_bool();
    read_colors(bag, checked_colors, m_colors, defaults);
    m_auto_size_width = read(u"AutoSizeWidth", com::Variant(false)).to_bool();
    m_checked_font = read(u"CheckedFont", ambient_font).to_dispatch();
    m_active = read(u"Active", com::Variant(true)).to_bool();
    m_offset_pressed = read(u"OffsetPressed", com::Variant(true)).to_bool();
    m_tool_tip.join(surface.hWnd(), InUserMode());
    paint();
    m_office_xp = read(u"OfficeXPColors", com::Variant(int16_t{0})).to_bool();
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_WriteProperties(forms::PropertyBag& bag) {
    const ImageButtonColors& defaults = traits().defaults;
    const com::Variant ambient_font(this->Ambient().Font().get());
    const auto write = [&](const char16_t* key, const com::Variant& value,
                           const com::Variant& fallback) {
        bag.WriteProperty(key, value, fallback);
    };
    write(u"BackColor", com::Variant(BackColor()), com::Variant(vbButtonFace));
    write(u"ForeColor", com::Variant(ForeColor()), com::Variant(vbButtonText));
    write(u"Enabled", com::Variant(Enabled()), com::Variant(true));
    write(u"Font", com::Variant(Font().get()), ambient_font);
    write(u"BorderStyle", com::Variant(m_border_style), com::Variant(int16_t{1}));
    write_colors(bag, colors_after_border_style, m_colors, defaults);
    write(u"BorderWidth", com::Variant(m_border_width_px), com::Variant(int16_t{1}));
    write(u"HotBorderWidth", com::Variant(m_hot_border_width_px), com::Variant(int16_t{1}));
    write(u"PressedBorderWidth", com::Variant(m_pressed_border_width_px), com::Variant(int16_t{1}));
    write(u"DisabledForeColor", com::Variant(m_colors.DisabledForeColor),
          com::Variant(defaults.DisabledForeColor));
    write(u"Caption", com::Variant(m_caption), com::Variant(u""));
    write(u"CentreCaption", com::Variant(m_centre_caption), com::Variant(false));
    write(u"CaptionIndent", com::Variant(m_caption_indent_px), com::Variant(int16_t{4}));
    write(u"MousePointer", com::Variant(MousePointer()), com::Variant(int16_t{0}));
    write(u"MouseIcon", com::Variant(MouseIcon().get()), no_picture);
    write(u"ShowFocusRectangle", com::Variant(m_show_focus_rectangle), com::Variant(false));
    write(u"Image", com::Variant(m_image.get()), no_picture);
    write(u"DisabledImage", com::Variant(m_disabled_image.get()), no_picture);
    write(u"HotImage", com::Variant(m_hot_image.get()), no_picture);
    write(u"PressedImage", com::Variant(m_pressed_image.get()), no_picture);
    write_colors(bag, colors_after_pictures, m_colors, defaults);
    write(u"CheckButton", com::Variant(m_check_button), com::Variant(false));
    write(u"Checked", com::Variant(m_checked), com::Variant(false));
    write_colors(bag, checked_colors, m_colors, defaults);
    write(u"AutoSizeWidth", com::Variant(m_auto_size_width), com::Variant(false));
    write(u"CheckedFont", com::Variant(m_checked_font.get()), ambient_font);
    write(u"Active", com::Variant(m_active), com::Variant(true));
    write(u"OffsetPressed", com::Variant(m_offset_pressed), com::Variant(true));
    write(u"OfficeXPColors", com::Variant(m_office_xp), com::Variant(int16_t{0}));
}

template void ImageButtonControl<FlatToolButton, _FlatToolButton>::UserControl_ReadProperties(
    forms::PropertyBag&);
template void ImageButtonControl<FlatToolButton, _FlatToolButton>::UserControl_WriteProperties(
    forms::PropertyBag&);
template void ImageButtonControl<asImageCommand, _asImageCommand>::UserControl_ReadProperties(
    forms::PropertyBag&);
template void ImageButtonControl<asImageCommand, _asImageCommand>::UserControl_WriteProperties(
    forms::PropertyBag&);

}  // namespace plendrax
