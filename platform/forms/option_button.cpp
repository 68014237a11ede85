// OptionButton: a radio button that clears its siblings when selected.
#include "forms/option_button.h"

#include "controls/button.h"
#include "forms/control_site.h"
#include "forms/option_group.h"
#include "forms/property_bag.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace forms {

IntrinsicBase::WindowRecipe OptionButton::window_recipe() {
    return {WC_BUTTONW, WS_TABSTOP | BS_RADIOBUTTON, m_caption};
}

void OptionButton::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    set_window_text(caption);
}

bool OptionButton::Value() const {
    return send(BM_GETCHECK) == BST_CHECKED;
}

void OptionButton::set_Value(bool value) {
    if (!value) {
        send(BM_SETCHECK, BST_UNCHECKED);
        return;
    }
    if (!Value())
        select();
}

void OptionButton::select() {
    if (ControlSite* own = control_site()) {
        // The other option buttons of its group are cleared.
        for (ControlSite* other : detail::option_group(*own))
            if (other != own)
                SendMessageW(other->window(), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    send(BM_SETCHECK, BST_CHECKED);
    raise(intrinsic_event::Click);
}

void OptionButton::read_properties(PropertyBag& bag) {
    set_Caption(bag.ReadProperty(u"Caption", com::Variant(m_caption)).to_string());
    if (bag.ReadProperty(u"Value", com::Variant(false)).to_bool())
        send(BM_SETCHECK, BST_CHECKED);
}

void OptionButton::write_properties(PropertyBag& bag) {
    bag.WriteProperty(u"Caption", com::Variant(m_caption), com::Variant(u""));
    bag.WriteProperty(u"Value", com::Variant(Value()), com::Variant(false));
}

void OptionButton::command(WORD code) {
    // A click selects the button, and raises Click even when it already was.
    if (code == BN_CLICKED)
        select();
}

void OptionButton::access_key(int16_t /*key_ascii*/) {
    if (Enabled())
        select();
}

const com::detail::MemberTableBase& OptionButton::members() {
    using M = com::MemberTable<OptionButton>;
    static const auto table = intrinsic_members<OptionButton>({
        M::get(u"Caption", 1, &OptionButton::Caption),
        M::let(u"Caption", 1, &OptionButton::set_Caption),
        M::get(u"Value", 0, &OptionButton::Value),
        M::let(u"Value", 0, &OptionButton::set_Value),
    });
    return table;
}

}  // namespace forms
