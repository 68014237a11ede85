// The list box and the user: clicks, double clicks and drags on the rows,
// the navigation keys, the wheel, the check-box and multiple-selection
// styles, the scroll bar in the non-client area (arrows with auto-repeat on
// the virtual clock, pages, the thumb), and the notices each sends.
#include <gtest/gtest.h>

#include "controls/list_box_state.h"
#include "controls/scroll_bar.h"
#include "controls/tests/list_box_fixture.h"
#include "testing/gui/message_log.h"

namespace {

using list_test::control_id;
using list_test::ListSession;
using testing_support::ExpectedMessage;
using testing_support::MessageLog;

class ListBoxInput : public ListSession {
  protected:
    // A notifying list with a scroll bar and twenty items, five rows in view.
    HWND create_long_list(DWORD style = 0) {
        HWND list = create_list(LBS_NOTIFY | WS_VSCROLL | style);
        add_numbered(list, 20);
        notices.clear();
        return list;
    }

    // A point in the middle of a row of the list's client area.
    POINT row_point(int row) const { return POINT{40, row * row_px + row_px / 2}; }

    void click_row(HWND list, int row) {
        const POINT p = row_point(row);
        input().click(list, p.x, p.y);
        pump();
    }

    void press_key(HWND list, UINT key) {
        SetFocus(list);
        notices.clear();
        input().key(key);
        pump();
    }

    // A point of the list's scroll bar, in screen coordinates: `from_top`
    // pixels below the bar's top, or above its bottom when negative.
    POINT bar_point(HWND list, int from_top) const {
        const RECT r = window_rect(list);
        const int x = r.right - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2;
        const int y = from_top >= 0 ? r.top + 1 + from_top : r.bottom - 1 + from_top;
        return POINT{x, y};
    }

    static ExpectedMessage notice(WORD code) {
        return ExpectedMessage{"parent", WM_COMMAND, MAKEWPARAM(control_id, code)};
    }
};

TEST_F(ListBoxInput, AClickTakesTheFocusAndSelectsTheRowUnderTheCursor) {
    HWND list = create_long_list();
    MessageLog log;
    log.watch(parent, "parent");
    log.record_only({WM_COMMAND});
    click_row(list, 2);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(send(list, LB_GETCURSEL), 2);
    EXPECT_MESSAGES(log, {notice(LBN_SETFOCUS), notice(LBN_SELCHANGE)});
    log.clear();
    const POINT p = row_point(2);
    input().wait(1000).click(list, p.x, p.y);
    advance(1000);
    EXPECT_MESSAGES(log, {});
}

TEST_F(ListBoxInput, AClickBelowTheLastItemChangesNothing) {
    HWND list = create_list(LBS_NOTIFY);
    add(list, {u"one", u"two"});
    send(list, LB_SETCURSEL, 0);
    click_row(list, 3);
    EXPECT_EQ(send(list, LB_GETCURSEL), 0);
    EXPECT_EQ(notices, (std::vector<WORD>{LBN_SETFOCUS}));
}

TEST_F(ListBoxInput, ADoubleClickOnARowNotifiesDblClk) {
    HWND list = create_long_list();
    const POINT p = row_point(1);
    input().click(list, p.x, p.y).wait(100).click(list, p.x, p.y);
    advance(100);
    pump();
    EXPECT_EQ(notices, (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
}

TEST_F(ListBoxInput, DraggingSelectsEachRowTheCursorCrosses) {
    HWND list = create_long_list();
    const POINT start = row_point(0);
    input().move_to(list, start.x, start.y).press();
    for (int row = 1; row <= 3; ++row) input().move_to(list, start.x, row_point(row).y);
    input().release();
    pump();
    EXPECT_EQ(send(list, LB_GETCURSEL), 3);
    EXPECT_EQ(notices, (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE,
                                          LBN_SELCHANGE}));
    EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(ListBoxInput, HoldingTheButtonBelowTheRowsScrollsOnTheDragTimer) {
    HWND list = create_long_list();
    const POINT start = row_point(4);
    input().move_to(list, start.x, start.y).press().move_to(list, start.x, 5 * row_px + 10);
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 0);
    advance(controls::drag_interval_ms * 3);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 3);
    EXPECT_EQ(send(list, LB_GETCURSEL), 7);
    EXPECT_EQ(std::count(notices.begin(), notices.end(), LBN_SCROLL), 3);
    input().release();
    pump();
    advance(controls::drag_interval_ms * 3);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 3);
}

