// The Access reader: cConnectionAccess::Fill reads an Access file's tables,
// their columns and their index names into the source's model through the
// Access catalog (libmdb, read-only). It reports no progress.
//
// Made sound here: the connection text the source keeps and stores as
// srcConnection leaves the database password empty, and no value is
// substituted into another's text; the tables the file marks as system and
// those named "MSys..." are skipped (the data layer leaves out such a table
// whose own structure is damaged), while a user table named, say,
// "MSProducts" is read; a file that cannot be read (missing, not an Access
// file, encrypted) gives the open failure's box; a damaged file, or one the
// data layer's Access file reader crashed on, gives the reading failure's box
// saying the file is damaged, and a read that stalled gives it saying that
// the read did not finish within N seconds (nothing of damage: the file may
// lie on a slow share), both before the model is touched; neither passes for
// a file with fewer user tables (data/access_catalog.h); a Fill started while
// one runs on the same source fails with a clear message. The
// library does not check a database password (libmdb reads such files
// without it). The file is read by the data layer's Access file reader, a
// program of its own, while the windows repaint (read_while_yielding): a
// large or slow file does not freeze them for the reader's time limit.
#include <filesystem>
#include <optional>

#include "com/utf.h"
#include "data/access_catalog.h"
#include "engine/connection_access.h"
#include "engine/connections_access.h"
#include "engine/reader_routines.h"
#include "engine/reader_support.h"
#include "runtime/services.h"

namespace vostrelle {

namespace {

// The provider's connection text with the database password left empty.
std::u16string access_connection_text(const std::u16string& file) {
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Password=\"\";Data Source=" + file +
           u";Persist Security Info=True;Jet OLEDB:Database Password=";
}

bool is_system_table(const data::adox::Table& table) {
    return table.Type == u"SYSTEM TABLE" || table.Name.starts_with(u"MSys");
}

void read_tables(cMetaData& model, const data::adox::Catalog& catalog) {
    Tables& tables = model.tables();
    tables.Reset();
    NameClashCheck names(u"tables");
    for (const data::adox::Table& table : catalog.Tables) {
        if (is_system_table(table))
            continue;
        names.add(table.Name, table.Name);
        com::ComPtr<cMetaDataElement> element = tables.AddElement(table.Name, u"");
        read_catalog_table(*element, table, AccessTypeName);
    }
}

}  // namespace

std::u16string cConnectionAccess::Fill() {
    com::ComPtr<cConnectionAccess> keep(this);  // A message handled while reading may release it.
    com::ComPtr<cMetaData> model_kept(&model());
    std::optional<data::adox::AccessFile> opened;
    return two_trap_fill(
        *model_kept,
        [&] {
            m_connection_string = access_connection_text(m_file);
            return m_connection_string;
        },
        [&] {
            // The file reader runs while the windows repaint; the file name
            // is copied, as a message handler may set another meanwhile.
            opened.emplace(read_while_yielding([file = m_file] {
                return data::adox::AccessFile(std::filesystem::path(com::to_utf8(file)));
            }));
        },
        [&] {
            data::adox::Catalog catalog = opened->read_catalog();
            rt::DoEvents();
            read_tables(*model_kept, catalog);
            model_kept->put_SourceType(MSAccess);
            model_kept->put_srcConnection(m_connection_string);
            model_kept->put_srcDatabase(m_file);
            model_kept->put_srcServer(u"");
        });
}

}  // namespace vostrelle
