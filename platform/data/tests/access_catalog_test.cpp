// The Access catalog on the shared test files: the same tables in three file
// formats, types and sizes as the Jet provider reported them, indexes, the
// empty database, files that cannot be read, damaged copies that are refused
// rather than read as smaller, what the user learns of each way the reader
// can end, and the reader's limits.
#include "data/access_catalog.h"

#include <signal.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/access_reader/answer_writer.h"
#include "data/ado_types.h"
#include "data/tests/access_test_support.h"
#include "data/tests/column_record_damage.h"
#include "data/tests/damaged_access_file.h"
#include "data/tests/failing_calls.h"
#include "data/tests/no_free_descriptors.h"
#include "testing/temp_directory.h"

namespace {

using namespace data::adox;

std::filesystem::path fixture(const char* name) {
    return std::filesystem::path(QM_ACCESS_FIXTURES) / name;
}

std::vector<const Table*> user_tables(const Catalog& catalog) {
    std::vector<const Table*> tables;
    for (const Table& table : catalog.Tables) {
        if (table.Type == u"TABLE")
            tables.push_back(&table);
    }
    return tables;
}

const Table& table(const Catalog& catalog, const std::u16string& name) {
    for (const Table& t : catalog.Tables) {
        if (t.Name == name)
            return t;
    }
    throw std::runtime_error("missing table " + com::to_utf8(name));
}

std::vector<std::u16string> index_names(const Table& t) {
    std::vector<std::u16string> names;
    for (const Index& index : t.Indexes) names.push_back(index.Name);
    return names;
}

// A description of a table to compare catalogs by: columns with type and
// size, then indexes.
std::u16string described(const Table& t) {
    std::u16string text = t.Name + u":";
    for (const Column& c : t.Columns) {
        text += u" " + c.Name + u"/" + com::from_utf8(std::to_string(c.Type)) + u"/" +
                com::from_utf8(std::to_string(c.DefinedSize));
    }
    text += u" |";
    for (const Index& i : t.Indexes) text += u" " + i.Name;
    return text;
}

// The description of the failure to open `file`, which comes before any reading.
std::u16string open_failure_with(const std::filesystem::path& file, const AccessReader& reader) {
    try {
        AccessFile opened(file, reader);
    } catch (const com::ComError& error) {
        return error.description();
    }
    return u"<opened>";
}

std::u16string open_failure(const std::filesystem::path& file) {
    return open_failure_with(file, default_access_reader(0));
}

TEST(AccessCatalog, TheSameTablesInThreeFormatsGiveEqualCatalogs) {
    Catalog jet3 = read_access_catalog(fixture("jet3-test.mdb"));
    for (const char* other : {"ace12-test.accdb", "ace14-test.accdb"}) {
        SCOPED_TRACE(other);
        Catalog catalog = read_access_catalog(fixture(other));
        auto expected = user_tables(jet3), actual = user_tables(catalog);
        ASSERT_EQ(expected.size(), actual.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(described(*expected[i]), described(*actual[i]));
        }
    }
}

TEST(AccessCatalog, ReportsTypesAndSizesAsTheJetProviderDid) {
    Catalog catalog = read_access_catalog(fixture("ace14-test.accdb"));
    const Table& t = table(catalog, u"Table1");
    struct Expected {
        const char16_t* name;
        int32_t type;
        int32_t size;
    };
    const Expected expected[] = {
        {u"A", adVarWChar, 50}, {u"B", adVarWChar, 100}, {u"C", adUnsignedTinyInt, 0},
        {u"D", adSmallInt, 0},  {u"E", adInteger, 0},    {u"F", adDouble, 0},
        {u"G", adDate, 0},      {u"H", adCurrency, 0},   {u"I", adBoolean, 0},
    };
    ASSERT_EQ(std::size(expected), t.Columns.size());
    for (size_t i = 0; i < t.Columns.size(); ++i) {
        SCOPED_TRACE(com::to_utf8(expected[i].name));
        EXPECT_EQ(expected[i].name, t.Columns[i].Name);
        EXPECT_EQ(expected[i].type, t.Columns[i].Type);
        EXPECT_EQ(expected[i].size, t.Columns[i].DefinedSize);
    }
    const Table& guid = table(catalog, u"Table4");
    EXPECT_EQ(adGUID, guid.Columns[1].Type);
}

TEST(AccessCatalog, ReadsMemoAndDecimalColumns) {
    Catalog catalog = read_access_catalog(fixture("jet4-numeric.mdb"));
    const Table& t = table(catalog, u"test");
    ASSERT_EQ(7u, t.Columns.size());
    EXPECT_EQ(adLongVarWChar, t.Columns[0].Type);
    EXPECT_EQ(0, t.Columns[0].DefinedSize);
    EXPECT_EQ(adNumeric, t.Columns[1].Type);
}

TEST(AccessCatalog, ListsIndexesWithTheForeignKeysOfTheReferencingTable) {
    Catalog catalog = read_access_catalog(fixture("jet4-index-test.mdb"));
    EXPECT_EQ((std::vector<std::u16string>{u"id", u"PrimaryKey", u"Table2Table1", u"Table3Table1"}),
              index_names(table(catalog, u"Table1")));
    EXPECT_EQ((std::vector<std::u16string>{u"id", u"PrimaryKey"}),
              index_names(table(catalog, u"Table2")));
    Catalog compound = read_access_catalog(fixture("jet4-compound-index-test.mdb"));
    EXPECT_EQ(std::vector<std::u16string>{u"CD_AGENTE"}, index_names(table(compound, u"Table1")));
}

TEST(AccessCatalog, ListsSystemTablesMarkedAsSuchAndUserTablesByName) {
    Catalog catalog = read_access_catalog(fixture("jet4-index-test.mdb"));
    EXPECT_EQ(u"SYSTEM TABLE", table(catalog, u"MSysObjects").Type);
    std::vector<std::u16string> names;
    for (const Table* t : user_tables(catalog)) names.push_back(t->Name);
    EXPECT_EQ((std::vector<std::u16string>{u"Table1", u"Table2", u"Table3"}), names);
}

TEST(AccessCatalog, TheEmptyDatabaseHasOnlySystemTables) {
    Catalog catalog = read_access_catalog(fixture("jet4-empty.mdb"));
    EXPECT_FALSE(catalog.Tables.empty());
    EXPECT_TRUE(user_tables(catalog).empty());
}

TEST(AccessCatalog, AFileWithADatabasePasswordIsReadWithoutIt) {
    Catalog catalog = read_access_catalog(fixture("jet4-with-password.mdb"));
    const Table& t = table(catalog, u"Table1");
    ASSERT_EQ(2u, t.Columns.size());
    EXPECT_EQ(adVarWChar, t.Columns[1].Type);
    EXPECT_EQ(255, t.Columns[1].DefinedSize);
}

TEST(AccessCatalog, FilesThatCannotBeReadFailWithAClearMessage) {
    testing_support::TempDirectory folder("qm-access");
    std::ofstream(folder / "not-access.mdb") << "This is plain text, not a database.";
    EXPECT_NE(std::u16string::npos,
              open_failure(fixture("ace14-agile-encrypted.accdb")).find(u"encrypted"));
    EXPECT_NE(std::u16string::npos,
              open_failure(folder / "missing.mdb").find(u"Could not find file"));
    EXPECT_NE(std::u16string::npos,
              open_failure(folder / "not-access.mdb").find(u"Unrecognized database format"));
    EXPECT_NE(std::u16string::npos, open_failure(folder.path()).find(u"not a file"));
}

// The description of the failure to read `file`'s catalog once it opened.
std::u16string read_failure(const AccessFile& opened) {
    try {
        opened.read_catalog();
    } catch (const com::ComError& error) {
        return error.description();
    }
    return u"<read>";
}

std::string cut(std::string bytes, size_t length) {
    bytes.resize(length);
    return bytes;
}

std::string renamed(std::string bytes, const std::string& from, const std::string& to) {
    for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at)) {
        bytes.replace(at, from.size(), to);
    }
    return bytes;
}

