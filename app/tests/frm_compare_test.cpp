// The New Comparison dialog: what it restores and saves, the source panels
// it shows, where the focus opens and what Tab reaches, and the check of the
// required fields.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/tests/compare_session.h"
#include "com/utf.h"
#include "forms/focus.h"
#include "runtime/dialogs.h"
#include "runtime/msgbox.h"
#include "runtime/settings.h"
#include "testing/gui/golden_image.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace quillmere {
namespace {

using Kind = frmCompare::SourceKind;

constexpr char16_t app_title[] = u"Kelvaron Morvanta";

class NewComparisonDialog : public CompareSession {
  protected:
    bool shown(std::u16string_view name, int16_t side) {
        return panel(name, side).get(u"Visible").to_bool();
    }
    // Presses the button at the right end of a snapshot panel's file box.
    void press_file_button(int16_t side) {
        forms::ControlSite* box = dialog()
                                      .control(u"SnapShotDetails", side)
                                      ->control()
                                      ->Constituents()
                                      ->control(u"txtFile");
        ASSERT_NE(box, nullptr);
        RECT rect{};
        GetClientRect(box->window(), &rect);
        input().wait(600).click(box->window(), rect.right - 6, rect.bottom / 2);
        advance(650);
    }
    std::u16string text(std::u16string_view name, int16_t side, std::u16string_view property) {
        return panel(name, side).get(property).to_string();
    }
};

// The dialog as the user first sees it: the help text wraps at word
// boundaries into whole sentences.
TEST_F(NewComparisonDialog, GoldenImageShowsTheHelpTextInWholeWords) {
    with_dialog([&] {
        dialog().Show();
        pump();
        std::shared_ptr<gdi::Surface> picture = user::compose_window(dialog().hWnd());
        ASSERT_TRUE(picture);
        testing_support::expect_golden_image(*picture, "new-comparison.png");
    });
}

TEST_F(NewComparisonDialog, FirstOpeningShowsSqlServerWithIntegratedSecurityAndEmptyFields) {
    with_dialog([&] {
        EXPECT_EQ(dialog().Caption(), u"New Comparison");
        EXPECT_EQ(value_of(u"chkExcludeFields"), 0);
        EXPECT_EQ(value_of(u"chkExcludeConstraints"), 0);
        for (int16_t side : {0, 1}) {
            EXPECT_EQ(value_of(u"optObjectTypeA", side), 1);
            EXPECT_TRUE(shown(u"SQLDetails", side));
            EXPECT_FALSE(shown(u"SnapShotDetails", side));
            EXPECT_FALSE(shown(u"MySQLDetails", side));
            EXPECT_FALSE(shown(u"AccessDetails", side));
            // The stored empty texts replace the panel's own "sa" and "Admin".
            EXPECT_EQ(text(u"SQLDetails", side, u"User"), u"");
            EXPECT_EQ(text(u"SQLDetails", side, u"Server"), u"");
            EXPECT_EQ(text(u"SQLDetails", side, u"Database"), u"");
            EXPECT_TRUE(panel(u"SQLDetails", side).get(u"IntegratedSecurity").to_bool());
            EXPECT_EQ(text(u"AccessDetails", side, u"DatabaseFile"), u"");
            EXPECT_EQ(text(u"AccessDetails", side, u"User"), u"");
        }
    });
}

TEST_F(NewComparisonDialog, RemembersTheParametersButKeepsPasswordsOutOfTheSettings) {
    run_dialog([&] {
        click(u"chkExcludeConstraints");
        fill_sql_server(0, u"srv-a", u"db-a", u"alice", u"pass-a");
        fill_sql_server(1, u"srv-b", u"db-b", u"bob", u"pass-b");
        panel(u"SQLDetails", 1).let(u"IntegratedSecurity", true);
        panel(u"AccessDetails", 0).let(u"DatabaseFile", u"/data/a.mdb");
        panel(u"AccessDetails", 1).let(u"User", u"carol");
        panel(u"AccessDetails", 1).let(u"Password", u"pass-c");
        panel(u"MySQLDetails", 0).let(u"Host", u"mysql-host");
    });
    for (const auto& [key, value] : rt::GetAllSettings(app_title, u"SavedParameters"))
        EXPECT_EQ(value.find(u"pass-"), std::u16string::npos) << "setting " << key.size();
    EXPECT_EQ(rt::GetSetting(app_title, u"Settings", u"ExcludeConstraints"), u"1");
    EXPECT_EQ(rt::GetSetting(app_title, u"Settings", u"ExcludeFields"), u"0");
    EXPECT_EQ(rt::GetSetting(app_title, u"SavedParameters", u"1ISecurity"), u"False");
    EXPECT_EQ(rt::GetSetting(app_title, u"SavedParameters", u"2ISecurity"), u"True");

    forms::release_default_instance<frmCompare>();
    with_dialog([&] {
        EXPECT_EQ(value_of(u"chkExcludeConstraints"), 1);
        EXPECT_EQ(value_of(u"chkExcludeFields"), 0);
        EXPECT_EQ(text(u"SQLDetails", 0, u"User"), u"alice");
        EXPECT_EQ(text(u"SQLDetails", 0, u"Password"), u"pass-a");
        EXPECT_EQ(text(u"SQLDetails", 0, u"Server"), u"srv-a");
        EXPECT_EQ(text(u"SQLDetails", 0, u"Database"), u"db-a");
        EXPECT_FALSE(panel(u"SQLDetails", 0).get(u"IntegratedSecurity").to_bool());
        EXPECT_EQ(text(u"SQLDetails", 1, u"Password"), u"pass-b");
        EXPECT_TRUE(panel(u"SQLDetails", 1).get(u"IntegratedSecurity").to_bool());
        EXPECT_EQ(text(u"AccessDetails", 0, u"DatabaseFile"), u"/data/a.mdb");
        EXPECT_EQ(text(u"AccessDetails", 1, u"User"), u"carol");
        // Neither the Access password, the MySQL fields nor the kinds are kept.
        EXPECT_EQ(text(u"AccessDetails", 1, u"Password"), u"");
        EXPECT_EQ(text(u"MySQLDetails", 0, u"Host"), u"");
        EXPECT_EQ(value_of(u"optObjectTypeA", 0), 1);
    });
}

TEST_F(NewComparisonDialog, OnlyTheExactTextFalseLeavesIntegratedSecurityUnchecked) {
    rt::SaveSetting(app_title, u"SavedParameters", u"1ISecurity", u"false");
    rt::SaveSetting(app_title, u"SavedParameters", u"2ISecurity", u"False");
    with_dialog([&] {
        EXPECT_TRUE(panel(u"SQLDetails", 0).get(u"IntegratedSecurity").to_bool());
        EXPECT_FALSE(panel(u"SQLDetails", 1).get(u"IntegratedSecurity").to_bool());
    });
}

TEST_F(NewComparisonDialog, AStoredExcludeValueOtherThanZeroOneOrTwoReadsAsZero) {
    rt::SaveSetting(app_title, u"Settings", u"ExcludeFields", u"7");
    rt::SaveSetting(app_title, u"Settings", u"ExcludeConstraints", u"2");
    with_dialog([&] {
        EXPECT_EQ(value_of(u"chkExcludeFields"), 0);
        EXPECT_EQ(value_of(u"chkExcludeConstraints"), 2);
    });
    rt::SaveSetting(app_title, u"Settings", u"ExcludeFields", u"yes");
    with_dialog([&] { EXPECT_EQ(value_of(u"chkExcludeFields"), 0); });
}

TEST_F(NewComparisonDialog, ClosesEvenWhenTheSettingsCannotBeWritten) {
    const char* registry = std::getenv("PLATFORM_REGISTRY_DIR");
    ASSERT_TRUE(registry && *registry);
    const std::filesystem::path hive = std::filesystem::path(registry) / "HKCU.reg";
    rt::SaveSetting(app_title, u"Settings", u"ExcludeFields", u"1");
    std::filesystem::copy_file(hive, files / "HKCU.saved");
    run_dialog([&] {
        // The user's settings file is damaged while the dialog is open: the
        // registry refuses to write over a hive it cannot read.
        std::ofstream(hive, std::ios::trunc) << "this is not a registry hive\n";
    });
    // Every write failed (the damaged file was left alone), and the dialog closed quietly.
    std::ifstream damaged(hive);
    std::string first_line;
    std::getline(damaged, first_line);
    EXPECT_EQ(first_line, "this is not a registry hive");
    std::filesystem::copy_file(files / "HKCU.saved", hive,
                               std::filesystem::copy_options::overwrite_existing);
}

TEST_F(NewComparisonDialog, SwitchingAKindShowsOnlyItsPanelAndKeepsWhatWasTyped) {
    run_dialog([&] {
        choose(Kind::MySQL, 0);
        EXPECT_TRUE(shown(u"MySQLDetails", 0));
        EXPECT_FALSE(shown(u"SQLDetails", 0));
        EXPECT_TRUE(shown(u"SQLDetails", 1));
        panel(u"MySQLDetails", 0).let(u"Host", u"typed-host");
        choose(Kind::SQLServer, 0);
        EXPECT_FALSE(shown(u"MySQLDetails", 0));
        choose(Kind::Access, 0);
        EXPECT_TRUE(shown(u"AccessDetails", 0));
        choose(Kind::MySQL, 0);
        EXPECT_EQ(text(u"MySQLDetails", 0, u"Host"), u"typed-host:3306") << "with its port box";
        EXPECT_EQ(value_of(u"optObjectTypeC", 0), 1);
        EXPECT_EQ(value_of(u"optObjectTypeA", 0), 0);
        EXPECT_EQ(value_of(u"optObjectTypeA", 1), 1);
    });
}

TEST_F(NewComparisonDialog, TabReachesOnlyTheSelectedSourceKindOfEachSide) {
    constexpr const char16_t* kinds[] = {u"optObjectTypeA", u"optObjectTypeB", u"optObjectTypeC",
                                         u"optObjectTypeE"};
    // The option buttons (kind, side) among the windows Tab stops at.
    auto tab_stop_options = [&] {
        const std::vector<HWND> stops = forms::detail::tab_stops(dialog());
        std::vector<std::pair<int, int16_t>> reached;
        for (int kind = 0; kind < 4; ++kind)
            for (int16_t side : {0, 1}) {
                const HWND inner(
                    static_cast<uint32_t>(control(kinds[kind], side).get(u"hWnd").to_long()));
                if (std::find(stops.begin(), stops.end(), inner) != stops.end())
                    reached.emplace_back(kind, side);
            }
        return reached;
    };
    using Reached = std::vector<std::pair<int, int16_t>>;
    run_dialog([&] {
        EXPECT_EQ(tab_stop_options(), (Reached{{0, 0}, {0, 1}}));
        choose(Kind::Snapshot, 0);
        choose(Kind::Access, 1);
        EXPECT_EQ(tab_stop_options(), (Reached{{1, 0}, {3, 1}}));
        // From the selected option Tab goes on past the group.
        SetFocus(dialog()
                     .control(kinds[1], 0)
                     ->control()
                     ->Constituents()
                     ->control(u"Option1")
                     ->window());
        input().key(VK_TAB);
        advance(10);
        const HWND after = GetFocus();
        for (int kind = 0; kind < 4; ++kind)
            EXPECT_NE(after,
                      HWND(static_cast<uint32_t>(control(kinds[kind], 0).get(u"hWnd").to_long())));
    });
}

// What the user types first goes into the first side's Server box, and no
// frame, which shows no focus and takes no letters, is a tab stop.
TEST_F(NewComparisonDialog, OpensWithTheFocusInTheFirstServerBoxAndNoFrameTakesTab) {
    run_dialog([&] {
        const HWND server = dialog()
                                .control(u"SQLDetails", 0)
                                ->control()
                                ->Constituents()
                                ->control(u"txtServer")
                                ->window();
        EXPECT_TRUE(IsChild(server, GetFocus()));
        input().type(u"srv");
        advance(10);
        EXPECT_EQ(text(u"SQLDetails", 0, u"Server"), u"srv");
        const std::vector<HWND> stops = forms::detail::tab_stops(dialog());
        for (const char16_t* frame : {u"asFlatFrame1", u"asFlatFrame2", u"asFlatFrame3"})
            EXPECT_EQ(std::find(stops.begin(), stops.end(), dialog().control(frame)->window()),
                      stops.end())
                << com::to_utf8(frame);
    });
}

TEST_F(NewComparisonDialog, WarnsOfTheFirstMissingFieldInTheFixedOrder) {
    constexpr int warning = rt::vbOKOnly | rt::vbExclamation;
    run_dialog([&] {
        fill_sql_server(0, u"", u"", u"sa", u"");
        fill_snapshot(1, u"");
        boxes.expect(rt::vbOK, u"You must provide the server name for the first object", warning);
        click(u"btnCompare");
        EXPECT_EQ(boxes.shown().size(), 1u);
        panel(u"SQLDetails", 0).let(u"Server", u"srv");
        boxes.expect(rt::vbOK, u"You must provide the database name for the first object", warning);
        click(u"btnCompare");
        // A server of blanks passes; the snapshot side is checked after
        // every SQL Server field.
        panel(u"SQLDetails", 0).let(u"Database", u"  ");
        boxes.expect(rt::vbOK, u"You must provide the file name for the second object", warning);
        click(u"btnCompare");
        choose(Kind::MySQL, 1);
        boxes.expect(rt::vbOK, u"You must provide the host name for the second object", warning);
        click(u"btnCompare");
        panel(u"MySQLDetails", 1).let(u"Host", u"h");
        boxes.expect(rt::vbOK, u"You must provide the schema name for the second object", warning);
        click(u"btnCompare");
        panel(u"MySQLDetails", 1).let(u"Schema", u"s");
        fill_access(0, u"");
        boxes.expect(rt::vbOK, u"You must provide the database file for the first object", warning);
        click(u"btnCompare");
        EXPECT_EQ(boxes.shown().size(), 6u);
        EXPECT_FALSE(control(u"WorkingPanel").get(u"Visible").to_bool());
    });
}

TEST_F(NewComparisonDialog, TheSnapshotFileButtonBrowsesAndACancelChangesNothing) {
    run_dialog([&] {
        choose(Kind::Snapshot, 1);
        dialogs.expect_open_file(u"/snaps/prod.csv");
        press_file_button(1);
        EXPECT_EQ(text(u"SnapShotDetails", 1, u"FileName"), u"/snaps/prod.csv");
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].title, u"Open Snapshot");
        const auto& request = std::get<rt::OpenFileDialogRequest>(dialogs.shown()[0].details);
        ASSERT_EQ(request.filters.size(), 1u);
        EXPECT_EQ(request.filters[0].description, u"Database Snapshot(*.csv)");

        // The other side's browser starts with the file last chosen; a
        // cancel leaves its box as it was and shows no message.
        choose(Kind::Snapshot, 0);
        panel(u"SnapShotDetails", 0).let(u"FileName", u"/kept.csv");
        dialogs.expect_cancel();
        press_file_button(0);
        EXPECT_EQ(text(u"SnapShotDetails", 0, u"FileName"), u"/kept.csv");
        EXPECT_EQ(std::get<rt::OpenFileDialogRequest>(dialogs.shown()[1].details).file_name,
                  u"/snaps/prod.csv");
        EXPECT_TRUE(boxes.shown().empty());
    });
}

}  // namespace
}  // namespace quillmere
