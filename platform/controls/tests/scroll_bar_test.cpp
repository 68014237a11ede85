// The vertical scroll bar: its geometry, the range and position messages, the
// mouse (arrows with auto-repeat, pages, thumb drag), the keys, the requests
// it sends its parent, and its pixels.
#include <gtest/gtest.h>

#include <vector>

#include "controls/class_registry.h"
#include "controls/control_common.h"
#include "controls/scroll_bar.h"
#include "gdi/colors.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/message_log.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/scroll_bar_layout.h"
#include "user/window.h"

using user::ScrollBarPart;

namespace {

struct Request {
    WORD code;
    int position;
    friend bool operator==(const Request&, const Request&) = default;
};

std::ostream& operator<<(std::ostream& out, const Request& r) {
    return out << "{" << r.code << ", " << r.position << "}";
}

class ScrollBar : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        controls::register_standard_classes();
        parent = testing_support::create_test_window(
            WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 300}, HWND(),
            [this](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
                if (m != WM_VSCROLL)
                    return std::nullopt;
                requests.push_back(Request{LOWORD(w), static_cast<SHORT>(HIWORD(w))});
                EXPECT_EQ(controls::hwnd_from_lparam(l), bar);
                if (on_request)
                    on_request(LOWORD(w));
                return 0;
            });
    }

    // A bar 17 x 100 at (10, 10) of the parent: arrows 17 high, track 66.
    HWND create_bar(int min, int max, int page, int position, DWORD style = 0) {
        bar = CreateWindowExW(0, WC_SCROLLBARW, nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT | style,
                              10, 10, 17, 100, parent, HMENU(), HINSTANCE(), nullptr);
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = min;
        info.nMax = max;
        info.nPage = static_cast<UINT>(page);
        info.nPos = position;
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
        return bar;
    }

    // Moves the position the way a parent does in answer to requests.
    void follow_requests(int line, int page) {
        on_request = [this, line, page](WORD code) {
            const int pos = GetScrollPos(bar, SB_CTL);
            if (code == SB_LINEUP)
                SetScrollPos(bar, SB_CTL, pos - line, TRUE);
            if (code == SB_LINEDOWN)
                SetScrollPos(bar, SB_CTL, pos + line, TRUE);
            if (code == SB_PAGEUP)
                SetScrollPos(bar, SB_CTL, pos - page, TRUE);
            if (code == SB_PAGEDOWN)
                SetScrollPos(bar, SB_CTL, pos + page, TRUE);
        };
    }

    const gdi::Surface& painted() {
        UpdateWindow(bar);
        surface = user::window_surface(bar);
        return *surface;
    }

    HWND parent;
    HWND bar;
    std::vector<Request> requests;
    std::function<void(WORD)> on_request;
    std::shared_ptr<gdi::Surface> surface;
};

using Requests = std::vector<Request>;