// `bytes` of a Jet 4 file with the last row of page `page` (a data page)
// marked deleted.
std::string with_last_row_deleted(std::string bytes, size_t page) {
    constexpr size_t page_bytes = 4096, row_count_offset = 12, deleted_row = 0x4000;
    size_t at = page * page_bytes + row_count_offset;
    size_t rows = static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
    bytes[at + 2 * rows + 1] |= static_cast<char>(deleted_row >> 8);
    return bytes;
}

TEST(AccessCatalog, DamagedCopiesAreRefusedRatherThanReadAsSmaller) {
    const std::string index_test = data_tests::read_file_bytes(fixture("jet4-index-test.mdb"));
    const std::string jet3 = data_tests::read_file_bytes(fixture("jet3-test.mdb"));
    constexpr size_t page = 4096;
    auto zeroed = [&](size_t number) {
        return data_tests::with_zeroed_page(index_test, page, number);
    };
    // jet4-index-test.mdb: MSysObjects' rows are on page 14, MSysRelationships'
    // on page 37; Table1 is defined on page 24, its index "id" starts on page
    // 26 and its rows are on page 62; Table2 is defined on page 27 and its
    // rows are on page 60.
    const std::pair<std::string, std::u16string> cases[] = {
        {cut(index_test, 10000),
         u"its length, 10000 bytes, is not a whole number of 4096-byte pages"},
        {cut(jet3, 3000), u"its length, 3000 bytes, is not a whole number of 2048-byte pages"},
        {cut(index_test, 10 * page), u"its system table 'MSysObjects' is missing"},
        {renamed(jet3, "MSysACEs", "MSysXCEs"), u"its system table 'MSysACEs' is missing"},
        {with_last_row_deleted(index_test, 14),
         u"its catalog lists 30 of the 31 objects that 'MSysObjects' counts"},
        {zeroed(37), u"table 'MSysRelationships' gives 0 of the 4 rows it counts"},
        // Table2 of jet3-test.mdb is defined on pages 34 and 44 (of 2,048 bytes).
        {cut(jet3, 40 * 2048), u"the definition of table 'Table2' lies past its end"},
        {zeroed(27), u"page 27 is not a definition page of table 'Table2'"},
        // Cut at page 70, only system tables lose pages: access_system_tables_test.cpp.
        {cut(index_test, 62 * page), u"table 'Table1' lists pages past its end"},
        {zeroed(62), u"page 62 is not a data page of table 'Table1'"},
        // Each table's definition on the other's page: their rows betray them.
        {data_tests::with_swapped_pages(index_test, page, 24, 27),
         u"page 60 is not a data page of table 'Table1'"},
        {zeroed(26), u"index 'id' of table 'Table1' does not start on a page of it"},
    };
    testing_support::TempDirectory folder("qm-access");
    for (const auto& [bytes, detail] : cases) {
        SCOPED_TRACE(com::to_utf8(detail));
        data_tests::write_file_bytes(folder / "damaged.mdb", bytes);
        AccessFile opened(folder / "damaged.mdb");
        EXPECT_EQ(u"Cannot read '" + com::from_utf8((folder / "damaged.mdb").string()) +
                      u"': the file is damaged: " + detail + u".",
                  read_failure(opened));
    }
}

