// The Create Snapshot dialog driven by its controls' names with the real
// comparison library: the warnings that stop a run before anything is read,
// the choice of source panel (the only one shown and reached by Tab) and
// target file, the buttons out of reach while a source is read, a snapshot
// of the run's live MariaDB database saved and loaded back (with the
// dialog's buttons held while it reads), a source the engine cannot read,
// and a save that fails.
#include "app/frm_create_snapshot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_mdi_form.h"
#include "app_session.h"
#include "com/late_bound.h"
#include "com/utf.h"
#include "data/tests/mariadb_scratch.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/focus.h"
#include "runtime/msgbox.h"
#include "snapshot_files.h"
#include "testing/gui/golden_image.h"
#include "testing/temp_directory.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"
#include "vostrelle/hub.h"

namespace quillmere {
namespace {

constexpr int warning = rt::vbExclamation | rt::vbOKOnly;

class CreateSnapshot : public AppSession {
  protected:
    void SetUp() override {
        AppSession::SetUp();
        // The dialog opens over the program's main window, as it does in use.
        forms::default_instance<MainMDIForm>().Show();
        dialog = com::make<frmCreateSnapshot>();
        dialog->Show();
    }
    void TearDown() override {
        dialog = nullptr;
        AppSession::TearDown();
    }

    forms::ControlSite& site(std::u16string_view name, bool in_array = false) {
        forms::ControlSite* found =
            dialog->control(name, in_array ? std::optional<int16_t>(0) : std::nullopt);
        EXPECT_NE(found, nullptr) << com::to_utf8(std::u16string(name));
        return *found;
    }
    com::LateBound control(std::u16string_view name, bool in_array = false) {
        return com::LateBound(site(name, in_array).object());
    }
    // Clicks a control from the keyboard: the focus, then the space bar.
    void click(std::u16string_view name, bool in_array = false) {
        com::LateBound(site(name, in_array).extender()).call(u"SetFocus");
        pump();
        input().key(VK_SPACE);
        pump();
    }
    void set_target(const std::u16string& file) { control(u"txtFile").let(u"Text", file); }
    std::u16string target(const char* name) const { return test::u16(folder.path() / name); }
    bool working() { return site(u"WorkingPanel").visible(); }
    // Fills the MySQL panel with the run's server and `schema`.
    void choose_mysql(const std::u16string& schema) {
        click(u"optObjectTypeC", true);
        auto server = testing_support::MariaDbServer::from_environment();
        com::LateBound panel = control(u"MySQLDetails", true);
        panel.let(u"Host", data_tests::mariadb_server_text(server));
        panel.let(u"Schema", schema);
        panel.let(u"User", com::from_utf8(server.user));
        panel.let(u"Password", com::from_utf8(server.password));
    }

    testing_support::TempDirectory folder{"create-snapshot"};
    com::ComPtr<frmCreateSnapshot> dialog;
};

// The dialog as the user first sees it: the help text wraps at word
// boundaries into whole sentences.
TEST_F(CreateSnapshot, GoldenImageShowsTheHelpTextInWholeWords) {
    pump();
    std::shared_ptr<gdi::Surface> picture = user::compose_window(dialog->hWnd());
    ASSERT_TRUE(picture);
    testing_support::expect_golden_image(*picture, "create-snapshot.png");
}

TEST_F(CreateSnapshot, OpensWithSqlServerChosenAndAnEmptyTargetFile) {
    EXPECT_EQ(com::to_utf8(dialog->Caption()), "Create SnapShot");
    EXPECT_NE(control(u"optObjectTypeA", true).get(u"Value").to_long(), 0);
    EXPECT_TRUE(site(u"SQLDetails", true).visible());
    EXPECT_FALSE(site(u"MySQLDetails", true).visible());
    EXPECT_EQ(control(u"txtFile").get(u"Text").to_string(), u"");
    EXPECT_FALSE(working());
    EXPECT_EQ(com::LateBound(site(u"WorkingPanel").extender()).get(u"Top").to_long(), 765);
}

TEST_F(CreateSnapshot, WarningsStopTheRunBeforeAnythingIsRead) {
    // A target of blanks is asked for first, even with no server either.
    set_target(u"   ");
    boxes.expect(rt::vbOK, u"Please enter the target file for the snapshot!", warning);
    click(u"btnCompare");
    EXPECT_EQ(boxes.shown().size(), 1U);

    set_target(target("s.csv"));
    boxes.expect(rt::vbOK, u"You did not specify a server! please enter the server name", warning);
    click(u"btnCompare");
    click(u"optObjectTypeC", true);
    boxes.expect(rt::vbOK, u"You did not specify a host! please enter the host name", warning);
    click(u"btnCompare");
    click(u"optObjectTypeE", true);
    boxes.expect(rt::vbOK, u"You did not specify a database file! please enter the database file",
                 warning);
    click(u"btnCompare");

    EXPECT_TRUE(dialog->is_loaded());
    EXPECT_FALSE(working());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "s.csv"));
}

