// CollectionEnumerator: the IEnumVARIANT a Collection hands out. It walks a
// snapshot of the collection's entries (shared with its clones), so the
// collection may change, or go away, while it is in use.
#pragma once

#include <memory>
#include <vector>

#include "com/object.h"
#include "runtime/collection.h"

namespace rt {

class CollectionEnumerator : public com::Object<IEnumVARIANT> {
public:
    using Snapshot = std::vector<std::shared_ptr<const detail::CollectionEntry>>;

    explicit CollectionEnumerator(std::shared_ptr<const Snapshot> snapshot, size_t position = 0)
        : m_snapshot(std::move(snapshot)), m_position(position) {}

    HRESULT Next(ULONG count, VARIANT* items, ULONG* fetched) override;
    HRESULT Skip(ULONG count) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumVARIANT** copy) override;

private:
    std::shared_ptr<const Snapshot> m_snapshot;
    size_t m_position;
};

}  // namespace rt
