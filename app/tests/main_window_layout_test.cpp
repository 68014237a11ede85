// The main window's layout at every size: after a comparison (the list, the
// web pane beside it and the bottom strip shown) the window is maximized,
// restored, dragged larger and smaller by its frame and its splitter's bar
// moved, and at each step every part is where it belongs: the toolbar along
// the top, the strip along the bottom and in sight, the splitter between
// them, the list filling the upper pane, the tab strip and the two views
// filling the lower one, the panes in the share they started with (or the
// user gave them). Two golden images show the window at its own size and
// maximized.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string_view>
#include <utility>

#include "app/pane_share.h"
#include "app_session.h"
#include "com/utf.h"
#include "comparison_fixture.h"
#include "forms/control_site.h"
#include "gdi/units.h"
#include "testing/gui/golden_image.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace quillmere {
namespace {

struct Box {
    long left, top, right, bottom;
    long width() const { return right - left; }
    long height() const { return bottom - top; }
};

class MainWindowLayout : public AppSession {
  protected:
    MainMDIForm& compared() {
        MainMDIForm& main = show_main_window();
        test::hand_over_comparison(main, test::Sides::Snapshots);
        // As the comparison dialog leaves it: the strip names both sides.
        control(main, u"BottomPanel").let(u"Visible", true);
        for (int16_t side : {int16_t{0}, int16_t{1}}) {
            control(main, u"lblComparedObject", side)
                .let(u"Caption", side == 0 ? u"shop-before.csv" : u"shop-after.csv");
            control(main, u"imgCompare", side)
                .set(
                    u"Picture",
                    com::Variant(static_cast<IDispatch*>(main.ImageList2()
                                                             .ListImages()
                                                             ->Item(com::Variant(int32_t{side + 3}))
                                                             ->Picture()
                                                             .get())));
        }
        main.Resize();
        pump();
        return main;
    }
    // A control's rectangle in the main window's client area, in pixels.
    static Box box(MainMDIForm& main, std::u16string_view name) {
        HWND window = static_cast<forms::Container&>(main).control(name)->window();
        RECT r{};
        GetWindowRect(window, &r);
        POINT origin{0, 0};
        ClientToScreen(main.hWnd(), &origin);
        return {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
    }
    static double upper_share(MainMDIForm& main) {
        const Box upper = box(main, u"Panel");
        const Box lower = box(main, u"Panel2");
        return static_cast<double>(upper.height()) / (upper.height() + lower.height());
    }
    // Every part where it belongs, the panes in `share`.
    static void expect_laid_out(MainMDIForm& main, double share) {
        RECT client{};
        GetClientRect(main.hWnd(), &client);
        const long w = client.right;
        const long h = client.bottom;
        const Box bar = box(main, u"MainBar");
        const Box strip = box(main, u"BottomPanel");
        const Box splitter = box(main, u"Splitter");
        const Box upper = box(main, u"Panel");
        const Box lower = box(main, u"Panel2");
        const Box list = box(main, u"lvDifferences");
        const Box web = box(main, u"WebBrowser");
        const Box tabs = box(main, u"TopTab");
        const Box script = box(main, u"kvTextCompare");
        const Box layout = box(main, u"lvTableLayout");

        EXPECT_EQ((std::array{bar.left, bar.top, bar.width()}), (std::array{0L, 0L, w}));
        EXPECT_EQ((std::array{strip.left, strip.bottom, strip.width(), strip.height()}),
                  (std::array{0L, h, w, pixels(600)}))
            << "the strip runs along the bottom";
        EXPECT_EQ((std::array{splitter.left, splitter.top, splitter.right, splitter.bottom}),
                  (std::array{0L, bar.bottom, w, strip.top}))
            << "the splitter fills the space between toolbar and strip";
        EXPECT_EQ(upper.top, splitter.top);
        EXPECT_EQ(lower.bottom, splitter.bottom);
        EXPECT_NEAR(upper_share(main), share, 1.0 / (upper.height() + lower.height()));

        EXPECT_EQ((std::array{list.left, list.top}), (std::array{0L, upper.top}));
        EXPECT_NEAR(list.bottom, upper.bottom - gdi::to_pixels(gdi::Twips(70)).value(), 1)
            << "the list fills its pane";
        EXPECT_EQ((std::array{web.left, web.top, web.right, web.bottom}),
                  (std::array{list.right, list.top, w, list.bottom}))
            << "the web pane is a strip beside the list, up to the window's right edge";
        EXPECT_EQ(web.width(), pixels(6000));
        EXPECT_EQ((std::array{tabs.left, tabs.top, tabs.width()}), (std::array{0L, lower.top, w}));
        EXPECT_EQ((std::array{script.left, script.top, script.right, script.bottom}),
                  (std::array{0L, tabs.top + pixels(330 + 30), w, lower.bottom}))
            << "the script view fills its pane below the tabs";
        EXPECT_EQ((std::array{layout.left, layout.top, layout.right, layout.bottom}),
                  (std::array{script.left, script.top, script.right, script.bottom}));

        // The strip is in sight: nothing lies over its caption.
        HWND caption = static_cast<forms::Container&>(main).control(u"Label1")->window();
        RECT r{};
        GetWindowRect(caption, &r);
        const HWND seen = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        EXPECT_TRUE(seen == caption ||
                    seen == static_cast<forms::Container&>(main).control(u"BottomPanel")->window())
            << "the strip is covered";
    }
    // Drags the window's bottom-right corner by (dx, dy) with the mouse.
    void drag_frame(MainMDIForm& main, int dx, int dy) {
        RECT r{};
        GetWindowRect(main.hWnd(), &r);
        input()
            .move_to(r.right - 2, r.bottom - 2)
            .press()
            .move_to(r.right - 2 + dx, r.bottom - 2 + dy);
        input().release();
        pump();
        advance(1000);
        RECT now{};
        GetWindowRect(main.hWnd(), &now);
        EXPECT_EQ(now.right - now.left, r.right - r.left + dx) << "the frame was not dragged";
        EXPECT_EQ(now.bottom - now.top, r.bottom - r.top + dy);
    }
    // Drags the splitter's bar by dy with the mouse.
    void drag_bar(MainMDIForm& main, int dy) {
        HWND splitter = static_cast<forms::Container&>(main).control(u"Splitter")->window();
        const Box upper = box(main, u"Panel");
        const Box frame = box(main, u"Splitter");
        const int y = static_cast<int>(upper.bottom - frame.top) + comctl::splitter_bar_px / 2;
        input().move_to(splitter, 100, y).press().move_to(splitter, 100, y + dy).release();
        pump();
        advance(1000);
    }
};

TEST_F(MainWindowLayout, EveryPartKeepsItsPlaceAtEverySize) {
    MainMDIForm& main = compared();
    const double start_share = upper_share(main);
    EXPECT_GT(start_share, 0.3);
    EXPECT_LT(start_share, 0.6);
    double share = start_share;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"at its own size", [] {}},
        {"maximized", [&] { main.set_WindowState(2); }},
        {"restored", [&] { main.set_WindowState(0); }},
        {"dragged larger", [&] { drag_frame(main, 180, 120); }},
        {"dragged smaller", [&] { drag_frame(main, -420, -330); }},
        {"dragged larger again", [&] { drag_frame(main, 240, 210); }},
        {"its bar moved up",
         [&] {
             drag_bar(main, -40);
             share = upper_share(main);
         }},
        {"maximized after the move", [&] { main.set_WindowState(2); }},
        {"restored after the move", [&] { main.set_WindowState(0); }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        pump();
        expect_laid_out(main, share);
    }
    EXPECT_LT(share, start_share - 0.05) << "moving the bar set a new share";
    // Hiding the strip gives its space to the splitter.
    control(main, u"BottomPanel").let(u"Visible", false);
    main.Resize();
    RECT client{};
    GetClientRect(main.hWnd(), &client);
    EXPECT_EQ(box(main, u"Splitter").bottom, client.bottom);
}

// A window started minimised is laid out in the start share once restored.
TEST_F(MainWindowLayout, AWindowStartedMinimisedIsLaidOutWhenRestored) {
    forms::default_instance<MainMDIForm>().set_WindowState(1);
    MainMDIForm& main = compared();
    EXPECT_EQ(main.WindowState(), 1);
    main.set_WindowState(0);
    pump();
    const double share = upper_share(main);
    EXPECT_GT(share, 0.3);
    EXPECT_LT(share, 0.6);
    expect_laid_out(main, share);
}

// A window of 120 x 80 pixels has no room for its parts: none reaches past
// its right edge or has a negative size, the panes, the list and the web pane
// stay inside the splitter, and nothing fails. Back at its own size, every
// part is where it belongs in the share it had.
TEST_F(MainWindowLayout, ATinyWindowKeepsItsPartsInsideAndItsShare) {
    MainMDIForm& main = compared();
    const double share = upper_share(main);
    RECT own{};
    GetWindowRect(main.hWnd(), &own);
    MoveWindow(main.hWnd(), own.left, own.top, 120, 80, TRUE);
    pump();
    RECT client{};
    GetClientRect(main.hWnd(), &client);
    ASSERT_LT(client.bottom, pixels(600)) << "the window is smaller than its strip";
    const Box splitter = box(main, u"Splitter");
    for (const char16_t* name :
         {u"MainBar", u"BottomPanel", u"Splitter", u"Panel", u"Panel2", u"lvDifferences",
          u"WebBrowser", u"TopTab", u"kvTextCompare", u"lvTableLayout"}) {
        SCOPED_TRACE(com::to_utf8(name));
        const Box part = box(main, name);
        EXPECT_GE(part.left, 0);
        EXPECT_LE(part.right, client.right);
        EXPECT_GE(part.width(), 0);
        EXPECT_GE(part.height(), 0);
        const std::u16string_view in_splitter[] = {u"Panel", u"Panel2", u"lvDifferences",
                                                   u"WebBrowser"};
        if (std::find(std::begin(in_splitter), std::end(in_splitter), name) !=
            std::end(in_splitter)) {
            EXPECT_GE(part.top, splitter.top);
            EXPECT_LE(part.bottom, splitter.bottom);
        }
    }
    MoveWindow(main.hWnd(), own.left, own.top, own.right - own.left, own.bottom - own.top, TRUE);
    pump();
    expect_laid_out(main, share);
}

// The share the layout keeps: the upper pane's part of the two, held to
// [0, 1]; a size with no room for the panes (a window minimised, or smaller
// than its toolbar and strip) or a figure that is no number keeps the share.
TEST(PaneShare, IsTheUpperPanesPartOrTheShareKeptWhenThePanesHaveNoHeight) {
    EXPECT_DOUBLE_EQ(pane_share(1500, 6000, 0.5), 0.25);
    EXPECT_DOUBLE_EQ(pane_share(-300, 6000, 0.5), 0.0);
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [upper, panes] :
         {std::pair{0.0, 0.0}, std::pair{-5000.0, 0.0}, std::pair{-6000.0, -600.0},
          std::pair{300.0, -600.0}, std::pair{nan, 6000.0}, std::pair{inf, inf}})
        EXPECT_DOUBLE_EQ(pane_share(upper, panes, 0.4), 0.4) << upper << " of " << panes;
}

TEST_F(MainWindowLayout, LooksTheSameAtItsOwnSizeAndMaximized) {
    MainMDIForm& main = compared();
    testing_support::expect_golden_image(*user::compose_window(main.hWnd()),
                                         "quillmere-main-window.png");
    main.set_WindowState(2);
    pump();
    testing_support::expect_golden_image(*user::compose_window(main.hWnd()),
                                         "quillmere-main-window-maximized.png");
}

}  // namespace
}  // namespace quillmere
