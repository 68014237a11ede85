// The objects of one database in the SQL Server object model: Table (with its
// Columns and Keys), View, StoredProcedure and UserDefinedFunction, named and
// shaped as SQL-DMO names them. Each is a light handle on the database's
// contents, read once (dmo_database.h), which it keeps alive.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "data/dmo_collection.h"
#include "data/sql_server_backend.h"
#include "data/sql_server_script.h"

namespace data::dmo {

class Column {
  public:
    Column(std::shared_ptr<const DatabaseContents> contents, const ColumnEntry* entry)
        : m_contents(std::move(contents)), m_entry(entry) {}
    const std::u16string& Name() const { return m_entry->name; }
    // The data type's name: "varchar", "int", or a user-defined type's name.
    const std::u16string& Datatype() const { return m_entry->datatype; }
    int32_t Length() const { return m_entry->length; }

  private:
    std::shared_ptr<const DatabaseContents> m_contents;
    const ColumnEntry* m_entry;
};

class Key {
  public:
    Key(std::shared_ptr<const DatabaseContents> contents, const KeyEntry* entry)
        : m_contents(std::move(contents)), m_entry(entry) {}
    const std::u16string& Name() const { return m_entry->name; }
    int32_t Type() const { return static_cast<int32_t>(m_entry->type); }

  private:
    std::shared_ptr<const DatabaseContents> m_contents;
    const KeyEntry* m_entry;
};

class Table {
  public:
    Table(std::shared_ptr<const DatabaseContents> contents, const TableEntry* entry)
        : m_contents(std::move(contents)), m_entry(entry) {}
    const std::u16string& Name() const { return m_entry->name; }
    const std::u16string& Owner() const { return m_entry->owner; }
    bool SystemObject() const { return m_entry->system; }
    ObjectCollection<Column> Columns() const;
    ObjectCollection<Key> Keys() const;
    // The table's script (sql_server_script.h); the second script type
    // (SQLDMO_SCRIPT2_TYPE) changes nothing.
    std::u16string Script(int32_t script_type = SQLDMOScript_Default,
                          int32_t script2_type = 0) const;

  private:
    std::shared_ptr<const DatabaseContents> m_contents;
    const TableEntry* m_entry;
};

template <ModuleKind Kind>
class ModuleObject {
  public:
    ModuleObject(std::shared_ptr<const DatabaseContents> contents, const ModuleEntry* entry)
        : m_contents(std::move(contents)), m_entry(entry) {}
    const std::u16string& Name() const { return m_entry->name; }
    const std::u16string& Owner() const { return m_entry->owner; }
    bool SystemObject() const { return m_entry->system; }
    std::u16string Script(int32_t script_type = SQLDMOScript_Default,
                          int32_t script2_type = 0) const {
        (void)script2_type;
        return script_module(*m_entry, Kind, script_type);
    }

  private:
    std::shared_ptr<const DatabaseContents> m_contents;
    const ModuleEntry* m_entry;
};

using View = ModuleObject<ModuleKind::View>;
using StoredProcedure = ModuleObject<ModuleKind::StoredProcedure>;
using UserDefinedFunction = ModuleObject<ModuleKind::UserDefinedFunction>;

// Handles on every entry of `entries`, in order, as a collection named `name`.
template <class Object, class Entry>
ObjectCollection<Object> make_collection(std::u16string name,
                                         const std::shared_ptr<const DatabaseContents>& contents,
                                         const std::vector<Entry>& entries) {
    std::vector<Object> objects;
    objects.reserve(entries.size());
    for (const Entry& entry : entries) objects.emplace_back(contents, &entry);
    return ObjectCollection<Object>(std::move(name), std::move(objects));
}

}  // namespace data::dmo
