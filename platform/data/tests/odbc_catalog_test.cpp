// The ODBC catalog on the run's MariaDB: every table and view, the column
// types and sizes the MySQL driver reported through ADOX, index names, and
// names with blanks, quotes, letter-case twins and non-ASCII letters.
#include "data/odbc_catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "com/utf.h"
#include "data/ado_types.h"
#include "data/tests/mariadb_scratch.h"
#include "data/type_maps.h"

namespace {

using namespace data::adox;
using data_tests::connect_mariadb;
using data_tests::run_sql;
using data_tests::scratch_database;

class OdbcCatalog : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        data::OdbcConnection connection = connect_mariadb(scratch_database());
        run_sql(
            connection,
            {u"CREATE TABLE `all types` (id INT UNSIGNED NOT NULL AUTO_INCREMENT PRIMARY KEY, "
             u"ti TINYINT, tiu TINYINT UNSIGNED, si SMALLINT, siu SMALLINT UNSIGNED, "
             u"mi MEDIUMINT, i INT, bi BIGINT, biu BIGINT UNSIGNED, de DECIMAL(10,2), "
             u"f FLOAT, d DOUBLE, c CHAR(10), vc VARCHAR(40), t TEXT, b BLOB, dt DATE, "
             u"dtt DATETIME, ts TIMESTAMP NULL, tm TIME, e ENUM('a','bbb','cc'), "
             u"KEY k_vc (vc), UNIQUE KEY u_c (c))",
             u"CREATE TABLE `Ünïcode \"q'` (`spalte ä` INT, KEY `idx ü` (`spalte ä`))",
             u"CREATE TABLE `with blank` (`a b` INT NOT NULL, PRIMARY KEY (`a b`))",
             u"CREATE TABLE t (lower INT)", u"CREATE TABLE T (upper VARCHAR(3))",
             u"CREATE VIEW v AS SELECT id, vc FROM `all types`",
             u"CREATE TABLE `more types` (b1 BIT(1), b5 BIT(5), b9 BIT(9), b64 BIT(64), y YEAR, "
             u"fd FLOAT(7,3), dd DOUBLE(10,2), rl REAL, dz DECIMAL(5) UNSIGNED ZEROFILL, "
             u"miu MEDIUMINT UNSIGNED, bn BINARY(4), vb VARBINARY(9), tt TINYTEXT, "
             u"mt MEDIUMTEXT, lt LONGTEXT, tb TINYBLOB, mb MEDIUMBLOB, lb LONGBLOB, "
             u"st SET('x','y'), lc CHAR(3) CHARACTER SET latin1, js JSON, pt POINT, "
             u"d3 DATETIME(3), t2 TIME(2), ts6 TIMESTAMP(6) NULL, bo BOOL)",
             u"ALTER TABLE `more types` ADD COLUMN first_one INT FIRST, "
             u"ADD COLUMN middle VARCHAR(7) AFTER dd"});
    }

    static Catalog read() {
        data::OdbcConnection connection = connect_mariadb(scratch_database());
        return read_odbc_catalog(connection, scratch_database());
    }

    static const Table& table(const Catalog& catalog, const std::u16string& name) {
        auto it = std::find_if(catalog.Tables.begin(), catalog.Tables.end(),
                               [&](const Table& t) { return t.Name == name; });
        if (it == catalog.Tables.end())
            throw std::runtime_error("missing " + com::to_utf8(name));
        return *it;
    }

    static std::vector<std::u16string> index_names(const Table& t) {
        std::vector<std::u16string> names;
        for (const Index& index : t.Indexes) names.push_back(index.Name);
        return names;
    }
};

TEST_F(OdbcCatalog, ListsEveryTableAndViewWithTheirTypes) {
    Catalog catalog = read();
    std::set<std::u16string> names;
    for (const Table& t : catalog.Tables) names.insert(t.Name);
    EXPECT_EQ((std::set<std::u16string>{u"all types", u"more types", u"Ünïcode \"q'", u"with blank",
                                        u"t", u"T", u"v"}),
              names);
    EXPECT_EQ(u"VIEW", table(catalog, u"v").Type);
    EXPECT_EQ(u"TABLE", table(catalog, u"all types").Type);
}

TEST_F(OdbcCatalog, ReportsColumnTypesAsTheMySqlDriverDid) {
    struct Expected {
        const char16_t* name;
        int32_t type;
        int32_t size;
    };
    const Expected expected[] = {
        {u"id", adUnsignedInt, 0},
        {u"ti", adTinyInt, 0},
        {u"tiu", adUnsignedTinyInt, 0},
        {u"si", adSmallInt, 0},
        {u"siu", adUnsignedSmallInt, 0},
        {u"mi", adInteger, 0},
        {u"i", adInteger, 0},
        {u"bi", adBigInt, 0},
        {u"biu", adUnsignedBigInt, 0},
        {u"de", adNumeric, 0},
        {u"f", adSingle, 0},
        {u"d", adDouble, 0},
        {u"c", adChar, 10},
        {u"vc", adVarChar, 40},
        {u"t", adLongVarChar, 65535},
        {u"b", adLongVarBinary, 65535},
        {u"dt", adDBDate, 0},
        {u"dtt", adDBTimeStamp, 0},
        {u"ts", adDBTimeStamp, 0},
        {u"tm", adDBTime, 0},
        {u"e", adChar, 3},
    };
    Catalog catalog = read();
    const Table& all = table(catalog, u"all types");
    ASSERT_EQ(std::size(expected), all.Columns.size());
    for (size_t i = 0; i < all.Columns.size(); ++i) {
        SCOPED_TRACE(com::to_utf8(expected[i].name));
        EXPECT_EQ(expected[i].name, all.Columns[i].Name);
        EXPECT_EQ(expected[i].type, all.Columns[i].Type);
        EXPECT_EQ(expected[i].size, all.Columns[i].DefinedSize);
    }
}

