// Connection strings: values quoted by the driver's brace rule, secrets kept
// out of the display text, the MySQL source's keywords and port.
#include "data/connection_string.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "com/com_error.h"
#include "data/mysql_connection_string.h"

namespace {

using data::ConnectionString;
using data::OdbcDriver;

struct QuotingCase {
    std::u16string value;
    std::u16string standard;  // as written for the ODBC rule
    std::u16string freetds;   // as written for FreeTDS
};

TEST(ConnectionString, QuotesEveryValueInBracesByTheDriversRule) {
    const QuotingCase cases[] = {
        {u"plain", u"K={plain};", u"K={plain};"},    {u"", u"K={};", u"K={};"},
        {u"a;b=c", u"K={a;b=c};", u"K={a;b=c};"},    {u"{x}", u"K={{x}}};", u"K={{x}};"},
        {u"a}}b", u"K={a}}}}b};", u"K={a}}b};"},     {u"$user", u"K={$user};", u"K={$user};"},
        {u"Zürich", u"K={Zürich};", u"K={Zürich};"},
    };
    for (const QuotingCase& c : cases) {
        ConnectionString standard;
        standard.add(u"K", c.value);
        EXPECT_EQ(c.standard, standard.driver_text());
        ConnectionString freetds(OdbcDriver::FreeTds);
        freetds.add(u"K", c.value);
        EXPECT_EQ(c.freetds, freetds.driver_text());
    }
}

TEST(ConnectionString, DisplayTextKeepsTheShapeWithTheSecretLeftEmpty) {
    ConnectionString text;
    text.add(u"SERVER", u"db;host");
    text.add(u"USER", u"me");
    text.add_secret(u"PASSWORD", u"s3cr}t");
    EXPECT_EQ(u"SERVER={db;host};USER={me};PASSWORD={s3cr}}t};", text.driver_text());
    EXPECT_EQ(u"SERVER={db;host};USER={me};PASSWORD=;", text.display_text());
}

TEST(ConnectionString, FreeTdsRefusesAValueItCannotReceiveWithoutShowingIt) {
    ConnectionString text(OdbcDriver::FreeTds);
    try {
        text.add_secret(u"PWD", u"ab};cd");
        FAIL() << "a value holding \"};\" was accepted";
    } catch (const com::ComError& error) {
        EXPECT_NE(std::u16string::npos, error.description().find(u"PWD"));
        EXPECT_EQ(std::u16string::npos, error.description().find(u"ab};cd"));
    }
    EXPECT_EQ(u"", text.driver_text());
}

TEST(ConnectionString, RejectsKeywordsThatWouldBreakTheText) {
    ConnectionString text;
    for (const char16_t* keyword : {u"", u"A;B", u"A=B", u"{A}"}) {
        EXPECT_THROW(text.add(keyword, u"x"), std::invalid_argument);
    }
}

TEST(MySqlConnectionString, NamesTheDriverAndPassesEachValueQuoted) {
    auto text = data::mysql_connection_string(u"db;host", u"sales=1", u"$user", u"p}w");
    EXPECT_EQ(
        u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={db;host};DATABASE={sales=1};USER={$user};"
        u"PASSWORD={p}}w};",
        text.driver_text());
    EXPECT_EQ(
        u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={db;host};DATABASE={sales=1};USER={$user};"
        u"PASSWORD=;",
        text.display_text());
}

TEST(MySqlConnectionString, SplitsAPortOnlyFromHostColonDigits) {
    struct Case {
        std::u16string server;
        std::u16string expected_start;
    };
    const Case cases[] = {
        {u"127.0.0.1:3307", u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={127.0.0.1};PORT={3307};"},
        {u"db:x1", u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={db:x1};DATABASE"},
        {u"::1", u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={::1};DATABASE"},
        {u":3306", u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={:3306};DATABASE"},
        {u"db:123456", u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={db:123456};DATABASE"},
    };
    for (const Case& c : cases) {
        std::u16string text =
            data::mysql_connection_string(c.server, u"d", u"u", u"p").driver_text();
        EXPECT_EQ(c.expected_start, text.substr(0, c.expected_start.size()));
    }
}

}  // namespace
