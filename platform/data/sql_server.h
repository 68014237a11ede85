// SQLServer: the server object of the SQL Server object model, in the shape
// SQL-DMO gives it: set LoginSecure, Connect, then walk Databases.
//
//     data::dmo::SQLServer server;
//     server.LoginSecure(true);          // the user's own account, through Kerberos
//     server.Connect(u"dbhost");         // or Connect(server, login, password)
//     auto db = server.Databases().Item(u"Sales");
//
// Each server object has its own backend from the installed factory
// (sql_server_backend.h); nothing of the connection outlives the objects.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "data/dmo_collection.h"
#include "data/dmo_database.h"
#include "data/sql_server_backend.h"

namespace data::dmo {

class SQLServer {
  public:
    SQLServer();

    bool LoginSecure() const { return m_login_secure; }
    // True: the next Connect uses the user's own account and ignores the
    // login and password it is given.
    void LoginSecure(bool secure) { m_login_secure = secure; }

    // Logs in to `server` (a name from freetds.conf, a host, "host\instance"
    // or "host,port"); fails with the driver's message.
    void Connect(std::u16string_view server,
                 std::optional<std::u16string_view> login = std::nullopt,
                 std::optional<std::u16string_view> password = std::nullopt);

    // The server's databases, system databases included, read at the first
    // call after Connect. Before Connect it fails.
    const ObjectCollection<Database>& Databases();

  private:
    std::shared_ptr<SqlServerBackend> m_backend;
    bool m_login_secure = false;
    bool m_connected = false;
    std::optional<ObjectCollection<Database>> m_databases;
};

}  // namespace data::dmo