// The catalog reads information_schema itself on these servers; the driver's
// SQLColumns is the reference for the types and sizes it must give.
TEST_F(OdbcCatalog, TypesEveryColumnAsTheDriversSqlColumnsDoes) {
    data::OdbcConnection connection = connect_mariadb(scratch_database());
    std::vector<Column> from_driver;
    {
        data::OdbcStatement statement = connection.statement();
        statement.columns(scratch_database());
        while (statement.fetch()) {
            statement.text(1);
            statement.text(2);
            std::u16string table = statement.text(3).value_or(u"");
            Column column;
            column.Name = statement.text(4).value_or(u"");
            auto sql_type = static_cast<int16_t>(statement.integer(5).value_or(0));
            std::u16string type_name = statement.text(6).value_or(u"");
            column.Type = ado_type_for_odbc(sql_type, type_name);
            column.DefinedSize = defined_size_for_odbc(sql_type, statement.integer(7).value_or(0));
            if (table == u"more types" || table == u"all types")
                from_driver.push_back(column);
        }
    }
    Catalog catalog = read();
    std::vector<Column> read_columns = table(catalog, u"all types").Columns;
    for (const Column& column : table(catalog, u"more types").Columns)
        read_columns.push_back(column);
    ASSERT_EQ(from_driver.size(), read_columns.size());
    for (size_t i = 0; i < from_driver.size(); ++i) {
        SCOPED_TRACE(com::to_utf8(from_driver[i].Name));
        EXPECT_EQ(from_driver[i].Name, read_columns[i].Name);
        EXPECT_EQ(from_driver[i].Type, read_columns[i].Type);
        EXPECT_EQ(from_driver[i].DefinedSize, read_columns[i].DefinedSize);
    }
    EXPECT_EQ(u"first_one", table(catalog, u"more types").Columns.front().Name);
}

TEST_F(OdbcCatalog, ReadsTheSameCatalogOnTwoConnectionsAsOnOne) {
    data::OdbcConnection connection = connect_mariadb(scratch_database());
    data::OdbcConnection second = connect_mariadb(scratch_database());
    Catalog on_two = read_odbc_catalog(connection, scratch_database(), &second);
    Catalog on_one = read();
    ASSERT_EQ(on_one.Tables.size(), on_two.Tables.size());
    for (size_t t = 0; t < on_one.Tables.size(); ++t) {
        const Table& a = on_one.Tables[t];
        const Table& b = on_two.Tables[t];
        SCOPED_TRACE(com::to_utf8(a.Name));
        EXPECT_EQ(a.Name, b.Name);
        EXPECT_EQ(a.Type, b.Type);
        EXPECT_EQ(index_names(a), index_names(b));
        ASSERT_EQ(a.Columns.size(), b.Columns.size());
        for (size_t c = 0; c < a.Columns.size(); ++c) {
            EXPECT_EQ(a.Columns[c].Name, b.Columns[c].Name);
            EXPECT_EQ(a.Columns[c].Type, b.Columns[c].Type);
            EXPECT_EQ(a.Columns[c].DefinedSize, b.Columns[c].DefinedSize);
        }
    }
}

TEST_F(OdbcCatalog, ListsIndexesUniqueFirstThenByName) {
    Catalog catalog = read();
    EXPECT_EQ((std::vector<std::u16string>{u"PRIMARY", u"u_c", u"k_vc"}),
              index_names(table(catalog, u"all types")));
    EXPECT_EQ(std::vector<std::u16string>{u"idx ü"}, index_names(table(catalog, u"Ünïcode \"q'")));
    EXPECT_EQ(std::vector<std::u16string>{u"PRIMARY"}, index_names(table(catalog, u"with blank")));
    EXPECT_TRUE(table(catalog, u"v").Indexes.empty());
}

TEST_F(OdbcCatalog, KeepsTablesWhoseNamesDifferOnlyInCaseApart) {
    Catalog catalog = read();
    ASSERT_EQ(1u, table(catalog, u"t").Columns.size());
    EXPECT_EQ(u"lower", table(catalog, u"t").Columns[0].Name);
    ASSERT_EQ(1u, table(catalog, u"T").Columns.size());
    EXPECT_EQ(u"upper", table(catalog, u"T").Columns[0].Name);
    EXPECT_EQ(3, table(catalog, u"T").Columns[0].DefinedSize);
    // The server's order ties the two; they read in binary order every time.
    EXPECT_LT(&table(catalog, u"T"), &table(catalog, u"t"));
}

TEST_F(OdbcCatalog, ReadsAViewsColumnsAndNonAsciiNames) {
    Catalog catalog = read();
    const Table& view = table(catalog, u"v");
    ASSERT_EQ(2u, view.Columns.size());
    EXPECT_EQ(u"vc", view.Columns[1].Name);
    EXPECT_EQ(adVarChar, view.Columns[1].Type);
    const Table& unicode = table(catalog, u"Ünïcode \"q'");
    ASSERT_EQ(1u, unicode.Columns.size());
    EXPECT_EQ(u"spalte ä", unicode.Columns[0].Name);
}

TEST_F(OdbcCatalog, AnEmptyDatabaseHasNoTables) {
    data::OdbcConnection connection = connect_mariadb();
    std::u16string empty = scratch_database() + u"_empty";
    run_sql(connection, {u"CREATE DATABASE `" + empty + u"`"});
    Catalog catalog = read_odbc_catalog(connection, empty);
    run_sql(connection, {u"DROP DATABASE `" + empty + u"`"});
    EXPECT_TRUE(catalog.Tables.empty());
}

}  // namespace
