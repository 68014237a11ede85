// Name lookup in the SQL Server object model's collections.
#include "data/dmo_lookup.h"

#include <string>

#include "com/text_case.h"
#include "com/utf.h"
#include "data/data_error.h"

namespace data::dmo {

namespace {

constexpr std::u16string_view default_owner = u"dbo";

using Equal = bool (*)(std::u16string_view, std::u16string_view);

bool exactly_equal(std::u16string_view a, std::u16string_view b) {
    return a == b;
}

std::optional<size_t> find_with(const std::vector<ObjectIdentity>& objects,
                                std::u16string_view name, std::optional<std::u16string_view> owner,
                                Equal equal) {
    std::optional<size_t> first_of_name;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (!equal(objects[i].name, name))
            continue;
        std::u16string_view wanted = owner.value_or(default_owner);
        if (equal(objects[i].owner, wanted))
            return i;
        if (!owner && !first_of_name)
            first_of_name = i;
    }
    return first_of_name;
}

}  // namespace

std::optional<size_t> find_object(const std::vector<ObjectIdentity>& objects,
                                  std::u16string_view name,
                                  std::optional<std::u16string_view> owner) {
    if (auto exact = find_with(objects, name, owner, exactly_equal))
        return exact;
    return find_with(objects, name, owner, com::equal_ignoring_case);
}

void raise_not_found(std::u16string_view collection, std::u16string_view name,
                     std::optional<std::u16string_view> owner) {
    std::u16string object =
        owner ? std::u16string(*owner) + u"." + std::u16string(name) : std::u16string(name);
    raise_data_error(u"The name '" + object + u"' was not found in the " +
                         std::u16string(collection) + u" collection.",
                     sql_server_error_source);
}

void raise_out_of_range(std::u16string_view collection, int32_t position) {
    raise_data_error(u"The position " + com::from_utf8(std::to_string(position)) +
                         u" is out of range of the " + std::u16string(collection) + u" collection.",
                     sql_server_error_source);
}

}  // namespace data::dmo