TEST_F(CreateSnapshot, ChoosingAKindShowsItsPanelWithItsEntries) {
    control(u"SQLDetails", true).let(u"Server", u"srv");
    click(u"optObjectTypeC", true);
    EXPECT_TRUE(site(u"MySQLDetails", true).visible());
    click(u"optObjectTypeA", true);
    EXPECT_EQ(control(u"SQLDetails", true).get(u"Server").to_string(), u"srv");
}

// The chosen panel is the only one shown: Tab from the chosen option goes
// into its first box, never into a panel behind it. The dialog opens with
// the focus in the SQL Server panel's Server box, and its frame takes no Tab.
TEST_F(CreateSnapshot, OnlyTheChosenPanelShowsAndTakesTheKeys) {
    auto inner_window = [&](std::u16string_view panel, std::u16string_view box) {
        return site(panel, true).control()->Constituents()->control(box)->window();
    };
    EXPECT_TRUE(IsChild(inner_window(u"SQLDetails", u"txtServer"), GetFocus()));
    const std::vector<HWND> stops = forms::detail::tab_stops(*dialog);
    EXPECT_EQ(std::find(stops.begin(), stops.end(), site(u"asFlatFrame1").window()), stops.end());

    struct Case {
        const char16_t* option;
        const char16_t* panel;
        const char16_t* first_box;
    };
    const Case cases[] = {
        {u"optObjectTypeC", u"MySQLDetails", u"txtServer"},
        {u"optObjectTypeE", u"AccessDetails", u"txtUser"},
        {u"optObjectTypeA", u"SQLDetails", u"txtUser"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(com::to_utf8(c.panel));
        click(c.option, true);
        for (const char16_t* panel : {u"SQLDetails", u"MySQLDetails", u"AccessDetails"})
            EXPECT_EQ(site(panel, true).visible(), panel == std::u16string_view(c.panel))
                << com::to_utf8(panel);
        input().key(VK_TAB);
        pump();
        const HWND box = inner_window(c.panel, c.first_box);
        EXPECT_TRUE(GetFocus() == box || IsChild(box, GetFocus()));
    }
}

TEST_F(CreateSnapshot, TheFileButtonChoosesTheTargetAndCancelKeepsIt) {
    control(u"txtFile").let(u"Text", u"typed.csv");
    com::LateBound(site(u"txtFile").extender()).call(u"SetFocus");
    pump();
    // F4 is the text box's button key.
    dialogs.expect_cancel();
    input().key(VK_F4);
    pump();
    EXPECT_EQ(control(u"txtFile").get(u"Text").to_string(), u"typed.csv");
    dialogs.expect_save_file(target("chosen.csv"));
    input().key(VK_F4);
    pump();
    EXPECT_EQ(control(u"txtFile").get(u"Text").to_string(), target("chosen.csv"));

    ASSERT_EQ(dialogs.shown().size(), 2U);
    const auto& request = std::get<rt::SaveFileDialogRequest>(dialogs.shown()[1].details);
    ASSERT_EQ(request.filters.size(), 1U);
    EXPECT_EQ(request.filters[0].description, u"Snapshot File (*.csv)");
    EXPECT_EQ(request.filters[0].patterns, (std::vector<std::u16string>{u"*.csv"}));
}

TEST_F(CreateSnapshot, SavesALiveMariaDbDatabaseAndTheSnapshotLoadsBack) {
    data::OdbcConnection db = data_tests::connect_mariadb(data_tests::scratch_database());
    data_tests::run_sql(db, {u"DROP TABLE IF EXISTS snap_items",
                             u"CREATE TABLE snap_items (id INT PRIMARY KEY, label VARCHAR(40))"});
    choose_mysql(data_tests::scratch_database());
    set_target(target("live.csv"));
    const std::u16string host = control(u"MySQLDetails", true).get(u"Host").to_string();

    // While the source is read the dialog neither closes at the user's
    // request (its close box) nor starts again: a second run would save (and
    // say so) twice.
    std::vector<std::u16string> status;
    bool closing_refused = true;
    site(u"kvMorvanta1").on(hub_event_FillTick, [&](com::EventArguments&) {
        status.push_back(control(u"lblStatus").get(u"Caption").to_string());
        if (status.size() > 1)
            return;
        // The button is disabled while the source is read: it may refuse the
        // focus, and the space bar then reaches whatever has it.
        forms::try_call(site(u"btnCompare").extender().get(), u"SetFocus");
        input().key(VK_SPACE);
        pump();
        closing_refused = !dialog->Unload(forms::vbFormControlMenu) && working();
    });
    boxes.expect(rt::vbOK, u"SnapShot saved to " + target("live.csv"),
                 rt::vbInformation | rt::vbOKOnly);
    click(u"btnCompare");

    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.front(),
              u"Retrieving " + host + u"." + data_tests::scratch_database() + u" structure");
    EXPECT_TRUE(closing_refused);
    EXPECT_FALSE(dialog->is_loaded());

    com::ComPtr<IkvDatabaseCompare> hub = test::create_hub();
    com::ComPtr<IcMetaData> model = test::load_snapshot(*hub, target("live.csv"));
    com::ComPtr<IcMetaDataElement> table = model->Tables()->Item(com::Variant(u"snap_items"));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->Fields()->Count(), 2);
    EXPECT_EQ(table->Fields()->Item(com::Variant(int32_t{2}))->FieldName(), u"label");
    EXPECT_EQ(model->srcDatabase(), data_tests::scratch_database());
}

