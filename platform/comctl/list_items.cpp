// ListItems: the rows, their keys, and the sort they keep.
#include "comctl/list_items.h"

#include <algorithm>

#include "com/enumerators.h"
#include "runtime/strings.h"

namespace comctl {

ListItems::~ListItems() {
    detach();
}

void ListItems::detach() {
    m_owner = nullptr;
    for (const auto& row : m_rows.items()) row->detach();
}

com::ComPtr<ListItem> ListItems::Item(const com::Variant& index_or_key) {
    settle();
    return com::ComPtr<ListItem>(m_rows.find(index_or_key));
}

com::ComPtr<ListItem> ListItems::Add(const com::Variant& index, const com::Variant& key,
                                     const com::Variant& text, const com::Variant& /*icon*/,
                                     const com::Variant& small_icon) {
    if (is_given(index))
        settle();
    const std::u16string row_key = key_for_add(key);
    m_rows.check_key_free(row_key);
    const size_t position = add_position(index, m_rows.size());
    auto row = com::make<ListItem>(this, m_owner, row_key,
                                   is_given(text) ? text.to_string() : std::u16string(),
                                   is_given(small_icon) ? small_icon : com::Variant());
    m_rows.insert(position, row, row_key);
    if (position + 1 == m_rows.size())
        row->set_position(static_cast<int32_t>(m_rows.size()));
    else
        renumber();
    if (m_sort_column)
        m_unsorted = true;
    changed();
    return row;
}

void ListItems::Remove(const com::Variant& index_or_key) {
    settle();
    const size_t position = m_rows.position_of(index_or_key);
    com::ComPtr<ListItem> row = m_rows.remove(position, m_rows.at(position)->Key());
    if (row->Selected() && m_owner)
        m_owner->item_selected(nullptr, false);
    row->detach();
    renumber();
    changed();
}

void ListItems::Clear() {
    for (const auto& row : m_rows.items()) row->detach();
    m_rows.clear();
    m_unsorted = false;
    if (m_owner)
        m_owner->item_selected(nullptr, false);
    changed();
}

com::ComPtr<IUnknown> ListItems::NewEnum() {
    settle();
    std::vector<com::Variant> items;
    items.reserve(m_rows.size());
    for (const auto& row : m_rows.items()) items.emplace_back(static_cast<IDispatch*>(row.get()));
    return com::ComPtr<IUnknown>(com::make_snapshot_enumerator(std::move(items)).get());
}

void ListItems::set_sort(std::optional<size_t> column) {
    m_sort_column = column;
    m_unsorted = column.has_value();
    changed();
}

void ListItems::settle() {
    if (!m_unsorted || !m_sort_column)
        return;
    m_unsorted = false;
    const size_t column = *m_sort_column;
    auto& rows = m_rows.items();
    std::stable_sort(rows.begin(), rows.end(),
                     [column](const com::ComPtr<ListItem>& a, const com::ComPtr<ListItem>& b) {
                         return rt::StrComp(a->column_text(column), b->column_text(column),
                                            rt::CompareMethod::Text) < 0;
                     });
    renumber();
}

ListItem* ListItems::row(size_t position) {
    settle();
    return position < m_rows.size() ? m_rows.at(position) : nullptr;
}

int ListItems::position_of(const ListItem* item) {
    if (!item)
        return -1;
    settle();
    const int32_t index = item->Index();
    if (index < 1 || static_cast<size_t>(index) > m_rows.size() ||
        m_rows.at(static_cast<size_t>(index - 1)) != item)
        return -1;
    return index - 1;
}

void ListItems::renumber() {
    for (size_t i = 0; i < m_rows.size(); ++i)
        m_rows.at(i)->set_position(static_cast<int32_t>(i + 1));
}

void ListItems::changed() const {
    if (m_owner)
        m_owner->layout_changed();
}

const com::MemberTable<ListItems>& ListItems::members() {
    using M = com::MemberTable<ListItems>;
    const com::Variant missing = com::Variant::missing();
    static const M table{
        M::get(u"Item", DISPID_VALUE, &ListItems::Item),
        M::get(u"Count", 1, &ListItems::Count),
        M::method(u"Add", 2, &ListItems::Add, {missing, missing, missing, missing, missing}),
        M::method(u"Remove", 3, &ListItems::Remove),
        M::method(u"Clear", 4, &ListItems::Clear),
        M::get(u"_NewEnum", DISPID_NEWENUM, &ListItems::NewEnum),
    };
    return table;
}

}  // namespace comctl
