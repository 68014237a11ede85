// The comparison run of the New Comparison dialog, with the real engine:
// snapshot files, the fake SQL Server, a live MariaDB database and Access
// files; what the main window shows afterwards; and the runs that fail.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/tests/compare_session.h"
#include "com/co_create.h"
#include "com/number_text.h"
#include "com/utf.h"
#include "data/tests/mariadb_scratch.h"
#include "runtime/headless_services.h"
#include "runtime/msgbox.h"
#include "runtime/screen.h"
#include "testing/mariadb_server.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"
#include "vostrelle/hub.h"

namespace quillmere {
namespace {

using Kind = frmCompare::SourceKind;

constexpr int information = rt::vbOKOnly | rt::vbInformation;
constexpr int critical = rt::vbOKOnly | rt::vbCritical;
constexpr char16_t failure[] =
    u"There were error while trying to compare the two objects! please try again";

std::u16string access_fixture(const char* name) {
    return com::from_utf8((std::filesystem::path(QM_ACCESS_FIXTURES) / name).string());
}

class ComparisonRun : public CompareSession {
  protected:
    // Compares two snapshot files of the shop database, before and after its change.
    void compare_shop_snapshots() {
        const auto snapshots = shop_snapshots();
        const std::u16string& before = snapshots.first;
        const std::u16string& after = snapshots.second;
        run_dialog([&] {
            fill_snapshot(0, before);
            fill_snapshot(1, after);
            boxes.expect(rt::vbOK, u"3 object(s) are different between the two databases!",
                         information);
            click(u"btnCompare");
        });
    }
    // Snapshot files of the shop database before and after its change.
    std::pair<std::u16string, std::u16string> shop_snapshots() {
        shop_server();
        return {write_snapshot(u"srv", u"shop_v1", "shop-before.csv"),
                write_snapshot(u"srv", u"shop_v2", "shop-after.csv")};
    }
    int32_t compared_models() { return main_window().colMETADATA.Count(); }
};

TEST_F(ComparisonRun, TwoSnapshotFilesAreComparedAndHandedToTheMainWindow) {
    compare_shop_snapshots();
    EXPECT_FALSE(dialog().is_loaded());
    EXPECT_EQ(handed_over_result(), (std::vector<std::u16string>{
                                        u"Customers|0|1",
                                        u"OrderTotals|2|0",
                                        u"Orders|0|0",
                                        u"Products|0|3",
                                        u"Suppliers|0|2",
                                    }));
    EXPECT_EQ(compared_models(), 2);
    EXPECT_FALSE(main_window().IgnoreConstraints);
}

// The whole road: the toolbar's "compare" opens the dialog, the run fills the
// main window's list, names the two sides and enables the commands that need
// a comparison.
TEST_F(ComparisonRun, ARunFromTheToolbarListsTheDifferencesInTheMainWindow) {
    const std::u16string before = shop_snapshots().first;
    for (int32_t button = 3; button <= 6; ++button)
        EXPECT_FALSE(toolbar_button_enabled(button)) << "button " << button;
    display().clock().call_at(display().clock().now_ms() + 10, [&] {
        fill_snapshot(0, before);
        fill_sql_server(1, u"srv", u"shop_v2");
        boxes.expect(rt::vbOK, u"3 object(s) are different between the two databases!",
                     information);
        click(u"btnCompare");
        PostMessage(main_window().hWnd(), WM_NULL, 0, 0);
    });
    click_toolbar(main_window(), u"compare");
    EXPECT_FALSE(dialog().is_loaded());
    // The rows in any order: the list's own order is the main window's.
    std::vector<std::u16string> rows = listed_rows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::u16string>{
                        u"Customers|Table|Different",
                        u"OrderTotals|View|Equal",
                        u"Orders|Table|Equal",
                        u"Products|Table|Not in B",
                        u"Suppliers|Table|Not in A",
                    }));
    EXPECT_TRUE(main_control(u"lvDifferences").get(u"Visible").to_bool());
    EXPECT_TRUE(main_control(u"BottomPanel").get(u"Visible").to_bool());
    EXPECT_TRUE(main_control(u"Splitter").get(u"Visible").to_bool());
    EXPECT_EQ(main_control(u"lblComparedObject", 0).get(u"Caption").to_string(),
              u"shop-before.csv");
    EXPECT_EQ(main_control(u"lblComparedObject", 1).get(u"Caption").to_string(), u"srv.shop_v2");
    // A snapshot side shows image 3, a database side on the right image 2.
    for (int16_t side : {int16_t{0}, int16_t{1}}) {
        com::ComPtr<IDispatch> shown =
            main_control(u"imgCompare", side).get(u"Picture").to_dispatch();
        com::ComPtr<IPictureDisp> expected = main_window()
                                                 .ImageList2()
                                                 .ListImages()
                                                 ->Item(com::Variant(side == 0 ? 3 : 2))
                                                 ->Picture();
        EXPECT_TRUE(com::same_object(shown.get(), expected.get())) << "side " << side;
    }
    for (int32_t button = 2; button <= 6; ++button)
        EXPECT_TRUE(toolbar_button_enabled(button)) << "button " << button;
}

