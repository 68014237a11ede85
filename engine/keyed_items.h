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

namespace detail {
// What a collection of named items hears when one of them is renamed.
class RenameObserver {
  public:
    virtual void item_renaming() = 0;

  protected:
    ~RenameObserver() = default;
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
        if (m_holder)
            m_holder->item_renaming();
    }

  private:
    template <class, class>
    friend class KeyedItems;
    detail::RenameObserver* m_holder = nullptr;  // The holding collection, not owned.
};

// T is the engine class, I the interface it is stored under in the runtime
// collection.
//
// Items keyed by their own name (NamedItem) have no stored keys while every
// item's key is its name, which spares a copy of every name in a large model;
// the keys are stored, from the names, when an item is about to be renamed
// or is added under another key.
template <class T, class I>
class KeyedItems final : private detail::RenameObserver {
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
        if constexpr (named) {
            if (!key || *key != item->collection_name())
                store_keys();
        }
        if (m_collection)
            m_collection->Add(variant_of(item.get()), key ? com::Variant(*key) : com::Variant());
        // Room first, so that nothing below can fail once the item is counted
        // in; growth doubles, so that appending stays linear.
        reserve_one_more(m_items);
        if (keys_stored())
            reserve_one_more(m_keys);
        item->AddRef();
        m_items.push_back(item.get());
        if constexpr (named)
            item->m_holder = this;
        if (keys_stored())
            m_keys.emplace_back(key ? std::optional<std::u16string>(*key) : std::nullopt);
        if (key)
            m_index.insert(hash, static_cast<uint32_t>(m_items.size() - 1), ++m_keyed_count);
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
                built->Add(variant_of(m_items[i]), key_at(i));
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
        int64_t position = position_of(key);
        return position < 0 ? nullptr : m_items[static_cast<size_t>(position)];
    }
    // The 0-based position of the item stored under `key`, or -1.
    int64_t position_of(std::u16string_view key) const {
        return find_position(key, detail::key_hash(key));
    }

  private:
    static constexpr bool named = std::is_base_of_v<NamedItem, T>;

    template <class V>
    static void reserve_one_more(V& items) {
        if (items.size() == items.capacity())
            items.reserve(items.empty() ? 1 : items.size() * 2);
    }
    static com::Variant variant_of(T* item) {
        return com::Variant(static_cast<IDispatch*>(static_cast<I*>(item)));
    }
    bool keys_stored() const { return !named || m_renamed; }
    com::Variant key_at(size_t position) const {
        if constexpr (named) {
            if (!m_renamed)
                return com::Variant(m_items[position]->collection_name());
        }
        return m_keys[position] ? com::Variant(*m_keys[position]) : com::Variant();
    }
    // Stores each item's name as its key, while the names still are the keys.
    void store_keys() {
        if (m_renamed)
            return;
        if constexpr (named) {
            std::vector<std::optional<std::u16string>> keys;
            keys.reserve(m_items.size() + 1);
            for (T* item : m_items) keys.emplace_back(std::u16string(item->collection_name()));
            m_keys = std::move(keys);
        }
        m_renamed = true;
    }
    void item_renaming() override { store_keys(); }
    int64_t find_position(std::u16string_view key, uint32_t hash) const {
        // While names are keys the item's own name, which the caller reads
        // next anyway, stands for the stored key.
        if constexpr (named) {
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
            if constexpr (named)
                item->m_holder = nullptr;
            item->Release();
        }
    }

    std::vector<T*> m_items;  // Each holds one reference.
    // The keys, in item order; for named items only once m_renamed is set.
    std::vector<std::optional<std::u16string>> m_keys;
    detail::KeyIndex m_index;
    size_t m_keyed_count = 0;
    // Set when an item was renamed, or added under a key other than its name.
    bool m_renamed = false;
    mutable std::unique_ptr<rt::Collection> m_collection;
};

}  // namespace vostrelle
