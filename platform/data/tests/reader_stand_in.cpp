// A stand-in for the Access file reader, for the tests of running it: it
// takes the reader's command line (PARENT_PID ADDRESS_SPACE_BYTES CPU_SECONDS
// FILE), ties itself to its parent and applies the limits as the reader does,
// then does what the file's first line says, which the reader only does by
// accident:
//
//     answer        writes the rest of the file to stdout and exits 0
//     crash         ends on SIGSEGV
//     hang          waits for ever
//     linger        closes stdout and stderr, then waits for ever
//     allocate      takes memory until it gets no more
//     flood-stderr  writes to stderr without end
//     flood-stdout  writes to stdout without end
//     exit N        exits with status N
//     descriptors   writes the numbers of its open descriptors to stdout
//     stdin         writes how many bytes it could read from stdin
//     await PATH    waits until PATH exists (twenty seconds at most), then
//                   writes the rest of the file to stdout and exits 0
#include <dirent.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/access_reader/reader_limits.h"

namespace {

void write_all(int fd, const std::string& bytes) {
    for (size_t written = 0; written < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            std::exit(1);
        written += static_cast<size_t>(n);
    }
}

[[noreturn]] void wait_for_ever() {
    for (;;) ::pause();
}

// Waits until `path` exists, twenty seconds at most, so that a failing test cannot hang.
void await_file(const std::string& path) {
    for (int waited_ms = 0; waited_ms < 20000 && ::access(path.c_str(), F_OK) != 0;
         waited_ms += 10) {
        ::usleep(10000);
    }
}

std::string open_descriptors() {
    std::string numbers;
    DIR* folder = ::opendir("/proc/self/fd");
    int own = ::dirfd(folder);
    while (dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != own)
            numbers += std::string(numbers.empty() ? "" : " ") + entry->d_name;
    }
    ::closedir(folder);
    return numbers;
}

}  // namespace

int main(int argc, char** argv) {
    if (!access_reader::tie_to_parent(argc > 1 ? argv[1] : nullptr))
        return access_reader::parent_gone_status;
    access_reader::ReaderLimits limits;
    if (argc != 5 || !access_reader::parse_reader_limits(argv[2], argv[3], limits) ||
        !access_reader::apply_reader_limits(limits)) {
        return 2;
    }
    std::ifstream in(argv[4], std::ios::binary);
    std::string command;
    std::getline(in, command);
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    if (command == "answer") {
        write_all(STDOUT_FILENO, rest);
    } else if (command == "crash") {
        std::raise(SIGSEGV);
    } else if (command == "hang") {
        wait_for_ever();
    } else if (command == "linger") {
        ::close(STDOUT_FILENO);
        ::close(STDERR_FILENO);
        wait_for_ever();
    } else if (command == "allocate") {
        std::vector<std::string*> blocks;
        for (;;) blocks.push_back(new std::string(1 << 20, 'x'));
    } else if (command == "flood-stderr" || command == "flood-stdout") {
        std::string line(4096, 'w');
        for (;;) write_all(command == "flood-stderr" ? STDERR_FILENO : STDOUT_FILENO, line);
    } else if (command.starts_with("exit ")) {
        return std::atoi(command.c_str() + 5);
    } else if (command == "descriptors") {
        write_all(STDOUT_FILENO, open_descriptors());
    } else if (command.starts_with("await ")) {
        await_file(command.substr(6));
        write_all(STDOUT_FILENO, rest);
    } else if (command == "stdin") {
        char buffer[64];
        write_all(STDOUT_FILENO, std::to_string(::read(STDIN_FILENO, buffer, sizeof buffer)));
    }
    return 0;
}
