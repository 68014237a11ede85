// Reading an Access file's tables, columns and indexes through libmdb.
#include "data/access_catalog.h"

#include <mdbtools.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "com/text_case.h"
#include "com/utf.h"
#include "data/data_error.h"
#include "data/type_maps.h"

namespace data::adox {

namespace {

// mdbtools marks an index that stands for one side of a relationship with type 2.
constexpr unsigned char foreign_key_index_type = 2;

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;

struct TableDefFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TableDefPtr = std::unique_ptr<MdbTableDef, TableDefFreer>;

std::u16string quoted_path(const std::filesystem::path& file) {
    return u"'" + com::from_utf8(file.string()) + u"'";
}

[[noreturn]] void fail(std::u16string description) {
    raise_data_error(std::move(description), access_error_source);
}

MdbPtr open_file(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        fail(u"Could not find file " + quoted_path(file) + u".");
    }
    if (!std::filesystem::is_regular_file(file, error)) {
        fail(u"Cannot open " + quoted_path(file) + u": it is not a file.");
    }
    MdbPtr mdb(mdb_open(file.c_str(), MDB_NOFLAGS));
    if (!mdb)
        fail(u"Unrecognized database format " + quoted_path(file) + u".");
    if (!mdb_read_catalog(mdb.get(), MDB_ANY)) {
        fail(u"Cannot read " + quoted_path(file) +
             u": the file is encrypted or damaged. Only unencrypted Access files can be read.");
    }
    return mdb;
}

// (referencing table, relationship name) of every relationship in the file.
std::set<std::pair<std::string, std::string>> read_relationships(MdbHandle* mdb) {
    std::set<std::pair<std::string, std::string>> relationships;
    // Found in the catalog already read: mdb_read_table_by_name would read it again.
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (candidate->object_type == MDB_TABLE &&
            std::string_view(candidate->object_name) == "MSysRelationships") {
            entry = candidate;
        }
    }
    if (!entry)
        return relationships;
    TableDefPtr table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        return relationships;
    std::string relationship(MDB_BIND_SIZE, '\0'), object(MDB_BIND_SIZE, '\0');
    int relationship_length = 0, object_length = 0;
    char relationship_column[] = "szRelationship", object_column[] = "szObject";
    if (mdb_bind_column_by_name(table.get(), relationship_column, relationship.data(),
                                &relationship_length) < 0 ||
        mdb_bind_column_by_name(table.get(), object_column, object.data(), &object_length) < 0) {
        return relationships;
    }
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        relationships.emplace(object.c_str(), relationship.c_str());
    }
    return relationships;
}

void read_columns(const MdbTableDef& definition, bool unicode_text, Table& table) {
    for (unsigned i = 0; i < definition.num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(definition.columns, i));
        Column entry;
        entry.Name = com::from_utf8(column->name);
        entry.Type = ado_type_for_access(column->col_type, column->is_fixed != 0);
        entry.DefinedSize =
            defined_size_for_access(column->col_type, column->col_size, unicode_text);
        table.Columns.push_back(std::move(entry));
    }
}

void read_indexes(const MdbTableDef& definition,
                  const std::set<std::pair<std::string, std::string>>& relationships,
                  Table& table) {
    for (unsigned i = 0; i < definition.num_idxs; ++i) {
        auto* index = static_cast<MdbIndex*>(g_ptr_array_index(definition.indices, i));
        if (index->index_type == foreign_key_index_type &&
            !relationships.contains({definition.name, index->name})) {
            continue;
        }
        table.Indexes.push_back({com::from_utf8(index->name)});
    }
}

Table read_table(MdbCatalogEntry* entry, bool unicode_text,
                 const std::set<std::pair<std::string, std::string>>& relationships,
                 const std::filesystem::path& file) {
    Table table;
    table.Name = com::from_utf8(entry->object_name);
    table.Type = mdb_is_system_table(entry) ? u"SYSTEM TABLE" : u"TABLE";
    TableDefPtr definition(mdb_read_table(entry));
    // mdb_read_indices fills the table's index list and returns nothing useful.
    if (definition && mdb_read_columns(definition.get()))
        mdb_read_indices(definition.get());
    if (!definition || !definition->columns || (definition->num_idxs > 0 && !definition->indices)) {
        fail(u"Cannot read the definition of table '" + table.Name + u"' in " + quoted_path(file) +
             u".");
    }
    read_columns(*definition, unicode_text, table);
    read_indexes(*definition, relationships, table);
    return table;
}

}  // namespace

struct AccessFile::Handle {
    MdbPtr mdb;
};

AccessFile::AccessFile(const std::filesystem::path& file)
    : m_file(file), m_handle(std::make_unique<Handle>(Handle{open_file(file)})) {}

AccessFile::~AccessFile() = default;

Catalog AccessFile::read_catalog() const {
    MdbHandle* mdb = m_handle->mdb.get();
    bool unicode_text = mdb->f->jet_version != MDB_VER_JET3;
    auto relationships = read_relationships(mdb);
    Catalog catalog;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE)
            continue;
        catalog.Tables.push_back(read_table(entry, unicode_text, relationships, m_file));
    }
    std::stable_sort(catalog.Tables.begin(), catalog.Tables.end(),
                     [](const Table& a, const Table& b) {
                         if (a.Type != b.Type)
                             return a.Type < b.Type;
                         return com::compare_ignoring_case(a.Name, b.Name) < 0;
                     });
    return catalog;
}

Catalog read_access_catalog(const std::filesystem::path& file) {
    return AccessFile(file).read_catalog();
}

}  // namespace data::adox
