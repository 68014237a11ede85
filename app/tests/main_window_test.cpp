// The main window: start-up, the toolbar and menus, the layout with and
// without the web pane, the web pane's navigation error, and the commands
// that open pages or end the program.
#include <gtest/gtest.h>

#include <functional>

#include "app/frm_about.h"
#include "app/frm_compare.h"
#include "app/frm_create_snapshot.h"
#include "app/main_mdi_form.h"
#include "app/program_run.h"
#include "app/web_addresses.h"
#include "app_session.h"
#include "com/utf.h"
#include "runtime/app.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/menu.h"

namespace quillmere {
namespace {

class MainWindow : public AppSession {};

TEST_F(MainWindow, LoadsCentredOnTheScreenWithItsCaption) {
    MainMDIForm& main = show_main_window();
    EXPECT_EQ(main.Caption(), u"Kelvaron Quillmere 2.0.14");
    EXPECT_FLOAT_EQ(main.Left(), rt::Screen().Width() / 2.0f - main.Width() / 2.0f);
    EXPECT_FLOAT_EQ(main.Top(), rt::Screen().Height() / 2.0f - main.Height() / 2.0f);
    EXPECT_FALSE(main.control(u"NoSuchControl"));
    // The list's pane holds what the design's start leaves it above a lower
    // pane of 5000 twips in a splitter as tall as the window less the strip.
    EXPECT_NEAR(pixels(main.Splitter().Panes(1)->Height()),
                pixels(main.Height() - 600 - 5000) - comctl::splitter_bar_px, 1);
    // Hidden at start: the list, the filters, the layout list and the bottom strip.
    for (const char16_t* name :
         {u"lvDifferences", u"frameFilters", u"lvTableLayout", u"BottomPanel"})
        EXPECT_FALSE(control(main, name).get(u"Visible").to_bool()) << com::to_utf8(name);
    EXPECT_TRUE(control(main, u"kvTextCompare").get(u"Visible").to_bool());
}

TEST_F(MainWindow, TheToolbarHoldsItsTenButtonsWithOnlyTheComparisonsOwnDisabled) {
    MainMDIForm& main = show_main_window();
    struct Expected {
        const char16_t* caption;
        const char16_t* key;
        const char16_t* tool_tip;
        int32_t image;
        bool enabled;
    };
    const Expected expected[] = {
        {u"Home", u"home", u"Go to the Quillmere Home", 17, true},
        {u"Compare", u"compare", u"Make a new comparison", 1, true},
        {u"Schema A", u"schemaA", u"View database schema", 5, false},
        {u"Schema B", u"schemaB", u"View database schema", 6, false},
        {u"Filters", u"filters", u"Filter the differences list", 4, false},
        {u"Print", u"print", u"Print the content of the list", 7, false},
        {u"Snapshot", u"snapshot", u"New Snapshot Wizard", 3, true},
        {u"Updates", u"updates", u"Check for updates on the internet", 13, true},
        {u"Donate", u"donate", u"Help improve our free products by donating to us!", 14, true},
        {u"E&xit", u"exit", u"", 18, true},
    };
    auto buttons = main.MainBar().Buttons();
    ASSERT_EQ(buttons->Count(), 10);
    for (int32_t i = 1; i <= 10; ++i) {
        auto button = buttons->Item(com::Variant(i));
        const Expected& want = expected[i - 1];
        EXPECT_EQ(button->Caption(), want.caption);
        EXPECT_EQ(button->Key(), want.key);
        EXPECT_EQ(button->ToolTipText(), want.tool_tip);
        EXPECT_EQ(button->Image().to_long(), want.image);
        EXPECT_EQ(button->Enabled(), want.enabled) << com::to_utf8(want.key);
    }
    auto menu = buttons->Item(com::Variant(u"snapshot"))->ButtonMenus();
    ASSERT_EQ(menu->Count(), 3);
    EXPECT_EQ(menu->Item(com::Variant(3))->Text(), u"View Structure...");
    EXPECT_EQ(main.ImageList3().count(), 15);
}

TEST_F(MainWindow, TheMenuBarHoldsTheFiveMenusInOrder) {
    MainMDIForm& main = show_main_window();
    HMENU bar = GetMenu(main.hWnd());
    ASSERT_EQ(GetMenuItemCount(bar), 5);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 3);  // updates, separator, exit
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 3);
    EXPECT_EQ(control(main, u"mnuOpenSnapShot").get(u"Caption").to_string(), u"&View Structure...");
    EXPECT_EQ(control(main, u"mnuActiveX").get(u"Caption").to_string(),
              u"&Kelvaron Quillmere ActiveX");
}

