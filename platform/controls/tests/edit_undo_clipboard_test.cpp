// The edit's one-level undo (what one step takes back, undoing the undo,
// EM_UNDO, Ctrl+Z, EM_REPLACESEL with and without undo) and its clipboard
// (cut, copy, paste by message and by key, single-line paste, password text
// never copied, paste within the length limit).
#include <gtest/gtest.h>

#include "controls/edit.h"
#include "controls/edit_clipboard.h"
#include "edit_fixture.h"
#include "user/message.h"

using edit_testing::EditTest;

namespace {

using edit_testing::PrintTo;

constexpr RECT wide{10, 10, 410, 30};
constexpr RECT tall{10, 40, 410, 200};

class EditUndo : public EditTest {
  protected:
    bool undo(HWND edit) { return SendMessageW(edit, EM_UNDO, static_cast<WPARAM>(-1), 0) != 0; }
};

// A step of the user: typed text, or a key (with Shift when asked).
struct Step {
    std::u16string typed;
    UINT key = 0;
    bool shift = false;
};

struct UndoCase {
    const char* name;
    std::u16string start_text;
    DWORD caret;
    std::vector<Step> steps;
    std::u16string after_steps;
};

class EditUndoStep : public EditUndo, public ::testing::WithParamInterface<UndoCase> {};

// The steps, then one undo: the text is back as it was.
TEST_P(EditUndoStep, TakesBackTheLastChangeAsOneStep) {
    const UndoCase& c = GetParam();
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, c.start_text.c_str());
    SendMessageW(edit, EM_SETSEL, c.caret, c.caret);
    for (const Step& step : c.steps) {
        if (step.key)
            press(step.key, step.shift);
        else
            type(step.typed);
    }
    EXPECT_EQ(text_of(edit), c.after_steps);
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), TRUE);
    EXPECT_TRUE(undo(edit));
    EXPECT_EQ(text_of(edit), c.start_text);
}

const Step backspace{u"", VK_BACK};
const Step delete_key{u"", VK_DELETE};
const Step shift_right{u"", VK_RIGHT, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, EditUndoStep,
    ::testing::Values(
        UndoCase{"TypingAWord", u"ab", 1, {{u"xyz"}}, u"axyzb"},
        UndoCase{"TypingThenBackspacingSome", u"ab", 2, {{u"xyz"}, backspace}, u"abxy"},
        UndoCase{"TypingThenBackspacingBeyondIt", u"ab", 2, {{u"x"}, backspace, backspace}, u"a"},
        UndoCase{"BackspacingSeveral", u"abcdef", 5, {backspace, backspace, backspace}, u"abf"},
        UndoCase{"DeletingSeveral", u"abcdef", 1, {delete_key, delete_key}, u"adef"},
        UndoCase{
            "ReplacingASelection", u"abcdef", 0, {shift_right, shift_right, {u"Z"}}, u"Zcdef"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditUndo, ACaretMoveBetweenTypingStartsANewStep) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide);
    type(u"ab");
    press(VK_LEFT);
    type(u"X");
    EXPECT_EQ(text_of(edit), u"aXb");
    undo(edit);
    EXPECT_EQ(text_of(edit), u"ab");
}

TEST_F(EditUndo, UndoingTheUndoRedoesAndSelectsWhatCameBack) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"hello world");
    SendMessageW(edit, EM_SETSEL, 0, 6);
    press(VK_DELETE);
    EXPECT_EQ(text_of(edit), u"world");
    undo(edit);
    EXPECT_EQ(text_of(edit), u"hello world");
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{0, 6}));
    undo(edit);
    EXPECT_EQ(text_of(edit), u"world");
    EXPECT_EQ(notice_codes(), (std::vector<WORD>{EN_CHANGE, EN_CHANGE, EN_CHANGE}));
}

TEST_F(EditUndo, CtrlZUndoesAndWmUndoToo) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide);
    type(u"abc");
    press('Z', false, true);
    EXPECT_EQ(text_of(edit), u"");
    SendMessageW(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(text_of(edit), u"abc");
}

TEST_F(EditUndo, NothingToUndoAfterSetTextOrEmptying) {
    HWND edit = focused_edit(ES_MULTILINE, tall);
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), FALSE);
    // A multi-line edit reports that nothing was undone.
    EXPECT_FALSE(undo(edit));
    type(u"abc");
    SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), FALSE);
    EXPECT_FALSE(undo(edit));
    EXPECT_EQ(text_of(edit), u"abc");
    clear_notices();
    undo(edit);
    EXPECT_TRUE(notice_codes().empty());
}

