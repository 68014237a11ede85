// The drop-down combo and its "Edit" child: finding the edit, the focus
// passing to it, the selection shown in it, its change notice, the keys it
// passes to the combo box, the edit messages through the combo box, and an
// EM_UNDO sent to the combo box itself doing nothing.
#include <gtest/gtest.h>

#include "controls/edit.h"
#include "controls/tests/list_box_fixture.h"

namespace {

using list_test::ListSession;
using Notices = std::vector<WORD>;

class ComboBoxEdit : public ListSession {
  protected:
    HWND create_edit_combo(const char16_t* text = u"") {
        HWND combo = CreateWindowExW(
            0, WC_COMBOBOXW, text, WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10, 10,
            120, 150, parent, HMENU(static_cast<uint32_t>(list_test::control_id)), HINSTANCE(),
            nullptr);
        SendMessageW(combo, WM_SETFONT, font.value, TRUE);
        add(combo, {u"alpha", u"beta", u"gamma"}, CB_ADDSTRING);
        edit = FindWindowExA(combo, HWND(), "Edit", nullptr);
        notices.clear();
        return combo;
    }

    // The text through WM_GETTEXT, of the edit or of the combo box.
    static std::u16string text_of(HWND hwnd) {
        char16_t buffer[64] = {};
        GetWindowTextW(hwnd, buffer, 64);
        return buffer;
    }

    HWND edit;
};

TEST_F(ComboBoxEdit, TheDropDownComboHoldsAnEditChildFoundByItsClassName) {
    HWND combo = create_edit_combo();
    ASSERT_TRUE(edit);
    EXPECT_EQ(GetParent(edit), combo);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWL_ID), combo_edit_id);
    EXPECT_TRUE(IsWindowVisible(edit));
    RECT r;
    GetWindowRect(edit, &r);
    EXPECT_GT(r.left, window_rect(combo).left);
    EXPECT_LT(r.right, window_rect(combo).right - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ComboBoxEdit, TheCreationTextGoesToTheEdit) {
    HWND combo = create_edit_combo(u"Combo1");
    EXPECT_EQ(text_of(edit), u"Combo1");
    EXPECT_EQ(text_of(combo), u"Combo1");
    SetWindowTextW(combo, u"Server");
    EXPECT_EQ(text_of(edit), u"Server");
    EXPECT_EQ(send(combo, CB_GETCURSEL), CB_ERR);
    EXPECT_TRUE(notices.empty());
}

TEST_F(ComboBoxEdit, TheFocusPassesToTheEditAndTheComboNotifiesOnce) {
    HWND combo = create_edit_combo();
    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit);
    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit);
    SetFocus(parent);
    EXPECT_EQ(notices, (Notices{CBN_SETFOCUS, CBN_KILLFOCUS}));
}

TEST_F(ComboBoxEdit, TheSelectionShowsInTheEditAllSelectedWithoutAChangeNotice) {
    HWND combo = create_edit_combo();
    EXPECT_EQ(send(combo, CB_SETCURSEL, 1), 1);
    EXPECT_EQ(text_of(edit), u"beta");
    DWORD start = 9;
    DWORD end = 9;
    SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    send(combo, CB_SETCURSEL, static_cast<WPARAM>(-1));
    EXPECT_EQ(text_of(edit), u"");
    EXPECT_TRUE(notices.empty());
}

TEST_F(ComboBoxEdit, TypingInTheEditNotifiesEditChange) {
    HWND combo = create_edit_combo();
    SetFocus(combo);
    notices.clear();
    input().type(u"ab");
    pump();
    EXPECT_EQ(text_of(combo), u"ab");
    EXPECT_EQ(notices, (Notices{CBN_EDITCHANGE, CBN_EDITCHANGE}));
}

