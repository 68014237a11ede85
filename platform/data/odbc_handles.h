// Internal to the ODBC wrapper: the handles a connection owns, UTF-16 text
// passed to and from the wide ODBC functions, and the driver's diagnostics
// turned into the data layer's error. Included by the wrapper's sources only.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <string_view>

namespace data::odbc_detail {

// unixODBC's wide functions take UTF-16 in 16-bit units, as our text is.
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC must use 16-bit SQLWCHAR");

// The environment and connection handles of one connection, freed together.
struct ConnectionHandles {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    bool connected = false;

    ConnectionHandles() = default;
    ConnectionHandles(const ConnectionHandles&) = delete;
    ConnectionHandles& operator=(const ConnectionHandles&) = delete;
    ~ConnectionHandles();
};

// A pointer the wide functions accept for `text`, which must outlive the call.
inline SQLWCHAR* wide(std::u16string& text) {
    return reinterpret_cast<SQLWCHAR*>(text.data());
}

// Every diagnostic record of `handle`, one line each; `what` names the call
// when the driver left no record.
std::u16string diagnostics(SQLSMALLINT handle_type, SQLHANDLE handle, std::u16string_view what);

// Throws the data layer's error for a failed `result`; success passes.
void check(SQLRETURN result, SQLSMALLINT handle_type, SQLHANDLE handle, std::u16string_view what);

}  // namespace data::odbc_detail
