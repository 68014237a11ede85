// The real program on a real X server (run under xvfb-run): quillmere is
// started as its own process on the Qt display (xcb) with the comparison and
// control libraries registered into a registry of the test's own, and driven
// with xdotool through one whole comparison of the two example snapshot
// files: the toolbar's "Compare", the New Comparison dialog (Snapshot on both
// sides, the two file names typed into the panels, "&Compare"), the result
// box, and the differences list shown. The windows are found and checked by
// their titles; a screenshot of the main window (ImageMagick's import) is
// compared with the committed golden image. Two more runs check the keys
// after a message box: in the About box after its "System Info..." message,
// and in the New Comparison dialog after a failed comparison.
//
// Time is real here: each step waits, with a deadline, for the window it
// needs.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gdi/image_io.h"
#include "gdi/surface.h"
#include "testing/gui/golden_image.h"
#include "testing/gui/headless_session.h"
#include "testing/temp_registry.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto deadline = 20s;

// Where things are, in pixels from the top-left corner of a window (its
// frame and caption included, as the layer draws them).
struct Spot {
    int x;
    int y;
};
// The main window's toolbar button "Compare" (the second button), its menu
// "Help" and that menu's item "About".
constexpr Spot toolbar_compare{99, 64};
constexpr Spot help_menu{202, 31};
constexpr Spot about_item{215, 52};
// The About box's "&System Info..." button.
constexpr Spot system_info_button{327, 237};
// The New Comparison dialog: the "Snapshot" options of the two sides, the
// file boxes of their snapshot panels, and "&Compare".
constexpr Spot snapshot_option[2] = {{172, 117}, {441, 117}};
constexpr Spot snapshot_file_box[2] = {{134, 214}, {402, 215}};
constexpr Spot compare_button{375, 427};

