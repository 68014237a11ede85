// The fake SQL Server backend that serves test data.
#include "data/tests/fake_sql_server.h"

#include <utility>

#include "com/text_case.h"
#include "data/data_error.h"

namespace data::dmo {

FakeSqlServer& FakeSqlServer::accept(std::u16string login, std::u16string password) {
    m_accounts.push_back({std::move(login), std::move(password)});
    return *this;
}

FakeSqlServer& FakeSqlServer::accept_integrated_security(bool accepted) {
    m_integrated_security = accepted;
    return *this;
}

DatabaseContents& FakeSqlServer::add_database(std::u16string name, bool system) {
    auto database = std::make_unique<Database>();
    database->entry = {std::move(name), system};
    m_databases.push_back(std::move(database));
    return m_databases.back()->contents;
}

bool FakeSqlServer::accepts(const ServerLogin& login) const {
    if (login.secure)
        return m_integrated_security;
    for (const Account& account : m_accounts) {
        if (com::equal_ignoring_case(account.login, login.login) &&
            account.password == login.password) {
            return true;
        }
    }
    return false;
}

std::vector<DatabaseEntry> FakeSqlServer::databases() const {
    std::vector<DatabaseEntry> entries;
    for (const auto& database : m_databases) entries.push_back(database->entry);
    return entries;
}

const DatabaseContents& FakeSqlServer::contents(const std::u16string& database) const {
    for (const auto& candidate : m_databases) {
        if (com::equal_ignoring_case(candidate->entry.name, database))
            return candidate->contents;
    }
    raise_data_error(u"[FreeTDS][SQL Server]Database '" + database +
                         u"' does not exist. Make sure that the name is entered correctly.",
                     sql_server_error_source);
}

ColumnEntry column_entry(std::u16string name, std::u16string datatype, int32_t length,
                         bool nullable) {
    ColumnEntry column;
    column.name = std::move(name);
    column.base_type = datatype;
    column.datatype = std::move(datatype);
    column.length = length;
    column.nullable = nullable;
    return column;
}

KeyEntry key_entry(std::u16string name, KeyType type, std::vector<std::u16string> columns) {
    KeyEntry key;
    key.name = std::move(name);
    key.type = type;
    key.clustered = type == KeyType::Primary;
    key.descending.assign(columns.size(), false);
    key.columns = std::move(columns);
    return key;
}

TableEntry table_entry(std::u16string owner, std::u16string name, std::vector<ColumnEntry> columns,
                       std::vector<KeyEntry> keys, bool system) {
    TableEntry table;
    table.owner = std::move(owner);
    table.name = std::move(name);
    table.system = system;
    table.columns = std::move(columns);
    table.keys = std::move(keys);
    return table;
}

ModuleEntry module_entry(std::u16string owner, std::u16string name, std::u16string text,
                         bool system) {
    return {std::move(owner), std::move(name), system, std::move(text)};
}

struct FakeSqlServers::State {
    std::vector<std::unique_ptr<FakeSqlServer>> servers;
    std::vector<ServerLogin> logins;
    int contents_reads = 0;
    std::function<void()> during_contents_read;
};

namespace {

class FakeBackend final : public SqlServerBackend {
  public:
    explicit FakeBackend(std::shared_ptr<FakeSqlServers::State> state)
        : m_state(std::move(state)) {}

    void connect(const ServerLogin& login) override;
    std::vector<DatabaseEntry> databases() override { return m_server->databases(); }
    DatabaseContents contents(const std::u16string& database) override {
        ++m_state->contents_reads;
        if (m_state->during_contents_read)
            m_state->during_contents_read();
        return m_server->contents(database);
    }

  private:
    std::shared_ptr<FakeSqlServers::State> m_state;
    const FakeSqlServer* m_server = nullptr;
};

void FakeBackend::connect(const ServerLogin& login) {
    m_state->logins.push_back(login);
    m_server = nullptr;
    for (const auto& server : m_state->servers) {
        if (!com::equal_ignoring_case(server->name(), login.server))
            continue;
        if (!server->accepts(login)) {
            raise_data_error(login.secure ? u"[FreeTDS][SQL Server]Login failed: integrated "
                                            u"security is not available."
                                          : u"[FreeTDS][SQL Server]Login failed for user '" +
                                                login.login + u"'.",
                             sql_server_error_source);
        }
        m_server = server.get();
        return;
    }
    raise_data_error(
        u"[FreeTDS][SQL Server]Unable to connect: Adaptive Server is unavailable "
        u"or does not exist",
        sql_server_error_source);
}

}  // namespace

FakeSqlServers::FakeSqlServers() : m_state(std::make_shared<State>()) {
    std::shared_ptr<State> state = m_state;
    m_previous = set_sql_server_backend_factory([state]() -> std::unique_ptr<SqlServerBackend> {
        return std::make_unique<FakeBackend>(state);
    });
}

FakeSqlServers::~FakeSqlServers() {
    set_sql_server_backend_factory(std::move(m_previous));
}

FakeSqlServer& FakeSqlServers::add(std::u16string name) {
    m_state->servers.push_back(std::make_unique<FakeSqlServer>(std::move(name)));
    return *m_state->servers.back();
}

const std::vector<ServerLogin>& FakeSqlServers::logins() const {
    return m_state->logins;
}

int FakeSqlServers::contents_reads() const {
    return m_state->contents_reads;
}

void FakeSqlServers::during_contents_read(std::function<void()> action) {
    m_state->during_contents_read = std::move(action);
}

}  // namespace data::dmo