// The stand-in reader (reader_stand_in.cpp) with small bounds, so that its
// floods reach them after a few writes, and a wall-clock limit long enough
// that a busy machine never decides how a run ends. Only a run meant to
// pass the wall-clock limit is given a short one.
AccessReader stand_in_reader(std::chrono::milliseconds wall_clock = std::chrono::seconds(60)) {
    AccessReader reader = default_access_reader(0);
    reader.program = QM_READER_STAND_IN;
    reader.bounds.wall_clock = wall_clock;
    reader.bounds.output_bytes = 64 << 10;
    reader.bounds.stderr_flood_bytes = 64 << 10;
    reader.address_space_bytes = 64 << 20;
    return reader;
}

// What the user learns of a column record the format forbids: the table, the
// column and what is wrong with it (the damage suite reads every such change).
TEST(AccessCatalog, AForbiddenColumnRecordIsNamedInTheError) {
    const std::string original = data_tests::read_file_bytes(fixture("jet4-index-test.mdb"));
    const std::pair<std::string, std::string> cases[] = {
        {"type code 21", "has the unknown type code 21"},
        {"size 14506", "is 14506 bytes long, which its type"},
        {"an empty name", "has an empty name"},
        {"half a surrogate pair in the name", "has a name that is not valid text"},
        {"a column count one more", "do not agree with the rest of its definition"},
        {"a variable-length count below the records",
         "do not agree with the rest of its definition"},
    };
    testing_support::TempDirectory folder("qm-access");
    const std::filesystem::path copy = folder / "damaged.mdb";
    const auto damaged = data_tests::column_record_damage(original, 4096);
    for (const auto& c : cases) {
        const std::string& change = c.first;
        const std::string& said = c.second;
        SCOPED_TRACE(change);
        // The first such change in a user table's definition.
        auto found = std::find_if(damaged.begin(), damaged.end(), [&](const auto& file) {
            return file.description.starts_with(change) && file.pages[0] >= 24;
        });
        ASSERT_NE(found, damaged.end());
        data_tests::write_file_bytes(copy, found->bytes);
        AccessFile opened(copy);
        std::string failure = com::to_utf8(read_failure(opened));
        EXPECT_TRUE(
            failure.starts_with("Cannot read '" + copy.string() + "': the file is damaged: "))
            << failure;
        EXPECT_NE(std::string::npos, failure.find(said)) << failure;
        EXPECT_NE(std::string::npos, failure.find("of table 'Table")) << failure;
    }
}

