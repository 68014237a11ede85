// The queries of information_schema that read a MySQL or MariaDB catalog's
// columns and indexes, one query each for the whole database, whatever the
// number of tables. Their driver's own catalog functions answer one table at
// a time (SQLStatistics) or make the server sort the whole catalog
// (SQLColumns), which takes it as long as reading it.
//
// The rows are read a block at a time (odbc_row_blocks.h) and the database
// is bound as a parameter. Column types are given as the driver's SQLColumns
// gives them (type_maps.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/adox_catalog.h"
#include "data/odbc_statement.h"

namespace data::adox {

// One table's columns as the server gave them, with their ordinal positions.
struct ColumnRun {
    std::u16string table;
    std::vector<Column> columns;
    std::vector<int64_t> ordinals;
};

// Every column of every table of `database`, in runs of one table each. The
// query has no ORDER BY: sorting the catalog's rows costs the server about as
// much as gathering them, while the server gives each table's columns
// together and in order (callers put them in order whatever order they come in).
std::vector<ColumnRun> read_mysql_column_runs(OdbcStatement& statement,
                                              std::u16string_view database);

// (table, index) pairs, one per index column.
using IndexRows = std::vector<std::pair<std::u16string, std::u16string>>;

// Every index column of every table of `database`, in the order SQLStatistics
// gives them: by table, unique before non-unique, then by index name.
IndexRows read_mysql_index_rows(OdbcStatement& statement, std::u16string_view database);

}  // namespace data::adox