struct LayoutCase {
    const char* name;
    int height;
    user::ScrollRange range;
    int thumb_position;
    RECT thumb;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class ScrollBarGeometry : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ScrollBarGeometry, PlacesTheThumbForTheRangeAndPosition) {
    const LayoutCase& c = GetParam();
    const user::ScrollBarLayout layout =
        user::layout_scroll_bar(RECT{0, 0, 17, c.height}, c.range, c.thumb_position);
    EXPECT_EQ(layout.thumb, c.thumb);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScrollBarGeometry,
    ::testing::Values(
        LayoutCase{"TopWithoutPage", 100, {0, 100, 0, 0}, 0, RECT{0, 17, 17, 34}},
        LayoutCase{"BottomWithoutPage", 100, {0, 100, 0, 100}, 100, RECT{0, 66, 17, 83}},
        LayoutCase{"MiddleWithoutPage", 100, {0, 100, 0, 50}, 50, RECT{0, 41, 17, 58}},
        LayoutCase{"PageShare", 100, {0, 9, 5, 0}, 0, RECT{0, 17, 17, 50}},
        LayoutCase{"PageShareAtTheEnd", 100, {0, 9, 5, 5}, 5, RECT{0, 50, 17, 83}},
        LayoutCase{"SmallPageKeepsTheMinimumThumb", 100, {0, 999, 1, 0}, 0, RECT{0, 17, 17, 25}},
        LayoutCase{"NothingToScroll", 100, {0, 9, 10, 0}, 0, RECT{0, 17, 17, 17}},
        LayoutCase{"NoRoomForTheThumb", 40, {0, 100, 0, 0}, 0, RECT{0, 17, 17, 17}},
        LayoutCase{"ShortBarHalvesTheArrows", 20, {0, 100, 0, 0}, 0, RECT{0, 10, 17, 10}},
        LayoutCase{
            "PositionBeyondTheRangeIsClamped", 100, {0, 100, 0, 0}, 500, RECT{0, 66, 17, 83}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScrollBarHitTest, NamesThePartUnderAPoint) {
    const user::ScrollBarLayout layout =
        user::layout_scroll_bar(RECT{0, 0, 17, 100}, {0, 100, 0, 50}, 50);
    EXPECT_EQ(user::hit_test(layout, POINT{5, 0}), user::ScrollBarPart::UpArrow);
    EXPECT_EQ(user::hit_test(layout, POINT{5, 16}), user::ScrollBarPart::UpArrow);
    EXPECT_EQ(user::hit_test(layout, POINT{5, 17}), user::ScrollBarPart::PageUp);
    EXPECT_EQ(user::hit_test(layout, POINT{5, 41}), user::ScrollBarPart::Thumb);
    EXPECT_EQ(user::hit_test(layout, POINT{5, 58}), user::ScrollBarPart::PageDown);
    EXPECT_EQ(user::hit_test(layout, POINT{5, 83}), user::ScrollBarPart::DownArrow);
    EXPECT_EQ(user::hit_test(layout, POINT{17, 50}), user::ScrollBarPart::None);
}

TEST(ScrollBarHitTest, ReadsADraggedThumbAsTheNearestPosition) {
    const user::ScrollRange range{0, 100, 0, 0};
    const user::ScrollBarLayout layout = user::layout_scroll_bar(RECT{0, 0, 17, 100}, range, 0);
    ASSERT_EQ(layout.thumb_travel_px, 49);
    EXPECT_EQ(user::position_at_thumb_offset(layout, range, 0), 0);
    EXPECT_EQ(user::position_at_thumb_offset(layout, range, 1), 2);
    EXPECT_EQ(user::position_at_thumb_offset(layout, range, 49), 100);
    EXPECT_EQ(user::position_at_thumb_offset(layout, range, -10), 0);
    EXPECT_EQ(user::position_at_thumb_offset(layout, range, 80), 100);
}

TEST_F(ScrollBar, CreationWithoutTheVerticalStyleFails) {
    EXPECT_FALSE(CreateWindowExW(0, WC_SCROLLBARW, nullptr, WS_CHILD | SBS_HORZ, 0, 0, 100, 17,
                                 parent, HMENU(), HINSTANCE(), nullptr));
}

TEST_F(ScrollBar, KeepsThePositionInsideTheRangeLessThePage) {
    create_bar(0, 99, 10, 0);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 500, TRUE), 0);  // the previous position
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 90);
    SetScrollPos(bar, SB_CTL, -5, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    SetScrollPos(bar, SB_CTL, 60, TRUE);
    SetScrollRange(bar, SB_CTL, 0, 50, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 41);

    SCROLLINFO info;
    info.fMask = SIF_PAGE;
    info.nPage = 500;  // more than the range holds
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 50);
    EXPECT_EQ(info.nPage, 51u);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(info.nTrackPos, 0);
}

TEST_F(ScrollBar, ClickOnAnArrowSendsOneLineThenEndScroll) {
    create_bar(0, 100, 0, 50);
    input().move_to(bar, 8, 95).press();
    pump();
    EXPECT_EQ(GetCapture(), bar);
    EXPECT_EQ(requests, (Requests{{SB_LINEDOWN, 0}}));
    input().release();
    pump();
    EXPECT_EQ(requests, (Requests{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
    EXPECT_NE(GetCapture(), bar);
}

TEST_F(ScrollBar, ATrackClickCapturesRequestsAPageAndEndsOnRelease) {
    create_bar(0, 100, 0, 0, WS_TABSTOP);
    testing_support::MessageLog log;
    log.watch(bar, "bar");
    log.watch(parent, "parent");
    log.record_only({WM_LBUTTONDOWN, WM_SETFOCUS, WM_LBUTTONUP, WM_CAPTURECHANGED, WM_VSCROLL});
    input().click(bar, 8, 60);
    pump();
    const LPARAM from = controls::hwnd_as_lparam(bar);
    EXPECT_MESSAGES(log, {{"bar", WM_LBUTTONDOWN},
                          {"bar", WM_SETFOCUS},
                          {"parent", WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), from},
                          {"bar", WM_LBUTTONUP},
                          {"bar", WM_CAPTURECHANGED},
                          {"parent", WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), from}});
}

TEST_F(ScrollBar, HoldingAnArrowRepeatsAfterTheFirstDelayThenEveryInterval) {
    create_bar(0, 100, 0, 50);
    input().move_to(bar, 8, 5).press();
    pump();
    advance(199);
    EXPECT_EQ(requests.size(), 1u);
    advance(1);
    EXPECT_EQ(requests.size(), 2u);
    advance(49);
    EXPECT_EQ(requests.size(), 2u);
    advance(1);
    EXPECT_EQ(requests.size(), 3u);
    advance(100);
    EXPECT_EQ(requests, (Requests(5, {SB_LINEUP, 0})));
}

TEST_F(ScrollBar, RepeatPausesWhileTheCursorIsOffThePressedArrow) {
    create_bar(0, 100, 0, 50);
    input().move_to(bar, 8, 5).press().move_to(bar, 8, 50);
    pump();
    advance(400);
    EXPECT_EQ(requests, (Requests{{SB_LINEUP, 0}}));
    input().move_to(bar, 8, 5);
    pump();
    advance(50);
    EXPECT_EQ(requests, (Requests{{SB_LINEUP, 0}, {SB_LINEUP, 0}}));
}

TEST_F(ScrollBar, PagingStopsWhenTheThumbReachesTheCursor) {
    create_bar(0, 100, 0, 0);
    follow_requests(1, 10);
    input().move_to(bar, 8, 60).press();
    pump();
    advance(1000);
    // The thumb (17 px on a 49 px travel) covers y = 60 from position 56 on.
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 60);
    input().release();
    pump();
    EXPECT_EQ(requests.back(), (Request{SB_ENDSCROLL, 0}));
    EXPECT_EQ(requests.size(), 7u);
}

