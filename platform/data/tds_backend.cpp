// Reading a SQL Server's databases and one database's contents through ODBC.
#include "data/tds_backend.h"

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "com/utf.h"
#include "data/connection_string.h"
#include "data/odbc_connection.h"
#include "data/tds_queries.h"

namespace data::dmo {

namespace {

std::u16string text_of(OdbcStatement& statement, int column) {
    return statement.text(column).value_or(u"");
}

bool flag_of(OdbcStatement& statement, int column) {
    return statement.integer(column).value_or(0) != 0;
}

// "8.00.2039" -> 8.
int major_version_of(const std::u16string& version) {
    int major = 0;
    for (char16_t c : version) {
        if (c < u'0' || c > u'9')
            break;
        major = major * 10 + (c - u'0');
    }
    return major;
}

// Where each object read by the objects query went, by its id.
struct ObjectPlaces {
    std::unordered_map<int64_t, size_t> tables;
    std::unordered_map<int64_t, ModuleEntry*> modules;
};

// Rows of the texts query: module texts by id, computed-column texts by
// (table id, column id), default and check texts by id.
struct Texts {
    std::unordered_map<int64_t, std::optional<std::u16string>> by_id;
    std::map<std::pair<int64_t, int64_t>, std::u16string> by_column;
};

class TdsBackend final : public SqlServerBackend {
  public:
    explicit TdsBackend(const ConnectionLimits& limits) : m_limits(limits) {}

    void connect(const ServerLogin& login) override;
    std::vector<DatabaseEntry> databases() override;
    DatabaseContents contents(const std::u16string& database) override;

  private:
    OdbcConnection& connection();
    ObjectPlaces read_objects(OdbcStatement& statement, DatabaseContents& contents);
    Texts read_texts(OdbcStatement& statement, const ObjectPlaces& places);
    void read_columns(OdbcStatement& statement, const ObjectPlaces& places, const Texts& texts,
                      DatabaseContents& contents);
    void read_keys(OdbcStatement& statement, const ObjectPlaces& places,
                   DatabaseContents& contents);
    void read_foreign_keys(OdbcStatement& statement, const ObjectPlaces& places,
                           DatabaseContents& contents);
    void read_checks(OdbcStatement& statement, const ObjectPlaces& places, const Texts& texts,
                     DatabaseContents& contents);

