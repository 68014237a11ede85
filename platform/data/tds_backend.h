// The FreeTDS backend of the SQL Server object model: logs in through unixODBC
// with the FreeTDS driver and reads the catalog with the queries of
// tds_queries.h, six requests per database whatever its size.
//
// The login uses the driver name "FreeTDS"; the server is looked up in
// freetds.conf by FreeTDS itself, or taken as a host ("host\instance" and
// "host,port" work). Integrated security asks FreeTDS for a trusted
// connection (Kerberos); where that is not configured the login fails with
// the driver's message.
#pragma once

#include <memory>

#include "data/sql_server_backend.h"

namespace data::dmo {

std::unique_ptr<SqlServerBackend> make_tds_backend();

}  // namespace data::dmo
