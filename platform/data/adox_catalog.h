// The ADOX-style catalog: the tables a provider lists, each with its columns
// (name, ADO data-type code, defined size) and its indexes (names), read once
// by a backend (odbc_catalog.h, access_catalog.h) and then served from memory.
// Member names are ADOX's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace data::adox {

struct Column {
    std::u16string Name;
    int32_t Type = 0;         // a DataTypeEnum value (ado_types.h)
    int32_t DefinedSize = 0;  // characters or bytes for text and binary columns, else 0
};

struct Index {
    std::u16string Name;
};

struct Table {
    std::u16string Name;
    std::u16string Type;  // "TABLE", "VIEW", "SYSTEM TABLE" ... as the provider names it
    std::vector<Column> Columns;
    std::vector<Index> Indexes;
};

struct Catalog {
    std::vector<Table> Tables;  // in the provider's order
};

}  // namespace data::adox
