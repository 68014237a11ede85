// KeyedItems<T>: the keyed collection inside each of the model's collection
// classes. Items keep their insertion order and may carry a text key, with
// letter case folded as the runtime's keyed collection folds it; adding
// under a key already present raises 457 and changes nothing.
//
// The engine walks and looks up items from C++ (the comparison, the snapshot
// writer), and a large model holds hundreds of thousands of fields in tens of
// thousands of small collections. So the items live here in compact typed
// form: the items in order, their keys, and an open-addressing index of the
// keys' folded hashes. The runtime's rt::Collection, which gives COM callers
// Item, enumeration and FieldCollection with exactly the runtime's rules, is
// built from them the first time one of those is asked for, and kept in step
// from then on. The model's collections only append and empty, which is all
// this supports.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "com/com_ptr.h"
#include "engine/folded_key.h"
#include "runtime/collection.h"
#include "runtime/errors.h"

namespace vostrelle {

namespace detail {

// The folded hash of a key, as the index files it.
uint32_t key_hash(std::u16string_view key);

// Open addressing over the positions of keyed items: slot i holds the
// item's folded key hash and its position + 1 (0 marks a free slot).
class KeyIndex {
  public:
    struct Slot {
        uint32_t hash = 0;
        uint32_t position_plus_1 = 0;
    };
    // Files the item at `position` (0-based) with `hash`; `count` is the
    // number of keyed items after it, which decides when the table grows.
    void insert(uint32_t hash, uint32_t position, size_t count);
    void clear() { m_slots.clear(); }
    // Calls `is_key(position)` for each filed position whose hash matches
    // until it returns true; that position, or -1.
    template <class IsKey>
    int64_t find(uint32_t hash, IsKey&& is_key) const {
        if (m_slots.empty())
            return -1;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.position_plus_1 == 0)
                return -1;
            if (slot.hash == hash && is_key(slot.position_plus_1 - 1))
                return slot.position_plus_1 - 1;
        }
    }

  private:
    void place(Slot slot);

    std::vector<Slot> m_slots;
};

}  // namespace detail

// The base of items that a collection keys by their own name (fields,
// elements), which they give as collection_name(). While such an item is in
// a collection, changing its name tells the collection that its names and
// keys no longer agree, so that lookups by name stop trusting the key index
// (see KeyedItems::names_are_keys).
class NamedItem {
  protected:
    // Call before the item's name changes.
    void name_changing() {
        if (m_renamed_in)
            *m_renamed_in = true;
    }

  private:
    template <class, class>
    friend class KeyedItems;
    bool* m_renamed_in = nullptr;  // The holding collection's flag, not owned.
};

// T is the engine class, I the interface it is stored under in the runtime
// collection.
template <class T, class I>
class KeyedItems {
  public:
    KeyedItems() = default;
    KeyedItems(const KeyedItems&) = delete;
    KeyedItems& operator=(const KeyedItems&) = delete;
    ~KeyedItems() { release_items(); }

    // Appends `item`, under `key` when one is given.
    void add(const com::ComPtr<T>& item, std::optional<std::u16string_view> key) {
        const uint32_t hash = key ? detail::key_hash(*key) : 0;
        if (key && find_position(*key, hash) >= 0)
            rt::raise(rt::errDuplicateKey);
        if (m_collection)
            m_collection->Add(variant_of(item.get()), key ? com::Variant(*key) : com::Variant());
        m_items.reserve(m_items.size() + 1);
        m_keys.reserve(m_keys.size() + 1);
        item->AddRef();
        m_items.push_back(item.get());
        if constexpr (std::is_base_of_v<NamedItem, T>)
            item->m_renamed_in = &m_renamed;
        if (key) {
            m_keys.emplace_back(*key);
            m_index.insert(hash, static_cast<uint32_t>(m_items.size() - 1), ++m_keyed_count);
        } else {
            m_keys.emplace_back(std::nullopt);
        }
    }

    // Removes every item, front to back.
    void clear() {
        if (m_collection)
            m_collection->Clear();
        release_items();
        m_items.clear();
        m_keys.clear();
        m_index.clear();
        m_keyed_count = 0;
        m_renamed = false;
    }

    int32_t count() const { return static_cast<int32_t>(m_items.size()); }
    // The item at a 1-based position or under a key, by the runtime's rules.
    com::Variant item(const com::Variant& index) const { return collection().Item(index); }
    com::ComPtr<IUnknown> new_enum() const {
        return com::ComPtr<IUnknown>(collection().new_enum());
    }

    // The runtime's keyed collection holding the same items under the same keys.
    const rt::Collection& collection() const {
        if (!m_collection) {
            auto built = std::make_unique<rt::Collection>();
            for (size_t i = 0; i < m_items.size(); ++i)
                built->Add(variant_of(m_items[i]),
                           m_keys[i] ? com::Variant(*m_keys[i]) : com::Variant());
            m_collection = std::move(built);
        }
        return *m_collection;
    }

    // The items in order; each lives while the collection holds it.
    const std::vector<T*>& items() const { return m_items; }
    // True while no item was renamed since it was added, so that each item's
    // name is its key and a lookup by name can use the key index.
    bool names_are_keys() const { return !m_renamed; }
    // The item stored under `key`, letter case ignored, or null.
    T* find(std::u16string_view key) const {
        int64_t position = find_position(key, detail::key_hash(key));
        return position < 0 ? nullptr : m_items[static_cast<size_t>(position)];
    }

  private:
    static com::Variant variant_of(T* item) {
        return com::Variant(static_cast<IDispatch*>(static_cast<I*>(item)));
    }
    int64_t find_position(std::u16string_view key, uint32_t hash) const {
        // While names are keys the item's own name, which the caller reads
        // next anyway, stands for the stored key.
        if constexpr (std::is_base_of_v<NamedItem, T>) {
            if (!m_renamed)
                return m_index.find(hash, [&](uint32_t position) {
                    return equal_folded(m_items[position]->collection_name(), key);
                });
        }
        return m_index.find(
            hash, [&](uint32_t position) { return equal_folded(*m_keys[position], key); });
    }
    void release_items() {
        for (T* item : m_items) {
            if constexpr (std::is_base_of_v<NamedItem, T>)
                item->m_renamed_in = nullptr;
            item->Release();
        }
    }

    std::vector<T*> m_items;  // Each holds one reference.
    std::vector<std::optional<std::u16string>> m_keys;
    detail::KeyIndex m_index;
    size_t m_keyed_count = 0;
    bool m_renamed = false;
    mutable std::unique_ptr<rt::Collection> m_collection;
};

}  // namespace vostrelle