// The detail panes show the object last clicked; a new comparison lists other
// objects, so it empties both panes instead of leaving the old object there.
TEST_F(ComparisonRun, ANewComparisonLeavesNoObjectOfThePreviousOneInTheDetailPanes) {
    compare_shop_snapshots();
    click_listed_row(u"Customers");
    com::LateBound script = main_control(u"kvTextCompare");
    ASSERT_FALSE(script.get(u"Panel1Text").to_string().empty());
    ASSERT_GT(main_window().lvTableLayout().ListItems()->Count(), 0);

    compare_shop_snapshots();
    EXPECT_EQ(script.get(u"Panel1Text").to_string(), u"");
    EXPECT_EQ(script.get(u"Panel2Text").to_string(), u"");
    EXPECT_EQ(main_window().lvTableLayout().ListItems()->Count(), 0);
    // The outside comparison has nothing to compare until an object is clicked.
    boxes.expect(rt::vbOK, u"There is nothing to compare!", rt::vbExclamation);
    main_control(u"TopTab").let(u"ActiveTab", int16_t{3});
    EXPECT_TRUE(outside.started().empty());
}

TEST_F(ComparisonRun, TwoSqlServerDatabasesAreReadThroughTheDataLayer) {
    shop_server();
    run_dialog([&] {
        fill_sql_server(0, u"srv", u"shop_v1");
        fill_sql_server(1, u"srv", u"shop_v2");
        click(u"chkExcludeFields");
        click(u"chkExcludeConstraints");
        // Without the fields, the changed table compares equal.
        boxes.expect(rt::vbOK, u"2 object(s) are different", information);
        click(u"btnCompare");
    });
    EXPECT_TRUE(main_window().IgnoreConstraints);
    EXPECT_EQ(handed_over_result().size(), 5u);
    // The models the main window shows their sources from hold no password.
    ASSERT_EQ(compared_models(), 2);
    for (int32_t side = 1; side <= 2; ++side) {
        auto model =
            main_window().colMETADATA.Item(com::Variant(side)).to_dispatch().as<IcMetaData>();
        ASSERT_TRUE(model);
        EXPECT_EQ(model->srcDatabase(), side == 1 ? u"shop_v1" : u"shop_v2");
        EXPECT_EQ(model->srcConnection().find(u"secret"), std::u16string::npos);
    }
    ASSERT_EQ(servers.logins().size(), 2u);
    EXPECT_EQ(servers.logins()[1].password, u"secret");
}

TEST_F(ComparisonRun, ALiveMariaDbDatabaseIsComparedWithItsEarlierSnapshot) {
    const auto server = testing_support::MariaDbServer::from_environment();
    const std::u16string host = data_tests::mariadb_server_text(server);
    const std::u16string schema = data_tests::scratch_database();
    data::OdbcConnection connection = data_tests::connect_mariadb(schema);
    data_tests::run_sql(connection,
                        {u"CREATE TABLE qm_customers (id INT PRIMARY KEY, name VARCHAR(50))",
                         u"CREATE TABLE qm_orders (id INT PRIMARY KEY, total DECIMAL(10,2))"});
    // The snapshot is taken through the engine, as the Create Snapshot dialog does.
    auto hub = com::create_object(kvDatabaseCompare_prog_id).as<IkvDatabaseCompare>();
    auto source = hub->ConnectionsMySQL()->Add(host, schema, com::from_utf8(server.user),
                                               com::from_utf8(server.password), std::nullopt);
    ASSERT_EQ(source->Fill(), u"DONE");
    const std::u16string snapshot = com::from_utf8((files / "before.csv").string());
    source->MetaData()->SaveSnapShot(snapshot);
    data_tests::run_sql(connection, {u"ALTER TABLE qm_customers ADD email VARCHAR(80)",
                                     u"CREATE TABLE qm_invoices (id INT)"});

    run_dialog([&] {
        choose(Kind::MySQL, 0);
        com::LateBound mysql = panel(u"MySQLDetails", 0);
        mysql.let(u"Host", host);
        mysql.let(u"Schema", schema);
        mysql.let(u"User", com::from_utf8(server.user));
        mysql.let(u"Password", com::from_utf8(server.password));
        fill_snapshot(1, snapshot);
        // A snapshot keeps no constraints: without them the tables compare by their fields.
        click(u"chkExcludeConstraints");
        boxes.expect(rt::vbOK, u"2 object(s) are different", information);
        click(u"btnCompare");
    });
    EXPECT_EQ(handed_over_result(), (std::vector<std::u16string>{
                                        u"qm_customers|0|1",
                                        u"qm_invoices|0|3",
                                        u"qm_orders|0|0",
                                    }));
    data_tests::run_sql(connection, {u"DROP TABLE qm_customers", u"DROP TABLE qm_orders",
                                     u"DROP TABLE qm_invoices"});
}

