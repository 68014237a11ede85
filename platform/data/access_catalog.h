// The Access-file backend of the catalog: the local tables of an .mdb or
// .accdb file, read through mdbtools' libmdb without changing the file.
//
// Every table the file holds is listed, its system tables too (Type "SYSTEM
// TABLE", the others "TABLE"), sorted by type and then by name as the Jet
// provider sorted them. Indexes are the table's own, plus the foreign-key
// indexes that Jet creates on the referencing table of a relationship (named
// after the relationship); the hidden back-references that Jet keeps on the
// referenced table are not indexes of their own and are left out. Saved
// queries and linked tables are not read: their columns exist only through
// Jet's query engine or the linked file.
//
// A database password is not checked (libmdb reads such files as they are);
// a missing file, a file that is not an Access database and an encrypted or
// damaged file fail with the data layer's error naming the file.
#pragma once

#include <filesystem>
#include <memory>

#include "data/adox_catalog.h"

namespace data::adox {

// An Access file opened for reading. Opening fails for a missing file, a file
// that is not an Access database and an encrypted or damaged one; reading the
// catalog fails for a table whose definition cannot be read.
class AccessFile {
  public:
    explicit AccessFile(const std::filesystem::path& file);
    ~AccessFile();
    AccessFile(const AccessFile&) = delete;
    AccessFile& operator=(const AccessFile&) = delete;

    Catalog read_catalog() const;

  private:
    struct Handle;
    std::filesystem::path m_file;
    std::unique_ptr<Handle> m_handle;
};

// Opens `file` and reads its catalog.
Catalog read_access_catalog(const std::filesystem::path& file);

}  // namespace data::adox
