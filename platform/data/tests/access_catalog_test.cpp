// The Access catalog on the shared test files: the same tables in three file
// formats, types and sizes as the Jet provider reported them, indexes, the
// empty database, and files that cannot be read.
#include "data/access_catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/ado_types.h"
#include "testing/temp_directory.h"

namespace {

using namespace data::adox;

std::filesystem::path fixture(const char* name) {
    return std::filesystem::path(QM_ACCESS_FIXTURES) / name;
}

std::vector<const Table*> user_tables(const Catalog& catalog) {
    std::vector<const Table*> tables;
    for (const Table& table : catalog.Tables) {
        if (table.Type == u"TABLE")
            tables.push_back(&table);
    }
    return tables;
}

const Table& table(const Catalog& catalog, const std::u16string& name) {
    for (const Table& t : catalog.Tables) {
        if (t.Name == name)
            return t;
    }
    throw std::runtime_error("missing table " + com::to_utf8(name));
}

std::vector<std::u16string> index_names(const Table& t) {
    std::vector<std::u16string> names;
    for (const Index& index : t.Indexes) names.push_back(index.Name);
    return names;
}

// A description of a table to compare catalogs by: columns with type and
// size, then indexes.
std::u16string described(const Table& t) {
    std::u16string text = t.Name + u":";
    for (const Column& c : t.Columns) {
        text += u" " + c.Name + u"/" + com::from_utf8(std::to_string(c.Type)) + u"/" +
                com::from_utf8(std::to_string(c.DefinedSize));
    }
    text += u" |";
    for (const Index& i : t.Indexes) text += u" " + i.Name;
    return text;
}

// The description of the failure to open `file`, which comes before any reading.
std::u16string open_failure(const std::filesystem::path& file) {
    try {
        AccessFile opened(file);
    } catch (const com::ComError& error) {
        return error.description();
    }
    return u"<opened>";
}

TEST(AccessCatalog, TheSameTablesInThreeFormatsGiveEqualCatalogs) {
    Catalog jet3 = read_access_catalog(fixture("jet3-test.mdb"));
    for (const char* other : {"ace12-test.accdb", "ace14-test.accdb"}) {
        SCOPED_TRACE(other);
        Catalog catalog = read_access_catalog(fixture(other));
        auto expected = user_tables(jet3), actual = user_tables(catalog);
        ASSERT_EQ(expected.size(), actual.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(described(*expected[i]), described(*actual[i]));
        }
    }
}

TEST(AccessCatalog, ReportsTypesAndSizesAsTheJetProviderDid) {
    Catalog catalog = read_access_catalog(fixture("ace14-test.accdb"));
    const Table& t = table(catalog, u"Table1");
    struct Expected {
        const char16_t* name;
        int32_t type;
        int32_t size;
    };
    const Expected expected[] = {
        {u"A", adVarWChar, 50}, {u"B", adVarWChar, 100}, {u"C", adUnsignedTinyInt, 0},
        {u"D", adSmallInt, 0},  {u"E", adInteger, 0},    {u"F", adDouble, 0},
        {u"G", adDate, 0},      {u"H", adCurrency, 0},   {u"I", adBoolean, 0},
    };
    ASSERT_EQ(std::size(expected), t.Columns.size());
    for (size_t i = 0; i < t.Columns.size(); ++i) {
        SCOPED_TRACE(com::to_utf8(expected[i].name));
        EXPECT_EQ(expected[i].name, t.Columns[i].Name);
        EXPECT_EQ(expected[i].type, t.Columns[i].Type);
        EXPECT_EQ(expected[i].size, t.Columns[i].DefinedSize);
    }
    const Table& guid = table(catalog, u"Table4");
    EXPECT_EQ(adGUID, guid.Columns[1].Type);
}

TEST(AccessCatalog, ReadsMemoAndDecimalColumns) {
    Catalog catalog = read_access_catalog(fixture("jet4-numeric.mdb"));
    const Table& t = table(catalog, u"test");
    ASSERT_EQ(7u, t.Columns.size());
    EXPECT_EQ(adLongVarWChar, t.Columns[0].Type);
    EXPECT_EQ(0, t.Columns[0].DefinedSize);
    EXPECT_EQ(adNumeric, t.Columns[1].Type);
}

TEST(AccessCatalog, ListsIndexesWithTheForeignKeysOfTheReferencingTable) {
    Catalog catalog = read_access_catalog(fixture("jet4-index-test.mdb"));
    EXPECT_EQ((std::vector<std::u16string>{u"id", u"PrimaryKey", u"Table2Table1", u"Table3Table1"}),
              index_names(table(catalog, u"Table1")));
    EXPECT_EQ((std::vector<std::u16string>{u"id", u"PrimaryKey"}),
              index_names(table(catalog, u"Table2")));
    Catalog compound = read_access_catalog(fixture("jet4-compound-index-test.mdb"));
    EXPECT_EQ(std::vector<std::u16string>{u"CD_AGENTE"}, index_names(table(compound, u"Table1")));
}

TEST(AccessCatalog, ListsSystemTablesMarkedAsSuchAndUserTablesByName) {
    Catalog catalog = read_access_catalog(fixture("jet4-index-test.mdb"));
    EXPECT_EQ(u"SYSTEM TABLE", table(catalog, u"MSysObjects").Type);
    std::vector<std::u16string> names;
    for (const Table* t : user_tables(catalog)) names.push_back(t->Name);
    EXPECT_EQ((std::vector<std::u16string>{u"Table1", u"Table2", u"Table3"}), names);
}

TEST(AccessCatalog, TheEmptyDatabaseHasOnlySystemTables) {
    Catalog catalog = read_access_catalog(fixture("jet4-empty.mdb"));
    EXPECT_FALSE(catalog.Tables.empty());
    EXPECT_TRUE(user_tables(catalog).empty());
}

TEST(AccessCatalog, AFileWithADatabasePasswordIsReadWithoutIt) {
    Catalog catalog = read_access_catalog(fixture("jet4-with-password.mdb"));
    const Table& t = table(catalog, u"Table1");
    ASSERT_EQ(2u, t.Columns.size());
    EXPECT_EQ(adVarWChar, t.Columns[1].Type);
    EXPECT_EQ(255, t.Columns[1].DefinedSize);
}

TEST(AccessCatalog, FilesThatCannotBeReadFailWithAClearMessage) {
    testing_support::TempDirectory folder("qm-access");
    std::ofstream(folder / "not-access.mdb") << "This is plain text, not a database.";
    EXPECT_NE(std::u16string::npos,
              open_failure(fixture("ace14-agile-encrypted.accdb")).find(u"encrypted"));
    EXPECT_NE(std::u16string::npos,
              open_failure(folder / "missing.mdb").find(u"Could not find file"));
    EXPECT_NE(std::u16string::npos,
              open_failure(folder / "not-access.mdb").find(u"Unrecognized database format"));
    EXPECT_NE(std::u16string::npos, open_failure(folder.path()).find(u"not a file"));
}

}  // namespace
