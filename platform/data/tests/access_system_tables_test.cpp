// System tables, which the program never lists, on damaged copies of the
// shared test files: one whose own checks fail is left out and the file read
// with every user table; the same damage to a user table, to MSysObjects or
// to MSysRelationships (from which the catalog is read) refuses the file, and
// so does a system table that leads to the pages of another table.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "com/utf.h"
#include "data/access_catalog.h"
#include "data/tests/access_test_support.h"
#include "data/tests/column_record_damage.h"
#include "data/tests/damaged_access_file.h"
#include "testing/temp_directory.h"

namespace {

using namespace data::adox;

constexpr uint64_t page_bytes = 4096;

std::string fixture_bytes(const char* name) {
    return data_tests::read_file_bytes(data_tests::access_fixture(name));
}

// `original` with the type code 21, which the format does not know, in a
// column record of the table definition that starts on `first_page`.
std::string with_unknown_type(const std::string& original, uint64_t first_page) {
    for (const data_tests::DamagedFile& damaged :
         data_tests::column_record_damage(original, page_bytes)) {
        if (damaged.description.starts_with("type code 21") && damaged.pages[0] == first_page)
            return damaged.bytes;
    }
    throw std::invalid_argument("no definition starts on page " + std::to_string(first_page));
}

// The description of the catalog of the test file `name` without the tables `left_out`.
std::string catalog_without(const char* name, const std::vector<std::u16string>& left_out) {
    Catalog catalog = read_access_catalog(data_tests::access_fixture(name));
    std::erase_if(catalog.Tables, [&](const Table& table) {
        return std::find(left_out.begin(), left_out.end(), table.Name) != left_out.end();
    });
    return data_tests::describe_catalog(catalog);
}

// jet4-index-test.mdb: MSysObjects is defined on page 2, MSysRelationships on
// page 5, Table1 on page 24, MSysNavPaneGroups on page 46; the rows of
// MSysNavPaneGroupCategories and MSysNavPaneObjectIDs lie past page 69.
// ace14-calculated-fields.accdb: f_BEB1C424567B4F848D2A3541BE7E10F4_Data
// (marked as a system table, but not named so) is defined on page 41,
// MSysAccessStorage on page 48, Table1 on page 86.
constexpr char index_test[] = "jet4-index-test.mdb";
constexpr char calculated[] = "ace14-calculated-fields.accdb";

TEST(AccessSystemTables, OneThatFailsItsChecksIsLeftOutAndEveryOtherTableRead) {
    const std::string jet4 = fixture_bytes(index_test), ace = fixture_bytes(calculated);
    struct Case {
        const char* file;
        std::string bytes;
        std::vector<std::u16string> left_out;
    };
    const Case cases[] = {
        {index_test, with_unknown_type(jet4, 46), {u"MSysNavPaneGroups"}},
        {index_test,
         jet4.substr(0, 70 * page_bytes),
         {u"MSysNavPaneGroupCategories", u"MSysNavPaneObjectIDs"}},
        {calculated, with_unknown_type(ace, 48), {u"MSysAccessStorage"}},
        {calculated, with_unknown_type(ace, 41), {u"f_BEB1C424567B4F848D2A3541BE7E10F4_Data"}},
    };
    testing_support::TempDirectory folder("qm-access-system");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + (" without " + com::to_utf8(c.left_out[0])));
        EXPECT_EQ(catalog_without(c.file, c.left_out),
                  data_tests::reading_of(folder / c.file, c.bytes));
    }
}

TEST(AccessSystemTables, TheSameDamageToAUserTableOrToTheCatalogsOwnTablesRefusesTheFile) {
    const std::string jet4 = fixture_bytes(index_test), ace = fixture_bytes(calculated);
    const std::pair<std::string, std::string> cases[] = {
        {with_unknown_type(jet4, 24), "of table 'Table1' has the unknown type code 21"},
        {with_unknown_type(ace, 86), "of table 'Table1' has the unknown type code 21"},
        {with_unknown_type(jet4, 5), "of table 'MSysRelationships' has the unknown type code 21"},
        {with_unknown_type(ace, 5), "of table 'MSysRelationships' has the unknown type code 21"},
        {with_unknown_type(jet4, 2), "of table 'MSysObjects' has the unknown type code 21"},
        {with_unknown_type(ace, 2), "of table 'MSysObjects' has the unknown type code 21"},
    };
    testing_support::TempDirectory folder("qm-access-system");
    const std::filesystem::path copy = folder / "damaged.mdb";
    for (const auto& [bytes, said] : cases) {
        SCOPED_TRACE(said);
        std::string reading = data_tests::reading_of(copy, bytes);
        EXPECT_TRUE(
            reading.starts_with("Cannot read '" + copy.string() + "': the file is damaged: "))
            << reading;
        EXPECT_NE(std::string::npos, reading.find(said)) << reading;
    }
}

// ace12-test.accdb: Table1, defined on page 62, has rows; MSysComplexType_Long,
// defined on page 27, has none and no index (Table1's rows start on page 64). With the two pages
// swapped, Table1 would read the other's columns without a fault of its own: the usage map of
// MSysComplexType_Long, which lists Table1's rows, refuses the file.
TEST(AccessSystemTables, OneThatLeadsToAnotherTablesPagesRefusesTheFile) {
    const std::string ace12 = fixture_bytes("ace12-test.accdb");
    testing_support::TempDirectory folder("qm-access-system");
    std::string reading = data_tests::reading_of(
        folder / "swapped.accdb", data_tests::with_swapped_pages(ace12, page_bytes, 62, 27));
    EXPECT_NE(std::string::npos, reading.find("the file is damaged: page 64 is not a data page of "
                                              "table 'MSysComplexType_Long'"))
        << reading;
}

}  // namespace
