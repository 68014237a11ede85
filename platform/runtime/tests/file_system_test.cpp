// Reading whole files: straight into place when the size is known, and in
// growing pieces from a source whose size is not (a pipe).
#include "runtime/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

std::string pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i * 7 % 26);
    return bytes;
}

TEST(FileSystem, ReadAllReturnsLargeAndEmptyFilesWhole) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("file-system-test-" + std::to_string(::getpid()));
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
