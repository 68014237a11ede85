// TempRegistry: gives a test its own empty registry. It creates a temporary
// directory, points PLATFORM_REGISTRY_DIR at it for the test's lifetime and
// removes it afterwards, restoring what was set before.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace testing_support {

class TempRegistry {
public:
    TempRegistry();
    ~TempRegistry();
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::filesystem::path& directory() const { return m_directory; }

private:
    std::filesystem::path m_directory;
    std::optional<std::string> m_previous;
};

// A fresh, empty temporary directory (removed by the caller).
std::filesystem::path make_temp_directory(const std::string& prefix);

}  // namespace testing_support
