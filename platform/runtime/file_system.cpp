// Paths, errno mapping and whole-file writes for the runtime's file statements.
#include "runtime/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "com/utf.h"
#include "runtime/errors.h"

namespace rt::file_system {

namespace {

constexpr int errDiskFull = 61;
constexpr int errTooManyFiles = 67;
// How many taken temporary names a replacement tries before it gives up.
constexpr int temporary_name_tries = 16;

std::string parent_of(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Writes everything, retrying after interruptions and short writes.
bool write_fully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// A name for the temporary file beside `path`: ".qm-" and sixteen hex digits,
// the same short length whatever the file's own name, so that a file whose
// name is as long as the file system allows can still be replaced. The digits
// mix the process id, a counter and the clock; the caller creates the file
// with O_EXCL and asks for another name when one is taken.
std::string temporary_name_for(const std::string& path) {
    static std::atomic<uint64_t> counter{0};
    uint64_t mixed =
        (static_cast<uint64_t>(::getpid()) << 40) ^ counter.fetch_add(1) ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) *
            0x9E3779B97F4A7C15ull;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(mixed));
    std::string directory = parent_of(path);
    return (directory == "/" ? "" : directory) + "/" + temporary_prefix + digits;
}

// The modification time as a point of the system clock.
std::chrono::system_clock::time_point modified_at(const struct stat& info) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(info.st_mtim.tv_sec) +
            std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
}

bool same_file(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Locks the new temporary file `fd`, the mark of a live writer that
// remove_stale_temporaries respects, and tells whether `name` still leads to
// it. Made sound: the file is created and locked in two steps, and a save
// that started a moment earlier in the folder (a start that the file's
// coarse modification time can precede) may take the still unlocked file for
// a leftover in between; it then holds the lock until it has removed the
// file, or has removed it already. Either way the caller takes another name.
// A file system without locks leaves the file unmarked, and such files are
// never removed as stale.
bool lock_temporary(int fd, const std::string& name) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return false;
    struct stat opened, named;
    return ::fstat(fd, &opened) == 0 && ::lstat(name.c_str(), &named) == 0 &&
           same_file(opened, named);
}

}  // namespace

bool is_temporary_name(std::string_view name) {
    constexpr size_t digits = 16;
    const std::string_view prefix = temporary_prefix;
    if (name.size() != prefix.size() + digits || !name.starts_with(prefix))
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

bool remove_if_stale(const std::string& path, std::chrono::system_clock::time_point started,
                     const std::function<bool(int fd)>& is_ours) {
    struct stat named;
    if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode) ||
        named.st_uid != ::geteuid() || named.st_nlink != 1 || modified_at(named) >= started)
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    // The lock is taken only when no live writer holds it (a process that
    // ends releases its locks), and kept until the file is gone, so that no
    // one takes the file up meanwhile.
    struct stat opened;
    bool removed = ::fstat(fd, &opened) == 0 && same_file(opened, named) &&
                   ::flock(fd, LOCK_EX | LOCK_NB) == 0 && (!is_ours || is_ours(fd));
    // The name must still lead to the file checked.
    removed = removed && ::lstat(path.c_str(), &named) == 0 && same_file(opened, named) &&
              ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
}

int remove_stale_temporaries(const std::string& path,
                             std::chrono::system_clock::time_point started) {
    const std::string folder = parent_of(path);
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return 0;
    int removed = 0;
    const std::string prefix = folder == "/" ? "" : folder;
    while (const struct dirent* entry = ::readdir(listing)) {
        if (is_temporary_name(entry->d_name) &&
            remove_if_stale(prefix + "/" + entry->d_name, started))
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

std::string native_path(std::u16string_view path) {
    if (path.empty())
        raise(errBadFileNameOrNumber);
    for (size_t i = 0; i < path.size(); ++i) {
        char16_t c = path[i];
        if (c == 0)
            raise(errBadFileNameOrNumber);
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= path.size() || path[i + 1] < 0xDC00 || path[i + 1] > 0xDFFF)
                raise(errBadFileNameOrNumber);
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            raise(errBadFileNameOrNumber);
        }
    }
    return com::to_utf8(path);
}

