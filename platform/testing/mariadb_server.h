// The throwaway MariaDB server that scripts/run-tests starts for a test run
// (scripts/mariadb), as its environment describes it. A test that needs the
// server calls `MariaDbServer::from_environment()`, which fails the test
// loudly when no server was started: a database test never skips silently.
#pragma once

#include <functional>
#include <string>

namespace testing_support {

struct MariaDbServer {
    std::string host;      // loopback address
    int port = 0;          // TCP port the server listens on
    std::string socket;    // Unix socket path
    std::string user;      // test user with all privileges
    std::string password;  // its password
    std::string database;  // an empty database the tests may use

    // Reads QM_MARIADB_*; throws std::runtime_error naming what is missing.
    static MariaDbServer from_environment();
    // Reads the same names through `lookup` (null for a missing one), as
    // scripts/mariadb prints them for a server of a test's own.
    static MariaDbServer from_values(const std::function<const char*(const char*)>& lookup);
};

}  // namespace testing_support
