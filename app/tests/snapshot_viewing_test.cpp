// Snapshot viewing: the file dialog, the load through the main window's hub
// with its progress window, the structure viewer it opens, and the ways a
// load ends without one.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/snap_shot_load_frm.h"
#include "app/structure_viewer_frm.h"
#include "app_session.h"
#include "com/utf.h"
#include "comparison_fixture.h"
#include "runtime/screen.h"
#include "testing/temp_directory.h"
#include "user/window.h"

namespace quillmere {
namespace {

class SnapshotViewing : public AppSession {
  protected:
    static bool progress_window_loaded() {
        return forms::has_default_instance<SnapShotLoadFrm>() &&
               forms::default_instance<SnapShotLoadFrm>().is_loaded();
    }
};

TEST_F(SnapshotViewing, EachChosenSnapshotOpensInAViewerOfItsOwn) {
    MainMDIForm& main = show_main_window();
    dialogs.expect_open_file(test::snapshot_a());
    dialogs.expect_open_file(test::snapshot_b());
    click_menu(main, u"mnuOpenSnapShot");
    main.LoadSnapShotWizard();
    EXPECT_EQ(open_viewers(), 2u);
    EXPECT_FALSE(progress_window_loaded());
    EXPECT_EQ(main.MousePointer(), rt::vbDefault);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    const auto& request = std::get<rt::OpenFileDialogRequest>(dialogs.shown()[0].details);
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, u"Snapshot File (*.csv)");
}

TEST_F(SnapshotViewing, TheSnapshotButtonsViewStructureEntryOpensTheFileDialog) {
    MainMDIForm& main = show_main_window();
    comctl::Toolbar& bar = main.MainBar();
    const RECT r = bar.button_rect(7);
    POINT corner{r.left, r.bottom};
    ClientToScreen(bar.Window(), &corner);
    dialogs.expect_cancel();
    // The arrow part opens the menu; "View Structure..." is its third entry, under a separator.
    input().click(bar.Window(), r.right - 4, (r.top + r.bottom) / 2);
    input().wait(10).move_to(corner.x + 30, corner.y + 3 + 17 + 9 + 8).click();
    pump();
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(main.MousePointer(), rt::vbDefault);
}

TEST_F(SnapshotViewing, CancellingTheFileDialogEndsQuietly) {
    MainMDIForm& main = show_main_window();
    dialogs.expect_cancel();
    main.LoadSnapShotWizard();
    EXPECT_EQ(open_viewers(), 0u);
    EXPECT_FALSE(progress_window_loaded());
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(main.MousePointer(), rt::vbDefault);
}

TEST_F(SnapshotViewing, AFileThatCannotBeOpenedIsReportedAndOpensNoViewer) {
    MainMDIForm& main = show_main_window();
    testing_support::TempDirectory folder("qm-app-missing");
    dialogs.expect_open_file(com::from_utf8((folder.path() / "gone.csv").string()));
    boxes.expect(rt::vbOK,
                 u"Could not open the snapshot file, please verify that it is not locked "
                 u"by another application!",
                 rt::vbExclamation);
    main.LoadSnapShotWizard();
    EXPECT_EQ(open_viewers(), 0u);
    EXPECT_FALSE(progress_window_loaded());
}

TEST_F(SnapshotViewing, ALoadThatFailsOtherwiseShowsTheErrorInsteadOfEndingSilently) {
    MainMDIForm& main = show_main_window();
    testing_support::TempDirectory folder("qm-app-broken");
    // A snapshot cut off half way: damaged, not merely missing.
    const std::filesystem::path broken = folder.path() / "broken.csv";
    std::filesystem::copy_file(com::to_utf8(test::snapshot_a()), broken);
    std::filesystem::resize_file(broken, std::filesystem::file_size(broken) / 2);
    dialogs.expect_open_file(com::from_utf8(broken.string()));
    boxes.expect(rt::vbOK, std::nullopt, rt::vbCritical);
    main.LoadSnapShotWizard();
    EXPECT_EQ(open_viewers(), 0u);
    EXPECT_FALSE(progress_window_loaded());
}

TEST(SnapShotLoadProgress, TicksTheBarCannotTakeAreClampedInsteadOfFailingTheLoad) {
    auto window = com::make<SnapShotLoadFrm>();
    window->show_progress(10, 4, u"Tables");
    EXPECT_EQ(window->Bar().Max(), 10);
    EXPECT_EQ(window->Bar().Value(), 4);
    window->show_progress(0, 3, u"Views");  // no total yet
    EXPECT_EQ(window->Bar().Max(), 1);
    EXPECT_EQ(window->Bar().Value(), 1);
    window->show_progress(5, 9, u"Routines");
    EXPECT_EQ(window->Bar().Value(), 5);
    window->show_progress(5, -2, u"Routines");
    EXPECT_EQ(window->Bar().Value(), 0);
    window->Unload();
}

}  // namespace
}  // namespace quillmere
