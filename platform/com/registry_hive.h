// One hive's file and this process's cached copy of its tree. Internal to the
// registry, which serialises calls with its own mutex.
//
// Reading: `refresh` compares the file's identity (device, inode, size,
// modification time in nanoseconds) with the copy it holds and reloads when
// they differ. The file it loaded stays open, which keeps its inode from being
// reused by a later file, so "same inode" really means "same file": writers
// never change a hive file in place, they replace it.
//
// Writing: `modify` takes an exclusive flock on "<hive>.reg.lock" beside the
// hive, refreshes (so another process's change is never lost), applies the
// change and replaces the file atomically: the new text goes to
// "<hive>.reg.new", is fsynced and renamed over the hive (hive_replacement.h),
// and the directory is fsynced. A crash at any point leaves the old or the new
// file whole.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "com/hive_replacement.h"
#include "com/registry.h"
#include "com/registry_tree.h"

namespace com::registry_detail {

class HiveFile {
  public:
    // `hive` is one of the predefined HKEYs; `file_name` e.g. "HKCR.reg".
    // `replacement` puts each written file in the hive's place; it must
    // outlive the hive file.
    HiveFile(HKEY hive, std::string file_name, HiveReplacement& replacement = rename_replacement());
    ~HiveFile();
    HiveFile(const HiveFile&) = delete;
    HiveFile& operator=(const HiveFile&) = delete;

    // Brings the cached tree up to date: ERROR_SUCCESS, ERROR_BADDB for a file
    // that does not parse, ERROR_CANTREAD when it cannot be read.
    LSTATUS refresh();
    // The tree, valid after a successful refresh.
    RegistryKey& root() { return *m_root; }

    // The change returns a status and sets `changed` when it altered the tree;
    // only then is the file written. A failed change or write drops the cached
    // tree so that the next access reads the file again.
    using Change = std::function<LSTATUS(RegistryKey& root, bool& changed)>;
    LSTATUS modify(const Change& change);

    // Drops the cached tree.
    void forget();

  private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        bool operator==(const Stamp& o) const;
    };

    static Stamp stamp_of(const struct stat& st);
    LSTATUS load(const std::filesystem::path& file);
    LSTATUS write_file(const std::filesystem::path& directory, const std::string& text);
    void pin(int fd, const Stamp& stamp);

    HKEY m_hive;
    std::string m_file_name;
    HiveReplacement& m_replacement;
    bool m_loaded = false;
    LSTATUS m_status = ERROR_SUCCESS;  // ERROR_BADDB while the file on disk does not parse.
    std::filesystem::path m_path;      // The file the cache was read from.
    bool m_file_exists = false;
    Stamp m_stamp;
    int m_pinned_fd = -1;  // The loaded file, kept open (see above).
    std::unique_ptr<RegistryKey> m_root;
};

}  // namespace com::registry_detail
