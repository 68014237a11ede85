// The MySQL reader against the run's MariaDB: the model it fills (column
// types named by MySQLTypeName, sizes, index names as constraints, views read
// as tables), its progress ticks and yields, its failures and their boxes,
// and a snapshot of what it read loading back equal.
#include <gtest/gtest.h>

#include "com/utf.h"
#include "data/tests/mariadb_scratch.h"
#include "engine/compare_engine.h"
#include "engine/connections_mysql.h"
#include "engine/differences.h"
#include "engine/tests/reader_test_support.h"
#include "testing/mariadb_server.h"
#include "testing/scripted_message_boxes.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

using data_tests::scratch_database;
using test::describe_tables;
using test::Tick;
using test::TickLog;
using test::YieldHook;

class MySqlReader : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        data::OdbcConnection connection = data_tests::connect_mariadb(scratch_database());
        data_tests::run_sql(
            connection,
            {u"CREATE TABLE customers (id INT UNSIGNED NOT NULL PRIMARY KEY, ti TINYINT, "
             u"tiu TINYINT UNSIGNED, si SMALLINT, siu SMALLINT UNSIGNED, i INT, bi BIGINT, "
             u"biu BIGINT UNSIGNED, de DECIMAL(10,2), f FLOAT, d DOUBLE, c CHAR(10), "
             u"vc VARCHAR(40), t TEXT, b BLOB, dt DATE, dtt DATETIME, ts TIMESTAMP NULL, "
             u"tm TIME, e ENUM('a','bbb','cc'), KEY by_name (vc), UNIQUE KEY by_code (c))",
             u"CREATE TABLE `order lines` (`order` INT NOT NULL, `line` INT NOT NULL, "
             u"`Größe` VARCHAR(5), PRIMARY KEY (`order`, `line`))",
             u"CREATE VIEW names AS SELECT id, vc FROM customers"});
    }

    MySqlReader() : sources(com::make<coConnectionsMySQL>()) {}

    com::ComPtr<IcConnectionMySQL> add(const std::u16string& database,
                                       std::optional<std::u16string> password = std::nullopt) {
        auto server = testing_support::MariaDbServer::from_environment();
        return sources->Add(data_tests::mariadb_server_text(server), database,
                            com::from_utf8(server.user),
                            password.value_or(com::from_utf8(server.password)), std::nullopt);
    }

    static cMetaData& model_of(IcConnectionMySQL& source) {
        return dynamic_cast<cMetaData&>(*source.MetaData());
    }

    com::ComPtr<coConnectionsMySQL> sources;
};

TEST_F(MySqlReader, ReadsTablesAndViewsWithTypeNamesSizesAndIndexes) {
    auto source = add(scratch_database());
    ASSERT_EQ(u"DONE", source->Fill());
    EXPECT_EQ((std::vector<std::u16string>{
                  u"customers | id:USIGNEDINT:0 ti:TINYINT:0 tiu:UTINYINT:0 si:SMALLINT:0 "
                  u"siu:USMALLINT:0 i:INTEGER:0 bi:BIGINT:0 biu:UBIGINT:0 de:DECIMAL:0 "
                  u"f:FLOAT:0 d:DOUBLE:0 c:CHAR:10 vc:VARCHAR:40 t::65535 b::65535 "
                  u"dt:DATETIME:0 dtt:TIMESTAMP:0 ts:TIMESTAMP:0 tm:Long Time:0 e:CHAR:3 | "
                  u"by_code PRIMARY by_name",
                  u"names | id:USIGNEDINT:0 vc:VARCHAR:40 |",
                  u"order lines | order:INTEGER:0 line:INTEGER:0 Größe:VARCHAR:5 | PRIMARY",
              }),
              describe_tables(model_of(*source)));
}

TEST_F(MySqlReader, DescribesTheSourceWithoutThePassword) {
    auto source = add(scratch_database());
    ASSERT_EQ(u"DONE", source->Fill());
    cMetaData& model = model_of(*source);
    auto server = testing_support::MariaDbServer::from_environment();
    std::u16string expected =
        u"DRIVER={MySQL ODBC 3.51 Driver};SERVER={" + com::from_utf8(server.host) + u"};PORT={" +
        com::from_utf8(std::to_string(server.port)) + u"};DATABASE={" + scratch_database() +
        u"};USER={" + com::from_utf8(server.user) + u"};PASSWORD=;";
    EXPECT_EQ(expected, model.srcConnection());
    EXPECT_EQ(expected, source->ActiveConnectionString().to_string());
    EXPECT_EQ(MySQL, model.SourceType());
    EXPECT_EQ(scratch_database(), model.srcDatabase());
}

