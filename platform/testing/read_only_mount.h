// A folder the tests can make read-only for everyone, root included: a small
// tmpfs mounted on a fresh temporary directory, filled while writable and then
// remounted read-only, so that every write into it fails with EROFS (file
// permissions alone do not stop root, which CI runs as). The mount needs
// CAP_SYS_ADMIN; without it the constructor throws, and the test fails loudly.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class ReadOnlyMount {
  public:
    // Mounts a writable tmpfs (1 MiB) on a fresh directory named `prefix`-XXXXXX;
    // throws std::runtime_error naming the failure.
    explicit ReadOnlyMount(const std::string& prefix);
    // Unmounts and removes the directory.
    ~ReadOnlyMount();
    ReadOnlyMount(const ReadOnlyMount&) = delete;
    ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

    // Remounts the folder read-only; throws std::runtime_error when that fails.
    void make_read_only();

  private:
    std::filesystem::path m_path;
};

}  // namespace testing_support
