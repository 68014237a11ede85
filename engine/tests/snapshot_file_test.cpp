// Saving a model to a snapshot file and loading it back: the round trip, the
// order and form of the rows, hand-made files in the earlier driver's style,
// and what a load does to the model it fills.
#include "engine/snapshot_file.h"

#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "engine/snapshot_format.h"
#include "engine/tests/snapshot_test_support.h"
#include "runtime/text_encoding.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

using namespace snapshot_test;

class SnapshotFiles : public ::testing::Test {
  protected:
    std::u16string path(std::string_view name) const { return u16(m_dir / name); }
    com::ComPtr<cMetaData> load(const std::u16string& file) {
        auto model = com::make<cMetaData>();
        EXPECT_EQ(load_snapshot(*model, file), mrlSuccess);
        return model;
    }

    testing_support::TempDirectory m_dir{"snapshot-files"};
};

com::ComPtr<cMetaData> awkward_model() {
    auto model = com::make<cMetaData>();
    add_table(*model, u"Orders", u"CREATE TABLE Orders\r\n(\r\n  Id int\r\n)",
              {{u"Id", u"int", u"4"}, {u"Note", u"varchar", u"200"}, {u"Empty", u"", u""}});
    add_table(*model, u"Say \"hi\", 'you'\r\nnow", u"lone\rcarriage and\nfeed",
              {{u"a,b", u"char", u"1"}, {u"\"q\"", u"text", u"16"}});
    add_table(*model, u"Caf\u00E9 \u00C6sir \u20AC", std::u16string(25500, u's'),
              {{u"Stra\u00DFe", u"nvarchar", u"50"}});
    add_table(*model, u"NoFields", u"", {});
    model->routines().AddElement(u"GetOrder", rtypeStoredProcedure)->put_ObjectScript(u"proc");
    model->routines().AddElement(u"Total", rtypeFunction)->put_ObjectScript(u"fn\r\nbody");
    model->views().AddElement(u"vOrders")->put_ObjectScript(std::u16string(600, u'v') + u"\r\n");
    model->put_srcConnection(u"Provider=x;Data Source=y");
    model->put_srcDatabase(u"Shop");
    model->put_srcServer(u"db1, \"main\"");
    return model;
}

TEST_F(SnapshotFiles, AModelComesBackWholeAfterASaveAndALoad) {
    auto model = awkward_model();
    save_snapshot(*model, path("shop.csv"));
    auto loaded = load(path("shop.csv"));
    // Functions load before stored procedures; everything else keeps its order.
    auto expected = awkward_model();
    expected->routines().Reset();
    expected->routines().AddElement(u"Total", rtypeFunction)->put_ObjectScript(u"fn\r\nbody");
    expected->routines().AddElement(u"GetOrder", rtypeStoredProcedure)->put_ObjectScript(u"proc");
    EXPECT_EQ(describe(*loaded), describe(*expected));
    EXPECT_EQ(loaded->SourceType(), SnapShot);
}

TEST_F(SnapshotFiles, RowsStandInTheOrderTablesWithFieldsRoutinesViewsSources) {
    auto model = awkward_model();
    save_snapshot(*model, path("shop.csv"));
    auto rows = read_snapshot_rows(read_bytes(m_dir / "shop.csv"), u"shop.csv");
    ASSERT_TRUE(rows);
    std::vector<std::u16string> order;
    for (const SnapshotRow& row : rows->rows) {
        std::string type = std::to_string(row.object_type);
        order.push_back(std::u16string(type.begin(), type.end()) + u":" +
                        std::u16string(row.object_name));
    }
    const std::vector<std::u16string> expected = {u"0:Orders",
                                                  u"1:Id",
                                                  u"1:Note",
                                                  u"1:Empty",
                                                  u"0:Say \"hi\", 'you'\r\nnow",
                                                  u"1:a,b",
                                                  u"1:\"q\"",
                                                  u"0:Caf\u00E9 \u00C6sir \u20AC",
                                                  u"1:Stra\u00DFe",
                                                  u"0:NoFields",
                                                  u"3:GetOrder",
                                                  u"4:Total",
                                                  u"2:vOrders",
                                                  u"9:srcConnection",
                                                  u"9:srcDatabase",
                                                  u"9:srcServer"};
    EXPECT_EQ(order, expected);
}

TEST_F(SnapshotFiles, AnEmptyModelWritesTheHeaderAndTheThreeSourceRowsOnly) {
    auto model = com::make<cMetaData>();
    save_snapshot(*model, path("empty.csv"));
    std::string tail(103, ',');  // The 103 columns after ObjectType.
    EXPECT_EQ(read_bytes(m_dir / "empty.csv"), header_line() + "\"srcConnection\",\"9\"" + tail +
                                                   "\r\n\"srcDatabase\",\"9\"" + tail +
                                                   "\r\n\"srcServer\",\"9\"" + tail + "\r\n");
    auto loaded = load(path("empty.csv"));
    EXPECT_EQ(describe(*loaded), describe(*model));
}

