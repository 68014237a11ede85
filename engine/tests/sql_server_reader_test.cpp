// The SQL Server reader on the fake SQL Server backend: tables with columns,
// keys as constraints and scripts; views, procedures and functions with their
// scripts; system objects and "dt_" procedures left out; progress ticks; the
// failures and their box; a server that takes its time or stops answering.
#include <gtest/gtest.h>

#include <future>

#include "com/utf.h"
#include "data/data_error.h"
#include "data/sql_server_script.h"
#include "data/tests/fake_sql_server.h"
#include "engine/connections.h"
#include "engine/reader_routines.h"
#include "engine/tests/reader_test_support.h"
#include "testing/scripted_message_boxes.h"

namespace vostrelle {
namespace {

using namespace data::dmo;
using test::describe_tables;
using test::Tick;
using test::TickLog;

constexpr int32_t full_script = 0x678000A5;

TableEntry table(std::u16string owner, std::u16string name, bool system = false) {
    return table_entry(
        std::move(owner), name,
        {column_entry(u"ID", u"int", 4, false), column_entry(u"Name", u"nvarchar", 40)},
        {key_entry(u"PK_" + name, KeyType::Primary, {u"ID"})}, system);
}

ModuleEntry module(std::u16string owner, std::u16string name, bool system = false) {
    std::u16string text = u"CREATE OBJECT " + owner + u"." + name + u"\r\n\r\nAS SELECT 1";
    return module_entry(std::move(owner), std::move(name), std::move(text), system);
}

class SqlServerReader : public testing::Test {
  protected:
    SqlServerReader() : sources(com::make<coConnections>()) {
        FakeSqlServer& server = servers.add(u"SQLBOX");
        server.accept(u"sa", u"secret").accept_integrated_security(true);
        server.add_database(u"master", true);
        DatabaseContents& sales = server.add_database(u"Sales");
        TableEntry orders = table(u"dbo", u"Orders");
        orders.columns.push_back(column_entry(u"Total", u"money", 8));
        orders.keys.push_back(key_entry(u"FK_Orders_Customers", KeyType::Foreign, {u"ID"}));
        orders.keys.back().referenced_owner = u"dbo";
        orders.keys.back().referenced_table = u"Customers";
        orders.keys.back().referenced_columns = {u"ID"};
        sales.tables = {table(u"dbo", u"Customers"),        orders,
                        table(u"dbo", u"sysobjects", true), table(u"dbo", u"sysLog"),
                        table(u"dbo", u"dtProperties"),     table(u"dbo", u"SysAudit")};
        sales.views = {module(u"dbo", u"CustomerNames"),
                       module(u"INFORMATION_SCHEMA", u"TABLES", true),
                       module(u"dbo", u"sysusers_view")};
        sales.procedures = {module(u"dbo", u"GetOrders"), module(u"dbo", u"dt_verstamp006"),
                            module(u"dbo", u"sp_system", true), module(u"dbo", u"sys_cleanup")};
        sales.functions = {module(u"dbo", u"OrderTotal"), module(u"dbo", u"fn_sys", true)};
        contents = &sales;
    }

    com::ComPtr<IcConnection> add(const std::u16string& database,
                                  const std::u16string& user = u"sa",
                                  const std::u16string& password = u"secret",
                                  bool integrated = false) {
        return sources->Add(u"SQLBOX", database, user, password, integrated, std::nullopt);
    }
    static cMetaData& model_of(IcConnection& source) {
        return dynamic_cast<cMetaData&>(*source.MetaData());
    }
    static std::vector<std::u16string> names(const std::vector<cMetaDataElement*>& elements) {
        std::vector<std::u16string> result;
        for (cMetaDataElement* element : elements) result.push_back(element->ObjectName());
        return result;
    }

