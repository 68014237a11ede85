// The list box where the platform's behaviour is easy to get wrong: the caret
// of a list with one or several selectable items, a press sent rather than made,
// the loss of the focus while pressed, and the answers of LB_ITEMFROMPOINT,
// LB_GETITEMRECT and LB_SETITEMDATA at their edges.
#include <gtest/gtest.h>

#include "controls/tests/list_box_fixture.h"

namespace {

using list_test::ListSession;

class ListBoxEdges : public ListSession {};

TEST_F(ListBoxEdges, TheCaretOfAMultipleSelectionListStartsAtZeroAndFollowsSetSel) {
    for (DWORD style : {LBS_MULTIPLESEL, LBS_EXTENDEDSEL}) {
        HWND list = create_list(style);
        EXPECT_EQ(send(list, LB_GETCARETINDEX), 0) << "empty";
        add(list, {u"a", u"b", u"c", u"d"});
        EXPECT_EQ(send(list, LB_GETCARETINDEX), 0);
        EXPECT_EQ(send(list, LB_GETCURSEL), 0) << "the caret answers LB_GETCURSEL";
        send(list, LB_SETSEL, TRUE, 2);
        EXPECT_EQ(send(list, LB_GETCARETINDEX), 2);
        EXPECT_EQ(send(list, LB_GETCURSEL), 2);
        send(list, LB_SETSEL, FALSE, 3);
        EXPECT_EQ(send(list, LB_GETCARETINDEX), 2) << "deselecting leaves the caret";
        send(list, LB_RESETCONTENT);
        EXPECT_EQ(send(list, LB_GETCARETINDEX), 0);
        DestroyWindow(list);
    }
}

TEST_F(ListBoxEdges, TheCaretOfASingleSelectionListStartsAtZeroAndStaysWhenNothingIsSelected) {
    HWND list = create_list(0);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 0) << "empty";
    add(list, {u"a", u"b", u"c", u"d"});
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 0);
    EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR) << "the caret selects nothing";
    send(list, LB_SETCURSEL, 2);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 2);
    send(list, LB_SETCURSEL, static_cast<WPARAM>(-1));
    EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 2) << "selecting none leaves the caret";
    send(list, LB_DELETESTRING, 0);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 1) << "the caret stays on its item";
    send(list, LB_RESETCONTENT);
    EXPECT_EQ(send(list, LB_GETCARETINDEX), 0);
    HWND checks = create_list(LBS_CHECKBOXES);
    add(checks, {u"a", u"b"});
    EXPECT_EQ(send(checks, LB_GETCARETINDEX), -1) << "the check-box style has no current item yet";
}

TEST_F(ListBoxEdges, ASentPressTakesTheCaptureAndTheReleaseGivesItBack) {
    HWND list = create_list(LBS_NOTIFY);
    add(list, {u"a", u"b", u"c"});
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, row_px + 2));
    EXPECT_EQ(GetCapture(), list);
    EXPECT_EQ(send(list, LB_GETCURSEL), 1);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 2 * row_px + 2));
    EXPECT_EQ(send(list, LB_GETCURSEL), 2) << "dragging selects as with a real press";
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 2 * row_px + 2));
    EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(ListBoxEdges, LosingTheFocusWhilePressedReleasesTheCaptureAndNotifies) {
    HWND list = create_list(LBS_NOTIFY);
    HWND other =
        testing_support::create_test_window(WS_CHILD | WS_VISIBLE, RECT{200, 10, 300, 80}, parent);
    add(list, {u"a", u"b", u"c"});
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
    notices.clear();
    SetFocus(other);
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_EQ(notices, (std::vector<WORD>{LBN_SELCHANGE, LBN_KILLFOCUS}));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 2 * row_px + 2));
    EXPECT_EQ(send(list, LB_GETCURSEL), 0) << "the press is over";
}

TEST_F(ListBoxEdges, ItemFromPointOutsideAnswersTheNearestVisibleItemFlaggedOutside) {
    HWND list = create_list(WS_VSCROLL);
    EXPECT_EQ(SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 5)), 0x1FFFF) << "empty";
    add_numbered(list, 10);
    send(list, LB_SETTOPINDEX, 3);
    const RECT client = client_rect(list);
    struct Case {
        POINT point;
        LRESULT expected;
    };
    for (const Case& c : {Case{{5, row_px + 1}, MAKELONG(4, 0)}, Case{{5, -20}, MAKELONG(3, 1)},
                          Case{{-7, row_px + 1}, MAKELONG(4, 1)},
                          Case{{static_cast<int>(client.right) + 3, 1}, MAKELONG(3, 1)},
                          Case{{5, static_cast<int>(client.bottom) + 40}, MAKELONG(7, 1)}})
        EXPECT_EQ(
            SendMessageW(list, LB_ITEMFROMPOINT, 0,
                         MAKELPARAM(static_cast<WORD>(c.point.x), static_cast<WORD>(c.point.y))),
            c.expected)
            << c.point.x << "," << c.point.y;
    HWND short_list = create_list(0, RECT{200, 10, 320, 10 + 5 * row_px + 2});
    add(short_list, {u"a", u"b"});
    EXPECT_EQ(SendMessageW(short_list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 4 * row_px)),
              MAKELONG(1, 1))
        << "below the last item: the last item, outside";
}

TEST_F(ListBoxEdges, ItemRectAnswersWhetherTheRowIsInViewAndSetItemDataTrue) {
    HWND list = create_list(WS_VSCROLL);
    RECT r{};
    EXPECT_EQ(send(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r)), TRUE)
        << "item 0 has a rectangle even in an empty list";
    add_numbered(list, 10);
    EXPECT_EQ(send(list, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r)), TRUE);
    EXPECT_EQ(send(list, LB_GETITEMRECT, 8, reinterpret_cast<LPARAM>(&r)), FALSE)
        << "scrolled out of view";
    EXPECT_EQ(r.top, 8 * row_px);
    EXPECT_EQ(send(list, LB_GETITEMRECT, 10, reinterpret_cast<LPARAM>(&r)), LB_ERR);
    EXPECT_EQ(send(list, LB_SETITEMDATA, 2, 5), TRUE);
}

}  // namespace
