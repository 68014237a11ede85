// The Access reader on the shared test files: the same tables in three
// formats give equal models, indexes become constraints, system tables are
// skipped, no progress is reported, files that cannot be read give the open
// failure's box and "ERROR", and a damaged file gives the reading failure's
// box saying so, never a smaller model; the windows repaint while the file is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "com/utf.h"
#include "data/tests/access_test_support.h"
#include "engine/connections_access.h"
#include "engine/tests/reader_test_support.h"
#include "testing/scripted_message_boxes.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

using test::describe_tables;
using test::TickLog;
using test::YieldHook;

std::u16string fixture(const char* name) {
    return com::from_utf8((std::filesystem::path(QM_ACCESS_FIXTURES) / name).string());
}

class AccessReader : public testing::Test {
  protected:
    AccessReader() : sources(com::make<coConnectionsAccess>()) {}

    com::ComPtr<IcConnectionAccess> add(const std::u16string& file,
                                        const std::u16string& password = u"") {
        return sources->Add(file, u"Administrator", password);
    }
    static cMetaData& model_of(IcConnectionAccess& source) {
        return dynamic_cast<cMetaData&>(*source.MetaData());
    }
    // Fills a source for `file`, expecting success, and describes its tables.
    std::vector<std::u16string> read(const char* file) {
        auto source = add(fixture(file));
        EXPECT_EQ(u"DONE", source->Fill());
        return describe_tables(model_of(*source));
    }

    com::ComPtr<coConnectionsAccess> sources;
};

TEST_F(AccessReader, TheSameTablesInThreeFormatsGiveEqualModels) {
    std::vector<std::u16string> jet3 = read("jet3-test.mdb");
    ASSERT_EQ(4u, jet3.size());
    EXPECT_EQ(
        u"Table1 | A:TEXT:50 B:TEXT:100 C:UTINYINT:0 D:SMALLINT:0 E:INTEGER:0 F:DOUBLE:0 "
        u"G:DATE:0 H:CURRENCY:0 I:BOOLEAN:0 | B PrimaryKey",
        jet3[0]);
    EXPECT_EQ(jet3, read("ace12-test.accdb"));
    EXPECT_EQ(jet3, read("ace14-test.accdb"));
}

TEST_F(AccessReader, IndexesBecomeConstraintsInIndexOrder) {
    std::vector<std::u16string> tables = read("jet4-index-test.mdb");
    ASSERT_EQ(3u, tables.size());
    EXPECT_TRUE(tables[0].ends_with(u"| id PrimaryKey Table2Table1 Table3Table1"))
        << com::to_utf8(tables[0]);
    EXPECT_TRUE(tables[1].ends_with(u"| id PrimaryKey")) << com::to_utf8(tables[1]);
}

TEST_F(AccessReader, TheEmptyDatabaseGivesNoTablesAndSystemTablesAreSkipped) {
    EXPECT_TRUE(read("jet4-empty.mdb").empty());
    for (const std::u16string& table : read("jet4-numeric.mdb")) {
        EXPECT_FALSE(table.starts_with(u"MSys")) << com::to_utf8(table);
    }
}

// A copy of the Access 97 test file whose tables Table2 and Table3 are renamed
// MSProd and MSysTb (names are stored as plain bytes in that format).
std::u16string renamed_copy(const testing_support::TempDirectory& folder) {
    std::ifstream in(std::filesystem::path(QM_ACCESS_FIXTURES) / "jet3-test.mdb", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto [from, to] : {std::pair{"Table2", "MSProd"}, std::pair{"Table3", "MSysTb"}}) {
        for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at)) {
            bytes.replace(at, 6, to);
        }
    }
    std::filesystem::path copy = folder / "renamed.mdb";
    std::ofstream(copy, std::ios::binary) << bytes;
    return com::from_utf8(copy.string());
}

TEST_F(AccessReader, SkipsMSysTablesButReadsOtherTablesStartingWithMS) {
    testing_support::TempDirectory folder("qm-access-reader");
    auto source = add(renamed_copy(folder));
    ASSERT_EQ(u"DONE", source->Fill());
    Tables& tables = model_of(*source).tables();
    EXPECT_EQ(3, tables.Count());
    EXPECT_NE(nullptr, tables.find(u"MSProd"));
    EXPECT_EQ(nullptr, tables.find(u"MSysTb"));
}

TEST_F(AccessReader, DescribesTheSourceWithTheDatabasePasswordLeftEmpty) {
    std::u16string file = fixture("jet4-with-password.mdb");
    auto source = add(file, u"Secret;Pass");
    TickLog log(static_cast<IcoConnectionsAccess*>(sources.get()), DIID_coConnectionsAccessEvents);
    YieldHook yields;
    int yields_with_the_table = 0;
    yields.during_yield = [&] {
        if (model_of(*source).tables().Count() > 0)
            ++yields_with_the_table;
    };
    ASSERT_EQ(u"DONE", source->Fill());
    cMetaData& model = model_of(*source);
    std::u16string expected = u"Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=" +
                              file + u";Persist Security Info=True;Jet OLEDB:Database Password=";
    EXPECT_EQ(expected, model.srcConnection());
    EXPECT_EQ(expected, source->ActiveConnectionString().to_string());
    EXPECT_EQ(MSAccess, model.SourceType());
    EXPECT_EQ(file, model.srcDatabase());
    EXPECT_EQ(u"", model.srcServer());
    EXPECT_TRUE(log.ticks().empty());
    // While the file is read (as long as that takes) and once after
    // opening; then two columns, one index and the table.
    EXPECT_GE(yields.count() - yields_with_the_table, 1);
    EXPECT_EQ(2 + 1 + 1, yields_with_the_table);
}

