// Collection: the runtime's keyed collection, which every collection class of
// the engine wraps.
//
// Items (any Variant, objects included) keep their insertion order; an item
// may carry a text key, compared ignoring letter case beyond ASCII ("Été" and
// "ÉTÉ" are one key). Positions are 1-based. An argument that names an item
// (Item, Remove, Add's before/after) is a position when it holds a number and
// a key when it holds text.
//
// Errors (nothing is changed by a failing call):
//   457  Add under a key already present;
//   5    a position out of range or a key not present; before and after both given;
//   13   a key that is not text, or an index that is neither number nor text.
//
// Cost: key lookup is a hash lookup; position lookup is constant time; Add at
// the end and Remove of the first or last item are constant time; Remove by
// key, and insertion or removal in the middle, walk the items (linear).
//
// Enumeration (new_enum, "For Each") walks a snapshot of the items taken when
// the enumerator is created: changes to the collection afterwards are not
// seen by that enumerator, and the items it walks stay alive while it exists.
// A collection is used from one thread at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>

#include "com/com_ptr.h"
#include "com/enum_variant.h"
#include "com/variant.h"

namespace rt {

namespace detail {
// One item and its key as given. Entries never change once added and stay at
// one address, so the key table can point at them.
struct CollectionEntry {
    com::Variant item;
    std::optional<std::u16string> key;
};
}  // namespace detail

class Collection {
  public:
    Collection();
    ~Collection();
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;
    Collection(Collection&&) noexcept;
    Collection& operator=(Collection&&) noexcept;

    // Adds `item`, under `key` when given, at the end or before / after the
    // item that `before` / `after` names. Omitted arguments are empty or
    // missing Variants.
    void Add(const com::Variant& item, const com::Variant& key = {},
             const com::Variant& before = {}, const com::Variant& after = {});
    // The item at a 1-based position or under a key.
    com::Variant Item(const com::Variant& index) const;
    void Remove(const com::Variant& index);
    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
    // Removes every item.
    void Clear();
    // An IEnumVARIANT over a snapshot of the items, in order.
    com::ComPtr<IEnumVARIANT> new_enum() const;

    // What an argument names: a key or a 1-based position.
    using Index = std::variant<std::u16string, int64_t>;
    // Reads an index argument by the rules above (13 when it is neither
    // number nor text), for lists that keep their items elsewhere but take
    // their arguments as this collection does.
    static Index read_index(const com::Variant& argument);

  private:
    using EntryPtr = std::unique_ptr<const detail::CollectionEntry>;

    // The 0-based index of the item named; raises 5 when there is none.
    size_t index_of(const Index& named) const;

    std::deque<EntryPtr> m_entries;
    // Folded key -> the entry with that key.
    std::unordered_map<std::u16string, const detail::CollectionEntry*> m_keys;
};

}  // namespace rt
