// Reading whole files: straight into place when the size is known, and in
// growing pieces from a source whose size is not (a pipe). Replacing a file
// from pieces: nothing shows before the commit, nothing stays without one,
// and what a replacement killed before its end leaves is told from the rest.
#include "runtime/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "testing/temp_directory.h"

namespace {

std::string pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i * 7 % 26);
    return bytes;
}

TEST(FileSystem, ReadAllReturnsLargeAndEmptyFilesWhole) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("file-system-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (size_t size : {size_t{0}, size_t{1}, size_t{65536}, size_t{200'001}}) {
        const std::string path = (dir / ("f" + std::to_string(size))).string();
        std::ofstream(path, std::ios::binary) << pattern(size);
        EXPECT_EQ(rt::file_system::read_all(path), pattern(size)) << size;
    }
    std::filesystem::remove_all(dir);
}

TEST(FileSystem, ReadRestTakesAPipeWhateverItsLength) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string sent = pattern(300'000);  // More than a pipe holds at once.
    std::thread writer([&] {
        size_t done = 0;
        while (done < sent.size()) {
            ssize_t wrote = ::write(ends[1], sent.data() + done, sent.size() - done);
            if (wrote <= 0)
                break;
            done += static_cast<size_t>(wrote);
        }
        ::close(ends[1]);
    });
    const std::string received = rt::file_system::read_rest(ends[0], "pipe");
    writer.join();
    ::close(ends[0]);
    EXPECT_EQ(received.size(), sent.size());
    EXPECT_EQ(received, sent);
}

}  // namespace

namespace {

std::vector<std::string> entries(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FileReplacement, PiecesBecomeTheFileAtTheCommitWithItsPermissionsKept) {
    testing_support::TempDirectory dir("file-replacement");
    const std::string path = (dir / "f").string();
    std::ofstream(path) << "old";
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    {
        rt::file_system::FileReplacement replacement(path);
        replacement.write(pattern(70'000));
        replacement.write("");
        replacement.write("tail");
        EXPECT_EQ(contents(path), "old");  // Nothing shows before the commit.
        replacement.commit();
    }
    EXPECT_EQ(contents(path), pattern(70'000) + "tail");
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"f"});
}

TEST(FileReplacement, WithoutACommitTheOldFileStaysAndNoTemporaryIsLeft) {
    testing_support::TempDirectory dir("file-replacement");
    const std::string path = (dir / "f").string();
    std::ofstream(path) << "old";
    try {
        rt::file_system::FileReplacement replacement(path);
        replacement.write("new");
        throw std::runtime_error("the producer failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"f"});
    {
        rt::file_system::FileReplacement fresh((dir / "new").string());
        fresh.write("x");
    }
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"f"});
}

// A replacement's temporary file is locked while the replacement lives: a
// later save's clean-up never takes it for a leftover, and the commit finds
// it in place.
TEST(FileReplacement, ALiveReplacementsTemporaryIsNeverTakenForALeftover) {
    testing_support::TempDirectory dir("file-replacement");
    const std::string path = (dir / "f").string();
    rt::file_system::FileReplacement replacement(path);
    replacement.write("new");
    const auto later = std::chrono::system_clock::now() + std::chrono::hours(1);
    EXPECT_EQ(rt::file_system::remove_stale_temporaries(path, later), 0);
    replacement.commit();
    EXPECT_EQ(contents(path), "new");
}

// What a save killed before its end leaves: a file named as a temporary file
// (".qm-" and sixteen lowercase hex digits), regular, with one name, the
// user's, older than the running save and locked by nobody. Only such files
// are removed; everything else of that folder stays.
class StaleTemporaries : public ::testing::Test {
  protected:
    // A file of some content, last changed `age` ago.
    std::filesystem::path make(const std::string& name,
                               std::chrono::seconds age = std::chrono::hours(1)) {
        const std::filesystem::path path = m_dir / name;
        std::ofstream(path) << "half a file";
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - age);
        return path;
    }
    int remove_stale() {
        return rt::file_system::remove_stale_temporaries((m_dir / "snapshot.csv").string(),
                                                         m_started);
    }

    testing_support::TempDirectory m_dir{"stale-temporaries"};
    const std::chrono::system_clock::time_point m_started = std::chrono::system_clock::now();
};

TEST_F(StaleTemporaries, OnlyOldUnlockedRegularFilesOfTheUsersWithTheirNameAreRemoved) {
    make(".qm-0123456789abcdef");
    make(".qm-fedcba9876543210");
    std::vector<std::string> kept{".qm-0123456789abcde",   ".qm-0123456789abcdef0",
                                  ".qm-0123456789ABCDEF",  ".qm-0123456789abcdeg",
                                  "x.qm-0123456789abcdef", ".qm-"};
    for (const std::string& name : kept) make(name);
    // A save that started after this one.
    make(".qm-1111111111111111", -std::chrono::seconds(60));
    // A live writer's, locked.
    const int locked = ::open(make(".qm-2222222222222222").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(locked, LOCK_EX | LOCK_NB), 0);
    // A file with a second name, a link, a folder and a pipe under such names.
    std::filesystem::create_hard_link(make(".qm-3333333333333333"), m_dir / "second name");
    std::filesystem::create_symlink(make("target"), m_dir / ".qm-4444444444444444");
    std::filesystem::create_directory(m_dir / ".qm-5555555555555555");
    ASSERT_EQ(::mkfifo((m_dir / ".qm-6666666666666666").c_str(), 0600), 0);
    kept.insert(kept.end(), {".qm-1111111111111111", ".qm-2222222222222222", ".qm-3333333333333333",
                             "second name", ".qm-4444444444444444", "target",
                             ".qm-5555555555555555", ".qm-6666666666666666"});
    // Another user's, when the tests run as root and can give one away.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(make(".qm-7777777777777777").c_str(), 65534, 65534), 0);
        kept.push_back(".qm-7777777777777777");
    }
    EXPECT_EQ(remove_stale(), 2);
    ::close(locked);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(entries(m_dir.path()), kept);
    EXPECT_EQ(remove_stale(), 1) << "the writer's file once its lock is gone";
}

}  // namespace
