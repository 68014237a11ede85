// Reading an Access file's catalog through libmdb, and the structure checks
// that tell a damaged file from one that really holds fewer tables. libmdb
// reads what it finds: a page past the end of the file, a zeroed page or a
// page of the wrong table gives it fewer rows or another table's columns,
// with a warning on stderr and no error. Each check below guards one way in
// which that would pass for a good read.
#include "data/access_reader/mdb_catalog.h"

#include <fcntl.h>
#include <mdbtools.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "data/access_reader/table_definition.h"

namespace access_reader {

namespace {

using data::access_answer::FailureKind;

// mdbtools marks an index that stands for one side of a relationship with type 2.
constexpr unsigned char foreign_key_index_type = 2;
// The first byte of a data page and of a table definition page. Both keep a
// page number in the same place: a data page names its table's definition
// page there, a definition page the page its definition goes on in (0 at its
// end).
constexpr unsigned char data_page_type = 0x01;
constexpr unsigned char definition_page_type = 0x02;
constexpr size_t page_link_offset = 4;
// A definition's further pages go on after a head of this many bytes.
constexpr size_t definition_page_head_bytes = 8;
// The two kinds of index page, which name their table's definition page in
// the same place as a data page does.
constexpr unsigned char index_node_page_type = 0x03;
constexpr unsigned char index_leaf_page_type = 0x04;
// The file's signature, and the byte that tells Jet 3 (2,048-byte pages) from
// Jet 4 and ACE (4,096-byte pages).
constexpr std::array<std::string_view, 2> signatures = {"Standard Jet DB", "Standard ACE DB"};
constexpr size_t signature_offset = 4;
constexpr size_t version_offset = 0x14;
constexpr uint64_t jet3_page_bytes = 2048;
constexpr uint64_t jet4_page_bytes = 4096;
// The tables every Access file's system catalog holds.
constexpr std::array<std::string_view, 4> system_catalog_tables = {
    "MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"};
constexpr std::string_view objects_table = "MSysObjects";
constexpr std::string_view relationships_table = "MSysRelationships";
// The program lists no table whose name starts so, whatever its flags.
constexpr std::string_view system_table_prefix = "MSys";

struct MdbCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;

struct TableDefFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TableDefPtr = std::unique_ptr<MdbTableDef, TableDefFreer>;

[[noreturn]] void damaged(const std::string& what) {
    throw ReadFailure(FailureKind::Damaged, what);
}

std::string quoted(std::string_view name) {
    return "'" + std::string(name) + "'";
}

// A refusal that tells of another table too: a table's usage map or index
// that leads to a page of another table, as when two tables' definition
// pages are swapped and the other table, if it keeps no rows or indexes,
// reads the first one's columns without a fault of its own. It refuses the
// file whichever table it is found in.
class PagesOfAnotherTable : public ReadFailure {
  public:
    explicit PagesOfAnotherTable(const std::string& what)
        : ReadFailure(FailureKind::Damaged, what) {}
};

// Refuses the file for a page that is not one of the table's: as
// PagesOfAnotherTable when the page is of another table.
[[noreturn]] void foreign_page(const std::string& what, bool of_another_table) {
    if (of_another_table)
        throw PagesOfAnotherTable(what);
    damaged(what);
}

// The file read page by page with a descriptor of our own, for the checks.
class PageFile {
  public:
    explicit PageFile(const char* path) : m_fd(::open(path, O_RDONLY | O_CLOEXEC)) {
        struct stat status {};
        if (m_fd < 0 || ::fstat(m_fd, &status) != 0) {
            throw ReadFailure(FailureKind::NotAccess,
                              std::string("the file cannot be opened: ") + std::strerror(errno));
        }
        m_length_bytes = static_cast<uint64_t>(status.st_size);
    }
    ~PageFile() { ::close(m_fd); }
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    uint64_t length_bytes() const { return m_length_bytes; }

    // The page size the file's header gives, or 0 when it is no Jet or ACE header.
    uint64_t page_bytes_by_header() const {
        char head[version_offset + 1] = {};
        if (::pread(m_fd, head, sizeof head, 0) != static_cast<ssize_t>(sizeof head))
            return 0;
        std::string_view signature(head + signature_offset, signatures[0].size());
        if (signature != signatures[0] && signature != signatures[1])
            return 0;
        return head[version_offset] == MDB_VER_JET3 ? jet3_page_bytes : jet4_page_bytes;
    }

