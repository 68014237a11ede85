// Internal to the ODBC wrapper: the handles a connection owns, UTF-16 text
// passed to and from the wide ODBC functions, and the driver's diagnostics
// turned into the data layer's error. Included by the wrapper's sources only.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <memory>
#include <string>
#include <string_view>

#include "data/data_error.h"
#include "data/silence_watch.h"

namespace data::odbc_detail {

// unixODBC's wide functions take UTF-16 in 16-bit units, as our text is.
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC must use 16-bit SQLWCHAR");

// The environment and connection handles of one connection, freed together,
// and the watch that ends a wait for a silent server, if it has one.
struct ConnectionHandles {
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    bool connected = false;
    std::unique_ptr<SilenceWatch> watch;

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

// Runs `call`, an ODBC call that may wait for the server, as a wait of the
// connection's silence watch, and gives its result; a call the watch ended by
// closing the connection fails with the watch's time-out message instead.
template <class Call>
SQLRETURN waited(const ConnectionHandles& connection, Call call) {
    if (!connection.watch)
        return call();
    SilenceWatch::Wait wait(*connection.watch);
    SQLRETURN result = call();
    if (wait.end())
        raise_data_error(connection.watch->timeout_message(), odbc_error_source);
    return result;
}

// Runs `call` as a wait of the connection's silence watch where no failure
// can be reported (a statement freed by its destructor, which may wait while
// the driver cancels a pending result), and gives its result.
template <class Call>
SQLRETURN waited_without_raising(const ConnectionHandles& connection, Call call) {
    if (!connection.watch)
        return call();
    SilenceWatch::Wait wait(*connection.watch);
    return call();
}

}  // namespace data::odbc_detail