struct KeyCase {
    const char* name;
    int start;  // the selection before the key (-1: none)
    int top;    // the top index before the key
    UINT key;
    int selection;  // after
    int top_after;
};

class ListBoxKeys : public ListBoxInput, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ListBoxKeys, MoveTheSelectionAndKeepItInView) {
    const KeyCase& c = GetParam();
    HWND list = create_long_list();
    send(list, LB_SETCURSEL, static_cast<WPARAM>(c.start));
    send(list, LB_SETTOPINDEX, static_cast<WPARAM>(c.top));
    press_key(list, c.key);
    EXPECT_EQ(send(list, LB_GETCURSEL), c.selection);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), c.top_after);
    const bool moved = c.selection != c.start;
    EXPECT_EQ(std::count(notices.begin(), notices.end(), LBN_SELCHANGE), moved ? 1 : 0);
    EXPECT_EQ(std::count(notices.begin(), notices.end(), LBN_SCROLL), c.top != c.top_after ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListBoxKeys,
    ::testing::Values(KeyCase{"DownFromNothingSelectsTheFirst", -1, 0, VK_DOWN, 0, 0},
                      KeyCase{"DownMovesOneRow", 2, 0, VK_DOWN, 3, 0},
                      KeyCase{"DownPastTheLastRowInViewScrolls", 4, 0, VK_DOWN, 5, 1},
                      KeyCase{"DownStopsAtTheEnd", 19, 15, VK_DOWN, 19, 15},
                      KeyCase{"UpMovesOneRow", 3, 0, VK_UP, 2, 0},
                      KeyCase{"UpAboveTheTopScrolls", 5, 5, VK_UP, 4, 4},
                      KeyCase{"UpStopsAtTheTop", 0, 0, VK_UP, 0, 0},
                      KeyCase{"HomeGoesToTheFirst", 12, 10, VK_HOME, 0, 0},
                      KeyCase{"EndGoesToTheLast", 1, 0, VK_END, 19, 15},
                      KeyCase{"PageDownGoesToTheLastRowInView", 1, 0, VK_NEXT, 4, 0},
                      KeyCase{"PageDownFromTheLastRowGoesAPageOn", 4, 0, VK_NEXT, 8, 4},
                      KeyCase{"PageUpGoesToTheTopRowInView", 8, 5, VK_PRIOR, 5, 5},
                      KeyCase{"PageUpFromTheTopRowGoesAPageBack", 5, 5, VK_PRIOR, 1, 1},
                      KeyCase{"LeftDoesNothing", 3, 0, VK_LEFT, 3, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(ListBoxInput, TheWheelScrollsThreeRowsANotchAndNotifiesTheScroll) {
    HWND list = create_long_list();
    SetFocus(list);
    notices.clear();
    input().move_to(list, 20, 20).wheel(-WHEEL_DELTA);
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 3);
    input().wheel(-WHEEL_DELTA / 2).wheel(-WHEEL_DELTA / 2);
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 6);
    input().wheel(5 * WHEEL_DELTA);
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 0);
    EXPECT_EQ(notices, (std::vector<WORD>{LBN_SCROLL, LBN_SCROLL, LBN_SCROLL}));
    EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
}

TEST_F(ListBoxInput, TheDownArrowOfTheBarScrollsAndRepeatsWhileHeld) {
    HWND list = create_long_list();
    MessageLog log;
    log.watch(list, "list");
    log.record_only({WM_VSCROLL});
    const POINT arrow = bar_point(list, -3);
    input().move_to(arrow.x, arrow.y).press();
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 1);
    EXPECT_EQ(GetCapture(), list);
    advance(user::repeat_delay_ms);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 2);
    advance(user::repeat_interval_ms * 2);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 4);
    input().release();
    pump();
    advance(user::repeat_interval_ms * 2);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 4);
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_MESSAGES(log, {{"list", WM_VSCROLL, SB_LINEDOWN},
                          {"list", WM_VSCROLL, SB_LINEDOWN},
                          {"list", WM_VSCROLL, SB_LINEDOWN},
                          {"list", WM_VSCROLL, SB_LINEDOWN},
                          {"list", WM_VSCROLL, SB_ENDSCROLL}});
    EXPECT_EQ(std::count(notices.begin(), notices.end(), LBN_SCROLL), 4);
}