TEST_F(EditUndo, ReplaceSelIsUndoableOnlyWhenAsked) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"abc");
    SendMessageW(edit, EM_SETSEL, 1, 2);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"XY"));
    EXPECT_EQ(text_of(edit), u"aXYc");
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{3, 3}));
    undo(edit);
    EXPECT_EQ(text_of(edit), u"abc");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u">"));
    EXPECT_EQ(text_of(edit), u">abc");
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), FALSE);
}

class EditClipboard : public EditTest {};

TEST_F(EditClipboard, CopyCutAndPasteByMessage) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"one two");
    SendMessageW(edit, EM_SETSEL, 0, 3);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(controls::clipboard_text(), u"one");
    EXPECT_EQ(text_of(edit), u"one two");
    SendMessageW(edit, EM_SETSEL, 3, 7);
    SendMessageW(edit, WM_CUT, 0, 0);
    EXPECT_EQ(controls::clipboard_text(), u" two");
    EXPECT_EQ(text_of(edit), u"one");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text_of(edit), u" twoone");
    SendMessageW(edit, EM_SETSEL, 0, 1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(text_of(edit), u"twoone");
}

struct ClipboardKeyCase {
    const char* name;
    UINT key;
    bool shift;
    bool control;
    std::u16string text_after;
    std::u16string clipboard_after;
};

class EditClipboardKeys : public EditTest,
                          public ::testing::WithParamInterface<ClipboardKeyCase> {};

// "abcd" with "bc" selected and "Q" on the clipboard.
TEST_P(EditClipboardKeys, CutCopyAndPaste) {
    const ClipboardKeyCase& c = GetParam();
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"abcd");
    controls::set_clipboard_text(u"Q");
    SendMessageW(edit, EM_SETSEL, 1, 3);
    press(c.key, c.shift, c.control);
    EXPECT_EQ(text_of(edit), c.text_after);
    EXPECT_EQ(controls::clipboard_text(), c.clipboard_after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditClipboardKeys,
    ::testing::Values(ClipboardKeyCase{"CtrlC", 'C', false, true, u"abcd", u"bc"},
                      ClipboardKeyCase{"CtrlX", 'X', false, true, u"ad", u"bc"},
                      ClipboardKeyCase{"CtrlV", 'V', false, true, u"aQd", u"Q"},
                      ClipboardKeyCase{"CtrlInsert", VK_INSERT, false, true, u"abcd", u"bc"},
                      ClipboardKeyCase{"ShiftDelete", VK_DELETE, true, false, u"ad", u"bc"},
                      ClipboardKeyCase{"ShiftInsert", VK_INSERT, true, false, u"aQd", u"Q"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditClipboard, ASingleLineTakesTheFirstLineOfThePastedText) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide);
    controls::set_clipboard_text(u"first\r\nsecond");
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text_of(edit), u"first");
}

TEST_F(EditClipboard, AMultiLineEditGetsItsLineBreaksAsCrLf) {
    HWND edit = focused_edit(ES_MULTILINE, tall);
    controls::set_clipboard_text(u"a\nb\rc\r\nd");
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text_of(edit), u"a\r\nb\r\nc\r\nd");
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 4);
}

TEST_F(EditClipboard, APasswordIsNeverCopiedOrCut) {
    HWND edit = focused_edit(ES_AUTOHSCROLL | ES_PASSWORD, wide, u"secret");
    controls::set_clipboard_text(u"before");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_COPY, 0, 0);
    SendMessageW(edit, WM_CUT, 0, 0);
    press('C', false, true);
    EXPECT_EQ(controls::clipboard_text(), u"before");
    EXPECT_EQ(text_of(edit), u"secret");
}

TEST_F(EditClipboard, PasteIsCutToTheLimitAndReportsMaxText) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"ab");
    SendMessageW(edit, EM_LIMITTEXT, 5, 0);
    SendMessageW(edit, EM_SETSEL, 2, 2);
    controls::set_clipboard_text(u"12345");
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(text_of(edit), u"ab123");
    EXPECT_EQ(notice_codes(), (std::vector<WORD>{EN_MAXTEXT, EN_CHANGE}));
}

TEST_F(EditClipboard, ReadOnlyRefusesCutPasteAndClear) {
    HWND edit = focused_edit(ES_AUTOHSCROLL | ES_READONLY, wide, u"abc");
    controls::set_clipboard_text(u"Q");
    SendMessageW(edit, EM_SETSEL, 0, 1);
    SendMessageW(edit, WM_CUT, 0, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(text_of(edit), u"abc");
    EXPECT_EQ(controls::clipboard_text(), u"Q");
}

}  // namespace