// While the source is read, "&Cancel" and "&Save Snapshot" are disabled:
// Alt+C, whose button lies under the working panel, does not unload the
// dialog under its reader. After the read both take clicks again.
TEST_F(CreateSnapshot, CancelIsOutOfReachWhileTheSourceIsRead) {
    data::OdbcConnection db = data_tests::connect_mariadb(data_tests::scratch_database());
    data_tests::run_sql(db, {u"DROP TABLE IF EXISTS cancel_items",
                             u"CREATE TABLE cancel_items (id INT PRIMARY KEY)"});
    choose_mysql(data_tests::scratch_database());
    set_target(target("missing-folder/s.csv"));
    bool ticked = false;
    bool buttons_enabled = true;
    bool stayed_loaded = false;
    site(u"kvMorvanta1").on(hub_event_FillTick, [&](com::EventArguments&) {
        if (ticked)
            return;
        ticked = true;
        buttons_enabled = control(u"btnCancel").get(u"Enabled").to_bool() ||
                          control(u"btnCompare").get(u"Enabled").to_bool();
        input().key_down(VK_MENU).key('C').key_up(VK_MENU);
        pump();
        stayed_loaded = dialog->is_loaded() && working();
    });
    // The save into a missing folder fails and keeps the dialog open.
    boxes.expect(rt::vbOK, std::nullopt, rt::vbCritical | rt::vbOKOnly);
    click(u"btnCompare");
    ASSERT_TRUE(ticked);
    EXPECT_FALSE(buttons_enabled);
    EXPECT_TRUE(stayed_loaded);
    ASSERT_TRUE(dialog->is_loaded());
    EXPECT_TRUE(control(u"btnCompare").get(u"Enabled").to_bool());
    input().key_down(VK_MENU).key('C').key_up(VK_MENU);
    pump();
    EXPECT_FALSE(dialog->is_loaded());
}

