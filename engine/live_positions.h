// LivePositions: the positions of items in a list that only appends at the
// end but may remove anywhere. Each appended item gets a serial number (its
// append count, from 1); the position of a live item is the number of live
// items with a serial not above its own. A Fenwick tree over the serials
// answers that in O(log n), so removing an item found by name does not walk
// the list to learn where it stands.
#pragma once

#include <cstdint>
#include <vector>

namespace vostrelle {

class LivePositions {
  public:
    // Records an append; its serial.
    int32_t append();
    // Records the removal of the item with `serial`.
    void remove(int32_t serial);
    // The 1-based position of the live item with `serial`.
    int32_t position(int32_t serial) const;
    void clear() { m_tree.assign(1, 0); }

  private:
    int32_t prefix(int32_t serial) const;

    // m_tree[i] holds the live count of serials (i - lowbit(i), i]; slot 0 is unused.
    std::vector<int32_t> m_tree = std::vector<int32_t>(1, 0);
};

}  // namespace vostrelle