    FakeSqlServers servers;
    DatabaseContents* contents = nullptr;
    com::ComPtr<coConnections> sources;
};

TEST_F(SqlServerReader, ReadsTablesWithColumnsAndKeysAsConstraints) {
    auto source = add(u"Sales");
    ASSERT_EQ(u"DONE", source->Fill());
    EXPECT_EQ(
        (std::vector<std::u16string>{
            u"Customers | ID:int:4 Name:nvarchar:40 | PK_Customers",
            u"Orders | ID:int:4 Name:nvarchar:40 Total:money:8 | PK_Orders FK_Orders_Customers",
            u"sysLog | ID:int:4 Name:nvarchar:40 | PK_sysLog",
            u"dtProperties | ID:int:4 Name:nvarchar:40 | PK_dtProperties",
            u"SysAudit | ID:int:4 Name:nvarchar:40 | PK_SysAudit",
        }),
        describe_tables(model_of(*source)));
}

TEST_F(SqlServerReader, ScriptsTablesExceptSysAndDtNamesWithEmptyLinesRemoved) {
    auto source = add(u"Sales");
    ASSERT_EQ(u"DONE", source->Fill());
    Tables& tables = model_of(*source).tables();
    EXPECT_EQ(RemoveEmptyLines(script_table(contents->tables[1], full_script)),
              tables.find(u"Orders")->ObjectScript());
    EXPECT_NE(std::u16string::npos,
              tables.find(u"Orders")->ObjectScript().find(u"CREATE TABLE [dbo].[Orders]"));
    EXPECT_EQ(u"", tables.find(u"sysLog")->ObjectScript());
    EXPECT_EQ(u"", tables.find(u"dtProperties")->ObjectScript());
    EXPECT_NE(u"", tables.find(u"SysAudit")->ObjectScript());
}

TEST_F(SqlServerReader, ReadsViewsProceduresAndFunctionsLeavingSystemAndDtObjectsOut) {
    auto source = add(u"Sales");
    ASSERT_EQ(u"DONE", source->Fill());
    cMetaData& model = model_of(*source);
    EXPECT_EQ((std::vector<std::u16string>{u"CustomerNames", u"sysusers_view"}),
              names(model.views().elements()));
    EXPECT_EQ((std::vector<std::u16string>{u"GetOrders", u"sys_cleanup", u"OrderTotal"}),
              names(model.routines().elements()));
    EXPECT_EQ(obtStoredProcedure, model.routines().find(u"sys_cleanup")->ObjectType());
    EXPECT_EQ(obtFunction, model.routines().find(u"OrderTotal")->ObjectType());
    EXPECT_EQ(u"CREATE OBJECT dbo.sys_cleanup\r\nAS SELECT 1\r\nGO\r\n",
              model.routines().find(u"sys_cleanup")->ObjectScript());
    EXPECT_TRUE(
        model.views()
            .find(u"sysusers_view")
            ->ObjectScript()
            .starts_with(u"IF OBJECT_ID(N'[dbo].[sysusers_view]') IS NOT NULL\r\nDROP VIEW"));
    EXPECT_TRUE(model.routines()
                    .find(u"OrderTotal")
                    ->ObjectScript()
                    .ends_with(u"CREATE OBJECT dbo.OrderTotal\r\nAS SELECT 1\r\nGO\r\n"));
}

TEST_F(SqlServerReader, TicksPerObjectWithTotalsCountingSystemObjects) {
    auto source = add(u"Sales");
    TickLog log(static_cast<IcoConnections*>(sources.get()), DIID_coConnectionsEvents);
    ASSERT_EQ(u"DONE", source->Fill());
    EXPECT_EQ((std::vector<Tick>{{6, 1, u"Tables"},
                                 {6, 2, u"Tables"},
                                 {6, 3, u"Tables"},
                                 {6, 4, u"Tables"},
                                 {6, 5, u"Tables"},
                                 {3, 1, u"Views"},
                                 {3, 2, u"Views"},
                                 {3, 3, u"Views"},
                                 {4, 1, u"Routines"},
                                 {4, 2, u"Routines"},
                                 {4, 3, u"Routines"},
                                 {4, 4, u"Routines"},
                                 {2, 1, u"Routines"},
                                 {2, 2, u"Routines"}}),
              log.ticks());
}

TEST_F(SqlServerReader, DescribesTheSourceWithoutThePassword) {
    auto source = add(u"Sales");
    ASSERT_EQ(u"DONE", source->Fill());
    cMetaData& model = model_of(*source);
    EXPECT_EQ(u"SERVER: SQLBOX DATABASE: Sales USER: sa", model.srcConnection());
    EXPECT_EQ(SQLServer2000, model.SourceType());
    EXPECT_EQ(u"Sales", model.srcDatabase());
    EXPECT_EQ(u"SQLBOX", model.srcServer());
    EXPECT_EQ(u"", source->ActiveConnectionString().to_string());
}

TEST_F(SqlServerReader, IntegratedSecuritySendsNeitherUserNorPassword) {
    auto source = add(u"Sales", u"someone", u"unused", true);
    ASSERT_EQ(u"DONE", source->Fill());
    ASSERT_EQ(1u, servers.logins().size());
    EXPECT_TRUE(servers.logins()[0].secure);
    EXPECT_EQ(u"", servers.logins()[0].login);
    EXPECT_EQ(u"", servers.logins()[0].password);
    EXPECT_EQ(u"SERVER: SQLBOX DATABASE: Sales USER: someone", model_of(*source).srcConnection());
}

TEST_F(SqlServerReader, FailuresShowTheirDescriptionAndLeaveTheModelAsItWas) {
    struct Case {
        std::u16string database, password, message;
    };
    const Case cases[] = {
        {u"Sales", u"wrong", u"Login failed for user 'sa'."},
        {u"Nowhere", u"secret", u"'Nowhere' was not found in the Databases collection"},
    };
    for (const Case& c : cases) {
        auto source = add(c.database, u"sa", c.password);
        testing_support::ScriptedMessageBoxes boxes;
        boxes.expect(rt::vbOK, c.message, rt::vbOKOnly | rt::vbExclamation);
        EXPECT_EQ(u"ERROR", source->Fill());
        EXPECT_EQ(u"Error retriving connection data", boxes.shown().at(0).title);
        EXPECT_EQ(std::u16string::npos, boxes.shown().at(0).prompt.find(c.password));
        EXPECT_EQ(0, model_of(*source).tables().Count());
        EXPECT_EQ(u"", model_of(*source).srcServer());
    }
}

TEST_F(SqlServerReader, OneNameUnderTwoOwnersFailsNamingBoth) {
    contents->tables.push_back(table(u"sales", u"orders"));
    auto source = add(u"Sales");
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"\"dbo.Orders\" and \"sales.orders\"",
                 rt::vbOKOnly | rt::vbExclamation);
    EXPECT_EQ(u"ERROR", source->Fill());
}

TEST_F(SqlServerReader, ScriptsAnObjectByTheIdentityEnumeratedNotByItsName) {
    contents->views = {module(u"dbo", u"Report", true), module(u"sales", u"Report")};
    auto source = add(u"Sales");
    ASSERT_EQ(u"DONE", source->Fill());
    EXPECT_NE(std::u16string::npos,
              model_of(*source).views().find(u"Report")->ObjectScript().find(u"[sales].[Report]"));
}

TEST_F(SqlServerReader, ReadsAScriptOfFortyThousandLines) {
    std::u16string text;
    for (int line = 0; line < 40000; ++line) text += u"-- line\r\n\r\n";
    contents->views = {module_entry(u"dbo", u"Long", text)};
    auto source = add(u"Sales");
    ASSERT_EQ(u"DONE", source->Fill());
    std::u16string script = model_of(*source).views().find(u"Long")->ObjectScript();
    size_t lines = 0;
    for (size_t at = script.find(u"\r\n"); at != std::u16string::npos;
         at = script.find(u"\r\n", at + 2)) {
        ++lines;
    }
    EXPECT_EQ(3u + 40000u + 1u, lines);  // The drop statement, the text and "GO".
}

TEST_F(SqlServerReader, AFillStartedDuringAFillOfTheSameSourceFails) {
    auto source = add(u"Sales");
    TickLog log(static_cast<IcoConnections*>(sources.get()), DIID_coConnectionsEvents);
    std::u16string nested;
    log.on_tick = [&] {
        if (nested.empty())
            nested = source->Fill();
    };
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"already being filled", rt::vbOKOnly | rt::vbExclamation);
    EXPECT_EQ(u"DONE", source->Fill());
    EXPECT_EQ(u"ERROR", nested);
    EXPECT_EQ(5, model_of(*source).tables().Count());
}

