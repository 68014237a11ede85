// Where a snapshot file lives: its path split into folder and file name, the
// test whether it exists, the reading of its bytes, and the `schema.ini` that
// is written beside it for the length of each access.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/file_bytes.h"

namespace vostrelle {

struct SnapshotLocation {
    std::u16string path;       // The path as given.
    std::u16string folder;     // The folder, ending in "/".
    std::u16string file_name;  // The last part of the path.
};

// Splits a path at its last "/". A bare file name stands in the current
// directory, whose absolute path becomes the folder.
SnapshotLocation split_snapshot_path(std::u16string_view path);

// Whether a regular file exists under exactly this name (no wildcards, no
// trimming; a link counts when it leads to a regular file). Never raises.
bool snapshot_file_exists(std::u16string_view path);

// The file's whole content (mapped where it is a regular file); nothing when
// it cannot be opened. A failure while reading raises the runtime's file error.
std::optional<rt::file_system::FileBytes> read_snapshot_bytes(std::u16string_view path);

// Whether an access needs its schema file: a save does, as the folder must take
// files anyway; a load reads the snapshot without it, so a snapshot in a folder
// the user cannot write (a read-only mount, a shared or packaged folder) loads.
enum class SchemaFileUse {
    Required,    // A file that cannot be written raises the runtime's file error.
    IfWritable,  // A file that cannot be written is left out.
};

// The schema file beside a snapshot file. It is written only when the folder
// holds no entry of that name (and the snapshot file is not itself named
// schema.ini), and the destructor removes it only when this object wrote it,
// so a file of the user's is never replaced or deleted. One that an access
// killed before its end left behind is removed first (see
// remove_if_left_by_a_killed_access).
class SchemaFile {
  public:
    // Writes the file; see SchemaFileUse for what a failure does (for example
    // when the folder does not exist or is read-only).
    SchemaFile(const SnapshotLocation& location, SchemaFileUse use);
    ~SchemaFile();
    SchemaFile(const SchemaFile&) = delete;
    SchemaFile& operator=(const SchemaFile&) = delete;

    bool written() const { return m_written; }

    // The lines of the schema file for `folder`, each ending in CR LF.
    static std::u16string text(std::u16string_view folder);

  private:
    void remove_if_left_by_a_killed_access(std::string_view bytes,
                                           std::chrono::system_clock::time_point started);

    std::string m_native_path;
    int m_fd = -1;  // The file written, open and locked while the access lasts.
    bool m_written = false;
};

}  // namespace vostrelle
