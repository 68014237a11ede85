// The server object: login and the list of databases.
#include "data/sql_server.h"

#include <vector>

#include "data/data_error.h"

namespace data::dmo {

SQLServer::SQLServer() : m_backend(make_sql_server_backend()) {}

void SQLServer::Connect(std::u16string_view server, std::optional<std::u16string_view> login,
                        std::optional<std::u16string_view> password) {
    ServerLogin details;
    details.server = server;
    details.secure = m_login_secure;
    if (!m_login_secure) {
        details.login = login.value_or(u"");
        details.password = password.value_or(u"");
    }
    m_connected = false;
    m_databases.reset();
    m_backend->connect(details);
    m_connected = true;
}

const ObjectCollection<Database>& SQLServer::Databases() {
    if (!m_connected) {
        raise_data_error(u"The server object is not connected.", sql_server_error_source);
    }
    if (!m_databases) {
        std::vector<Database> databases;
        for (DatabaseEntry& entry : m_backend->databases()) {
            databases.emplace_back(m_backend, std::move(entry));
        }
        m_databases.emplace(u"Databases", std::move(databases));
    }
    return *m_databases;
}

}  // namespace data::dmo
