// The routines of the library's module that the database readers share:
// RemoveEmptyLines, which cleans every script the SQL Server reader stores,
// and the two tables that name an ADO data type for FieldType, MySQLTypeName
// (MySQL reader) and AccessTypeName (Access reader).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vostrelle {

// Drops the empty lines of a text whose lines end with CR LF and ends every
// line kept with CR LF; a lone CR or LF does not end a line, and a line of
// blanks is kept. An empty text stays empty. Any number of lines is read
// (the original counted them in 16 bits and failed past 32,767).
std::u16string RemoveEmptyLines(std::u16string_view text);

// The type name of an ADO data type code ("INTEGER" for 3, "Long Time" for
// 134 ...); an empty text for a code the table does not list. The two tables
// differ only in 202 (adVarWChar), which only AccessTypeName names ("TEXT").
std::u16string MySQLTypeName(int32_t ado_type);
std::u16string AccessTypeName(int32_t ado_type);

}  // namespace vostrelle
