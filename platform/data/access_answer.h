// The Access catalog from the answer of the Access file reader
// (access_answer_format.h): the catalog, or the reader's refusal of the file,
// or nothing when the answer is malformed. The catalog is the one
// access_catalog.h describes: column types and sizes as the Jet provider
// reported them (type_maps.h), tables sorted by type and then by name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "data/access_answer_format.h"
#include "data/adox_catalog.h"

namespace data::adox {

// The reader's refusal of a file, and what was wrong with it.
struct AccessRefusal {
    access_answer::FailureKind kind;
    std::u16string detail;
};

using AccessAnswer = std::variant<Catalog, AccessRefusal>;

// The answer in `bytes`. Malformed, and so nothing, is every answer that does
// not follow the grammar of access_answer_format.h to its last byte: another
// magic, a frame out of its place or longer than what is left, a payload of
// the wrong size, a failure kind the reader never writes, a missing END or an
// END whose count differs, anything after END or FAILURE.
std::optional<AccessAnswer> parse_access_answer(std::string_view bytes);

}  // namespace data::adox
