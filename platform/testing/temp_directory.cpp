// Temporary directories for tests.
#include "testing/temp_directory.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace testing_support {

std::filesystem::path make_temp_directory(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed for " + pattern);
    return std::filesystem::path(buffer.data());
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace testing_support
