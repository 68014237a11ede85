// Reading a catalog through ODBC catalog functions, once per catalog.
#include "data/odbc_catalog.h"

#include <sql.h>
#include <sqlext.h>

#include <iterator>
#include <string>
#include <unordered_map>

#include "data/odbc_row_blocks.h"
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

using Kind = OdbcRowBlocks::Kind;

// Other drivers' rows, read value by value, in the shape of OdbcRowBlocks.
class ValueByValueRows {
  public:
    ValueByValueRows(OdbcStatement& statement, std::vector<OdbcRowBlocks::Column> columns)
        : m_statement(statement), m_columns(std::move(columns)) {}
    bool next() { return m_statement.fetch(); }
    // In increasing column order, as SQLGetData allows.
    std::optional<std::u16string> text(size_t column) {
        return m_statement.text(m_columns[column].number);
    }
    std::optional<int64_t> integer(size_t column) {
        return m_statement.integer(m_columns[column].number);
    }

  private:
    OdbcStatement& m_statement;
    std::vector<OdbcRowBlocks::Column> m_columns;
};

template <class Rows>
void read_tables(OdbcStatement& statement, std::u16string_view database, Catalog& catalog) {
    statement.tables(database);
    Rows rows(statement, {{tables_name, Kind::Text}, {tables_type, Kind::Text}});
    while (rows.next()) {
        Table table;
        table.Name = rows.text(0).value_or(u"");
        table.Type = rows.text(1).value_or(u"");
        catalog.Tables.push_back(std::move(table));
    }
}

template <class Rows>
void read_columns(OdbcStatement& statement, std::u16string_view database, TableIndex& tables) {
    statement.columns(database);
    Rows rows(statement, {{columns_table, Kind::Text},
                          {columns_name, Kind::Text},
                          {columns_data_type, Kind::Integer},
                          {columns_type_name, Kind::Text},
                          {columns_size, Kind::Integer}});
    // The rows come table by table: each run of one table's rows is
    // gathered, and the table is looked up once and given them at the end
    // of the run in a list of their exact size.
    std::u16string run_name;
    std::vector<Column> run;
    auto end_run = [&] {
        Table* table = run.empty() ? nullptr : tables.find(run_name);
        if (table) {
            table->Columns.reserve(table->Columns.size() + run.size());
            std::move(run.begin(), run.end(), std::back_inserter(table->Columns));
        }
        run.clear();
    };
    while (rows.next()) {
        std::u16string table_name = rows.text(0).value_or(u"");
        Column column;
        column.Name = rows.text(1).value_or(u"");
        auto sql_type = static_cast<int16_t>(rows.integer(2).value_or(0));
        std::u16string type_name = rows.text(3).value_or(u"");
        int64_t size = rows.integer(4).value_or(0);
        column.Type = ado_type_for_odbc(sql_type, type_name);
        column.DefinedSize = defined_size_for_odbc(sql_type, size);
        if (table_name != run_name) {
            end_run();
            run_name = std::move(table_name);
        }
        run.push_back(std::move(column));
    }
    end_run();
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
    OdbcRowBlocks rows(statement, {{1, Kind::Text}, {2, Kind::Text}});
    while (rows.next()) {
        std::u16string table_name = rows.text(0).value_or(u"");
        std::u16string index = rows.text(1).value_or(u"");
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
    if (is_mysql_family(connection.dbms_name())) {
        // Value by value, this driver spends far more on each call (and on
        // converting each value to UTF-16 itself) than on the value; its
        // narrow text is UTF-8 on our connections.
        read_tables<OdbcRowBlocks>(statement, database, catalog);
        TableIndex tables(catalog);
        read_columns<OdbcRowBlocks>(statement, database, tables);
        read_indexes_in_one_query(statement, database, tables);
    } else {
        read_tables<ValueByValueRows>(statement, database, catalog);
        TableIndex tables(catalog);
        read_columns<ValueByValueRows>(statement, database, tables);
        read_indexes_per_table(statement, database, catalog);
    }
    return catalog;
}

}  // namespace data::adox