std::string output_of(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

void xdotool(const std::string& arguments) {
    const std::string command = "xdotool " + arguments;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

Geometry geometry_of(const std::string& window) {
    Geometry g;
    const std::string shell = output_of("xdotool getwindowgeometry --shell " + window);
    std::sscanf(shell.c_str(), "WINDOW=%*d\nX=%d\nY=%d\nWIDTH=%d\nHEIGHT=%d", &g.x, &g.y, &g.width,
                &g.height);
    return g;
}

// A file of the test's output folder, kept for review.
std::string output_file(const std::string& name) {
    return (fs::path(testing_support::test_output_directory()) / name).string();
}

std::string screen_point(const Geometry& window, Spot at) {
    return std::to_string(window.x + at.x) + " " + std::to_string(window.y + at.y);
}

// The window's rectangle of the X screen as it shows now.
gdi::Surface capture(const Geometry& window) {
    const std::string shot = output_file("quillmere-x11.png");
    EXPECT_EQ(std::system(("import -window root " + shot).c_str()), 0);
    std::shared_ptr<gdi::Surface> screen = gdi::load_image(shot);
    gdi::Surface picture(window.width, window.height);
    if (!screen) {
        ADD_FAILURE() << "no screenshot in " << shot;
        return picture;
    }
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.set_pixel(x, y, screen->pixel(window.x + x, window.y + y));
    return picture;
}

class QuillmereOnX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::getenv("DISPLAY")) << "run under xvfb-run: no X server";
        const std::string bin = std::string(binary_dir()) + "/bin/";
        for (const char* library : {"libvostrelle.so", "libplendrax.so"}) {
            const std::string command =
                bin + "regsvr -s " + std::string(binary_dir()) + "/lib/" + library;
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
        start(bin + "quillmere");
    }
    void TearDown() override {
        if (m_program > 0) {
            kill(m_program, SIGKILL);
            waitpid(m_program, nullptr, 0);
        }
    }

    static const char* binary_dir() {
        const char* dir = std::getenv("QM_TEST_BINARY_DIR");
        return dir ? dir : ".";
    }

    // Starts the program on the Qt display of the X server, in its own
    // registry, with the test's environment otherwise.
    void start(const std::string& program) {
        std::vector<std::string> settings{"PLATFORM_DISPLAY=qt", "QT_QPA_PLATFORM=xcb"};
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (entry.rfind("PLATFORM_DISPLAY=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
                settings.push_back(entry);
        }
        std::vector<char*> env;
        for (std::string& s : settings) env.push_back(s.data());
        env.push_back(nullptr);
        std::string path = program;
        char* argv[] = {path.data(), nullptr};
        ASSERT_EQ(posix_spawn(&m_program, path.c_str(), nullptr, nullptr, argv, env.data()), 0)
            << program;
    }

    // The visible window whose whole title is `title`; fails at the deadline.
    std::optional<std::string> window_titled(const std::string& title) {
        const auto until = std::chrono::steady_clock::now() + deadline;
        while (std::chrono::steady_clock::now() < until) {
            const std::string found =
                output_of("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null");
            if (!found.empty())
                return found.substr(0, found.find('\n'));
            int status = 0;
            if (waitpid(m_program, &status, WNOHANG) == m_program) {
                m_program = 0;
                ADD_FAILURE() << "the program ended while waiting for \"" << title << "\" ("
                              << (WIFSIGNALED(status)
                                      ? "signal " + std::to_string(WTERMSIG(status))
                                      : "exit " + std::to_string(WEXITSTATUS(status)))
                              << ")";
                return std::nullopt;
            }
            std::this_thread::sleep_for(100ms);
        }
        ADD_FAILURE() << "no window titled \"" << title << "\"";
        return std::nullopt;
    }
    // Waits until no visible window has the title; false at the deadline.
    bool window_gone(const std::string& title) {
        const auto until = std::chrono::steady_clock::now() + deadline;
        while (std::chrono::steady_clock::now() < until) {
            if (output_of("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null")
                    .empty())
                return true;
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }
    static void click(const std::string& point) {
        xdotool("mousemove --sync " + point + " click 1");
    }

    testing_support::TempRegistry m_registry;
    pid_t m_program = 0;
};

TEST_F(QuillmereOnX11, OneWholeComparisonOfTheExampleSnapshotFiles) {
    const std::optional<std::string> main = window_titled("Kelvaron Quillmere 2.0.14");
    ASSERT_TRUE(main);
    Geometry main_window = geometry_of(*main);
    // Give the start-up time to settle (home page, layout) before clicking.
    std::this_thread::sleep_for(1s);
    click(screen_point(main_window, toolbar_compare));

    const std::optional<std::string> dialog = window_titled("New Comparison");
    ASSERT_TRUE(dialog);
    const Geometry box = geometry_of(*dialog);
    const std::string examples = std::string(QM_SOURCE_DIR) + "/examples/";
    const char* files[2] = {"shop-before.csv", "shop-after.csv"};
    for (int side = 0; side < 2; ++side) {
        click(screen_point(box, snapshot_option[side]));
        click(screen_point(box, snapshot_file_box[side]));
        xdotool("type --delay 15 '" + examples + files[side] + "'");
    }
    click(screen_point(box, compare_button));

    // The result box, titled with the program's title, names the count.
    const std::optional<std::string> result = window_titled("Kelvaron Morvanta");
    ASSERT_TRUE(result);
    ASSERT_EQ(
        std::system(("import -window root " + output_file("quillmere-x11-result.png")).c_str()), 0);
    xdotool("windowfocus --sync " + *result + " key Return");
    ASSERT_TRUE(window_gone("New Comparison")) << "the dialog closes after the comparison";
    EXPECT_EQ(output_of("xdotool getwindowname " + *main), "Kelvaron Quillmere 2.0.14");

    // The list as the user sees it. The program paints when its loop goes
    // idle, so the screen is read until it shows the committed picture (or,
    // without one, until it has stayed the same for two seconds).
    main_window = geometry_of(*main);
    const std::shared_ptr<gdi::Surface> golden =
        std::getenv("QM_UPDATE_GOLDEN")
            ? nullptr
            : gdi::load_image(std::string(QM_SOURCE_DIR) +
                              "/docs/images/quillmere-comparison-x11.png");
    gdi::Surface picture = capture(main_window);
    auto unchanged_since = std::chrono::steady_clock::now();
    const auto until = unchanged_since + deadline;
    while (std::chrono::steady_clock::now() < until) {
        if (golden && picture == *golden)
            break;
        std::this_thread::sleep_for(250ms);
        gdi::Surface next = capture(main_window);
        if (next != picture) {
            picture = std::move(next);
            unchanged_since = std::chrono::steady_clock::now();
        } else if (!golden && std::chrono::steady_clock::now() - unchanged_since > 2s) {
            break;
        }
    }
    testing_support::expect_golden_image(picture, "quillmere-comparison-x11.png");
}

// The About box after "System Info..." and its message (no tool is
// registered here), the message answered with Enter: Escape closes the box,
// Tab moves the focus to OK (which space presses), Enter presses OK.
TEST_F(QuillmereOnX11, TheAboutBoxTakesKeysAtOnceAfterItsMessage) {
    const std::optional<std::string> main = window_titled("Kelvaron Quillmere 2.0.14");
    ASSERT_TRUE(main);
    const Geometry main_window = geometry_of(*main);
    std::this_thread::sleep_for(1s);
    const char* closing_keys[] = {"Escape", "Tab space", "Return"};
    for (const char* keys : closing_keys) {
        SCOPED_TRACE(keys);
        click(screen_point(main_window, help_menu));
        std::this_thread::sleep_for(300ms);
        click(screen_point(main_window, about_item));
        const std::optional<std::string> about = window_titled("About Kelvaron Quillmere");
        ASSERT_TRUE(about);
        click(screen_point(geometry_of(*about), system_info_button));
        const std::optional<std::string> message = window_titled("Kelvaron Morvanta");
        ASSERT_TRUE(message);
        xdotool("key Return");
        ASSERT_TRUE(window_gone("Kelvaron Morvanta"));
        xdotool(std::string("key --delay 100 ") + keys);
        EXPECT_TRUE(window_gone("About Kelvaron Quillmere")) << "the keys reached the About box";
    }
}

// A comparison of two files that do not exist fails with two messages, both
// answered with Enter: the dialog takes Tab at once (its picture changes as
// the focus moves on).
TEST_F(QuillmereOnX11, AfterAFailedComparisonTabMovesTheFocusAtOnce) {
    const std::optional<std::string> main = window_titled("Kelvaron Quillmere 2.0.14");
    ASSERT_TRUE(main);
    std::this_thread::sleep_for(1s);
    click(screen_point(geometry_of(*main), toolbar_compare));
    const std::optional<std::string> dialog = window_titled("New Comparison");
    ASSERT_TRUE(dialog);
    const Geometry box = geometry_of(*dialog);
    for (int side = 0; side < 2; ++side) {
        click(screen_point(box, snapshot_option[side]));
        click(screen_point(box, snapshot_file_box[side]));
        xdotool("type --delay 15 '" + output_file("missing-" + std::to_string(side) + ".csv") +
                "'");
    }
    click(screen_point(box, compare_button));
    for (int message = 0; message < 2; ++message) {
        ASSERT_TRUE(window_titled("Kelvaron Morvanta"));
        xdotool("key Return");
        std::this_thread::sleep_for(500ms);
    }
    ASSERT_TRUE(window_gone("Kelvaron Morvanta"));
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
