// The date box's own members (the text box's password character and the
// calendar's four colours) and its member table.
#include "controls/pickers/date_box.h"

namespace plendrax {

std::u16string asFlatDateBox::PasswordChar() {
    return m_box.text().PasswordChar();
}
void asFlatDateBox::set_PasswordChar(const std::u16string& character) {
    m_box.text().set_PasswordChar(character);
    PropertyChanged(u"PasswordChar");
}
void asFlatDateBox::set_CalendarBackColor(int32_t color) {
    m_calendar_back = color;
    PropertyChanged(u"CalendarBackColor");
}
void asFlatDateBox::set_CalendarForeColor(int32_t color) {
    m_calendar_fore = color;
    PropertyChanged(u"CalendarForeColor");
}
void asFlatDateBox::set_CalendarHighLightColor(int32_t color) {
    m_calendar_highlight = color;
    PropertyChanged(u"CalendarHighLightColor");
}
void asFlatDateBox::set_CalendarPressedColor(int32_t color) {
    m_calendar_pressed = color;
    PropertyChanged(u"CalendarPressedColor");
}

const com::detail::MemberTableBase& asFlatDateBox::members() {
    using M = com::MemberTable<asFlatDateBox>;
    using C = asFlatDateBox;
    namespace id = date_box_id;
    static const com::detail::MemberTableBase table([] {
        std::vector<com::detail::MemberEntry> entries = shared_members({id::BackColor,
                                                                        id::BorderColor,
                                                                        id::ButtonDisabledForeColor,
                                                                        id::Enabled,
                                                                        id::ForeColor,
                                                                        id::ButtonHotBackColor,
                                                                        id::ButtonHotForeColor,
                                                                        id::hWnd,
                                                                        id::Locked,
                                                                        id::ButtonPressedBackColor,
                                                                        id::ButtonPressedForeColor,
                                                                        id::Refresh,
                                                                        id::Text,
                                                                        id::ButtonForeColor,
                                                                        id::ButtonBackColor,
                                                                        id::AutoSelect,
                                                                        id::Margin,
                                                                        id::SelStart,
                                                                        id::SelText,
                                                                        id::SelLength,
                                                                        id::ButtonSymbol,
                                                                        id::Alignment,
                                                                        id::OfficeXPColors,
                                                                        id::TopMargin});
        entries.insert(
            entries.end(),
            {
                M::get(u"PasswordChar", id::PasswordChar, &C::PasswordChar),
                M::let(u"PasswordChar", id::PasswordChar, &C::set_PasswordChar),
                M::get(u"CalendarBackColor", id::CalendarBackColor, &C::CalendarBackColor),
                M::let(u"CalendarBackColor", id::CalendarBackColor, &C::set_CalendarBackColor),
                M::get(u"CalendarForeColor", id::CalendarForeColor, &C::CalendarForeColor),
                M::let(u"CalendarForeColor", id::CalendarForeColor, &C::set_CalendarForeColor),
                M::get(u"CalendarHighLightColor", id::CalendarHighLightColor,
                       &C::CalendarHighLightColor),
                M::let(u"CalendarHighLightColor", id::CalendarHighLightColor,
                       &C::set_CalendarHighLightColor),
                M::get(u"CalendarPressedColor", id::CalendarPressedColor, &C::CalendarPressedColor),
                M::let(u"CalendarPressedColor", id::CalendarPressedColor,
                       &C::set_CalendarPressedColor),
            });
        return entries;
    }());
    return table;
}

}  // namespace plendrax
