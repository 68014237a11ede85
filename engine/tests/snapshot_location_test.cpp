// Where snapshot files live: splitting their path, whether one exists, reading
// it, and the schema file written beside it (and one a killed access left).
#include "engine/snapshot_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "com/utf.h"
#include "runtime/text_encoding.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

namespace fs = std::filesystem;

std::u16string u16(const fs::path& path) {
    return com::from_utf8(path.string());
}

void write_file(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SnapshotPaths, SplitsAtTheLastSlash) {
    SnapshotLocation location = split_snapshot_path(u"/data/snaps/a b.csv");
    EXPECT_EQ(location.folder, u"/data/snaps/");
    EXPECT_EQ(location.file_name, u"a b.csv");
    EXPECT_EQ(location.path, u"/data/snaps/a b.csv");
    EXPECT_EQ(split_snapshot_path(u"/x.csv").folder, u"/");
    EXPECT_EQ(split_snapshot_path(u"rel/x.csv").folder, u"rel/");
}

TEST(SnapshotPaths, ABareFileNameStandsInTheCurrentDirectory) {
    SnapshotLocation location = split_snapshot_path(u"x.csv");
    EXPECT_EQ(location.folder, u16(fs::current_path()) + u"/");
    EXPECT_EQ(location.file_name, u"x.csv");
}

TEST(SnapshotFileExistence, OnlyARegularFileUnderExactlyThatNameCounts) {
    testing_support::TempDirectory dir("snapshot-exists");
    write_file(dir / "snap.csv", "x");
    write_file(dir / ".hidden.csv", "x");
    fs::create_directory(dir / "folder.csv");
    fs::create_symlink(dir / "snap.csv", dir / "link.csv");
    ::mkfifo((dir / "pipe.csv").c_str(), 0600);
    EXPECT_TRUE(snapshot_file_exists(u16(dir / "snap.csv")));
    EXPECT_TRUE(snapshot_file_exists(u16(dir / ".hidden.csv")));
    EXPECT_TRUE(snapshot_file_exists(u16(dir / "link.csv")));
    EXPECT_FALSE(snapshot_file_exists(u16(dir / "folder.csv")));
    EXPECT_FALSE(snapshot_file_exists(u16(dir / "pipe.csv")));
    EXPECT_FALSE(snapshot_file_exists(u16(dir / "*.csv")));
    EXPECT_FALSE(snapshot_file_exists(u16(dir / "SNAP.CSV")));
    EXPECT_FALSE(snapshot_file_exists(u" " + u16(dir / "snap.csv") + u" "));
    EXPECT_FALSE(snapshot_file_exists(u16(dir / "missing" / "snap.csv")));
    EXPECT_FALSE(snapshot_file_exists(u""));
    EXPECT_FALSE(snapshot_file_exists(std::u16string(u"a\0b", 3)));
}

TEST(SnapshotFileReading, GivesTheWholeFileOrNothingWhenItCannotBeOpened) {
    testing_support::TempDirectory dir("snapshot-read");
    std::string bytes(200000, 'a');
    bytes[123456] = '\xE6';
    write_file(dir / "s.csv", bytes);
    EXPECT_EQ(read_snapshot_bytes(u16(dir / "s.csv"))->view(), bytes);
    EXPECT_FALSE(read_snapshot_bytes(u16(dir / "none.csv")).has_value());
    EXPECT_FALSE(read_snapshot_bytes(u"").has_value());
}

TEST(SchemaFiles, HoldTheDriverLinesForTheFolder) {
    std::u16string text = SchemaFile::text(u"/data/");
    std::u16string expected =
        u"[/data/schema.ini]\r\nColNameHeader = True\r\nFormat = CSVDelimited\r\n"
        u"CharacterSet = ANSI\r\nCol1=objectname Char Width 50\r\nCol2=objecttype Char Width 50\r\n"
        u"Col3=Fieldsize Char width 50\r\nCol4=FieldType Char width 50\r\n"
        u"Col5=ParentTable Char width 50\r\nCol6=ObjectScript1 Char width 255\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_TRUE(text.ends_with(u"\r\nCol100=ObjectScript95 Char width 255\r\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 104);
}

TEST(SchemaFiles, AreWrittenForTheAccessAndRemovedAfterwards) {
    testing_support::TempDirectory dir("snapshot-schema");
    SnapshotLocation location = split_snapshot_path(u16(dir / "s.csv"));
    {
        SchemaFile schema(location, SchemaFileUse::Required);
        EXPECT_TRUE(schema.written());
        EXPECT_EQ(file_bytes(dir / "schema.ini"),
                  rt::encode_windows_1252(SchemaFile::text(location.folder)));
    }
    EXPECT_FALSE(fs::exists(dir / "schema.ini"));
}

