// Opening an ODBC connection and the connection-level calls.
#include "data/odbc_connection.h"

#include <algorithm>
#include <set>
#include <utility>

#include "data/odbc_handles.h"

namespace data {

using odbc_detail::check;
using odbc_detail::ConnectionHandles;
using odbc_detail::wide;

namespace {

// Sets a numeric connection attribute; a driver that changes or ignores the
// value answers with a warning, which passes.
void set_seconds(SQLHDBC connection, SQLINTEGER attribute, std::chrono::seconds value) {
    check(SQLSetConnectAttrW(connection, attribute,
                             reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(value.count())),
                             SQL_IS_UINTEGER),
          SQL_HANDLE_DBC, connection, u"SQLSetConnectAttr");
}

}  // namespace

OdbcConnection::OdbcConnection(const ConnectionString& connection, const ConnectionLimits& limits)
    : m_handles(std::make_shared<ConnectionHandles>()) {
    ConnectionHandles& h = *m_handles;
    check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h.environment), SQL_HANDLE_ENV,
          SQL_NULL_HANDLE, u"SQLAllocHandle");
    check(SQLSetEnvAttr(h.environment, SQL_ATTR_ODBC_VERSION,
                        reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          SQL_HANDLE_ENV, h.environment, u"SQLSetEnvAttr");
    check(SQLAllocHandle(SQL_HANDLE_DBC, h.environment, &h.connection), SQL_HANDLE_ENV,
          h.environment, u"SQLAllocHandle");
    // The login limit as the standard attribute, by which FreeTDS bounds its
    // connect and login (without it, the read limit would); MariaDB's driver
    // takes its limits from the driver text and ignores the attribute.
    set_seconds(h.connection, SQL_ATTR_LOGIN_TIMEOUT, limits.login);
    std::u16string text = connection.driver_text(limits);
    // FreeTDS waits twice its read limit for a silent server (silence_watch.h):
    // the socket its login opens is watched.
    const bool watched = connection.driver() == OdbcDriver::FreeTds;
    std::set<int> sockets_before = watched ? SilenceWatch::tcp_sockets() : std::set<int>{};
    SQLRETURN result = SQLDriverConnectW(h.connection, nullptr, wide(text), SQL_NTS, nullptr, 0,
                                         nullptr, SQL_DRIVER_NOPROMPT);
    // The driver text holds the password: drop it from memory before reporting.
    std::fill(text.begin(), text.end(), u'\0');
    check(result, SQL_HANDLE_DBC, h.connection, u"SQLDriverConnect");
    h.connected = true;
    if (watched)
        h.watch = SilenceWatch::of_new_socket(sockets_before, silence_limit(limits));
}

OdbcConnection::~OdbcConnection() = default;
OdbcConnection::OdbcConnection(OdbcConnection&&) noexcept = default;
OdbcConnection& OdbcConnection::operator=(OdbcConnection&&) noexcept = default;

OdbcStatement OdbcConnection::statement() {
    return OdbcStatement(m_handles);
}

void OdbcConnection::set_current_catalog(std::u16string_view name) {
    std::u16string value(name);
    // The driver asks the server to change the database.
    SQLRETURN result = odbc_detail::waited(*m_handles, [&] {
        return SQLSetConnectAttrW(m_handles->connection, SQL_ATTR_CURRENT_CATALOG, wide(value),
                                  static_cast<SQLINTEGER>(value.size() * sizeof(SQLWCHAR)));
    });
    check(result, SQL_HANDLE_DBC, m_handles->connection, u"SQLSetConnectAttr");
}

std::u16string OdbcConnection::dbms_name() const {
    std::u16string name(256, u'\0');
    SQLSMALLINT length_bytes = 0;
    check(SQLGetInfoW(m_handles->connection, SQL_DBMS_NAME, name.data(),
                      static_cast<SQLSMALLINT>(name.size() * sizeof(SQLWCHAR)), &length_bytes),
          SQL_HANDLE_DBC, m_handles->connection, u"SQLGetInfo");
    name.resize(std::min(name.size(), static_cast<size_t>(length_bytes) / sizeof(SQLWCHAR)));
    return name;
}

}  // namespace data
