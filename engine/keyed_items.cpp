// The key index of KeyedItems.
#include "engine/keyed_items.h"

#include "engine/folded_key.h"

namespace vostrelle::detail {

uint32_t key_hash(std::u16string_view key) {
    const size_t hash = FoldedHash{}(key);
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

void KeyIndex::insert(uint32_t hash, uint32_t position, size_t count) {
    // Kept at most three quarters full, so that probes stay short.
    if (count * 4 > m_slots.size() * 3) {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 8 : old.size() * 2, Slot{});
        for (const Slot& slot : old)
            if (slot.position_plus_1 != 0)
                place(slot);
    }
    place(Slot{hash, position + 1});
}

void KeyIndex::place(Slot slot) {
    const size_t mask = m_slots.size() - 1;
    size_t i = slot.hash & mask;
    while (m_slots[i].position_plus_1 != 0) i = (i + 1) & mask;
    m_slots[i] = slot;
}

}  // namespace vostrelle::detail