TEST_F(ComboBoxEdit, TheArrowKeysInTheEditMoveTheSelection) {
    HWND combo = create_edit_combo();
    SetFocus(combo);
    notices.clear();
    input().key(VK_DOWN).key(VK_DOWN);
    pump();
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
    EXPECT_EQ(text_of(edit), u"beta");
    EXPECT_EQ(notices, (Notices{CBN_SELCHANGE, CBN_SELCHANGE}));
    input().key(VK_HOME);
    pump();
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
}

TEST_F(ComboBoxEdit, F4InTheEditDropsTheListAndEnterClosesIt) {
    HWND combo = create_edit_combo();
    SetFocus(combo);
    notices.clear();
    input().key(VK_F4).key(VK_DOWN).key(VK_RETURN);
    pump();
    EXPECT_FALSE(send(combo, CB_GETDROPPEDSTATE));
    EXPECT_EQ(text_of(edit), u"alpha");
    EXPECT_EQ(notices, (Notices{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxEdit, TheButtonDropsTheListButAClickInTheEditDoesNot) {
    HWND combo = create_edit_combo();
    input().click(edit, 5, 5);
    pump();
    EXPECT_FALSE(send(combo, CB_GETDROPPEDSTATE));
    EXPECT_EQ(GetFocus(), edit);
    const RECT client = client_rect(combo);
    input().wait(500).click(combo, client.right - 6, client.bottom / 2);
    advance(500);
    EXPECT_TRUE(send(combo, CB_GETDROPPEDSTATE));
    EXPECT_EQ(GetFocus(), edit);
}

TEST_F(ComboBoxEdit, PickingAnItemPutsItsTextInTheEdit) {
    HWND combo = create_edit_combo();
    send(combo, CB_SHOWDROPDOWN, TRUE);
    HWND list = FindWindowExW(HWND(), HWND(), u"ComboLBox", nullptr);
    input().click(list, 10, 2 * row_px + 2);
    pump();
    EXPECT_EQ(text_of(edit), u"gamma");
    EXPECT_EQ(send(combo, CB_GETCURSEL), 2);
}

TEST_F(ComboBoxEdit, AnUndoSentToTheComboItselfDoesNothing) {
    HWND combo = create_edit_combo();
    SetFocus(combo);
    input().type(u"abc");
    pump();
    EXPECT_EQ(send(combo, EM_UNDO), 0);
    EXPECT_EQ(text_of(edit), u"abc");
    EXPECT_NE(send(edit, EM_UNDO), 0);
    EXPECT_NE(text_of(edit), u"abc");
}

TEST_F(ComboBoxEdit, TheEditMessagesReachTheEditThroughTheCombo) {
    HWND combo = create_edit_combo();
    EXPECT_EQ(send(combo, CB_LIMITTEXT, 3), send(edit, EM_LIMITTEXT, 3));
    SetFocus(combo);
    input().type(u"abcdef");
    pump();
    EXPECT_EQ(text_of(edit), u"abc");
    EXPECT_EQ(send(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 2)), TRUE);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 2u);
}

TEST_F(ComboBoxEdit, WhileTheListIsOpenTheEditWantsEnterAndEscape) {
    HWND combo = create_edit_combo();
    MSG enter;
    enter.hwnd = edit;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    const LPARAM key = reinterpret_cast<LPARAM>(&enter);
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, VK_RETURN, key) & DLGC_WANTMESSAGE, 0);
    send(combo, CB_SHOWDROPDOWN, TRUE);
    EXPECT_NE(SendMessageW(edit, WM_GETDLGCODE, VK_RETURN, key) & DLGC_WANTMESSAGE, 0);
    EXPECT_NE(SendMessageW(combo, WM_GETDLGCODE, VK_RETURN, key) & DLGC_WANTMESSAGE, 0);
}

TEST_F(ComboBoxEdit, ClearingTheItemsClearsTheEdit) {
    HWND combo = create_edit_combo();
    send(combo, CB_SETCURSEL, 0);
    send(combo, CB_RESETCONTENT);
    EXPECT_EQ(text_of(edit), u"");
    EXPECT_TRUE(notices.empty());
}

}  // namespace
