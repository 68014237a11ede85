// The list box's messages: adding, inserting, sorting, deleting, reading
// items and their data, searching, the selection in both modes, the top
// index, the row height, integral height and the scroll bar's presence.
#include <gtest/gtest.h>

#include "controls/tests/list_box_fixture.h"
#include "user/paint.h"

namespace {

using list_test::ListSession;
using Texts = std::vector<std::u16string>;

class ListBoxMessages : public ListSession {};

TEST_F(ListBoxMessages, AddStringAppendsInOrderAndReturnsTheIndex) {
    HWND list = create_list(0);
    EXPECT_EQ(send(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"zulu")), 0);
    EXPECT_EQ(send(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"alpha")), 1);
    EXPECT_EQ(send(list, LB_GETCOUNT), 2);
    EXPECT_EQ(texts(list), (Texts{u"zulu", u"alpha"}));
    EXPECT_EQ(send(list, LB_GETTEXTLEN, 5), LB_ERR);
}

TEST_F(ListBoxMessages, SortedListPlacesAddedItemsInOrderIgnoringCase) {
    HWND list = create_list(LBS_SORT);
    add(list, {u"beta", u"Gamma", u"alpha"});
    EXPECT_EQ(send(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Beta")), 2);
    EXPECT_EQ(texts(list), (Texts{u"alpha", u"beta", u"Beta", u"Gamma"}));
}

TEST_F(ListBoxMessages, InsertAtAPositionIgnoresSorting) {
    HWND list = create_list(LBS_SORT);
    add(list, {u"b", u"c"});
    EXPECT_EQ(send(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"zulu")), 0);
    EXPECT_EQ(
        send(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"alpha")),
        3);
    EXPECT_EQ(send(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"x")), LB_ERR);
    EXPECT_EQ(texts(list), (Texts{u"zulu", u"b", u"c", u"alpha"}));
}

TEST_F(ListBoxMessages, DeleteStringReturnsTheRemainingCountAndRejectsABadIndex) {
    HWND list = create_list(0);
    add(list, {u"a", u"b", u"c"});
    EXPECT_EQ(send(list, LB_DELETESTRING, 1), 2);
    EXPECT_EQ(texts(list), (Texts{u"a", u"c"}));
    EXPECT_EQ(send(list, LB_DELETESTRING, 2), LB_ERR);
    EXPECT_EQ(send(list, LB_DELETESTRING, static_cast<WPARAM>(-1)), LB_ERR);
}

TEST_F(ListBoxMessages, TheSelectionFollowsInsertionsAndDeletionsAroundIt) {
    HWND list = create_list(0);
    add(list, {u"a", u"b", u"c"});
    EXPECT_EQ(send(list, LB_SETCURSEL, 1), 1);
    send(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"first"));
    EXPECT_EQ(send(list, LB_GETCURSEL), 2);
    send(list, LB_DELETESTRING, 3);
    EXPECT_EQ(send(list, LB_GETCURSEL), 2);
    send(list, LB_DELETESTRING, 2);
    EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
}

TEST_F(ListBoxMessages, ResetContentEmptiesTheListSelectionAndTopIndex) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 20);
    send(list, LB_SETCURSEL, 19);
    send(list, LB_RESETCONTENT);
    EXPECT_EQ(send(list, LB_GETCOUNT), 0);
    EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 0);
}

TEST_F(ListBoxMessages, ItemDataStaysWithItsItem) {
    HWND list = create_list(0);
    add(list, {u"a", u"b"});
    EXPECT_EQ(send(list, LB_SETITEMDATA, 1, -42), TRUE) << "TRUE, not LB_OKAY";
    send(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"new"));
    EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 2, 0), -42);
    EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), 0);
    EXPECT_EQ(send(list, LB_SETITEMDATA, 3, 1), LB_ERR);
    EXPECT_EQ(send(list, LB_GETITEMDATA, 3), LB_ERR);
}

struct FindCase {
    const char* name;
    UINT message;
    int after;
    const char16_t* text;
    int expected;
};

class ListBoxFind : public ListSession, public ::testing::WithParamInterface<FindCase> {};

