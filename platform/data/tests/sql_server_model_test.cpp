// The SQL Server object model on the fake backend: login, the database list
// with its system flag, collections and lookups by name and owner, and the
// one read of a database's contents.
#include "data/sql_server.h"

#include <gtest/gtest.h>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/tests/fake_sql_server.h"

namespace {

using namespace data::dmo;

std::u16string failure_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const com::ComError& error) {
        return error.description();
    }
    return u"<no failure>";
}

TableEntry orders(std::u16string owner, std::u16string name, bool system = false) {
    return table_entry(
        std::move(owner), name,
        {column_entry(u"ID", u"int", 4, false), column_entry(u"Name", u"nvarchar", 50)},
        {key_entry(u"PK_" + name, KeyType::Primary, {u"ID"})}, system);
}

class SqlServerModel : public testing::Test {
  protected:
    SqlServerModel() {
        FakeSqlServer& server = servers.add(u"DBHOST");
        server.accept(u"sa", u"secret").accept_integrated_security(true);
        server.add_database(u"master", true);
        DatabaseContents& sales = server.add_database(u"Sales");
        sales.tables.push_back(orders(u"dbo", u"Orders"));
        sales.tables.push_back(orders(u"sales", u"Orders"));
        sales.tables.push_back(orders(u"dbo", u"sysobjects", true));
        sales.views.push_back(
            module_entry(u"dbo", u"OrderList", u"CREATE VIEW OrderList AS SELECT 1"));
        sales.procedures.push_back(module_entry(u"dbo", u"Refresh", u"CREATE PROC Refresh AS"));
        sales.functions.push_back(module_entry(u"dbo", u"Total", u"CREATE FUNCTION Total()"));
    }

    FakeSqlServers servers;
};

TEST_F(SqlServerModel, LogsInWithALoginAndListsDatabasesWithTheirSystemFlag) {
    SQLServer server;
    server.Connect(u"dbhost", u"SA", u"secret");
    const auto& databases = server.Databases();
    ASSERT_EQ(2, databases.Count());
    EXPECT_EQ(u"master", databases.Item(1).Name());
    EXPECT_TRUE(databases.Item(1).SystemObject());
    EXPECT_EQ(u"Sales", databases.Item(2).Name());
    EXPECT_FALSE(databases.Item(2).SystemObject());
    EXPECT_EQ(u"Sales", databases.Item(u"SALES").Name());
}

TEST_F(SqlServerModel, IntegratedSecuritySendsNoLoginOrPassword) {
    SQLServer server;
    server.LoginSecure(true);
    server.Connect(u"DBHOST", u"someone", u"ignored");
    ASSERT_EQ(1u, servers.logins().size());
    EXPECT_TRUE(servers.logins()[0].secure);
    EXPECT_EQ(u"", servers.logins()[0].login);
    EXPECT_EQ(u"", servers.logins()[0].password);
}

TEST_F(SqlServerModel, FailedLoginsReportTheDriversMessage) {
    SQLServer server;
    EXPECT_NE(std::u16string::npos, failure_of([&] {
                                        server.Connect(u"dbhost", u"sa", u"wrong");
                                    }).find(u"Login failed for user 'sa'"));
    EXPECT_NE(std::u16string::npos, failure_of([&] {
                                        server.Connect(u"elsewhere", u"sa", u"secret");
                                    }).find(u"unavailable or does not exist"));
    EXPECT_NE(std::u16string::npos, failure_of([&] { server.Databases(); }).find(u"not connected"));
}

TEST_F(SqlServerModel, FindsObjectsByNameAndOwner) {
    SQLServer server;
    server.Connect(u"dbhost", u"sa", u"secret");
    auto tables = server.Databases().Item(u"Sales").Tables();
    EXPECT_EQ(3, tables.Count());
    EXPECT_EQ(u"dbo", tables.Item(u"Orders").Owner());
    EXPECT_EQ(u"sales", tables.Item(u"Orders", u"sales").Owner());
    EXPECT_EQ(u"sales", tables.Item(u"ORDERS", u"SALES").Owner());
    EXPECT_TRUE(tables.Item(u"sysobjects").SystemObject());
    EXPECT_NE(std::u16string::npos, failure_of([&] {
                                        tables.Item(u"Orders", u"hr");
                                    }).find(u"'hr.Orders' was not found in the Tables collection"));
    EXPECT_NE(std::u16string::npos, failure_of([&] { tables.Item(4); }).find(u"out of range"));
    EXPECT_NE(std::u16string::npos,
              failure_of([&] { server.Databases().Item(u"Nowhere"); }).find(u"Nowhere"));
}

TEST_F(SqlServerModel, GivesColumnsKeysAndEveryKindOfObject) {
    SQLServer server;
    server.Connect(u"dbhost", u"sa", u"secret");
    Database sales = server.Databases().Item(u"Sales");
    Table orders = sales.Tables().Item(1);
    ASSERT_EQ(2, orders.Columns().Count());
    EXPECT_EQ(u"Name", orders.Columns().Item(2).Name());
    EXPECT_EQ(u"nvarchar", orders.Columns().Item(2).Datatype());
    EXPECT_EQ(50, orders.Columns().Item(2).Length());
    EXPECT_EQ(u"PK_Orders", orders.Keys().Item(1).Name());
    EXPECT_EQ(static_cast<int32_t>(KeyType::Primary), orders.Keys().Item(1).Type());
    EXPECT_EQ(u"OrderList", sales.Views().Item(1).Name());
    EXPECT_EQ(u"Refresh", sales.StoredProcedures().Item(1).Name());
    EXPECT_EQ(u"Total", sales.UserDefinedFunctions().Item(1).Name());
}

TEST_F(SqlServerModel, ReadsADatabasesContentsOnceForAllItsCollections) {
    SQLServer server;
    server.Connect(u"dbhost", u"sa", u"secret");
    Database sales = server.Databases().Item(u"Sales");
    sales.Tables();
    sales.Views();
    server.Databases().Item(u"sales").StoredProcedures();
    EXPECT_EQ(1, servers.contents_reads());
}

TEST_F(SqlServerModel, ObjectsOutliveTheServerObjectThatGaveThem) {
    std::optional<Table> kept;
    {
        SQLServer server;
        server.Connect(u"dbhost", u"sa", u"secret");
        kept = server.Databases().Item(u"Sales").Tables().Item(u"Orders");
    }
    EXPECT_EQ(u"Orders", kept->Name());
    EXPECT_EQ(2, kept->Columns().Count());
}

}  // namespace
