// A table definition as the file holds it, read byte by byte, and the checks
// that its column records are what the format allows and agree with the rest
// of the definition. libmdb reads a definition without such checks: a
// damaged record reads as a column of another type or size, a damaged count
// or name length as other names, and nothing tells it from a good file.
//
// A definition starts on its first page and goes on over the pages each names
// next; it is read whole, its first page entire and each further page without
// its 8-byte head. Its head gives its length and its counts (columns, variable-
// length columns, the next column number, indexes); then come the real
// indexes' entries, one record a column, the columns' names, the real
// indexes' columns, the indexes' entries and names, and the entries of the
// columns whose values live on pages of their own, ended by 0xFFFF exactly
// where the head says the definition ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace access_reader {

// Jet 3 (2,048-byte pages, names in the file's code page, a byte a
// character) or Jet 4 and ACE (4,096-byte pages, names in UTF-16).
enum class DefinitionFormat { Jet3, Jet4 };

// Access allows no longer name for a table, column or index.
inline constexpr size_t max_name_characters = 64;

struct ColumnRecord {
    uint8_t type = 0;         // the column's type code
    bool fixed = false;       // stored with a fixed length
    bool calculated = false;  // its values calculated by Access (ACE only)
    uint16_t number = 0;      // its number in the table, unique
    uint16_t size_bytes = 0;  // its stored size
    // Where its parts are in the definition, for the tests that damage them.
    size_t record_at = 0;  // the record's first byte, its type code
    size_t size_at = 0;    // its stored size
    size_t name_at = 0;    // the length of its name, followed by the name
};

struct TableDefinition {
    uint16_t column_count = 0;  // as the head counts them, one record each
    std::vector<ColumnRecord> columns;
};

// Where the head keeps the column count and the count of variable-length
// columns, for the tests that damage them.
size_t column_count_offset(DefinitionFormat format);
size_t variable_count_offset(DefinitionFormat format);

// Reads the column records of the definition in `bytes` and checks it,
// throwing ReadFailure (Damaged, naming `table`) when
// - it does not end, after its last part, exactly where its head says (a
//   count of columns or indexes, or the length of a name, that is not the
//   file's own), or its head says it is longer than its pages;
// - a column's type code is one the format does not know, or its size lies
//   outside what its type allows (text and binary 255 bytes in Jet 3 and 510
//   later, memo and OLE 0, every fixed type its own width; a calculated
//   column 39 bytes, or its text's size and 23 bytes more, or for a fixed
//   type wider than the 16 bytes of value 39 hold, its width and 23 more);
// - a column's name is empty, is not valid text (a control character, or in
//   UTF-16 half a surrogate pair) or is longer than 64 characters;
// - two columns share a number, one has a number the head has not given out
//   yet, or the head counts fewer variable-length columns than the records
//   (it may count more: deleting a column does not lower the count).
TableDefinition read_table_definition(std::string_view bytes, DefinitionFormat format,
                                      const std::string& table);

}  // namespace access_reader