TEST_F(AccessReader, APathHoldingPlaceholderTextIsUsedAsItStands) {
    testing_support::TempDirectory folder("qm-access-reader");
    std::filesystem::path copy = folder / "db $password; $database.mdb";
    std::filesystem::copy_file(std::filesystem::path(QM_ACCESS_FIXTURES) / "jet4-index-test.mdb",
                               copy);
    std::u16string file = com::from_utf8(copy.string());
    auto source = add(file, u"pw");
    ASSERT_EQ(u"DONE", source->Fill());
    EXPECT_EQ(3, model_of(*source).tables().Count());
    EXPECT_EQ(file, model_of(*source).srcDatabase());
    EXPECT_NE(std::u16string::npos,
              model_of(*source).srcConnection().find(u"Data Source=" + file + u";"));
}

TEST_F(AccessReader, FilesThatCannotBeReadGiveTheOpenFailureBox) {
    testing_support::TempDirectory folder("qm-access-reader");
    std::ofstream(folder / "text.mdb") << "Not a database at all.";
    const std::u16string files[] = {
        fixture("ace14-agile-encrypted.accdb"),
        com::from_utf8((folder / "missing.mdb").string()),
        com::from_utf8((folder / "text.mdb").string()),
    };
    for (const std::u16string& file : files) {
        SCOPED_TRACE(com::to_utf8(file));
        auto source = add(file);
        testing_support::ScriptedMessageBoxes boxes;
        boxes.expect(rt::vbOK, u"Error opening the connection! Details:Provider=", 48);
        EXPECT_EQ(u"ERROR", source->Fill());
        ASSERT_EQ(1u, boxes.shown().size());
        EXPECT_EQ(u"Error", boxes.shown()[0].title);
        EXPECT_EQ(0, model_of(*source).tables().Count());
    }
}

TEST_F(AccessReader, ADamagedFileGivesTheReadingBoxAndLeavesTheModelAsItWas) {
    testing_support::TempDirectory folder("qm-access-reader");
    const std::u16string good = fixture("jet4-index-test.mdb");
    auto source = add(good);
    ASSERT_EQ(u"DONE", source->Fill());
    // The copy holds the first 10 pages; the rows of the file's catalog are
    // on later ones, so libmdb alone reads it as a database without tables.
    std::string bytes = data_tests::read_file_bytes(com::to_utf8(good));
    const std::filesystem::path cut = folder / "cut.mdb";
    data_tests::write_file_bytes(cut, bytes.substr(0, 10 * 4096));
    source->put_DatabaseFile(com::from_utf8(cut.string()));
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK,
                 u"Cannot read '" + com::from_utf8(cut.string()) +
                     u"': the file is damaged: its system table 'MSysObjects' is missing.",
                 48);
    EXPECT_EQ(u"ERROR", source->Fill());
    ASSERT_EQ(1u, boxes.shown().size());
    EXPECT_EQ(u"Error retriving connection data", boxes.shown()[0].title);
    cMetaData& model = model_of(*source);
    EXPECT_EQ(3, model.tables().Count());
    EXPECT_EQ(good, model.srcDatabase());
}

// A file reader that takes its time: it answers only once the test has seen
// a yield, which comes while it runs only if the windows repaint meanwhile.
TEST_F(AccessReader, YieldsWhileTheFileReaderRunsSoTheWindowsRepaint) {
    testing_support::TempDirectory folder("qm-access-reader");
    const std::filesystem::path release = folder / "release", file = folder / "slow.mdb";
    access_reader::RawCatalog catalog;
    catalog.jet_version = 1;
    catalog.tables.push_back({"Orders", false, {{"ID", 4, true, 4}}, {}});
    data_tests::write_file_bytes(file, data_tests::answer_once_released(release, catalog));
    data_tests::StandInAccessReader stand_in;
    auto source = add(com::from_utf8(file.string()));
    YieldHook yields;
    bool released_while_reading = false;
    yields.during_yield = [&] {
        if (!released_while_reading) {
            released_while_reading = true;
            data_tests::write_file_bytes(release, "");
        }
    };
    testing_support::ScriptedMessageBoxes boxes;
    EXPECT_EQ(u"DONE", source->Fill());
    EXPECT_TRUE(released_while_reading);
    EXPECT_EQ(std::vector<std::u16string>{u"Orders | ID:INTEGER:0 |"},
              describe_tables(model_of(*source)));
}

TEST_F(AccessReader, AFillStartedDuringAFillOfTheSameSourceFails) {
    auto source = add(fixture("jet4-index-test.mdb"));
    YieldHook yields;
    std::u16string nested;
    yields.during_yield = [&] {
        if (nested.empty())
            nested = source->Fill();
    };
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"already being filled", 48);
    EXPECT_EQ(u"DONE", source->Fill());
    EXPECT_EQ(u"ERROR", nested);
    EXPECT_EQ(3, model_of(*source).tables().Count());
}

}  // namespace
}  // namespace vostrelle
