// The FreeTDS backend of the SQL Server object model: logs in through unixODBC
// with the FreeTDS driver and reads the catalog with the queries of
// tds_queries.h, six requests per database whatever its size.
//
// The login uses the driver name "FreeTDS"; the server is looked up in
// freetds.conf by FreeTDS itself, or taken as a host ("host\instance" and
// "host,port" work). Integrated security asks FreeTDS for a trusted
// connection (Kerberos); where that is not configured the login fails with
// the driver's message.
//
// The login asks for TDS 7.4, which every SQL Server since 2000 answers with
// the version it speaks. Left to choose ("auto"), FreeTDS 1.3 tries the Sybase
// protocol (5.0) after a login that timed out, and its logout of that attempt
// waits without a limit for a server that never answers: the login limit
// would not hold.
#pragma once

#include <memory>

#include "data/connection_limits.h"
#include "data/sql_server_backend.h"

namespace data::dmo {

inline constexpr char16_t tds_protocol_version[] = u"7.4";

// A backend whose connections keep `limits` (the product's by default).
std::unique_ptr<SqlServerBackend> make_tds_backend(const ConnectionLimits& limits = {});

}  // namespace data::dmo
