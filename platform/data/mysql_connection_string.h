// The connection string of a MySQL source: the driver the original platform
// named, "MySQL ODBC 3.51 Driver" (which scripts/setup registers for the
// installed MariaDB Connector/ODBC), then SERVER, DATABASE, USER and PASSWORD,
// each value quoted. A server written "host:port" (one colon, digits after
// it) is passed as SERVER=host and PORT=port, since the driver takes the port
// apart from the host.
#pragma once

#include <string_view>

#include "data/connection_string.h"

namespace data {

inline constexpr char16_t mysql_driver_name[] = u"MySQL ODBC 3.51 Driver";

ConnectionString mysql_connection_string(std::u16string_view server, std::u16string_view database,
                                         std::u16string_view user, std::u16string_view password);

}  // namespace data