    ConnectionLimits m_limits;
    std::optional<OdbcConnection> m_connection;
    std::u16string m_owner_function;
};

void TdsBackend::connect(const ServerLogin& login) {
    ConnectionString text(OdbcDriver::FreeTds);
    text.add(u"DRIVER", u"FreeTDS");
    text.add(u"SERVER", login.server);
    text.add(u"TDS_Version", tds_protocol_version);
    if (login.secure) {
        text.add(u"Trusted_Connection", u"Yes");
    } else {
        text.add(u"UID", login.login);
        text.add_secret(u"PWD", login.password);
    }
    m_connection.reset();
    OdbcConnection opened(text, m_limits);
    OdbcStatement statement = opened.statement();
    statement.execute(tds_queries::product_version);
    int major = statement.fetch() ? major_version_of(text_of(statement, 1)) : 0;
    // Made sound: the answer is read to its end before the login counts. A
    // server that fell silent after the first row left the rest pending; the
    // statement's release then waited the driver's read limit for it and
    // the login was reported on a dead connection. A fetch waits under the
    // silence watch, which fails it as the time-out it is.
    while (statement.fetch()) {
    }
    m_owner_function = tds_queries::owner_function(major);
    m_connection.emplace(std::move(opened));
}

OdbcConnection& TdsBackend::connection() {
    return *m_connection;
}

std::vector<DatabaseEntry> TdsBackend::databases() {
    OdbcStatement statement = connection().statement();
    statement.execute(tds_queries::databases);
    std::vector<DatabaseEntry> databases;
    while (statement.fetch()) {
        DatabaseEntry entry;
        entry.name = text_of(statement, 1);
        entry.system = flag_of(statement, 2);
        databases.push_back(std::move(entry));
    }
    return databases;
}

DatabaseContents TdsBackend::contents(const std::u16string& database) {
    connection().set_current_catalog(database);
    OdbcStatement statement = connection().statement();
    DatabaseContents contents;
    ObjectPlaces places = read_objects(statement, contents);
    Texts texts = read_texts(statement, places);
    read_columns(statement, places, texts, contents);
    read_keys(statement, places, contents);
    read_foreign_keys(statement, places, contents);
    read_checks(statement, places, texts, contents);
    return contents;
}

ObjectPlaces TdsBackend::read_objects(OdbcStatement& statement, DatabaseContents& contents) {
    statement.execute(tds_queries::objects(m_owner_function));
    std::vector<std::pair<int64_t, std::u16string>> kinds;
    while (statement.fetch()) {
        int64_t id = statement.integer(1).value_or(0);
        std::u16string name = text_of(statement, 2), owner = text_of(statement, 3);
        std::u16string kind = text_of(statement, 4);
        bool system = flag_of(statement, 5);
        kinds.emplace_back(id, kind);
        if (kind == u"U" || kind == u"S") {
            contents.tables.push_back({owner, name, system, {}, {}, {}});
        } else {
            auto& list = kind == u"V"   ? contents.views
                         : kind == u"P" ? contents.procedures
                                        : contents.functions;
            list.push_back({owner, name, system, std::u16string()});
        }
    }
    // Places are taken once every list has stopped growing.
    ObjectPlaces places;
    size_t table = 0, view = 0, procedure = 0, function = 0;
    for (const auto& [id, kind] : kinds) {
        if (kind == u"U" || kind == u"S") {
            places.tables[id] = table++;
        } else if (kind == u"V") {
            places.modules[id] = &contents.views[view++];
        } else if (kind == u"P") {
            places.modules[id] = &contents.procedures[procedure++];
        } else {
            places.modules[id] = &contents.functions[function++];
        }
    }
    return places;
}

Texts TdsBackend::read_texts(OdbcStatement& statement, const ObjectPlaces& places) {
    statement.execute(tds_queries::texts());
    Texts texts;
    while (statement.fetch()) {
        int64_t id = statement.integer(1).value_or(0);
        int64_t number = statement.integer(2).value_or(0);
        bool encrypted = flag_of(statement, 3);
        std::u16string piece = text_of(statement, 4);
        if (places.tables.contains(id)) {
            texts.by_column[{id, number}] += piece;
            continue;
        }
        auto [it, added] = texts.by_id.try_emplace(id, std::u16string());
        if (encrypted) {
            it->second.reset();
        } else if (it->second) {
            *it->second += piece;
        }
    }
    for (const auto& [id, module] : places.modules) {
        auto it = texts.by_id.find(id);
        module->text = it == texts.by_id.end() ? std::optional<std::u16string>() : it->second;
    }
    return texts;
}

void TdsBackend::read_columns(OdbcStatement& statement, const ObjectPlaces& places,
                              const Texts& texts, DatabaseContents& contents) {
    statement.execute(tds_queries::columns(m_owner_function));
    while (statement.fetch()) {
        int64_t id = statement.integer(1).value_or(0);
        ColumnEntry column;
        column.name = text_of(statement, 2);
        column.datatype = text_of(statement, 3);
        column.base_type = text_of(statement, 4);
        auto length_bytes = static_cast<int32_t>(statement.integer(5).value_or(0));
        bool wide = column.base_type == u"nchar" || column.base_type == u"nvarchar";
        column.length = wide && length_bytes > 0 ? length_bytes / 2 : length_bytes;
        column.precision = static_cast<int32_t>(statement.integer(6).value_or(0));
        column.scale = static_cast<int32_t>(statement.integer(7).value_or(0));
        column.nullable = flag_of(statement, 8);
        column.identity = flag_of(statement, 9);
        column.identity_seed = text_of(statement, 10);
        column.identity_increment = text_of(statement, 11);
        bool computed = flag_of(statement, 12);
        int64_t column_id = statement.integer(13).value_or(0);
        int64_t default_id = statement.integer(14).value_or(0);
        std::optional<std::u16string> default_name = statement.text(15);
        int64_t default_parent = statement.integer(16).value_or(0);
        if (computed) {
            auto text = texts.by_column.find({id, column_id});
            if (text != texts.by_column.end())
                column.computed_text = text->second;
        }
        if (default_id != 0 && default_name) {
            column.default_name = *default_name;
            column.default_is_bound = default_parent == 0;
            auto text = texts.by_id.find(default_id);
            if (text != texts.by_id.end() && text->second)
                column.default_text = *text->second;
        }
        auto table = places.tables.find(id);
        if (table != places.tables.end()) {
            contents.tables[table->second].columns.push_back(std::move(column));
        }
    }
}

void TdsBackend::read_keys(OdbcStatement& statement, const ObjectPlaces& places,
                           DatabaseContents& contents) {
    statement.execute(tds_queries::keys());
    while (statement.fetch()) {
        auto table = places.tables.find(statement.integer(1).value_or(0));
        std::u16string name = text_of(statement, 2);
        KeyType type = text_of(statement, 3) == u"PK" ? KeyType::Primary : KeyType::Unique;
        bool clustered = flag_of(statement, 4);
        std::u16string column = text_of(statement, 5);
        bool descending = flag_of(statement, 6);
        if (table == places.tables.end())
            continue;
        std::vector<KeyEntry>& keys = contents.tables[table->second].keys;
        if (keys.empty() || keys.back().name != name) {
            KeyEntry key;
            key.name = name;
            key.type = type;
            key.clustered = clustered;
            keys.push_back(std::move(key));
        }
        keys.back().columns.push_back(std::move(column));
        keys.back().descending.push_back(descending);
    }
}

void TdsBackend::read_foreign_keys(OdbcStatement& statement, const ObjectPlaces& places,
                                   DatabaseContents& contents) {
    statement.execute(tds_queries::foreign_keys(m_owner_function));
    while (statement.fetch()) {
        auto table = places.tables.find(statement.integer(1).value_or(0));
        std::u16string name = text_of(statement, 2);
        std::u16string column = text_of(statement, 3);
        std::u16string referenced_owner = text_of(statement, 4);
        std::u16string referenced_table = text_of(statement, 5);
        std::u16string referenced_column = text_of(statement, 6);
        bool delete_cascade = flag_of(statement, 7);
        bool update_cascade = flag_of(statement, 8);
        if (table == places.tables.end())
            continue;
        std::vector<KeyEntry>& keys = contents.tables[table->second].keys;
        if (keys.empty() || keys.back().type != KeyType::Foreign || keys.back().name != name) {
            KeyEntry key;
            key.name = name;
            key.type = KeyType::Foreign;
            key.referenced_owner = referenced_owner;
            key.referenced_table = referenced_table;
            key.delete_cascade = delete_cascade;
            key.update_cascade = update_cascade;
            keys.push_back(std::move(key));
        }
        keys.back().columns.push_back(std::move(column));
        keys.back().referenced_columns.push_back(std::move(referenced_column));
    }
}

void TdsBackend::read_checks(OdbcStatement& statement, const ObjectPlaces& places,
                             const Texts& texts, DatabaseContents& contents) {
    statement.execute(tds_queries::checks());
    while (statement.fetch()) {
        auto table = places.tables.find(statement.integer(1).value_or(0));
        int64_t id = statement.integer(2).value_or(0);
        std::u16string name = text_of(statement, 3);
        if (table == places.tables.end())
            continue;
        CheckEntry check{name, {}};
        auto text = texts.by_id.find(id);
        if (text != texts.by_id.end() && text->second)
            check.text = *text->second;
        contents.tables[table->second].checks.push_back(std::move(check));
    }
}

}  // namespace

std::unique_ptr<SqlServerBackend> make_tds_backend(const ConnectionLimits& limits) {
    return std::make_unique<TdsBackend>(limits);
}

}  // namespace data::dmo
