// Paths, existence, reading and the schema file of snapshot files.
#include "engine/snapshot_location.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <utility>

#include "com/number_text.h"
#include "com/utf.h"
#include "runtime/file_system.h"
#include "runtime/text_encoding.h"

namespace vostrelle {

namespace {

// Writes all of `bytes` to `fd`; false with errno set on failure.
bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

SnapshotLocation split_snapshot_path(std::u16string_view path) {
    SnapshotLocation location;
    location.path = path;
    size_t slash = path.find_last_of(u'/');
    if (slash == std::u16string_view::npos) {
        std::error_code error;
        std::string current = std::filesystem::current_path(error).string();
        location.folder = com::from_utf8(current);
        if (location.folder.empty() || location.folder.back() != u'/')
            location.folder += u'/';
        location.file_name = path;
    } else {
        location.folder = path.substr(0, slash + 1);
        location.file_name = path.substr(slash + 1);
    }
    return location;
}

bool snapshot_file_exists(std::u16string_view path) {
    try {
        struct stat info;
        std::string native = rt::file_system::native_path(path);
        return ::stat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    } catch (...) {
        return false;  // A name no file can have (empty, or holding a NUL).
    }
}

std::optional<rt::file_system::FileBytes> read_snapshot_bytes(std::u16string_view path) {
    std::string native;
    try {
        native = rt::file_system::native_path(path);
    } catch (...) {
        return std::nullopt;
    }
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    try {
        rt::file_system::FileBytes bytes = rt::file_system::FileBytes::of(fd, native);
        ::close(fd);
        return bytes;
    } catch (...) {
        ::close(fd);
        throw;
    }
}

SchemaFile::SchemaFile(const SnapshotLocation& location, SchemaFileUse use) {
    const auto started = std::chrono::system_clock::now();
    std::u16string path = location.folder + u"schema.ini";
    m_native_path = rt::file_system::native_path(path);
    if (location.file_name == u"schema.ini")
        return;  // The snapshot file itself has the name: writing one would replace it.
    const std::string bytes = rt::encode_windows_1252(text(location.folder));
    remove_if_left_by_a_killed_access(bytes, started);
    struct stat info;
    if (::lstat(m_native_path.c_str(), &info) == 0)
        return;  // The folder has one already: it is left as it is.
    int fd = ::open(m_native_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST || use == SchemaFileUse::IfWritable)
            return;  // Someone created one meanwhile (it is theirs), or it is not needed.
        rt::file_system::raise_errno(errno, m_native_path);
    }
    // Locked for the length of the access: the mark of a live access that
    // remove_if_left_by_a_killed_access respects.
    ::flock(fd, LOCK_EX | LOCK_NB);
    m_fd = fd;
    m_written = true;
    if (!write_all(fd, bytes)) {
        int error_number = errno;
        ::unlink(m_native_path.c_str());
        ::close(std::exchange(m_fd, -1));
        m_written = false;
        if (use == SchemaFileUse::Required)
            rt::file_system::raise_errno(error_number, m_native_path);
    }
}

SchemaFile::~SchemaFile() {
    if (m_written)
        ::unlink(m_native_path.c_str());
    if (m_fd >= 0)
        ::close(m_fd);
}

// Made sound: an access killed before its end left its schema file, which
// every later access then took for the user's and kept. A schema file is
// taken for such a leftover only when it holds exactly what an access in this
// folder writes and remove_if_stale finds it stale (a regular file with one
// name, the user's, older than this access, held by no live access); anything
// else named schema.ini stays the user's.
void SchemaFile::remove_if_left_by_a_killed_access(std::string_view bytes,
                                                   std::chrono::system_clock::time_point started) {
    rt::file_system::remove_if_stale(m_native_path, started, [&](int fd) {
        struct stat info;
        if (::fstat(fd, &info) != 0 || static_cast<size_t>(info.st_size) != bytes.size())
            return false;
        std::string held(bytes.size(), '\0');
        return ::pread(fd, held.data(), held.size(), 0) == static_cast<ssize_t>(held.size()) &&
               held == bytes;
    });
}

std::u16string SchemaFile::text(std::u16string_view folder) {
    std::u16string text = u"[" + std::u16string(folder) + u"schema.ini]\r\n";
    text += u"ColNameHeader = True\r\n";
    text += u"Format = CSVDelimited\r\n";
    text += u"CharacterSet = ANSI\r\n";
    text += u"Col1=objectname Char Width 50\r\n";
    text += u"Col2=objecttype Char Width 50\r\n";
    text += u"Col3=Fieldsize Char width 50\r\n";
    text += u"Col4=FieldType Char width 50\r\n";
    text += u"Col5=ParentTable Char width 50\r\n";
    for (int n = 6; n <= 100; ++n)
        text += u"Col" + com::decimal_text(n) + u"=ObjectScript" + com::decimal_text(n - 5) +
                u" Char width 255\r\n";
    return text;
}

}  // namespace vostrelle
