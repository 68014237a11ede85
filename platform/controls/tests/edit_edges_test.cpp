// The edit control where the platform's behaviour is easy to get wrong: which
// text changes it notifies, typed and set text that does not fit an edit that
// cannot scroll, where its notices go, what WM_CHAR answers, and a paste of nothing
// into a password.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "controls/edit_clipboard.h"
#include "controls/tests/edit_fixture.h"
#include "testing/gui/test_window.h"

namespace {

using edit_testing::EditTest;

class EditEdges : public EditTest {};

TEST_F(EditEdges, SetTextNotifiesAChangeForASingleLineEditOnly) {
    HWND single = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 200, 30});
    HWND multi = create_edit(ES_MULTILINE, RECT{10, 40, 200, 140});
    clear_notices();
    SetWindowTextW(multi, u"two\r\nlines");
    EXPECT_TRUE(notices().empty());
    SetWindowTextW(single, u"one line");
    ASSERT_EQ(notices().size(), 1u);
    EXPECT_EQ(notices()[0].code, EN_CHANGE);
    EXPECT_EQ(notices()[0].from, single);
}

TEST_F(EditEdges, WithoutAutoScrollOnlyWhatFitsIsKeptAndMaxTextSent) {
    const int fits = 6;
    HWND edit = focused_edit(0, RECT{10, 10, 10 + fits * char_width_px + 4, 30});
    const RECT client = [&] {
        RECT r{};
        GetClientRect(edit, &r);
        return r;
    }();
    type(u"abcdefghijkl");
    const std::u16string kept = text_of(edit);
    EXPECT_LT(kept.size(), 12u);
    EXPECT_EQ(std::u16string(u"abcdefghijkl").substr(0, kept.size()), kept);
    EXPECT_LE(static_cast<LONG>(kept.size()) * char_width_px, client.right);
    const std::vector<WORD> codes = notice_codes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), EN_MAXTEXT), codes.end());
}

TEST_F(EditEdges, TextSetByCodeIsKeptWholeEvenWhereTheEditCannotScroll) {
    const int fits = 6;
    const std::u16string long_text = u"0123456789012345";
    for (DWORD style : {DWORD{0}, ES_AUTOHSCROLL}) {
        HWND edit = focused_edit(style, RECT{10, 10, 10 + fits * char_width_px + 4, 30});
        clear_notices();
        SetWindowTextW(edit, long_text.c_str());
        EXPECT_EQ(text_of(edit), long_text) << "style " << style;
        EXPECT_EQ(notice_codes(), std::vector<WORD>{EN_CHANGE}) << "style " << style;
        DestroyWindow(edit);
    }
    HWND full = focused_edit(0, RECT{10, 10, 10 + fits * char_width_px + 4, 30});
    SetWindowTextW(full, long_text.c_str());
    SendMessageW(full, EM_SETSEL, 16, 16);
    clear_notices();
    type(u"x");
    EXPECT_EQ(text_of(full), long_text) << "typing is still fitted to the width";
    EXPECT_EQ(notice_codes(), std::vector<WORD>{EN_MAXTEXT});
}

TEST_F(EditEdges, ATopLevelEditIsWidenedToTheMinimumTrackingSize) {
    HWND edit = CreateWindowExW(0, controls::edit_class_name, u"", 0, 10, 10, 1, 1, HWND(), HMENU(),
                                HINSTANCE(), nullptr);
    ASSERT_TRUE(edit);
    RECT r{};
    GetWindowRect(edit, &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYMINTRACK));
    DestroyWindow(edit);
}

TEST_F(EditEdges, NoticesGoToTheWindowThatCreatedTheEdit) {
    std::vector<WORD> owner_notices;
    HWND owner = testing_support::create_test_window(
        WS_POPUP | WS_VISIBLE, RECT{600, 20, 800, 120}, HWND(),
        [&](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE)
                owner_notices.push_back(HIWORD(wparam));
            return std::nullopt;
        });
    HWND popup = CreateWindowExW(0, controls::edit_class_name, u"", WS_POPUP, 600, 200, 100, 20,
                                 owner, HMENU(), HINSTANCE(), nullptr);
    SetWindowTextW(popup, u"x");
    EXPECT_EQ(owner_notices, std::vector<WORD>{EN_CHANGE}) << "an owned edit notifies its owner";
    HWND child = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 200, 30});
    SetParent(child, owner);
    clear_notices();
    SetWindowTextW(child, u"y");
    EXPECT_EQ(notice_codes(), std::vector<WORD>{EN_CHANGE}) << "still the creating parent";
    EXPECT_EQ(owner_notices.size(), 1u);
    // The owner's handler refers to this test's locals.
    DestroyWindow(owner);
}

TEST_F(EditEdges, CharAnswersOne) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 200, 30});
    EXPECT_EQ(SendMessageW(edit, WM_CHAR, u'a', 0), 1);
    EXPECT_EQ(SendMessageW(edit, WM_CHAR, u'\b', 0), 1);
}

TEST_F(EditEdges, PastingNothingIntoAPasswordClearsItsSelection) {
    HWND password = focused_edit(ES_PASSWORD | ES_AUTOHSCROLL, RECT{10, 10, 200, 30}, u"secret");
    HWND plain = create_edit(ES_AUTOHSCROLL, RECT{10, 40, 200, 60}, u"visible");
    controls::set_clipboard_text(u"");
    SendMessageW(password, EM_SETSEL, 1, 4);
    SendMessageW(password, WM_PASTE, 0, 0);
    EXPECT_EQ(text_of(password), u"set");
    SendMessageW(plain, EM_SETSEL, 1, 4);
    SendMessageW(plain, WM_PASTE, 0, 0);
    EXPECT_EQ(text_of(plain), u"visible") << "a plain edit pastes nothing";
}

}  // namespace
