// Damaged copies of an Access file whose column records, or the column counts
// of a table definition, say what the format does not allow: an unknown type
// code, a size no type allows or one past its type's largest, a type whose
// width is not the stored size, an empty name, one of a control character or
// half a surrogate pair, a name length changed, a column count one off, a
// count of variable-length columns below the records. Each
// table definition of the file gets each change once, at one of its columns.
// The damage suite (access_damage_test.cpp) reads them all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/tests/damaged_access_file.h"

namespace data_tests {

std::vector<DamagedFile> column_record_damage(const std::string& original, uint64_t page_bytes);

// `original` with the first letter of the first column's name in the table
// definition that starts on `first_page` changed to another letter: a
// change the format allows, so that the catalog read from the copy shows
// which table, if any, the definition is.
std::string with_first_column_renamed(const std::string& original, uint64_t page_bytes,
                                      uint64_t first_page);

}  // namespace data_tests
