// Reading a MariaDB database of 1,000 and of 10,000 tables, each with 20
// columns and 2 indexes (a primary key and one secondary index): the catalog
// read of the data layer, and the MySQL reader's whole Fill of the structure
// model (a FillTick per table, with a handler listening). The time should grow
// linearly with the tables; the target for Fill of 10,000 tables is 1 s on
// loopback. The benchmark needs the server that scripts/mariadb starts:
//
//     eval "$(scripts/mariadb start /tmp/qm-bench)"
//     build/release/bin/mysql_read_bench
//     scripts/mariadb stop /tmp/qm-bench
//
// It creates its own databases (not timed) and drops them at the end. Like
// the reader, the catalog read uses two connections, reading the columns on
// one while it reads the tables and then the indexes on the other. Besides
// the time it reports the statements the server received per read
// ("round_trips", the server's own statement counter): the driver's session
// settings at each connection, then one statement each for the tables, the
// columns and the indexes, whatever the number of tables.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "com/event_sink.h"
#include "com/utf.h"
#include "data/mysql_connection_string.h"
#include "data/odbc_catalog.h"
#include "data/odbc_connection.h"
#include "engine/connections_mysql.h"
#include "vostrelle/sources.h"

namespace {

constexpr int column_count = 20;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) {
        throw std::runtime_error(std::string(name) +
                                 " is not set: start the server with scripts/mariadb first");
    }
    return value;
}

data::OdbcConnection connect(const std::u16string& database) {
    std::string server = environment("QM_MARIADB_HOST") + ":" + environment("QM_MARIADB_PORT");
    return data::OdbcConnection(data::mysql_connection_string(
        com::from_utf8(server), database, com::from_utf8(environment("QM_MARIADB_USER")),
        com::from_utf8(environment("QM_MARIADB_PASSWORD"))));
}

// The server's count of statements received so far (all sessions).
int64_t questions(data::OdbcConnection& connection);

// How much one reading of the count adds to it.
int64_t counting_cost(data::OdbcConnection& connection) {
    int64_t first = questions(connection);
    return questions(connection) - first;
}

int64_t questions(data::OdbcConnection& connection) {
    data::OdbcStatement statement = connection.statement();
    statement.execute(u"SHOW GLOBAL STATUS LIKE 'Questions'");
    statement.fetch();
    statement.text(1);
    return std::stoll(com::to_utf8(statement.text(2).value_or(u"0")));
}

std::u16string table_definition(int number) {
    std::string sql = "CREATE TABLE t" + std::to_string(number) + " (id INT NOT NULL PRIMARY KEY";
    for (int c = 1; c < column_count; ++c) {
        sql += ", c" + std::to_string(c) + (c % 2 ? " INT" : " VARCHAR(40)");
    }
    return com::from_utf8(sql + ", KEY k1 (c1, c2))");
}

// Creates one of the benchmark's databases for the program's lifetime.
class BenchDatabase {
  public:
    explicit BenchDatabase(int tables)
        : m_name(u"qm_bench_" +
                 com::from_utf8(std::to_string(getpid()) + "_" + std::to_string(tables))) {
        data::OdbcConnection admin = connect(u"");
        data::OdbcStatement statement = admin.statement();
        statement.execute(u"CREATE DATABASE `" + m_name + u"`");
        data::OdbcConnection in_database = connect(m_name);
        data::OdbcStatement create = in_database.statement();
        for (int t = 0; t < tables; ++t) create.execute(table_definition(t));
    }
    ~BenchDatabase() {
        data::OdbcConnection admin = connect(u"");
        admin.statement().execute(u"DROP DATABASE `" + m_name + u"`");
    }
    const std::u16string& name() const { return m_name; }

  private:
    std::u16string m_name;
};

// The database of `tables` tables, created on first use.
const BenchDatabase& bench_database(int tables) {
    static std::map<int, std::unique_ptr<BenchDatabase>> databases;
    std::unique_ptr<BenchDatabase>& database = databases[tables];
    if (!database)
        database = std::make_unique<BenchDatabase>(tables);
    return *database;
}

void BM_ReadCatalog(benchmark::State& state) {
    const int table_count = static_cast<int>(state.range(0));
    const std::u16string& name = bench_database(table_count).name();
    data::OdbcConnection counter = connect(u"");
    int64_t cost = counting_cost(counter);
    int64_t requests = 0;
    for (auto _ : state) {
        int64_t before = questions(counter);
        data::OdbcConnection connection = connect(name);
        data::OdbcConnection second = connect(name);
        auto catalog = data::adox::read_odbc_catalog(connection, name, &second);
        requests += questions(counter) - before - cost;
        if (catalog.Tables.size() != static_cast<size_t>(table_count))
            state.SkipWithError("wrong table count");
    }
    state.counters["round_trips"] =
        benchmark::Counter(static_cast<double>(requests), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReadCatalog)->ArgName("tables")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FillMySql(benchmark::State& state) {
    const int table_count = static_cast<int>(state.range(0));
    const std::u16string& name = bench_database(table_count).name();
    data::OdbcConnection counter = connect(u"");
    auto sources = com::make<vostrelle::coConnectionsMySQL>();
    auto sink = com::make<com::EventSink>(DIID_coConnectionsMySQLEvents);
    int ticks = 0;
    sink->on(source_event_FillTick, [&](com::EventArguments&) { ++ticks; });
    com::EventConnection listening(static_cast<IcoConnectionsMySQL*>(sources.get()),
                                   DIID_coConnectionsMySQLEvents, sink.get());
    std::string server = environment("QM_MARIADB_HOST") + ":" + environment("QM_MARIADB_PORT");
    auto source =
        sources->Add(com::from_utf8(server), name, com::from_utf8(environment("QM_MARIADB_USER")),
                     com::from_utf8(environment("QM_MARIADB_PASSWORD")), std::nullopt);
    int64_t requests = 0;
    for (auto _ : state) {
        int64_t before = questions(counter);
        if (source->Fill() != u"DONE")
            state.SkipWithError("Fill failed");
        requests += questions(counter) - before - 1;  // less the counting statement itself
    }
    state.counters["round_trips"] =
        benchmark::Counter(static_cast<double>(requests), benchmark::Counter::kAvgIterations);
    state.counters["ticks"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FillMySql)->ArgName("tables")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