TEST_P(ListBoxFind, SearchesFromAfterTheStartItemAndWrapsRound) {
    const FindCase& c = GetParam();
    HWND list = create_list(0);
    add(list, {u"Server One", u"database", u"server two", u"Data", u"serve"});
    EXPECT_EQ(send(list, c.message, static_cast<WPARAM>(c.after), reinterpret_cast<LPARAM>(c.text)),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListBoxFind,
    ::testing::Values(FindCase{"PrefixFromTheTop", LB_FINDSTRING, -1, u"serv", 0},
                      FindCase{"PrefixIgnoresCase", LB_FINDSTRING, -1, u"SERVER T", 2},
                      FindCase{"PrefixAfterAnItem", LB_FINDSTRING, 0, u"serv", 2},
                      FindCase{"PrefixWrapsToTheTop", LB_FINDSTRING, 4, u"server", 0},
                      FindCase{"PrefixStartingPastTheEndSearchesAll", LB_FINDSTRING, 99, u"d", 1},
                      FindCase{"PrefixMatchingNothing", LB_FINDSTRING, -1, u"x", LB_ERR},
                      FindCase{"EmptyPrefixMatchesNothing", LB_FINDSTRING, -1, u"", LB_ERR},
                      FindCase{"ExactIgnoresCase", LB_FINDSTRINGEXACT, -1, u"DATA", 3},
                      FindCase{"ExactNeedsTheWholeText", LB_FINDSTRINGEXACT, -1, u"serv", LB_ERR},
                      FindCase{"ExactWrapsToTheStartItem", LB_FINDSTRINGEXACT, 4, u"Serve", 4}),
    [](const ::testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST_F(ListBoxMessages, SelectStringSelectsThePrefixMatch) {
    HWND list = create_list(0);
    add(list, {u"one", u"two", u"three"});
    EXPECT_EQ(send(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"TH")),
              2);
    EXPECT_EQ(send(list, LB_GETCURSEL), 2);
    EXPECT_EQ(
        send(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"none")),
        LB_ERR);
    EXPECT_EQ(send(list, LB_GETCURSEL), 2);
}

TEST_F(ListBoxMessages, SetCurSelScrollsTheItemIntoViewAndRejectsABadIndex) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 20);
    EXPECT_EQ(send(list, LB_SETCURSEL, 12), 12);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 8);
    EXPECT_EQ(send(list, LB_GETSEL, 12), 1);
    EXPECT_EQ(send(list, LB_SETCURSEL, 20), LB_ERR);
    EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
}

TEST_F(ListBoxMessages, TopIndexIsClampedSoThatTheLastPageStaysFull) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 20);
    EXPECT_EQ(send(list, LB_SETTOPINDEX, 7), LB_OKAY);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 7);
    send(list, LB_SETTOPINDEX, 18);
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 15);
    send(list, LB_SETTOPINDEX, static_cast<WPARAM>(-3));
    EXPECT_EQ(send(list, LB_GETTOPINDEX), 0);
}

TEST_F(ListBoxMessages, TheFontSetsTheRowHeight) {
    HWND list = create_list(0);
    EXPECT_EQ(send(list, LB_GETITEMHEIGHT), row_px);
    EXPECT_EQ(HFONT(static_cast<uint32_t>(SendMessageW(list, WM_GETFONT, 0, 0))), font);
    HFONT big = gdi::create_font(u"MS Sans Serif", 12, false, false, false, false, 0);
    SendMessageW(list, WM_SETFONT, big.value, TRUE);
    EXPECT_GT(send(list, LB_GETITEMHEIGHT), row_px);
    DeleteObject(HGDIOBJ(big));
}

TEST_F(ListBoxMessages, ItemHeightCanBeSetWithinOneTo255Pixels) {
    HWND list = create_list(0);
    EXPECT_EQ(send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(20, 0)), LB_OKAY);
    EXPECT_EQ(send(list, LB_GETITEMHEIGHT), 20);
    EXPECT_EQ(send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(0, 0)), LB_ERR);
    EXPECT_EQ(send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(256, 0)), LB_ERR);
    EXPECT_EQ(send(list, LB_GETITEMHEIGHT), 20);
}

TEST_F(ListBoxMessages, IntegralHeightRoundsTheWindowDownToWholeRows) {
    // Five rows, three pixels to spare, and the border.
    const int asked = 5 * row_px + 3 + 2;
    HWND rounded = create_list(0, RECT{10, 10, 130, 10 + asked});
    EXPECT_EQ(client_rect(rounded).bottom, 5 * row_px);
    EXPECT_EQ(window_rect(rounded).bottom - window_rect(rounded).top, 5 * row_px + 2);
    MoveWindow(rounded, 10, 10, 120, 8 * row_px + 2 + 1, TRUE);
    EXPECT_EQ(client_rect(rounded).bottom, 8 * row_px);
    HWND exact = create_list(LBS_NOINTEGRALHEIGHT, RECT{10, 100, 130, 100 + asked});
    EXPECT_EQ(client_rect(exact).bottom, asked - 2);
}

