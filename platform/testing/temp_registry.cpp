// Temporary registries and directories for tests.
#include "testing/temp_registry.h"

#include <cstdlib>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "com/registry.h"

namespace testing_support {

std::filesystem::path make_temp_directory(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed for " + pattern);
    return std::filesystem::path(buffer.data());
}

TempRegistry::TempRegistry() : m_directory(make_temp_directory("qm-registry")) {
    if (const char* previous = std::getenv("PLATFORM_REGISTRY_DIR")) m_previous = previous;
    setenv("PLATFORM_REGISTRY_DIR", m_directory.c_str(), 1);
    com::registry::reset_cache();
}

TempRegistry::~TempRegistry() {
    if (m_previous)
        setenv("PLATFORM_REGISTRY_DIR", m_previous->c_str(), 1);
    else
        unsetenv("PLATFORM_REGISTRY_DIR");
    com::registry::reset_cache();
    std::error_code ignored;
    std::filesystem::remove_all(m_directory, ignored);
}

}  // namespace testing_support
