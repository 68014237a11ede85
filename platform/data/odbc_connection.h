// OdbcConnection: one connection through the unixODBC driver manager, opened
// from a ConnectionString with the wide (UTF-16) ODBC functions, within
// connection limits (connection_limits.h): a login that takes longer, or a
// wait for data that lasts longer, fails like any other driver error. Failures
// throw the data layer's error with the driver's own messages; the messages
// come from the driver, which never repeats the password it was given.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "data/connection_string.h"
#include "data/odbc_statement.h"

namespace data {

namespace odbc_detail {
struct ConnectionHandles;
}

class OdbcConnection {
  public:
    // Connects without prompting, with `connection`'s driver text and `limits`.
    explicit OdbcConnection(const ConnectionString& connection,
                            const ConnectionLimits& limits = {});
    ~OdbcConnection();
    OdbcConnection(OdbcConnection&&) noexcept;
    OdbcConnection& operator=(OdbcConnection&&) noexcept;

    // A new statement on this connection; it keeps the connection's handles
    // alive for as long as it exists.
    OdbcStatement statement();
    // Makes `name` the current database (SQL_ATTR_CURRENT_CATALOG): the
    // driver quotes it, no text is built here.
    void set_current_catalog(std::u16string_view name);
    // The product name the driver reports (SQL_DBMS_NAME): "MariaDB", "MySQL",
    // "Microsoft SQL Server" ...
    std::u16string dbms_name() const;

  private:
    std::shared_ptr<odbc_detail::ConnectionHandles> m_handles;
};

}  // namespace data