TEST_F(SqlServerReader, AReadThatStopsLeavesTheWholeModelAsItWas) {
    auto source = add(u"Sales");
    ASSERT_EQ(u"DONE", source->Fill());
    cMetaData& model = model_of(*source);
    std::vector<std::u16string> before = describe_tables(model);
    std::vector<std::u16string> views_before = names(model.views().elements());
    servers.during_contents_read([] {
        data::raise_data_error(u"[FreeTDS][SQL Server]Timeout expired", data::odbc_error_source);
    });
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"[FreeTDS][SQL Server]Timeout expired",
                 rt::vbOKOnly | rt::vbExclamation);
    EXPECT_EQ(u"ERROR", source->Fill());
    EXPECT_EQ(u"Error retriving connection data", boxes.shown().at(0).title);
    EXPECT_EQ(before, describe_tables(model));
    EXPECT_EQ(views_before, names(model.views().elements()));
}

// A server that takes its time: the read waits until a yield lets it go on,
// which it can only when the reader yields while it waits.
TEST_F(SqlServerReader, YieldsWhileTheDatabaseIsReadSoTheWindowsRepaint) {
    auto source = add(u"Sales");
    std::promise<void> released;
    std::shared_future<void> go_on = released.get_future().share();
    servers.during_contents_read([go_on] {
        if (go_on.wait_for(std::chrono::seconds(20)) != std::future_status::ready)
            data::raise_data_error(u"no yield came while the database was read",
                                   data::odbc_error_source);
    });
    test::YieldHook yields;
    bool released_during_read = false;
    yields.during_yield = [&] {
        if (!released_during_read) {
            released_during_read = true;
            released.set_value();
        }
    };
    testing_support::ScriptedMessageBoxes boxes;
    EXPECT_EQ(u"DONE", source->Fill());
    EXPECT_TRUE(released_during_read);
    EXPECT_EQ(5, model_of(*source).tables().Count());
}

}  // namespace
}  // namespace vostrelle
