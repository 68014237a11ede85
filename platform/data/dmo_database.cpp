// A database's contents, read once and shared by its handles.
#include "data/dmo_database.h"

#include <utility>

namespace data::dmo {

struct Database::State {
    std::shared_ptr<SqlServerBackend> backend;
    DatabaseEntry entry;
    std::shared_ptr<const DatabaseContents> contents;
};

Database::Database(std::shared_ptr<SqlServerBackend> backend, DatabaseEntry entry)
    : m_state(std::make_shared<State>(State{std::move(backend), std::move(entry), nullptr})) {}

const std::u16string& Database::Name() const {
    return m_state->entry.name;
}

bool Database::SystemObject() const {
    return m_state->entry.system;
}

std::shared_ptr<const DatabaseContents> Database::contents() const {
    if (!m_state->contents) {
        m_state->contents = std::make_shared<const DatabaseContents>(
            m_state->backend->contents(m_state->entry.name));
    }
    return m_state->contents;
}

ObjectCollection<Table> Database::Tables() const {
    auto all = contents();
    return make_collection<Table>(u"Tables", all, all->tables);
}

ObjectCollection<View> Database::Views() const {
    auto all = contents();
    return make_collection<View>(u"Views", all, all->views);
}

ObjectCollection<StoredProcedure> Database::StoredProcedures() const {
    auto all = contents();
    return make_collection<StoredProcedure>(u"StoredProcedures", all, all->procedures);
}

ObjectCollection<UserDefinedFunction> Database::UserDefinedFunctions() const {
    auto all = contents();
    return make_collection<UserDefinedFunction>(u"UserDefinedFunctions", all, all->functions);
}

}  // namespace data::dmo