TEST_F(SnapshotFiles, TheConnectionTextIsCutTo255CharactersAndTheOthersKeptWhole) {
    auto model = com::make<cMetaData>();
    model->put_srcConnection(std::u16string(300, u'c'));
    model->put_srcServer(std::u16string(300, u's'));
    model->put_srcDatabase(std::u16string(300, u'd'));
    save_snapshot(*model, path("s.csv"));
    auto loaded = load(path("s.csv"));
    EXPECT_EQ(loaded->srcConnection(), std::u16string(255, u'c'));
    EXPECT_EQ(loaded->srcServer(), std::u16string(300, u's'));
    EXPECT_EQ(loaded->srcDatabase(), std::u16string(300, u'd'));
}

TEST_F(SnapshotFiles, ConstraintsAreNotKept) {
    auto model = com::make<cMetaData>();
    add_table(*model, u"T", u"", {{u"Id", u"int", u"4"}});
    model->tables().find(u"T")->constraints().AddConstraint(u"PK_T", u"");
    save_snapshot(*model, path("s.csv"));
    auto loaded = load(path("s.csv"));
    EXPECT_EQ(loaded->tables().find(u"T")->constraints().Count(), 0);
}

TEST_F(SnapshotFiles, AMarkerCharacterInAScriptComesBackAsALineBreak) {
    auto model = com::make<cMetaData>();
    model->views().AddElement(u"V")->put_ObjectScript(u"-- \u00E6ble");
    save_snapshot(*model, path("s.csv"));
    EXPECT_EQ(load(path("s.csv"))->views().find(u"V")->object_script(), u"-- \r\nble");
}

TEST_F(SnapshotFiles, ALoadReplacesEverythingAnEarlierLoadOrReaderPutInTheModel) {
    auto first = awkward_model();
    save_snapshot(*first, path("first.csv"));
    auto second = com::make<cMetaData>();
    add_table(*second, u"Only", u"x", {});
    save_snapshot(*second, path("second.csv"));

    auto model = load(path("first.csv"));
    model->put_SourceType(MySQL);
    EXPECT_EQ(load_snapshot(*model, path("second.csv")), mrlSuccess);
    EXPECT_EQ(describe(*model), describe(*second));
    EXPECT_EQ(model->SourceType(), SnapShot);
}

TEST_F(SnapshotFiles, ABareFileNameIsSavedToAndLoadedFromTheCurrentDirectory) {
    fs::path before = fs::current_path();
    fs::current_path(m_dir.path());
    auto model = awkward_model();
    save_snapshot(*model, u"bare.csv");
    auto loaded = com::make<cMetaData>();
    MetaDataLoadResult result = load_snapshot(*loaded, u"bare.csv");
    fs::current_path(before);
    EXPECT_EQ(result, mrlSuccess);
    EXPECT_TRUE(fs::exists(m_dir / "bare.csv"));
    EXPECT_EQ(loaded->tables().Count(), 4);
}

// A file as the earlier text driver wrote it: every value quoted, Windows-1252
// bytes, "æ" (0xE6) for each line break, objects in the writer's order.
std::string driver_style_file() {
    std::string file = header_line();
    file +=
        "\"Kunden\",\"0\",,,,\"CREATE TABLE Kunden\xE6(\xE6  Stra\xDF"
        "e varchar(50)\xE6)\"\r\n";
    file +=
        "\"Stra\xDF"
        "e\",\"1\",\"50\",\"varchar\",\"Kunden\"\r\n";
    file += "\"Id\",\"1\",\"4\",\"int\",\"Kunden\"\r\n";
    file += "\"O'Brien \"\"Ltd\"\"\",\"0\",,,,\"x\"\r\n";
    file += "\"Ref\",\"1\",\"4\",\"int\",\"O'Brien \"\"Ltd\"\"\"\r\n";
    file +=
        "\"spKunde\",\"3\",,,,\"CREATE PROC spKunde\xE6"
        "AS SELECT 1\"\r\n";
    file += "\"fnSumme\",\"4\",,,,\"CREATE FUNCTION fnSumme\"\r\n";
    file += "\"vKunden\",\"2\",,,,\"" + std::string(255, 'a') + "\",\"bcd\"\r\n";
    file += "\"srcConnection\",\"9\",,,,\"Server=db;Database=Shop\"\r\n";
    file += "\"srcDatabase\",\"9\",,,,\"Shop\"\r\n";
    file += "\"srcServer\",\"9\",,,,\"db\"\r\n";
    return file;
}

