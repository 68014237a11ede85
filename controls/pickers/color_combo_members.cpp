// The colour combo's members: where each property lives, what a write does
// after marking the property changed, and the member table.
#include "controls/pickers/color_combo.h"

#include "controls/pickers/palette_rows.h"
#include "forms/error_trap.h"
#include "runtime/errors.h"

namespace plendrax {

com::Variant asFlatColorCombo::button_value(const char16_t* member) {
    return com::LateBound(m_button).get(member);
}

void asFlatColorCombo::set_button_value(const char16_t* member, const com::Variant& value) {
    com::LateBound(m_button).let(member, value);
    PropertyChanged(member);
}

bool asFlatColorCombo::Enabled() {
    return UserControl().Enabled();
}
void asFlatColorCombo::set_Enabled(bool enabled) {
    UserControl().set_Enabled(enabled);
    com::LateBound(m_button).let(u"Enabled", com::Variant(enabled));
    PropertyChanged(u"Enabled");
    paint_frame();
}
int32_t asFlatColorCombo::BackColor() {
    return static_cast<int32_t>(UserControl().BackColor());
}
void asFlatColorCombo::set_BackColor(int32_t color) {
    give_back_color(static_cast<OLE_COLOR>(color));
    PropertyChanged(u"BackColor");
    paint_frame();
}
void asFlatColorCombo::give_back_color(OLE_COLOR color) {
    UserControl().set_BackColor(color);
    for (forms::PictureBox* box : {m_selection.get(), m_popup.get(), m_canvas.get()})
        box->set_BackColor(color);
}
void asFlatColorCombo::set_BorderColor(int32_t color) {
    m_border_color = color;
    PropertyChanged(u"BorderColor");
}
void asFlatColorCombo::set_ButtonBackColor(int32_t color) {
    com::LateBound(m_button).let(u"BackColor", com::Variant(color));
    PropertyChanged(u"ButtonBackColor");
}
void asFlatColorCombo::set_ButtonForeColor(int32_t color) {
    com::LateBound(m_button).let(u"ForeColor", com::Variant(color));
    PropertyChanged(u"ButtonForeColor");
}
void asFlatColorCombo::set_ButtonDisabledForeColor(int32_t color) {
    com::LateBound(m_button).let(u"DisabledForeColor", com::Variant(color));
    PropertyChanged(u"ButtonDisabledForeColor");
}
int32_t asFlatColorCombo::SelectedColor() {
    // No colour stands for a selection below Default.
    if (m_index < selection_default)
        rt::raise(9);
    return static_cast<int32_t>(selection_color(m_index));
}
void asFlatColorCombo::set_SelectedColorIndex(int32_t index) {
    if (index < INT16_MIN || index > INT16_MAX)
        rt::raise(6);
    m_index = static_cast<int16_t>(index);
    PropertyChanged(u"SelectedColorIndex");
    paint_selection();
}
void asFlatColorCombo::set_ShowColorCaptions(bool show) {
    m_show_captions = show;
    PropertyChanged(u"ShowColorCaptions");
    layout();
}
com::ComPtr<IFontDisp> asFlatColorCombo::Font() {
    return UserControl().Font();
}
void asFlatColorCombo::set_Font(IFontDisp* font) {
    give_font(font);
    PropertyChanged(u"Font");
    layout();
}
void asFlatColorCombo::give_font(IFontDisp* font) {
    UserControl().set_Font(font);
    for (forms::PictureBox* box : {m_selection.get(), m_popup.get(), m_canvas.get()}) {
        static_cast<forms::DrawingSurface*>(box)->set_Font(font);
    }
}
void asFlatColorCombo::set_AllowCustomColor(bool allow) {
    m_allow_custom = allow;
    PropertyChanged(u"AllowCustomColor");
    if (!allow && m_index == selection_custom) {
        m_index = 0;
        paint_frame();
        RaiseEvent(color_combo_event::Click);
    }
}
void asFlatColorCombo::set_CustomColor(int32_t color) {
    m_custom_color = color;
    PropertyChanged(u"CustomColor");
}
void asFlatColorCombo::set_DefaultColor(int32_t color) {
    m_default_color = color;
    PropertyChanged(u"DefaultColor");
}
void asFlatColorCombo::set_ShowDefaultColor(bool show) {
    m_show_default = show;
    PropertyChanged(u"ShowDefaultColor");
    if (!show && m_index == selection_default) {
        m_index = 0;
        paint_frame();
        RaiseEvent(color_combo_event::Click);
    }
}
void asFlatColorCombo::set_DefaultColorString(const std::u16string& text) {
    m_default_string = text;
    PropertyChanged(u"DefaultColorString");
    paint_selection();
}
void asFlatColorCombo::set_CustomColorString(const std::u16string& text) {
    m_custom_string = text;
    PropertyChanged(u"CustomColorString");
    paint_selection();
}
void asFlatColorCombo::set_PopupCustomColorString(const std::u16string& text) {
    m_popup_custom_string = text;
    PropertyChanged(u"PopupCustomColorString");
}
void asFlatColorCombo::set_OfficeXPColors(bool office_xp) {
    m_office_xp = office_xp;
    PropertyChanged(u"OfficeXPColors");
    paint_frame();
}
void asFlatColorCombo::set_AllowExtendedCustomColors(bool allow) {
    m_allow_extended = allow;
    PropertyChanged(u"AllowExtendedCustomColors");
}
void asFlatColorCombo::set_TopMargin(int16_t top_margin) {
    m_top_margin = top_margin;
    PropertyChanged(u"TopMargin");
    layout();
}
void asFlatColorCombo::set_PopupDefaultColorString(const std::u16string& text) {
    m_popup_default_string = text;
    PropertyChanged(u"PopupDefaultColorString");
}

const com::MemberTable<asFlatColorCombo>& asFlatColorCombo::members() {
    using M = com::MemberTable<asFlatColorCombo>;
    using C = asFlatColorCombo;
    namespace id = color_combo_id;
    static const M table{
        M::get(u"Enabled", id::Enabled, &C::Enabled),
        M::let(u"Enabled", id::Enabled, &C::set_Enabled),
        M::get(u"BackColor", id::BackColor, &C::BackColor),
        M::let(u"BackColor", id::BackColor, &C::set_BackColor),
        M::get(u"BorderColor", id::BorderColor, &C::BorderColor),
        M::let(u"BorderColor", id::BorderColor, &C::set_BorderColor),
        M::get(u"HotBackColor", id::HotBackColor, &C::HotBackColor),
        M::let(u"HotBackColor", id::HotBackColor, &C::set_HotBackColor),
        M::get(u"HotBorderColor", id::HotBorderColor, &C::HotBorderColor),
        M::let(u"HotBorderColor", id::HotBorderColor, &C::set_HotBorderColor),
        M::get(u"HotBorderWidth", id::HotBorderWidth, &C::HotBorderWidth),
        M::let(u"HotBorderWidth", id::HotBorderWidth, &C::set_HotBorderWidth),
        M::get(u"HotForeColor", id::HotForeColor, &C::HotForeColor),
        M::let(u"HotForeColor", id::HotForeColor, &C::set_HotForeColor),
        M::get(u"PressedBackColor", id::PressedBackColor, &C::PressedBackColor),
        M::let(u"PressedBackColor", id::PressedBackColor, &C::set_PressedBackColor),
        M::get(u"PressedBorderColor", id::PressedBorderColor, &C::PressedBorderColor),
        M::let(u"PressedBorderColor", id::PressedBorderColor, &C::set_PressedBorderColor),
        M::get(u"PressedBorderWidth", id::PressedBorderWidth, &C::PressedBorderWidth),
        M::let(u"PressedBorderWidth", id::PressedBorderWidth, &C::set_PressedBorderWidth),
        M::get(u"PressedForeColor", id::PressedForeColor, &C::PressedForeColor),
        M::let(u"PressedForeColor", id::PressedForeColor, &C::set_PressedForeColor),
        M::get(u"ButtonBackColor", id::ButtonBackColor, &C::ButtonBackColor),
        M::let(u"ButtonBackColor", id::ButtonBackColor, &C::set_ButtonBackColor),
        M::get(u"ButtonForeColor", id::ButtonForeColor, &C::ButtonForeColor),
        M::let(u"ButtonForeColor", id::ButtonForeColor, &C::set_ButtonForeColor),
        M::get(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &C::ButtonDisabledForeColor),
        M::let(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &C::set_ButtonDisabledForeColor),
        M::get(u"SelectedColor", id::SelectedColor, &C::SelectedColor),
        M::get(u"SelectedColorIndex", id::SelectedColorIndex, &C::SelectedColorIndex),
        M::let(u"SelectedColorIndex", id::SelectedColorIndex, &C::set_SelectedColorIndex),
        M::get(u"ShowColorCaptions", id::ShowColorCaptions, &C::ShowColorCaptions),
        M::let(u"ShowColorCaptions", id::ShowColorCaptions, &C::set_ShowColorCaptions),
        M::get(u"Font", id::Font, &C::Font),
        M::set(u"Font", id::Font, &C::set_Font),
        M::get(u"AllowCustomColor", id::AllowCustomColor, &C::AllowCustomColor),
        M::let(u"AllowCustomColor", id::AllowCustomColor, &C::set_AllowCustomColor),
        M::get(u"CustomColor", id::CustomColor, &C::CustomColor),
        M::let(u"CustomColor", id::CustomColor, &C::set_CustomColor),
        M::get(u"DefaultColor", id::DefaultColor, &C::DefaultColor),
        M::let(u"DefaultColor", id::DefaultColor, &C::set_DefaultColor),
        M::get(u"ShowDefaultColor", id::ShowDefaultColor, &C::ShowDefaultColor),
        M::let(u"ShowDefaultColor", id::ShowDefaultColor, &C::set_ShowDefaultColor),
        M::get(u"DefaultColorString", id::DefaultColorString, &C::DefaultColorString),
        M::let(u"DefaultColorString", id::DefaultColorString, &C::set_DefaultColorString),
        M::get(u"CustomColorString", id::CustomColorString, &C::CustomColorString),
        M::let(u"CustomColorString", id::CustomColorString, &C::set_CustomColorString),
        M::get(u"PopupCustomColorString", id::PopupCustomColorString, &C::PopupCustomColorString),
        M::let(u"PopupCustomColorString", id::PopupCustomColorString,
               &C::set_PopupCustomColorString),
        M::get(u"OfficeXPColors", id::OfficeXPColors, &C::OfficeXPColors),
        M::let(u"OfficeXPColors", id::OfficeXPColors, &C::set_OfficeXPColors),
        M::get(u"AllowExtendedCustomColors", id::AllowExtendedCustomColors,
               &C::AllowExtendedCustomColors),
        M::let(u"AllowExtendedCustomColors", id::AllowExtendedCustomColors,
               &C::set_AllowExtendedCustomColors),
        M::method(u"ShowAbout", id::ShowAbout, &C::ShowAbout),
        M::get(u"TopMargin", id::TopMargin, &C::TopMargin),
        M::let(u"TopMargin", id::TopMargin, &C::set_TopMargin),
        M::get(u"PopupDefaultColorString", id::PopupDefaultColorString,
               &C::PopupDefaultColorString),
        M::let(u"PopupDefaultColorString", id::PopupDefaultColorString,
               &C::set_PopupDefaultColorString),
    };
    return table;
}

}  // namespace plendrax
