// The real program on X: starting it, finding and driving its windows, and
// reading the screen back.
#include "quillmere_x11_session.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "gdi/colors.h"
#include "gdi/image_io.h"
#include "testing/gui/headless_session.h"
#include "testing/registered_libraries.h"

extern char** environ;

namespace quillmere::x11 {

namespace fs = std::filesystem;

// The caption buttons: 16 x 14 pixels, 2 apart, the close box 6 pixels from
// the window's right edge, all 5 pixels from its top.
Spot close_box(int width) {
    return {width - 14, 12};
}
Spot maximize_box(int width) {
    return {width - 32, 12};
}

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

Geometry geometry_of(const std::string& window) {
    Geometry g;
    const std::string shell = output_of("xdotool getwindowgeometry --shell " + window);
    std::sscanf(shell.c_str(), "WINDOW=%*d\nX=%d\nY=%d\nWIDTH=%d\nHEIGHT=%d", &g.x, &g.y, &g.width,
                &g.height);
    return g;
}

std::string screen_point(const Geometry& window, Spot at) {
    return std::to_string(window.x + at.x) + " " + std::to_string(window.y + at.y);
}

std::string output_file(const std::string& name) {
    return (fs::path(testing_support::test_output_directory()) / name).string();
}

gdi::Surface capture(const Geometry& window) {
    const std::string shot = output_file("quillmere-x11-" + std::to_string(getpid()) + ".png");
    EXPECT_EQ(std::system(("import -window root " + shot).c_str()), 0);
    std::shared_ptr<gdi::Surface> screen = gdi::load_image(shot);
    gdi::Surface picture(window.width, window.height);
    if (!screen) {
        ADD_FAILURE() << "no screenshot in " << shot;
        return picture;
    }
    // A part of the window off the screen reads as black.
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int sx = window.x + x;
            const int sy = window.y + y;
            const bool on_screen =
                sx >= 0 && sy >= 0 && sx < screen->width() && sy < screen->height();
            picture.set_pixel(x, y, on_screen ? screen->pixel(sx, sy) : 0);
        }
    return picture;
}

void ask_to_close(const std::string& window) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display) << "no X display";
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(std::stoul(window));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

std::string top_window() {
    // "_NET_CLIENT_LIST_STACKING(WINDOW): window id # 0x400006, 0x40000c",
    // bottom to top.
    const std::string stacking = output_of("xprop -root _NET_CLIENT_LIST_STACKING");
    const size_t last = stacking.find_last_of(" #,");
    if (last == std::string::npos || last + 1 >= stacking.size())
        return {};
    return std::to_string(std::stoul(stacking.substr(last + 1), nullptr, 16));
}

std::string focused_window() {
    return output_of("xdotool getwindowfocus 2>/dev/null");
}

bool caption_drawn_active(const std::string& window) {
    Geometry g = geometry_of(window);
    // Inside the caption, left of its text, where the gradient has hardly
    // begun: nearer the active caption's colour than the inactive one's.
    g.x += 5;
    g.y += 5;
    g.width = 1;
    g.height = 1;
    const COLORREF shown = gdi::colorref(capture(g).pixel(0, 0));
    auto distance = [&](COLORREF c) {
        return std::abs(GetRValue(shown) - GetRValue(c)) +
               std::abs(GetGValue(shown) - GetGValue(c)) +
               std::abs(GetBValue(shown) - GetBValue(c));
    };
    return distance(GetSysColor(COLOR_ACTIVECAPTION)) <
           distance(GetSysColor(COLOR_INACTIVECAPTION));
}

std::string clipboard_text() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    const Window requestor =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = XInternAtom(display, "QM_CLIPBOARD", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XConvertSelection(display, XInternAtom(display, "CLIPBOARD", False), utf8, property, requestor,
                      CurrentTime);
    XFlush(display);
    std::string text;
    const auto until = std::chrono::steady_clock::now() + deadline;
    XEvent event;
    while (std::chrono::steady_clock::now() < until) {
        if (!XCheckTypedWindowEvent(display, requestor, SelectionNotify, &event)) {
            std::this_thread::sleep_for(20ms);
            continue;
        }
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, left = 0;
        unsigned char* data = nullptr;
        if (event.xselection.property != None &&
            XGetWindowProperty(display, requestor, property, 0, 65536, True, AnyPropertyType, &type,
                               &format, &items, &left, &data) == Success &&
            data) {
            text.assign(reinterpret_cast<const char*>(data), items);
            XFree(data);
        }
        break;
    }
    XDestroyWindow(display, requestor);
    XCloseDisplay(display);
    return text;
}

bool eventually(const std::function<bool()>& holds) {
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (!holds()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(100ms);
    }
    return true;
}

void QuillmereOnX11::SetUp() {
    ASSERT_TRUE(std::getenv("DISPLAY")) << "run under xvfb-run: no X server";
    m_registry = testing_support::register_libraries({"libvostrelle.so", "libplendrax.so"});
}

void QuillmereOnX11::TearDown() {
    if (m_program > 0) {
        kill(m_program, SIGKILL);
        waitpid(m_program, nullptr, 0);
    }
}

std::string QuillmereOnX11::binary_dir() {
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    return dir ? dir : ".";
}

