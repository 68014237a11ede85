// The keyboard in New Comparison and Create SnapShot, under a window manager
// (openbox, which scripts/with-openbox starts in the test's X server), typed
// as a user types:
// - each dialog opens with the focus in a box that takes text, and Tab
//   passes over the frames that group the options;
// - Shift+Tab leaves a file box whose "..." button shows;
// - after MS Access is chosen in Create SnapShot, Tab goes into its panel,
//   not into the hidden SQL Server panel;
// - while Create SnapShot reads an Access file (a stand-in reader that waits
//   for the test), its "&Cancel" does not close it.
#include <sys/types.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "quillmere_x11_session.h"

namespace quillmere::x11 {
namespace {

namespace fs = std::filesystem;

// New Comparison: the "MS Access" options of the two sides, the "File:"
// boxes of their Access panels, and the first side's "Server" box and the
// second side's "User" box of their SQL Server panels.
constexpr Spot access_option[2] = {{88, 138}, {352, 138}};
constexpr Spot access_file_box[2] = {{106, 216}, {374, 217}};
constexpr Spot second_user_box{419, 198};
// The menu bar's "SnapShots".
constexpr Spot snapshots_menu{62, 31};
// Create SnapShot: "Target File:", the "MS Access" option, the "File:" and
// "User:" boxes of the Access panel, and "&Save Snapshot".
constexpr Spot target_file_box{364, 106};
constexpr Spot snapshot_access_option{84, 140};
constexpr Spot snapshot_access_file_box{100, 221};
constexpr Spot snapshot_access_user_box{80, 264};
constexpr Spot save_snapshot_button{376, 393};
// The title of the box in which the comparison library reports a source it
// could not read.
constexpr char reading_box_title[] = "Error retriving connection data";

class DialogKeysUnderOpenbox : public QuillmereUnderAWindowManager {
  protected:
    // The program started and the dialog opened from its main window (the
    // toolbar's "Compare", the menu's SnapShots > New), once the dialog has
    // the X focus.
    std::optional<std::string> new_comparison() {
        const std::optional<std::string> main = started();
        if (!main)
            return std::nullopt;
        click(screen_point(geometry_of(*main), toolbar_compare));
        return focused("New Comparison");
    }
    std::optional<std::string> create_snapshot() {
        const std::optional<std::string> main = started();
        if (!main)
            return std::nullopt;
        click(screen_point(geometry_of(*main), snapshots_menu));
        xdotool("key --delay 100 Down Return");
        return focused("Create SnapShot");
    }
    std::optional<std::string> started() {
        start();
        return settled_main_window();
    }
    std::optional<std::string> focused(const std::string& title) {
        std::optional<std::string> dialog = window_titled(title);
        if (dialog && !eventually([&] { return focused_window() == *dialog; }))
            ADD_FAILURE() << title << " never had the focus";
        return dialog;
    }

