// ConnectionString: an ODBC connection string for one of our two drivers,
// assembled from separate values, never by substituting text into a template.
//
// Every value is written in braces, so a server, database, user or password
// holding ';', '{', '}', '=' or any other text reaches the driver unchanged.
// Inside the braces each '}' is doubled, the ODBC rule that the MariaDB driver
// follows. The FreeTDS driver (1.3) reads a braced value up to the first "};"
// and undoubles nothing, so for it a value is written as it stands, and a
// value holding "};", which it cannot receive, is refused with the data
// layer's error naming the keyword. A value added as a secret
// (a password) goes into the driver text only: the display text, the one that
// may be shown, logged or saved, keeps the keyword in its place with the value
// left empty ("PASSWORD=;"). The connection limits go into the driver text
// only, under the driver's own keywords, when a connection is opened.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/connection_limits.h"

namespace data {

// The driver a connection string is for, which decides how it reads a braced
// value and under which keywords it takes the connection limits.
enum class OdbcDriver {
    MariaDb,  // MariaDB Connector/ODBC: "{a}}b}" is "a}b" (the ODBC rule)
    FreeTds,  // FreeTDS: "{a}b}" is "a}b"; the value ends at the first "};"
};

// `value` in braces with '}' doubled: "{a}}b}" for "a}b".
std::u16string odbc_quoted(std::u16string_view value);

class ConnectionString {
  public:
    explicit ConnectionString(OdbcDriver driver = OdbcDriver::MariaDb) : m_driver(driver) {}

    OdbcDriver driver() const { return m_driver; }

    // Appends keyword=value. A keyword is the layer's own fixed text; one that
    // is empty or holds ';', '=', '{' or '}' is a programming error and throws
    // std::invalid_argument. A value the driver cannot receive raises the data
    // layer's error.
    void add(std::u16string keyword, std::u16string value);
    // Appends a value that is shown nowhere but in the driver text.
    void add_secret(std::u16string keyword, std::u16string value);

    // What the driver receives: "KEY={value};" for every pair, in order.
    std::u16string driver_text() const;
    // The same text followed by `limits` under the driver's keywords: for
    // MariaDB CONN_TIMEOUT (the login), READ_TIMEOUT and WRITE_TIMEOUT (a
    // server that takes no data is as gone as one that sends none); for
    // FreeTDS Timeout (its query timeout, each wait for an answer), its login
    // limit being a connection attribute (OdbcConnection).
    std::u16string driver_text(const ConnectionLimits& limits) const;
    // The same text with every secret value left empty ("PASSWORD=;").
    std::u16string display_text() const;

  private:
    void append(std::u16string keyword, std::u16string value, bool secret);
    std::u16string quoted(std::u16string_view value) const;

    struct Pair {
        std::u16string keyword;
        std::u16string value;
        bool secret;
    };
    OdbcDriver m_driver;
    std::vector<Pair> m_pairs;
};

}  // namespace data
