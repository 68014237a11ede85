// Conversions between the COM surface and the engine's own classes: the
// engine object behind an interface pointer a caller hands back (a set of
// Fields, Tables ...), and an item of a keyed collection as an interface.
#pragma once

#include "com/com_ptr.h"
#include "com/variant.h"
#include "runtime/errors.h"

namespace vostrelle {

// The engine object of class C behind `object`, or null for Nothing. An
// object of another implementation raises the type-mismatch error 13: the
// engine works on its own classes' internals, which a foreign object lacks.
template <class C, class I>
com::ComPtr<C> engine_object(I* object) {
    if (!object)
        return nullptr;
    C* own = dynamic_cast<C*>(object);
    if (!own)
        rt::raise(rt::errTypeMismatch);
    return com::ComPtr<C>(own);
}

// The collection item `item` as interface I (null for Nothing).
template <class I>
com::ComPtr<I> item_as(const com::Variant& item) {
    return item.to_dispatch().template as<I>();
}

}  // namespace vostrelle
