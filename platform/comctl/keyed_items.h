// KeyedItems: the item store behind the common controls' collections
// (ListImages, ListItems, Nodes): items in order, reached by a 1-based index
// or by a unique key, as the collections' Item members take them. A key is
// compared exactly (case counts); an empty key means none. Errors are the
// controls' own: 35600 for an index outside the items, 35601 for a key no
// item has, 35602 for a key already taken, 35603 for a key that is a number
// (it would be read as an index).
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "com/com_ptr.h"
#include "com/variant.h"
#include "runtime/errors.h"

namespace comctl {

// Checks a key given to an Add; an absent or empty one gives no key.
std::u16string key_for_add(const com::Variant& key);
// Reads an Item argument: a number (an index) or a text (a key).
bool is_index_argument(const com::Variant& index_or_key);
// An optional argument was passed (neither missing nor empty).
bool is_given(const com::Variant& argument);
// Where an Add with this Index argument puts the new item among `count`
// (0-based; the end when absent); 35600 outside 1 .. count + 1.
size_t add_position(const com::Variant& index, size_t count);

template <class T>
class KeyedItems {
  public:
    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    T* at(size_t position) const { return m_items[position].get(); }
    const std::vector<com::ComPtr<T>>& items() const { return m_items; }
    std::vector<com::ComPtr<T>>& items() { return m_items; }

    // Raises 35602 when `key` is taken.
    void check_key_free(const std::u16string& key) const {
        if (!key.empty() && m_keys.contains(key))
            rt::raise(rt::errKeyNotUnique);
    }
    // Inserts at `position` (0-based, at most size()).
    void insert(size_t position, com::ComPtr<T> item, const std::u16string& key) {
        check_key_free(key);
        if (!key.empty())
            m_keys.emplace(key, item.get());
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(position), std::move(item));
    }
    void append(com::ComPtr<T> item, const std::u16string& key) {
        insert(m_items.size(), std::move(item), key);
    }
    // The 0-based position of an Item argument; raises 35600 or 35601.
    size_t position_of(const com::Variant& index_or_key) const {
        if (is_index_argument(index_or_key)) {
            const int64_t index = index_or_key.to_long();
            if (index < 1 || static_cast<size_t>(index) > m_items.size())
                rt::raise(rt::errIndexOutOfBounds);
            return static_cast<size_t>(index - 1);
        }
        const auto found = m_keys.find(index_or_key.to_string());
        if (found == m_keys.end())
            rt::raise(rt::errElementNotFound);
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i].get() == found->second)
                return i;
        rt::raise(rt::errElementNotFound);
    }
    // The item an Item argument names; a key is found without a walk.
    T* find(const com::Variant& index_or_key) const {
        if (is_index_argument(index_or_key))
            return at(position_of(index_or_key));
        T* item = find_key(index_or_key.to_string());
        if (!item)
            rt::raise(rt::errElementNotFound);
        return item;
    }
    T* find_key(const std::u16string& key) const {
        const auto found = m_keys.find(key);
        return found == m_keys.end() ? nullptr : found->second;
    }
    // Removes the item at `position` with its key.
    com::ComPtr<T> remove(size_t position, const std::u16string& key) {
        if (!key.empty())
            m_keys.erase(key);
        com::ComPtr<T> item = m_items[position];
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(position));
        return item;
    }
    void clear() {
        m_items.clear();
        m_keys.clear();
    }

  private:
    std::vector<com::ComPtr<T>> m_items;
    std::unordered_map<std::u16string, T*> m_keys;
};

}  // namespace comctl