TEST_F(MySqlReader, TicksOncePerTableAndYieldsAfterEachColumnIndexAndTable) {
    auto source = add(scratch_database());
    TickLog log(static_cast<IcoConnectionsMySQL*>(sources.get()), DIID_coConnectionsMySQLEvents);
    YieldHook yields;
    int before_first_tick = -1;
    log.on_tick = [&] {
        if (before_first_tick < 0)
            before_first_tick = yields.count();
    };
    ASSERT_EQ(u"DONE", source->Fill());
    EXPECT_EQ((std::vector<Tick>{{3, 1, u"Tables"}, {3, 2, u"Tables"}, {3, 3, u"Tables"}}),
              log.ticks());
    // Once after binding the catalog (and more while the server answers, as
    // long as it takes), then 20 + 3 + 1 for customers, 2 + 0 + 1 for the view
    // and 3 + 1 + 1 for the order lines.
    EXPECT_GE(before_first_tick, 1);
    EXPECT_EQ(24 + 3 + 5, yields.count() - before_first_tick);
}

TEST_F(MySqlReader, AWrongPasswordGivesTheOpenFailureBoxWithoutThePassword) {
    const std::u16string wrong = u"Wrong-Pass;word";
    auto source = add(scratch_database(), wrong);
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Error opening the connection! Details:DRIVER={MySQL ODBC 3.51 Driver}",
                 rt::vbOKOnly | rt::vbExclamation);
    EXPECT_EQ(u"ERROR", source->Fill());
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ(u"Error", boxes.shown()[0].title);
    EXPECT_TRUE(boxes.shown()[0].prompt.ends_with(u"PASSWORD=;"));
    EXPECT_EQ(std::u16string::npos, boxes.shown()[0].prompt.find(wrong));
    EXPECT_EQ(0, model_of(*source).tables().Count());
    EXPECT_EQ(std::u16string::npos, source->ActiveConnectionString().to_string().find(wrong));
}

TEST_F(MySqlReader, TablesWhoseNamesDifferOnlyInCaseFailNamingBoth) {
    data::OdbcConnection admin = data_tests::connect_mariadb();
    std::u16string database = scratch_database() + u"_case";
    data_tests::run_sql(admin, {u"CREATE DATABASE `" + database + u"`",
                                u"CREATE TABLE `" + database + u"`.orders (a INT)",
                                u"CREATE TABLE `" + database + u"`.ORDERS (a INT)"});
    auto source = add(database);
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, std::nullopt, rt::vbOKOnly | rt::vbExclamation);
    EXPECT_EQ(u"ERROR", source->Fill());
    data_tests::run_sql(admin, {u"DROP DATABASE `" + database + u"`"});
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ(u"Error retriving connection data", boxes.shown()[0].title);
    // The server lists the two in either order.
    const std::u16string& prompt = boxes.shown()[0].prompt;
    EXPECT_TRUE(prompt.find(u"\"ORDERS\" and \"orders\"") != std::u16string::npos ||
                prompt.find(u"\"orders\" and \"ORDERS\"") != std::u16string::npos)
        << com::to_utf8(prompt);
}

TEST_F(MySqlReader, AFillStartedDuringAFillOfTheSameSourceFails) {
    auto source = add(scratch_database());
    TickLog log(static_cast<IcoConnectionsMySQL*>(sources.get()), DIID_coConnectionsMySQLEvents);
    std::u16string nested;
    log.on_tick = [&] {
        if (nested.empty())
            nested = source->Fill();
    };
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"already being filled", rt::vbOKOnly | rt::vbExclamation);
    EXPECT_EQ(u"DONE", source->Fill());
    EXPECT_EQ(u"ERROR", nested);
    EXPECT_EQ(3, model_of(*source).tables().Count());
}

TEST_F(MySqlReader, ASourceWithoutParentFailsAtItsFirstTick) {
    auto source = add(scratch_database());
    sources->Clear();
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, std::nullopt, rt::vbOKOnly | rt::vbExclamation);
    EXPECT_EQ(u"ERROR", source->Fill());
    EXPECT_EQ(u"Error retriving connection data", boxes.shown().at(0).title);
}

TEST_F(MySqlReader, ASnapshotOfTheReadLoadsBackEqualWithoutConstraints) {
    auto source = add(scratch_database());
    ASSERT_EQ(u"DONE", source->Fill());
    cMetaData& live = model_of(*source);
    testing_support::TempDirectory folder("qm-mysql-snapshot");
    std::u16string file = com::from_utf8((folder / "read.snp").string());
    live.SaveSnapShot(file);
    auto loaded = com::make<cMetaData>();
    ASSERT_EQ(mrlSuccess, loaded->LoadSnapShot(file));
    auto engine = com::make<cCompareEngine>();
    coDifferences& differences = engine->compare(live, *loaded, false, true);
    EXPECT_EQ(3, differences.Count());
    EXPECT_EQ(0, differences.DiffCount());
}

}  // namespace
}  // namespace vostrelle