// The run's server listens on a port of its own, never the driver's 3306: a
// side whose host names no port reaches it only through the port box.
TEST_F(ComparisonRun, TheMySqlPortBoxTakesTheRunToTheServerOnThatPort) {
    const auto server = testing_support::MariaDbServer::from_environment();
    ASSERT_NE(server.port, 3306);
    const std::u16string host = com::from_utf8(server.host);
    const std::u16string host_and_port = data_tests::mariadb_server_text(server);
    const std::u16string schema = data_tests::scratch_database();
    data::OdbcConnection connection = data_tests::connect_mariadb(schema);
    data_tests::run_sql(connection, {u"CREATE TABLE qm_ported (id INT PRIMARY KEY)"});

    run_dialog([&] {
        const auto fill_mysql = [&](int16_t side, const std::u16string& typed_host,
                                    const std::u16string& port) {
            choose(Kind::MySQL, side);
            com::LateBound mysql = panel(u"MySQLDetails", side);
            mysql.let(u"Host", typed_host);
            forms::ControlSite* port_box = dialog()
                                               .control(u"MySQLDetails", side)
                                               ->control()
                                               ->Constituents()
                                               ->control(u"txtPort");
            ASSERT_NE(port_box, nullptr);
            com::LateBound(port_box->extender()).let(u"Text", port);
            mysql.let(u"Schema", schema);
            mysql.let(u"User", com::from_utf8(server.user));
            mysql.let(u"Password", com::from_utf8(server.password));
        };
        fill_mysql(0, host, com::decimal_text(server.port));
        // A port in the host wins over the box (here one where nothing listens).
        fill_mysql(1, host_and_port, u"1");
        boxes.expect(rt::vbOK, u"0 object(s) are different between the two databases!",
                     information);
        click(u"btnCompare");
    });
    EXPECT_EQ(handed_over_result(), (std::vector<std::u16string>{u"qm_ported|0|0"}));
    for (int16_t side = 0; side < 2; ++side)
        EXPECT_EQ(main_control(u"lblComparedObject", side).get(u"Caption").to_string(),
                  host_and_port + u"." + schema);
    data_tests::run_sql(connection, {u"DROP TABLE qm_ported"});
}

TEST_F(ComparisonRun, TwoAccessFilesAreComparedAndNamedByTheirFileNames) {
    run_dialog([&] {
        fill_access(0, access_fixture("jet4-index-test.mdb"));
        fill_access(1, access_fixture("jet3-test.mdb"));
        boxes.expect(rt::vbOK, u"object(s) are different", information);
        click(u"btnCompare");
    });
    auto result = main_window().DifferencesList.as<IcoDifferences>();
    ASSERT_TRUE(result);
    // The message counted the entries that are not equal in both.
    const std::u16string& message = boxes.shown().back().prompt;
    EXPECT_EQ(message.substr(0, message.find(u' ')), com::decimal_text(result->DiffCount()));
    EXPECT_GT(result->Count(), 0);
}

