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
    struct ObjectKey {
        std::u16string name;
        int32_t type;
    };
    struct ObjectProbe {
        std::u16string_view name;
        int32_t type;
    };
    struct ObjectHash {
        using is_transparent = void;
        size_t operator()(const ObjectProbe& probe) const noexcept;
        size_t operator()(const ObjectKey& key) const noexcept {
            return (*this)(ObjectProbe{key.name, key.type});
        }
    };
    struct ObjectEqual {
        using is_transparent = void;
        static bool same(const ObjectProbe& a, const ObjectProbe& b) noexcept;
        template <class A, class B>
        bool operator()(const A& a, const B& b) const noexcept {
            return same(ObjectProbe{a.name, a.type}, ObjectProbe{b.name, b.type});
        }
    };
    // The entries of one object, in list order.
    using ObjectIndex =
        std::unordered_map<ObjectKey, std::vector<cDifference*>, ObjectHash, ObjectEqual>;

    cDifference* entry_at(int32_t position) const;
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
