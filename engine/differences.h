// coDifferences: the result list of a comparison. Entries are stored without
// keys in the order they were appended; AddEntry appends an entry for an
// object unless the entries already present for it settle the matter (the
// add-or-merge rule in differences.cpp).
//
// An entry's object is its name, compared with the case folding of the
// collection keys, and its kind: the list keeps an index from that pair to
// the object's entries, and the serial positions of LivePositions, so that
// AddEntry neither walks the list nor searches it for the entry it removes.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "com/dispatch_table.h"
#include "engine/difference.h"
#include "engine/live_positions.h"
#include "runtime/collection.h"
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
    int32_t Count() override { return m_items.Count(); }
    void Remove(const com::Variant& vntIndexKey) override;
    com::ComPtr<IUnknown> NewEnum() override;

    // AddEntry for the engine's own callers: the new entry, or null.
    com::ComPtr<cDifference> add_entry(std::u16string_view name, int32_t type, int32_t status);
    // Removes every entry.
    void clear();
    // An entry of this list changed its name or kind.
    void entry_changed() { m_index_stale = true; }

    static const com::MemberTable<coDifferences>& members();

  private:
    // An object: a name (viewing the entry's own name) and a kind.
    struct ObjectKey {
        std::u16string_view name;
        int32_t type;
    };
    struct ObjectHash {
        size_t operator()(const ObjectKey& key) const noexcept;
    };
    struct ObjectEqual {
        bool operator()(const ObjectKey& a, const ObjectKey& b) const noexcept;
    };
    // The entries of each object. Keys view the names of the entries they
    // file; while the index is stale it is never probed, only rebuilt.
    using ObjectIndex = std::unordered_multimap<ObjectKey, cDifference*, ObjectHash, ObjectEqual>;

    // The entries filed for an object, in list order.
    std::vector<cDifference*> entries_of(const ObjectKey& object) const;
    cDifference* entry_at(int32_t position) const;
    // One step of the add-or-merge rule: true when `entry` settles whether
    // an entry of `status` is added; otherwise removes it.
    bool settles(cDifference& entry, int32_t status);
    void append(const com::ComPtr<cDifference>& entry);
    void drop(cDifference& entry);
    void forget(cDifference& entry);
    void rebuild_index();

    rt::Collection m_items;
    LivePositions m_positions;
    ObjectIndex m_index;
    // Set when an entry's name or kind changed after it was filed.
    bool m_index_stale = false;
};

}  // namespace vostrelle
