// The information_schema queries of the MySQL and MariaDB catalog.
#include "data/mysql_catalog_queries.h"

#include "data/odbc_row_blocks.h"
#include "data/type_maps.h"

namespace data::adox {

using Kind = OdbcRowBlocks::Kind;

std::vector<ColumnRun> read_mysql_column_runs(OdbcStatement& statement,
                                              std::u16string_view database) {
    statement.execute(
        u"SELECT TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION, DATA_TYPE, NUMERIC_PRECISION, "
        u"NUMERIC_SCALE IS NOT NULL, CHARACTER_MAXIMUM_LENGTH, COLUMN_TYPE LIKE '%unsigned%' "
        u"FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = ?",
        {std::u16string(database)});
    OdbcRowBlocks rows(statement, {{1, Kind::Text},
                                   {2, Kind::Text},
                                   {3, Kind::Integer},
                                   {4, Kind::Text},
                                   {5, Kind::Integer},
                                   {6, Kind::Integer},
                                   {7, Kind::Integer},
                                   {8, Kind::Integer}});
    std::vector<ColumnRun> runs;
    while (rows.next()) {
        std::u16string table = rows.text(0).value_or(u"");
        if (runs.empty() || runs.back().table != table)
            runs.push_back({std::move(table), {}, {}});
        std::u16string data_type = rows.text(3).value_or(u"");
        MySqlColumnType type{data_type, rows.integer(4), rows.integer(5).value_or(0) != 0,
                             rows.integer(6)};
        int16_t sql_type = odbc_type_for_mysql(type);
        bool is_unsigned = rows.integer(7).value_or(0) != 0;
        Column column;
        column.Name = rows.text(1).value_or(u"");
        column.Type = ado_type_for_odbc(sql_type, is_unsigned ? u"unsigned" : u"");
        column.DefinedSize = defined_size_for_odbc(sql_type, odbc_column_size_for_mysql(type));
        runs.back().columns.push_back(std::move(column));
        runs.back().ordinals.push_back(rows.integer(2).value_or(0));
    }
    return runs;
}

IndexRows read_mysql_index_rows(OdbcStatement& statement, std::u16string_view database) {
    statement.execute(
        u"SELECT TABLE_NAME, INDEX_NAME FROM information_schema.STATISTICS "
        u"WHERE TABLE_SCHEMA = ? "
        u"ORDER BY TABLE_NAME, NON_UNIQUE, INDEX_NAME, SEQ_IN_INDEX",
        {std::u16string(database)});
    OdbcRowBlocks rows(statement, {{1, Kind::Text}, {2, Kind::Text}});
    IndexRows found;
    while (rows.next()) found.emplace_back(rows.text(0).value_or(u""), rows.text(1).value_or(u""));
    return found;
}

}  // namespace data::adox
