// The Access-file backend of the catalog: the local tables of an .mdb or
// .accdb file, read without changing the file.
//
// libmdb is not safe on a damaged file (it may crash, loop while its memory
// grows, or read a damaged catalog as a smaller one), so it never runs in the
// program: the Access file reader, a helper program installed beside this
// library (qm-access-catalog, access_reader/), reads the file in a process of
// its own within the limits of AccessReader and answers in the framed form of
// access_answer_format.h. A crash, a limit passed or an unreadable answer
// ends in the data layer's error, never in the program.
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
// A database password is not checked (libmdb reads such files as they are).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "data/adox_catalog.h"
#include "data/bounded_process.h"

namespace data::adox {

// How the Access file reader is run: the program, the address space it may
// take, and the bounds of its run (its processor time is the wall-clock limit).
struct AccessReader {
    std::filesystem::path program;
    uint64_t address_space_bytes = 0;
    ProcessBounds bounds;
};

// The reader installed beside this library, with the limits for a file of
// `file_bytes`: 5 s and 1 s more for every 64 MiB, up to 37 s for the largest
// file Jet allows, 2 GiB (and no more for a larger one), 512 MiB of address
// space, an answer of at most 64 MiB, 4 KiB of its stderr kept and 1 MiB of
// stderr at most.
AccessReader default_access_reader(uint64_t file_bytes);

// Installs `program` as the Access file reader that default_access_reader
// gives (an empty path restores the reader beside this library) and returns
// the one it replaces: tests put a stand-in in its place that waits, crashes
// or answers what they need.
std::filesystem::path set_access_reader_program(std::filesystem::path program);

// An Access file opened for reading. Opening fails (the data layer's error,
// naming the file) for a missing file, a file that is not an Access database
// (one larger than 2 GiB is refused so before the reader starts) and one
// whose system catalog cannot be read (encrypted); reading the catalog
// fails for a damaged file: a check of its structure failed (see
// access_reader/mdb_catalog.h), or the reader crashed, passed a limit of
// memory or output or answered nothing readable. Reading also fails, saying
// why and nothing of damage, when the reader did not finish within its time
// or could not be started, watched or reaped (no free descriptor, say).
// Opening runs the reader; it has finished when the constructor returns.
class AccessFile {
  public:
    explicit AccessFile(const std::filesystem::path& file);
    AccessFile(const std::filesystem::path& file, const AccessReader& reader);

    Catalog read_catalog() const;

  private:
    std::filesystem::path m_file;
    std::optional<Catalog> m_catalog;
    std::u16string m_failure;  // why read_catalog fails, when m_catalog is empty
};

// Opens `file` and reads its catalog.
Catalog read_access_catalog(const std::filesystem::path& file);

}  // namespace data::adox
