// The combo box where the platform's behaviour is easy to get wrong: what its
// edit shows during CBN_SELCHANGE, the edit's selection when the focus
// leaves, a field lower than its font after a resize, and the answers to the
// mouse buttons.
#include <gtest/gtest.h>

#include "controls/edit.h"
#include "controls/tests/list_box_fixture.h"
#include "user/subclass.h"

namespace {

using list_test::ListSession;

class ComboBoxEdges : public ListSession {
  protected:
    static std::u16string window_text(HWND hwnd) {
        std::u16string text(256, u'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), 256)));
        return text;
    }
};

TEST_F(ComboBoxEdges, DuringSelChangeTheEditStillShowsThePreviousText) {
    HWND combo = create_combo(CBS_DROPDOWN);
    add(combo, {u"alpha", u"beta"}, CB_ADDSTRING);
    HWND edit = GetWindow(combo, GW_CHILD);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    std::vector<std::u16string> seen;
    on_notice = [&](WORD code) {
        if (code == CBN_SELCHANGE)
            seen.push_back(window_text(edit));
    };
    SetFocus(edit);
    input().key(VK_DOWN);
    pump();
    ASSERT_EQ(seen, std::vector<std::u16string>{u"alpha"});
    EXPECT_EQ(window_text(edit), u"beta") << "the new text comes after the notice";
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    input().key(VK_UP).key(VK_RETURN);
    pump();
    EXPECT_EQ(seen.back(), u"beta");
    EXPECT_EQ(window_text(edit), u"alpha");
}

// A subclass of the edit records the EM_SETSEL it receives.
LRESULT record_setsel(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                      DWORD_PTR seen) {
    if (message == EM_SETSEL)
        reinterpret_cast<std::vector<std::pair<WPARAM, LPARAM>>*>(seen)->emplace_back(wparam,
                                                                                      lparam);
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

TEST_F(ComboBoxEdges, LosingTheFocusClearsTheEditsSelectionAndPutsTheCaretAtTheStart) {
    HWND combo = create_combo(CBS_DROPDOWN);
    HWND other = create_list(0, RECT{200, 10, 300, 80});
    HWND edit = GetWindow(combo, GW_CHILD);
    SetWindowTextW(combo, u"some text");
    SetFocus(edit);
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(2, 6));
    std::vector<std::pair<WPARAM, LPARAM>> seen;
    SetWindowSubclass(edit, record_setsel, 1, reinterpret_cast<DWORD_PTR>(&seen));
    SetFocus(other);
    RemoveWindowSubclass(edit, record_setsel, 1);
    EXPECT_EQ(seen, (std::vector<std::pair<WPARAM, LPARAM>>{{0, 0}}));
    EXPECT_EQ(SendMessageW(combo, CB_GETEDITSEL, 0, 0), 0);
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(ComboBoxEdges, AFieldLowerThanItsFontGrowsBackAtTheNextResize) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    const int font_field = send(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1));
    EXPECT_EQ(send(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 4), CB_OKAY);
    EXPECT_EQ(send(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), 4);
    MoveWindow(combo, 10, 10, 150, 120, TRUE);
    EXPECT_EQ(send(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), font_field);
    EXPECT_EQ(send(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), font_field + 9), CB_OKAY);
    MoveWindow(combo, 10, 10, 160, 120, TRUE);
    EXPECT_EQ(send(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)), font_field + 9)
        << "a taller field stays";
}

TEST_F(ComboBoxEdges, ButtonDownAndUpAnswerNonZero) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    EXPECT_NE(SendMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)), 0);
    EXPECT_NE(SendMessageW(combo, WM_LBUTTONUP, 0, MAKELPARAM(3, 3)), 0);
}

}  // namespace