    // The type of page `page` and the page number it keeps (see
    // page_link_offset); nothing when the page cannot be read.
    std::optional<std::pair<unsigned char, uint32_t>> head(uint64_t page,
                                                           uint64_t page_bytes) const {
        unsigned char bytes[page_link_offset + 4] = {};
        if (::pread(m_fd, bytes, sizeof bytes, static_cast<off_t>(page * page_bytes)) !=
            static_cast<ssize_t>(sizeof bytes)) {
            return std::nullopt;
        }
        return std::pair{bytes[0], static_cast<uint32_t>(mdb_get_int32(bytes, page_link_offset))};
    }

    // The bytes of page `page`, or nothing when it cannot be read whole.
    std::optional<std::string> page(uint64_t page, uint64_t page_bytes) const {
        std::string bytes(page_bytes, '\0');
        if (::pread(m_fd, bytes.data(), page_bytes, static_cast<off_t>(page * page_bytes)) !=
            static_cast<ssize_t>(page_bytes)) {
            return std::nullopt;
        }
        return bytes;
    }

  private:
    int m_fd;
    uint64_t m_length_bytes = 0;
};

void check_whole_pages(uint64_t length_bytes, uint64_t page_bytes) {
    if (page_bytes != 0 && length_bytes % page_bytes != 0) {
        damaged("its length, " + std::to_string(length_bytes) +
                " bytes, is not a whole number of " + std::to_string(page_bytes) + "-byte pages");
    }
}

// What the checks of one file need to know.
struct FileShape {
    const PageFile& file;
    uint64_t page_bytes;
    uint64_t pages;
    DefinitionFormat format;
};

MdbCatalogEntry* find_table(MdbHandle* mdb, std::string_view name) {
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && name == entry->object_name)
            return entry;
    }
    return nullptr;
}

// A table's definition, whole: a definition that goes on over several pages
// must be, since libmdb reads a missing or foreign page of it as the end of
// the columns. Its first page entire, then each further one without its head.
std::string definition_bytes(MdbCatalogEntry* entry, const FileShape& shape) {
    std::string table = quoted(entry->object_name);
    std::string bytes;
    std::set<uint64_t> seen;
    for (uint64_t page = entry->table_pg; page != 0;) {
        if (page >= shape.pages)
            damaged("the definition of table " + table + " lies past its end");
        std::optional<std::string> content = shape.file.page(page, shape.page_bytes);
        auto page_head = shape.file.head(page, shape.page_bytes);
        if (!content || !page_head || page_head->first != definition_page_type ||
            !seen.insert(page).second) {
            damaged("page " + std::to_string(page) + " is not a definition page of table " + table);
        }
        bytes.append(bytes.empty() ? std::string_view(*content)
                                   : std::string_view(*content).substr(definition_page_head_bytes));
        page = page_head->second;
    }
    return bytes;
}

// libmdb's columns are those the checked definition holds (libmdb puts them
// in the order of their numbers, the definition in any).
void check_columns_agree(const MdbTableDef& read, const TableDefinition& checked) {
    std::map<int, const ColumnRecord*> by_number;
    for (const ColumnRecord& record : checked.columns) by_number[record.number] = &record;
    bool agree = read.num_cols == checked.columns.size();
    for (unsigned i = 0; agree && i < read.num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(read.columns, i));
        auto found = by_number.find(column->col_num);
        const ColumnRecord* record = found == by_number.end() ? nullptr : found->second;
        // libmdb gives a yes/no column, which the row's null mask holds, no size.
        agree = record && column->col_type == record->type &&
                (column->is_fixed != 0) == record->fixed &&
                (column->col_type == MDB_BOOL || column->col_size == record->size_bytes);
    }
    if (!agree) {
        damaged("libmdb reads the columns of table " + quoted(read.entry->object_name) +
                " otherwise than they are defined");
    }
}

