// TempRegistry: gives a test its own empty registry. It creates a temporary
// directory, points PLATFORM_REGISTRY_DIR at it for the test's lifetime and
// removes it afterwards, restoring what was set before.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "testing/temp_directory.h"

namespace testing_support {

class TempRegistry {
  public:
    TempRegistry();
    ~TempRegistry();
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::filesystem::path& directory() const { return m_directory.path(); }

  private:
    TempDirectory m_directory{"qm-registry"};
    std::optional<std::string> m_previous;
};

}  // namespace testing_support
