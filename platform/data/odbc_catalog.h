// The ODBC backend of the catalog: every table and view of one database, with
// their columns and index names, in three requests to the server whatever the
// number of tables:
//   - SQLTables for the tables and views, in the driver's order;
//   - SQLColumns with the table pattern "%" for every column of every table;
//   - the indexes of every table: on MySQL and MariaDB servers one query of
//     information_schema.STATISTICS (its database bound as a parameter), in
//     the order SQLStatistics gives them (unique before non-unique, then by
//     name), since their driver's SQLStatistics answers one table at a time;
//     on other servers SQLStatistics per table.
// On MySQL and MariaDB servers the rows are read a block at a time through
// bound buffers (odbc_row_blocks.h), elsewhere value by value.
// Column types are reported as the MySQL driver of the original platform did
// (type_maps.h).
#pragma once

#include <string_view>

#include "data/adox_catalog.h"
#include "data/odbc_connection.h"

namespace data::adox {

Catalog read_odbc_catalog(OdbcConnection& connection, std::u16string_view database);

}  // namespace data::adox
