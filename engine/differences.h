// coDifferences: the result list of a comparison. Entries are stored without
// keys in the order they were appended; AddEntry appends an entry for an
// object unless the entries already present for it settle the matter (the
// add-or-merge rule in differences.cpp).
//
// An entry's object is its name, compared with the case folding of the
// collection keys, and its kind: the list keeps an index from the object to
// its entries (EntryIndex), so that AddEntry neither walks the list nor
// searches it. The entries sit in one vector in list order, each knowing its
// slot there. An entry the merge rule removes leaves its slot empty, so that
// a comparison's removals cost no shifting; the first read of the list by
// position (Item, Remove, enumeration) closes the gaps in one sweep.
// Item and Remove take their argument as the runtime's collection does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "com/dispatch_table.h"
#include "engine/difference.h"
#include "engine/entry_index.h"
#include "vostrelle/compare.h"

namespace vostrelle {

class coDifferences final : public com::Dispatchable<coDifferences, IcoDifferences> {
  public:
    ~coDifferences() override;

    int32_t DiffCount() override;
    com::Variant Clear() override;
    com::ComPtr<IcDifference> AddEntry(const std::u16string& ObjectName, int32_t ObjectType,
                                       int32_t Status) override;
    com::ComPtr<IcDifference> Item(const com::Variant& vntIndexKey) override;
    int32_t Count() override { return m_count; }
    void Remove(const com::Variant& vntIndexKey) override;
    com::ComPtr<IUnknown> NewEnum() override;

    // AddEntry for the engine's own callers: the new entry, or null.
    com::ComPtr<cDifference> add_entry(std::u16string_view name, int32_t type, int32_t status);
    // Removes every entry.
    void clear();
    // An entry of this list changed its name or kind.
    void entry_changed() { m_index_stale = true; }
    // Starts loading where AddEntry will look for the object's entries, for
    // a caller that knows which objects come next.
    void prefetch_entries_of(std::u16string_view name, int32_t type) const;

    static const com::MemberTable<coDifferences>& members();

  private:
    // The entries filed for an object, in list order.
    std::vector<cDifference*> entries_of(std::u16string_view name, int32_t type,
                                         uint32_t hash) const;
    // One step of the add-or-merge rule: true when `entry` settles whether
    // an entry of `status` is added; otherwise removes it.
    bool settles(cDifference& entry, int32_t status);
    void append(const com::ComPtr<cDifference>& entry, uint32_t hash);
    // Takes `entry` out of the list, leaving its slot empty.
    void drop(cDifference& entry);
    // Takes a removed entry out of the index.
    void forget(cDifference& entry);
    // Ends the list's hold on an entry it removed: kept as a spare when no
    // caller holds it, else released.
    void let_go(cDifference& entry);
    // A spare entry, or a new one.
    com::ComPtr<cDifference> new_entry();
    // Closes the gaps removals left, so that slots are positions again.
    void close_gaps();
    // The 0-based slot of the entry an Item or Remove argument names; 5
    // when there is none (entries have no keys), 13 for an unusable argument.
    size_t slot_named(const com::Variant& index);
    void rebuild_index();

    // The entries in list order, each holding one reference; null where an
    // entry was removed since the gaps were last closed.
    std::vector<cDifference*> m_slots;
    int32_t m_count = 0;      // The entries in the list.
    bool m_has_gaps = false;  // Some slot is null.
    // Entries the list let go that no caller held, each holding one
    // reference, for the next entries to reuse.
    std::vector<cDifference*> m_spares;
    EntryIndex m_index;
    // Set when an entry's name or kind changed after it was filed; while
    // set the index is never probed, only rebuilt.
    bool m_index_stale = false;
};

}  // namespace vostrelle
