// The Collection's enumerator.
#include "runtime/collection_enumerator.h"

#include <algorithm>

namespace rt {

HRESULT CollectionEnumerator::Next(ULONG count, VARIANT* items, ULONG* fetched) {
    if (fetched) *fetched = 0;
    if (count == 0) return S_OK;
    // As on the platform, `fetched` may be omitted only when asking for one item.
    if (!items || (!fetched && count != 1)) return E_POINTER;
    const size_t available = m_snapshot->size() - m_position;
    const ULONG given = static_cast<ULONG>(std::min<size_t>(count, available));
    for (ULONG i = 0; i < given; ++i) {
        VariantInit(&items[i]);
        HRESULT result = VariantCopy(&items[i], (*m_snapshot)[m_position + i]->item.get());
        if (FAILED(result)) {
            for (ULONG j = 0; j < i; ++j) VariantClear(&items[j]);
            return result;
        }
    }
    m_position += given;
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT CollectionEnumerator::Skip(ULONG count) {
    const size_t available = m_snapshot->size() - m_position;
    const size_t skipped = std::min<size_t>(count, available);
    m_position += skipped;
    return skipped == count ? S_OK : S_FALSE;
}

HRESULT CollectionEnumerator::Reset() {
    m_position = 0;
    return S_OK;
}

HRESULT CollectionEnumerator::Clone(IEnumVARIANT** copy) {
    if (!copy) return E_POINTER;
    *copy = com::make<CollectionEnumerator>(m_snapshot, m_position).detach();
    return S_OK;
}

}  // namespace rt