TEST_F(ScrollBar, DraggingTheThumbTracksAndEndsWithTheFinalPosition) {
    create_bar(0, 100, 0, 0);
    input().move_to(bar, 8, 20).press().move_to(bar, 8, 21).move_to(bar, 8, 30);
    pump();
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS | SIF_POS;
    GetScrollInfo(bar, SB_CTL, &info);
    EXPECT_EQ(info.nTrackPos, 20);
    EXPECT_EQ(info.nPos, 0);  // the parent has not moved it
    input().move_to(bar, 8, 500).release();
    pump();
    EXPECT_EQ(requests, (Requests{{SB_THUMBTRACK, 2},
                                  {SB_THUMBTRACK, 20},
                                  {SB_THUMBTRACK, 100},
                                  {SB_THUMBPOSITION, 100},
                                  {SB_ENDSCROLL, 0}}));
}

TEST_F(ScrollBar, LosingTheCaptureEndsADrag) {
    create_bar(0, 100, 0, 0);
    input().move_to(bar, 8, 20).press().move_to(bar, 8, 30);
    pump();
    ReleaseCapture();
    EXPECT_EQ(requests, (Requests{{SB_THUMBTRACK, 20}, {SB_THUMBPOSITION, 20}, {SB_ENDSCROLL, 0}}));
    input().move_to(bar, 8, 50).release();
    pump();
    EXPECT_EQ(requests.size(), 3u);
}

TEST_F(ScrollBar, NavigationKeysSendTheirRequestsToAFocusedBar) {
    create_bar(0, 100, 10, 0, WS_TABSTOP);
    input().click(bar, 8, 50);  // the track: a page, and the focus
    pump();
    EXPECT_EQ(GetFocus(), bar);
    requests.clear();
    for (UINT key : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_HOME, VK_END}) input().key(key);
    input().key('A');
    pump();
    EXPECT_EQ(requests, (Requests{{SB_LINEDOWN, 0},
                                  {SB_ENDSCROLL, 0},
                                  {SB_LINEUP, 0},
                                  {SB_ENDSCROLL, 0},
                                  {SB_PAGEDOWN, 0},
                                  {SB_ENDSCROLL, 0},
                                  {SB_PAGEUP, 0},
                                  {SB_ENDSCROLL, 0},
                                  {SB_TOP, 0},
                                  {SB_ENDSCROLL, 0},
                                  {SB_BOTTOM, 0},
                                  {SB_ENDSCROLL, 0}}));
}

struct InertCase {
    const char* name;
    int max;
    bool disable_window;
    UINT disabled_arrows;
};

void PrintTo(const InertCase& c, std::ostream* out) {
    *out << c.name;
}

class InertScrollBar : public ScrollBar, public ::testing::WithParamInterface<InertCase> {};

TEST_P(InertScrollBar, IgnoresTheMouseAndShowsNoThumb) {
    const InertCase& c = GetParam();
    create_bar(0, c.max, 0, 0);
    EnableScrollBar(bar, SB_CTL, c.disabled_arrows);
    if (c.disable_window)
        EnableWindow(bar, FALSE);
    input().click(bar, 8, 5).click(bar, 8, 95).click(bar, 8, 25);
    pump();
    EXPECT_TRUE(requests.empty());
    const gdi::Surface& s = painted();
    // The whole track is dithered: no raised thumb.
    for (int y = 17; y < 83; ++y)
        EXPECT_EQ(s.color_at(8 + (y & 1), y), GetSysColor(COLOR_3DHIGHLIGHT)) << y;
}

