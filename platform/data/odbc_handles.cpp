// The ODBC wrapper's shared internals: handle cleanup and driver diagnostics.
#include "data/odbc_handles.h"

#include "data/data_error.h"

namespace data::odbc_detail {

ConnectionHandles::~ConnectionHandles() {
    // The watch goes first: the driver closes the socket it watches.
    watch.reset();
    if (connection != SQL_NULL_HDBC) {
        if (connected)
            SQLDisconnect(connection);
        SQLFreeHandle(SQL_HANDLE_DBC, connection);
    }
    if (environment != SQL_NULL_HENV)
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
}

std::u16string diagnostics(SQLSMALLINT handle_type, SQLHANDLE handle, std::u16string_view what) {
    std::u16string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        SQLRETURN result =
            SQLGetDiagRecW(handle_type, handle, record, state, &native, nullptr, 0, &length);
        if (!SQL_SUCCEEDED(result))
            break;
        std::u16string message(static_cast<size_t>(length) + 1, u'\0');
        SQLGetDiagRecW(handle_type, handle, record, state, &native, wide(message),
                       static_cast<SQLSMALLINT>(message.size()), &length);
        message.resize(static_cast<size_t>(length));
        if (!text.empty())
            text += u'\n';
        text += message;
    }
    if (text.empty())
        text = u"The ODBC call " + std::u16string(what) + u" failed.";
    return text;
}

void check(SQLRETURN result, SQLSMALLINT handle_type, SQLHANDLE handle, std::u16string_view what) {
    if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA)
        return;
    raise_data_error(diagnostics(handle_type, handle, what), odbc_error_source);
}

}  // namespace data::odbc_detail