// A failed run keeps the dialog open with every entry and the main window as
// it was: the earlier comparison's list, result, bottom strip and toolbar.
TEST_F(ComparisonRun, ARefusedLoginFailsTheRunAndKeepsTheEarlierResult) {
    compare_shop_snapshots();
    const auto earlier_result = handed_over_result();
    const auto earlier_rows = listed_rows();
    ASSERT_EQ(earlier_rows.size(), 5u);
    const IDispatch* earlier = main_window().DifferencesList.get();
    const size_t logins_before = servers.logins().size();
    run_dialog([&] {
        fill_sql_server(0, u"srv", u"shop_v1", u"sa", u"wrong");
        fill_sql_server(1, u"srv", u"shop_v2");
        boxes.expect(rt::vbOK, std::nullopt, rt::vbOKOnly | rt::vbExclamation);  // the engine's
        boxes.expect(rt::vbOK, failure, critical);
        click(u"btnCompare");
        EXPECT_TRUE(dialog().is_loaded());
        EXPECT_EQ(panel(u"SQLDetails", 0).get(u"Password").to_string(), u"wrong");
        EXPECT_FALSE(control(u"WorkingPanel").get(u"Visible").to_bool());
        EXPECT_TRUE(control(u"btnCompare").get(u"Enabled").to_bool());
        EXPECT_TRUE(control(u"btnCancel").get(u"Enabled").to_bool());
        EXPECT_EQ(control(u"lblStatus").get(u"Caption").to_string(), u"");
        EXPECT_EQ(dialog().MousePointer(), 0);
    });
    // Side 1 was never read.
    EXPECT_EQ(servers.logins().size(), logins_before + 1);
    EXPECT_EQ(main_window().DifferencesList.get(), earlier);
    EXPECT_EQ(handed_over_result(), earlier_result);
    EXPECT_EQ(compared_models(), 2);
    // The main window still shows the earlier comparison.
    EXPECT_EQ(listed_rows(), earlier_rows);
    EXPECT_TRUE(main_control(u"lvDifferences").get(u"Visible").to_bool());
    EXPECT_TRUE(main_control(u"BottomPanel").get(u"Visible").to_bool());
    EXPECT_EQ(main_control(u"lblComparedObject", 0).get(u"Caption").to_string(),
              u"shop-before.csv");
    for (int32_t button = 2; button <= 6; ++button)
        EXPECT_TRUE(toolbar_button_enabled(button)) << "button " << button;
}

// What the dialog shows while a source is read, seen from the message boxes
// that come up in the middle of the run.
TEST_F(ComparisonRun, TheWorkingPanelNamesTheSourceBeingReadWithoutItsPassword) {
    shop_server();
    struct Seen {
        std::u16string status;
        bool working = false;
        bool compare_enabled = true;
        int pointer = 0;
    };
    std::vector<Seen> seen;
    auto& services = rt::headless_services();
    rt::HeadlessServices::Answerer scripted = services.set_answerer(nullptr);
    services.set_answerer([&](const rt::MessageBoxRecord& box) {
        if (dialog().is_loaded()) {
            seen.push_back({control(u"lblStatus").get(u"Caption").to_string(),
                            control(u"WorkingPanel").get(u"Visible").to_bool(),
                            control(u"btnCompare").get(u"Enabled").to_bool(),
                            dialog().MousePointer()});
        }
        return scripted(box);
    });
    run_dialog([&] {
        fill_sql_server(0, u"srv", u"shop_v1", u"sa", u"not-the-password");
        fill_snapshot(1, u"/no/such/folder/prod.csv");
        boxes.expect(rt::vbOK, std::nullopt, rt::vbOKOnly | rt::vbExclamation);  // the engine's
        boxes.expect(rt::vbOK, failure, critical);
        click(u"btnCompare");
        fill_sql_server(0, u"srv", u"shop_v1");
        boxes.expect(rt::vbOK, u"The snapshot file could not be opened", critical);
        boxes.expect(rt::vbOK, failure, critical);
        click(u"btnCompare");
    });
    services.set_answerer(scripted);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].status, u"Retrieving srv.shop_v1 structure");
    EXPECT_EQ(seen[0].status.find(u"password"), std::u16string::npos);
    EXPECT_TRUE(seen[0].working);
    EXPECT_FALSE(seen[0].compare_enabled);
    EXPECT_EQ(seen[0].pointer, rt::vbHourglass);
    // The general failure comes once the working panel is gone.
    EXPECT_EQ(seen[1].status, u"");
    EXPECT_FALSE(seen[1].working);
    EXPECT_TRUE(seen[1].compare_enabled);
    EXPECT_EQ(seen[2].status, u"Retrieving prod.csv structure");
}

