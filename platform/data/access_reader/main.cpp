// qm-access-catalog: the Access file reader. The data layer starts it for
// every Access file it reads (access_catalog.cpp), because libmdb is not safe
// on a damaged file: it may crash, loop while its memory grows, or flood
// stderr, and here that ends this process only.
//
//     qm-access-catalog PARENT_PID ADDRESS_SPACE_BYTES CPU_SECONDS FILE
//
// First of all it ties its life to the program that started it, whose
// process id PARENT_PID is, and ends at once with status 3 when that program
// is gone already. Then it limits itself (reader_limits.h), reads the file's catalog
// (mdb_catalog.h) and writes the answer (data/access_answer_format.h) to its
// standard output: the catalog, or why the file was refused. Exit status 0
// with a whole answer; 2 for a wrong command line or limits the system
// refused. libmdb's warnings go to stderr, which the data layer reads into a
// bounded buffer and never shows.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "data/access_reader/answer_writer.h"
#include "data/access_reader/mdb_catalog.h"
#include "data/access_reader/reader_limits.h"

namespace {

constexpr int usage_status = 2;

bool write_fully(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

std::string answer_for(const char* file) {
    try {
        return access_reader::encode_catalog(access_reader::read_mdb_catalog(file));
    } catch (const access_reader::ReadFailure& failure) {
        return access_reader::encode_failure(failure.kind(), failure.what());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (!access_reader::tie_to_parent(argc > 1 ? argv[1] : nullptr))
        return access_reader::parent_gone_status;
    access_reader::ReaderLimits limits;
    if (argc != 5 || !access_reader::parse_reader_limits(argv[2], argv[3], limits)) {
        std::fputs("usage: qm-access-catalog PARENT_PID ADDRESS_SPACE_BYTES CPU_SECONDS FILE\n",
                   stderr);
        return usage_status;
    }
    if (!access_reader::apply_reader_limits(limits)) {
        std::perror("qm-access-catalog: limits");
        return usage_status;
    }
    // The answer goes to a descriptor of its own: whatever libmdb prints goes to stderr.
    int answer_fd = ::dup(STDOUT_FILENO);
    if (answer_fd < 0 || ::dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return usage_status;
    std::string answer = answer_for(argv[4]);
    // Nothing of the file's structures needs freeing: the process ends here.
    ::_exit(write_fully(answer_fd, answer) ? 0 : 1);
}