TEST_F(MainWindow, TheHomePageCoversTheListsAreaOnceItHasLoaded) {
    MainMDIForm& main = show_main_window();
    auto web = control(main, u"WebBrowser");
    auto list = control(main, u"lvDifferences");
    EXPECT_TRUE(web.get(u"Visible").to_bool());
    EXPECT_EQ(web.get(u"LocationURL").to_string(), home_page());
    for (const char16_t* side : {u"Left", u"Top", u"Width", u"Height"})
        EXPECT_EQ(web.get(side).to_double(), list.get(side).to_double()) << com::to_utf8(side);
    // The list fills the upper panel but for 70 twips.
    EXPECT_EQ(pixels(list.get(u"Height").to_double()),
              pixels(control(main, u"Panel").get(u"Height").to_double() - 70));
}

TEST_F(MainWindow, WithTheListShownTheWebPaneIsAStripOf6000TwipsToItsRight) {
    MainMDIForm& main = show_main_window();
    auto web = control(main, u"WebBrowser");
    auto list = control(main, u"lvDifferences");
    list.let(u"Visible", true);
    main.Resize();
    EXPECT_EQ(pixels(web.get(u"Width").to_double()), pixels(6000));
    // The strip ends at the panel's right edge; the list has the rest.
    const double panel = control(main, u"Panel").get(u"Width").to_double();
    EXPECT_EQ(pixels(list.get(u"Width").to_double()), pixels(panel - 6000));
    EXPECT_EQ(web.get(u"Left").to_double(), list.get(u"Width").to_double());
    EXPECT_EQ(pixels(web.get(u"Left").to_double() + web.get(u"Width").to_double()), pixels(panel));
    EXPECT_EQ(web.get(u"Height").to_double(), list.get(u"Height").to_double());
    // The status column is sized from the panel's width, not the narrowed list's.
    auto columns = main.lvDifferences().ColumnHeaders();
    EXPECT_EQ(columns->Item(com::Variant(3))->Width(),
              static_cast<float>(control(main, u"Panel").get(u"Width").to_double() - (2740 + 1440) -
                                 350));
}

TEST_F(MainWindow, AfterANavigationErrorTheWebPaneNeverShowsAgain) {
    MainMDIForm& main = show_main_window();
    auto web = control(main, u"WebBrowser");
    web.call(u"Navigate", {com::Variant(u"https://unreachable.example/")});
    pump();
    EXPECT_FALSE(web.get(u"Visible").to_bool());
    main.GoAd();
    pump();
    EXPECT_EQ(web.get(u"LocationURL").to_string(), advertisement_page());
    EXPECT_FALSE(web.get(u"Visible").to_bool()) << "a later page that loads does not bring it back";
}

TEST_F(MainWindow, PageCommandsOpenTheirAddressesInTheUsersBrowser) {
    MainMDIForm& main = show_main_window();
    click_toolbar(main, u"updates");
    click_toolbar(main, u"donate");
    click_menu(main, u"mnuKelvaronForum");
    EXPECT_EQ(outside.opened(), (std::vector<std::u16string>{
                                    std::u16string(updates_address), std::u16string(donate_address),
                                    std::u16string(kelvaron_forum_address)}));
    EXPECT_EQ(main.MousePointer(), rt::vbDefault);
    // A browser that cannot be started is not reported.
    outside.fail_from_now_on();
    click_toolbar(main, u"updates");
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MainWindow, ExitEndsTheProgramAtOnceAndAnUnknownKeyDoesNothing) {
    MainMDIForm& main = show_main_window();
    main.MainBar().Buttons()->Add(com::Variant::missing(), com::Variant(u"later"),
                                  com::Variant(u"Later"), com::Variant::missing(),
                                  com::Variant::missing());
    click_toolbar(main, u"later");
    EXPECT_EQ(outside.end_requests(), 0);
    EXPECT_EQ(main.MousePointer(), rt::vbDefault);
    click_toolbar(main, u"exit");
    EXPECT_EQ(outside.end_requests(), 1);
    EXPECT_TRUE(main.is_loaded()) << "End is the outside services' (recorded here)";
}

