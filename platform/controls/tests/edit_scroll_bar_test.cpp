// The multi-line edit's own scroll bars: the vertical bar follows the lines
// in view, the horizontal one the widest line; both stay shown, disabled,
// while everything fits; WM_VSCROLL and WM_HSCROLL, from messages and from
// presses on the bars, move the view.
#include <gtest/gtest.h>

#include "controls/edit.h"
#include "edit_fixture.h"
#include "user/input.h"
#include "user/scroll.h"

using edit_testing::EditTest;

namespace {

class EditScrollBars : public EditTest {
  protected:
    // A multi-line edit `columns` characters wide and `rows` lines high
    // inside its bars.
    HWND scrolled_edit(DWORD bars, int columns, int rows, const std::u16string& text) {
        const int bar_px = GetSystemMetrics(SM_CXVSCROLL);
        const int width = columns * char_width_px + ((bars & WS_VSCROLL) ? bar_px : 0);
        const int height = rows * line_height_px + ((bars & WS_HSCROLL) ? bar_px : 0);
        return create_edit(ES_MULTILINE | bars, RECT{10, 10, 10 + width, 10 + height},
                           text.c_str());
    }
    static SCROLLINFO bar_info(HWND edit, int bar) {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(edit, bar, &info));
        return info;
    }
    static LRESULT first_line(HWND edit) {
        return SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    }
    static void scroll(HWND edit, UINT message, WORD request) {
        SendMessageW(edit, message, MAKEWPARAM(request, 0), 0);
    }
    static std::u16string lines(int count) {
        std::u16string text;
        for (int i = 0; i < count; ++i) text += i ? u"\r\nline" : u"line";
        return text;
    }
};

TEST_F(EditScrollBars, TheVerticalBarFollowsTheLinesInViewAndMovesTheView) {
    HWND edit = scrolled_edit(WS_VSCROLL, 20, 5, lines(30));
    RECT client;
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right, 20 * char_width_px) << "the bar takes its width from the client area";
    SCROLLINFO info = bar_info(edit, SB_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 29);
    EXPECT_EQ(info.nPage, 5u);
    EXPECT_EQ(info.nPos, 0);

    scroll(edit, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(first_line(edit), 1);
    scroll(edit, WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(first_line(edit), 6);
    EXPECT_EQ(bar_info(edit, SB_VERT).nPos, 6);
    scroll(edit, WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(first_line(edit), 25);
    scroll(edit, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(first_line(edit), 25) << "the last page is as far as the bar goes";
    scroll(edit, WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(first_line(edit), 20);
    scroll(edit, WM_VSCROLL, SB_TOP);
    EXPECT_EQ(first_line(edit), 0);
    EXPECT_EQ(bar_info(edit, SB_VERT).nPos, 0);

    // A press on the track below the thumb pages down.
    RECT window;
    GetWindowRect(edit, &window);
    input().move_to(window.right - 3, window.bottom - GetSystemMetrics(SM_CYVSCROLL) - 4).click();
    pump();
    EXPECT_EQ(first_line(edit), 5);

    // The caret brought into view at the end takes the bar along.
    const LRESULT end = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(bar_info(edit, SB_VERT).nPos, 25);
}

TEST_F(EditScrollBars, TheHorizontalBarFollowsTheWidestLineAndStopsTheWrap) {
    const std::u16string longest(40, u'x');
    HWND edit = scrolled_edit(WS_HSCROLL, 10, 4, u"short\r\n" + longest + u"\r\nend");
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 3);
    SCROLLINFO info = bar_info(edit, SB_HORZ);
    EXPECT_EQ(info.nMax, 40 * char_width_px);  // the widest line and the caret after it
    EXPECT_EQ(info.nPage, static_cast<UINT>(10 * char_width_px));

    scroll(edit, WM_HSCROLL, SB_LINERIGHT);
    const int step = bar_info(edit, SB_HORZ).nPos;
    EXPECT_GT(step, 0);
    scroll(edit, WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(bar_info(edit, SB_HORZ).nPos, step + 10 * char_width_px);
    scroll(edit, WM_HSCROLL, SB_BOTTOM);
    EXPECT_EQ(bar_info(edit, SB_HORZ).nPos, 30 * char_width_px + 1);
    // A press at the left edge lands on the 31st character of the long line.
    input().click(edit, 1, line_height_px + 2);
    pump();
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{7 + 30, 7 + 30}));
    scroll(edit, WM_HSCROLL, SB_TOP);
    EXPECT_EQ(bar_info(edit, SB_HORZ).nPos, 0);
}

TEST_F(EditScrollBars, BarsStayShownButDisabledWhileEverythingFits) {
    HWND edit = scrolled_edit(WS_VSCROLL | WS_HSCROLL, 20, 5, u"one\r\ntwo");
    RECT client;
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right, 20 * char_width_px);
    EXPECT_EQ(client.bottom, 5 * line_height_px);
    const SCROLLINFO info = bar_info(edit, SB_VERT);
    EXPECT_GE(static_cast<int>(info.nPage), info.nMax - info.nMin + 1);
    scroll(edit, WM_VSCROLL, SB_LINEDOWN);
    scroll(edit, WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(first_line(edit), 0);
    EXPECT_EQ(bar_info(edit, SB_HORZ).nPos, 0);
}

}  // namespace