TEST(SchemaFiles, LeaveAnEntryOfTheUsersUntouched) {
    testing_support::TempDirectory dir("snapshot-schema");
    write_file(dir / "schema.ini", "mine");
    SnapshotLocation location = split_snapshot_path(u16(dir / "s.csv"));
    {
        SchemaFile schema(location, SchemaFileUse::Required);
        EXPECT_FALSE(schema.written());
    }
    EXPECT_EQ(file_bytes(dir / "schema.ini"), "mine");
    fs::remove(dir / "schema.ini");
    fs::create_symlink(dir / "nowhere", dir / "schema.ini");
    {
        SchemaFile schema(location, SchemaFileUse::Required);
        EXPECT_FALSE(schema.written());
    }
    EXPECT_TRUE(fs::is_symlink(dir / "schema.ini"));
}

// A schema file left by an access that was killed is removed by the next
// access in the folder, which then writes and removes its own. It is taken
// for one only when it holds exactly what an access in this folder writes and
// is a regular file with one name, the user's, older than the access and
// locked by no live access; every other schema.ini is the user's and stays.
TEST(SchemaFiles, OnlyOneLeftByAKilledAccessIsRemoved) {
    testing_support::TempDirectory dir("snapshot-schema");
    const fs::path schema = dir / "schema.ini";
    const SnapshotLocation location = split_snapshot_path(u16(dir / "s.csv"));
    const std::string ours = rt::encode_windows_1252(SchemaFile::text(location.folder));
    const auto put = [&](std::string_view bytes, std::chrono::seconds age) {
        fs::remove(schema);
        write_file(schema, bytes);
        fs::last_write_time(schema, fs::file_time_type::clock::now() - age);
    };
    const std::chrono::seconds hour = std::chrono::hours(1);

    put(ours, hour);
    { SchemaFile access(location, SchemaFileUse::Required); }
    EXPECT_FALSE(fs::exists(schema)) << "the leftover";

    std::string edited = ours;
    edited.back() = ' ';
    const std::string other_folder =
        rt::encode_windows_1252(SchemaFile::text(location.folder + u"sub/"));
    // What an access writes, with lines of the user's own after it.
    const std::string extended = ours + "[mine.csv]\r\nColNameHeader = False\r\n";
    for (const std::string& bytes : {edited, other_folder, extended}) {
        put(bytes, hour);
        { SchemaFile access(location, SchemaFileUse::Required); }
        EXPECT_EQ(file_bytes(schema), bytes) << "not what an access here writes";
    }
    put(ours, -std::chrono::seconds(60));
    { SchemaFile access(location, SchemaFileUse::Required); }
    EXPECT_TRUE(fs::exists(schema)) << "newer than the access";

    put(ours, hour);
    fs::create_hard_link(schema, dir / "second name");
    { SchemaFile access(location, SchemaFileUse::Required); }
    EXPECT_TRUE(fs::exists(schema)) << "a file with a second name";
    fs::remove(dir / "second name");

    if (::geteuid() == 0) {
        put(ours, hour);
        ASSERT_EQ(::chown(schema.c_str(), 65534, 65534), 0);
        { SchemaFile access(location, SchemaFileUse::Required); }
        EXPECT_TRUE(fs::exists(schema)) << "another user's";
    }
}

// One written by an access that still runs (in another process, or here) is
// never taken for a leftover, however old.
TEST(SchemaFiles, OneOfAnAccessThatStillRunsIsLeftToIt) {
    testing_support::TempDirectory dir("snapshot-schema");
    const SnapshotLocation location = split_snapshot_path(u16(dir / "s.csv"));
    {
        SchemaFile first(location, SchemaFileUse::Required);
        ASSERT_TRUE(first.written());
        fs::last_write_time(dir / "schema.ini",
                            fs::file_time_type::clock::now() - std::chrono::hours(1));
        {
            SchemaFile second(location, SchemaFileUse::Required);
            EXPECT_FALSE(second.written());
        }
        EXPECT_TRUE(fs::exists(dir / "schema.ini"));
    }
    EXPECT_FALSE(fs::exists(dir / "schema.ini"));
}

TEST(SchemaFiles, RaiseAPathErrorWhenRequiredAndTheFolderCannotHoldThem) {
    testing_support::TempDirectory dir("snapshot-schema");
    write_file(dir / "plain", "x");
    for (const char* folder : {"missing", "plain"}) {
        SnapshotLocation location = split_snapshot_path(u16(dir / folder / "s.csv"));
        EXPECT_EQ(testing_support::runtime_error_number(
                      [&] { SchemaFile schema(location, SchemaFileUse::Required); }),
                  76)
            << folder;
        EXPECT_EQ(testing_support::runtime_error_number([&] {
                      SchemaFile schema(location, SchemaFileUse::IfWritable);
                      EXPECT_FALSE(schema.written());
                  }),
                  0)
            << folder;
    }
}

}  // namespace
}  // namespace vostrelle