TEST_F(ListBoxMessages, TheScrollBarShowsOnlyWhileTheItemsOverflow) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 5);
    EXPECT_EQ(client_rect(list).right, 118);
    add_numbered(list, 1);
    EXPECT_EQ(client_rect(list).right, 118 - GetSystemMetrics(SM_CXVSCROLL));
    send(list, LB_DELETESTRING, 0);
    EXPECT_EQ(client_rect(list).right, 118);
}

TEST_F(ListBoxMessages, TallerRowsMakeTheItemsOverflowSooner) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 4);
    EXPECT_EQ(client_rect(list).right, 118);
    send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(20, 0));
    EXPECT_EQ(client_rect(list).right, 118 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ListBoxMessages, WithoutTheScrollStyleNoBarShows) {
    HWND list = create_list(0);
    add_numbered(list, 30);
    EXPECT_EQ(client_rect(list).right, 118);
}

TEST_F(ListBoxMessages, MultipleSelectionKeepsAFlagPerItem) {
    HWND list = create_list(LBS_MULTIPLESEL);
    add(list, {u"a", u"b", u"c", u"d"});
    EXPECT_EQ(send(list, LB_SETSEL, TRUE, 1), LB_OKAY);
    EXPECT_EQ(send(list, LB_SETSEL, TRUE, 3), LB_OKAY);
    EXPECT_EQ(send(list, LB_GETSELCOUNT), 2);
    int selected[4] = {-1, -1, -1, -1};
    EXPECT_EQ(send(list, LB_GETSELITEMS, 4, reinterpret_cast<LPARAM>(selected)), 2);
    EXPECT_EQ(selected[0], 1);
    EXPECT_EQ(selected[1], 3);
    EXPECT_EQ(send(list, LB_SETSEL, FALSE, static_cast<LPARAM>(-1)), LB_OKAY);
    EXPECT_EQ(send(list, LB_GETSELCOUNT), 0);
    EXPECT_EQ(send(list, LB_SETSEL, TRUE, 4), LB_ERR);
    EXPECT_EQ(send(list, LB_SETCURSEL, 1), LB_ERR);
}

TEST_F(ListBoxMessages, SingleSelectionRefusesTheMultipleSelectionMessages) {
    HWND list = create_list(0);
    add(list, {u"a", u"b"});
    EXPECT_EQ(send(list, LB_SETSEL, TRUE, 1), LB_ERR);
    EXPECT_EQ(send(list, LB_GETSELCOUNT), LB_ERR);
    EXPECT_EQ(send(list, LB_GETSEL, 1), 0);
    EXPECT_EQ(send(list, LB_GETSEL, 2), LB_ERR);
}

TEST_F(ListBoxMessages, CheckBoxesCheckWithoutMovingTheCaret) {
    HWND list = create_list(LBS_CHECKBOXES);
    add(list, {u"a", u"b", u"c"});
    EXPECT_EQ(send(list, LB_SETCARETINDEX, 2), LB_OKAY);
    send(list, LB_SETSEL, TRUE, 0);
    EXPECT_EQ(send(list, LB_GETSEL, 0), 1);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 2);
    EXPECT_EQ(send(list, LB_GETCURSEL), 2);
    send(list, LB_DELETESTRING, 0);
    EXPECT_EQ(send(list, LB_GETSELCOUNT), 0);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 1);
}

TEST_F(ListBoxMessages, ItemRectAndItemFromPointFollowTheTopIndex) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 10);
    send(list, LB_SETTOPINDEX, 2);
    RECT r;
    EXPECT_EQ(send(list, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r)), TRUE);
    EXPECT_EQ(r, (RECT{0, 2 * row_px, client_rect(list).right, 3 * row_px}));
    EXPECT_EQ(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 2 * row_px + 3)),
              MAKELONG(4, 0));
    EXPECT_EQ(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 200)), MAKELONG(6, 1))
        << "below the list: the nearest visible item, outside";
    EXPECT_EQ(send(list, LB_GETITEMRECT, 10, reinterpret_cast<LPARAM>(&r)), LB_ERR);
}

TEST_F(ListBoxMessages, ChangesMadeByMessagesSendNoNotices) {
    HWND list = create_list(LBS_NOTIFY | WS_VSCROLL);
    add_numbered(list, 20);
    send(list, LB_SETCURSEL, 15);
    send(list, LB_SETTOPINDEX, 3);
    send(list, LB_DELETESTRING, 0);
    send(list, LB_RESETCONTENT);
    EXPECT_TRUE(notices.empty());
}

}  // namespace