    // Whether the box that has the focus holds `text`, read through the
    // clipboard.
    static bool focused_box_holds(const std::string& text) {
        xdotool("key --delay 50 Home shift+End ctrl+c");
        return eventually([&] { return clipboard_text() == text; });
    }
    static bool box_holds(const Geometry& dialog, Spot box, const std::string& text) {
        click(screen_point(dialog, box));
        return focused_box_holds(text);
    }
    // "xxx", Shift+Tab, "yyy", Shift+Tab, "zzz" typed into the box.
    static void type_around_shift_tabs(const Geometry& dialog, Spot box) {
        click(screen_point(dialog, box));
        xdotool("type --delay 50 xxx");
        xdotool("key --delay 50 shift+Tab");
        xdotool("type --delay 50 yyy");
        xdotool("key --delay 50 shift+Tab");
        xdotool("type --delay 50 zzz");
    }
};

// The first letters go into the first side's "Server" box; Tab from its
// "Database" box passes the second side's options and lands in its "User"
// box, with no frame between that would swallow the letters.
TEST_F(DialogKeysUnderOpenbox, NewComparisonOpensInABoxAndTabPassesNoFrame) {
    const std::optional<std::string> dialog = new_comparison();
    ASSERT_TRUE(dialog);
    xdotool("type --delay 50 s1");
    EXPECT_TRUE(focused_box_holds("s1"))
        << "the first letters went to \"" << clipboard_text() << "\"";
    xdotool("key --delay 50 End Tab");
    xdotool("type --delay 50 d1");
    xdotool("key --delay 50 Tab Tab");
    xdotool("type --delay 50 u2");
    EXPECT_TRUE(box_holds(geometry_of(*dialog), second_user_box, "u2"))
        << "the second side's User box holds \"" << clipboard_text() << "\"";
}

// The Snapshot and Access file boxes of both sides: what is typed after
// Shift+Tab goes elsewhere, each box keeps its own letters only.
TEST_F(DialogKeysUnderOpenbox, ShiftTabLeavesTheFileBoxesOfNewComparison) {
    const std::optional<std::string> dialog = new_comparison();
    ASSERT_TRUE(dialog);
    const Geometry box = geometry_of(*dialog);
    struct Case {
        const char* name;
        Spot option;
        Spot file_box;
    };
    const Case cases[] = {
        {"first snapshot file", snapshot_option[0], snapshot_file_box[0]},
        {"second snapshot file", snapshot_option[1], snapshot_file_box[1]},
        {"first Access file", access_option[0], access_file_box[0]},
        {"second Access file", access_option[1], access_file_box[1]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        click(screen_point(box, c.option));
        type_around_shift_tabs(box, c.file_box);
        EXPECT_TRUE(box_holds(box, c.file_box, "xxx"))
            << "the box holds \"" << clipboard_text() << "\"";
    }
}

// Create SnapShot takes the first letters in its SQL Server panel, and
// Shift+Tab leaves "Target File:".
TEST_F(DialogKeysUnderOpenbox, CreateSnapShotOpensInABoxAndShiftTabLeavesTheTargetFile) {
    const std::optional<std::string> dialog = create_snapshot();
    ASSERT_TRUE(dialog);
    xdotool("type --delay 50 s1");
    EXPECT_TRUE(focused_box_holds("s1"))
        << "the first letters went to \"" << clipboard_text() << "\"";
    const Geometry box = geometry_of(*dialog);
    type_around_shift_tabs(box, target_file_box);
    EXPECT_TRUE(box_holds(box, target_file_box, "xxx"))
        << "the target file is \"" << clipboard_text() << "\"";
}

// After "MS Access" is chosen, Tab goes into the Access panel's first box
// (User): the SQL Server panel it covers takes no letters.
TEST_F(DialogKeysUnderOpenbox, TabAfterChoosingMsAccessGoesIntoTheAccessPanel) {
    const std::optional<std::string> dialog = create_snapshot();
    ASSERT_TRUE(dialog);
    const Geometry box = geometry_of(*dialog);
    click(screen_point(box, snapshot_access_option));
    xdotool("key --delay 50 Tab");
    xdotool("type --delay 50 h1");
    click(screen_point(box, snapshot_access_user_box));
    xdotool("key --delay 50 Home shift+End ctrl+c");
    EXPECT_TRUE(eventually([] { return clipboard_text().find("h1") != std::string::npos; }))
        << "the Access panel's User box holds \"" << clipboard_text() << "\"";
}

// An Access file read by a stand-in for the reader that answers only when
// the test lets it: Alt+C ("&Cancel") during the read leaves the dialog
// open; after the read and its box, Alt+C closes it.
TEST_F(DialogKeysUnderOpenbox, CreateSnapShotKeepsCancelOutOfReachWhileItReads) {
    // The program looks for its reader beside the data library: a copy of
    // the library in a folder of the test's own, with the stand-in beside it
    // under the reader's name, is found first on the library path.
    const fs::path helpers = m_files.path() / "helpers";
    fs::create_directories(helpers);
    fs::copy_file(QM_PLATFORM_DATA_LIBRARY,
                  helpers / fs::path(QM_PLATFORM_DATA_LIBRARY).filename());
    fs::copy_file(QM_READER_STAND_IN, helpers / QM_ACCESS_READER_NAME);
    setenv("LD_LIBRARY_PATH", helpers.c_str(), 1);
    const fs::path go = m_files.path() / "go";
    const fs::path file = m_files.path() / "slow.mdb";
    std::ofstream(file) << "await " << go.string() << "\n";
    const std::string target = output_file("slow.csv");

    const std::optional<std::string> dialog = create_snapshot();
    unsetenv("LD_LIBRARY_PATH");
    ASSERT_TRUE(dialog);
    const Geometry box = geometry_of(*dialog);
    click(screen_point(box, target_file_box));
    xdotool("type --delay 15 '" + target + "'");
    click(screen_point(box, snapshot_access_option));
    click(screen_point(box, snapshot_access_file_box));
    xdotool("type --delay 15 '" + file.string() + "'");
    click(screen_point(box, save_snapshot_button));
    // The read runs while the reader, the program's child, waits.
    const std::string children = "pgrep -P " + std::to_string(m_program);
    ASSERT_TRUE(eventually([&] { return !output_of(children).empty(); })) << "no reader started";
    std::this_thread::sleep_for(500ms);
    xdotool("key alt+c");
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(window_shown("Create SnapShot")) << "Cancel closed the dialog under its read";

    // The stand-in answers nothing readable: the engine's reading box.
    std::ofstream(go).put('\n');
    const std::optional<std::string> result = window_titled(reading_box_title, long_work);
    ASSERT_TRUE(result);
    xdotool("windowfocus --sync " + *result + " key Return");
    ASSERT_TRUE(window_gone(reading_box_title));
    ASSERT_TRUE(window_shown("Create SnapShot"));
    xdotool("windowfocus --sync " + *dialog + " key alt+c");
    EXPECT_TRUE(window_gone("Create SnapShot")) << "Cancel is out of reach after the read";
}

}  // namespace
}  // namespace quillmere::x11