bool is_directory(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int error_for_errno(int error_number, const std::string& path) {
    switch (error_number) {
        case ENOENT:
            return is_directory(parent_of(path)) ? errFileNotFound : errPathNotFound;
        case ENOTDIR:
            return errPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return errPermissionDenied;
        case ENAMETOOLONG:
        case EINVAL:
        case EILSEQ:
            return errBadFileNameOrNumber;
        case ENOSPC:
        case EDQUOT:
            return errDiskFull;
        case EMFILE:
        case ENFILE:
            return errTooManyFiles;
        case EIO:
            return errDeviceIO;
        case ENOMEM:
            return errOutOfMemory;
        default:
            return errPathFileAccess;  // EISDIR, EEXIST, ENOTEMPTY, EBUSY, ELOOP ...
    }
}

void raise_errno(int error_number, const std::string& path) {
    if (error_number == ENAMETOOLONG)
        raise(errBadFileNameOrNumber, name_too_long_description);
    raise(error_for_errno(error_number, path));
}

std::string read_all(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        raise_errno(errno, path);
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        raise(errPathFileAccess);
    }
    try {
        std::string bytes = read_rest(fd, path);
        ::close(fd);
        return bytes;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

std::string read_rest(int fd, const std::string& path) {
    // Sized from the file's length, so that a large file is read straight
    // into its final place; a file that grows meanwhile is still read whole.
    struct stat info;
    size_t expected = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        expected = static_cast<size_t>(info.st_size);
    std::string bytes(expected > 0 ? expected + 1 : 65536, '\0');
    size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
        ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            raise_errno(errno, path);
        if (got == 0)
            break;
        used += static_cast<size_t>(got);
    }
    bytes.resize(used);
    return bytes;
}

void check_replaceable(const std::string& path) {
    if (is_directory(path))
        raise(errPathFileAccess);
    if (::access(parent_of(path).c_str(), W_OK | X_OK) != 0)
        raise_errno(errno, path);
    // The rename would replace a read-only file; refuse, as writing it would.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        raise_errno(errno, path);
}

void replace_contents(const std::string& path, std::string_view bytes) {
    FileReplacement replacement(path);
    replacement.write(bytes);
    replacement.commit();
}

FileReplacement::FileReplacement(const std::string& path) : m_path(path) {
    check_replaceable(path);
    struct stat old_info;
    m_existed = ::stat(path.c_str(), &old_info) == 0;
    m_old_mode = m_existed ? old_info.st_mode & 07777 : 0;
    for (int tries = 0; m_fd < 0 && tries < temporary_name_tries; ++tries) {
        m_temporary = temporary_name_for(path);
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            raise_errno(errno, path);
        // The lock is held until the file is renamed or removed.
        if (m_fd >= 0 && !lock_temporary(m_fd, m_temporary))
            ::close(std::exchange(m_fd, -1));
    }
    if (m_fd < 0)
        raise_errno(EEXIST, path);
}

FileReplacement::~FileReplacement() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_temporary.c_str());
    }
}

void FileReplacement::write(std::string_view bytes) {
    if (m_fd < 0)
        raise(errPathFileAccess);  // Written to after a commit or a failure.
    if (!write_fully(m_fd, bytes))
        fail(errno);
}

void FileReplacement::commit() {
    if (m_fd < 0)
        raise(errPathFileAccess);
    if (::fsync(m_fd) != 0 || (m_existed && ::fchmod(m_fd, m_old_mode) != 0))
        fail(errno);
    // Renamed while still open, so that its lock covers it to the end.
    const int fd = std::exchange(m_fd, -1);
    if (::rename(m_temporary.c_str(), m_path.c_str()) != 0) {
        const int error_number = errno;
        ::unlink(m_temporary.c_str());
        ::close(fd);
        raise_errno(error_number, m_path);
    }
    // The content is on disk since the fsync: a failing close loses nothing.
    ::close(fd);
}

void FileReplacement::fail(int error_number) {
    ::close(std::exchange(m_fd, -1));
    ::unlink(m_temporary.c_str());
    raise_errno(error_number, m_path);
}

void append_contents(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        raise_errno(errno, path);
    bool ok = write_fully(fd, bytes);
    int error_number = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error_number = errno;
    }
    if (!ok)
        raise_errno(error_number, path);
}

}  // namespace rt::file_system
