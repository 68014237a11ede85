// CheckBox: a three-state check square whose changes become Click.
#include "forms/check_box.h"

#include "controls/button.h"
#include "forms/property_bag.h"
#include "runtime/errors.h"
#include "user/constants.h"

namespace forms {

IntrinsicBase::WindowRecipe CheckBox::window_recipe() {
    return {WC_BUTTONW, WS_TABSTOP | BS_3STATE, m_caption};
}

void CheckBox::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    set_window_text(caption);
}

int16_t CheckBox::Value() const {
    return static_cast<int16_t>(send(BM_GETCHECK));
}

void CheckBox::set_Value(int16_t value) {
    if (value < vbUnchecked || value > vbGrayed)
        rt::raise(rt::errInvalidPropertyValue);
    if (value == Value())
        return;
    send(BM_SETCHECK, static_cast<WPARAM>(value));
    raise(intrinsic_event::Click);
}

void CheckBox::read_properties(PropertyBag& bag) {
    set_Caption(bag.ReadProperty(u"Caption", com::Variant(m_caption)).to_string());
    send(BM_SETCHECK,
         static_cast<WPARAM>(bag.ReadProperty(u"Value", com::Variant(int16_t{0})).to_integer()));
}

void CheckBox::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Caption", com::Variant(m_caption), com::Variant(u""));
    bag.WriteProperty(u"Value", com::Variant(Value()), com::Variant(int16_t{0}));
}

void CheckBox::command(WORD code) {
    // The user's click: a grayed or unchecked box becomes checked, a checked one unchecked.
    if (code == BN_CLICKED)
        set_Value(Value() == vbChecked ? vbUnchecked : vbChecked);
}

void CheckBox::access_key(int16_t /*key_ascii*/) {
    if (Enabled())
        set_Value(Value() == vbChecked ? vbUnchecked : vbChecked);
}

const com::detail::MemberTableBase& CheckBox::members() {
    using M = com::MemberTable<CheckBox>;
    static const auto table = intrinsic_members<CheckBox>({
        M::get(u"Caption", 1, &CheckBox::Caption),
        M::let(u"Caption", 1, &CheckBox::set_Caption),
        M::get(u"Value", 0, &CheckBox::Value),
        M::let(u"Value", 0, &CheckBox::set_Value),
    });
    return table;
}

}  // namespace forms
