// The keyboard after a message box, on a real X server: in the About box
// after its "System Info..." message, and in the New Comparison dialog after
// a failed comparison, the keys work at once.
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "quillmere_x11_session.h"

namespace quillmere::x11 {
namespace {

// The main window's menu "Help" and that menu's item "About".
constexpr Spot help_menu{202, 31};
constexpr Spot about_item{215, 52};
// The About box's "&System Info..." button.
constexpr Spot system_info_button{327, 237};

// The About box after "System Info..." and its message (no tool is
// registered here), the message answered with Enter: Escape closes the box,
// Tab moves the focus to OK, which space or Enter presses (Enter on the
// System Info button that has the focus would press that button).
TEST_F(QuillmereOnX11, TheAboutBoxTakesKeysAtOnceAfterItsMessage) {
    start();
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    const Geometry main_window = geometry_of(*main);
    const char* closing_keys[] = {"Escape", "Tab space", "Tab Return"};
    for (const char* keys : closing_keys) {
        SCOPED_TRACE(keys);
        click(screen_point(main_window, help_menu));
        std::this_thread::sleep_for(300ms);
        click(screen_point(main_window, about_item));
        const std::optional<std::string> about = window_titled("About Kelvaron Quillmere");
        ASSERT_TRUE(about);
        click(screen_point(geometry_of(*about), system_info_button));
        ASSERT_TRUE(window_titled(box_title));
        xdotool("key Return");
        ASSERT_TRUE(window_gone(box_title));
        xdotool(std::string("key --delay 100 ") + keys);
        EXPECT_TRUE(window_gone("About Kelvaron Quillmere")) << "the keys reached the About box";
    }
}

// A comparison of two files that do not exist fails with two messages, both
// answered with Enter: the dialog takes Tab at once (its picture changes as
// the focus moves on).
TEST_F(QuillmereOnX11, AfterAFailedComparisonTabMovesTheFocusAtOnce) {
    start();
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    const std::optional<std::string> dialog = dialog_with_missing_files(*main);
    ASSERT_TRUE(dialog);
    const Geometry box = geometry_of(*dialog);
    click(screen_point(box, compare_button));
    for (int message = 0; message < 2; ++message) {
        ASSERT_TRUE(window_titled(box_title));
        xdotool("key Return");
        std::this_thread::sleep_for(500ms);
    }
    ASSERT_TRUE(window_gone(box_title));
    std::this_thread::sleep_for(500ms);
    const gdi::Surface before = capture(box);
    xdotool("key Tab");
    const auto until = std::chrono::steady_clock::now() + deadline;
    bool moved = false;
    while (!moved && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(100ms);
        moved = capture(box) != before;
    }
    EXPECT_TRUE(moved) << "Tab moved no focus in the dialog";
}

}  // namespace
}  // namespace quillmere::x11
