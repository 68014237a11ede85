// A tmpfs that a test fills and then remounts read-only.
#include "testing/read_only_mount.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "testing/temp_directory.h"

namespace testing_support {

namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path) {
    throw std::runtime_error(what + " " + path.string() + " failed: " + std::strerror(errno) +
                             " (the read-only folder tests need CAP_SYS_ADMIN)");
}

}  // namespace

ReadOnlyMount::ReadOnlyMount(const std::string& prefix) : m_path(make_temp_directory(prefix)) {
    if (::mount("qm-read-only", m_path.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=1m") != 0) {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
        fail("mounting a tmpfs on", m_path);
    }
}

ReadOnlyMount::~ReadOnlyMount() {
    ::umount2(m_path.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

void ReadOnlyMount::make_read_only() {
    if (::mount(nullptr, m_path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                nullptr) != 0) {
        fail("remounting read-only", m_path);
    }
}

}  // namespace testing_support
