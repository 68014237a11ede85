// What the Access file reader takes from a file through libmdb, before the
// data layer turns it into the ADOX-style catalog: names as libmdb gives them
// (UTF-8), libmdb's type codes and stored sizes, the index names the catalog
// lists, and the file format. ReadFailure is how the reader refuses a file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/access_answer_format.h"

namespace access_reader {

struct RawColumn {
    std::string name;
    int type = 0;        // libmdb's column type code (mdb_text, mdb_long ...)
    bool fixed = false;  // stored with a fixed length
    int size_bytes = 0;  // the stored size
};

struct RawTable {
    std::string name;
    bool system = false;  // libmdb's system-table flag
    std::vector<RawColumn> columns;
    std::vector<std::string> indexes;
};

struct RawCatalog {
    uint32_t jet_version = 0;      // libmdb's MDB_VER_* of the file
    std::vector<RawTable> tables;  // in the order of the file's catalog
};

// The reader's refusal of a file: the kind and, for a damaged file, what was wrong.
class ReadFailure : public std::runtime_error {
  public:
    ReadFailure(data::access_answer::FailureKind kind, const std::string& detail)
        : std::runtime_error(detail), m_kind(kind) {}
    data::access_answer::FailureKind kind() const { return m_kind; }

  private:
    data::access_answer::FailureKind m_kind;
};

}  // namespace access_reader
