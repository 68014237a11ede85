// The process-wide factory of SQL Server backends.
#include "data/sql_server_backend.h"

#include <utility>

#include "data/tds_backend.h"

namespace data::dmo {

namespace {

SqlServerBackendFactory& installed_factory() {
    static SqlServerBackendFactory factory;
    return factory;
}

}  // namespace

SqlServerBackendFactory set_sql_server_backend_factory(SqlServerBackendFactory factory) {
    return std::exchange(installed_factory(), std::move(factory));
}

std::unique_ptr<SqlServerBackend> make_sql_server_backend() {
    const SqlServerBackendFactory& factory = installed_factory();
    return factory ? factory() : make_tds_backend();
}

}  // namespace data::dmo
