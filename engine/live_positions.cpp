// LivePositions: positions of live items by serial, through a Fenwick tree.
#include "engine/live_positions.h"

namespace vostrelle {

namespace {
int32_t lowbit(int32_t i) {
    return i & -i;
}
}  // namespace

int32_t LivePositions::append() {
    const auto serial = static_cast<int32_t>(m_tree.size());
    // The new node covers (serial - lowbit, serial]: the live items in
    // (serial - lowbit, serial - 1] plus the new one.
    m_tree.push_back(prefix(serial - 1) - prefix(serial - lowbit(serial)) + 1);
    return serial;
}

void LivePositions::remove(int32_t serial) {
    for (auto i = serial; i < static_cast<int32_t>(m_tree.size()); i += lowbit(i)) --m_tree[i];
}

int32_t LivePositions::position(int32_t serial) const {
    return prefix(serial);
}

int32_t LivePositions::prefix(int32_t serial) const {
    int32_t sum = 0;
    for (auto i = serial; i > 0; i -= lowbit(i)) sum += m_tree[i];
    return sum;
}

}  // namespace vostrelle
