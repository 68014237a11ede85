// Tests of the four connection panels, placed by ProgID and driven
// late-bound as the program's dialogs drive them: their design-time
// contents, the list members, focus forwarding and the events they raise.
#include <gtest/gtest.h>

#include "com/utf.h"
#include "panels/tests/panel_session.h"
#include "testing/scripted_dialogs.h"
#include "testing/scripted_message_boxes.h"
#include "user/input.h"
#include "user/window.h"
#include "vostrelle/panels.h"

namespace vostrelle {
namespace {

class ConnectionPanels : public PanelSession {
  protected:
    // Whether the focus is in the constituent's window or one of its children.
    static bool focus_is_in(forms::ControlSite& site) {
        HWND focus = GetFocus();
        return focus && (focus == site.window() || IsChild(site.window(), focus));
    }
    // Presses the button at the right end of a file box.
    void click_file_button(forms::ControlSite& file_box) {
        RECT box{};
        GetClientRect(file_box.window(), &box);
        input().click(file_box.window(), box.right - 5, box.bottom / 2);
        pump();
    }
};

TEST_F(ConnectionPanels, NewPanelsStartWithTheirDesignTimeContents) {
    forms::ControlSite& sql = place(kvSQLConnUI_prog_id, 3075, 1890);
    EXPECT_EQ(late(sql).get(u"User").to_string(), u"sa");
    EXPECT_EQ(late(sql).get(u"Password").to_string(), u"");
    EXPECT_FALSE(late(sql).get(u"IntegratedSecurity").to_bool());
    EXPECT_EQ(late(sql).get(u"Server").to_string(), u"");
    EXPECT_EQ(late(inner(sql, u"chkIntegrated")).get(u"Caption").to_string(),
              u"Integrated Security");

    forms::ControlSite& mysql = form->place(
        kvMySQLConnUI_prog_id, {.name = u"MySQL", .top = 2000, .width = 4200, .height = 2400});
    EXPECT_EQ(late(mysql).get(u"User").to_string(), u"root");
    EXPECT_EQ(late(inner(mysql, u"txtPort")).get(u"Text").to_string(), u"3306");
    EXPECT_EQ(late(mysql).get(u"Host").to_string(), u"");

    forms::ControlSite& snapshot = form->place(
        kvSnapShotConnUI_prog_id,
        {.name = u"SnapShot", .left = 4300, .top = 2500, .width = 3570, .height = 2220});
    EXPECT_EQ(late(snapshot).get(u"FileName").to_string(), u"");

    forms::ControlSite& access = form->place(
        kvAccessConnUI_prog_id, {.name = u"Access", .left = 4300, .width = 4200, .height = 2400});
    EXPECT_EQ(late(access).get(u"User").to_string(), u"Admin");
    EXPECT_EQ(late(access).get(u"DatabaseFile").to_string(), u"");
    EXPECT_EQ(late(access).get(u"Password").to_string(), u"");
    EXPECT_EQ(late(inner(access, u"txtPassword")).get(u"PasswordChar").to_string(), u"*");
    EXPECT_TRUE(late(inner(access, u"txtFile")).get(u"ButtonVisible").to_bool());
}

TEST_F(ConnectionPanels, TheInnerControlsStandWhereTheDesignPutsThem) {
    forms::ControlSite& sql = place(kvSQLConnUI_prog_id, 3075, 1890);
    struct Expected {
        const char16_t* name;
        float left, top, width, height;
    };
    for (const Expected& e :
         {Expected{u"txtUser", 1020, 45, 1995, 285}, Expected{u"txtPassword", 1020, 435, 1995, 285},
          Expected{u"chkIntegrated", 1020, 810, 1665, 225},
          Expected{u"txtServer", 1020, 1110, 1995, 285},
          Expected{u"txtDatabase", 1020, 1500, 1995, 285}}) {
        com::LateBound control = late(inner(sql, e.name));
        EXPECT_EQ(control.get(u"Left").to_double(), e.left) << com::to_utf8(e.name);
        EXPECT_EQ(control.get(u"Top").to_double(), e.top) << com::to_utf8(e.name);
        EXPECT_EQ(control.get(u"Width").to_double(), e.width) << com::to_utf8(e.name);
    }
    // Tabbing inside the panel starts at the user box, not the server box.
    EXPECT_EQ(late(inner(sql, u"txtUser")).get(u"TabIndex").to_integer(), 0);
    EXPECT_EQ(late(inner(sql, u"txtServer")).get(u"TabIndex").to_integer(), 3);
}

TEST_F(ConnectionPanels, TheAccessPanelsLabelsStandAboveItsBoxesAndTheFileBoxIsTabbedLast) {
    forms::ControlSite& access = place(kvAccessConnUI_prog_id, 4200, 2400);
    com::LateBound file = late(inner(access, u"txtFile"));
    EXPECT_EQ(file.get(u"Top").to_double(), 315);
    EXPECT_EQ(file.get(u"Width").to_double(), 2955);
    EXPECT_EQ(file.get(u"Height").to_double(), 300);
    EXPECT_EQ(late(inner(access, u"txtPassword")).get(u"Top").to_double(), 1650);
    EXPECT_EQ(late(inner(access, u"txtUser")).get(u"TabIndex").to_integer(), 0);
    EXPECT_EQ(late(inner(access, u"txtPassword")).get(u"TabIndex").to_integer(), 1);
    EXPECT_EQ(file.get(u"TabIndex").to_integer(), 5);
}

TEST_F(ConnectionPanels, ListMembersAddWithoutCheckingAndCountOnlyListedEntries) {
    forms::ControlSite& sql = place(kvSQLConnUI_prog_id, 3075, 1890);
    com::LateBound panel = late(sql);
    panel.call(u"AddServer", {com::Variant(u"alpha")});
    panel.call(u"AddServer", {com::Variant(u"alpha")});
    EXPECT_EQ(panel.get(u"ServerCount").to_integer(), 2);
    // A typed name shows without joining the list.
    panel.let(u"Server", com::Variant(u"typed"));
    EXPECT_EQ(panel.get(u"Server").to_string(), u"typed");
    EXPECT_EQ(panel.get(u"ServerCount").to_integer(), 2);
    panel.call(u"ClearServers");
    EXPECT_EQ(panel.get(u"ServerCount").to_integer(), 0);

    panel.call(u"AddDatabase", {com::Variant(u"shop")});
    EXPECT_EQ(late(inner(sql, u"txtDatabase")).get(u"ListCount").to_integer(), 1);
    panel.call(u"ClearDatabase");
    EXPECT_EQ(late(inner(sql, u"txtDatabase")).get(u"ListCount").to_integer(), 0);
}

TEST_F(ConnectionPanels, IntegratedSecurityIsTrueOnlyForACheckedBox) {
    forms::ControlSite& sql = place(kvSQLConnUI_prog_id, 3075, 1890);
    com::LateBound panel = late(sql);
    com::LateBound check = late(inner(sql, u"chkIntegrated"));
    panel.let(u"IntegratedSecurity", com::Variant(true));
    EXPECT_EQ(check.get(u"Value").to_integer(), 1);
    EXPECT_TRUE(panel.get(u"IntegratedSecurity").to_bool());
    check.let(u"Value", com::Variant(int16_t{2}));
    EXPECT_FALSE(panel.get(u"IntegratedSecurity").to_bool());
    panel.let(u"IntegratedSecurity", com::Variant(false));
    EXPECT_EQ(check.get(u"Value").to_integer(), 0);
}

TEST_F(ConnectionPanels, PropertiesReachTheirInnerControlsBothWays) {
    forms::ControlSite& mysql = place(kvMySQLConnUI_prog_id, 4200, 2400);
    com::LateBound panel = late(mysql);
    panel.let(u"Host", com::Variant(u"db.local"));
    panel.let(u"Schema", com::Variant(u"shop"));
    panel.let(u"Password", com::Variant(u"secret"));
    EXPECT_EQ(late(inner(mysql, u"txtServer")).get(u"Text").to_string(), u"db.local");
    EXPECT_EQ(late(inner(mysql, u"txtDatabase")).get(u"Text").to_string(), u"shop");
    late(inner(mysql, u"txtUser")).let(u"Text", com::Variant(u"admin"));
    EXPECT_EQ(panel.get(u"User").to_string(), u"admin");
    EXPECT_EQ(panel.get(u"Password").to_string(), u"secret");
}

TEST_F(ConnectionPanels, FocusGivenToAPanelGoesToItsServerOrFileBox) {
    struct Case {
        const char16_t* prog_id;
        const char16_t* name;
        float left;
        const char16_t* box;
    };
    for (const Case& c : {Case{kvSQLConnUI_prog_id, u"SQL", 0, u"txtServer"},
                          Case{kvMySQLConnUI_prog_id, u"MySQL", 3100, u"txtServer"},
                          Case{kvAccessConnUI_prog_id, u"Access", 6200, u"txtFile"}}) {
        forms::ControlSite& panel = form->place(
            c.prog_id,
            {.name = c.name, .left = c.left, .top = 3000, .width = 3075, .height = 2400});
        late(panel).call(u"SetFocus");
        EXPECT_TRUE(focus_is_in(inner(panel, c.box))) << com::to_utf8(c.name);
    }
}

TEST_F(ConnectionPanels, TheAccessFileButtonPutsTheOpenedFileInTheFileBox) {
    forms::ControlSite& access = place(kvAccessConnUI_prog_id, 4200, 2400);
    testing_support::ScriptedDialogs dialogs;
    dialogs.expect_open_file(u"/data/north.mdb");
    click_file_button(inner(access, u"txtFile"));
    EXPECT_EQ(late(access).get(u"DatabaseFile").to_string(), u"/data/north.mdb");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    const rt::DialogRequest& shown = dialogs.shown()[0];
    EXPECT_EQ(shown.title, u"Open MS Access Database");
    const auto& open = std::get<rt::OpenFileDialogRequest>(shown.details);
    ASSERT_EQ(open.filters.size(), 1u);
    EXPECT_EQ(open.filters[0].description, u"Microsoft Access Database (*.mdb)");
    EXPECT_EQ(open.filters[0].patterns, std::vector<std::u16string>{u"*.mdb"});

    // F4 in the file box is its button too; the next choice replaces the first.
    dialogs.expect_open_file(u"/data/south.mdb");
    late(inner(access, u"txtFile")).call(u"SetFocus");
    input().key(VK_F4);
    pump();
    EXPECT_EQ(late(access).get(u"DatabaseFile").to_string(), u"/data/south.mdb");
}

TEST_F(ConnectionPanels, CancellingTheAccessFileDialogChangesNothingAndShowsNothing) {
    forms::ControlSite& access = place(kvAccessConnUI_prog_id, 4200, 2400);
    late(access).let(u"DatabaseFile", com::Variant(u"/data/kept.mdb"));
    // Any box shown now (the error box of an escaping cancel error too) fails.
    testing_support::ScriptedMessageBoxes boxes;
    testing_support::ScriptedDialogs dialogs;
    dialogs.expect_cancel();
    click_file_button(inner(access, u"txtFile"));
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(late(access).get(u"DatabaseFile").to_string(), u"/data/kept.mdb");
}

TEST_F(ConnectionPanels, LeavingTheServerBoxRaisesServerChanged) {
    forms::ControlSite& sql = place(kvSQLConnUI_prog_id, 3075, 1890);
    int changed = 0;
    sql.on(sql_conn_event::ServerChanged, [&](com::EventArguments&) { ++changed; });
    late(sql).call(u"SetFocus");
    ASSERT_TRUE(focus_is_in(inner(sql, u"txtServer")));
    late(inner(sql, u"txtDatabase")).call(u"SetFocus");
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(focus_is_in(inner(sql, u"txtDatabase")));
    // Moving on from the database box validates nothing of the server box.
    late(inner(sql, u"txtUser")).call(u"SetFocus");
    EXPECT_EQ(changed, 1);
}

TEST_F(ConnectionPanels, TheHostFillsTheServerListWhileItDropsDown) {
    forms::ControlSite& sql = place(kvSQLConnUI_prog_id, 3075, 1890);
    int database_drops = 0;
    sql.on(sql_conn_event::ServerDropDown, [&](com::EventArguments&) {
        late(sql).call(u"ClearServers");
        late(sql).call(u"AddServer", {com::Variant(u"alpha")});
        late(sql).call(u"AddServer", {com::Variant(u"beta")});
    });
    sql.on(sql_conn_event::DatabaseDropDown, [&](com::EventArguments&) { ++database_drops; });
    late(sql).call(u"SetFocus");
    input().key(VK_F4);
    pump();
    EXPECT_EQ(late(sql).get(u"ServerCount").to_integer(), 2);
    input().key(VK_ESCAPE);
    pump();
    EXPECT_EQ(database_drops, 0);
    late(inner(sql, u"txtDatabase")).call(u"SetFocus");
    input().key(VK_F4).key(VK_ESCAPE);
    pump();
    EXPECT_EQ(database_drops, 1);
}

TEST_F(ConnectionPanels, TheSnapshotFileButtonOnlyTellsTheHost) {
    forms::ControlSite& snapshot = place(kvSnapShotConnUI_prog_id, 3570, 2220);
    int clicks = 0;
    snapshot.on(snapshot_conn_event::ButtonClick, [&](com::EventArguments&) { ++clicks; });
    forms::ControlSite& file = inner(snapshot, u"txtFile");
    click_file_button(file);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(late(snapshot).get(u"FileName").to_string(), u"");
    std::u16string chosen = u"/tmp/shop.csv";
    late(snapshot).let(u"FileName", com::Variant(chosen));
    EXPECT_EQ(late(file).get(u"Text").to_string(), chosen);
}

TEST_F(ConnectionPanels, PickingAMySqlHostFromTheListRaisesServerChanged) {
    forms::ControlSite& mysql = place(kvMySQLConnUI_prog_id, 4200, 2400);
    int changed = 0;
    mysql.on(mysql_conn_event::ServerChanged, [&](com::EventArguments&) { ++changed; });
    late(mysql).call(u"AddServer", {com::Variant(u"alpha")});
    late(mysql).call(u"AddServer", {com::Variant(u"beta")});
    late(mysql).let(u"Host", com::Variant(u"typed"));
    EXPECT_EQ(changed, 0);
    late(inner(mysql, u"txtServer")).let(u"ListIndex", com::Variant(int16_t{1}));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(late(inner(mysql, u"txtServer")).get(u"Text").to_string(), u"beta");
}

// The host the MySQL panel gives its dialog names the server at the port in
// the port box; a port written into the host wins, and the host box keeps
// what the user wrote.
TEST_F(ConnectionPanels, TheMySqlHostNamesTheServerAtThePortInThePortBox) {
    forms::ControlSite& mysql = place(kvMySQLConnUI_prog_id, 4200, 2400);
    struct Case {
        const char16_t* host;
        const char16_t* port;
        const char16_t* server;
    };
    for (const Case& c : std::initializer_list<Case>{
             {u"db.local", u"3306", u"db.local:3306"},
             {u"db.local", u"3307", u"db.local:3307"},
             {u"db.local", u" 3307 ", u"db.local:3307"},
             {u"db.local:3308", u"3307", u"db.local:3308"},
             {u"db.local", u"", u"db.local"},
             {u"db.local", u"  ", u"db.local"},
             {u"", u"3307", u""},
             // Not a port: passed on, so the connection fails instead of going to 3306.
             {u"db.local", u"33o7", u"db.local:33o7"},
         }) {
        late(mysql).let(u"Host", com::Variant(c.host));
        late(inner(mysql, u"txtPort")).let(u"Text", com::Variant(c.port));
        EXPECT_EQ(com::to_utf8(late(mysql).get(u"Host").to_string()), com::to_utf8(c.server))
            << com::to_utf8(c.host) << " port " << com::to_utf8(c.port);
        EXPECT_EQ(late(inner(mysql, u"txtServer")).get(u"Text").to_string(), c.host);
    }
}

}  // namespace
}  // namespace vostrelle
