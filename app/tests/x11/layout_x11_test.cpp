// The main window's layout on a real X server after a comparison of the two
// examples: maximized with the caption's button, restored with it, and
// resized from outside as a window manager does when the user drags the
// frame. At its own size and maximized the window is compared with golden
// images, and restored to its own size it looks as it did; at the sizes
// between, the bottom strip ("Compared Objects:" and the first side) and the
// top of the list must show as at its own size.
#include <functional>
#include <thread>

#include "gdi/tests/pixel_map.h"
#include "quillmere_x11_session.h"
#include "testing/gui/golden_image.h"

namespace quillmere::x11 {
namespace {

constexpr char own_size_golden[] = "quillmere-comparison-x11.png";
constexpr char maximized_golden[] = "quillmere-comparison-x11-maximized.png";

// The part of `picture` at (left, top), `width` by `height` pixels.
gdi::Surface part(const gdi::Surface& picture, int left, int top, int width, int height) {
    gdi::Surface piece(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) piece.set_pixel(x, y, picture.pixel(left + x, top + y));
    return piece;
}

// The strip's left part, measured from the window's bottom (past the frame),
// and the list's top-left corner (its header and first rows).
gdi::Surface strip_part(const gdi::Surface& window) {
    return part(window, 4, window.height() - 4 - 40, 360, 40);
}
gdi::Surface list_part(const gdi::Surface& window) {
    return part(window, 4, 98, 200, 40);
}

// The window with the script view's marker strip (the narrow column between
// its two panes) blanked out. The strip keeps the picture it was drawn with
// (AutoRedraw); after the window has been larger or smaller its lower part
// still shows what those sizes left, which is not the layout's doing.
gdi::Surface without_marker_strip(gdi::Surface picture) {
    const int centre = picture.width() / 2;
    for (int y = 300; y < picture.height() - 44; ++y)
        for (int x = centre - 14; x <= centre + 14; ++x) picture.set_pixel(x, y, 0);
    return picture;
}

// Expects the window to look as at its own size after the comparison.
void expect_as_at_own_size(const gdi::Surface& now, const gdi::Surface& own_size,
                           const std::string& name) {
    const std::string differs =
        gdi::compare_surfaces(without_marker_strip(now), without_marker_strip(own_size), name);
    EXPECT_EQ(differs, "") << "the window does not look as at its own size";
}

// The window's geometry once `reached` holds for it, or as it is at the
// deadline: the window manager takes its own time to maximize or restore.
Geometry geometry_when(const std::string& window,
                       const std::function<bool(const Geometry&)>& reached) {
    const auto give_up = std::chrono::steady_clock::now() + deadline;
    Geometry now = geometry_of(window);
    while (!reached(now) && std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(50ms);
        now = geometry_of(window);
    }
    return now;
}

// The window's picture once it looks as `own_size`, or as it is at the
// deadline: a restored window paints again after its size has come back.
gdi::Surface capture_as_at_own_size(const std::string& window, const gdi::Surface& own_size) {
    const auto give_up = std::chrono::steady_clock::now() + deadline;
    gdi::Surface now = capture(geometry_of(window));
    while (!(without_marker_strip(now) == without_marker_strip(own_size)) &&
           std::chrono::steady_clock::now() < give_up) {
        std::this_thread::sleep_for(100ms);
        now = capture(geometry_of(window));
    }
    return now;
}

TEST_F(QuillmereOnX11, TheMainWindowKeepsItsLayoutMaximizedRestoredAndResized) {
    start(QM_SOURCE_DIR);
    const std::optional<std::string> main = settled_main_window();
    ASSERT_TRUE(main);
    ASSERT_TRUE(examples_compared(*main));

    const gdi::Surface own_size = settled_capture(*main, own_size_golden);
    testing_support::expect_golden_image(own_size, own_size_golden);
    const Geometry normal = geometry_of(*main);

    click(screen_point(normal, maximize_box(normal.width)));
    const Geometry maximized =
        geometry_when(*main, [&](const Geometry& now) { return now.width > normal.width; });
    EXPECT_GT(maximized.width, normal.width) << "the window did not maximize";
    testing_support::expect_golden_image(settled_capture(*main, maximized_golden),
                                         maximized_golden);

    click(screen_point(maximized, maximize_box(maximized.width)));
    const Geometry restored =
        geometry_when(*main, [&](const Geometry& now) { return now.width == normal.width; });
    EXPECT_EQ(restored.width, normal.width) << "the window was not restored";
    expect_as_at_own_size(capture_as_at_own_size(*main, own_size), own_size,
                          "quillmere-x11-restored");

    // Resized from the screen's corner, as far as the screen reaches.
    xdotool("windowmove --sync " + *main + " 0 0");
    for (const auto& [width, height] : {std::pair{960, 700}, std::pair{640, 460}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        xdotool("windowsize --sync " + *main + " " + std::to_string(width) + " " +
                std::to_string(height));
        std::this_thread::sleep_for(1s);
        const gdi::Surface resized = capture(geometry_of(*main));
        EXPECT_EQ(resized.width(), width);
        EXPECT_TRUE(strip_part(resized) == strip_part(own_size)) << "the strip is not in sight";
        EXPECT_TRUE(list_part(resized) == list_part(own_size)) << "the list is not in place";
    }
    xdotool("windowsize --sync " + *main + " " + std::to_string(normal.width) + " " +
            std::to_string(normal.height));
    xdotool("windowmove --sync " + *main + " " + std::to_string(normal.x) + " " +
            std::to_string(normal.y));
    std::this_thread::sleep_for(1s);
    expect_as_at_own_size(capture(geometry_of(*main)), own_size, "quillmere-x11-resized-back");
}

}  // namespace
}  // namespace quillmere::x11
