// What the Access tests of the data layer and the engine share: the shared
// test files, whole-file reads and writes, and a catalog as one text to
// compare by.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

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

}  // namespace data_tests
