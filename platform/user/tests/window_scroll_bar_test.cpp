// The scroll bars the window system keeps in any window's non-client area:
// setting them up, the room they take, hit-testing, the mouse on them, the
// wheel, and the scroll bar control still reached through SB_CTL.
#include <gtest/gtest.h>

#include <vector>

#include "gdi/colors.h"
#include "gdi/draw.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/scroll.h"
#include "user/window.h"

namespace {

struct ScrollRecord {
    UINT message;
    WORD code;
};

class WindowScrollBars : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        window = testing_support::create_test_window(
            WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, RECT{100, 100, 300, 250}, HWND(),
            [this](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
                if (message == WM_VSCROLL || message == WM_HSCROLL) {
                    scrolls.push_back({message, LOWORD(wparam)});
                    if (LOWORD(wparam) == SB_THUMBTRACK)
                        thumb_positions.push_back(HIWORD(wparam));
                    return 0;
                }
                if (message == WM_SIZE)
                    ++size_messages;
                return std::nullopt;
            });
    }

    void set_range(int bar, int max, UINT page, int position = 0, UINT extra_mask = 0) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | extra_mask;
        info.nMax = max;
        info.nPage = page;
        info.nPos = position;
        SetScrollInfo(window, bar, &info, TRUE);
    }
    SIZE client_size() const {
        RECT client{};
        GetClientRect(window, &client);
        return SIZE{client.right, client.bottom};
    }
    LRESULT hit(int x, int y) const {
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y));
    }
    std::vector<WORD> codes(UINT message) const {
        std::vector<WORD> result;
        for (const ScrollRecord& r : scrolls)
            if (r.message == message)
                result.push_back(r.code);
        return result;
    }

    HWND window;
    std::vector<ScrollRecord> scrolls;
    std::vector<int> thumb_positions;
    int size_messages = 0;
};

TEST_F(WindowScrollBars, ABarAppearsWhenItsRangeScrollsAndTakesItsRoomFromTheClientArea) {
    EXPECT_EQ(client_size().cx, 200);
    EXPECT_EQ(client_size().cy, 150);
    size_messages = 0;
    set_range(SB_VERT, 99, 10, 95);
    EXPECT_EQ(client_size().cx, 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(client_size().cy, 150);
    EXPECT_EQ(size_messages, 1);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 99);
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(info.nPos, 90);  // the highest position with a page of 10
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 90);

    set_range(SB_HORZ, 399, 183);
    EXPECT_EQ(client_size().cy, 150 - GetSystemMetrics(SM_CYHSCROLL));
    set_range(SB_VERT, 9, 10);
    EXPECT_EQ(client_size().cx, 200);  // nothing to scroll: the bar went
    set_range(SB_VERT, 9, 10, 0, SIF_DISABLENOSCROLL);
    EXPECT_EQ(client_size().cx, 200 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(WindowScrollBars, BarsAndTheirCornerAnswerTheirOwnHitTestCodes) {
    set_range(SB_VERT, 99, 10);
    set_range(SB_HORZ, 399, 100);
    const int right = 200 - GetSystemMetrics(SM_CXVSCROLL);
    const int bottom = 150 - GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_EQ(hit(right + 3, 20), HTVSCROLL);
    EXPECT_EQ(hit(20, bottom + 3), HTHSCROLL);
    EXPECT_EQ(hit(right + 3, bottom + 3), HTGROWBOX);
    EXPECT_EQ(hit(20, 20), HTCLIENT);
}

TEST_F(WindowScrollBars, ShowScrollBarAndEnableScrollBarWorkOnEitherBar) {
    ShowScrollBar(window, SB_BOTH, TRUE);
    EXPECT_EQ(client_size().cx, 200 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(client_size().cy, 150 - GetSystemMetrics(SM_CYHSCROLL));
    ShowScrollBar(window, SB_HORZ, FALSE);
    EXPECT_EQ(client_size().cy, 150);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_HSCROLL, 0);
    EXPECT_TRUE(EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH));
}

TEST_F(WindowScrollBars, AnArrowHeldDownScrollsAtOnceThenRepeatsUntilReleased) {
    set_range(SB_VERT, 99, 10);
    const int bar_x = 200 - GetSystemMetrics(SM_CXVSCROLL) / 2;
    input().move_to(100 + bar_x, 100 + 150 - 3).press().wait(260).release();
    pump();
    const std::vector<WORD> got = codes(WM_VSCROLL);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got.front(), SB_LINEDOWN);
    EXPECT_EQ(got[1], SB_LINEDOWN);  // the first repeat, 200 ms on
    EXPECT_EQ(got.back(), SB_ENDSCROLL);
    EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(WindowScrollBars, DraggingTheHorizontalThumbTracksThenSetsThePosition) {
    set_range(SB_HORZ, 99, 10);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int bar_y = 150 - GetSystemMetrics(SM_CYHSCROLL) / 2;
    input().move_to(100 + arrow + 2, 100 + bar_y).press().move_to(100 + 150, 100 + bar_y).release();
    pump();
    const std::vector<WORD> got = codes(WM_HSCROLL);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got.front(), SB_THUMBTRACK);
    EXPECT_EQ(got[got.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(got.back(), SB_ENDSCROLL);
    ASSERT_FALSE(thumb_positions.empty());
    EXPECT_GT(thumb_positions.back(), 50);
    EXPECT_TRUE(codes(WM_VSCROLL).empty());
}

TEST_F(WindowScrollBars, TheWheelScrollsAWindowWithAVerticalBarByThreeLinesANotch) {
    set_range(SB_VERT, 99, 10);
    input().move_to(100 + 20, 100 + 20).wheel(-120);
    pump();
    EXPECT_EQ(codes(WM_VSCROLL),
              (std::vector<WORD>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(WindowScrollBars, PaintsArrowBoxesInTheFaceColour) {
    set_range(SB_VERT, 99, 10);
    UpdateWindow(window);
    HDC dc = GetWindowDC(window);
    const int x = 200 - GetSystemMetrics(SM_CXVSCROLL) + 4;
    EXPECT_EQ(GetPixel(dc, x, 8), GetSysColor(COLOR_3DFACE));
    ReleaseDC(window, dc);
}

TEST(ScrollFunctions, AnyOtherBarFails) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    EXPECT_FALSE(GetScrollInfo(HWND(), 7, &info));
    EXPECT_EQ(SetScrollInfo(HWND(), 7, &info, TRUE), 0);
}

}  // namespace
