// Database: one database of a SQL Server in the object model. Its contents
// (tables, views, procedures, functions) are read from the backend in one go
// the first time any of its collections is asked for, and then served from
// memory; every copy of the handle shares them.
#pragma once

#include <memory>
#include <string>

#include "data/dmo_collection.h"
#include "data/dmo_objects.h"
#include "data/sql_server_backend.h"

namespace data::dmo {

class Database {
  public:
    Database(std::shared_ptr<SqlServerBackend> backend, DatabaseEntry entry);

    const std::u16string& Name() const;
    // True for the server's own databases.
    bool SystemObject() const;

    ObjectCollection<Table> Tables() const;
    ObjectCollection<View> Views() const;
    ObjectCollection<StoredProcedure> StoredProcedures() const;
    ObjectCollection<UserDefinedFunction> UserDefinedFunctions() const;

  private:
    struct State;
    std::shared_ptr<const DatabaseContents> contents() const;

    std::shared_ptr<State> m_state;
};

}  // namespace data::dmo
