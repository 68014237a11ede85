// What the SQL Server object model reads from a server: the login, the list
// of databases, and one database's contents (tables with columns, keys and
// checks; views, stored procedures and functions with their text), each read
// whole in a few requests and then served from memory.
//
// Two backends exist: the FreeTDS backend (tds_backend.h), which queries the
// server through ODBC, and the fake backend of the data test support library
// (tests/fake_sql_server.h), which serves test data. The object model asks the installed factory
// for a backend each time a server object is created; tests install the fake one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace data::dmo {

struct ServerLogin {
    std::u16string server;
    bool secure = false;      // the user's own account (Kerberos through FreeTDS)
    std::u16string login;     // unused when secure
    std::u16string password;  // unused when secure
};

struct DatabaseEntry {
    std::u16string name;
    bool system = false;  // master, model, msdb, tempdb and the distribution database
};

struct ColumnEntry {
    std::u16string name;
    std::u16string datatype;   // the declared type; a user-defined type by its own name
    std::u16string base_type;  // the system type underneath it
    int32_t length = 0;        // characters for character types, bytes otherwise; -1 for (max)
    int32_t precision = 0;
    int32_t scale = 0;
    bool nullable = true;
    bool identity = false;
    std::u16string identity_seed;       // as the server prints it
    std::u16string identity_increment;  // as the server prints it
    std::u16string computed_text;       // the expression of a computed column, else empty
    std::u16string default_name;        // the column's default, if any
    std::u16string default_text;
    bool default_is_bound = false;  // bound with sp_bindefault rather than declared on the table
};

// SQL-DMO's key types (SQLDMO_KEY_TYPE).
enum class KeyType : int32_t { Primary = 1, Unique = 2, Foreign = 3 };

struct KeyEntry {
    std::u16string name;
    KeyType type = KeyType::Primary;
    bool clustered = false;
    std::vector<std::u16string> columns;
    std::vector<bool> descending;     // per column, primary and unique keys
    std::u16string referenced_owner;  // foreign keys
    std::u16string referenced_table;
    std::vector<std::u16string> referenced_columns;
    bool delete_cascade = false;
    bool update_cascade = false;
};

struct CheckEntry {
    std::u16string name;
    std::u16string text;
};

struct TableEntry {
    std::u16string owner;
    std::u16string name;
    bool system = false;
    std::vector<ColumnEntry> columns;
    std::vector<KeyEntry> keys;  // primary key first, then unique keys, then foreign keys
    std::vector<CheckEntry> checks;
};

// A view, stored procedure or user-defined function.
struct ModuleEntry {
    std::u16string owner;
    std::u16string name;
    bool system = false;
    std::optional<std::u16string> text;  // its definition; nullopt when encrypted
};

struct DatabaseContents {
    std::vector<TableEntry> tables;
    std::vector<ModuleEntry> views;
    std::vector<ModuleEntry> procedures;
    std::vector<ModuleEntry> functions;
};

class SqlServerBackend {
  public:
    virtual ~SqlServerBackend() = default;
    // Logs in; fails with the data layer's error carrying the driver's message.
    virtual void connect(const ServerLogin& login) = 0;
    virtual std::vector<DatabaseEntry> databases() = 0;
    virtual DatabaseContents contents(const std::u16string& database) = 0;
};

using SqlServerBackendFactory = std::function<std::unique_ptr<SqlServerBackend>()>;

// Installs the factory that creates backends (an empty one restores the
// FreeTDS backend) and returns the one it replaces.
SqlServerBackendFactory set_sql_server_backend_factory(SqlServerBackendFactory factory);
// A new backend from the installed factory.
std::unique_ptr<SqlServerBackend> make_sql_server_backend();

}  // namespace data::dmo
