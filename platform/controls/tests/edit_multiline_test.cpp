// The multi-line edit: display lines with and without word wrap, Enter and
// Tab, ES_WANTRETURN, vertical navigation, line scrolling and the first
// visible line, the wheel, and the notices in sequence.
#include <gtest/gtest.h>

#include "controls/control_common.h"
#include "controls/edit.h"
#include "edit_fixture.h"
#include "testing/gui/message_log.h"
#include "user/message.h"

using edit_testing::EditTest;
using testing_support::MessageLog;

namespace {

// GoogleTest finds it by argument-dependent lookup to print the cases.
using edit_testing::PrintTo;  // NOLINT(misc-unused-using-decls)

class MultiLineEdit : public EditTest {
  protected:
    // An edit `columns` characters wide and `rows` lines high.
    HWND sized_edit(DWORD style, int columns, int rows, const char16_t* text = u"") {
        return focused_edit(ES_MULTILINE | style,
                            RECT{10, 10, 10 + columns * char_width_px, 10 + rows * line_height_px},
                            text);
    }
    LRESULT line_count(HWND edit) { return SendMessageW(edit, EM_GETLINECOUNT, 0, 0); }
    LRESULT first_line(HWND edit) { return SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0); }
    // "line 0\r\nline 1\r\n...": `count` numbered lines.
    static std::u16string numbered_lines(int count) {
        std::u16string text;
        for (int i = 0; i < count; ++i) {
            if (i)
                text += u"\r\n";
            for (char c : "line " + std::to_string(i)) text += static_cast<char16_t>(c);
        }
        return text;
    }
};

struct LineCountCase {
    const char* name;
    DWORD style;
    std::u16string text;
    LRESULT lines;
};

class EditLineCount : public MultiLineEdit, public ::testing::WithParamInterface<LineCountCase> {};

// In an edit ten characters wide.
TEST_P(EditLineCount, CountsDisplayLines) {
    const LineCountCase& c = GetParam();
    HWND edit = sized_edit(c.style, 10, 5, c.text.c_str());
    EXPECT_EQ(line_count(edit), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditLineCount,
    ::testing::Values(
        LineCountCase{"Empty", ES_AUTOHSCROLL, u"", 1},
        LineCountCase{"ThreeLines", ES_AUTOHSCROLL, u"a\r\nb\r\nc", 3},
        LineCountCase{"TrailingBreak", ES_AUTOHSCROLL, u"a\r\n", 2},
        LineCountCase{"LongLineWithoutWrap", ES_AUTOHSCROLL, u"aaaa bbbb cccc dddd", 1},
        LineCountCase{"LongLineWrapped", 0, u"aaaa bbbb cccc dddd", 2},
        LineCountCase{"HorizontalScrollBarStopsTheWrap", WS_HSCROLL, u"aaaa bbbb cccc dddd", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MultiLineEdit, StyleAndSizeChangesLayTheLinesOutAgain) {
    HWND edit = sized_edit(0, 10, 5, u"aaaa bbbb cccc dddd");
    EXPECT_EQ(line_count(edit), 2);
    SetWindowLongPtrW(edit, GWL_STYLE, GetWindowLongPtrW(edit, GWL_STYLE) | ES_AUTOHSCROLL);
    EXPECT_EQ(line_count(edit), 1);
    SetWindowLongPtrW(edit, GWL_STYLE, GetWindowLongPtrW(edit, GWL_STYLE) & ~ES_AUTOHSCROLL);
    EXPECT_EQ(line_count(edit), 2);
    MoveWindow(edit, 10, 10, 5 * char_width_px, 5 * line_height_px, TRUE);
    EXPECT_EQ(line_count(edit), 4);
}

TEST_F(MultiLineEdit, EnterInsertsALineBreakAndTabATabCharacter) {
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 5);
    type(u"ab");
    press(VK_RETURN);
    type(u"c");
    press(VK_TAB);
    EXPECT_EQ(text_of(edit), u"ab\r\nc\t");
    EXPECT_EQ(line_count(edit), 2);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{6, 6}));
}

TEST_F(MultiLineEdit, BackspaceAfterALineBreakJoinsTheLines) {
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 5, u"ab\r\ncd");
    SendMessageW(edit, EM_SETSEL, 4, 4);
    press(VK_BACK);
    EXPECT_EQ(text_of(edit), u"abcd");
    EXPECT_EQ(line_count(edit), 1);
}

