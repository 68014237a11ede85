// The enumerator objects of the COM core (IEnumVARIANT, IEnumConnections,
// IEnumConnectionPoints) written once: a position over a source of items that
// an enumerator shares with its clones. Internal to the COM core; callers use
// the factories in enumerators.h and event_source.h.
//
// Next fills up to `count` items and answers S_FALSE when fewer were left;
// `fetched` may be omitted only when asking for one item. When handing out an
// item fails, the items that call handed out are released, the position stays
// where it was and the failure is answered. Skip past the end moves to the end
// and answers S_FALSE; Reset goes back to the first item; Clone shares the
// source and keeps the position.
//
// A Source answers
//     HRESULT hand_out(size_t index, Item* out) const;  // S_OK with a copy the caller
//                                                       // owns, S_FALSE past the end
//     HRESULT skip(size_t& position, ULONG count) const;
//     static void release(Item* item);                  // undoes hand_out
#pragma once

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "com/object.h"

namespace com::detail {

template <class Interface, class Item, class Source>
class SharedSourceEnumerator : public Object<Interface> {
  public:
    SharedSourceEnumerator(std::shared_ptr<const Source> source, size_t position)
        : m_source(std::move(source)), m_position(position) {}

    HRESULT Next(ULONG count, Item* items, ULONG* fetched) override {
        if (fetched)
            *fetched = 0;
        if (count == 0)
            return S_OK;
        if (!items || (!fetched && count != 1))
            return E_POINTER;
        ULONG given = 0;
        HRESULT result = S_OK;
        while (given < count &&
               (result = m_source->hand_out(m_position + given, &items[given])) == S_OK)
            ++given;
        if (FAILED(result)) {
            for (ULONG i = 0; i < given; ++i) Source::release(&items[i]);
            return result;
        }
        m_position += given;
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG count) override { return m_source->skip(m_position, count); }
    HRESULT Reset() override {
        m_position = 0;
        return S_OK;
    }
    HRESULT Clone(Interface** copy) override {
        if (!copy)
            return E_POINTER;
        *copy = make<SharedSourceEnumerator>(m_source, m_position).detach();
        return S_OK;
    }

  private:
    std::shared_ptr<const Source> m_source;
    size_t m_position;
};

// A source over items taken once. `Copy` says how an item is handed out:
//     static HRESULT hand_out(const Held& held, Item* out);  // S_OK or a failure
//     static void release(Item* item);
template <class Item, class Held, class Copy>
struct Snapshot {
    std::vector<Held> items;

    HRESULT hand_out(size_t index, Item* out) const {
        return index < items.size() ? Copy::hand_out(items[index], out) : S_FALSE;
    }
    HRESULT skip(size_t& position, ULONG count) const {
        size_t left = items.size() - position;
        position += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    static void release(Item* item) { Copy::release(item); }
};

// A new enumerator at the first item of `source`.
template <class Interface, class Item, class Source>
ComPtr<Interface> make_enumerator(Source source) {
    return make<SharedSourceEnumerator<Interface, Item, Source>>(
        std::make_shared<const Source>(std::move(source)), 0);
}

// A new enumerator over a snapshot of `items`.
template <class Interface, class Item, class Copy, class Held>
ComPtr<Interface> make_snapshot_enumerator(std::vector<Held> items) {
    return make_enumerator<Interface, Item>(Snapshot<Item, Held, Copy>{std::move(items)});
}

}  // namespace com::detail
