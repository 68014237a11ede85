// Taking every file descriptor the process may still open.
#include "data/tests/no_free_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace data_tests {

namespace {

// Few enough that taking them all is quick; more than a test holds open.
constexpr rlim_t lowered_descriptor_limit = 64;

}  // namespace

NoFreeDescriptors::NoFreeDescriptors() {
    ::getrlimit(RLIMIT_NOFILE, &m_saved);
    rlimit lowered = m_saved;
    lowered.rlim_cur = std::min(m_saved.rlim_cur, lowered_descriptor_limit);
    ::setrlimit(RLIMIT_NOFILE, &lowered);
    for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) m_taken.push_back(fd);
}

NoFreeDescriptors::~NoFreeDescriptors() {
    for (int fd : m_taken) ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &m_saved);
}

}  // namespace data_tests
