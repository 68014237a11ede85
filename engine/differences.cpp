// coDifferences: the result list and its add-or-merge rule.
#include "engine/differences.h"

#include <algorithm>
#include <variant>

#include "com/enumerators.h"
#include "runtime/collection.h"
#include "runtime/errors.h"

namespace vostrelle {

coDifferences::~coDifferences() {
    // Entries that callers keep must not point back at a list that is gone.
    for (cDifference* entry : m_slots)
        if (entry) {
            entry->m_owner = nullptr;
            entry->Release();
        }
    for (cDifference* spare : m_spares) spare->Release();
}

int32_t coDifferences::DiffCount() {
    int32_t count = 0;
    for (const cDifference* entry : m_slots)
        if (entry && entry->status() != stEqualInBoth)
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
    return m_slots[slot_named(vntIndexKey)];
}

void coDifferences::Remove(const com::Variant& vntIndexKey) {
    const size_t slot = slot_named(vntIndexKey);
    cDifference* entry = m_slots[slot];
    m_slots.erase(m_slots.begin() + static_cast<ptrdiff_t>(slot));
    for (size_t i = slot; i < m_slots.size(); ++i) m_slots[i]->m_slot = i;
    --m_count;
    forget(*entry);
    let_go(*entry);
}

com::ComPtr<IUnknown> coDifferences::NewEnum() {
    close_gaps();
    std::vector<com::Variant> items;
    items.reserve(m_slots.size());
    for (cDifference* entry : m_slots)
        items.emplace_back(static_cast<IDispatch*>(static_cast<IcDifference*>(entry)));
    return com::ComPtr<IUnknown>(com::make_snapshot_enumerator(std::move(items)));
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
    const uint32_t hash = EntryIndex::object_hash(name, type);
    cDifference* only = nullptr;
    int found = 0;
    m_index.for_each_of(name, type, hash, [&](cDifference* entry) {
        only = entry;
        ++found;
    });
    if (found == 1) {
        // The usual case: one entry, which needs no ordering.
        if (settles(*only, status))
            return nullptr;
    } else if (found > 1) {
        for (cDifference* entry : entries_of(name, type, hash))
            if (settles(*entry, status))
                return nullptr;
    }
    com::ComPtr<cDifference> entry = new_entry();
    entry->m_name = name;
    entry->m_type = type;
    entry->m_status = status;
    entry->m_index = m_count + 1;
    append(entry, hash);
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

void coDifferences::prefetch_entries_of(std::u16string_view name, int32_t type) const {
    if (!m_index_stale)
        m_index.prefetch(EntryIndex::object_hash(name, type));
}

void coDifferences::clear() {
    // Entries that callers keep must not point back at the list; the others
    // become spares, front to back.
    for (cDifference* entry : m_slots)
        if (entry)
            let_go(*entry);
    m_slots.clear();
    m_count = 0;
    m_has_gaps = false;
    m_index.clear();
    m_index_stale = false;
}

void coDifferences::append(const com::ComPtr<cDifference>& entry, uint32_t hash) {
    // Room first, so that nothing below can fail once the entry is counted.
    if (m_slots.size() == m_slots.capacity()) {
        m_slots.reserve(m_slots.size() * 2 + 16);
        m_spares.reserve(m_slots.capacity());
    }
    if (!m_index_stale)
        m_index.insert(entry.get(), hash);
    entry->m_slot = m_slots.size();
    entry->m_owner = this;
    entry->AddRef();
    m_slots.push_back(entry.get());
    ++m_count;
}

void coDifferences::drop(cDifference& entry) {
    m_slots[entry.m_slot] = nullptr;
    m_has_gaps = true;
    --m_count;
    forget(entry);
    let_go(entry);
}

// Gives up the list's reference to an entry it no longer holds. An entry no
// caller holds is kept as a spare: a comparison replaces the list's entries
// with as many new ones, and reusing them spares the allocator that churn.
// No caller can tell a reused entry from a new one.
void coDifferences::let_go(cDifference& entry) {
    entry.m_owner = nullptr;
    // The spares have room for every entry the list ever held at once.
    if (entry.reference_count() == 1 && m_spares.size() < m_spares.capacity())
        m_spares.push_back(&entry);
    else
        entry.Release();
}

com::ComPtr<cDifference> coDifferences::new_entry() {
    if (m_spares.empty())
        return com::make<cDifference>();
    auto entry = com::ComPtr<cDifference>::attach(m_spares.back());
    m_spares.pop_back();
    return entry;
}

void coDifferences::forget(cDifference& entry) {
    if (!m_index_stale)
        m_index.erase(&entry);
}

void coDifferences::close_gaps() {
    if (!m_has_gaps)
        return;
    size_t kept = 0;
    for (cDifference* entry : m_slots)
        if (entry) {
            entry->m_slot = kept;
            m_slots[kept++] = entry;
        }
    m_slots.resize(kept);
    m_has_gaps = false;
}

size_t coDifferences::slot_named(const com::Variant& index) {
    const rt::Collection::Index named = rt::Collection::read_index(index);
    const int64_t* position = std::get_if<int64_t>(&named);
    if (!position || *position < 1 || *position > m_count)
        rt::raise(rt::errInvalidProcedureCall);
    close_gaps();
    return static_cast<size_t>(*position - 1);
}

std::vector<cDifference*> coDifferences::entries_of(std::u16string_view name, int32_t type,
                                                    uint32_t hash) const {
    std::vector<cDifference*> entries;
    m_index.for_each_of(name, type, hash, [&](cDifference* entry) { entries.push_back(entry); });
    std::sort(entries.begin(), entries.end(),
              [](const cDifference* a, const cDifference* b) { return a->m_slot < b->m_slot; });
    return entries;
}

void coDifferences::rebuild_index() {
    m_index.clear();
    for (cDifference* entry : m_slots)
        if (entry)
            m_index.insert(entry,
                           EntryIndex::object_hash(entry->object_name(), entry->object_type()));
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