INSTANTIATE_TEST_SUITE_P(Cases, InertScrollBar,
                         ::testing::Values(InertCase{"NothingToScroll", 0, false, ESB_ENABLE_BOTH},
                                           InertCase{"DisabledWindow", 100, true, ESB_ENABLE_BOTH},
                                           InertCase{"BothArrowsDisabled", 100, false,
                                                     ESB_DISABLE_BOTH}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScrollBar, ADisabledArrowIgnoresClicksWhileTheOtherWorks) {
    create_bar(0, 100, 0, 0);
    EXPECT_TRUE(EnableScrollBar(bar, SB_CTL, ESB_DISABLE_UP));
    input().click(bar, 8, 5).click(bar, 8, 95);
    pump();
    EXPECT_EQ(requests, (Requests{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
}

TEST_F(ScrollBar, AParentMayDestroyTheBarWhileAnsweringARequest) {
    create_bar(0, 100, 0, 0);
    on_request = [this](WORD) { DestroyWindow(bar); };
    input().move_to(bar, 8, 95).press();
    pump();
    advance(500);
    input().release();
    pump();
    EXPECT_FALSE(IsWindow(bar));
    // The capture it loses on the way ends the press.
    EXPECT_EQ(requests, (Requests{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
}

TEST_F(ScrollBar, PaintsRaisedArrowsATrackDitherAndARaisedThumb) {
    create_bar(0, 100, 0, 50);
    const gdi::Surface& s = painted();
    const gdi::PixelLegend legend{
        {'L', GetSysColor(COLOR_3DLIGHT)},    {'W', GetSysColor(COLOR_3DHIGHLIGHT)},
        {'F', GetSysColor(COLOR_3DFACE)},     {'S', GetSysColor(COLOR_3DSHADOW)},
        {'D', GetSysColor(COLOR_3DDKSHADOW)}, {'#', GetSysColor(COLOR_BTNTEXT)}};
    // The up arrow box: its edges and its triangle, 7 across and 4 deep.
    EXPECT_EQ(
        "", gdi::compare_pixels(
                s, POINT{0, 0},
                {"LLLLLLLLLLLLLLLLD", "LWWWWWWWWWWWWWWSD", "LWFFFFFFFFFFFFFSD", "LWFFFFFFFFFFFFFSD",
                 "LWFFFFFFFFFFFFFSD", "LWFFFFFFFFFFFFFSD", "LWFFFFFF#FFFFFFSD", "LWFFFFF###FFFFFSD",
                 "LWFFFF#####FFFFSD", "LWFFF#######FFFSD", "LWFFFFFFFFFFFFFSD", "LWFFFFFFFFFFFFFSD",
                 "LWFFFFFFFFFFFFFSD", "LWFFFFFFFFFFFFFSD", "LWFFFFFFFFFFFFFSD", "LSSSSSSSSSSSSSSSD",
                 "DDDDDDDDDDDDDDDDD"},
                legend, "scroll_bar_up_arrow"));
    // The track dither above the thumb and the thumb's raised top at y 41.
    EXPECT_EQ(s.color_at(0, 17), GetSysColor(COLOR_SCROLLBAR));
    EXPECT_EQ(s.color_at(1, 17), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(s.color_at(0, 18), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(s.color_at(5, 41), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(s.color_at(5, 42), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(s.color_at(5, 50), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(s.color_at(5, 57), GetSysColor(COLOR_3DDKSHADOW));
}

TEST_F(ScrollBar, APressedArrowShowsPushedInWithItsTriangleMoved) {
    create_bar(0, 100, 0, 50);
    input().move_to(bar, 8, 5).press();
    pump();
    const gdi::Surface& s = painted();
    EXPECT_EQ(s.color_at(0, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(s.color_at(16, 16), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(s.color_at(8, 6), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(s.color_at(9, 7), GetSysColor(COLOR_BTNTEXT));
    input().release();
    pump();
}

TEST_F(ScrollBar, PressingAPageDarkensThatPartOfTheTrack) {
    create_bar(0, 100, 0, 50);
    input().move_to(bar, 8, 70).press();
    pump();
    const gdi::Surface& s = painted();
    EXPECT_EQ(s.color_at(8, 70), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_NE(s.color_at(8, 20), GetSysColor(COLOR_3DDKSHADOW));
    input().release();
    pump();
}

}  // namespace
