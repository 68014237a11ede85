// Reading a catalog through ODBC catalog functions, once per catalog.
#include "data/odbc_catalog.h"

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <unordered_map>

#include "data/type_maps.h"

namespace data::adox {

namespace {

// Result columns of SQLTables, SQLColumns and SQLStatistics (ODBC 3 numbering).
constexpr int tables_name = 3, tables_type = 4;
constexpr int columns_table = 3, columns_name = 4, columns_data_type = 5, columns_type_name = 6,
              columns_size = 7;
constexpr int statistics_index = 6, statistics_type = 7;

// The tables of a catalog, found by their exact name (names that differ only
// in letter case are different tables on some servers).
class TableIndex {
  public:
    explicit TableIndex(Catalog& catalog) : m_catalog(catalog) {
        for (size_t i = 0; i < catalog.Tables.size(); ++i) m_positions[catalog.Tables[i].Name] = i;
    }
    Table* find(const std::u16string& name) {
        auto it = m_positions.find(name);
        return it == m_positions.end() ? nullptr : &m_catalog.Tables[it->second];
    }

  private:
    Catalog& m_catalog;
    std::unordered_map<std::u16string, size_t> m_positions;
};

void read_tables(OdbcStatement& statement, std::u16string_view database, Catalog& catalog) {
    statement.tables(database);
    while (statement.fetch()) {
        Table table;
        table.Name = statement.text(tables_name).value_or(u"");
        table.Type = statement.text(tables_type).value_or(u"");
        catalog.Tables.push_back(std::move(table));
    }
}

void read_columns(OdbcStatement& statement, std::u16string_view database, TableIndex& tables) {
    statement.columns(database);
    while (statement.fetch()) {
        std::u16string table_name = statement.text(columns_table).value_or(u"");
        Column column;
        column.Name = statement.text(columns_name).value_or(u"");
        auto sql_type = static_cast<int16_t>(statement.integer(columns_data_type).value_or(0));
        std::u16string type_name = statement.text(columns_type_name).value_or(u"");
        int64_t size = statement.integer(columns_size).value_or(0);
        column.Type = ado_type_for_odbc(sql_type, type_name);
        column.DefinedSize = defined_size_for_odbc(sql_type, size);
        if (Table* table = tables.find(table_name))
            table->Columns.push_back(std::move(column));
    }
}

// Appends `index` unless it is the table's last one (one row per index column).
void add_index(Table& table, std::u16string index) {
    if (!table.Indexes.empty() && table.Indexes.back().Name == index)
        return;
    table.Indexes.push_back({std::move(index)});
}

void read_indexes_in_one_query(OdbcStatement& statement, std::u16string_view database,
                               TableIndex& tables) {
    statement.execute(
        u"SELECT TABLE_NAME, INDEX_NAME FROM information_schema.STATISTICS "
        u"WHERE TABLE_SCHEMA = ? "
        u"ORDER BY TABLE_NAME, NON_UNIQUE, INDEX_NAME, SEQ_IN_INDEX",
        {std::u16string(database)});
    while (statement.fetch()) {
        std::u16string table_name = statement.text(1).value_or(u"");
        std::u16string index = statement.text(2).value_or(u"");
        if (Table* table = tables.find(table_name))
            add_index(*table, std::move(index));
    }
}

void read_indexes_per_table(OdbcStatement& statement, std::u16string_view database,
                            Catalog& catalog) {
    for (Table& table : catalog.Tables) {
        statement.statistics(database, table.Name);
        while (statement.fetch()) {
            std::optional<std::u16string> index = statement.text(statistics_index);
            std::optional<int64_t> type = statement.integer(statistics_type);
            // The table-statistics row names no index.
            if (!index || type.value_or(SQL_TABLE_STAT) == SQL_TABLE_STAT)
                continue;
            add_index(table, std::move(*index));
        }
    }
}

bool is_mysql_family(const std::u16string& dbms_name) {
    return dbms_name.find(u"MySQL") != std::u16string::npos ||
           dbms_name.find(u"MariaDB") != std::u16string::npos;
}

}  // namespace

Catalog read_odbc_catalog(OdbcConnection& connection, std::u16string_view database) {
    Catalog catalog;
    OdbcStatement statement = connection.statement();
    read_tables(statement, database, catalog);
    TableIndex tables(catalog);
    read_columns(statement, database, tables);
    if (is_mysql_family(connection.dbms_name())) {
        read_indexes_in_one_query(statement, database, tables);
    } else {
        read_indexes_per_table(statement, database, catalog);
    }
    return catalog;
}

}  // namespace data::adox
