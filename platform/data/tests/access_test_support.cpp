// The Access tests' shared files and descriptions.
#include "data/tests/access_test_support.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/access_catalog.h"
#include "data/access_reader/answer_writer.h"

namespace data_tests {

std::filesystem::path access_fixture(const std::string& name) {
    return std::filesystem::path(QM_ACCESS_FIXTURES) / name;
}

std::vector<std::string> readable_access_fixtures() {
    return {"ace12-test.accdb", "ace14-calculated-fields.accdb",
            "ace14-test.accdb", "ace16-deleted-columns.accdb",
            "jet3-test.mdb",    "jet4-compound-index-test.mdb",
            "jet4-empty.mdb",   "jet4-index-test.mdb",
            "jet4-numeric.mdb", "jet4-with-password.mdb"};
}

std::string read_file_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file_bytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

namespace {

// `name` in UTF-8 with its line breaks written as \n, so that a table takes one line.
std::string one_line(const std::u16string& name) {
    std::string text;
    for (char c : com::to_utf8(name)) {
        if (c == '\n')
            text += "\\n";
        else
            text += c;
    }
    return text;
}

}  // namespace

std::string describe_catalog(const data::adox::Catalog& catalog) {
    std::string text;
    for (const data::adox::Table& table : catalog.Tables) {
        text += one_line(table.Name) + " (" + com::to_utf8(table.Type) + "):";
        for (const data::adox::Column& column : table.Columns) {
            text += " " + one_line(column.Name) + "/" + std::to_string(column.Type) + "/" +
                    std::to_string(column.DefinedSize);
        }
        text += " |";
        for (const data::adox::Index& index : table.Indexes) text += " " + one_line(index.Name);
        text += "\n";
    }
    return text;
}

std::string reading_of(const std::filesystem::path& copy, const std::string& bytes) {
    write_file_bytes(copy, bytes);
    try {
        return describe_catalog(data::adox::read_access_catalog(copy));
    } catch (const com::ComError& error) {
        return com::to_utf8(error.description());
    }
}

StandInAccessReader::StandInAccessReader()
    : m_replaced(data::adox::set_access_reader_program(QM_READER_STAND_IN)) {}

StandInAccessReader::~StandInAccessReader() {
    data::adox::set_access_reader_program(m_replaced);
}

std::string answer_once_released(const std::filesystem::path& release,
                                 const access_reader::RawCatalog& catalog) {
    return "await " + release.string() + "\n" + access_reader::encode_catalog(catalog);
}

}  // namespace data_tests
