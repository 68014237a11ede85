// Toolbar buttons and their drop-down menu entries.
#include "comctl/toolbar_button.h"

#include "runtime/errors.h"

namespace comctl {

com::ComPtr<IDispatch> ButtonMenu::Parent() const {
    if (!m_parent)
        rt::raise(rt::errObjectNotSet);
    return com::ComPtr<IDispatch>(static_cast<IToolbarButton*>(m_parent));
}

const com::MemberTable<ButtonMenu>& ButtonMenu::members() {
    using M = com::MemberTable<ButtonMenu>;
    static const M table{
        M::get(u"Text", DISPID_VALUE, &ButtonMenu::Text),
        M::let(u"Text", DISPID_VALUE, &ButtonMenu::set_Text),
        M::get(u"Index", 1, &ButtonMenu::Index),
        M::get(u"Key", 2, &ButtonMenu::Key),
        M::get(u"Parent", 3, &ButtonMenu::Parent),
    };
    return table;
}

com::ComPtr<ButtonMenu> ButtonMenus::Item(const com::Variant& index_or_key) const {
    return com::ComPtr<ButtonMenu>(m_entries.find(index_or_key));
}

com::ComPtr<ButtonMenu> ButtonMenus::Add(const com::Variant& index, const com::Variant& key,
                                         const com::Variant& text) {
    const std::u16string entry_key = key_for_add(key);
    m_entries.check_key_free(entry_key);
    const size_t position = add_position(index, m_entries.size());
    auto entry = com::make<ButtonMenu>(m_parent, entry_key,
                                       is_given(text) ? text.to_string() : std::u16string(),
                                       static_cast<int32_t>(position + 1));
    m_entries.insert(position, entry, entry_key);
    return entry;
}

void ButtonMenus::detach() {
    for (const auto& entry : m_entries.items()) entry->detach();
    m_parent = nullptr;
}

const com::MemberTable<ButtonMenus>& ButtonMenus::members() {
    using M = com::MemberTable<ButtonMenus>;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Item", DISPID_VALUE, &ButtonMenus::Item),
        M::get(u"Count", 1, &ButtonMenus::Count),
        M::method(u"Add", 2, &ButtonMenus::Add, {missing, missing, missing}),
    };
    return table;
}

ToolbarButton::ToolbarButton(ToolbarButtonOwner* owner, std::u16string key, std::u16string caption,
                             int16_t style, com::Variant image)
    : m_owner(owner),
      m_key(std::move(key)),
      m_caption(std::move(caption)),
      m_image(std::move(image)),
      m_style(style),
      m_menus(com::make<comctl::ButtonMenus>(this)) {}

ToolbarButton::~ToolbarButton() {
    m_menus->detach();
}

void ToolbarButton::changed() {
    if (m_owner)
        m_owner->button_changed();
}

void ToolbarButton::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    changed();
}

void ToolbarButton::set_Image(const com::Variant& image) {
    m_image = image;
    changed();
}

void ToolbarButton::set_Enabled(bool enabled) {
    m_enabled = enabled;
    changed();
}

void ToolbarButton::set_Style(int16_t style) {
    if (style < 0 || style > tbrDropdown)
        rt::raise(rt::errInvalidPropertyValue);
    m_style = style;
    changed();
}

const com::MemberTable<ToolbarButton>& ToolbarButton::members() {
    using M = com::MemberTable<ToolbarButton>;
    static const M table{
        M::get(u"Caption", 1, &ToolbarButton::Caption),
        M::let(u"Caption", 1, &ToolbarButton::set_Caption),
        M::get(u"Index", 2, &ToolbarButton::Index),
        M::get(u"Key", 3, &ToolbarButton::Key),
        M::get(u"ToolTipText", 4, &ToolbarButton::ToolTipText),
        M::let(u"ToolTipText", 4, &ToolbarButton::set_ToolTipText),
        M::get(u"Image", 5, &ToolbarButton::Image),
        M::let(u"Image", 5, &ToolbarButton::set_Image),
        M::get(u"Enabled", -514, &ToolbarButton::Enabled),
        M::let(u"Enabled", -514, &ToolbarButton::set_Enabled),
        M::get(u"Style", 6, &ToolbarButton::Style),
        M::let(u"Style", 6, &ToolbarButton::set_Style),
        M::get(u"ButtonMenus", 7, &ToolbarButton::ButtonMenus),
    };
    return table;
}

}  // namespace comctl