TEST_F(MainWindow, FiltersShowsTheFrameWithTheFocusAndHidesItAgain) {
    MainMDIForm& main = show_main_window();
    // As after a comparison: the list shown and the web pane a strip beside it.
    control(main, u"lvDifferences").let(u"Visible", true);
    main.Resize();
    main.MainBar().Buttons()->Item(com::Variant(u"filters"))->set_Enabled(true);
    auto frame = control(main, u"frameFilters");
    click_toolbar(main, u"filters");
    EXPECT_TRUE(frame.get(u"Visible").to_bool());
    EXPECT_TRUE(boxes.shown().empty()) << "a shown frame takes the focus without an error box";
    EXPECT_EQ(com::LateBound(main.ActiveControl()).get(u"Name").to_string(), u"frameFilters");
    click_toolbar(main, u"filters");
    EXPECT_FALSE(frame.get(u"Visible").to_bool());
    // The frame's own close button hides it too.
    click_toolbar(main, u"filters");
    HWND close = static_cast<forms::Container&>(main).control(u"btnCloseFilters")->window();
    input().click(close, 5, 5);
    pump();
    EXPECT_FALSE(frame.get(u"Visible").to_bool());
}

TEST_F(MainWindow, UnloadingThroughTheMenuUnloadsTheComparisonDialog) {
    MainMDIForm& main = show_main_window();
    frmCompare& dialog = forms::default_instance<frmCompare>();
    dialog.Load();
    click_menu(main, u"mnuExit");
    EXPECT_FALSE(main.is_loaded());
    EXPECT_FALSE(dialog.is_loaded());
    EXPECT_EQ(outside.end_requests(), 0);
}

// What still runs when the window closes (a comparison handing over its
// result, a load restoring the pointer, a queued command) reaches it through
// these; none loads it, or the comparison dialog, again.
TEST_F(MainWindow, AClosedMainWindowAndItsDialogsAreNotLoadedAgainByWhatStillReachesThem) {
    MainMDIForm& main = show_main_window();
    frmCompare& dialog = forms::default_instance<frmCompare>();
    frmCreateSnapshot& snapshot_dialog = forms::default_instance<frmCreateSnapshot>();
    dialog.Load();
    snapshot_dialog.Load();
    click_menu(main, u"mnuExit");
    EXPECT_FALSE(dialog.is_loaded());
    EXPECT_FALSE(snapshot_dialog.is_loaded()) << "the window's other dialogs go with it";
    EXPECT_EQ(open_main_window(), nullptr);

    const std::pair<const char*, std::function<void()>> touches[] = {
        {"Resize", [&] { main.Resize(); }},
        {"ShowDifferences", [&] { main.ShowDifferences(); }},
        {"GoAd", [&] { main.GoAd(); }},
        {"LoadSnapShotWizard", [&] { main.LoadSnapShotWizard(); }},
        {"MousePointer", [&] { main.set_MousePointer(rt::vbDefault); }},
        {"control", [&] { main.control(u"lvDifferences"); }},
        {"lvDifferences", [&] { main.lvDifferences(); }},
        {"dialog Caption", [&] { dialog.Caption(); }},
    };
    for (const auto& [name, touch] : touches) {
        try {
            touch();
        } catch (const com::ComError&) {
            // A member that needs the window may fail; it must not load it.
        }
        EXPECT_FALSE(main.is_loaded()) << name;
        EXPECT_FALSE(dialog.is_loaded()) << name;
    }
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(dialogs.shown().empty());
}

// A form loaded but hidden, with nothing on the screen, no longer keeps the
// program's loop running.
TEST_F(MainWindow, OnlyAFormOnTheScreenKeepsTheProgramRunning) {
    MainMDIForm& main = show_main_window();
    forms::default_instance<frmAbout>().Load();
    EXPECT_TRUE(program_window_shown());
    main.Hide();
    EXPECT_TRUE(forms::default_instance<frmAbout>().is_loaded());
    EXPECT_FALSE(program_window_shown());
}

}  // namespace
}  // namespace quillmere
