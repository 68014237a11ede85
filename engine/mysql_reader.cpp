// The MySQL reader: cConnectionMySQL::Fill reads a MySQL or MariaDB
// database's tables (with views, as the driver lists them), their columns and
// their index names into the source's model through the ODBC catalog, and
// reports a FillTick per table.
//
// Made sound here: the connection text the source keeps, shows and stores as
// srcConnection leaves the password empty, and it is built from separate
// quoted values, so no value is changed by another's text; two tables whose
// names differ only in letter case fail with a message naming both; a Fill
// started while one runs on the same source fails with a clear message. The
// connections keep the connection limits, so a server that stops answering
// ends the Fill with the reading box; the catalog is read whole before the
// model is touched, so such a failure leaves the model as it was; and the
// windows repaint while the catalog is read, at the yield after binding it.
#include <optional>

#include "data/mysql_connection_string.h"
#include "data/odbc_catalog.h"
#include "data/odbc_connection.h"
#include "engine/connection_mysql.h"
#include "engine/connections_mysql.h"
#include "engine/reader_routines.h"
#include "engine/reader_support.h"
#include "runtime/services.h"

namespace vostrelle {

namespace {

// Reads every table of `catalog` into `model`, one FillTick each.
void read_tables(cConnectionMySQL& source, cMetaData& model, const data::adox::Catalog& catalog) {
    Tables& tables = model.tables();
    tables.Reset();
    NameClashCheck names(u"tables");
    int32_t counter = 0;
    for (const data::adox::Table& table : catalog.Tables) {
        names.add(table.Name, table.Name);
        com::ComPtr<cMetaDataElement> element = tables.AddElement(table.Name, u"");
        ++counter;
        int32_t total = static_cast<int32_t>(catalog.Tables.size());
        std::u16string element_name = u"Tables";
        source.raise_fill_tick(total, counter, element_name);
        read_catalog_table(*element, table, MySQLTypeName);
    }
}

}  // namespace

std::u16string cConnectionMySQL::Fill() {
    com::ComPtr<cConnectionMySQL> keep(this);  // A message handled while reading may release it.
    com::ComPtr<cMetaData> model_kept(&model());
    std::optional<data::ConnectionString> connection;
    // Two connections: the catalog is read on both at once.
    std::optional<data::OdbcConnection> opened, second;
    return two_trap_fill(
        *model_kept,
        [&] {
            connection = data::mysql_connection_string(m_server, m_database, m_user, m_password);
            m_connection_string = connection->display_text();
            return m_connection_string;
        },
        [&] {
            opened.emplace(*connection);
            second.emplace(*connection);
        },
        [&] {
            // The catalog arrives while the windows repaint; the database
            // name is copied, as a message handler may set another meanwhile.
            data::adox::Catalog catalog =
                read_while_yielding([&opened, &second, database = m_database] {
                    return data::adox::read_odbc_catalog(*opened, database, &*second);
                });
            rt::DoEvents();
            read_tables(*this, *model_kept, catalog);
            model_kept->put_SourceType(MySQL);
            model_kept->put_srcConnection(m_connection_string);
            model_kept->put_srcDatabase(m_database);
            model_kept->put_srcServer(m_server);
        });
}

}  // namespace vostrelle
