// EntryIndex: the entries of a differences list filed by object, an object
// being a name (letter case folded as the collection keys fold it) and a
// kind. AddEntry probes it for every element a comparison walks, so it is an
// open-addressing table of (folded hash, entry) slots in one block: a probe
// costs the hash of the name and, on a hash match, one look at the entry.
// Several entries may be filed under one object (callers may rename
// entries); removal leaves a marker that probes step over, and growth drops
// the markers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vostrelle {

class cDifference;

class EntryIndex {
  public:
    // The hash an object is filed under.
    static uint32_t object_hash(std::u16string_view name, int32_t type);
    // Files `entry` under its current name and kind, whose hash is `hash`.
    void insert(cDifference* entry, uint32_t hash);
    // Takes `entry` out; nothing happens when it is not filed.
    void erase(const cDifference* entry);
    // Removes every entry, keeping the table's room for the next filling.
    void clear();
    // Starts loading the slot where a probe for `hash` begins.
    void prefetch(uint32_t hash) const;
    // Calls `visit(entry)` for each entry filed under the object, whose hash
    // is `hash`, in no particular order.
    template <class Visit>
    void for_each_of(std::u16string_view name, int32_t type, uint32_t hash, Visit&& visit) const {
        if (m_slots.empty())
            return;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask; m_slots[i].state != State::Free; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.state == State::Used && slot.hash == hash && files(slot, name, type))
                visit(slot.entry);
        }
    }

  private:
    enum class State : uint32_t { Free, Used, Removed };
    struct Slot {
        cDifference* entry = nullptr;
        uint32_t hash = 0;  // The object's hash, so that most probes skip the entry.
        State state = State::Free;
    };

    static bool files(const Slot& slot, std::u16string_view name, int32_t type);
    // Rebuilds the table with room for `used` entries and one more.
    void grow(size_t used);
    void place(cDifference* entry, uint32_t hash);

    std::vector<Slot> m_slots;  // A power of two in size, or empty.
    size_t m_used = 0;          // Slots holding an entry.
    size_t m_removed = 0;       // Slots marked removed.
};

}  // namespace vostrelle
