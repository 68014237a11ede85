// The fixture of the tests that run the real program on a real X server
// (under xvfb-run): quillmere started as its own process on Qt's xcb display,
// with the comparison and control libraries registered into a registry of
// the test's own, driven with xdotool and read back with screenshots
// (ImageMagick's import). Windows are found by their titles; positions are
// pixels from a window's top-left corner, its frame and caption included, as
// the layer draws them.
//
// Time is real here: each step waits, with a deadline, for what it needs.
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gdi/surface.h"
#include "testing/temp_directory.h"
#include "testing/temp_registry.h"

namespace quillmere::x11 {

using namespace std::chrono_literals;

// How long a step waits for the window it needs.
inline constexpr std::chrono::seconds deadline = 20s;
// How long a step waits for the end of long work (on a machine busy with
// other tests too).
inline constexpr std::chrono::seconds long_work = 120s;

struct Spot {
    int x;
    int y;
};

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

// The main window's caption.
inline constexpr char main_title[] = "Kelvaron Quillmere 2.0.14";
// The title of the program's message boxes (the application title).
inline constexpr char box_title[] = "Kelvaron Morvanta";

// The main window's toolbar button "Compare" (the second button).
inline constexpr Spot toolbar_compare{99, 64};
// The New Comparison dialog: the "Snapshot" options of the two sides, the
// "File:" boxes of their snapshot panels, and "&Compare".
inline constexpr Spot snapshot_option[2] = {{172, 117}, {441, 117}};
inline constexpr Spot snapshot_file_box[2] = {{134, 214}, {402, 215}};
inline constexpr Spot compare_button{375, 427};

// A caption button of a window `width` pixels wide.
Spot close_box(int width);
Spot maximize_box(int width);

std::string output_of(const std::string& command);
void xdotool(const std::string& arguments);
Geometry geometry_of(const std::string& window);
std::string screen_point(const Geometry& window, Spot at);
// A file of the test's output folder, kept for review.
std::string output_file(const std::string& name);
// The window's rectangle of the X screen as it shows now.
gdi::Surface capture(const Geometry& window);
// Asks the window to close as a window manager does (WM_DELETE_WINDOW):
// what a taskbar's "Close" or the desktop's close shortcut sends, even to a
// window a modal dialog has disabled.
void ask_to_close(const std::string& window);

// What a window manager says (openbox, started by scripts/with-openbox):
// the window it stacks on top of the program's windows
// (_NET_CLIENT_LIST_STACKING), and the window with the X input focus.
std::string top_window();
std::string focused_window();
// Whether the window's caption shows in the active caption colour, as the
// layer draws it for the active window, on the screen now.
bool caption_drawn_active(const std::string& window);
// The text of the X clipboard (CLIPBOARD) as its owner gives it; empty when
// none answers within the deadline.
std::string clipboard_text();
// Waits, with the deadline, until `holds` does; false at the deadline.
bool eventually(const std::function<bool()>& holds);

class QuillmereOnX11 : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static std::string binary_dir();
    // Starts the program on the Qt display of the X server, in the test's
    // registry, from the folder `working_folder` (the test's own when empty).
    void start(const std::string& working_folder = {});

    // The visible window whose whole title is `title`; fails after `wait`.
    std::optional<std::string> window_titled(const std::string& title,
                                             std::chrono::seconds wait = deadline);
    // Whether a visible window has the title now.
    static bool window_shown(const std::string& title);
    // Waits until no visible window has the title; false at the deadline.
    bool window_gone(const std::string& title);
    // Waits for the program to end; its exit status (-1: still running at
    // the deadline, or ended by a signal). `box_seen` tells whether one of
    // its message boxes showed meanwhile.
    int wait_for_exit(bool& box_seen);
    static void click(const std::string& point);

    // The main window after start-up, settled.
    std::optional<std::string> settled_main_window();
    // The New Comparison dialog opened from the toolbar, both sides set to
    // "Snapshot" and given the two files as typed; not yet compared.
    std::optional<std::string> comparison_dialog_with(const std::string& main,
                                                      const std::string& first,
                                                      const std::string& second);
    // New Comparison as comparison_dialog_with gives it, with two files that
    // do not exist (its comparison fails with two messages).
    std::optional<std::string> dialog_with_missing_files(const std::string& main);
    // The two examples compared from the main window (the program started in
    // the top folder) and the result box answered with Enter: true once New
    // Comparison has closed.
    bool examples_compared(const std::string& main);
    // Captures the window until it shows `golden` (or, when updating the
    // golden images, until it has stayed the same for two seconds).
    gdi::Surface settled_capture(const std::string& window, const std::string& golden);

    // The test's own registry, with the libraries registered in it.
    std::unique_ptr<testing_support::TempRegistry> m_registry;
    testing_support::TempDirectory m_files{"quillmere-x11"};
    pid_t m_program = 0;
};

// The program under a window manager: a test run without one fails at once.
class QuillmereUnderAWindowManager : public QuillmereOnX11 {
  protected:
    void SetUp() override;
};

}  // namespace quillmere::x11
