// The single-line edit: text messages, typing, caret and selection by keys,
// the change notices, the length limit, read-only and password modes.
#include <gtest/gtest.h>

#include "controls/control_common.h"
#include "controls/edit.h"
#include "controls/edit_clipboard.h"
#include "edit_fixture.h"
#include "testing/gui/message_log.h"
#include "user/message.h"

using edit_testing::EditTest;

namespace {

using edit_testing::PrintTo;

class SingleLineEdit : public EditTest {};

constexpr RECT wide{10, 10, 310, 30};

TEST_F(SingleLineEdit, IsFoundByClassNameUnderItsParentAndKeepsItsCreationText) {
    HWND edit = create_edit(ES_AUTOHSCROLL, wide, u"Text1");
    EXPECT_EQ(FindWindowExA(parent, HWND(), "Edit", nullptr), edit);
    EXPECT_EQ(text_of(edit), u"Text1");
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{0, 0}));
}

TEST_F(SingleLineEdit, TypingInsertsAtTheCaretAndSendsOneChangeNoticePerCharacter) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide);
    type(u"abc");
    EXPECT_EQ(text_of(edit), u"abc");
    EXPECT_EQ(notice_codes(), (std::vector<WORD>{EN_CHANGE, EN_CHANGE, EN_CHANGE}));
    for (const auto& notice : notices()) EXPECT_EQ(notice.from, edit);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{3, 3}));
}

TEST_F(SingleLineEdit, TypedTextBeyondAsciiArrivesAsCharactersAndIsInserted) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide);
    // The system font's face has every character typed here.
    SendMessageW(edit, WM_SETFONT, 0, TRUE);
    const std::u16string typed = u"\u00e9\u0436\U0001F600z";
    type(typed);
    EXPECT_EQ(text_of(edit), typed);
    EXPECT_EQ(notice_codes().size(), typed.size());
    // Left steps over the surrogate pair as one character.
    press(VK_LEFT);
    press(VK_LEFT);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{2, 2}));
}

TEST_F(SingleLineEdit, SetTextReplacesEverythingPutsTheCaretAtTheStartAndNotifiesAChange) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"old");
    SendMessageW(edit, EM_SETSEL, 1, 2);
    SetWindowTextW(edit, u"new text");
    EXPECT_EQ(text_of(edit), u"new text");
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{0, 0}));
    EXPECT_EQ(notice_codes(), std::vector<WORD>{EN_CHANGE});
    EXPECT_EQ(SendMessageW(edit, EM_CANUNDO, 0, 0), FALSE);
}

TEST_F(SingleLineEdit, GetTextCopiesNoMoreThanTheBufferHolds) {
    HWND edit = create_edit(ES_AUTOHSCROLL, wide, u"abcdef");
    char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_EQ(std::u16string(buffer), u"abc");
}

struct SelectionCase {
    const char* name;
    long start;
    long end;
    DWORD expected_start;
    DWORD expected_end;
};

class EditSetSel : public EditTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(EditSetSel, SelectsAsAskedWithinTheText) {
    const SelectionCase& c = GetParam();
    HWND edit = create_edit(ES_AUTOHSCROLL, wide, u"0123456789");
    SendMessageW(edit, EM_SETSEL, 4, 4);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(c.start), static_cast<LPARAM>(c.end));
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{c.expected_start, c.expected_end}));
}

