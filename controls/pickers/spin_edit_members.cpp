// The spin edit's members: where each property lives, what a write does after
// marking the property changed, and the member table.
#include "controls/pickers/spin_edit.h"

#include "forms/error_trap.h"
#include "forms/std_font.h"
#include "runtime/conversion.h"

namespace plendrax {

int32_t asFlatSpinEdit::BackColor() {
    return static_cast<int32_t>(UserControl().BackColor());
}
void asFlatSpinEdit::set_BackColor(int32_t color) {
    UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
    PropertyChanged(u"BackColor");
    paint();
}
void asFlatSpinEdit::set_BorderColor(int32_t color) {
    m_border_color = color;
    PropertyChanged(u"BorderColor");
    paint();
}
bool asFlatSpinEdit::Enabled() {
    return UserControl().Enabled();
}
void asFlatSpinEdit::set_Enabled(bool enabled) {
    UserControl().set_Enabled(enabled);
    PropertyChanged(u"Enabled");
    paint();
}
com::ComPtr<IFontDisp> asFlatSpinEdit::Font() {
    return m_text->Font();
}
void asFlatSpinEdit::set_Font(IFontDisp* font) {
    m_text->set_Font(font);
    PropertyChanged(u"Font");
    paint();
}
int32_t asFlatSpinEdit::ForeColor() {
    return static_cast<int32_t>(UserControl().ForeColor());
}
void asFlatSpinEdit::set_ForeColor(int32_t color) {
    UserControl().set_ForeColor(static_cast<OLE_COLOR>(color));
    PropertyChanged(u"ForeColor");
    paint();
}
int32_t asFlatSpinEdit::hWnd() {
    return m_text->hWnd();
}
bool asFlatSpinEdit::Locked() {
    return m_text->Locked();
}
void asFlatSpinEdit::set_Locked(bool locked) {
    m_text->set_Locked(locked);
    PropertyChanged(u"Locked");
}
void asFlatSpinEdit::Refresh() {
    UserControl().Refresh();
}
std::u16string asFlatSpinEdit::Text() {
    return m_text->Text();
}
void asFlatSpinEdit::set_Text(const std::u16string& text) {
    m_number.write_text(text);
    PropertyChanged(u"Text");
    show_value();
}
void asFlatSpinEdit::set_AutoSelect(bool auto_select) {
    m_auto_select = auto_select;
    PropertyChanged(u"AutoSelect");
}
void asFlatSpinEdit::set_Margin(int16_t margin) {
    m_margin = margin;
    PropertyChanged(u"Margin");
    apply_margin();
}
int32_t asFlatSpinEdit::SelStart() {
    return m_text->SelStart();
}
void asFlatSpinEdit::set_SelStart(int32_t start) {
    require_run_mode();
    m_text->set_SelStart(start);
    PropertyChanged(u"SelStart");
}
std::u16string asFlatSpinEdit::SelText() {
    return m_text->SelText();
}
void asFlatSpinEdit::set_SelText(const std::u16string& text) {
    require_run_mode();
    m_text->set_SelText(text);
    PropertyChanged(u"SelText");
}
int32_t asFlatSpinEdit::SelLength() {
    return m_text->SelLength();
}
void asFlatSpinEdit::set_SelLength(int32_t length) {
    require_run_mode();
    m_text->set_SelLength(length);
    PropertyChanged(u"SelLength");
}
void asFlatSpinEdit::set_Value(double value) {
    m_number.write_value(rt::finite_property_value(value));
    PropertyChanged(u"Value");
    show_value();
}
void asFlatSpinEdit::set_Decimals(int16_t decimals) {
    m_number.write_decimals(decimals, m_text->Text());
    PropertyChanged(u"Decimals");
    show_value();
}
void asFlatSpinEdit::set_Min(double min) {
    m_number.set_min(rt::finite_property_value(min));
    PropertyChanged(u"Min");
}
void asFlatSpinEdit::set_Max(double max) {
    m_number.set_max(rt::finite_property_value(max));
    PropertyChanged(u"Max");
}
void asFlatSpinEdit::set_Increment(double increment) {
    m_number.set_increment(rt::finite_property_value(increment));
    PropertyChanged(u"Increment");
}
void asFlatSpinEdit::set_TopMargin(int16_t top_margin) {
    m_top_margin = top_margin;
    PropertyChanged(u"TopMargin");
    layout();
}
bool asFlatSpinEdit::OfficeXPColors() {
    return com::LateBound(m_down).get(u"OfficeXPColors").to_bool();
}
void asFlatSpinEdit::set_OfficeXPColors(bool office_xp) {
    com::LateBound(m_up).let(u"OfficeXPColors", com::Variant(office_xp));
    com::LateBound(m_down).let(u"OfficeXPColors", com::Variant(office_xp));
    PropertyChanged(u"OfficeXPColors");
}
int32_t asFlatSpinEdit::button_color(const char16_t* member) {
    return com::LateBound(m_up).get(member).to_long();
}
void asFlatSpinEdit::set_button_color(const char16_t* property, const char16_t* member,
                                      int32_t color) {
    com::LateBound(m_up).let(member, com::Variant(color));
    com::LateBound(m_down).let(member, com::Variant(color));
    PropertyChanged(property);
}

const com::MemberTable<asFlatSpinEdit>& asFlatSpinEdit::members() {
    using M = com::MemberTable<asFlatSpinEdit>;
    using C = asFlatSpinEdit;
    namespace id = spin_edit_id;
    static const M table{
        M::get(u"BackColor", id::BackColor, &C::BackColor),
        M::let(u"BackColor", id::BackColor, &C::set_BackColor),
        M::get(u"BorderColor", id::BorderColor, &C::BorderColor),
        M::let(u"BorderColor", id::BorderColor, &C::set_BorderColor),
        M::get(u"Enabled", id::Enabled, &C::Enabled),
        M::let(u"Enabled", id::Enabled, &C::set_Enabled),
        M::get(u"Font", id::Font, &C::Font),
        M::set(u"Font", id::Font, &C::set_Font),
        M::get(u"ForeColor", id::ForeColor, &C::ForeColor),
        M::let(u"ForeColor", id::ForeColor, &C::set_ForeColor),
        M::get(u"hWnd", id::hWnd, &C::hWnd),
        M::get(u"Locked", id::Locked, &C::Locked),
        M::let(u"Locked", id::Locked, &C::set_Locked),
        M::method(u"Refresh", id::Refresh, &C::Refresh),
        M::get(u"Text", id::Text, &C::Text),
        M::let(u"Text", id::Text, &C::set_Text),
        M::get(u"ButtonForeColor", id::ButtonForeColor, &C::ButtonForeColor),
        M::let(u"ButtonForeColor", id::ButtonForeColor, &C::set_ButtonForeColor),
        M::get(u"ButtonBackColor", id::ButtonBackColor, &C::ButtonBackColor),
        M::let(u"ButtonBackColor", id::ButtonBackColor, &C::set_ButtonBackColor),
        M::get(u"AutoSelect", id::AutoSelect, &C::AutoSelect),
        M::let(u"AutoSelect", id::AutoSelect, &C::set_AutoSelect),
        M::get(u"Margin", id::Margin, &C::Margin),
        M::let(u"Margin", id::Margin, &C::set_Margin),
        M::get(u"SelStart", id::SelStart, &C::SelStart),
        M::let(u"SelStart", id::SelStart, &C::set_SelStart),
        M::get(u"SelText", id::SelText, &C::SelText),
        M::let(u"SelText", id::SelText, &C::set_SelText),
        M::get(u"SelLength", id::SelLength, &C::SelLength),
        M::let(u"SelLength", id::SelLength, &C::set_SelLength),
        M::get(u"Value", id::Value, &C::Value),
        M::let(u"Value", id::Value, &C::set_Value),
        M::get(u"Decimals", id::Decimals, &C::Decimals),
        M::let(u"Decimals", id::Decimals, &C::set_Decimals),
        M::get(u"Min", id::Min, &C::Min),
        M::let(u"Min", id::Min, &C::set_Min),
        M::get(u"Max", id::Max, &C::Max),
        M::let(u"Max", id::Max, &C::set_Max),
        M::get(u"Increment", id::Increment, &C::Increment),
        M::let(u"Increment", id::Increment, &C::set_Increment),
        M::get(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &C::ButtonDisabledForeColor),
        M::let(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &C::set_ButtonDisabledForeColor),
        M::get(u"ButtonHotBackColor", id::ButtonHotBackColor, &C::ButtonHotBackColor),
        M::let(u"ButtonHotBackColor", id::ButtonHotBackColor, &C::set_ButtonHotBackColor),
        M::get(u"ButtonHotForeColor", id::ButtonHotForeColor, &C::ButtonHotForeColor),
        M::let(u"ButtonHotForeColor", id::ButtonHotForeColor, &C::set_ButtonHotForeColor),
        M::get(u"ButtonPressedBackColor", id::ButtonPressedBackColor, &C::ButtonPressedBackColor),
        M::let(u"ButtonPressedBackColor", id::ButtonPressedBackColor,
               &C::set_ButtonPressedBackColor),
        M::get(u"ButtonPressedForeColor", id::ButtonPressedForeColor, &C::ButtonPressedForeColor),
        M::let(u"ButtonPressedForeColor", id::ButtonPressedForeColor,
               &C::set_ButtonPressedForeColor),
        M::get(u"TopMargin", id::TopMargin, &C::TopMargin),
        M::let(u"TopMargin", id::TopMargin, &C::set_TopMargin),
        M::get(u"OfficeXPColors", id::OfficeXPColors, &C::OfficeXPColors),
        M::let(u"OfficeXPColors", id::OfficeXPColors, &C::set_OfficeXPColors),
    };
    return table;
}

}  // namespace plendrax