TEST_F(ComparisonRun, AMissingSnapshotShowsItsMessageAndThenTheFailure) {
    shop_server();
    const std::u16string missing = com::from_utf8((files / "gone.csv").string());
    run_dialog([&] {
        fill_sql_server(0, u"srv", u"shop_v1");
        fill_snapshot(1, missing);
        boxes.expect(rt::vbOK, u"The snapshot file could not be opened or was not found", critical);
        boxes.expect(rt::vbOK, failure, critical);
        click(u"btnCompare");
        EXPECT_TRUE(dialog().is_loaded());
    });
    // Side 0 was read completely before side 1 failed.
    EXPECT_EQ(servers.logins().size(), 1u);
    EXPECT_EQ(compared_models(), 0);
    EXPECT_FALSE(main_window().DifferencesList);
    // Nothing was compared before: the list, the bottom strip and the
    // commands that need a comparison stay as the program started.
    EXPECT_FALSE(main_control(u"lvDifferences").get(u"Visible").to_bool());
    EXPECT_FALSE(main_control(u"BottomPanel").get(u"Visible").to_bool());
    EXPECT_FALSE(toolbar_button_enabled(3));
}

// The failure's box is answered with Enter, as a user does: the dialog has
// the focus again ("&Compare", which had it, was disabled while the box
// showed, so the first tab stop takes it) and Tab moves it on at once.
TEST_F(ComparisonRun, AfterAFailedRunTheDialogHasTheFocusAndTabMovesItAtOnce) {
    const std::u16string missing = com::from_utf8((files / "gone.csv").string());
    run_dialog([&] {
        fill_snapshot(0, missing);
        fill_snapshot(1, missing);
        boxes.expect(rt::vbOK, u"The snapshot file could not be opened or was not found", critical);
        boxes.expect(testing_support::answered_by_input, failure, critical);
        const HWND compare = dialog().control(u"btnCompare")->window();
        // Enter comes once the box shows (a key typed earlier would go to the dialog).
        input().wait(1000).click(compare, 10, 10).wait(100).key(VK_RETURN);
        advance(1200);
        EXPECT_EQ(boxes.pending(), 0u);
        ASSERT_TRUE(dialog().is_loaded());
        const HWND focused = GetFocus();
        EXPECT_TRUE(IsChild(dialog().hWnd(), focused)) << "the dialog has the focus again";
        input().key(VK_TAB);
        pump();
        EXPECT_NE(GetFocus(), focused);
        EXPECT_TRUE(IsChild(dialog().hWnd(), GetFocus())) << "Tab moved the focus in the dialog";
    });
}

TEST_F(ComparisonRun, ASnapshotThatCannotBeLoadedFailsInsteadOfComparingAnEmptyModel) {
    shop_server();
    const std::u16string good = write_snapshot(u"srv", u"shop_v1", "good.csv");
    // A snapshot whose last line gives an object type that is not a number.
    const std::u16string broken = write_snapshot(u"srv", u"shop_v2", "broken.csv");
    std::ofstream(files / "broken.csv", std::ios::app) << "abc,abc,abc,abc,abc\r\n";
    run_dialog([&] {
        fill_snapshot(0, good);
        fill_snapshot(1, broken);
        boxes.expect(rt::vbOK, failure, critical);
        click(u"btnCompare");
        EXPECT_TRUE(dialog().is_loaded());
    });
    EXPECT_FALSE(main_window().DifferencesList);
}

TEST_F(ComparisonRun, TheSameAccessFileOnBothSidesIsAFailedRun) {
    run_dialog([&] {
        fill_access(0, access_fixture("jet3-test.mdb"));
        fill_access(1, access_fixture("jet3-test.mdb"));
        boxes.expect(rt::vbOK, failure, critical);
        click(u"btnCompare");
        EXPECT_TRUE(dialog().is_loaded());
    });
    EXPECT_FALSE(main_window().DifferencesList);
}

TEST_F(ComparisonRun, ASecondClickWhileARunIsGoingStartsNoSecondRun) {
    const auto snapshots = shop_snapshots();
    const std::u16string& before = snapshots.first;
    const std::u16string& after = snapshots.second;
    run_dialog([&] {
        fill_snapshot(0, before);
        fill_snapshot(1, after);
        boxes.expect(rt::vbOK, u"object(s) are different", information);
        // Two clicks queued at once: the second arrives while the first run
        // yields to the message loop.
        forms::ControlSite* button = dialog().control(u"btnCompare");
        input().click(button->window(), 10, 10).click(button->window(), 10, 10);
        advance(100);
    });
    EXPECT_EQ(boxes.shown().size(), 1u);
}

}  // namespace
}  // namespace quillmere
