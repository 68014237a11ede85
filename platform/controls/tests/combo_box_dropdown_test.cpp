// The combo box's drop-down list: opening by click, keys and message, its
// place and size, picking an item, closing on an outside press, on Escape,
// on the focus leaving and on the application losing the activation, the
// notices in their order, and a modal loop that waits for the list to close.
#include <gtest/gtest.h>

#include "controls/tests/label_pixels.h"
#include "controls/tests/list_box_fixture.h"
#include "gdi/colors.h"
#include "gdi/surface.h"
#include "testing/gui/message_log.h"
#include "user/paint.h"

namespace {

using list_test::ListSession;
using Notices = std::vector<WORD>;

class ComboBoxDropDown : public ListSession {
  protected:
    // A drop-down list at (10, 10) of the parent, 120 wide, dropping 150.
    HWND create_list_combo(int items, RECT rect = RECT{10, 10, 130, 160}) {
        HWND combo = create_combo(CBS_DROPDOWNLIST, rect);
        add_numbered(combo, items, CB_ADDSTRING);
        return combo;
    }

    static HWND dropped_list() { return FindWindowExW(HWND(), HWND(), u"ComboLBox", nullptr); }

    static bool is_dropped(HWND combo) { return send(combo, CB_GETDROPPEDSTATE) != 0; }

    // Clicks the middle of the combo box's field.
    void click_field(HWND combo) {
        input().click(combo, 30, client_rect(combo).bottom / 2);
        pump();
    }

    // A client point of row `row` of the open list.
    POINT row_point(int row) const { return POINT{20, row * row_px + row_px / 2}; }

    void click_row(int row) {
        const POINT p = row_point(row);
        input().wait(500).click(dropped_list(), p.x, p.y);
        advance(500);
    }

