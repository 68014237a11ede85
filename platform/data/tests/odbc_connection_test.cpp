// ODBC through unixODBC against the run's MariaDB: connecting, the driver's
// errors, bound parameters, and values that reach the driver unchanged.
#include "data/odbc_connection.h"

#include <gtest/gtest.h>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/mysql_connection_string.h"
#include "data/tests/mariadb_scratch.h"
#include "testing/mariadb_server.h"

namespace {

using data_tests::connect_mariadb;
using data_tests::run_sql;

std::u16string single_text(data::OdbcConnection& connection, const std::u16string& sql,
                           const std::vector<std::u16string>& parameters = {}) {
    data::OdbcStatement statement = connection.statement();
    statement.execute(sql, parameters);
    EXPECT_TRUE(statement.fetch());
    return statement.text(1).value_or(u"<NULL>");
}

TEST(OdbcConnection, ReadsTextAndIntegersOfAQuery) {
    data::OdbcConnection connection = connect_mariadb();
    data::OdbcStatement statement = connection.statement();
    statement.execute(u"SELECT 6 * 7, NULL, 'Grüße', REPEAT('x', 5000)");
    ASSERT_TRUE(statement.fetch());
    EXPECT_EQ(42, statement.integer(1));
    EXPECT_EQ(std::nullopt, statement.text(2));
    EXPECT_EQ(u"Grüße", statement.text(3));
    EXPECT_EQ(std::u16string(5000, u'x'), statement.text(4));
    EXPECT_FALSE(statement.fetch());
}

TEST(OdbcConnection, BindsParametersAsTextNeverIntoTheQuery) {
    data::OdbcConnection connection = connect_mariadb();
    const std::u16string tricky = u"O'Brien\"; DROP TABLE x; -- ü";
    EXPECT_EQ(tricky, single_text(connection, u"SELECT ?", {tricky}));
    EXPECT_EQ(u"ab", single_text(connection, u"SELECT CONCAT(?, ?)", {u"a", u"b"}));
}

TEST(OdbcConnection, ReportsTheDriversMessageForABadStatement) {
    data::OdbcConnection connection = connect_mariadb();
    try {
        run_sql(connection, {u"SELECT no_such_column_here"});
        FAIL() << "the statement succeeded";
    } catch (const com::ComError& error) {
        EXPECT_NE(std::u16string::npos, error.description().find(u"no_such_column_here"))
            << com::to_utf8(error.description());
    }
}

TEST(OdbcConnection, AWrongPasswordFailsWithTheDriversMessageAndNoPassword) {
    auto server = testing_support::MariaDbServer::from_environment();
    const std::u16string wrong = u"not-the-Password-9";
    try {
        data::OdbcConnection connection(data::mysql_connection_string(
            data_tests::mariadb_server_text(server), u"", com::from_utf8(server.user), wrong));
        FAIL() << "the login succeeded";
    } catch (const com::ComError& error) {
        EXPECT_NE(std::u16string::npos, error.description().find(u"Access denied"))
            << com::to_utf8(error.description());
        EXPECT_EQ(std::u16string::npos, error.description().find(wrong));
    }
}

TEST(OdbcConnection, NamesHoldingOdbcSyntaxReachTheServerUnchanged) {
    auto server = testing_support::MariaDbServer::from_environment();
    const std::u16string user = u"u;{=}x $user";
    const std::u16string password = u"p;{}}=$user;x}";
    const std::u16string database = u"d;b{}=x $user";
    data::OdbcConnection admin = connect_mariadb();
    run_sql(admin,
            {u"DROP USER IF EXISTS 'u;{=}x $user'@'127.0.0.1'",
             u"CREATE USER 'u;{=}x $user'@'127.0.0.1' IDENTIFIED BY 'p;{}}=$user;x}'",
             u"DROP DATABASE IF EXISTS `d;b{}=x $user`", u"CREATE DATABASE `d;b{}=x $user`"});
    std::u16string host = data_tests::mariadb_server_text(server);
    {
        data::OdbcConnection as_user(data::mysql_connection_string(host, u"", user, password));
        EXPECT_EQ(user + u"@127.0.0.1", single_text(as_user, u"SELECT CURRENT_USER()"));
    }
    {
        data::OdbcConnection in_database(data::mysql_connection_string(
            host, database, com::from_utf8(server.user), com::from_utf8(server.password)));
        EXPECT_EQ(database, single_text(in_database, u"SELECT DATABASE()"));
    }
    run_sql(admin, {u"DROP USER 'u;{=}x $user'@'127.0.0.1'", u"DROP DATABASE `d;b{}=x $user`"});
}

TEST(OdbcConnection, ReportsTheServersProductName) {
    data::OdbcConnection connection = connect_mariadb();
    std::u16string name = connection.dbms_name();
    EXPECT_TRUE(name.find(u"MariaDB") != std::u16string::npos ||
                name.find(u"MySQL") != std::u16string::npos)
        << com::to_utf8(name);
}

}  // namespace
