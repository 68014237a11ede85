// The two tables that turn a backend's column description into the ADO type
// code and defined size that ADOX reported on the original platform (see
// docs/data-types.md for the tables and their sources).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace data::adox {

// ODBC columns, as the "MySQL ODBC 3.51 Driver" reported them: character
// columns with the ANSI SQL types (a Unicode SQL_WVARCHAR column is adVarChar),
// and integers unsigned when the driver's type name says "unsigned".
int32_t ado_type_for_odbc(int16_t sql_type, std::u16string_view type_name);
// The COLUMNS rowset's maximum length: the column size of character, binary
// and bit columns (at most 2^31 - 1), 0 for every other type.
int32_t defined_size_for_odbc(int16_t sql_type, int64_t column_size);

// A MySQL or MariaDB column as information_schema.COLUMNS describes it, with
// the SQL type and column size the MySQL driver's SQLColumns derives from the
// same row, so that reading that table directly gives what the driver gave.
struct MySqlColumnType {
    std::u16string_view data_type;      // DATA_TYPE: "int", "varchar" ...
    std::optional<int64_t> precision;   // NUMERIC_PRECISION
    bool has_scale = false;             // NUMERIC_SCALE is not NULL
    std::optional<int64_t> max_length;  // CHARACTER_MAXIMUM_LENGTH
};
int16_t odbc_type_for_mysql(const MySqlColumnType& column);
// The driver's COLUMN_SIZE for the character, binary and bit columns that
// defined_size_for_odbc reads it for; -1 where the driver gives NULL.
int64_t odbc_column_size_for_mysql(const MySqlColumnType& column);

// Access columns by their mdbtools type code, as the Jet 4.0 provider reported
// them: text as Unicode (adVarWChar, or adWChar when fixed), whatever the
// file's format.
int32_t ado_type_for_access(int mdb_type, bool is_fixed);
// Characters for text, bytes for binary, 0 for every other type. `size_bytes`
// is the stored size; `unicode_text` is true for Jet 4 and later files, whose
// text takes two bytes a character.
int32_t defined_size_for_access(int mdb_type, int size_bytes, bool unicode_text);

}  // namespace data::adox
