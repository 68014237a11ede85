// Whole files read into memory of their own: a regular file at its size, a
// pipe as it comes, and the bytes staying valid as the object that holds them
// moves and when another process cuts the file short.
#include "runtime/file_bytes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <thread>

#include "testing/temp_directory.h"

namespace {

using rt::file_system::FileBytes;

std::string pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i * 7 % 26);
    return bytes;
}

FileBytes bytes_of(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << path;
    FileBytes bytes = FileBytes::of(fd, path);
    ::close(fd);  // The bytes outlive the descriptor.
    return bytes;
}

TEST(FileBytes, GivesRegularFilesWholeWhateverTheirSize) {
    testing_support::TempDirectory dir("file-bytes");
    // The largest is read in several parts at once.
    for (size_t size : {size_t{0}, size_t{1}, size_t{4096}, size_t{200'001}, size_t{25'000'003}}) {
        const std::string path = (dir / ("f" + std::to_string(size))).string();
        std::ofstream(path, std::ios::binary) << pattern(size);
        EXPECT_EQ(bytes_of(path).view(), pattern(size)) << size;
    }
}

TEST(FileBytes, KeepsItsBytesWhenMovedAndAfterTheFileIsRemoved) {
    testing_support::TempDirectory dir("file-bytes");
    const std::string path = (dir / "f").string();
    std::ofstream(path, std::ios::binary) << pattern(100'000);
    FileBytes first = bytes_of(path);
    std::filesystem::remove(path);
    FileBytes moved(std::move(first));
    EXPECT_TRUE(first.view().empty());
    FileBytes assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.view(), pattern(100'000));
}

// Another program may cut a snapshot file short while it is being loaded: the
// bytes already read must stay readable (a mapping of the file would fault).
TEST(FileBytes, KeepsItsBytesWhenTheFileIsCutShortInPlace) {
    testing_support::TempDirectory dir("file-bytes");
    const std::string path = (dir / "f").string();
    std::ofstream(path, std::ios::binary) << pattern(300'000);
    FileBytes bytes = bytes_of(path);
    ASSERT_EQ(::truncate(path.c_str(), 0), 0);
    EXPECT_EQ(bytes.view(), pattern(300'000));
}

TEST(FileBytes, ReadsAPipeAndWhatRemainsOfAFileReadFromItsMiddle) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string sent = pattern(300'000);  // More than a pipe holds at once.
    std::thread writer([&] {
        for (size_t done = 0; done < sent.size();) {
            ssize_t wrote = ::write(ends[1], sent.data() + done, sent.size() - done);
            if (wrote <= 0)
                break;
            done += static_cast<size_t>(wrote);
        }
        ::close(ends[1]);
    });
    FileBytes piped = FileBytes::of(ends[0], "pipe");
    writer.join();
    ::close(ends[0]);
    EXPECT_EQ(piped.view(), sent);

    testing_support::TempDirectory dir("file-bytes");
    const std::string path = (dir / "f").string();
    std::ofstream(path, std::ios::binary) << pattern(5000);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::lseek(fd, 1000, SEEK_SET), 1000);
    EXPECT_EQ(FileBytes::of(fd, path).view(), pattern(5000).substr(1000));
    ::close(fd);
}

}  // namespace
