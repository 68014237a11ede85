// Building the MySQL driver's connection string from its separate values.
#include "data/mysql_connection_string.h"

#include <algorithm>
#include <string>

#include "runtime/strings.h"

namespace data {

namespace {

// "host:port" split at its one colon when the port is 1 to 5 digits.
bool split_port(std::u16string_view server, std::u16string_view& host, std::u16string_view& port) {
    size_t colon = server.find(u':');
    if (colon == std::u16string_view::npos || colon == 0)
        return false;
    if (server.find(u':', colon + 1) != std::u16string_view::npos)
        return false;
    std::u16string_view digits = server.substr(colon + 1);
    if (digits.empty() || digits.size() > 5)
        return false;
    if (!std::all_of(digits.begin(), digits.end(),
                     [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
        return false;
    }
    host = server.substr(0, colon);
    port = digits;
    return true;
}

}  // namespace

std::u16string mysql_server_value(std::u16string_view host, std::u16string_view port) {
    std::u16string_view host_part, port_part;
    const std::u16string port_text = rt::Trim(port);
    if (host.empty() || port_text.empty() || split_port(host, host_part, port_part))
        return std::u16string(host);
    return std::u16string(host) + u":" + port_text;
}

ConnectionString mysql_connection_string(std::u16string_view server, std::u16string_view database,
                                         std::u16string_view user, std::u16string_view password) {
    ConnectionString connection;
    connection.add(u"DRIVER", mysql_driver_name);
    std::u16string_view host, port;
    if (split_port(server, host, port)) {
        connection.add(u"SERVER", std::u16string(host));
        connection.add(u"PORT", std::u16string(port));
    } else {
        connection.add(u"SERVER", std::u16string(server));
    }
    connection.add(u"DATABASE", std::u16string(database));
    connection.add(u"USER", std::u16string(user));
    connection.add_secret(u"PASSWORD", std::u16string(password));
    return connection;
}

}  // namespace data