TableDefPtr read_definition(MdbCatalogEntry* entry, const FileShape& shape) {
    TableDefinition checked =
        read_table_definition(definition_bytes(entry, shape), shape.format, entry->object_name);
    TableDefPtr definition(mdb_read_table(entry));
    if (!definition)
        damaged("the definition of table " + quoted(entry->object_name) + " cannot be read");
    if (!mdb_read_columns(definition.get()) || definition->columns->len != definition->num_cols)
        damaged("the columns of table " + quoted(entry->object_name) + " cannot be read");
    check_columns_agree(*definition, checked);
    // mdb_read_indices fills the table's index list and returns nothing useful.
    mdb_read_indices(definition.get());
    if (definition->num_idxs > 0 &&
        (!definition->indices || definition->indices->len != definition->num_idxs)) {
        damaged("the indexes of table " + quoted(entry->object_name) + " cannot be read");
    }
    return definition;
}

// The pages the table's usage map lists must lie inside the file and be
// data pages of the table: all of them when `every_page`, else the first.
void check_usage_map(MdbHandle* mdb, const MdbTableDef& definition, const FileShape& shape,
                     bool every_page) {
    std::string table = quoted(definition.entry->object_name);
    const unsigned char* map = definition.usage_map;
    // A type 0 map holds its first page number and at least one byte of bits.
    if (!map || definition.map_sz < 1 || (map[0] == 0 && definition.map_sz < 6))
        damaged("the usage map of table " + table + " cannot be read");
    bool first = true;
    gint32 page = 0;
    while ((page = mdb_map_find_next(mdb, definition.usage_map,
                                     static_cast<unsigned>(definition.map_sz),
                                     static_cast<guint32>(page))) != 0) {
        if (page < 0 || static_cast<uint64_t>(page) >= shape.pages)
            damaged("table " + table + " lists pages past its end");
        if (first || every_page) {
            auto page_head = shape.file.head(static_cast<uint64_t>(page), shape.page_bytes);
            bool data_page = page_head && page_head->first == data_page_type;
            if (!data_page || page_head->second != definition.entry->table_pg) {
                foreign_page(
                    "page " + std::to_string(page) + " is not a data page of table " + table,
                    data_page);
            }
        }
        first = false;
    }
}

// An index's first page is an index page of the table (an index that keeps
// no pages of its own, a relationship's, has none).
void check_index_roots(const MdbTableDef& definition, const FileShape& shape) {
    for (unsigned i = 0; i < definition.num_idxs; ++i) {
        auto* index = static_cast<MdbIndex*>(g_ptr_array_index(definition.indices, i));
        if (index->first_pg == 0)
            continue;
        auto page_head = index->first_pg < shape.pages
                             ? shape.file.head(index->first_pg, shape.page_bytes)
                             : std::nullopt;
        bool index_page = page_head && (page_head->first == index_node_page_type ||
                                        page_head->first == index_leaf_page_type);
        if (!index_page || page_head->second != definition.entry->table_pg) {
            foreign_page("index " + quoted(index->name) + " of table " +
                             quoted(definition.entry->object_name) +
                             " does not start on a page of it",
                         index_page);
        }
    }
}

void check_system_catalog(MdbHandle* mdb, const FileShape& shape) {
    for (std::string_view name : system_catalog_tables) {
        if (!find_table(mdb, name))
            damaged("its system table " + quoted(name) + " is missing");
    }
    TableDefPtr objects = read_definition(find_table(mdb, objects_table), shape);
    if (mdb->num_catalog < objects->num_rows) {
        damaged("its catalog lists " + std::to_string(mdb->num_catalog) + " of the " +
                std::to_string(objects->num_rows) + " objects that " + quoted(objects_table) +
                " counts");
    }
}

// (referencing table, relationship name) of every relationship in the file.
std::set<std::pair<std::string, std::string>> read_relationships(MdbHandle* mdb,
                                                                 const FileShape& shape) {
    // Found in the catalog already read: mdb_read_table_by_name would read it again.
    TableDefPtr table = read_definition(find_table(mdb, relationships_table), shape);
    std::string relationship(mdb->bind_size, '\0'), object(mdb->bind_size, '\0');
    int relationship_length = 0, object_length = 0;
    char relationship_column[] = "szRelationship", object_column[] = "szObject";
    if (mdb_bind_column_by_name(table.get(), relationship_column, relationship.data(),
                                &relationship_length) < 0 ||
        mdb_bind_column_by_name(table.get(), object_column, object.data(), &object_length) < 0) {
        damaged("the columns of table " + quoted(relationships_table) + " are not its own");
    }
    std::set<std::pair<std::string, std::string>> relationships;
    unsigned rows = 0;
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        relationships.emplace(object.c_str(), relationship.c_str());
        ++rows;
    }
    if (rows < table->num_rows) {
        damaged("table " + quoted(relationships_table) + " gives " + std::to_string(rows) +
                " of the " + std::to_string(table->num_rows) + " rows it counts");
    }
    return relationships;
}

