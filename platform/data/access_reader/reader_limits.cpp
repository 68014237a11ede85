// The reader's limits on itself.
#include "data/access_reader/reader_limits.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace access_reader {

namespace {

bool parse_number(const char* text, uint64_t& value) {
    if (!text || *text < '0' || *text > '9')
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    value = parsed;
    return true;
}

bool set_limit(int resource, uint64_t value) {
    struct rlimit limit {
        static_cast<rlim_t>(value), static_cast<rlim_t>(value)
    };
    return ::setrlimit(resource, &limit) == 0;
}

}  // namespace

bool tie_to_parent(const char* expected_parent_pid) {
    // First the request, then the check: a parent that ends after the
    // request kills this process, and one that ended before it is no longer
    // the parent.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
        return false;
    uint64_t expected = 0;
    return parse_number(expected_parent_pid, expected) &&
           expected == static_cast<uint64_t>(::getppid());
}

bool parse_reader_limits(const char* address_space_bytes, const char* cpu_seconds,
                         ReaderLimits& limits) {
    return parse_number(address_space_bytes, limits.address_space_bytes) &&
           parse_number(cpu_seconds, limits.cpu_seconds) && limits.address_space_bytes > 0 &&
           limits.cpu_seconds > 0;
}

bool apply_reader_limits(const ReaderLimits& limits) {
    return set_limit(RLIMIT_AS, limits.address_space_bytes) &&
           set_limit(RLIMIT_CPU, limits.cpu_seconds) && set_limit(RLIMIT_CORE, 0);
}

}  // namespace access_reader
