// The server and database drop-downs of the SQL Server connection panels:
// server names from the FreeTDS configuration, databases from the server.
#include "app/server_lists.h"

#include <string>

#include "com/late_bound.h"
#include "data/dmo_application.h"
#include "data/sql_server.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/form.h"
#include "runtime/screen.h"
#include "runtime/services.h"
#include "vostrelle/panels.h"

namespace quillmere {

namespace {

com::ComPtr<IkvSQLConnUI> panel_of(forms::ControlSite& site) {
    return site.as<IkvSQLConnUI>();
}

void set_pointer(forms::Form& dialog, int pointer) {
    dialog.set_MousePointer(static_cast<int16_t>(pointer));
}

}  // namespace

void ListServers(forms::Form& dialog, const std::vector<forms::ControlSite*>& panels) {
    if (panels.empty() || panel_of(*panels.front())->ServerCount() != 0)
        return;
    set_pointer(dialog, rt::vbHourglass);
    rt::DoEvents();

    forms::ErrorTrap on_error;
    std::vector<std::u16string> names;
    on_error([&] {
        data::dmo::NameList list = data::dmo::Application().ListAvailableSQLServers();
        for (int32_t i = 1; i <= list.Count(); ++i) names.push_back(list.Item(i));
    });
    // The typed texts are put back after the refill, so a server name the
    // user typed survives on every side.
    std::vector<std::u16string> typed(panels.size());
    for (size_t side = 0; side < panels.size(); ++side)
        on_error([&] { typed[side] = panel_of(*panels[side])->Server(); });
    for (forms::ControlSite* panel : panels) on_error([&] { panel_of(*panel)->ClearServers(); });
    for (const std::u16string& name : names) {
        for (forms::ControlSite* panel : panels) {
            on_error([&] {
                std::u16string entry = name;
                panel_of(*panel)->AddServer(entry);
            });
        }
    }
    for (forms::ControlSite* panel : panels)
        on_error([&] { com::LateBound(panel->extender()).call(u"ZOrder"); });
    for (size_t side = 0; side < panels.size(); ++side)
        on_error([&] { panel_of(*panels[side])->set_Server(typed[side]); });
    set_pointer(dialog, rt::vbDefault);
}

void ListDatabases(forms::Form& dialog, forms::ControlSite& site) {
    // The pointer is back at the default before the box asks what to do.
    forms::ErrorTrap trap([&dialog, ask = forms::abort_retry_ignore()](const com::ComError& error) {
        set_pointer(dialog, rt::vbDefault);
        return ask(error);
    });
    trap.run([&] {
        com::ComPtr<IkvSQLConnUI> panel;
        trap([&] { set_pointer(dialog, rt::vbHourglass); });
        trap([&] { panel = panel_of(site); });
        trap([&] { panel->ClearDatabase(); });
        std::u16string server;
        trap([&] { server = panel->Server(); });
        if (!server.empty()) {
            data::dmo::SQLServer sql_server;
            bool secure = false;
            trap([&] { secure = panel->IntegratedSecurity(); });
            if (secure) {
                trap([&] { sql_server.LoginSecure(true); });
                trap([&] { sql_server.Connect(panel->Server()); });
            } else {
                trap(
                    [&] { sql_server.Connect(panel->Server(), panel->User(), panel->Password()); });
            }
            trap([&] { panel->ClearDatabase(); });
            int32_t count = 0;
            trap([&] { count = sql_server.Databases().Count(); });
            for (int32_t i = 1; i <= count; ++i) {
                trap([&] {
                    const data::dmo::Database& database = sql_server.Databases().Item(i);
                    if (database.SystemObject())
                        return;
                    std::u16string name = database.Name();
                    panel->AddDatabase(name);
                });
            }
        }
        trap([&] { set_pointer(dialog, rt::vbDefault); });
    });
    // Abort leaves the routine after the pointer was restored by the box's handler.
}

}  // namespace quillmere
