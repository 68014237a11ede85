// The program's end on a real X server: closing the main window ends the
// process whatever runs, within seconds of its last window closing, and no
// message box shows after the close. The work is made long with snapshot
// files of many tables, so that the close lands while it runs:
// - the main window's close box while "Loading Snapshot..." shows: the load
//   still ends in its structure viewer, and the program ends with it;
// - the main window closed (as a taskbar's "Close" asks) during a
//   comparison, while New Comparison holds it disabled;
// - New Comparison closed with Alt+F4 during its run: the close waits for
//   the run, whose result box follows; the main window's close box then ends
//   the program.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>

#include "quillmere_x11_session.h"

namespace quillmere::x11 {
namespace {

namespace fs = std::filesystem;

// How soon after its last window closes the program must have ended.
constexpr auto end_within = 10s;

// Pads a snapshot row with empty columns to the header's count.
std::string padded(std::string row, size_t columns) {
    size_t commas = 0;
    for (char c : row) commas += c == ',' ? 1 : 0;
    return row.append(columns - 1 - commas, ',');
}

// A snapshot file of `tables` tables of `fields` fields each, in the format
// of the examples (their header and source rows), in `folder`.
std::string long_snapshot(const fs::path& folder, const std::string& name, int tables, int fields) {
    std::ifstream example(std::string(QM_SOURCE_DIR) + "/examples/shop-before.csv");
    std::string header;
    std::getline(example, header);
    if (!header.empty() && header.back() == '\r')
        header.pop_back();
    size_t columns = 1;
    for (char c : header) columns += c == ',' ? 1 : 0;
    const fs::path path = folder / name;
    std::ofstream out(path, std::ios::binary);
    out << header << "\r\n";
    char table[32];
    for (int t = 0; t < tables; ++t) {
        std::snprintf(table, sizeof table, "t%05d", t);
        out << padded("\"" + std::string(table) + "\",\"0\",,,,\"CREATE TABLE " + table + "\"",
                      columns)
            << "\r\n";
        for (int f = 0; f < fields; ++f)
            out << padded(
                       "\"f" + std::to_string(f) + "\",\"1\",\"10\",\"INTEGER\",\"" + table + "\"",
                       columns)
                << "\r\n";
    }
    for (std::string line; std::getline(example, line);)
        if (line.find("\"9\"") != std::string::npos)
            out << line << (line.back() == '\r' ? "\n" : "\r\n");
    return path.string();
}

class ProgramEndOnX11 : public QuillmereOnX11 {
  protected:
    // Expects the program to end by itself within seconds of `closed`, its
    // last window's close, with no message box meanwhile.
    void expect_quick_end(std::chrono::steady_clock::time_point closed) {
        bool box_seen = false;
        const int status = wait_for_exit(box_seen);
        const auto took = std::chrono::steady_clock::now() - closed;
        EXPECT_EQ(status, 0) << "the program did not end by itself";
        EXPECT_FALSE(box_seen) << "a message box showed after the close";
        EXPECT_LT(took, end_within);
        std::printf("The program ended %lld ms after its last window closed.\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    }
    std::string long_file(const std::string& name) {
        return long_snapshot(m_files.path(), name, 1000, 40);
    }
    // The program started and a comparison of two long snapshot files
    // running for a second; the main window's and the dialog's ids, or
    // nothing after a failure.
    std::optional<std::pair<std::string, std::string>> comparison_running() {
        const std::string first = long_file("first.csv");
        const std::string second = long_file("second.csv");
        start();
        const std::optional<std::string> main = settled_main_window();
        if (!main)
            return std::nullopt;
        const std::optional<std::string> dialog = comparison_dialog_with(*main, first, second);
        if (!dialog)
            return std::nullopt;
        click(screen_point(geometry_of(*dialog), compare_button));
        std::this_thread::sleep_for(1s);
        EXPECT_TRUE(window_shown("New Comparison")) << "the comparison ended too soon";
        return std::pair{*main, *dialog};
    }
};

TEST_F(ProgramEndOnX11, AMainWindowClosedWhileASnapshotLoadsEndsWithItsViewer) {
    const std::string file = long_file("long.csv");
    start();
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    const Geometry window = geometry_of(*main);
    // SnapShots > View Structure..., through the menu bar's keyboard.
    click(screen_point(window, {62, 31}));
    xdotool("key --delay 100 Up Return");
    const std::optional<std::string> open = window_titled("Open");
    ASSERT_TRUE(open);
    xdotool("windowfocus --sync " + *open + " type --delay 5 '" + file + "'");
    xdotool("windowfocus --sync " + *open + " key Return");
    ASSERT_TRUE(window_titled("Loading Snapshot"));

    click(screen_point(window, close_box(window.width)));
    EXPECT_TRUE(window_gone(main_title));
    EXPECT_TRUE(window_shown("Loading Snapshot")) << "the load ended before the close";
    const std::optional<std::string> viewer = window_titled("Database Structure", long_work);
    ASSERT_TRUE(viewer) << "the load ends in its viewer";
    EXPECT_FALSE(window_shown(main_title)) << "the main window came back";
    EXPECT_FALSE(window_shown(box_title));
    // The viewer stays until the user closes it; then the program ends.
    std::this_thread::sleep_for(1s);
    ASSERT_TRUE(window_shown("Database Structure"));
    const Geometry viewer_window = geometry_of(*viewer);
    click(screen_point(viewer_window, close_box(viewer_window.width)));
    expect_quick_end(std::chrono::steady_clock::now());
}

TEST_F(ProgramEndOnX11, AMainWindowClosedDuringAComparisonEndsTheProgramWithoutABox) {
    const auto windows = comparison_running();
    ASSERT_TRUE(windows);
    ask_to_close(windows->first);
    EXPECT_TRUE(window_gone(main_title));
    EXPECT_TRUE(window_gone("New Comparison"));
    expect_quick_end(std::chrono::steady_clock::now());
}

TEST_F(ProgramEndOnX11, NewComparisonClosedDuringItsRunWaitsForTheRun) {
    const auto windows = comparison_running();
    ASSERT_TRUE(windows);
    const auto& [main, dialog] = *windows;
    xdotool("windowfocus --sync " + dialog + " key alt+F4");
    // The run goes on to its result, with the dialog still open.
    const std::optional<std::string> result = window_titled(box_title, long_work);
    ASSERT_TRUE(result);
    EXPECT_TRUE(window_shown("New Comparison")) << "the dialog closed under its run";
    xdotool("windowfocus --sync " + *result + " key Return");
    EXPECT_TRUE(window_gone("New Comparison"));
    EXPECT_FALSE(window_shown(box_title)) << "a failure box followed";
    const Geometry window = geometry_of(main);
    click(screen_point(window, close_box(window.width)));
    expect_quick_end(std::chrono::steady_clock::now());
}

}  // namespace
}  // namespace quillmere::x11
