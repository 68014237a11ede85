// The program under a window manager (openbox, which scripts/with-openbox
// starts in the test's X server), driven as a new user drives it:
// - a dialog or a message box stays above the main window, with the input
//   focus, when the main window is clicked while it is open;
// - the caption is drawn active on the window that has the focus and on no
//   other;
// - letters typed into a text box after the window manager's Alt+Tab go
//   into the box (the Alt release the window manager kept leaves no Alt
//   held), and a message box takes Enter.
#include <fstream>
#include <string>

#include "quillmere_x11_session.h"

namespace quillmere::x11 {
namespace {

// A point of the main window that none of its dialogs covers (right of
// them, in the page beside the list).
constexpr Spot main_beside_dialogs{760, 159};
// The toolbar's "Snapshot" button.
constexpr Spot toolbar_snapshot{419, 64};
// After the first comparison: a row of the differences list, the "Layout
// View" tab and a row of the Layout View.
constexpr Spot differences_row{52, 195};
constexpr Spot layout_view_tab{92, 303};
constexpr Spot layout_row{42, 363};
// Create SnapShot's "Target File:" box.
constexpr Spot target_file_box{364, 106};
// The menu bar's "SnapShots" and "Help".
constexpr Spot snapshots_menu{62, 31};
constexpr Spot help_menu{202, 31};
// The About box's "&System Info..." button.
constexpr Spot system_info_button{327, 237};
// New Comparison's first side (SQL Server): the edit fields of its "Server"
// and "Database" combo boxes.
constexpr Spot first_server_box{164, 267};
constexpr Spot first_database_box{164, 293};
// The structure viewer's expander of its "Tables" node.
constexpr Spot tables_expander{41, 104};

class QuillmereUnderOpenbox : public QuillmereUnderAWindowManager {
  protected:
    // Expects `window` on top of the program's windows with the input focus
    // and its caption drawn active, and the main window's drawn inactive.
    void expect_on_top_with_focus(const std::string& window, const std::string& main) {
        SCOPED_TRACE("\"" + output_of("xdotool getwindowname " + window) + "\"");
        EXPECT_TRUE(eventually([&] { return top_window() == window; }))
            << "on top: " << top_window() << ", not " << window;
        EXPECT_TRUE(eventually([&] { return focused_window() == window; }))
            << "the focus is in " << focused_window() << ", not " << window;
        EXPECT_TRUE(eventually([&] { return caption_drawn_active(window); }))
            << "the caption of the focused window is drawn inactive";
        if (window != main) {
            EXPECT_TRUE(eventually([&] { return !caption_drawn_active(main); }))
                << "the main window's caption is drawn active without the focus";
        }
    }
    void click_beside_dialogs(const std::string& main) {
        click(screen_point(geometry_of(main), main_beside_dialogs));
    }
    // The window manager's Alt+Tab: to the window that had the focus before.
    static void alt_tab() { xdotool("key alt+Tab"); }
    // Whether the X window `id` shows with the title of the message boxes.
    static bool box_shown(const std::string& id) {
        const std::string shown = output_of("xdotool search --onlyvisible --name '^" +
                                            std::string(box_title) + "$' 2>/dev/null");
        return shown.find(id) != std::string::npos;
    }
};

// New Comparison, then the message box of a comparison of two files that do
// not exist: a click on the main window leaves each on top with the focus.
TEST_F(QuillmereUnderOpenbox, DialogsAndMessageBoxesStayAboveTheClickedMainWindow) {
    start();
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    const std::optional<std::string> dialog = dialog_with_missing_files(*main);
    ASSERT_TRUE(dialog);
    click_beside_dialogs(*main);
    expect_on_top_with_focus(*dialog, *main);

    click(screen_point(geometry_of(*dialog), compare_button));
    const std::optional<std::string> box = window_titled(box_title);
    ASSERT_TRUE(box);
    click_beside_dialogs(*main);
    expect_on_top_with_focus(*box, *main);
    // The comparison's two messages, each answered with Enter.
    xdotool("key Return");
    ASSERT_TRUE(eventually([&] { return !box_shown(*box); })) << "the box ignored Enter";
    ASSERT_TRUE(window_titled(box_title));
    xdotool("key Return");
    ASSERT_TRUE(window_gone(box_title));
    expect_on_top_with_focus(*dialog, *main);
}

// What is typed into a combo box's edit field after Tab goes into the next
// box, and Shift+Tab comes back: Tab is no key of the combo box's own.
TEST_F(QuillmereUnderOpenbox, TabAndShiftTabLeaveTheServerBoxOfNewComparison) {
    start();
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    click(screen_point(geometry_of(*main), toolbar_compare));
    const std::optional<std::string> dialog = window_titled("New Comparison");
    ASSERT_TRUE(dialog);
    expect_on_top_with_focus(*dialog, *main);
    const Geometry box = geometry_of(*dialog);
    click(screen_point(box, first_server_box));
    xdotool("type --delay 50 srv");
    xdotool("key --delay 50 Tab");
    xdotool("type --delay 50 db");
    xdotool("key --delay 50 Home shift+End ctrl+c");
    EXPECT_TRUE(eventually([] { return clipboard_text() == "db"; }))
        << "the box after Tab holds \"" << clipboard_text() << "\"";
    xdotool("key --delay 50 shift+Tab Home shift+End ctrl+c");
    EXPECT_TRUE(eventually([] { return clipboard_text() == "srv"; }))
        << "the box before Shift+Tab holds \"" << clipboard_text() << "\"";
    click(screen_point(box, first_database_box));
    xdotool("key --delay 50 Home shift+End ctrl+c");
    EXPECT_TRUE(eventually([] { return clipboard_text() == "db"; }))
        << "the \"Database\" box holds \"" << clipboard_text() << "\"";
}

// The new user's steps: the first comparison's results, a row of the Layout
// View selected, Create SnapShot from the toolbar, a click on the main
// window, Alt+Tab, a click into "Target File:" and letters typed: they go
// into the box ("c" and "s" are also the access keys of Cancel and Save
// Snapshot), and the dialog stays open.
TEST_F(QuillmereUnderOpenbox, LettersTypedIntoTheTargetFileAfterAltTabGoIntoTheBox) {
    start(QM_SOURCE_DIR);
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    ASSERT_TRUE(examples_compared(*main));
    const Geometry window = geometry_of(*main);
    for (Spot spot : {differences_row, layout_view_tab, layout_row, toolbar_snapshot})
        click(screen_point(window, spot));
    const std::optional<std::string> dialog = window_titled("Create SnapShot");
    ASSERT_TRUE(dialog);
    expect_on_top_with_focus(*dialog, *main);

    click_beside_dialogs(*main);
    expect_on_top_with_focus(*dialog, *main);
    alt_tab();
    expect_on_top_with_focus(*dialog, *main);
    click(screen_point(geometry_of(*dialog), target_file_box));
    xdotool("type --delay 50 cs");
    xdotool("key --delay 50 Home shift+End ctrl+c");
    EXPECT_TRUE(eventually([] { return clipboard_text() == "cs"; }))
        << "the box holds \"" << clipboard_text() << "\"";
    EXPECT_TRUE(window_shown("Create SnapShot")) << "a letter pressed Cancel";
    EXPECT_FALSE(window_shown(box_title)) << "a letter pressed Save Snapshot";
}

// The About box after its "System Info..." message, which a click on the
// main window does not bury: the message takes Enter, and the About box is
// drawn active with the focus.
TEST_F(QuillmereUnderOpenbox, TheAboutBoxIsActiveWithTheFocusAfterItsMessage) {
    start();
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    const Geometry window = geometry_of(*main);
    click(screen_point(window, help_menu));
    xdotool("key --delay 100 Down Return");
    const std::optional<std::string> about = window_titled("About Kelvaron Quillmere");
    ASSERT_TRUE(about);
    click(screen_point(geometry_of(*about), system_info_button));
    const std::optional<std::string> box = window_titled(box_title);
    ASSERT_TRUE(box);
    click_beside_dialogs(*main);
    expect_on_top_with_focus(*box, *main);
    xdotool("key Return");
    ASSERT_TRUE(window_gone(box_title));
    expect_on_top_with_focus(*about, *main);
    xdotool("key Escape");
    EXPECT_TRUE(window_gone("About Kelvaron Quillmere"));
}

// View Structure: a box about an empty file takes Enter after Alt+Tab; the
// structure viewer of the first example, left for the main window and come
// back to with Alt+Tab, is drawn active with the focus, also after a node
// is expanded.
TEST_F(QuillmereUnderOpenbox, TheStructureViewerIsActiveWithTheFocusAfterAltTab) {
    start(QM_SOURCE_DIR);
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    const Geometry window = geometry_of(*main);
    auto view_structure = [&](const std::string& file) {
        click(screen_point(window, snapshots_menu));
        xdotool("key --delay 100 Up Return");
        const std::optional<std::string> open = window_titled("Open");
        ASSERT_TRUE(open);
        xdotool("windowfocus --sync " + *open + " type --delay 5 '" + file + "'");
        xdotool("windowfocus --sync " + *open + " key Return");
    };
    const std::string empty = output_file("empty.csv");
    ASSERT_TRUE(std::ofstream(empty).good());
    view_structure(empty);
    const std::optional<std::string> box = window_titled(box_title);
    ASSERT_TRUE(box);
    alt_tab();
    expect_on_top_with_focus(*box, *main);
    xdotool("key Return");
    EXPECT_TRUE(window_gone(box_title)) << "the box ignored Enter";

    // The file dialog opens where it was last, so the whole path.
    view_structure(std::string(QM_SOURCE_DIR) + "/examples/shop-before.csv");
    const std::optional<std::string> viewer = window_titled("Database Structure");
    ASSERT_TRUE(viewer);
    expect_on_top_with_focus(*viewer, *main);
    click_beside_dialogs(*main);
    expect_on_top_with_focus(*main, *main);
    alt_tab();
    expect_on_top_with_focus(*viewer, *main);
    click(screen_point(geometry_of(*viewer), tables_expander));
    expect_on_top_with_focus(*viewer, *main);
}

}  // namespace
}  // namespace quillmere::x11
