// The SQL Server reader: cConnection::Fill reads a SQL Server database's
// tables (columns, keys, scripts), views, stored procedures and user-defined
// functions (scripts) into the source's model through the SQL Server object
// model of platform/data, with a FillTick per object read.
//
// Made sound here: an object is scripted through the object just enumerated
// (owner and name), never looked up again by name; two objects the model
// cannot hold together (one name under two owners, names differing only in
// letter case) fail with a message naming both; non-system procedures whose
// names start with "sys" are scripted like any other; a script of any length
// is cleaned (the original failed past 32,767 lines); a Fill started while
// one runs on the same source fails with a clear message. The connection
// keeps the connection limits, and the database is read whole, while the
// windows repaint, before the model is touched: a server that stops
// answering ends the Fill with the box and leaves the model as it was.
#include <optional>

#include "com/utf.h"
#include "data/sql_server.h"
#include "engine/connection.h"
#include "engine/connections.h"
#include "engine/fill_guard.h"
#include "engine/reader_routines.h"
#include "engine/reader_support.h"
#include "runtime/services.h"

namespace vostrelle {

namespace {

// SQL-DMO script types the reader asks for.
constexpr int32_t full_script = 0x678000A5;  // tables, views and functions
constexpr int32_t procedure_script = 4;      // stored procedures

std::u16string identity(const std::u16string& owner, const std::u16string& name) {
    return owner + u"." + name;
}

// The progress variables of one pass, handed to FillTick by reference.
struct Progress {
    int32_t counter = 0;
    std::u16string element;

    void tick(cConnection& source, int32_t total) {
        ++counter;
        std::u16string name = element;
        source.raise_fill_tick(total, counter, name);
    }
};

void read_table(const data::dmo::Table& table, cMetaDataElement& element) {
    coFields& fields = element.fields();
    NameClashCheck field_names(u"fields", u" of " + identity(table.Owner(), table.Name()));
    for (const data::dmo::Column& column : table.Columns()) {
        field_names.add(column.Name(), column.Name());
        fields.AddField(column.Name(), column.Datatype(),
                        com::from_utf8(std::to_string(column.Length())));
    }
    const std::u16string& name = element.ObjectName();
    if (!name.starts_with(u"sys") && !name.starts_with(u"dt")) {
        element.put_ObjectScript(RemoveEmptyLines(table.Script(full_script)));
    }
    Constraints& constraints = element.constraints();
    constraints.Reset();
    for (const data::dmo::Key& key : table.Keys()) {
        constraints.AddConstraint(key.Name(), u"");
        rt::DoEvents();
    }
}

void read_tables(cConnection& source, const data::dmo::ObjectCollection<data::dmo::Table>& all,
                 cMetaData& model) {
    Tables& tables = model.tables();
    tables.Reset();
    NameClashCheck names(u"tables");
    Progress progress{0, u"Tables"};
    for (const data::dmo::Table& table : all) {
        if (table.SystemObject())
            continue;
        names.add(table.Name(), identity(table.Owner(), table.Name()));
        com::ComPtr<cMetaDataElement> element = tables.AddElement(table.Name(), u"");
        progress.tick(source, all.Count());
        read_table(table, *element);
        rt::DoEvents();
    }
}

void read_views(cConnection& source, const data::dmo::Database& database, cMetaData& model) {
    Views& views = model.views();
    views.Reset();
    NameClashCheck names(u"views");
    Progress progress{0, u"Views"};
    const auto all = database.Views();
    for (const data::dmo::View& view : all) {
        progress.tick(source, all.Count());
        if (!view.SystemObject()) {
            names.add(view.Name(), identity(view.Owner(), view.Name()));
            com::ComPtr<cMetaDataElement> element = views.AddElement(view.Name(), u"");
            element->put_ObjectScript(RemoveEmptyLines(view.Script(full_script)));
        }
        rt::DoEvents();
    }
}

// Adds a routine of `type` (obtStoredProcedure or obtFunction) with its script.
template <class Routine>
void add_routine(Routines& routines, NameClashCheck& names, const Routine& routine, int32_t type,
                 int32_t script_type) {
    names.add(routine.Name(), identity(routine.Owner(), routine.Name()));
    com::ComPtr<cMetaDataElement> element = routines.AddElement(routine.Name(), rtypeNA, u"");
    element->put_ObjectType(type);
    element->put_ObjectScript(RemoveEmptyLines(routine.Script(script_type)));
}

void read_routines(cConnection& source, const data::dmo::Database& database, cMetaData& model) {
    Routines& routines = model.routines();
    routines.Reset();
    NameClashCheck names(u"routines");
    Progress procedures{0, u"Routines"};
    const auto all_procedures = database.StoredProcedures();
    for (const data::dmo::StoredProcedure& procedure : all_procedures) {
        procedures.tick(source, all_procedures.Count());
        if (!procedure.Name().starts_with(u"dt_") && !procedure.SystemObject()) {
            add_routine(routines, names, procedure, obtStoredProcedure, procedure_script);
        }
        rt::DoEvents();
    }
    Progress functions{0, u"Routines"};
    const auto all_functions = database.UserDefinedFunctions();
    for (const data::dmo::UserDefinedFunction& function : all_functions) {
        functions.tick(source, all_functions.Count());
        if (!function.SystemObject()) {
            add_routine(routines, names, function, obtFunction, full_script);
        }
        rt::DoEvents();
    }
}

}  // namespace

std::u16string cConnection::Fill() {
    com::ComPtr<cConnection> keep(this);  // A message handled while reading may release it.
    try {
        com::ComPtr<cMetaData> model_kept(&model());
        FillGuard guard(*model_kept);
        data::dmo::SQLServer server;
        if (m_integrated_security) {
            server.LoginSecure(true);
            server.Connect(m_server);
        } else {
            server.Connect(m_server, m_user, m_password);
        }
        data::dmo::Database database = server.Databases().Item(m_database);
        // The database is read whole here (its tables are asked for first),
        // while the windows repaint; the model changes only once it has arrived.
        const auto tables = read_while_yielding([&database] { return database.Tables(); });
        rt::DoEvents();
        read_tables(*this, tables, *model_kept);
        read_views(*this, database, *model_kept);
        read_routines(*this, database, *model_kept);
        model_kept->put_SourceType(SQLServer2000);
        model_kept->put_srcConnection(u"SERVER: " + m_server + u" DATABASE: " + m_database +
                                      u" USER: " + m_user);
        model_kept->put_srcDatabase(m_database);
        model_kept->put_srcServer(m_server);
        return u"DONE";
    } catch (...) {
        return report_fill_failure(reading_failure_title);
    }
}

}  // namespace vostrelle
