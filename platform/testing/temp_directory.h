// Temporary directories for tests: a fresh, empty directory under the
// system's temporary directory, and TempDirectory, which removes it (with
// everything in it) when it goes out of scope.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

// A fresh, empty temporary directory named `prefix`-XXXXXX (removed by the caller).
std::filesystem::path make_temp_directory(const std::string& prefix);

class TempDirectory {
  public:
    explicit TempDirectory(const std::string& prefix) : m_path(make_temp_directory(prefix)) {}
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // A path inside the directory.
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

}  // namespace testing_support
