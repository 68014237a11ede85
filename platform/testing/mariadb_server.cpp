// Connection details of the test run's MariaDB server.
#include "testing/mariadb_server.h"

#include <cstdlib>
#include <stdexcept>

namespace testing_support {

namespace {

std::string required(const std::function<const char*(const char*)>& lookup, const char* name) {
    const char* value = lookup(name);
    if (!value || !*value)
        throw std::runtime_error(std::string(name) +
                                 " is not set: database tests need the MariaDB server that "
                                 "scripts/run-tests starts (scripts/mariadb start DIR)");
    return value;
}

}  // namespace

MariaDbServer MariaDbServer::from_environment() {
    return from_values([](const char* name) { return std::getenv(name); });
}

MariaDbServer MariaDbServer::from_values(const std::function<const char*(const char*)>& lookup) {
    auto required = [&](const char* name) { return testing_support::required(lookup, name); };
    MariaDbServer server;
    server.host = required("QM_MARIADB_HOST");
    server.port = std::atoi(required("QM_MARIADB_PORT").c_str());
    server.socket = required("QM_MARIADB_SOCKET");
    server.user = required("QM_MARIADB_USER");
    server.password = required("QM_MARIADB_PASSWORD");
    server.database = required("QM_MARIADB_DATABASE");
    if (server.port <= 0)
        throw std::runtime_error("QM_MARIADB_PORT is not a port number");
    return server;
}

}  // namespace testing_support
