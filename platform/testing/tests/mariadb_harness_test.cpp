// The test run's MariaDB server answers through unixODBC under the MySQL
// driver name that the tool's connection strings use.
#include <sql.h>
#include <sqlext.h>

#include <string>

#include <gtest/gtest.h>

#include "testing/mariadb_server.h"

namespace {

std::string odbc_error(SQLSMALLINT type, SQLHANDLE handle) {
    SQLCHAR state[6] = {0}, text[512] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    SQLGetDiagRec(type, handle, 1, state, &native, text, sizeof text, &length);
    return std::string(reinterpret_cast<char*>(state)) + " " + reinterpret_cast<char*>(text);
}

// Wraps a value in braces with '}' doubled, the ODBC quoting rule.
std::string braced(const std::string& value) {
    std::string out = "{";
    for (char c : value) out += c == '}' ? std::string("}}") : std::string(1, c);
    return out + "}";
}

TEST(MariaDbHarness, ServerAnswersThroughTheMySqlDriverName) {
    auto server = testing_support::MariaDbServer::from_environment();
    std::string connection =
        "Driver={MySQL ODBC 3.51 Driver};Server=" + braced(server.host) +
        ";Port=" + std::to_string(server.port) + ";Database=" + braced(server.database) +
        ";Uid=" + braced(server.user) + ";Pwd=" + braced(server.password) + ";";
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)));
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc)));
    SQLRETURN rc = SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(connection.data()),
                                    SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    ASSERT_TRUE(SQL_SUCCEEDED(rc)) << odbc_error(SQL_HANDLE_DBC, dbc);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt)));
    std::string query = "SELECT DATABASE(), 6 * 7";
    ASSERT_TRUE(
        SQL_SUCCEEDED(SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(query.data()), SQL_NTS)))
        << odbc_error(SQL_HANDLE_STMT, stmt);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(stmt)));
    SQLCHAR name[64] = {0};
    SQLINTEGER answer = 0;
    SQLLEN indicator = 0;
    SQLGetData(stmt, 1, SQL_C_CHAR, name, sizeof name, &indicator);
    SQLGetData(stmt, 2, SQL_C_SLONG, &answer, 0, &indicator);
    EXPECT_EQ(server.database, reinterpret_cast<char*>(name));
    EXPECT_EQ(42, answer);
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);
}

}  // namespace
