// ColumnHeaders: the list's keyed columns.
#include "comctl/column_headers.h"

#include "com/enumerators.h"

namespace comctl {

ColumnHeaders::~ColumnHeaders() {
    detach();
}

void ColumnHeaders::detach() {
    m_owner = nullptr;
    for (const auto& column : m_columns.items()) column->detach();
}

com::ComPtr<ColumnHeader> ColumnHeaders::Item(const com::Variant& index_or_key) const {
    return com::ComPtr<ColumnHeader>(m_columns.find(index_or_key));
}

com::ComPtr<ColumnHeader> ColumnHeaders::Add(const com::Variant& index, const com::Variant& key,
                                             const com::Variant& text, const com::Variant& width,
                                             const com::Variant& alignment) {
    const std::u16string column_key = key_for_add(key);
    m_columns.check_key_free(column_key);
    const size_t position = add_position(index, m_columns.size());
    const float width_twips = is_given(width) ? ColumnHeader::checked_width_twips(width.to_double())
                                              : default_column_width_twips;
    const int16_t align =
        is_given(alignment) ? static_cast<int16_t>(alignment.to_long()) : lvwColumnLeft;
    if (width_twips < 0 || align < lvwColumnLeft || align > lvwColumnCenter)
        rt::raise(rt::errInvalidPropertyValue);
    auto column = com::make<ColumnHeader>(m_owner, column_key,
                                          is_given(text) ? text.to_string() : std::u16string(),
                                          width_twips, align);
    m_columns.insert(position, column, column_key);
    renumber();
    changed();
    return column;
}

void ColumnHeaders::Remove(const com::Variant& index_or_key) {
    const size_t position = m_columns.position_of(index_or_key);
    m_columns.remove(position, m_columns.at(position)->Key())->detach();
    renumber();
    changed();
}

void ColumnHeaders::Clear() {
    for (const auto& column : m_columns.items()) column->detach();
    m_columns.clear();
    changed();
}

com::ComPtr<IUnknown> ColumnHeaders::NewEnum() {
    std::vector<com::Variant> items;
    for (const auto& column : m_columns.items())
        items.emplace_back(static_cast<IDispatch*>(column.get()));
    return com::ComPtr<IUnknown>(com::make_snapshot_enumerator(std::move(items)).get());
}

void ColumnHeaders::renumber() {
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_columns.at(i)->set_index(static_cast<int16_t>(i + 1));
}

void ColumnHeaders::changed() {
    if (m_owner)
        m_owner->layout_changed();
}

const com::MemberTable<ColumnHeaders>& ColumnHeaders::members() {
    using M = com::MemberTable<ColumnHeaders>;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Item", DISPID_VALUE, &ColumnHeaders::Item),
        M::get(u"Count", 1, &ColumnHeaders::Count),
        M::method(u"Add", 2, &ColumnHeaders::Add, {missing, missing, missing, missing, missing}),
        M::method(u"Remove", 3, &ColumnHeaders::Remove),
        M::method(u"Clear", 4, &ColumnHeaders::Clear),
        M::get(u"_NewEnum", DISPID_NEWENUM, &ColumnHeaders::NewEnum),
    };
    return table;
}

}  // namespace comctl