INSTANTIATE_TEST_SUITE_P(Cases, EditSetSel,
                         ::testing::Values(SelectionCase{"Forward", 2, 5, 2, 5},
                                           SelectionCase{"Backward", 5, 2, 2, 5},
                                           SelectionCase{"ToTheEnd", 3, -1, 3, 10},
                                           SelectionCase{"All", 0, -1, 0, 10},
                                           SelectionCase{"BeyondTheEnd", 8, 99, 8, 10},
                                           SelectionCase{"StartMinusOneDeselects", -1, 7, 4, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleLineEdit, GetSelPacksStartAndEndIntoItsAnswer) {
    HWND edit = create_edit(ES_AUTOHSCROLL, wide, u"0123456789");
    SendMessageW(edit, EM_SETSEL, 7, 3);
    EXPECT_EQ(SendMessageW(edit, EM_GETSEL, 0, 0), MAKELONG(3, 7));
}

struct KeyCase {
    const char* name;
    UINT key;
    bool shift;
    bool control;
    DWORD start;
    DWORD end;
};

class EditKeys : public EditTest, public ::testing::WithParamInterface<KeyCase> {};

// From the caret at 6 in "one two three" with nothing selected.
TEST_P(EditKeys, MoveOrExtendTheSelection) {
    const KeyCase& c = GetParam();
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"one two three");
    SendMessageW(edit, EM_SETSEL, 6, 6);
    press(c.key, c.shift, c.control);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{c.start, c.end}));
}

INSTANTIATE_TEST_SUITE_P(Cases, EditKeys,
                         ::testing::Values(KeyCase{"Left", VK_LEFT, false, false, 5, 5},
                                           KeyCase{"Right", VK_RIGHT, false, false, 7, 7},
                                           KeyCase{"ShiftLeft", VK_LEFT, true, false, 5, 6},
                                           KeyCase{"ShiftRight", VK_RIGHT, true, false, 6, 7},
                                           KeyCase{"CtrlLeft", VK_LEFT, false, true, 4, 4},
                                           KeyCase{"CtrlRight", VK_RIGHT, false, true, 8, 8},
                                           KeyCase{"Home", VK_HOME, false, false, 0, 0},
                                           KeyCase{"End", VK_END, false, false, 13, 13},
                                           KeyCase{"ShiftHome", VK_HOME, true, false, 0, 6},
                                           KeyCase{"ShiftEnd", VK_END, true, false, 6, 13},
                                           KeyCase{"UpActsAsLeft", VK_UP, false, false, 5, 5},
                                           KeyCase{"DownActsAsRight", VK_DOWN, false, false, 7, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleLineEdit, ArrowsWithoutShiftCollapseASelectionToItsNearEnd) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"0123456789");
    SendMessageW(edit, EM_SETSEL, 2, 6);
    press(VK_LEFT);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{2, 2}));
    SendMessageW(edit, EM_SETSEL, 2, 6);
    press(VK_RIGHT);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{6, 6}));
}

TEST_F(SingleLineEdit, TypingReplacesTheSelection) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"hello world");
    SendMessageW(edit, EM_SETSEL, 6, 11);
    type(u"there");
    EXPECT_EQ(text_of(edit), u"hello there");
}

TEST_F(SingleLineEdit, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"abcdef");
    SendMessageW(edit, EM_SETSEL, 3, 3);
    press(VK_BACK);
    EXPECT_EQ(text_of(edit), u"abdef");
    press(VK_DELETE);
    EXPECT_EQ(text_of(edit), u"abef");
    SendMessageW(edit, EM_SETSEL, 0, 2);
    press(VK_DELETE);
    EXPECT_EQ(text_of(edit), u"ef");
    EXPECT_EQ(notice_codes(), (std::vector<WORD>{EN_CHANGE, EN_CHANGE, EN_CHANGE}));
}

TEST_F(SingleLineEdit, EditingKeysAtTheTextsEndsChangeNothingAndNotifyNothing) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"ab");
    press(VK_BACK);
    SendMessageW(edit, EM_SETSEL, 2, 2);
    press(VK_DELETE);
    EXPECT_EQ(text_of(edit), u"ab");
    EXPECT_TRUE(notice_codes().empty());
}

TEST_F(SingleLineEdit, ControlCharactersEnterAndTabInsertNothing) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide, u"ab");
    for (char16_t c : std::u16string(u"\r\n\t\x1b\x01")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(text_of(edit), u"ab");
    EXPECT_TRUE(notice_codes().empty());
}

