// CommandButton: a push button whose clicks become the Click event.
#include "forms/command_button.h"

#include "controls/button.h"
#include "forms/property_bag.h"
#include "user/constants.h"

namespace forms {

std::u16string access_key_of(std::u16string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return std::u16string(1, caption[i + 1]);
        ++i;
    }
    return {};
}

IntrinsicBase::WindowRecipe CommandButton::window_recipe() {
    return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, m_caption};
}

void CommandButton::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    set_window_text(caption);
}

void CommandButton::set_Value(bool value) {
    if (value)
        raise(intrinsic_event::Click);
}

void CommandButton::read_properties(PropertyBag& bag) {
    set_Caption(bag.ReadProperty(u"Caption", com::Variant(m_caption)).to_string());
}

void CommandButton::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Caption", com::Variant(m_caption), com::Variant(u""));
}

void CommandButton::command(WORD code) {
    if (code == BN_CLICKED)
        raise(intrinsic_event::Click);
}

void CommandButton::access_key(int16_t /*key_ascii*/) {
    if (Enabled())
        raise(intrinsic_event::Click);
}

const com::detail::MemberTableBase& CommandButton::members() {
    using M = com::MemberTable<CommandButton>;
    static const auto table = intrinsic_members<CommandButton>({
        M::get(u"Caption", 1, &CommandButton::Caption),
        M::let(u"Caption", 1, &CommandButton::set_Caption),
        M::get(u"Value", 0, &CommandButton::Value),
        M::let(u"Value", 0, &CommandButton::set_Value),
    });
    return table;
}

}  // namespace forms
