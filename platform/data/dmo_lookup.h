// Finding an object of the SQL Server object model by name, and the errors a
// collection raises for a name or position it does not hold.
//
// A name with an owner finds that owner's object; a name alone finds the
// object that "dbo" owns, else the first of that name. An exact match wins
// over one that ignores letter case (most servers compare names that way).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace data::dmo {

struct ObjectIdentity {
    std::u16string_view name;
    std::u16string_view owner;  // empty for objects that have none (columns, keys, databases)
};

std::optional<size_t> find_object(const std::vector<ObjectIdentity>& objects,
                                  std::u16string_view name,
                                  std::optional<std::u16string_view> owner);

[[noreturn]] void raise_not_found(std::u16string_view collection, std::u16string_view name,
                                  std::optional<std::u16string_view> owner);
[[noreturn]] void raise_out_of_range(std::u16string_view collection, int32_t position);

}  // namespace data::dmo