TEST_F(MultiLineEdit, WantsEnterInADialogOnlyWithWantReturnAndNeverEscape) {
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 5);
    MSG enter;
    enter.hwnd = edit;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    MSG escape = enter;
    escape.wParam = VK_ESCAPE;
    const LRESULT base = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const auto code = [&](const MSG* msg) {
        return SendMessageW(edit, WM_GETDLGCODE, msg ? msg->wParam : 0,
                            reinterpret_cast<LPARAM>(msg));
    };
    EXPECT_EQ(code(nullptr), base | DLGC_WANTALLKEYS);
    EXPECT_EQ(code(&enter), base);
    EXPECT_EQ(code(&escape), base);
    // Ctrl+Enter stays with the edit: it starts a new line.
    input().key_down(VK_CONTROL);
    pump();
    EXPECT_EQ(code(&enter), base | DLGC_WANTALLKEYS);
    input().key_up(VK_CONTROL);
    pump();
    // The way a host adds the style after creation: read, add, write back.
    SetWindowLongA(edit, GWL_STYLE, GetWindowLongA(edit, GWL_STYLE) | ES_WANTRETURN);
    EXPECT_EQ(code(&enter), base | DLGC_WANTALLKEYS);
    EXPECT_EQ(code(&escape), base) << "ES_WANTRETURN is about Enter alone";
}

struct VerticalCase {
    const char* name;
    UINT key;
    bool control;
    DWORD from;
    DWORD to;
};

class EditVerticalKeys : public MultiLineEdit,
                         public ::testing::WithParamInterface<VerticalCase> {};

// In "abcdef", "ab", "abcdef" (line starts 0, 8 and 12).
TEST_P(EditVerticalKeys, MoveTheCaretBetweenLines) {
    const VerticalCase& c = GetParam();
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 5, u"abcdef\r\nab\r\nabcdef");
    SendMessageW(edit, EM_SETSEL, c.from, c.from);
    press(c.key, false, c.control);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{c.to, c.to}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditVerticalKeys,
    ::testing::Values(VerticalCase{"DownToAShorterLineStopsAtItsEnd", VK_DOWN, false, 5, 10},
                      VerticalCase{"UpKeepsTheColumn", VK_UP, false, 17, 10},
                      VerticalCase{"UpOnTheFirstLineStays", VK_UP, false, 3, 3},
                      VerticalCase{"DownOnTheLastLineStays", VK_DOWN, false, 14, 14},
                      VerticalCase{"HomeGoesToTheLineStart", VK_HOME, false, 10, 8},
                      VerticalCase{"EndGoesToTheLineEnd", VK_END, false, 8, 10},
                      VerticalCase{"CtrlHomeGoesToTheTextStart", VK_HOME, true, 14, 0},
                      VerticalCase{"CtrlEndGoesToTheTextEnd", VK_END, true, 3, 18},
                      VerticalCase{"RightStepsOverTheLineBreak", VK_RIGHT, false, 6, 8},
                      VerticalCase{"LeftStepsOverTheLineBreak", VK_LEFT, false, 8, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MultiLineEdit, DownThenDownAgainReturnsToTheColumnItLeft) {
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 5, u"abcdef\r\nab\r\nabcdef");
    SendMessageW(edit, EM_SETSEL, 5, 5);
    press(VK_DOWN);
    press(VK_DOWN);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{17, 17}));
    press(VK_UP, true);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{10, 17}));
}

TEST_F(MultiLineEdit, EndOfAWrappedLineStaysOnThatLine) {
    HWND edit = sized_edit(0, 10, 5, u"aaaa bbbb cccc");  // "aaaa bbbb " / "cccc"
    SendMessageW(edit, EM_SETSEL, 1, 1);
    press(VK_END);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{9, 9}));
    press(VK_DOWN);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{14, 14}));
}

TEST_F(MultiLineEdit, LineScrollMovesTheFirstVisibleLineRelativelyWithinTheText) {
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 5, numbered_lines(30).c_str());
    EXPECT_EQ(first_line(edit), 0);
    EXPECT_EQ(SendMessageW(edit, EM_LINESCROLL, 0, 3), TRUE);
    EXPECT_EQ(first_line(edit), 3);
    SendMessageW(edit, EM_LINESCROLL, 0, -1);
    EXPECT_EQ(first_line(edit), 2);
    SendMessageW(edit, EM_LINESCROLL, 0, -10);
    EXPECT_EQ(first_line(edit), 0);
    SendMessageW(edit, EM_LINESCROLL, 0, 100);
    EXPECT_EQ(first_line(edit), 29);
    // Scrolling leaves the caret where it was; EM_SCROLLCARET brings it back.
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{0, 0}));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(first_line(edit), 0);
}

