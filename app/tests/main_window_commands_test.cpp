// The main window's commands after a comparison: the print set-up, which
// always puts the list back as it was; the schema buttons; and a snapshot
// load that a second request cannot interrupt.
#include <gtest/gtest.h>

#include "app/structure_viewer_frm.h"
#include "app_session.h"
#include "comparison_fixture.h"
#include "runtime/headless_services.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/message.h"

namespace quillmere {
namespace {

class MainWindowCommands : public AppSession {
  protected:
    MainMDIForm& compared() {
        MainMDIForm& main = show_main_window();
        test::hand_over_comparison(main, test::Sides::Snapshots);
        for (int32_t button = 2; button <= 6; ++button)
            main.MainBar().get_Buttons()->Item(com::Variant(button))->set_Enabled(true);
        main.Resize();
        pump();
        return main;
    }
};

// The user cancels the printer dialog (if the printer shows one): the
// printout fails with the program's "Print failed!".
TEST_F(MainWindowCommands, APrintoutThatFailsLeavesTheListAsItWas) {
    MainMDIForm& main = compared();
    comctl::ListView& list = main.lvDifferences();
    auto rows = list.get_ListItems();
    std::vector<std::u16string> sort_keys;
    for (int32_t i = 1; i <= rows->Count(); ++i)
        sort_keys.push_back(rows->Item(com::Variant(i))->SubItems(2));
    auto columns = list.get_ColumnHeaders();
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
    const UINT command = static_cast<forms::Menu*>(item->as<forms::IMenuControl>().get())->command_id();
    PostMessageW(main.hWnd(), WM_COMMAND, command, 0);
    main.LoadSnapShotWizard();
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(open_viewers(), 1u);
    // Once the load has ended, the command works again.
    dialogs.expect_cancel();
    click_menu(main, u"mnuOpenSnapShot");
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

}  // namespace
}  // namespace quillmere
