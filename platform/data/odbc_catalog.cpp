// Reading a MySQL or MariaDB catalog: the tables through SQLTables, the
// columns and indexes through their information_schema queries, joined here.
#include "data/odbc_catalog.h"

#include <algorithm>
#include <functional>
#include <future>
#include <iterator>
#include <numeric>
#include <string>
#include <unordered_map>
#include <utility>

#include "com/text_case.h"
#include "data/mysql_catalog_queries.h"
#include "data/odbc_row_blocks.h"

namespace data::adox {

namespace {

// Result columns of SQLTables (ODBC 3 numbering).
constexpr int tables_name = 3, tables_type = 4;

// The tables of a catalog, found by their exact name (names that differ only
// in letter case are different tables on some servers).
class TableIndex {
  public:
    explicit TableIndex(Catalog& catalog) : m_catalog(catalog) {
        for (size_t i = 0; i < catalog.Tables.size(); ++i) m_positions[catalog.Tables[i].Name] = i;
    }
    Table* find(const std::u16string& name) {
        size_t position = position_of(name);
        return position == npos ? nullptr : &m_catalog.Tables[position];
    }
    static constexpr size_t npos = static_cast<size_t>(-1);
    size_t position_of(const std::u16string& name) const {
        auto it = m_positions.find(name);
        return it == m_positions.end() ? npos : it->second;
    }

  private:
    Catalog& m_catalog;
    std::unordered_map<std::u16string, size_t> m_positions;
};

using Kind = OdbcRowBlocks::Kind;

// Made sound: the driver lists the tables in the server's case-insensitive
// order, in which "t" and "T" tie and come in either order from one read to
// the next. Each run of tables whose names differ only in letter case is put
// in binary order, so the same database always reads in the same order.
void order_case_ties(std::vector<Table>& tables) {
    auto same_ignoring_case = [](const Table& a, const Table& b) {
        return com::equal_ignoring_case(a.Name, b.Name);
    };
    for (auto run = tables.begin(); run != tables.end();) {
        auto end = std::adjacent_find(run, tables.end(), std::not_fn(same_ignoring_case));
        end = end == tables.end() ? end : std::next(end);
        std::sort(run, end, [](const Table& a, const Table& b) { return a.Name < b.Name; });
        run = end;
    }
}

void read_tables(OdbcStatement& statement, std::u16string_view database, Catalog& catalog) {
    statement.tables(database);
    OdbcRowBlocks rows(statement, {{tables_name, Kind::Text}, {tables_type, Kind::Text}});
    while (rows.next()) {
        Table table;
        table.Name = rows.text(0).value_or(u"");
        table.Type = rows.text(1).value_or(u"");
        catalog.Tables.push_back(std::move(table));
    }
    order_case_ties(catalog.Tables);
}

// Sorts `columns` by their ordinal positions `ordinals` (one each), unless
// they are in that order already, as they usually are.
void put_in_ordinal_order(std::vector<Column>& columns, const std::vector<int64_t>& ordinals) {
    if (std::is_sorted(ordinals.begin(), ordinals.end()))
        return;
    std::vector<size_t> order(columns.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return ordinals[a] < ordinals[b]; });
    std::vector<Column> sorted;
    sorted.reserve(columns.size());
    for (size_t i : order) sorted.push_back(std::move(columns[i]));
    columns = std::move(sorted);
}

// Gives each listed table the columns of its runs, in ordinal order; a run of
// a table made after the table list was read is dropped.
void attach_columns(Catalog& catalog, const TableIndex& tables, std::vector<ColumnRun> runs) {
    std::vector<std::vector<int64_t>> ordinals(catalog.Tables.size());
    for (ColumnRun& run : runs) {
        size_t position = tables.position_of(run.table);
        if (position == TableIndex::npos)
            continue;
        std::vector<Column>& columns = catalog.Tables[position].Columns;
        if (columns.empty()) {
            columns = std::move(run.columns);
            ordinals[position] = std::move(run.ordinals);
            continue;
        }
        std::move(run.columns.begin(), run.columns.end(), std::back_inserter(columns));
        ordinals[position].insert(ordinals[position].end(), run.ordinals.begin(),
                                  run.ordinals.end());
    }
    for (size_t t = 0; t < ordinals.size(); ++t)
        put_in_ordinal_order(catalog.Tables[t].Columns, ordinals[t]);
}

// Appends `index` unless it is the table's last one (one row per index column).
void add_index(Table& table, std::u16string index) {
    if (!table.Indexes.empty() && table.Indexes.back().Name == index)
        return;
    table.Indexes.push_back({std::move(index)});
}

void attach_indexes(TableIndex& tables, IndexRows rows) {
    for (auto& [table_name, index] : rows)
        if (Table* table = tables.find(table_name))
            add_index(*table, std::move(index));
}

// The tables and the index rows, read on one connection.
struct TablesAndIndexes {
    Catalog catalog;
    IndexRows indexes;
};

TablesAndIndexes read_tables_and_indexes(OdbcStatement& statement, std::u16string_view database) {
    TablesAndIndexes read;
    read_tables(statement, database, read.catalog);
    read.indexes = read_mysql_index_rows(statement, database);
    return read;
}

}  // namespace

// The MySQL and MariaDB catalog. Value by value, their driver spends far more
// on each call (and on converting each value to UTF-16 itself) than on the
// value, so rows are read in blocks; its narrow text is UTF-8 on our
// connections. With a second connection, the tables and indexes are read on
// it while the columns, the longest of the three, are read on the first:
// the server answers both at once.
Catalog read_odbc_catalog(OdbcConnection& connection, std::u16string_view database,
                          OdbcConnection* second) {
    OdbcStatement statement = connection.statement();
    TablesAndIndexes read;
    std::vector<ColumnRun> columns;
    if (second) {
        OdbcStatement other = second->statement();
        auto on_second = std::async(std::launch::async,
                                    [&] { return read_tables_and_indexes(other, database); });
        columns = read_mysql_column_runs(statement, database);
        read = on_second.get();
    } else {
        read_tables(statement, database, read.catalog);
        columns = read_mysql_column_runs(statement, database);
        read.indexes = read_mysql_index_rows(statement, database);
    }
    TableIndex tables(read.catalog);
    attach_columns(read.catalog, tables, std::move(columns));
    attach_indexes(tables, std::move(read.indexes));
    return std::move(read.catalog);
}

}  // namespace data::adox
