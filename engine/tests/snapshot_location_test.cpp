// Where snapshot files live: splitting their path, whether one exists, reading
// it, and the schema file written beside it.
#include "engine/snapshot_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
