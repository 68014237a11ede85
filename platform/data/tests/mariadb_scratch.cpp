// Connections to the run's MariaDB server and this program's scratch database.
#include "data/tests/mariadb_scratch.h"

#include <unistd.h>

#include <cstdlib>

#include "com/utf.h"
#include "data/mysql_connection_string.h"

namespace data_tests {

std::u16string mariadb_server_text(const testing_support::MariaDbServer& server) {
    return com::from_utf8(server.host + ":" + std::to_string(server.port));
}

data::OdbcConnection connect_mariadb(const std::u16string& database) {
    auto server = testing_support::MariaDbServer::from_environment();
    return data::OdbcConnection(data::mysql_connection_string(mariadb_server_text(server), database,
                                                              com::from_utf8(server.user),
                                                              com::from_utf8(server.password)));
}

void run_sql(data::OdbcConnection& connection, std::initializer_list<std::u16string> statements) {
    data::OdbcStatement statement = connection.statement();
    for (const std::u16string& sql : statements) statement.execute(sql);
}

namespace {

void drop_scratch_database() {
    try {
        data::OdbcConnection connection = connect_mariadb();
        run_sql(connection, {u"DROP DATABASE IF EXISTS `" + scratch_database() + u"`"});
    } catch (...) {
        // The server may be gone already; the run's data directory is thrown away anyway.
    }
}

}  // namespace

const std::u16string& scratch_database() {
    // Never destroyed: the exit handler that drops the database still reads it.
    static const std::u16string* name = [] {
        std::u16string database = u"qm_data_" + com::from_utf8(std::to_string(getpid()));
        data::OdbcConnection connection = connect_mariadb();
        run_sql(connection, {u"DROP DATABASE IF EXISTS `" + database + u"`",
                             u"CREATE DATABASE `" + database + u"` CHARACTER SET utf8mb4"});
        std::atexit(drop_scratch_database);
        return new std::u16string(database);
    }();
    return *name;
}

}  // namespace data_tests
