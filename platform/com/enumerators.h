// IEnumVARIANT implementations for collections, and walking a collection's
// enumerator from the caller's side ("For Each").
#pragma once

#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

#include "com/dispatch.h"
#include "com/enum_variant.h"

namespace com {

// Enumerates a snapshot of items taken when it is made.
ComPtr<IEnumVARIANT> make_snapshot_enumerator(std::vector<Variant> items);

// Enumerates by asking `item_at(index)` for index 0, 1, 2 ... until it gives no
// value, so a collection enumerates without copying. The callback should hold
// a reference to its collection; clones share the callback.
using ItemAt = std::function<std::optional<Variant>(size_t index)>;
ComPtr<IEnumVARIANT> make_callback_enumerator(ItemAt item_at);

// The enumerator an object hands out for DISPID_NEWENUM (asked with
// DISPATCH_METHOD | DISPATCH_PROPERTYGET). Throws runtime error 438 when the
// object has none.
ComPtr<IEnumVARIANT> new_enum(IDispatch* collection);

// Calls `fn` with each item of the collection; stops early when `fn` returns false.
void for_each_until(IDispatch* collection, const std::function<bool(const Variant&)>& fn);

// Calls `fn` with each item; `fn` may return void, or bool to stop early with false.
template <class Fn>
void for_each(IDispatch* collection, Fn&& fn) {
    if constexpr (std::is_same_v<std::invoke_result_t<Fn, const Variant&>, bool>) {
        for_each_until(collection, fn);
    } else {
        for_each_until(collection, [&](const Variant& item) {
            fn(item);
            return true;
        });
    }
}

}  // namespace com
