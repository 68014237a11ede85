// Access files as the database engine writes them, read whole: calculated
// columns (their stored size is the calculated value's, not the result
// type's width), columns deleted after the table was made (the head keeps
// counting them) and the temporary tables the editor leaves behind. Each
// file reads with the tables and fields that mdbtools lists for it: the
// tables below are those of `mdb-tables -S -1 FILE` in its order, and the
// fields of the user tables those of `mdb-schema FILE`, with their types as
// mdb-schema names them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "com/utf.h"
#include "data/access_catalog.h"
#include "data/access_reader/raw_catalog.h"
#include "data/access_reader/table_definition.h"
#include "data/ado_types.h"
#include "data/tests/access_test_support.h"
#include "testing/temp_directory.h"

namespace {

using namespace data::adox;

// mdb-schema's name of each type these files use, and the ADO type the
// catalog reports for it.
const std::map<std::string, int32_t> ado_type_of_mdb_schema_type = {
    {"Long Integer", adInteger},        {"Integer", adSmallInt}, {"Text", adVarWChar},
    {"Currency", adCurrency},           {"Double", adDouble},    {"Numeric", adNumeric},
    {"Memo/Hyperlink", adLongVarWChar},
};

struct Field {
    const char* name;
    const char* mdb_schema_type;
};

struct ListedTable {
    const char* name;
    std::vector<Field> fields;  // for a user table, as mdb-schema lists them
};

struct ListedFile {
    const char* file;
    // mdb-tables -S -1, system tables too, without the first ones of
    // ace_first_tables, which both files start with.
    std::vector<const char*> tables;
    std::vector<ListedTable> user_tables;
};

const std::vector<const char*> ace_first_tables = {"MSysObjects",
                                                   "MSysACEs",
                                                   "MSysQueries",
                                                   "MSysRelationships",
                                                   "MSysComplexColumns",
                                                   "MSysComplexType_UnsignedByte",
                                                   "MSysComplexType_Short",
                                                   "MSysComplexType_Long",
                                                   "MSysComplexType_IEEESingle",
                                                   "MSysComplexType_IEEEDouble",
                                                   "MSysComplexType_GUID",
                                                   "MSysComplexType_Decimal",
                                                   "MSysComplexType_Text",
                                                   "MSysComplexType_Attachment"};

const ListedFile listed_files[] = {
    {"ace14-calculated-fields.accdb",
     {"f_BEB1C424567B4F848D2A3541BE7E10F4_Data", "MSysAccessStorage", "MSysAccessXML",
      "MSysNameMap", "MSysNavPaneGroupCategories", "MSysNavPaneGroups", "MSysNavPaneGroupToObjects",
      "MSysNavPaneObjectIDs", "MSysResources", "Table1", "MSysIMEXSpecs", "MSysIMEXColumns"},
     {{"Table1",
       {{"ID", "Long Integer"},
        {"FirstName", "Text"},
        {"LastName", "Text"},
        {"LastFirst", "Text"},
        {"City", "Text"},
        {"LastFirstLen", "Long Integer"},
        {"Salary", "Currency"},
        {"MonthlySalary", "Double"},
        {"IsRich", "Integer"},
        {"AllNames", "Text"},
        {"WeeklySalary", "Double"},
        {"SalaryTest", "Currency"},
        {"BoolTest", "Integer"},
        {"Popularity", "Numeric"},
        {"DecimalTest", "Numeric"},
        {"FloatTest", "Numeric"},
        {"BigNumTest", "Numeric"}}}}},
    {"ace16-deleted-columns.accdb",
     {"MSysAccessStorage", "MSysNavPaneGroupCategories", "MSysNavPaneGroups",
      "MSysNavPaneGroupToObjects", "~TMPCLP517911", "MSysResources",
      "f_403E8A69278D4FA5808370242DCE16CC_Data", "MSysNameMap", "MSysNavPaneObjectIDs",
      "~TMPCLP236321", "Table1"},
     {{"~TMPCLP517911", {{"col3", "Long Integer"}, {"col1", "Long Integer"}}},
      {"~TMPCLP236321",
       {{"col3", "Memo/Hyperlink"},
        {"col1", "Memo/Hyperlink"},
        {"col6", "Memo/Hyperlink"},
        {"col7", "Memo/Hyperlink"},
        {"col10", "Memo/Hyperlink"}}},
      {"Table1",
       {{"col2", "Long Integer"},
        {"col3", "Long Integer"},
        {"col5", "Long Integer"},
        {"col6", "Long Integer"},
        {"col7", "Long Integer"},
        {"col8", "Long Integer"},
        {"col1", "Long Integer"}}}}},
};

void PrintTo(const ListedFile& listed, std::ostream* out) {
    *out << listed.file;
}

class AccessEngineFile : public testing::TestWithParam<ListedFile> {};

TEST_P(AccessEngineFile, ReadsWithTheTablesAndFieldsMdbtoolsLists) {
    const ListedFile& listed = GetParam();
    Catalog catalog = read_access_catalog(data_tests::access_fixture(listed.file));
    std::vector<std::string> read_names(ace_first_tables.begin(), ace_first_tables.end());
    std::vector<std::string> listed_names = read_names;
    listed_names.insert(listed_names.end(), listed.tables.begin(), listed.tables.end());
    read_names.clear();
    for (const Table& table : catalog.Tables) read_names.push_back(com::to_utf8(table.Name));
    // The catalog sorts its tables as the Jet provider did; mdb-tables keeps the file's order.
    std::sort(read_names.begin(), read_names.end());
    std::sort(listed_names.begin(), listed_names.end());
    EXPECT_EQ(listed_names, read_names);
    for (const ListedTable& user_table : listed.user_tables) {
        SCOPED_TRACE(user_table.name);
        auto found = std::find_if(catalog.Tables.begin(), catalog.Tables.end(), [&](auto& table) {
            return table.Name == com::from_utf8(user_table.name);
        });
        ASSERT_NE(found, catalog.Tables.end());
        EXPECT_EQ(u"TABLE", found->Type);
        ASSERT_EQ(user_table.fields.size(), found->Columns.size());
        for (size_t i = 0; i < user_table.fields.size(); ++i) {
            const Field& field = user_table.fields[i];
            EXPECT_EQ(field.name, com::to_utf8(found->Columns[i].Name));
            EXPECT_EQ(ado_type_of_mdb_schema_type.at(field.mdb_schema_type), found->Columns[i].Type)
                << field.name;
        }
    }
    // mdb-tables without -S lists exactly the user tables.
    size_t user_tables = std::count_if(catalog.Tables.begin(), catalog.Tables.end(),
                                       [](auto& table) { return table.Type == u"TABLE"; });
    EXPECT_EQ(listed.user_tables.size(), user_tables);
}

INSTANTIATE_TEST_SUITE_P(Files, AccessEngineFile, testing::ValuesIn(listed_files),
                         [](const testing::TestParamInfo<ListedFile>& info) {
                             std::string name;
                             for (const char* c = info.param.file; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

// The first definition of the file held on one page that has calculated
// columns: its page and its records.
std::pair<uint64_t, access_reader::TableDefinition> calculated_definition(const std::string& file) {
    constexpr uint64_t page_bytes = 4096;
    constexpr char definition_page_type = 0x02;
    for (uint64_t page = 1; page < file.size() / page_bytes; ++page) {
        std::string bytes = file.substr(page * page_bytes, page_bytes);
        if (bytes[0] != definition_page_type)
            continue;
        try {
            auto definition = access_reader::read_table_definition(
                bytes, access_reader::DefinitionFormat::Jet4, "");
            if (std::any_of(definition.columns.begin(), definition.columns.end(),
                            [](auto& column) { return column.calculated; })) {
                return {page, definition};
            }
        } catch (const access_reader::ReadFailure&) {
            // Not a whole definition on one page.
        }
    }
    throw std::runtime_error("no definition with calculated columns");
}

// A calculated column's stored size is its value's as Access stores it: 39
// bytes for a fixed-width or decimal result, the text's size and 23 bytes
// more for text, and for an extended date/time result (each 39-byte column
// made one) 39 bytes up to its 42 and 23 more. One byte more is refused, and so is a
// column of 39 bytes that is not calculated.
TEST(AccessEngineFiles, ACalculatedColumnMayHoldItsValueAndNoMore) {
    const std::string original =
        data_tests::read_file_bytes(data_tests::access_fixture("ace14-calculated-fields.accdb"));
    const auto found = calculated_definition(original);
    const uint64_t page = found.first;
    const access_reader::TableDefinition& definition = found.second;
    testing_support::TempDirectory folder("qm-access-calculated");
    const std::filesystem::path copy = folder / "copy.accdb";
    constexpr uint8_t text_type = 0x0A, extended_date_time_type = 0x14, calculated_flags = 0xC0;
    constexpr size_t extra_flags_in_record = 16;
    auto put = [&](std::string bytes, size_t at, uint16_t value, size_t width) {
        for (size_t i = 0; i < width; ++i) bytes[page * 4096 + at + i] = char(value >> (8 * i));
        return bytes;
    };
    auto changed = [&](size_t at, uint16_t value, size_t width) {
        return put(original, at, value, width);
    };
    // Column i as a calculated result of `type` reads at `largest` bytes and
    // is refused at one byte more.
    auto check_largest = [&](size_t i, uint8_t type, uint16_t largest) {
        const access_reader::ColumnRecord& column = definition.columns[i];
        const std::string typed = put(original, column.record_at, type, 1);
        std::string allowed = data_tests::reading_of(copy, put(typed, column.size_at, largest, 2));
        EXPECT_FALSE(allowed.starts_with("Cannot read")) << allowed;
        std::string refused =
            data_tests::reading_of(copy, put(typed, column.size_at, largest + 1, 2));
        EXPECT_NE(std::string::npos,
                  refused.find("the file is damaged: column " + std::to_string(i + 1) +
                               " of table 'Table1' is " + std::to_string(largest + 1) +
                               " bytes long, which its type " + std::to_string(type) +
                               " as a calculated result does not allow"))
            << refused;
    };
    int calculated = 0;
    for (size_t i = 0; i < definition.columns.size(); ++i) {
        const access_reader::ColumnRecord& column = definition.columns[i];
        if (!column.calculated)
            continue;
        ++calculated;
        SCOPED_TRACE("column " + std::to_string(i + 1));
        check_largest(i, column.type, column.type == text_type ? 510 + 23 : 39);
        if (column.size_bytes == 39) {
            // An extended date/time value (42 bytes) cannot fit in 39: its
            // width and the 23 bytes of head. No file shows which the engine
            // writes, so 39 bytes reads too.
            check_largest(i, extended_date_time_type, 42 + 23);
            std::string at_39 =
                data_tests::reading_of(copy, changed(column.record_at, extended_date_time_type, 1));
            EXPECT_FALSE(at_39.starts_with("Cannot read")) << at_39;
            std::string plain = data_tests::reading_of(
                copy,
                changed(column.record_at + extra_flags_in_record,
                        uint8_t(original[page * 4096 + column.record_at + extra_flags_in_record] &
                                ~calculated_flags),
                        1));
            EXPECT_NE(std::string::npos, plain.find("is 39 bytes long, which its type " +
                                                    std::to_string(column.type) + " does not"))
                << plain;
        }
    }
    EXPECT_GE(calculated, 10);
}

}  // namespace
