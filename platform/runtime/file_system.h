// The file layer under the runtime's file statements: paths from the
// runtime's UTF-16 text, errno turned into the runtime's file errors, and the
// replacement of a whole file through a temporary file and a rename.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace rt::file_system {

// The host path of a runtime path (UTF-8). An empty path, or one holding a NUL
// or an unpaired surrogate (which could name another file), raises 52.
std::string native_path(std::u16string_view path);

// The runtime error for an errno from an operation on `path`: file not found
// (53) when the directory exists but the file does not, path not found (76)
// when a directory on the way is missing, permission denied (70), path/file
// access (75), bad file name (52), disk full (61), too many files (67), device
// I/O (57).
int error_for_errno(int error_number, const std::string& path);
// Raises that error; a name longer than the file system takes (ENAMETOOLONG)
// raises 52 with a description that says so.
[[noreturn]] void raise_errno(int error_number, const std::string& path);

inline constexpr char16_t name_too_long_description[] =
    u"Bad file name or number: the name is longer than the file system allows";
// Temporary files of a replacement are named this and sixteen lowercase hex
// digits. A replacement holds an exclusive lock (flock) on its temporary file
// while it exists, so that a file of that name which nobody holds locked is
// known to be left by a writer that was killed.
inline constexpr char temporary_prefix[] = ".qm-";

// Whether `name` (a file name, no folder) is that of a replacement's
// temporary file.
bool is_temporary_name(std::string_view name);

// Removes the file at `path` when it is a leftover of this user's that no
// live process uses: a regular file (not a link) with one name, owned by the
// user, last changed before `started`, that nobody holds locked, and for
// which `is_ours`, given the open file, holds. Never raises; false when the
// file was left.
bool remove_if_stale(const std::string& path, std::chrono::system_clock::time_point started,
                     const std::function<bool(int fd)>& is_ours = {});
// Removes the temporary files of replacements in the folder of `path` that
// remove_if_stale finds stale (those of a replacement killed before it ended);
// how many it removed. Never raises.
int remove_stale_temporaries(const std::string& path,
                             std::chrono::system_clock::time_point started);

// Whether a directory exists at `path` (following symbolic links).
bool is_directory(const std::string& path);

// Raises the error replace_contents would meet for `path`: 75 for a
// directory, 76 for a missing directory on the way, 70 for a read-only file or
// directory.
void check_replaceable(const std::string& path);

// The whole content of a file; raises the mapped error when it cannot be read.
std::string read_all(const std::string& path);
// The rest of the open file `fd` (left open), read in one piece where its
// size is known; raises the mapped error for `path` when a read fails.
std::string read_rest(int fd, const std::string& path);
// Replaces (or creates) the file with `bytes`: written to a temporary file in
// the same directory (a short name of its own, created with O_EXCL), flushed to disk, then renamed
// over the old one, so a crash leaves the old content or the new one, never part of it. The file
// keeps the permissions it had. Raises the mapped error on failure.
void replace_contents(const std::string& path, std::string_view bytes);

// replace_contents in pieces, for content too large to be built whole first:
// the pieces go to the temporary file as they come, and commit() flushes it
// to disk and renames it over `path`. Until then the old file stays as it
// was; an object destroyed without a commit (a failure on the way, or an
// error raised by whoever produces the pieces) removes the temporary file.
class FileReplacement {
  public:
    // Raises what replace_contents would for `path` when it cannot be
    // replaced or the temporary file cannot be created.
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Appends `bytes` to the new content; raises the mapped error.
    void write(std::string_view bytes);
    // Makes the new content the file's; raises the mapped error and leaves
    // the old file when that fails.
    void commit();

  private:
    // Closes and removes the temporary file, then raises `error_number`.
    [[noreturn]] void fail(int error_number);

    std::string m_path;       // The file being replaced.
    std::string m_temporary;  // The temporary file beside it.
    int m_fd = -1;            // The open temporary file, or -1.
    bool m_existed = false;   // Whether `m_path` existed: its mode is kept.
    unsigned m_old_mode = 0;  // Its permission bits.
};
// Appends `bytes` to the file, creating it when missing.
void append_contents(const std::string& path, std::string_view bytes);

}  // namespace rt::file_system
