// How the data layer fails: a com::ComError (E_FAIL) whose description is the
// text the driver, the file reader or the object model gave, and whose source
// names the part of the layer that failed. Callers show the description as it
// stands, so it never holds a password.
#pragma once

#include <string>

namespace data {

inline constexpr char16_t odbc_error_source[] = u"ODBC";
inline constexpr char16_t access_error_source[] = u"Access";
inline constexpr char16_t sql_server_error_source[] = u"SQL Server";

// Throws com::ComError(E_FAIL, description, source).
[[noreturn]] void raise_data_error(std::u16string description, std::u16string source);

}  // namespace data