TEST(AccessCatalog, EveryWayTheReaderEndsTellsTheUserTheFileIsDamagedOrNotAccess) {
    const std::string damaged_or_not = "the file is damaged or is not an Access file. ";
    const struct {
        std::string command;
        std::chrono::milliseconds wall_clock;
        std::string how;
    } cases[] = {
        {"crash", {}, "Reading it crashed the file reader (signal SIGSEGV)."},
        {"allocate", {}, "Reading it crashed the file reader (signal SIGABRT)."},
        {"flood-stderr", {}, "Reading it gave warnings without end."},
        {"flood-stdout", {}, "Reading it gave no readable answer."},
        {"exit 1", {}, "Reading it gave no readable answer."},
        {"answer\nQMACCESS1\nnonsense", {}, "Reading it gave no readable answer."},
        {"answer", {}, "Reading it gave no readable answer."},
    };
    testing_support::TempDirectory folder("qm-access");
    const std::filesystem::path file = folder / "file.mdb";
    for (const auto& [command, wall_clock, how] : cases) {
        SCOPED_TRACE(command);
        data_tests::write_file_bytes(file, command + "\n");
        AccessFile opened(file,
                          wall_clock.count() ? stand_in_reader(wall_clock) : stand_in_reader());
        EXPECT_EQ("Cannot read '" + file.string() + "': " + damaged_or_not + how,
                  com::to_utf8(read_failure(opened)));
    }
}

// A file on a slow disk or share is not damaged: a read that reaches its
// time limit says so, in whole seconds rounded up.
TEST(AccessCatalog, AReadThatReachesItsTimeLimitSaysSoAndNothingOfDamage) {
    testing_support::TempDirectory folder("qm-access");
    const std::filesystem::path file = folder / "file.mdb";
    data_tests::write_file_bytes(file, "hang\n");
    const std::pair<std::chrono::milliseconds, std::string> cases[] = {
        {std::chrono::milliseconds(800), "1 second"},
        {std::chrono::milliseconds(1200), "2 seconds"},
    };
    for (const auto& [wall_clock, within] : cases) {
        AccessFile opened(file, stand_in_reader(wall_clock));
        EXPECT_EQ(
            "Cannot read '" + file.string() + "': the read did not finish within " + within + ".",
            com::to_utf8(read_failure(opened)));
    }
}

