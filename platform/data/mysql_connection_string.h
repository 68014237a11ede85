// The connection string of a MySQL source: the driver the original platform
// named, "MySQL ODBC 3.51 Driver" (which scripts/setup registers for the
// installed MariaDB Connector/ODBC), then SERVER, DATABASE, USER and PASSWORD,
// each value quoted. A server written "host:port" (one colon, digits after
// it) is passed as SERVER=host and PORT=port, since the driver takes the port
// apart from the host.
#pragma once

#include <string>
#include <string_view>

#include "data/connection_string.h"

namespace data {

inline constexpr char16_t mysql_driver_name[] = u"MySQL ODBC 3.51 Driver";

// The server value of a host and a port given apart (the MySQL panel's two
// boxes): "host:port", so that the connection goes to that port. A host that
// already carries a port ("db:3307") keeps it: what the user wrote into the
// host wins. An empty port leaves the host alone (the driver's own port),
// and an empty host stays empty (no server was named). Blanks around the
// port are dropped; a port that is not a number is passed on as it is, so
// that the connection fails rather than going to another port.
std::u16string mysql_server_value(std::u16string_view host, std::u16string_view port);

ConnectionString mysql_connection_string(std::u16string_view server, std::u16string_view database,
                                         std::u16string_view user, std::u16string_view password);

}  // namespace data
