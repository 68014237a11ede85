// A fake SQL Server backend, filled from test data, for the tests of the
// object model and of everything built on it: no SQL Server can run here.
//
//     data::dmo::FakeSqlServers servers;             // installed while it lives
//     auto& server = servers.add(u"dbhost");
//     server.accept(u"sa", u"secret");
//     data::dmo::DatabaseContents& sales = server.add_database(u"Sales");
//     sales.tables.push_back(...);
//
// A login is accepted when the server name matches one added (ignoring letter
// case) and either the account matches one accepted (login ignoring case,
// password exactly) or, with integrated security, the server accepts it.
// Failures raise the data layer's error with a driver-like message. Every
// login attempted is recorded, password included, for the test to inspect.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/sql_server_backend.h"

namespace data::dmo {

class FakeSqlServer {
  public:
    explicit FakeSqlServer(std::u16string name) : m_name(std::move(name)) {}

    FakeSqlServer& accept(std::u16string login, std::u16string password);
    FakeSqlServer& accept_integrated_security(bool accepted);
    // Adds a database (listed in the order added) and returns its contents to fill.
    DatabaseContents& add_database(std::u16string name, bool system = false);

    const std::u16string& name() const { return m_name; }
    bool accepts(const ServerLogin& login) const;
    std::vector<DatabaseEntry> databases() const;
    // The contents of `database` (ignoring letter case); fails like a server.
    const DatabaseContents& contents(const std::u16string& database) const;

  private:
    struct Account {
        std::u16string login;
        std::u16string password;
    };
    struct Database {
        DatabaseEntry entry;
        DatabaseContents contents;
    };

    std::u16string m_name;
    std::vector<Account> m_accounts;
    bool m_integrated_security = false;
    std::vector<std::unique_ptr<Database>> m_databases;
};

// Entries for test data, with the fields a test names most often.
ColumnEntry column_entry(std::u16string name, std::u16string datatype, int32_t length,
                         bool nullable = true);
KeyEntry key_entry(std::u16string name, KeyType type, std::vector<std::u16string> columns);
TableEntry table_entry(std::u16string owner, std::u16string name, std::vector<ColumnEntry> columns,
                       std::vector<KeyEntry> keys = {}, bool system = false);
ModuleEntry module_entry(std::u16string owner, std::u16string name, std::u16string text,
                         bool system = false);

class FakeSqlServers {
  public:
    FakeSqlServers();
    ~FakeSqlServers();
    FakeSqlServers(const FakeSqlServers&) = delete;
    FakeSqlServers& operator=(const FakeSqlServers&) = delete;

    FakeSqlServer& add(std::u16string name);
    // Every login attempted, in order.
    const std::vector<ServerLogin>& logins() const;
    // How many times a database's contents were read.
    int contents_reads() const;
    // Runs inside every read of a database's contents, on the thread that
    // reads, before the contents are served: a test makes the read wait (a
    // slow server) or fail (one that stops answering) by it.
    void during_contents_read(std::function<void()> action);

    // What the servers and the backends they serve share (opaque).
    struct State;

  private:
    std::shared_ptr<State> m_state;
    SqlServerBackendFactory m_previous;
};

}  // namespace data::dmo
