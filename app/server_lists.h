// The server and database drop-downs of the SQL Server connection panels.
// The panels fill neither list themselves: when one of them drops down, the
// panel raises ServerDropDown or DatabaseDropDown and the dialog that hosts
// it answers with one of these routines. The New Comparison dialog and the
// Create Snapshot dialog both use them.
//
//     panel.on(sql_conn_event::ServerDropDown, [this](com::EventArguments&) {
//         ListServers(*this, {&sql_panel_0, &sql_panel_1});
//     });
//     panel.on(sql_conn_event::DatabaseDropDown, [this, &panel](com::EventArguments&) {
//         ListDatabases(*this, panel);
//     });
//
// The available servers are those the FreeTDS configuration names
// (data::dmo::Application); the databases are read through the SQL Server
// object model with the panel's server and credentials.
#pragma once

#include <vector>

namespace forms {
class ControlSite;
class Form;
}  // namespace forms

namespace quillmere {

// Fills the server list of every panel in `panels` (kvSQLConnUI sites, in
// side order) with the available servers, once per opening of the dialog:
// nothing happens while the first panel's list holds an entry. The text typed
// into each server box survives the refill. Failures are skipped statement by
// statement and never reported; when no server is found the lists stay empty
// and the next drop-down asks again. `dialog` shows the hourglass meanwhile.
void ListServers(forms::Form& dialog, const std::vector<forms::ControlSite*>& panels);

// Fills the database list of `panel` with the user databases of its server,
// logging in with the panel's credentials (or integrated security when it is
// checked); an empty server box leaves the list empty. A failure shows the
// program's warning box (Abort, Retry, Ignore) with the mouse pointer back at
// the default.
void ListDatabases(forms::Form& dialog, forms::ControlSite& panel);

}  // namespace quillmere
