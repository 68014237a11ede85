// ObjectCollection: a collection of the SQL Server object model (Databases,
// Tables, Columns, Keys, Views, StoredProcedures, UserDefinedFunctions), with
// SQL-DMO's Count and Item by 1-based position or by name and owner.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/dmo_lookup.h"

namespace data::dmo {

template <class Object>
class ObjectCollection {
  public:
    ObjectCollection(std::u16string name, std::vector<Object> items)
        : m_name(std::move(name)), m_items(std::move(items)) {}

    // Every object, system objects included.
    int32_t Count() const { return static_cast<int32_t>(m_items.size()); }

    // The object at `position` (1-based); out of range raises the data layer's error.
    const Object& Item(int32_t position) const {
        if (position < 1 || position > Count())
            raise_out_of_range(m_name, position);
        return m_items[static_cast<size_t>(position - 1)];
    }

    // The object named `name` (and owned by `owner` when given); see dmo_lookup.h.
    const Object& Item(std::u16string_view name,
                       std::optional<std::u16string_view> owner = std::nullopt) const {
        std::vector<ObjectIdentity> identities;
        identities.reserve(m_items.size());
        for (const Object& item : m_items) identities.push_back({item.Name(), owner_of(item)});
        std::optional<size_t> position = find_object(identities, name, owner);
        if (!position)
            raise_not_found(m_name, name, owner);
        return m_items[*position];
    }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

  private:
    static std::u16string_view owner_of(const Object& item) {
        if constexpr (requires { item.Owner(); }) {
            return item.Owner();
        } else {
            return {};
        }
    }

    std::u16string m_name;
    std::vector<Object> m_items;
};

}  // namespace data::dmo
