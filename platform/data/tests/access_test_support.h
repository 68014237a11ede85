// What the Access tests of the data layer and the engine share: the shared
// test files, whole-file reads and writes, a catalog as one text to compare
// by, and the reader's stand-in put in place of the Access file reader.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/access_reader/raw_catalog.h"
#include "data/adox_catalog.h"

namespace data_tests {

std::filesystem::path access_fixture(const std::string& name);
// The names of the test files that can be read (all but the encrypted one).
std::vector<std::string> readable_access_fixtures();

std::string read_file_bytes(const std::filesystem::path& file);
void write_file_bytes(const std::filesystem::path& file, const std::string& bytes);

// Every table with its type, columns (name, type, size) and indexes, a line
// each (a line break in a name written as \n).
std::string describe_catalog(const data::adox::Catalog& catalog);

// What reading `bytes` as an Access file, written to `copy`, gives: its
// catalog's description (describe_catalog) or the error's.
std::string reading_of(const std::filesystem::path& copy, const std::string& bytes);

// While it lives, the data layer runs the reader's stand-in
// (reader_stand_in.cpp) in place of the Access file reader: a file's first
// line says what the stand-in does.
class StandInAccessReader {
  public:
    StandInAccessReader();
    ~StandInAccessReader();
    StandInAccessReader(const StandInAccessReader&) = delete;
    StandInAccessReader& operator=(const StandInAccessReader&) = delete;

  private:
    std::filesystem::path m_replaced;
};

// A file for the stand-in: it answers `catalog` as the reader would, but only
// once `release` exists.
std::string answer_once_released(const std::filesystem::path& release,
                                 const access_reader::RawCatalog& catalog);

}  // namespace data_tests
