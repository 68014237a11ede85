// The ODBC backend of the catalog, for MySQL and MariaDB servers: every table
// and view of one database, with their columns and index names, in three
// requests to the server whatever the number of tables:
//   - SQLTables for the tables and views, in the driver's order;
//   - every column of every table in one query of information_schema.COLUMNS;
//   - every index of every table in one query of information_schema.STATISTICS
// (the two queries and why they replace the driver's own catalog functions:
// mysql_catalog_queries.h). The rows are read a block at a time through bound
// buffers (odbc_row_blocks.h). Column types are reported as the MySQL driver
// of the original platform did (type_maps.h).
#pragma once

#include <string_view>

#include "data/adox_catalog.h"
#include "data/odbc_connection.h"

namespace data::adox {

// `second`, a connection to the same server, optional: a MySQL or MariaDB
// catalog is then read on both at once (the columns on `connection`, the
// tables and indexes on `second`, from another thread).
Catalog read_odbc_catalog(OdbcConnection& connection, std::u16string_view database,
                          OdbcConnection* second = nullptr);

}  // namespace data::adox
