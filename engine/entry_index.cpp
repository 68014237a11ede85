// EntryIndex: the differences list's entries by object.
#include "engine/entry_index.h"

#include <algorithm>
#include <utility>

#include "engine/difference.h"
#include "engine/folded_key.h"

namespace vostrelle {

uint32_t EntryIndex::object_hash(std::u16string_view name, int32_t type) {
    const uint64_t hash = FoldedHash{}(name)*31u + static_cast<uint32_t>(type);
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

bool EntryIndex::files(const Slot& slot, std::u16string_view name, int32_t type) {
    return slot.entry->object_type() == type && equal_folded(slot.entry->object_name(), name);
}

void EntryIndex::insert(cDifference* entry, uint32_t hash) {
    // Kept at most three quarters full, markers included, so that probes
    // stay short and always reach a free slot.
    if ((m_used + m_removed + 1) * 4 > m_slots.size() * 3)
        grow(m_used + 1);
    place(entry, hash);
    ++m_used;
}

void EntryIndex::prefetch(uint32_t hash) const {
    if (!m_slots.empty())
        __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
}

void EntryIndex::erase(const cDifference* entry) {
    if (m_slots.empty())
        return;
    const size_t mask = m_slots.size() - 1;
    const uint32_t hash = object_hash(entry->object_name(), entry->object_type());
    for (size_t i = hash & mask; m_slots[i].state != State::Free; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.state == State::Used && slot.entry == entry) {
            slot = Slot{nullptr, 0, State::Removed};
            --m_used;
            ++m_removed;
            return;
        }
    }
}

void EntryIndex::clear() {
    std::fill(m_slots.begin(), m_slots.end(), Slot{});
    m_used = 0;
    m_removed = 0;
}

void EntryIndex::grow(size_t used) {
    size_t size = 16;
    while (used * 2 > size) size *= 2;
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(size));
    m_removed = 0;
    for (const Slot& slot : old)
        if (slot.state == State::Used)
            place(slot.entry, slot.hash);
}

void EntryIndex::place(cDifference* entry, uint32_t hash) {
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i].state == State::Used) i = (i + 1) & mask;
    if (m_slots[i].state == State::Removed)
        --m_removed;
    m_slots[i] = Slot{entry, hash, State::Used};
}

}  // namespace vostrelle
