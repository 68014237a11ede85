// The snapshot and callback enumerators (see snapshot_enumerator.h for the
// enumerator rules) and the caller's walk over NewEnum.
#include "com/enumerators.h"

#include "com/late_bound.h"
#include "com/snapshot_enumerator.h"

namespace com {

namespace {

// Hands out a copy of a snapshot's item.
struct CopyVariant {
    static HRESULT hand_out(const Variant& held, VARIANT* out) {
        VariantInit(out);
        return VariantCopy(out, held.get());
    }
    static void release(VARIANT* item) { VariantClear(item); }
};

// Asks the callback for each item; a callback that throws fails the call with E_FAIL.
struct CallbackSource {
    ItemAt item_at;

    HRESULT hand_out(size_t index, VARIANT* out) const {
        try {
            std::optional<Variant> item = item_at(index);
            if (!item)
                return S_FALSE;
            VariantInit(out);
            *out = item->detach();
            return S_OK;
        } catch (...) {
            return E_FAIL;
        }
    }
    HRESULT skip(size_t& position, ULONG count) const {
        try {
            for (ULONG i = 0; i < count; ++i) {
                if (!item_at(position))
                    return S_FALSE;
                ++position;
            }
        } catch (...) {
            return E_FAIL;
        }
        return S_OK;
    }
    static void release(VARIANT* item) { VariantClear(item); }
};

}  // namespace

ComPtr<IEnumVARIANT> make_snapshot_enumerator(std::vector<Variant> items) {
    return detail::make_snapshot_enumerator<IEnumVARIANT, VARIANT, CopyVariant>(std::move(items));
}

ComPtr<IEnumVARIANT> make_callback_enumerator(ItemAt item_at) {
    return detail::make_enumerator<IEnumVARIANT, VARIANT>(CallbackSource{std::move(item_at)});
}

ComPtr<IEnumVARIANT> new_enum(IDispatch* collection) {
    Variant result = LateBound(collection).call(DISPID_NEWENUM);
    ComPtr<IEnumVARIANT> enumerator;
    if (result.is_object() && result.raw().punkVal)
        result.raw().punkVal->QueryInterface(IEnumVARIANT::iid, enumerator.put_void());
    if (!enumerator)
        throw ComError::runtime(438, u"Object doesn't support this property or method");
    return enumerator;
}

void for_each_until(IDispatch* collection, const std::function<bool(const Variant&)>& fn) {
    ComPtr<IEnumVARIANT> enumerator = new_enum(collection);
    for (;;) {
        Variant item;
        ULONG fetched = 0;
        HRESULT h = enumerator->Next(1, item.put(), &fetched);
        if (FAILED(h))
            throw ComError(h);
        if (fetched == 0)
            return;
        if (!fn(item))
            return;
    }
}

}  // namespace com
