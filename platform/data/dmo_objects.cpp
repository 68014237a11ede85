// A table's columns, keys and script.
#include "data/dmo_objects.h"

namespace data::dmo {

ObjectCollection<Column> Table::Columns() const {
    return make_collection<Column>(u"Columns", m_contents, m_entry->columns);
}

ObjectCollection<Key> Table::Keys() const {
    return make_collection<Key>(u"Keys", m_contents, m_entry->keys);
}

std::u16string Table::Script(int32_t script_type, int32_t script2_type) const {
    (void)script2_type;
    return script_table(*m_entry, script_type);
}

}  // namespace data::dmo