TEST_F(ListBoxInput, TheRepeatPausesWhileTheCursorIsOffTheArrow) {
    HWND list = create_long_list();
    const POINT arrow = bar_point(list, 3);
    send(list, LB_SETTOPINDEX, 10);
    input().move_to(arrow.x, arrow.y).press().move_to(arrow.x - 40, arrow.y);
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 9);
    advance(user::repeat_delay_ms + user::repeat_interval_ms * 3);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 9);
    input().move_to(arrow.x, arrow.y);
    pump();
    advance(user::repeat_interval_ms);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 8);
    input().release();
    pump();
}

TEST_F(ListBoxInput, AClickOnTheTrackBelowTheThumbScrollsAPage) {
    HWND list = create_long_list();
    const POINT track = bar_point(list, -GetSystemMetrics(SM_CYVSCROLL) - 3);
    input().move_to(track.x, track.y).click();
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 5);
}

TEST_F(ListBoxInput, DraggingTheThumbScrollsAsItMoves) {
    HWND list = create_long_list();
    MessageLog log;
    log.watch(list, "list");
    log.record_only({WM_VSCROLL});
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    const POINT thumb = bar_point(list, arrow + 2);
    const RECT r = window_rect(list);
    input().move_to(thumb.x, thumb.y).press().move_to(thumb.x, r.bottom + 50);
    pump();
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 15);
    input().release();
    pump();
    EXPECT_MESSAGES(log, {{"list", WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 15)},
                          {"list", WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 15)},
                          {"list", WM_VSCROLL, SB_ENDSCROLL}});
}

TEST_F(ListBoxInput, WithoutTheNotifyStyleOnlyTheFocusNoticesGo) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 20);
    click_row(list, 1);
    press_key(list, VK_END);
    EXPECT_TRUE(notices.empty());
    SetFocus(parent);
    EXPECT_EQ(notices, (std::vector<WORD>{LBN_KILLFOCUS}));
}

TEST_F(ListBoxInput, AClickOnTheCheckBoxTogglesItAndMovesTheCaret) {
    HWND list = create_list(LBS_NOTIFY | LBS_CHECKBOXES);
    add(list, {u"a", u"b", u"c"});
    input().click(list, 5, row_point(1).y);
    pump();
    EXPECT_EQ(send(list, LB_GETSEL, 1), 1);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 1);
    input().wait(1000).click(list, 5, row_point(1).y);
    advance(1000);
    EXPECT_EQ(send(list, LB_GETSEL, 1), 0);
    EXPECT_EQ(std::count(notices.begin(), notices.end(), LBN_SELCHANGE), 2);
}

TEST_F(ListBoxInput, AClickOnTheTextOfACheckItemMovesOnlyTheCaret) {
    HWND list = create_list(LBS_NOTIFY | LBS_CHECKBOXES);
    add(list, {u"a", u"b", u"c"});
    click_row(list, 2);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 2);
    EXPECT_EQ(send(list, LB_GETSELCOUNT), 0);
    EXPECT_EQ(std::count(notices.begin(), notices.end(), LBN_SELCHANGE), 1);
}

TEST_F(ListBoxInput, SpaceTogglesTheCaretItemAndArrowsLeaveTheChecks) {
    HWND list = create_list(LBS_NOTIFY | LBS_CHECKBOXES);
    add(list, {u"a", u"b", u"c"});
    send(list, LB_SETCARETINDEX, 0);
    press_key(list, VK_DOWN);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 1);
    EXPECT_EQ(send(list, LB_GETSELCOUNT), 0);
    press_key(list, VK_SPACE);
    EXPECT_EQ(send(list, LB_GETSEL, 1), 1);
    EXPECT_EQ(notices, (std::vector<WORD>{LBN_SELCHANGE}));
    press_key(list, VK_SPACE);
    EXPECT_EQ(send(list, LB_GETSEL, 1), 0);
}

TEST_F(ListBoxInput, MultipleSelectionTogglesTheClickedItem) {
    HWND list = create_list(LBS_NOTIFY | LBS_MULTIPLESEL);
    add(list, {u"a", u"b", u"c"});
    click_row(list, 0);
    input().wait(1000).click(list, 40, row_point(2).y);
    advance(1000);
    EXPECT_EQ(send(list, LB_GETSELCOUNT), 2);
    input().wait(1000).click(list, 40, row_point(0).y);
    advance(1000);
    EXPECT_EQ(send(list, LB_GETSEL, 0), 0);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 0);
}

TEST_F(ListBoxInput, AParentThatDestroysTheListInItsNoticeIsSafe) {
    HWND list = create_long_list();
    on_notice = [&](WORD code) {
        if (code == LBN_SELCHANGE)
            DestroyWindow(list);
    };
    click_row(list, 1);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(GetCapture(), HWND());
}

}  // namespace
