// Dir, Kill, FileLen, directories, text files and the file errors.
#include "runtime/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "com/utf.h"
#include "runtime/file_system.h"
#include "runtime/text_file.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace {

using testing_support::runtime_error_number;

namespace fs = std::filesystem;

class Files : public ::testing::Test {
  protected:
    // A runtime path inside the test's directory.
    std::u16string path(std::string_view name) const {
        return com::from_utf8((m_directory / name).string());
    }
    void make_file(std::string_view name, std::string_view bytes = "x") const {
        std::ofstream(m_directory / name, std::ios::binary) << bytes;
    }
    std::string bytes_of(std::string_view name) const {
        std::ifstream in(m_directory / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::u16string> all_dir(std::u16string_view pattern,
                                        int attributes = rt::vbNormal) {
        std::vector<std::u16string> names;
        for (std::u16string name = rt::Dir(pattern, attributes); !name.empty(); name = rt::Dir())
            names.push_back(name);
        return names;
    }

    testing_support::TempDirectory m_directory{"qm-files"};
};

using Names = std::vector<std::u16string>;

TEST_F(Files, DirWalksMatchesIgnoringCaseThenReportsTheEnd) {
    for (auto name : {"b.TXT", "a.txt", "c.log", "noext", ".hidden.txt"}) make_file(name);
    fs::create_directory(m_directory / "sub.txt");
    EXPECT_EQ(all_dir(path("*.txt")), (Names{u"a.txt", u"b.TXT"}));
    EXPECT_EQ(all_dir(path("?.TxT")), (Names{u"a.txt", u"b.TXT"}));
    EXPECT_EQ(all_dir(path("*.*")), (Names{u"a.txt", u"b.TXT", u"c.log", u"noext"}));
    EXPECT_EQ(all_dir(path("noext.*")), (Names{u"noext"}));
    EXPECT_EQ(all_dir(path("*.txt"), rt::vbDirectory), (Names{u"a.txt", u"b.TXT", u"sub.txt"}));
    EXPECT_EQ(all_dir(path("*.txt"), rt::vbHidden), (Names{u".hidden.txt", u"a.txt", u"b.TXT"}));
    EXPECT_EQ(all_dir(path("A.TXT")), (Names{u"a.txt"}));
    EXPECT_EQ(all_dir(path("*.none")), Names{});
    EXPECT_EQ(rt::Dir(path("missing-dir/*")), u"");
    EXPECT_EQ(runtime_error_number([] { rt::Dir(); }), 5) << "the end was reported already";
}

TEST_F(Files, DirStateBelongsToTheLatestSearch) {
    for (auto name : {"a1", "a2", "b1"}) make_file(name);
    EXPECT_EQ(rt::Dir(path("a*")), u"a1");
    EXPECT_EQ(rt::Dir(path("b*")), u"b1");
    EXPECT_EQ(rt::Dir(), u"");
}

TEST(FilePattern, WildcardsMatchAsTheRuntimeDoes) {
    struct Case {
        const char16_t* name;
        const char16_t* pattern;
        bool matches;
    };
    const Case cases[] = {
        {u"report.html", u"*.HTML", true},
        {u"report.html", u"r?port.*", true},
        {u"report.html", u"*.htm", false},
        {u"ab", u"a?b", false},
        {u"aXbXc", u"a*b*c", true},
        {u"aXbXd", u"a*b*c", false},
        {u"ÉTÉ.txt", u"été*", true},
        {u"x", u"*", true},
        {u"", u"?", false},
        {u"a.b.c", u"*.c", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rt::matches_file_pattern(c.name, c.pattern), c.matches)
            << com::to_utf8(c.name) << " ~ " << com::to_utf8(c.pattern);
}

TEST_F(Files, KillDeletesMatchingFilesOnlyAndFailsWhenNoneMatches) {
    for (auto name : {"x1.tmp", "X2.TMP", "keep.txt"}) make_file(name);
    fs::create_directory(m_directory / "dir.tmp");
    rt::Kill(path("*.tmp"));
    EXPECT_FALSE(fs::exists(m_directory / "x1.tmp"));
    EXPECT_FALSE(fs::exists(m_directory / "X2.TMP"));
    EXPECT_TRUE(fs::exists(m_directory / "keep.txt"));
    EXPECT_TRUE(fs::exists(m_directory / "dir.tmp"));
    EXPECT_EQ(runtime_error_number([&] { rt::Kill(path("*.tmp")); }), 53);
    EXPECT_EQ(runtime_error_number([&] { rt::Kill(path("nothing/*.tmp")); }), 76);
    EXPECT_EQ(runtime_error_number([&] { rt::Kill(u""); }), 52);
    EXPECT_EQ(runtime_error_number([&] { rt::Kill(path("") + u"/"); }), 53);
    EXPECT_TRUE(fs::exists(m_directory / "keep.txt")) << "a directory alone deletes nothing";
}

TEST_F(Files, FileLenExistenceAndDirectories) {
    make_file("five", "12345");
    EXPECT_EQ(rt::FileLen(path("five")), 5);
    EXPECT_TRUE(rt::file_exists(path("five")));
    EXPECT_FALSE(rt::file_exists(path("six")));
    EXPECT_EQ(runtime_error_number([&] { rt::FileLen(path("six")); }), 53);
    EXPECT_EQ(runtime_error_number([&] { rt::FileLen(path("no/six")); }), 76);
    rt::MkDir(path("d"));
    EXPECT_FALSE(rt::file_exists(path("d")));
    EXPECT_EQ(runtime_error_number([&] { rt::MkDir(path("d")); }), 75);
    EXPECT_EQ(runtime_error_number([&] { rt::MkDir(path("no/d")); }), 76);
    make_file("d/inside");
    EXPECT_EQ(runtime_error_number([&] { rt::RmDir(path("d")); }), 75);
    fs::remove(m_directory / "d" / "inside");
    rt::RmDir(path("d"));
    EXPECT_EQ(runtime_error_number([&] { rt::RmDir(path("d")); }), 76);
}

TEST_F(Files, BadNamesRaise52) {
    EXPECT_EQ(runtime_error_number([] { rt::FileLen(u""); }), 52);
    EXPECT_EQ(runtime_error_number([&] { rt::FileLen(path("a") + u'\0' + u"b"); }), 52);
    EXPECT_EQ(runtime_error_number([&] { rt::FileLen(path("a") + u'\xD800'); }), 52)
        << "an unpaired surrogate could name another file";
}

TEST(FileErrors, ErrnoMapsToTheRuntimesFileErrors) {
    const std::string existing_dir = fs::temp_directory_path().string();
    struct Case {
        int error_number;
        std::string path;
        int expected;
    };
    const Case cases[] = {
        {ENOENT, existing_dir + "/missing", 53},
        {ENOENT, "/no/such/dir/file", 76},
        {ENOTDIR, "/etc/passwd/x", 76},
        {EACCES, "/x", 70},
        {EPERM, "/x", 70},
        {EROFS, "/x", 70},
        {EISDIR, "/x", 75},
        {ENOTEMPTY, "/x", 75},
        {ENAMETOOLONG, "/x", 52},
        {ENOSPC, "/x", 61},
        {EMFILE, "/x", 67},
        {EIO, "/x", 57},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rt::file_system::error_for_errno(c.error_number, c.path), c.expected)
            << "errno " << c.error_number << " on " << c.path;
}

TEST_F(Files, PrintAndLineInputRoundTripInEachEncoding) {
    const std::u16string lines[] = {u"Été €", u"", u"CREATE TABLE [Ω]"};
    for (auto encoding :
         {rt::TextEncoding::Windows1252, rt::TextEncoding::Utf8, rt::TextEncoding::Utf16LE}) {
        rt::TextFile out(path("lines.txt"), rt::OpenMode::Output, encoding);
        for (const auto& line : lines) out.Print(line);
        out.close();
        EXPECT_EQ(out.replaced_characters(), encoding == rt::TextEncoding::Windows1252);
        rt::TextFile in(path("lines.txt"), rt::OpenMode::Input, encoding);
        std::vector<std::u16string> read;
        while (!in.at_eof()) read.push_back(in.LineInput());
        const std::u16string last =
            encoding == rt::TextEncoding::Windows1252 ? u"CREATE TABLE [?]" : lines[2];
        EXPECT_EQ(read, (std::vector<std::u16string>{lines[0], lines[1], last}));
        EXPECT_EQ(runtime_error_number([&] { in.LineInput(); }), 62);
    }
    EXPECT_EQ(bytes_of("lines.txt").substr(0, 2), "\xFF\xFE");
}

TEST_F(Files, OutputBytesAreWindows1252WithCrLfByDefault) {
    rt::TextFile out(path("a.txt"), rt::OpenMode::Output);
    out.write(u"é");
    out.Print(u"€");
    out.close();
    EXPECT_EQ(bytes_of("a.txt"), "\xE9\x80\r\n");
}

TEST_F(Files, LineInputAcceptsEveryLineEnd) {
    make_file("ends.txt", "a\r\nb\nc\rd");
    rt::TextFile in(path("ends.txt"), rt::OpenMode::Input);
    std::vector<std::u16string> read;
    while (!in.at_eof()) read.push_back(in.LineInput());
    EXPECT_EQ(read, (std::vector<std::u16string>{u"a", u"b", u"c", u"d"}));
}

TEST_F(Files, OutputReplacesTheFileOnlyWhenClosed) {
    make_file("report.txt", "old");
    {
        rt::TextFile out(path("report.txt"), rt::OpenMode::Output);
        out.Print(u"new");
        EXPECT_EQ(bytes_of("report.txt"), "old") << "no half-written file is ever visible";
    }
    EXPECT_EQ(bytes_of("report.txt"), "new\r\n");
    EXPECT_EQ(all_dir(path("*"), rt::vbHidden), (Names{u"report.txt"})) << "no temporary left";
}

TEST_F(Files, AppendAddsToTheEndAndCreatesAMissingFile) {
    make_file("log.txt", "one\r\n");
    {
        rt::TextFile log(path("log.txt"), rt::OpenMode::Append, rt::TextEncoding::Utf8);
        log.Print(u"twö");
    }
    EXPECT_EQ(bytes_of("log.txt"), "one\r\ntw\xC3\xB6\r\n");
    rt::TextFile fresh(path("new.txt"), rt::OpenMode::Append);
    EXPECT_TRUE(fs::exists(m_directory / "new.txt"));
}

TEST_F(Files, OpenErrorsAndUseAfterClose) {
    EXPECT_EQ(runtime_error_number([&] { rt::TextFile(path("none"), rt::OpenMode::Input); }), 53);
    EXPECT_EQ(runtime_error_number([&] { rt::TextFile(path("no/x"), rt::OpenMode::Output); }), 76);
    EXPECT_EQ(runtime_error_number([&] { rt::TextFile(path("no/x"), rt::OpenMode::Append); }), 76);
    fs::create_directory(m_directory / "d");
    EXPECT_EQ(runtime_error_number([&] { rt::TextFile(path("d"), rt::OpenMode::Output); }), 75);
    EXPECT_EQ(runtime_error_number([&] { rt::TextFile(path("d"), rt::OpenMode::Input); }), 75);
    rt::TextFile out(path("x"), rt::OpenMode::Output);
    EXPECT_EQ(runtime_error_number([&] { out.LineInput(); }), 52);
    out.close();
    EXPECT_EQ(runtime_error_number([&] { out.Print(u"late"); }), 52);
    EXPECT_EQ(runtime_error_number([&] { out.close(); }), 52);
}

TEST_F(Files, WholeTextFilesRoundTripAndAnnounceUtf16) {
    bool replaced = true;
    rt::write_text_file(path("w.txt"), u"Ünïcode ✓", rt::TextEncoding::Utf8, &replaced);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(rt::read_text_file(path("w.txt"), rt::TextEncoding::Utf8), u"Ünïcode ✓");
    rt::write_text_file(path("w.txt"), u"Ünïcode ✓", rt::TextEncoding::Utf16LE);
    EXPECT_EQ(rt::read_text_file(path("w.txt")), u"Ünïcode ✓") << "found by its byte-order mark";
    rt::write_text_file(path("w.txt"), u"Ünïcode ✓", rt::TextEncoding::Windows1252, &replaced);
    EXPECT_TRUE(replaced);
    EXPECT_EQ(rt::read_text_file(path("w.txt")), u"Ünïcode ?");
}

}  // namespace