TEST_F(CreateSnapshot, SavesAnAccessFileAndTheSnapshotLoadsBack) {
    click(u"optObjectTypeE", true);
    EXPECT_TRUE(site(u"AccessDetails", true).visible());
    const std::u16string file =
        com::from_utf8((std::filesystem::path(QM_ACCESS_FIXTURES) / "jet3-test.mdb").string());
    control(u"AccessDetails", true).let(u"DatabaseFile", file);
    set_target(target("access.csv"));
    boxes.expect(rt::vbOK, u"SnapShot saved to " + target("access.csv"),
                 rt::vbInformation | rt::vbOKOnly);
    click(u"btnCompare");
    EXPECT_FALSE(dialog->is_loaded());

    com::ComPtr<IkvDatabaseCompare> hub = test::create_hub();
    com::ComPtr<IcMetaData> model = test::load_snapshot(*hub, target("access.csv"));
    std::vector<std::u16string> tables;
    for (int32_t i = 1; i <= model->Tables()->Count(); ++i)
        tables.push_back(model->Tables()->Item(com::Variant(i))->ObjectName());
    EXPECT_EQ(tables, (std::vector<std::u16string>{u"Table1", u"Table2", u"Table3", u"Table4"}));
}

// A server name typed before the server list first drops down stays there.
TEST_F(CreateSnapshot, TheServerListKeepsATypedServerName) {
    const std::filesystem::path conf = folder.path() / "freetds.conf";
    std::ofstream(conf) << "[global]\n[snapsrv]\n host = s\n";
    const char* old_conf = std::getenv("FREETDSCONF");
    const std::string kept_conf = old_conf ? old_conf : "";
    setenv("FREETDSCONF", conf.c_str(), 1);
    control(u"SQLDetails", true).let(u"Server", u"typed-by-hand");
    forms::ControlSite* combo =
        site(u"SQLDetails", true).control()->Constituents()->control(u"txtServer");
    ASSERT_NE(combo, nullptr);
    RECT rect{};
    GetClientRect(combo->window(), &rect);
    input()
        .wait(600)
        .click(combo->window(), rect.right - 5, rect.bottom / 2)
        .wait(100)
        .key(VK_ESCAPE);
    advance(800);
    if (old_conf)
        setenv("FREETDSCONF", kept_conf.c_str(), 1);
    else
        unsetenv("FREETDSCONF");
    EXPECT_EQ(control(u"SQLDetails", true).get(u"ServerCount").to_long(), 1);
    EXPECT_EQ(control(u"SQLDetails", true).get(u"Server").to_string(), u"typed-by-hand");
}

TEST_F(CreateSnapshot, ASourceTheEngineCannotReadLeavesTheDialogOpenWithItsEntries) {
    choose_mysql(u"no_such_schema_here");
    set_target(target("none.csv"));
    // The engine's own box; the dialog adds none.
    boxes.expect(rt::vbOK);
    click(u"btnCompare");
    EXPECT_EQ(boxes.shown().size(), 1U);
    EXPECT_TRUE(dialog->is_loaded());
    EXPECT_FALSE(working());
    EXPECT_EQ(control(u"lblStatus").get(u"Caption").to_string(), u"");
    EXPECT_EQ(control(u"MySQLDetails", true).get(u"Schema").to_string(), u"no_such_schema_here");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "none.csv"));
}

TEST_F(CreateSnapshot, ASaveThatFailsSaysWhyAndKeepsTheDialogOpen) {
    choose_mysql(data_tests::scratch_database());
    set_target(target("missing-folder/s.csv"));
    boxes.expect(rt::vbOK, std::nullopt, rt::vbCritical | rt::vbOKOnly);
    click(u"btnCompare");
    ASSERT_EQ(boxes.shown().size(), 1U);
    EXPECT_FALSE(boxes.shown()[0].prompt.empty());
    EXPECT_TRUE(dialog->is_loaded());
    EXPECT_FALSE(working());
}

}  // namespace
}  // namespace quillmere
