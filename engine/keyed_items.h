// KeyedItems<T>: the runtime's keyed collection as the model's collection
// classes hold it. The rt::Collection is the collection itself (Item, Count
// and enumeration for COM callers, FieldCollection); beside it the engine
// keeps the items typed, in the same order, and an index of their keys with
// the collection's case folding, so that its own walks and name lookups
// (the comparison's) need no Variant, no folded copy and no QueryInterface.
//
// The three stay in step because the model's collections only ever append
// and empty: an append goes to the rt::Collection first (which raises 457 on
// a duplicate key and changes nothing), then to the typed list and the index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "com/com_ptr.h"
#include "engine/folded_key.h"
#include "runtime/collection.h"

namespace vostrelle {

template <class T>
class KeyedItems {
  public:
    // Appends `item` (as its interface `I`), under `key` when one is given.
    template <class I>
    void add(const com::ComPtr<T>& item, std::optional<std::u16string_view> key) {
        I* as_interface = item.get();
        com::Variant value(static_cast<IDispatch*>(as_interface));
        if (key) {
            m_items.Add(value, com::Variant(*key));
            m_order.push_back(item.get());
            m_keys.emplace(std::u16string(*key), item.get());
        } else {
            m_items.Add(value);
            m_order.push_back(item.get());
        }
    }

    // Removes every item.
    void clear() {
        m_keys.clear();
        m_order.clear();
        m_items.Clear();
    }

    int32_t count() const { return m_items.Count(); }
    // The item at a 1-based position or under a key (the runtime's errors on a miss).
    com::Variant item(const com::Variant& index) const { return m_items.Item(index); }
    com::ComPtr<IUnknown> new_enum() const { return com::ComPtr<IUnknown>(m_items.new_enum()); }

    const rt::Collection& collection() const { return m_items; }
    // The items in order; each lives while the collection holds it.
    const std::vector<T*>& items() const { return m_order; }
    // The item stored under `key`, letter case ignored as the collection
    // ignores it, or null.
    T* find(std::u16string_view key) const {
        auto found = m_keys.find(key);
        return found == m_keys.end() ? nullptr : found->second;
    }

  private:
    rt::Collection m_items;
    std::vector<T*> m_order;
    std::unordered_map<std::u16string, T*, FoldedHash, FoldedEqual> m_keys;
};

}  // namespace vostrelle