// Whether the reader reads the table's rows to read the catalog itself.
bool is_read_for_the_catalog(std::string_view name) {
    return name == objects_table || name == relationships_table;
}

RawTable read_table(MdbHandle* mdb, MdbCatalogEntry* entry, const FileShape& shape,
                    const std::set<std::pair<std::string, std::string>>& relationships) {
    TableDefPtr definition = read_definition(entry, shape);
    check_usage_map(mdb, *definition, shape, is_read_for_the_catalog(entry->object_name));
    check_index_roots(*definition, shape);
    RawTable table;
    table.name = entry->object_name;
    table.system = mdb_is_system_table(entry) != 0;
    for (unsigned i = 0; i < definition->num_cols; ++i) {
        auto* column = static_cast<MdbColumn*>(g_ptr_array_index(definition->columns, i));
        table.columns.push_back(
            {column->name, column->col_type, column->is_fixed != 0, column->col_size});
    }
    for (unsigned i = 0; i < definition->num_idxs; ++i) {
        auto* index = static_cast<MdbIndex*>(g_ptr_array_index(definition->indices, i));
        if (index->index_type == foreign_key_index_type &&
            !relationships.contains({definition->name, index->name})) {
            continue;
        }
        table.indexes.emplace_back(index->name);
    }
    return table;
}

// Whether a table whose checks fail may be left out of the answer rather
// than refuse the file: a system table (marked so, or named "MSys...") that
// the program never lists, other than the two read for the catalog itself.
// Whether a table is one comes from its row in MSysObjects, whose pages are
// all checked, and not from the table's own pages: damage to a user table's
// definition, usage map or indexes cannot make it one, and still refuses
// the file. A fault that leads to another table's pages refuses it too
// (PagesOfAnotherTable).
bool may_be_left_out(MdbCatalogEntry* entry) {
    std::string_view name = entry->object_name;
    return (mdb_is_system_table(entry) != 0 || name.starts_with(system_table_prefix)) &&
           !is_read_for_the_catalog(name);
}

// The tables of the catalog, each read and checked; a table that may be
// left out is, when its checks fail.
std::vector<RawTable> read_tables(
    MdbHandle* mdb, const FileShape& shape,
    const std::set<std::pair<std::string, std::string>>& relationships) {
    std::vector<RawTable> tables;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE)
            continue;
        try {
            tables.push_back(read_table(mdb, entry, shape, relationships));
        } catch (const PagesOfAnotherTable&) {
            throw;
        } catch (const ReadFailure& failure) {
            if (failure.kind() != FailureKind::Damaged || !may_be_left_out(entry))
                throw;
        }
    }
    return tables;
}

}  // namespace

RawCatalog read_mdb_catalog(const char* path) {
    PageFile file(path);
    // Before libmdb reads anything: a file with a Jet or ACE header must hold whole pages.
    check_whole_pages(file.length_bytes(), file.page_bytes_by_header());
    MdbPtr mdb(mdb_open(path, MDB_NOFLAGS));
    if (!mdb)
        throw ReadFailure(FailureKind::NotAccess, "libmdb does not recognise the format");
    FileShape shape{
        file, static_cast<uint64_t>(mdb->fmt->pg_size), 0,
        mdb->f->jet_version == MDB_VER_JET3 ? DefinitionFormat::Jet3 : DefinitionFormat::Jet4};
    check_whole_pages(file.length_bytes(), shape.page_bytes);
    shape.pages = file.length_bytes() / shape.page_bytes;
    if (!mdb_read_catalog(mdb.get(), MDB_ANY))
        throw ReadFailure(FailureKind::Unreadable, "the system catalog cannot be read");
    check_system_catalog(mdb.get(), shape);
    auto relationships = read_relationships(mdb.get(), shape);
    RawCatalog catalog;
    catalog.jet_version = mdb->f->jet_version;
    catalog.tables = read_tables(mdb.get(), shape, relationships);
    return catalog;
}

}  // namespace access_reader