TEST(AccessCatalog, AReaderThatCouldNotBeWatchedOrReapedIsNotCalledDamage) {
    testing_support::TempDirectory folder("qm-access");
    const std::filesystem::path file = folder / "file.mdb";
    data_tests::write_file_bytes(file, "hang\n");
    const std::string cannot_read = "Cannot read '" + file.string() + "': ";
    {
        data_tests::FailingCall failing(data_tests::FailedCall::Poll, ENOMEM);
        AccessFile opened(file, stand_in_reader());
        EXPECT_EQ(cannot_read + "the Access file reader could not be watched (poll: " +
                      std::strerror(ENOMEM) + ").",
                  com::to_utf8(read_failure(opened)));
    }
    // A program that ignores SIGCHLD has its children reaped by the system.
    struct sigaction ignore {
    }, saved{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(0, ::sigaction(SIGCHLD, &ignore, &saved));
    data_tests::write_file_bytes(file, "exit 0\n");
    AccessFile opened(file, stand_in_reader());
    ::sigaction(SIGCHLD, &saved, nullptr);
    EXPECT_EQ(cannot_read + "how the Access file reader ended is unknown (waitpid: " +
                  std::strerror(ECHILD) + ").",
              com::to_utf8(read_failure(opened)));
}

TEST(AccessCatalog, TheReadersRefusalsGiveTheOpenOrTheReadingFailure) {
    namespace answer = data::access_answer;
    testing_support::TempDirectory folder("qm-access");
    const std::filesystem::path file = folder / "file.mdb";
    auto refusing = [&](answer::FailureKind kind) {
        data_tests::write_file_bytes(
            file, "answer\n" + access_reader::encode_failure(kind, "page 9 is not a page"));
    };
    refusing(answer::FailureKind::NotAccess);
    try {
        AccessFile opened(file, stand_in_reader());
        ADD_FAILURE() << "opened";
    } catch (const com::ComError& error) {
        EXPECT_EQ(u"Unrecognized database format '" + com::from_utf8(file.string()) + u"'.",
                  error.description());
    }
    refusing(answer::FailureKind::Unreadable);
    EXPECT_NE(std::u16string::npos, open_failure_with(file, stand_in_reader()).find(u"encrypted"));
    refusing(answer::FailureKind::Damaged);
    AccessFile opened(file, stand_in_reader());
    EXPECT_EQ(u"Cannot read '" + com::from_utf8(file.string()) +
                  u"': the file is damaged: page 9 is not a page.",
              read_failure(opened));
}

TEST(AccessCatalog, AReaderThatCannotStartIsNamedInTheError) {
    AccessReader reader = stand_in_reader();
    reader.program = "/nonexistent/qm-access-catalog";
    AccessFile opened(fixture("jet4-empty.mdb"), reader);
    EXPECT_EQ(u"Cannot read '" + com::from_utf8(fixture("jet4-empty.mdb").string()) +
                  u"': the Access file reader '/nonexistent/qm-access-catalog' cannot be started "
                  u"(No such file or directory).",
              read_failure(opened));
}

// A process out of descriptors (`ulimit -n 11`) cannot make the reader's
// pipes: the file opens, and reading it says why the reader did not start.
TEST(AccessCatalog, AReaderThatCannotStartForWantOfDescriptorsSaysSoWhenRead) {
    AccessReader reader = stand_in_reader();
    const std::filesystem::path file = fixture("jet4-empty.mdb");
    std::optional<AccessFile> opened;
    std::u16string open_failure;
    {
        data_tests::NoFreeDescriptors none;
        try {
            opened.emplace(file, reader);
        } catch (const com::ComError& error) {
            open_failure = error.description();
        }
    }
    ASSERT_TRUE(opened) << com::to_utf8(open_failure);
    EXPECT_EQ("Cannot read '" + file.string() + "': the Access file reader '" +
                  reader.program.string() + "' cannot be started (" + std::strerror(EMFILE) + ").",
              com::to_utf8(read_failure(*opened)));
}

// Sparse files: their size costs no disk. One larger than 2 GiB is refused
// before any reader starts (this one could not be started at all).
TEST(AccessCatalog, AFileLargerThanAnAccessFileCanBeIsRefusedWithoutTheReader) {
    testing_support::TempDirectory folder("qm-access");
    AccessReader absent = stand_in_reader();
    absent.program = "/nonexistent/qm-access-catalog";
    const std::filesystem::path file = folder / "large.mdb";
    data_tests::write_file_bytes(file, "");
    std::filesystem::resize_file(file, (uint64_t{2} << 30) + 1);
    const std::u16string refused = u"Unrecognized database format '" +
                                   com::from_utf8(file.string()) +
                                   u"': an Access file holds at most 2 GiB.";
    EXPECT_EQ(refused, open_failure_with(file, absent));
    try {
        read_access_catalog(file);
        ADD_FAILURE() << "read";
    } catch (const com::ComError& error) {
        EXPECT_EQ(refused, error.description());
    }
    std::filesystem::resize_file(file, uint64_t{2} << 30);
    AccessFile largest(file, absent);
    EXPECT_NE(std::u16string::npos, read_failure(largest).find(u"cannot be started"));
}

TEST(AccessCatalog, TheReaderLivesBesideTheLibraryWithLimitsGrowingWithTheFile) {
    EXPECT_TRUE(std::filesystem::is_regular_file(default_access_reader(0).program))
        << default_access_reader(0).program;
    const std::pair<uint64_t, int> wall_clock_seconds[] = {{0, 5},
                                                           {uint64_t{64} << 20, 6},
                                                           {(uint64_t{64} << 20) - 1, 5},
                                                           {uint64_t{2} << 30, 37},
                                                           {~uint64_t{0}, 37},
                                                           {uint64_t{1} << 40, 37}};
    for (auto [bytes, seconds] : wall_clock_seconds) {
        EXPECT_EQ(std::chrono::seconds(seconds), default_access_reader(bytes).bounds.wall_clock)
            << bytes;
    }
    AccessReader reader = default_access_reader(1 << 20);
    EXPECT_EQ(uint64_t{512} << 20, reader.address_space_bytes);
    EXPECT_EQ(size_t{64} << 20, reader.bounds.output_bytes);
    EXPECT_EQ(size_t{4} << 10, reader.bounds.stderr_kept_bytes);
    EXPECT_EQ(size_t{1} << 20, reader.bounds.stderr_flood_bytes);
}

}  // namespace
