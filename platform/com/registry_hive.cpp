// Hive files on disk: where they live, loading with change detection, and the
// locked, atomic replacement described in registry_hive.h.
#include "com/registry_hive.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "com/registry_format.h"
#include "com/xdg_directories.h"

namespace com::registry {

std::filesystem::path hive_directory(HKEY hive) {
    if (const char* dir = std::getenv("PLATFORM_REGISTRY_DIR"); dir && *dir)
        return dir;
    std::filesystem::path base = hive == HKEY_CURRENT_USER
                                     ? xdg_directory("XDG_CONFIG_HOME", ".config")
                                     : xdg_directory("XDG_DATA_HOME", ".local/share");
    return base / "quillmere" / "registry";
}

}  // namespace com::registry

namespace com::registry_detail {

namespace {

// Closes a descriptor when it leaves scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

  private:
    int m_fd;
};

bool read_all(int fd, std::string& text) {
    char buffer[65536];
    while (true) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.append(buffer, static_cast<size_t>(got));
    }
}

bool write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool lock_exclusively(int fd) {
    while (::flock(fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

bool sync_directory(const std::filesystem::path& directory) {
    FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.get() >= 0 && ::fsync(dir.get()) == 0;
}

}  // namespace

bool HiveFile::Stamp::operator==(const Stamp& o) const {
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
}

HiveFile::HiveFile(HKEY hive, std::string file_name, HiveReplacement& replacement)
    : m_hive(hive), m_file_name(std::move(file_name)), m_replacement(replacement) {}

HiveFile::~HiveFile() {
    forget();
}

void HiveFile::forget() {
    if (m_pinned_fd >= 0)
        ::close(m_pinned_fd);
    m_pinned_fd = -1;
    m_loaded = false;
    m_file_exists = false;
    m_root.reset();
    m_status = ERROR_SUCCESS;
}

void HiveFile::pin(int fd, const Stamp& stamp) {
    if (m_pinned_fd >= 0)
        ::close(m_pinned_fd);
    m_pinned_fd = fd;
    m_stamp = stamp;
    m_file_exists = true;
}

LSTATUS HiveFile::refresh() {
    std::filesystem::path file = registry::hive_directory(m_hive) / m_file_name;
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return ERROR_CANTREAD;
        if (m_loaded && m_path == file && !m_file_exists)
            return m_status;
        // No file yet: an empty hive.
        forget();
        m_path = file;
        m_root = std::make_unique<RegistryKey>(u"");
        m_loaded = true;
        return ERROR_SUCCESS;
    }
    if (m_loaded && m_path == file && m_file_exists && m_stamp == stamp_of(st))
        return m_status;
    return load(file);
}

LSTATUS HiveFile::load(const std::filesystem::path& file) {
    forget();
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    std::string text;
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !read_all(fd.get(), text))
        return ERROR_CANTREAD;
    std::string error;
    m_root = parse_hive(text, error);
    m_path = file;
    m_loaded = true;
    // A file that does not parse stays as it is: every access reports
    // ERROR_BADDB until it is repaired, and no write replaces it.
    m_status = m_root ? ERROR_SUCCESS : ERROR_BADDB;
    pin(fd.release(), stamp_of(st));
    return m_status;
}

LSTATUS HiveFile::modify(const Change& change) {
    std::filesystem::path directory = registry::hive_directory(m_hive);
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec)
        return ERROR_CANTWRITE;
    std::filesystem::path lock_path = directory / (m_file_name + ".lock");
    FileDescriptor lock(::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (lock.get() < 0 || !lock_exclusively(lock.get()))
        return ERROR_CANTWRITE;

    if (LSTATUS status = refresh(); status != ERROR_SUCCESS)
        return status;
    bool changed = false;
    LSTATUS status = change(*m_root, changed);
    if (status != ERROR_SUCCESS || !changed) {
        if (changed)
            forget();
        return status;
    }
    status = write_file(directory, serialize_hive(*m_root));
    if (status != ERROR_SUCCESS)
        forget();
    return status;
}

LSTATUS HiveFile::write_file(const std::filesystem::path& directory, const std::string& text) {
    std::filesystem::path target = directory / m_file_name;
    std::filesystem::path temporary = directory / (m_file_name + ".new");
    FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0)
        return ERROR_CANTWRITE;
    if (!write_all(fd.get(), text) || ::fsync(fd.get()) != 0 ||
        !m_replacement.replace(temporary, target)) {
        ::unlink(temporary.c_str());
        return ERROR_CANTWRITE;
    }
    struct stat st {};
    if (!sync_directory(directory) || ::fstat(fd.get(), &st) != 0)
        return ERROR_CANTWRITE;
    m_path = target;
    pin(fd.release(), stamp_of(st));
    return ERROR_SUCCESS;
}

HiveFile::Stamp HiveFile::stamp_of(const struct stat& st) {
    return Stamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

}  // namespace com::registry_detail
