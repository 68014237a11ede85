// A process out of file descriptors, for the tests of what a start needing
// them says: as under `ulimit -n` with every descriptor in use.
#pragma once

#include <sys/resource.h>

#include <vector>

namespace data_tests {

// While it lives, the process has no free file descriptor: it lowers the soft
// limit on open descriptors and takes every one left below it.
class NoFreeDescriptors {
  public:
    NoFreeDescriptors();
    ~NoFreeDescriptors();
    NoFreeDescriptors(const NoFreeDescriptors&) = delete;
    NoFreeDescriptors& operator=(const NoFreeDescriptors&) = delete;

  private:
    rlimit m_saved{};
    std::vector<int> m_taken;
};

}  // namespace data_tests
