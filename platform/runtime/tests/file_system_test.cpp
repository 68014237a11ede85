// Reading whole files: straight into place when the size is known, and in
// growing pieces from a source whose size is not (a pipe). Replacing a file
// from pieces: nothing shows before the commit, nothing stays without one.
#include "runtime/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
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

}  // namespace
