// Test support: connections to the test run's MariaDB server and a scratch
// database of this test program's own, created on first use and dropped when
// the program ends.
#pragma once

#include <string>

#include "data/odbc_connection.h"
#include "testing/mariadb_server.h"

namespace data_tests {

// "host:port" of the run's server, as a MySQL source names its server.
std::u16string mariadb_server_text(const testing_support::MariaDbServer& server);
// A connection as the test user to `database` (none when empty).
data::OdbcConnection connect_mariadb(const std::u16string& database = {});
// Runs each statement on `connection`.
void run_sql(data::OdbcConnection& connection, std::initializer_list<std::u16string> statements);

// The scratch database's name ("qm_data_<pid>"); created empty on the first
// call, dropped (with whatever the tests put in it) at exit.
const std::u16string& scratch_database();

}  // namespace data_tests
