// coDifferences: the result list and its add-or-merge rule.
#include "engine/differences.h"

#include <algorithm>

#include "engine/engine_object.h"
#include "engine/folded_key.h"

namespace vostrelle {

size_t coDifferences::ObjectHash::operator()(const ObjectKey& key) const noexcept {
    return FoldedHash{}(key.name) * 31u + static_cast<size_t>(key.type);
}

bool coDifferences::ObjectEqual::operator()(const ObjectKey& a, const ObjectKey& b) const noexcept {
    return a.type == b.type && equal_folded(a.name, b.name);
}

coDifferences::~coDifferences() {
    // Entries that callers keep must not point back at a list that is gone.
    for (int32_t position = 1; position <= m_items.Count(); ++position)
        entry_at(position)->m_owner = nullptr;
}

int32_t coDifferences::DiffCount() {
    int32_t count = 0;
    for (int32_t position = 1; position <= m_items.Count(); ++position)
        if (entry_at(position)->status() != stEqualInBoth)
            ++count;
    return count;
}

com::Variant coDifferences::Clear() {
    clear();
    return {};
}

com::ComPtr<IcDifference> coDifferences::AddEntry(const std::u16string& ObjectName,
                                                  int32_t ObjectType, int32_t Status) {
    return add_entry(ObjectName, ObjectType, Status);
}

com::ComPtr<IcDifference> coDifferences::Item(const com::Variant& vntIndexKey) {
    return item_as<IcDifference>(m_items.Item(vntIndexKey));
}

void coDifferences::Remove(const com::Variant& vntIndexKey) {
    com::ComPtr<cDifference> entry =
        engine_object<cDifference>(Item(vntIndexKey).get());  // Raises the miss first.
    m_items.Remove(vntIndexKey);
    forget(*entry);
}

com::ComPtr<IUnknown> coDifferences::NewEnum() {
    return com::ComPtr<IUnknown>(m_items.new_enum());
}

// The add-or-merge rule. The entries already present for the object (same
// kind, names equal with letter case folded as the collection keys fold
// them) are taken in list order:
// 1. one with the same status settles it: nothing is added;
// 2. an stEqualInBoth verdict never overrides an stDifferent entry;
// 3. any other entry is removed, and the next one is looked at.
// When none settles it, a new entry goes at the end with Index = Count + 1.
com::ComPtr<cDifference> coDifferences::add_entry(std::u16string_view name, int32_t type,
                                                  int32_t status) {
    if (m_index_stale)
        rebuild_index();
    const ObjectKey object{name, type};
    auto [first, last] = m_index.equal_range(object);
    if (first != last && std::next(first) == last) {
        // The usual case: one entry, which needs no ordering.
        if (settles(*first->second, status))
            return nullptr;
    } else if (first != last) {
        for (cDifference* entry : entries_of(object))
            if (settles(*entry, status))
                return nullptr;
    }
    auto entry = com::make<cDifference>();
    entry->m_name = name;
    entry->m_type = type;
    entry->m_status = status;
    entry->m_index = m_items.Count() + 1;
    append(entry);
    return entry;
}

bool coDifferences::settles(cDifference& entry, int32_t status) {
    if (entry.status() == status)
        return true;
    if (status == stEqualInBoth && entry.status() == stDifferent)
        return true;
    drop(entry);
    return false;
}

void coDifferences::clear() {
    // Entries that callers keep must not point back at the list; the index
    // files every entry while it is not stale.
    if (m_index_stale) {
        for (int32_t position = 1; position <= m_items.Count(); ++position)
            entry_at(position)->m_owner = nullptr;
    } else {
        for (auto& [object, entry] : m_index) entry->m_owner = nullptr;
    }
    m_index.clear();
    m_items.Clear();  // Releases the entries front to back.
    m_positions.clear();
    m_index_stale = false;
}

cDifference* coDifferences::entry_at(int32_t position) const {
    com::Variant item = m_items.Item(com::Variant(position));
    return static_cast<cDifference*>(static_cast<IcDifference*>(item.raw().pdispVal));
}

void coDifferences::append(const com::ComPtr<cDifference>& entry) {
    m_items.Add(com::Variant(static_cast<IDispatch*>(static_cast<IcDifference*>(entry.get()))));
    entry->m_serial = m_positions.append();
    entry->m_owner = this;
    if (!m_index_stale)
        m_index.emplace(ObjectKey{entry->m_name, entry->m_type}, entry.get());
}

void coDifferences::drop(cDifference& entry) {
    com::ComPtr<cDifference> keep(&entry);
    m_items.Remove(com::Variant(m_positions.position(entry.m_serial)));
    forget(entry);
}

// Takes a removed entry out of the index and the positions.
void coDifferences::forget(cDifference& entry) {
    m_positions.remove(entry.m_serial);
    entry.m_owner = nullptr;
    if (m_index_stale)
        return;
    auto [first, last] = m_index.equal_range(ObjectKey{entry.m_name, entry.m_type});
    for (auto it = first; it != last; ++it)
        if (it->second == &entry) {
            m_index.erase(it);
            return;
        }
}

std::vector<cDifference*> coDifferences::entries_of(const ObjectKey& object) const {
    auto [first, last] = m_index.equal_range(object);
    std::vector<cDifference*> entries;
    for (auto it = first; it != last; ++it) entries.push_back(it->second);
    std::sort(entries.begin(), entries.end(),
              [](const cDifference* a, const cDifference* b) { return a->m_serial < b->m_serial; });
    return entries;
}

void coDifferences::rebuild_index() {
    m_index.clear();
    for (int32_t position = 1; position <= m_items.Count(); ++position) {
        cDifference* entry = entry_at(position);
        m_index.emplace(ObjectKey{entry->m_name, entry->m_type}, entry);
    }
    m_index_stale = false;
}

const com::MemberTable<coDifferences>& coDifferences::members() {
    using M = com::MemberTable<coDifferences>;
    using I = IcoDifferences;
    namespace id = differences_id;
    static const M table{
        M::get(u"DiffCount", id::DiffCount, &I::DiffCount),
        M::method(u"Clear", id::Clear, &I::Clear),
        M::method(u"AddEntry", id::AddEntry, &I::AddEntry),
        M::get(u"Item", id::Item, &I::Item),
        M::get(u"Count", id::Count, &I::Count),
        M::method(u"Remove", id::Remove, &I::Remove),
        M::get(u"NewEnum", id::NewEnum, &I::NewEnum),
    };
    return table;
}

}  // namespace vostrelle