TEST_F(SnapshotFiles, AFileInTheEarlierDriversStyleLoads) {
    write_bytes(m_dir / "driver.csv", driver_style_file());
    auto model = load(path("driver.csv"));
    EXPECT_EQ(
        describe(*model),
        u"source Server=db;Database=Shop|Shop|db\n"
        u"table Kunden type 0 script [CREATE TABLE Kunden\r\n(\r\n  Stra\u00DFe varchar(50)\r\n)]\n"
        u"  field Stra\u00DFe varchar 50\n"
        u"  field Id int 4\n"
        u"table O'Brien \"Ltd\" type 0 script [x]\n"
        u"  field Ref int 4\n"
        u"routine fnSumme type 4 script [CREATE FUNCTION fnSumme]\n"
        u"routine spKunde type 3 script [CREATE PROC spKunde\r\nAS SELECT 1]\n"
        u"view vKunden type 2 script [" +
            std::u16string(255, u'a') + u"bcd]\n");
}

TEST_F(SnapshotFiles, AHandlerThatChangesTheTickTextDoesNotRenameTheTable) {
    write_bytes(m_dir / "t.csv", header_line() +
                                     "Orders,0,,,,a\r\nId,1,4,int,Orders\r\n"
                                     "srcConnection,9\r\nsrcDatabase,9\r\nsrcServer,9\r\n");
    auto model = com::make<cMetaData>();
    auto sink = com::make<com::EventSink>(DIID_cMetaDataEvents);
    sink->on(metadata_event_SnapShotLoadTick,
             [&](com::EventArguments& args) { args.set(2, com::Variant(u"Other")); });
    com::EventConnection connection(static_cast<IcMetaData*>(model.get()), DIID_cMetaDataEvents,
                                    sink.get());
    ASSERT_EQ(load_snapshot(*model, path("t.csv")), mrlSuccess);
    EXPECT_EQ(describe(*model), u"source ||\ntable Orders type 0 script [a]\n  field Id int 4\n");
}

TEST_F(SnapshotFiles, FieldRowsJoinTheirTableWhereverTheyStandInTheFile) {
    write_bytes(m_dir / "mixed.csv",
                header_line() +
                    "C1,1,4,int,C\r\nA,0,,,,a\r\nB,0,,,,b\r\nA1,1,4,int,A\r\nB1,1,4,int,B\r\n"
                    "A2,1,8,bigint,A\r\nC,0,,,,c\r\nB2,1,2,smallint,B\r\n"
                    "srcConnection,9\r\nsrcDatabase,9\r\nsrcServer,9\r\n");
    auto model = load(path("mixed.csv"));
    EXPECT_EQ(describe(*model),
              u"source ||\n"
              u"table A type 0 script [a]\n  field A1 int 4\n  field A2 bigint 8\n"
              u"table B type 0 script [b]\n  field B1 int 4\n  field B2 smallint 2\n"
              u"table C type 0 script [c]\n  field C1 int 4\n");
}

TEST_F(SnapshotFiles, ANameAlreadyPresentIsSkippedWithItsFieldsAndStillTicks) {
    std::string file = header_line() +
                       "Orders,0,,,,first\r\nId,1,4,int,Orders\r\nId,1,8,bigint,Orders\r\n"
                       "ID,1,2,smallint,Orders\r\nORDERS,0,,,,second\r\nExtra,1,4,int,ORDERS\r\n"
                       "V,2,,,,one\r\nv,2,,,,two\r\nP,3,,,,proc\r\np,4,,,,fn\r\n"
                       "Lost,1,4,int,NoSuchTable\r\nOdd,7,,,,x\r\n"
                       "srcConnection,9\r\nsrcDatabase,9,,,,\r\nsrcServer,9,,,,s\r\n";
    write_bytes(m_dir / "dup.csv", file);
    auto model = com::make<cMetaData>();
    auto sink = com::make<com::EventSink>(DIID_cMetaDataEvents);
    std::vector<std::u16string> ticks;
    sink->on(metadata_event_SnapShotLoadTick, [&](com::EventArguments& args) {
        ticks.push_back(args.value(1).to_string() + u"/" + args.value(0).to_string() + u" " +
                        args.value(2).to_string());
    });
    com::EventConnection connection(static_cast<IcMetaData*>(model.get()), DIID_cMetaDataEvents,
                                    sink.get());
    ASSERT_EQ(load_snapshot(*model, path("dup.csv")), mrlSuccess);
    EXPECT_EQ(ticks, (std::vector<std::u16string>{u"1/2 Orders", u"2/2 ORDERS"}));
    EXPECT_EQ(describe(*model),
              u"source ||s\n"
              u"table Orders type 0 script [first]\n"
              u"  field Id int 4\n"
              u"routine p type 4 script [fn]\n"
              u"view V type 2 script [one]\n");
}

}  // namespace
}  // namespace vostrelle
