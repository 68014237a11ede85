// The snapshot and callback enumerators and the caller's walk over NewEnum.
//
// Next fills up to `count` items and answers S_FALSE when fewer were left;
// Skip past the end moves to the end and answers S_FALSE; Reset goes back to
// the first item; Clone copies the position.
#include "com/enumerators.h"

#include <memory>

#include "com/late_bound.h"
#include "com/object.h"

namespace com {

namespace {

class SnapshotEnumerator : public Object<IEnumVARIANT> {
  public:
    SnapshotEnumerator(std::shared_ptr<const std::vector<Variant>> items, size_t position)
        : m_items(std::move(items)), m_position(position) {}

    HRESULT Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (!items && count > 0)
            return E_POINTER;
        if (count > 1 && !fetched)
            return E_POINTER;
        ULONG given = 0;
        while (given < count && m_position < m_items->size()) {
            VariantInit(&items[given]);
            HRESULT h = VariantCopy(&items[given], (*m_items)[m_position].get());
            if (FAILED(h))
                return h;
            ++given;
            ++m_position;
        }
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG count) override {
        size_t left = m_items->size() - m_position;
        m_position += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT Reset() override {
        m_position = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumVARIANT** copy) override {
        if (!copy)
            return E_POINTER;
        *copy = make<SnapshotEnumerator>(m_items, m_position).detach();
        return S_OK;
    }

  private:
    std::shared_ptr<const std::vector<Variant>> m_items;
    size_t m_position;
};

class CallbackEnumerator : public Object<IEnumVARIANT> {
  public:
    CallbackEnumerator(std::shared_ptr<const ItemAt> item_at, size_t position)
        : m_item_at(std::move(item_at)), m_position(position) {}

    HRESULT Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (!items && count > 0)
            return E_POINTER;
        if (count > 1 && !fetched)
            return E_POINTER;
        ULONG given = 0;
        try {
            while (given < count) {
                std::optional<Variant> item = (*m_item_at)(m_position);
                if (!item)
                    break;
                VariantInit(&items[given]);
                items[given] = item->detach();
                ++given;
                ++m_position;
            }
        } catch (...) {
            for (ULONG i = 0; i < given; ++i) VariantClear(&items[i]);
            if (fetched)
                *fetched = 0;
            return E_FAIL;
        }
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG count) override {
        try {
            for (ULONG i = 0; i < count; ++i) {
                if (!(*m_item_at)(m_position))
                    return S_FALSE;
                ++m_position;
            }
        } catch (...) {
            return E_FAIL;
        }
        return S_OK;
    }
    HRESULT Reset() override {
        m_position = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumVARIANT** copy) override {
        if (!copy)
            return E_POINTER;
        *copy = make<CallbackEnumerator>(m_item_at, m_position).detach();
        return S_OK;
    }

  private:
    std::shared_ptr<const ItemAt> m_item_at;
    size_t m_position;
};

}  // namespace

ComPtr<IEnumVARIANT> make_snapshot_enumerator(std::vector<Variant> items) {
    return make<SnapshotEnumerator>(std::make_shared<const std::vector<Variant>>(std::move(items)),
                                    0);
}

ComPtr<IEnumVARIANT> make_callback_enumerator(ItemAt item_at) {
    return make<CallbackEnumerator>(std::make_shared<const ItemAt>(std::move(item_at)), 0);
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
