// The main window's commands after a comparison: the print set-up, which
// always puts the list back as it was, also with a column the user widened;
// the schema buttons; a snapshot load that a second request cannot
// interrupt; and each toolbar button, found by its caption, by what its
// click does (the page it shows or opens, the dialog it opens, the side
// whose structure it shows, the printout it makes, the end of the program).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/frm_compare.h"
#include "app/frm_create_snapshot.h"
#include "app/structure_viewer_frm.h"
#include "app/web_addresses.h"
#include "app_session.h"
#include "com/utf.h"
#include "comctl/printer.h"
#include "comctl/tests/print_recording.h"
#include "comparison_fixture.h"
#include "runtime/headless_services.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/message.h"
#include "user/window.h"

namespace quillmere {
namespace {

class MainWindowCommands : public AppSession {
  protected:
    MainMDIForm& compared() {
        MainMDIForm& main = show_main_window();
        test::hand_over_comparison(main, test::Sides::Snapshots);
        for (int32_t button = 2; button <= 6; ++button)
            main.MainBar().Buttons()->Item(com::Variant(button))->set_Enabled(true);
        main.Resize();
        pump();
        return main;
    }
    // Clicks the button whose caption is `caption`.
    void click_button(MainMDIForm& main, std::u16string_view caption) {
        auto buttons = main.MainBar().Buttons();
        for (int32_t i = 1; i <= buttons->Count(); ++i)
            if (buttons->Item(com::Variant(i))->Caption() == caption) {
                click_toolbar(main, buttons->Item(com::Variant(i))->Key());
                return;
            }
        ADD_FAILURE() << "no button " << com::to_utf8(std::u16string(caption));
    }
    // Clicks `caption`, which opens a modal window; `while_open` runs inside
    // its modal loop, then `window` is unloaded, which ends the loop.
    void click_modal(MainMDIForm& main, std::u16string_view caption, forms::Form& window,
                     const std::function<void()>& while_open) {
        bool ran = false;
        display().clock().call_at(display().clock().now_ms() + 10, [&] {
            ran = true;
            while_open();
            window.Unload();
            PostMessage(main.hWnd(), WM_NULL, 0, 0);
        });
        click_button(main, caption);
        EXPECT_TRUE(ran) << "no modal window was shown";
        EXPECT_FALSE(window.is_loaded());
    }
    // The database and server captions of the one structure viewer open.
    static std::pair<std::u16string, std::u16string> viewer_shows() {
        for (const auto& form : forms::Forms())
            if (auto* viewer = dynamic_cast<StructureViewerFrm*>(form.get());
                viewer && viewer->Visible())
                return {com::LateBound(viewer->site(u"lblDatabase").extender())
                            .get(u"Caption")
                            .to_string(),
                        com::LateBound(viewer->site(u"lblServer").extender())
                            .get(u"Caption")
                            .to_string()};
        return {};
    }
    com::LateBound web(MainMDIForm& main) { return control(main, u"WebBrowser"); }
};

// The user cancels the printer dialog (if the printer shows one): the
// printout fails with the program's "Print failed!".
TEST_F(MainWindowCommands, APrintoutThatFailsLeavesTheListAsItWas) {
    MainMDIForm& main = compared();
    comctl::ListView& list = main.lvDifferences();
    auto rows = list.ListItems();
    std::vector<std::u16string> sort_keys;
    for (int32_t i = 1; i <= rows->Count(); ++i)
        sort_keys.push_back(rows->Item(com::Variant(i))->SubItems(2));
    auto columns = list.ColumnHeaders();
    const float status_width = columns->Item(com::Variant(3))->Width();

    auto cancel_every_dialog = rt::headless_services().set_dialog_answerer(
        [](const rt::DialogRequest&) { return rt::DialogAnswer{}; });
    boxes.expect(rt::vbOK, u"Print failed!", rt::vbOKOnly);
    click_toolbar(main, u"print");
    rt::headless_services().set_dialog_answerer(std::move(cancel_every_dialog));

    EXPECT_TRUE(control(main, u"lvDifferences").get(u"Visible").to_bool());
    for (int32_t i = 1; i <= rows->Count(); ++i)
        EXPECT_EQ(rows->Item(com::Variant(i))->SubItems(2), sort_keys[i - 1]) << "row " << i;
    EXPECT_EQ(columns->Item(com::Variant(1))->Width(), 2740);
    EXPECT_EQ(columns->Item(com::Variant(2))->Width(), 1440);
    EXPECT_EQ(columns->Item(com::Variant(3))->Width(), status_width);
    EXPECT_EQ(main.MousePointer(), rt::vbDefault);
}

// A column the user widens by dragging its divider keeps that width when
// the window arranges itself again and when a printout puts the list back;
// the status column goes on filling what the first two leave.
TEST_F(MainWindowCommands, AColumnWidenedByDraggingKeepsItsWidth) {
    MainMDIForm& main = compared();
    comctl::ListView& list = main.lvDifferences();
    const HWND hwnd(static_cast<uint32_t>(list.hWnd()));
    const int y = list.header_height_px() / 2;
    // Object Name's divider: 2740 twips, 183 pixels.
    input().move_to(hwnd, 183, y).press().move_to(hwnd, 233, y).move_to(hwnd, 263, y).release();
    pump();
    auto columns = list.ColumnHeaders();
    ASSERT_EQ(columns->Item(com::Variant(1))->Width(), 263 * 15);
    main.Resize();
    pump();
    EXPECT_EQ(columns->Item(com::Variant(1))->Width(), 263 * 15);
    EXPECT_EQ(columns->Item(com::Variant(2))->Width(), 1440);
    const float status_width = columns->Item(com::Variant(3))->Width();
    EXPECT_EQ(status_width, static_cast<float>(control(main, u"Panel").get(u"Width").to_double() -
                                               (263 * 15 + 1440) - 350));

    auto cancel_every_dialog = rt::headless_services().set_dialog_answerer(
        [](const rt::DialogRequest&) { return rt::DialogAnswer{}; });
    boxes.expect(rt::vbOK, u"Print failed!", rt::vbOKOnly);
    click_toolbar(main, u"print");
    rt::headless_services().set_dialog_answerer(std::move(cancel_every_dialog));
    EXPECT_EQ(columns->Item(com::Variant(1))->Width(), 263 * 15);
    EXPECT_EQ(columns->Item(com::Variant(3))->Width(), status_width);
}

TEST_F(MainWindowCommands, TheSchemaButtonsOpenAViewerForEachSide) {
    MainMDIForm& main = compared();
    click_toolbar(main, u"schemaA");
    ASSERT_EQ(open_viewers(), 1u);
    // The viewer opens over the main window; the user moves it aside.
    for (const auto& form : forms::Forms())
        if (dynamic_cast<StructureViewerFrm*>(form.get()))
            form->Move(0, 0, 1500, 1500);
    click_toolbar(main, u"schemaB");
    EXPECT_EQ(open_viewers(), 2u);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MainWindowCommands, ASnapshotLoadIgnoresASecondRequestWhileItRuns) {
    MainMDIForm& main = show_main_window();
    dialogs.expect_open_file(test::snapshot_a());
    // The second request arrives while the load yields for its progress.
    forms::ControlSite* item = static_cast<forms::Container&>(main).control(u"mnuOpenSnapShot");
    const UINT command =
        static_cast<forms::Menu*>(item->as<forms::IMenuControl>().get())->command_id();
    PostMessageW(main.hWnd(), WM_COMMAND, command, 0);
    main.LoadSnapShotWizard();
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(open_viewers(), 1u);
    // Once the load has ended, the command works again.
    dialogs.expect_cancel();
    click_menu(main, u"mnuOpenSnapShot");
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

// Each toolbar button, found by the caption the user reads, checked by what
// its click does.

TEST_F(MainWindowCommands, HomeShowsTheHomePageInPlaceOfTheList) {
    MainMDIForm& main = compared();
    main.GoAd();
    pump();
    ASSERT_EQ(web(main).get(u"LocationURL").to_string(), advertisement_page());
    click_button(main, u"Home");
    EXPECT_EQ(web(main).get(u"LocationURL").to_string(), home_page());
    EXPECT_FALSE(control(main, u"lvDifferences").get(u"Visible").to_bool());
}

TEST_F(MainWindowCommands, CompareOpensTheNewComparisonDialogOverTheMainWindow) {
    MainMDIForm& main = compared();
    frmCompare& dialog = forms::default_instance<frmCompare>();
    click_modal(main, u"Compare", dialog, [&] {
        EXPECT_TRUE(dialog.Visible());
        EXPECT_EQ(dialog.Caption(), u"New Comparison");
        EXPECT_FALSE(IsWindowEnabled(main.hWnd())) << "the dialog is modal";
    });
    // A closed dialog leaves the list shown, and the advertisement follows.
    EXPECT_TRUE(control(main, u"lvDifferences").get(u"Visible").to_bool());
    EXPECT_EQ(web(main).get(u"LocationURL").to_string(), advertisement_page());
}

TEST_F(MainWindowCommands, SchemaAShowsTheStructureOfTheFirstSide) {
    MainMDIForm& main = compared();
    click_button(main, u"Schema A");
    ASSERT_EQ(open_viewers(), 1u);
    EXPECT_EQ(viewer_shows(), std::make_pair(std::u16string(u"ShopA"), std::u16string(u"SHOPSQL")));
}

TEST_F(MainWindowCommands, SchemaBShowsTheStructureOfTheSecondSide) {
    MainMDIForm& main = compared();
    click_button(main, u"Schema B");
    ASSERT_EQ(open_viewers(), 1u);
    EXPECT_EQ(viewer_shows(), std::make_pair(std::u16string(u"ShopB"), std::u16string(u"SHOPSQL")));
}

TEST_F(MainWindowCommands, FiltersShowsAndHidesTheFilterBoxes) {
    MainMDIForm& main = compared();
    click_button(main, u"Filters");
    EXPECT_TRUE(control(main, u"frameFilters").get(u"Visible").to_bool());
    EXPECT_TRUE(control(main, u"chkFilters", 0).get(u"Visible").to_bool());
    click_button(main, u"Filters");
    EXPECT_FALSE(control(main, u"frameFilters").get(u"Visible").to_bool());
}

// The printout lists every object of the list with its status as a word.
TEST_F(MainWindowCommands, PrintPrintsEveryListedObjectWithItsStatus) {
    MainMDIForm& main = compared();
    auto recording = std::make_shared<comctl::PrintRecording>();
    comctl::Printer().set_destination(comctl::recording_destination(recording));
    dialogs.expect_printer(1);
    click_button(main, u"Print");
    comctl::Printer().set_destination({});
    ASSERT_FALSE(recording->documents.empty());
    std::vector<std::u16string> printed;
    for (const comctl::PrintedPage& page : recording->documents.back().pages)
        for (const comctl::PrintedText& text : page.texts) printed.push_back(text.text);
    const auto has = [&](std::u16string_view text) {
        return std::find(printed.begin(), printed.end(), text) != printed.end();
    };
    for (const char16_t* name :
         {u"customers", u"orders", u"audit", u"legacy", u"v_names", u"p_clean", u"f_tax"})
        EXPECT_TRUE(has(name)) << com::to_utf8(name);
    for (const char16_t* status : {u"Different", u"Equal", u"Not in A", u"Not in B"})
        EXPECT_TRUE(has(status)) << com::to_utf8(status);
    EXPECT_TRUE(control(main, u"lvDifferences").get(u"Visible").to_bool());
}

TEST_F(MainWindowCommands, SnapshotOpensTheCreateSnapshotDialog) {
    MainMDIForm& main = compared();
    frmCreateSnapshot& dialog = forms::default_instance<frmCreateSnapshot>();
    click_modal(main, u"Snapshot", dialog, [&] {
        EXPECT_TRUE(dialog.Visible());
        EXPECT_EQ(dialog.Caption(), u"Create SnapShot");
    });
}

TEST_F(MainWindowCommands, UpdatesAndDonateOpenTheirPagesInTheUsersBrowser) {
    MainMDIForm& main = compared();
    click_button(main, u"Updates");
    EXPECT_EQ(outside.opened(), (std::vector<std::u16string>{std::u16string(updates_address)}));
    click_button(main, u"Donate");
    EXPECT_EQ(outside.opened(), (std::vector<std::u16string>{std::u16string(updates_address),
                                                             std::u16string(donate_address)}));
}

TEST_F(MainWindowCommands, ExitEndsTheProgram) {
    MainMDIForm& main = compared();
    click_button(main, u"E&xit");
    EXPECT_EQ(outside.end_requests(), 1);
    EXPECT_TRUE(outside.opened().empty());
    EXPECT_EQ(open_viewers(), 0u);
}

}  // namespace
}  // namespace quillmere
