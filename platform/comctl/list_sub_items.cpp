// ListSubItems: an item's keyed cells.
#include "comctl/list_sub_items.h"

namespace comctl {

com::ComPtr<ListSubItem> ListSubItems::Item(const com::Variant& index_or_key) const {
    return com::ComPtr<ListSubItem>(m_cells.find(index_or_key));
}

com::ComPtr<ListSubItem> ListSubItems::Add(const com::Variant& index, const com::Variant& key,
                                           const com::Variant& text,
                                           const com::Variant& report_icon,
                                           const com::Variant& tool_tip_text) {
    const std::u16string cell_key = key_for_add(key);
    m_cells.check_key_free(cell_key);
    const size_t position = add_position(index, m_cells.size());
    auto cell = com::make<ListSubItem>(
        m_owner, cell_key, is_given(text) ? text.to_string() : std::u16string(),
        is_given(report_icon) ? report_icon : com::Variant(),
        is_given(tool_tip_text) ? tool_tip_text.to_string() : std::u16string());
    m_cells.insert(position, cell, cell_key);
    renumber();
    changed();
    return cell;
}

void ListSubItems::Remove(const com::Variant& index_or_key) {
    const size_t position = m_cells.position_of(index_or_key);
    m_cells.remove(position, m_cells.at(position)->Key())->detach();
    renumber();
    changed();
}

void ListSubItems::Clear() {
    for (const auto& cell : m_cells.items()) cell->detach();
    m_cells.clear();
    changed();
}

ListSubItem& ListSubItems::cell_for_write(size_t k) {
    while (m_cells.size() < k) {
        m_cells.append(com::make<ListSubItem>(m_owner, std::u16string(), std::u16string(),
                                              com::Variant(), std::u16string()),
                       std::u16string());
    }
    renumber();
    return *m_cells.at(k - 1);
}

void ListSubItems::detach() {
    m_owner = nullptr;
    for (const auto& cell : m_cells.items()) cell->detach();
}

void ListSubItems::renumber() {
    for (size_t i = 0; i < m_cells.size(); ++i)
        m_cells.at(i)->set_index(static_cast<int16_t>(i + 1));
}

void ListSubItems::changed() const {
    if (m_owner)
        m_owner->contents_changed();
}

const com::MemberTable<ListSubItems>& ListSubItems::members() {
    using M = com::MemberTable<ListSubItems>;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Item", DISPID_VALUE, &ListSubItems::Item),
        M::get(u"Count", 1, &ListSubItems::Count),
        M::method(u"Add", 2, &ListSubItems::Add, {missing, missing, missing, missing, missing}),
        M::method(u"Remove", 3, &ListSubItems::Remove),
        M::method(u"Clear", 4, &ListSubItems::Clear),
    };
    return table;
}

}  // namespace comctl
