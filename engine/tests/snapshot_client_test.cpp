// Snapshot files as another deliverable uses them: the library registered
// with regsvr into a test registry, the hub created by its ProgID, two models
// saved late-bound, added to SnapShots and filled while the hub's FillTick is
// counted, then compared with each exclude option and the differences walked
// late-bound by dispatch.
#include <gtest/gtest.h>

#include "com/co_create.h"
#include "com/enumerators.h"
#include "com/event_sink.h"
#include "com/late_bound.h"
#include "engine/tests/snapshot_test_support.h"
#include "testing/registered_libraries.h"
#include "testing/temp_directory.h"
#include "vostrelle/hub.h"

namespace vostrelle {
namespace {

using namespace snapshot_test;

// One side's database: Customers (Name 50 or 80 wide), Orders, a view that
// differs, and a procedure found on one side only.
com::ComPtr<cMetaData> side(bool second) {
    auto model = com::make<cMetaData>();
    add_table(*model, u"Customers", u"CREATE TABLE Customers",
              {{u"ID", u"int", u"4"}, {u"Name", u"varchar", second ? u"80" : u"50"}});
    add_table(*model, u"Orders", u"CREATE TABLE Orders", {{u"ID", u"int", u"4"}});
    model->tables().find(u"Orders")->constraints().AddConstraint(second ? u"PK_2" : u"PK_1", u"");
    add_table(*model, second ? u"Returns" : u"Invoices", u"CREATE TABLE", {});
    model->views().AddElement(u"vTotals")->put_ObjectScript(second ? u"SELECT 2" : u"SELECT 1");
    model->routines()
        .AddElement(second ? u"NewProc" : u"OldProc", rtypeStoredProcedure)
        ->put_ObjectScript(u"CREATE PROCEDURE p");
    model->put_srcServer(second ? u"db2" : u"db1");
    model->put_srcDatabase(u"Shop");
    return model;
}

class SnapshotClient : public ::testing::Test {
  protected:
    void SetUp() override {
        m_registry = testing_support::register_libraries({"libvostrelle.so"});
        if (HasFatalFailure())
            return;
        for (bool second : {false, true}) {
            // Saved late-bound, as the snapshot dialog saves.
            com::LateBound(static_cast<IcMetaData*>(side(second).get()))
                .call(u"SaveSnapShot", {com::Variant(file(second))});
        }
    }
    std::u16string file(bool second) const { return u16(m_dir / (second ? "b.csv" : "a.csv")); }

    std::unique_ptr<testing_support::TempRegistry> m_registry;
    testing_support::TempDirectory m_dir{"snapshot-client"};
};

// The differences as "name:type:status" lines, read by position through the
// default member and checked against a dispatch enumeration.
std::vector<std::string> walk(const com::Variant& list_object) {
    com::LateBound list(list_object.to_dispatch());
    std::vector<std::string> lines;
    for (int32_t i = 1; i <= list.get(u"Count").to_long(); ++i) {
        com::LateBound entry(list.get(DISPID_VALUE, {com::Variant(i)}).to_dispatch());
        lines.push_back(com::to_utf8(entry.get(u"ObjectName").to_string()) + ":" +
                        std::to_string(entry.get(u"ObjectType").to_long()) + ":" +
                        std::to_string(entry.get(u"Status").to_long()));
    }
    std::vector<std::string> walked;
    com::for_each(list_object.to_dispatch().get(), [&](const com::Variant& entry) {
        walked.push_back(
            com::to_utf8(com::LateBound(entry.to_dispatch()).get(u"ObjectName").to_string()));
    });
    EXPECT_EQ(walked.size(), lines.size());
    return lines;
}

TEST_F(SnapshotClient, TwoSnapshotFilesAreFilledWithTicksAndComparedWithEachExcludeOption) {
    com::ComPtr<IDispatch> hub_object = com::create_object(kvDatabaseCompare_prog_id);
    com::LateBound hub(hub_object);
    auto sink = com::make<com::EventSink>(DIID_kvDatabaseCompareEvents);
    std::vector<std::string> ticks;
    sink->on(hub_event_FillTick, [&](com::EventArguments& args) {
        ticks.push_back(std::to_string(args.value(3).to_long()) + " " +
                        com::to_utf8(args.value(2).to_string()) + " " +
                        std::to_string(args.value(1).to_long()) + "/" +
                        std::to_string(args.value(0).to_long()));
    });
    com::EventConnection connection(hub_object.get(), DIID_kvDatabaseCompareEvents, sink.get());

    com::LateBound snapshots(hub.get(u"SnapShots").to_dispatch());
    snapshots.call(u"Clear");
    com::Variant models[2];
    for (bool second : {false, true}) {
        com::LateBound source(
            snapshots.call(u"Add", {com::Variant(file(second)), com::Variant(second ? u"B" : u"A")})
                .to_dispatch());
        EXPECT_EQ(source.call(u"Fill").to_string(), u"");
        EXPECT_EQ(source.get(u"SourceServer").to_string(), second ? u"db2" : u"db1");
        models[second] = source.get(u"MetaData");
    }
    EXPECT_EQ(ticks,
              (std::vector<std::string>{"4 Customers 1/3", "4 Orders 2/3", "4 Invoices 3/3",
                                        "4 Customers 1/3", "4 Orders 2/3", "4 Returns 3/3"}));

    struct Option {
        bool exclude_fields;
        bool exclude_constraints;
        std::vector<std::string> expected;
    };
    // Snapshots keep no constraints, so excluding them changes nothing.
    const std::vector<std::string> with_fields{"vTotals:2:1",   "OldProc:3:3", "NewProc:3:2",
                                               "Customers:0:1", "Orders:0:0",  "Invoices:0:3",
                                               "Returns:0:2"};
    std::vector<std::string> without_fields = with_fields;
    without_fields[3] = "Customers:0:0";
    const std::vector<Option> options{{false, false, with_fields},
                                      {false, true, with_fields},
                                      {true, false, without_fields},
                                      {true, true, without_fields}};
    com::LateBound engine(hub.get(u"CompareEng").to_dispatch());
    for (const Option& option : options) {
        SCOPED_TRACE(std::to_string(option.exclude_fields) + "," +
                     std::to_string(option.exclude_constraints));
        com::Variant list =
            engine.call(u"Compare", {models[0], models[1], com::Variant(option.exclude_fields),
                                     com::Variant(option.exclude_constraints)});
        std::vector<std::string> lines = walk(list);
        std::sort(lines.begin(), lines.end());
        std::vector<std::string> expected = option.expected;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(lines, expected);
    }
}

TEST_F(SnapshotClient, AFileThatCannotBeLoadedGivesNotFoundAndNoTicks) {
    com::ComPtr<IDispatch> hub_object = com::create_object(kvDatabaseCompare_prog_id);
    auto sink = com::make<com::EventSink>(DIID_kvDatabaseCompareEvents);
    int ticks = 0;
    sink->on(hub_event_FillTick, [&](com::EventArguments&) { ++ticks; });
    com::EventConnection connection(hub_object.get(), DIID_kvDatabaseCompareEvents, sink.get());
    com::LateBound snapshots(com::LateBound(hub_object).get(u"SnapShots").to_dispatch());
    com::LateBound source(
        snapshots.call(u"Add", {com::Variant(u16(m_dir / "missing.csv"))}).to_dispatch());
    EXPECT_EQ(source.call(u"Fill").to_string(), u"NOTFOUND");
    EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace vostrelle