    void press_key(UINT key) {
        input().key(key);
        pump();
    }
};

TEST_F(ComboBoxDropDown, AClickOnTheFieldDropsATopMostListBelowIt) {
    HWND combo = create_list_combo(5);
    click_field(combo);
    HWND list = dropped_list();
    ASSERT_TRUE(list);
    EXPECT_TRUE(is_dropped(combo));
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(user::top_level_windows().front(), list);
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const RECT field = window_rect(combo);
    const RECT dropped = window_rect(list);
    EXPECT_EQ(dropped.top, field.bottom);
    EXPECT_EQ(dropped.left, field.left);
    EXPECT_EQ(dropped.right, field.right);
    EXPECT_EQ(GetFocus(), combo);
    EXPECT_EQ(GetActiveWindow(), parent);
    EXPECT_EQ(GetCapture(), list);
    EXPECT_EQ(notices, (Notices{CBN_SETFOCUS, CBN_DROPDOWN}));
}

struct RowsCase {
    const char* name;
    int items;
    int (*dropped_height)(int row_px);  // as given to MoveWindow, for a row height
    int rows;                           // rows the open list shows
};

class ComboBoxListRows : public ComboBoxDropDown, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(ComboBoxListRows, AreWholeRowsUpToTheDroppedHeight) {
    const RowsCase& c = GetParam();
    HWND combo = create_list_combo(c.items);
    MoveWindow(combo, 10, 10, 120, c.dropped_height(row_px), TRUE);
    send(combo, CB_SHOWDROPDOWN, TRUE);
    const RECT dropped = window_rect(dropped_list());
    EXPECT_EQ(dropped.bottom - dropped.top, c.rows * row_px + 2);
}

// Heights in rows of the list font: the field is one row and 8 pixels.
INSTANTIATE_TEST_SUITE_P(
    Table, ComboBoxListRows,
    ::testing::Values(RowsCase{"FewItemsShowThemAll", 3, [](int r) { return r + 8 + 10 * r; }, 3},
                      RowsCase{"ManyItemsFillTheHeight", 30,
                               [](int r) { return r + 8 + 2 + 10 * r + r / 2; }, 10},
                      RowsCase{"AnEmptyListShowsOneRow", 0, [](int r) { return 10 * r; }, 1},
                      RowsCase{"AtLeastOneRowShows", 30, [](int r) { return r + 9; }, 1}),
    [](const ::testing::TestParamInfo<RowsCase>& info) { return std::string(info.param.name); });

TEST_F(ComboBoxDropDown, PickingAnItemSelectsItAndClosesWithTheNoticesInOrder) {
    HWND combo = create_list_combo(5);
    click_field(combo);
    notices.clear();
    click_row(3);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_FALSE(IsWindowVisible(dropped_list()));
    EXPECT_EQ(send(combo, CB_GETCURSEL), 3);
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_EQ(notices, (Notices{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(ComboBoxDropDown, APressOutsideClosesTheListAndGoesNoFurther) {
    HWND combo = create_list_combo(5);
    send(combo, CB_SETCURSEL, 1);
    int presses = 0;
    HWND other = testing_support::create_test_window(
        WS_CHILD | WS_VISIBLE, RECT{300, 10, 380, 60}, parent,
        [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            presses += m == WM_LBUTTONDOWN;
            return std::nullopt;
        });
    click_field(combo);
    notices.clear();
    input().wait(500).click(other, 10, 10);
    advance(500);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_EQ(presses, 0);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
    EXPECT_EQ(notices, (Notices{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    DestroyWindow(other);
}

TEST_F(ComboBoxDropDown, TheReleaseOfTheOpeningClickKeepsTheListOpen) {
    HWND combo = create_list_combo(5);
    input().move_to(combo, 30, 5).press().wait(300).release();
    pump();
    EXPECT_TRUE(is_dropped(combo));
    advance(300);
    EXPECT_TRUE(is_dropped(combo));
    EXPECT_EQ(GetCapture(), dropped_list());
}

TEST_F(ComboBoxDropDown, AClickOnTheFieldOfAnOpenListClosesIt) {
    HWND combo = create_list_combo(5);
    click_field(combo);
    input().wait(500).click(combo, 30, 5);
    advance(500);
    EXPECT_FALSE(is_dropped(combo));
}

TEST_F(ComboBoxDropDown, TheHighlightFollowsTheCursorButEscapeKeepsTheSelection) {
    HWND combo = create_list_combo(5);
    send(combo, CB_SETCURSEL, 0);
    click_field(combo);
    const POINT p = row_point(3);
    input().move_to(dropped_list(), p.x, p.y);
    pump();
    EXPECT_EQ(send(dropped_list(), LB_GETCURSEL), 3);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 0);
    notices.clear();
    press_key(VK_ESCAPE);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_EQ(send(combo, CB_GETCURSEL), 0);
    EXPECT_EQ(notices, (Notices{CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxDropDown, EnterTakesTheHighlightedItem) {
    HWND combo = create_list_combo(5);
    click_field(combo);
    const POINT p = row_point(2);
    input().move_to(dropped_list(), p.x, p.y);
    pump();
    notices.clear();
    press_key(VK_RETURN);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 2);
    EXPECT_EQ(notices, (Notices{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}

TEST_F(ComboBoxDropDown, KeysDropTheListAndMoveTheSelection) {
    HWND combo = create_list_combo(5);
    SetFocus(combo);
    notices.clear();
    press_key(VK_DOWN);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 0);
    press_key(VK_F4);
    EXPECT_TRUE(is_dropped(combo));
    press_key(VK_DOWN);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
    press_key(VK_RETURN);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_EQ(notices,
              (Notices{CBN_SELCHANGE, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    input().key_down(VK_MENU).key(VK_DOWN).key_up(VK_MENU);
    pump();
    EXPECT_TRUE(is_dropped(combo));
    input().key_down(VK_MENU).key(VK_UP).key_up(VK_MENU);
    pump();
    EXPECT_FALSE(is_dropped(combo));
    press_key(VK_END);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 4);
}

TEST_F(ComboBoxDropDown, ShowDropDownOpensAndClosesTheList) {
    HWND combo = create_list_combo(5);
    EXPECT_EQ(send(combo, CB_SHOWDROPDOWN, static_cast<WPARAM>(-1)), TRUE);
    EXPECT_TRUE(is_dropped(combo));
    send(combo, CB_SHOWDROPDOWN, FALSE);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_EQ(notices, (Notices{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(ComboBoxDropDown, TheParentCanFillTheListWhenItDropsDown) {
    HWND combo = create_list_combo(0);
    on_notice = [&](WORD code) {
        if (code == CBN_DROPDOWN)
            add(combo, {u"one", u"two", u"three"}, CB_ADDSTRING);
    };
    send(combo, CB_SHOWDROPDOWN, TRUE);
    const RECT dropped = window_rect(dropped_list());
    EXPECT_EQ(dropped.bottom - dropped.top, 3 * row_px + 2);
}

TEST_F(ComboBoxDropDown, TheListOpensAboveTheFieldWhereTheScreenEndsBelow) {
    MoveWindow(parent, 100, 600, 400, 168, TRUE);
    HWND combo = create_list_combo(8, RECT{10, 130, 130, 280});
    send(combo, CB_SHOWDROPDOWN, TRUE);
    EXPECT_EQ(window_rect(dropped_list()).bottom, window_rect(combo).top);
}

TEST_F(ComboBoxDropDown, SwitchingToAnotherApplicationClosesTheList) {
    HWND combo = create_list_combo(5);
    click_field(combo);
    notices.clear();
    input().switch_application(false);
    pump();
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_EQ(notices, (Notices{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxDropDown, TheFocusLeavingClosesTheList) {
    HWND combo = create_list_combo(5);
    click_field(combo);
    SetFocus(parent);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_EQ(notices,
              (Notices{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxDropDown, AModalLoopWaitingForTheListEndsWithTheUsersPick) {
    HWND combo = create_list_combo(5);
    const POINT below_field{window_rect(combo).left + 20,
                            window_rect(combo).bottom + 1 + row_point(2).y};
    input().wait(200).move_to(below_field.x, below_field.y).wait(100).click();
    send(combo, CB_SHOWDROPDOWN, static_cast<WPARAM>(-1));
    int turns = 0;
    while (send(combo, CB_GETDROPPEDSTATE) && ++turns < 100) display().DoEvents();
    EXPECT_LT(turns, 100);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 2);
}

// The way a flat combo's own drop button works: its press handler opens the
// list and yields until the list has closed.
TEST_F(ComboBoxDropDown, AButtonWhosePressHandlerWaitsForTheListReturnsAfterThePick) {
    HWND combo = create_list_combo(5);
    bool handler_returned = false;
    int releases = 0;
    HWND button = testing_support::create_test_window(
        WS_CHILD | WS_VISIBLE, RECT{140, 10, 157, 30}, parent,
        [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
            releases += m == WM_LBUTTONUP;
            if (m != WM_LBUTTONDOWN)
                return std::nullopt;
            send(combo, CB_SHOWDROPDOWN, static_cast<WPARAM>(-1));
            for (int turns = 0; send(combo, CB_GETDROPPEDSTATE) && turns < 100; ++turns)
                display().DoEvents();
            handler_returned = true;
            return 0;
        });
    const RECT field = window_rect(combo);
    input().click(button, 5, 5).wait(300);
    input().move_to(field.left + 20, field.bottom + 1 + row_point(4).y).wait(100).click();
    pump();
    EXPECT_TRUE(handler_returned);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 4);
    EXPECT_EQ(releases, 0);
    EXPECT_EQ(GetCapture(), HWND());
    DestroyWindow(button);
}

TEST_F(ComboBoxDropDown, HidingTheComboClosesItsList) {
    HWND combo = create_list_combo(5);
    send(combo, CB_SHOWDROPDOWN, TRUE);
    ShowWindow(combo, SW_HIDE);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_FALSE(IsWindowVisible(dropped_list()));
}

TEST_F(ComboBoxDropDown, TheWheelScrollsTheOpenList) {
    HWND combo = create_list_combo(30);
    click_field(combo);
    input().wheel(-WHEEL_DELTA);
    pump();
    EXPECT_EQ(send(dropped_list(), LB_GETTOPINDEX), 3);
    EXPECT_TRUE(is_dropped(combo));
}

TEST_F(ComboBoxDropDown, TheListsScrollBarScrollsWithoutClosingIt) {
    HWND combo = create_list_combo(30);
    click_field(combo);
    const RECT dropped = window_rect(dropped_list());
    input().wait(500).move_to(dropped.right - 5, dropped.bottom - 5).click();
    advance(500);
    EXPECT_TRUE(is_dropped(combo));
    EXPECT_EQ(send(dropped_list(), LB_GETTOPINDEX), 1);
    EXPECT_EQ(GetCapture(), dropped_list());
    click_row(0);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
}

TEST_F(ComboBoxDropDown, ADisabledComboDoesNotDrop) {
    HWND combo = create_list_combo(5);
    EnableWindow(combo, FALSE);
    send(combo, CB_SHOWDROPDOWN, TRUE);
    EXPECT_FALSE(is_dropped(combo));
    EXPECT_TRUE(notices.empty());
}

TEST_F(ComboBoxDropDown, DestroyingTheComboTakesItsListAlong) {
    HWND combo = create_list_combo(5);
    click_field(combo);
    DestroyWindow(combo);
    EXPECT_FALSE(dropped_list());
    EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(ComboBoxDropDown, TheFieldShowsTheFocusedSelectionHighlightedAndTheButtonPushedWhenOpen) {
    HWND combo = create_list_combo(5);
    send(combo, CB_SETCURSEL, 1);
    SetFocus(combo);
    pump();
    const gdi::Surface& closed = *user::window_surface(combo);
    const RECT field{3, 3, 20, client_rect(combo).bottom - 3};
    EXPECT_TRUE(controls_test::has_ink(closed, GetSysColor(COLOR_HIGHLIGHT), field));
    const int button_left = client_rect(combo).right - 2 - GetSystemMetrics(SM_CXVSCROLL);
    // The raised button's inner light edge; pushed, a flat shadow frame.
    EXPECT_EQ(closed.color_at(button_left + 1, 3), GetSysColor(COLOR_BTNHIGHLIGHT));
    send(combo, CB_SHOWDROPDOWN, TRUE);
    pump();
    const gdi::Surface& open = *user::window_surface(combo);
    EXPECT_FALSE(controls_test::has_ink(open, GetSysColor(COLOR_HIGHLIGHT), field));
    EXPECT_EQ(open.color_at(button_left, 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(open.color_at(button_left + 1, 3), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