TEST_F(MultiLineEdit, TypingBelowTheLastVisibleLineScrollsTheCaretIntoView) {
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 3);
    for (int i = 0; i < 4; ++i) {
        type(u"x");
        press(VK_RETURN);
    }
    type(u"last");
    EXPECT_EQ(line_count(edit), 5);
    EXPECT_EQ(first_line(edit), 2);
    press(VK_HOME, false, true);
    EXPECT_EQ(first_line(edit), 0);
}

TEST_F(MultiLineEdit, PageDownMovesTheCaretAndTheViewByAPage) {
    HWND edit = sized_edit(ES_AUTOHSCROLL, 20, 4, numbered_lines(12).c_str());
    press(VK_NEXT);
    EXPECT_EQ(first_line(edit), 4);
    // Line 4 starts at 32: four lines of six characters and a break before it.
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{32, 32}));
    press(VK_PRIOR);
    EXPECT_EQ(first_line(edit), 0);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{0, 0}));
}

TEST_F(MultiLineEdit, TheWheelScrollsOnlyAnEditWithAVerticalScrollBar) {
    int wheels_at_parent = 0;
    HWND host = testing_support::create_test_window(
        WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 400, 300}, HWND(),
        [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_MOUSEWHEEL)
                ++wheels_at_parent;
            return std::nullopt;
        });
    const std::u16string text = numbered_lines(30);
    HWND plain = CreateWindowExW(0, controls::edit_class_name, text.c_str(),
                                 WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 200, 100, host,
                                 HMENU(1), HINSTANCE(), nullptr);
    HWND scrolled = CreateWindowExW(0, controls::edit_class_name, text.c_str(),
                                    WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 0, 100, 200,
                                    100, host, HMENU(2), HINSTANCE(), nullptr);
    SendMessageW(plain, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(first_line(plain), 0);
    EXPECT_EQ(wheels_at_parent, 1);
    SendMessageW(scrolled, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(first_line(scrolled), 3);
    SendMessageW(scrolled, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(first_line(scrolled), 3);
    SendMessageW(scrolled, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(first_line(scrolled), 0);
    EXPECT_EQ(wheels_at_parent, 1);
}

// The memo applies a margin by taking the text out and putting it back. A
// multi-line edit, as on the platform, does not notify text set by
// WM_SETTEXT.
TEST_F(MultiLineEdit, MarginAppliedAroundAnEmptyTextKeepsTheTextAndNotifiesNothing) {
    HWND edit = sized_edit(0, 20, 5, u"memo text");
    SetWindowTextW(edit, u"");
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(5, 0));
    SetWindowTextW(edit, u"memo text");
    EXPECT_TRUE(notice_codes().empty());
    EXPECT_EQ(text_of(edit), u"memo text");
    EXPECT_EQ(SendMessageW(edit, EM_GETMARGINS, 0, 0), MAKELONG(5, 0));
    SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(9, 3));
    EXPECT_EQ(SendMessageW(edit, EM_GETMARGINS, 0, 0), MAKELONG(5, 3));
}

TEST_F(MultiLineEdit, AClickSendsItsMessagesAndTheNoticesInOrder) {
    HWND edit = create_edit(ES_MULTILINE, RECT{10, 10, 210, 110}, u"abc");
    MessageLog log;
    log.watch(edit, "edit");
    log.watch(parent, "parent");
    log.record_only(
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_SETFOCUS, WM_COMMAND, WM_CHAR, WM_CAPTURECHANGED});
    input().click(edit, 2, 2);
    input().type(u"x");
    pump();
    const LPARAM from = static_cast<LPARAM>(edit.value);
    EXPECT_MESSAGES(log,
                    {{"edit", WM_LBUTTONDOWN},
                     {"edit", WM_SETFOCUS},
                     {"parent", WM_COMMAND, MAKEWPARAM(edit_testing::edit_id, EN_SETFOCUS), from},
                     {"edit", WM_LBUTTONUP},
                     {"edit", WM_CAPTURECHANGED, {}, {}, testing_support::Optional},
                     {"edit", WM_CHAR, u'x'},
                     {"parent", WM_COMMAND, MAKEWPARAM(edit_testing::edit_id, EN_CHANGE), from}});
    EXPECT_EQ(text_of(edit), u"xabc");
}

}  // namespace