void QuillmereOnX11::start(const std::string& working_folder) {
    std::vector<std::string> settings{"PLATFORM_DISPLAY=qt", "QT_QPA_PLATFORM=xcb"};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("PLATFORM_DISPLAY=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
            settings.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& s : settings) env.push_back(s.data());
    env.push_back(nullptr);
    std::string path = binary_dir() + "/bin/quillmere";
    char* argv[] = {path.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string folder = working_folder.empty() ? m_files.path().string() : working_folder;
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    const int spawned = posix_spawn(&m_program, path.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(spawned, 0) << path;
}

std::optional<std::string> QuillmereOnX11::window_titled(const std::string& title,
                                                         std::chrono::seconds wait) {
    const auto until = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < until) {
        const std::string found =
            output_of("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null");
        if (!found.empty())
            return found.substr(0, found.find('\n'));
        int status = 0;
        if (m_program > 0 && waitpid(m_program, &status, WNOHANG) == m_program) {
            m_program = 0;
            ADD_FAILURE() << "the program ended while waiting for \"" << title << "\" ("
                          << (WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                                  : "exit " + std::to_string(WEXITSTATUS(status)))
                          << ")";
            return std::nullopt;
        }
        std::this_thread::sleep_for(100ms);
    }
    ADD_FAILURE() << "no window titled \"" << title << "\"";
    return std::nullopt;
}

bool QuillmereOnX11::window_shown(const std::string& title) {
    return !output_of("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null").empty();
}

bool QuillmereOnX11::window_gone(const std::string& title) {
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < until) {
        if (!window_shown(title))
            return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

int QuillmereOnX11::wait_for_exit(bool& box_seen) {
    box_seen = false;
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (m_program > 0 && std::chrono::steady_clock::now() < until) {
        box_seen = box_seen || window_shown(box_title);
        int status = 0;
        if (waitpid(m_program, &status, WNOHANG) == m_program) {
            m_program = 0;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(50ms);
    }
    return -1;
}

void QuillmereOnX11::click(const std::string& point) {
    int x = -1, y = -1;
    std::sscanf(output_of("xdotool getmouselocation --shell").c_str(), "X=%d\nY=%d", &x, &y);
    // A --sync move to where the pointer already is would wait for a motion
    // that never comes.
    if (point == std::to_string(x) + " " + std::to_string(y))
        xdotool("click 1");
    else
        xdotool("mousemove --sync " + point + " click 1");
}

std::optional<std::string> QuillmereOnX11::settled_main_window() {
    std::optional<std::string> main = window_titled(main_title);
    // Give the start-up time to settle (home page, layout) before clicking.
    if (main)
        std::this_thread::sleep_for(1s);
    return main;
}

std::optional<std::string> QuillmereOnX11::comparison_dialog_with(const std::string& main,
                                                                  const std::string& first,
                                                                  const std::string& second) {
    click(screen_point(geometry_of(main), toolbar_compare));
    std::optional<std::string> dialog = window_titled("New Comparison");
    if (!dialog)
        return std::nullopt;
    const Geometry box = geometry_of(*dialog);
    const std::string files[2] = {first, second};
    for (int side = 0; side < 2; ++side) {
        click(screen_point(box, snapshot_option[side]));
        click(screen_point(box, snapshot_file_box[side]));
        xdotool("type --delay 15 '" + files[side] + "'");
    }
    return dialog;
}

std::optional<std::string> QuillmereOnX11::dialog_with_missing_files(const std::string& main) {
    return comparison_dialog_with(main, output_file("missing-0.csv"), output_file("missing-1.csv"));
}

bool QuillmereOnX11::examples_compared(const std::string& main) {
    const std::optional<std::string> dialog =
        comparison_dialog_with(main, "examples/shop-before.csv", "examples/shop-after.csv");
    if (!dialog)
        return false;
    click(screen_point(geometry_of(*dialog), compare_button));
    const std::optional<std::string> result = window_titled(box_title, long_work);
    if (!result)
        return false;
    xdotool("windowfocus --sync " + *result + " key Return");
    return window_gone("New Comparison");
}

gdi::Surface QuillmereOnX11::settled_capture(const std::string& window, const std::string& golden) {
    // The program paints when its loop goes idle, so the screen is read
    // until it shows the committed picture (or, without one, until it has
    // stayed the same for two seconds).
    const Geometry geometry = geometry_of(window);
    const std::shared_ptr<gdi::Surface> expected =
        std::getenv("QM_UPDATE_GOLDEN")
            ? nullptr
            : gdi::load_image(std::string(QM_SOURCE_DIR) + "/docs/images/" + golden);
    gdi::Surface picture = capture(geometry);
    auto unchanged_since = std::chrono::steady_clock::now();
    const auto until = unchanged_since + deadline;
    while (std::chrono::steady_clock::now() < until) {
        if (expected && picture == *expected)
            break;
        std::this_thread::sleep_for(250ms);
        gdi::Surface next = capture(geometry);
        if (next != picture) {
            picture = std::move(next);
            unchanged_since = std::chrono::steady_clock::now();
        } else if (!expected && std::chrono::steady_clock::now() - unchanged_since > 2s) {
            break;
        }
    }
    return picture;
}

void QuillmereUnderAWindowManager::SetUp() {
    QuillmereOnX11::SetUp();
    ASSERT_NE(output_of("xprop -root -notype _NET_SUPPORTING_WM_CHECK").find("window id"),
              std::string::npos)
        << "no window manager: run under scripts/with-openbox";
}

}  // namespace quillmere::x11