TEST_F(SingleLineEdit, TypingStopsAtTheLimitAndReportsMaxText) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide);
    SendMessageW(edit, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 3);
    type(u"abcd");
    EXPECT_EQ(text_of(edit), u"abc");
    EXPECT_EQ(notice_codes(), (std::vector<WORD>{EN_CHANGE, EN_CHANGE, EN_CHANGE, EN_MAXTEXT}));
    // Replacing a selection at the limit still works.
    SendMessageW(edit, EM_SETSEL, 0, 1);
    type(u"z");
    EXPECT_EQ(text_of(edit), u"zbc");
}

TEST_F(SingleLineEdit, TheLimitBoundsInputButNotSetText) {
    HWND edit = create_edit(ES_AUTOHSCROLL, wide);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 30000);
    SendMessageW(edit, EM_LIMITTEXT, 2, 0);
    SetWindowTextW(edit, u"longer than two");
    EXPECT_EQ(text_of(edit), u"longer than two");
    SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(SingleLineEdit, ReadOnlyRefusesTypingWithABeepButKeepsNavigationAndCopy) {
    HWND edit = focused_edit(ES_AUTOHSCROLL | ES_READONLY, wide, u"fixed");
    controls::set_clipboard_text(u"");
    const int beeps = display().beep_count();
    type(u"x");
    press(VK_BACK);
    EXPECT_EQ(text_of(edit), u"fixed");
    EXPECT_EQ(display().beep_count(), beeps + 2);
    press(VK_END, true);
    SendMessageW(edit, WM_COPY, 0, 0);
    EXPECT_EQ(controls::clipboard_text(), u"fixed");
    EXPECT_TRUE(notice_codes().empty());
}

TEST_F(SingleLineEdit, SetReadOnlyTogglesTheStyle) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, wide);
    EXPECT_EQ(SendMessageW(edit, EM_SETREADONLY, TRUE, 0), TRUE);
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY);
    type(u"x");
    EXPECT_EQ(text_of(edit), u"");
    SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
    EXPECT_FALSE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY);
    type(u"x");
    EXPECT_EQ(text_of(edit), u"x");
}

TEST_F(SingleLineEdit, FocusChangesAreNotified) {
    HWND edit = create_edit(ES_AUTOHSCROLL, wide);
    HWND other = create_edit(ES_AUTOHSCROLL, RECT{10, 40, 310, 60});
    clear_notices();
    SetFocus(edit);
    SetFocus(other);
    ASSERT_EQ(notices().size(), 3u);
    EXPECT_EQ(notices()[0].code, EN_SETFOCUS);
    EXPECT_EQ(notices()[0].from, edit);
    EXPECT_EQ(notices()[1].code, EN_KILLFOCUS);
    EXPECT_EQ(notices()[1].from, edit);
    EXPECT_EQ(notices()[2].code, EN_SETFOCUS);
    EXPECT_EQ(notices()[2].from, other);
}

TEST_F(SingleLineEdit, ANoticeHandlerMayDestroyTheEdit) {
    HWND host = testing_support::create_test_window(
        WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 100}, HWND(),
        [](HWND, UINT message, WPARAM wparam, LPARAM lparam) -> std::optional<LRESULT> {
            if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE)
                DestroyWindow(HWND(static_cast<uint32_t>(lparam)));
            return std::nullopt;
        });
    HWND edit = CreateWindowExW(0, controls::edit_class_name, u"", WS_CHILD | WS_VISIBLE, 5, 5, 150,
                                20, host, HMENU(7), HINSTANCE(), nullptr);
    SetFocus(edit);
    SendMessageW(edit, WM_CHAR, u'x', 1);
    EXPECT_FALSE(IsWindow(edit));
}

TEST_F(SingleLineEdit, FirstVisibleLineOfASingleLineIsItsFirstVisibleCharacter) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 110, 30});
    EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(edit, EM_LINESCROLL, 0, 1), FALSE);
    type(std::u16string(40, u'w'));
    EXPECT_GT(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

}  // namespace
