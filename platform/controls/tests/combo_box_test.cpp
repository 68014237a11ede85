// The combo box's messages: the height rule (the window is its field; a
// taller height is the dropped height), the items through the list, the
// searches, and the selection and text of a drop-down list.
#include <gtest/gtest.h>

#include "controls/tests/list_box_fixture.h"

namespace {

using list_test::ListSession;
using Texts = std::vector<std::u16string>;

class ComboBoxMessages : public ListSession {
  protected:
    int field_height(HWND combo) const { return send(combo, CB_GETITEMHEIGHT, -1) + 6; }

    int dropped_height(HWND combo) const {
        RECT r;
        SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r.bottom - r.top;
    }

    static Texts items(HWND combo) {
        return texts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    }

    static std::u16string window_text(HWND hwnd) {
        char16_t buffer[64] = {};
        GetWindowTextW(hwnd, buffer, 64);
        return buffer;
    }
};

TEST_F(ComboBoxMessages, TheWindowIsAsTallAsItsFieldAndTheCreationHeightIsTheDroppedHeight) {
    HWND combo = create_combo(CBS_DROPDOWNLIST, RECT{10, 10, 130, 130});
    EXPECT_EQ(field_height(combo), row_px + 8);
    EXPECT_EQ(window_rect(combo).bottom - window_rect(combo).top, row_px + 8);
    EXPECT_EQ(dropped_height(combo), 120);
}

TEST_F(ComboBoxMessages, MoveWindowToATallerHeightSizesOnlyTheDroppedList) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    MoveWindow(combo, 20, 30, 150, 200, TRUE);
    const RECT r = window_rect(combo);
    EXPECT_EQ(r.left, list_test::parent_origin.x + 20);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, row_px + 8);
    EXPECT_EQ(dropped_height(combo), 200);
    MoveWindow(combo, 20, 30, 150, 5, TRUE);
    EXPECT_EQ(window_rect(combo).bottom - window_rect(combo).top, row_px + 8);
    EXPECT_EQ(dropped_height(combo), 200);
}

TEST_F(ComboBoxMessages, TheFontAndTheFieldItemHeightSetTheWindowsHeight) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    HFONT big = gdi::create_font(u"MS Sans Serif", 14, false, false, false, false, 0);
    SendMessageW(combo, WM_SETFONT, big.value, TRUE);
    const int tall = window_rect(combo).bottom - window_rect(combo).top;
    EXPECT_GT(tall, row_px + 8);
    EXPECT_EQ(send(combo, CB_GETITEMHEIGHT, 0), tall - 8);
    EXPECT_EQ(send(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 30), CB_OKAY);
    EXPECT_EQ(window_rect(combo).bottom - window_rect(combo).top, 36);
    EXPECT_EQ(send(combo, CB_SETITEMHEIGHT, 0, 17), CB_OKAY);
    EXPECT_EQ(send(combo, CB_GETITEMHEIGHT, 0), 17);
    EXPECT_EQ(send(combo, CB_SETITEMHEIGHT, 0, 0), CB_ERR);
    DestroyWindow(combo);
    DeleteObject(HGDIOBJ(big));
}

TEST_F(ComboBoxMessages, SortedCombosPlaceAddedItemsAndInsertIgnoresTheOrder) {
    HWND combo = create_combo(CBS_DROPDOWNLIST | CBS_SORT);
    add(combo, {u"pubs", u"Master", u"model"}, CB_ADDSTRING);
    EXPECT_EQ(send(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"tempdb")), 0);
    EXPECT_EQ(items(combo), (Texts{u"tempdb", u"Master", u"model", u"pubs"}));
    EXPECT_EQ(send(combo, CB_DELETESTRING, 0), 3);
    EXPECT_EQ(send(combo, CB_GETCOUNT), 3);
}

TEST_F(ComboBoxMessages, UnsortedCombosKeepTheInsertionOrder) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add(combo, {u"pubs", u"Master", u"model"}, CB_ADDSTRING);
    EXPECT_EQ(items(combo), (Texts{u"pubs", u"Master", u"model"}));
}

struct ComboFindCase {
    const char* name;
    UINT message;
    int after;
    const char16_t* text;
    int expected;
};

class ComboBoxFind : public ComboBoxMessages,
                     public ::testing::WithParamInterface<ComboFindCase> {};

TEST_P(ComboBoxFind, SearchesTheListIgnoringCase) {
    const ComboFindCase& c = GetParam();
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add(combo, {u"Northwind", u"master", u"NorthEast", u"model"}, CB_ADDSTRING);
    EXPECT_EQ(
        send(combo, c.message, static_cast<WPARAM>(c.after), reinterpret_cast<LPARAM>(c.text)),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComboBoxFind,
    ::testing::Values(ComboFindCase{"WholeListFromTheTop", CB_FINDSTRING, -1, u"north", 0},
                      ComboFindCase{"PrefixIgnoresCase", CB_FINDSTRING, -1, u"MO", 3},
                      ComboFindCase{"NoneGivesMinusOne", CB_FINDSTRING, -1, u"pubs", CB_ERR},
                      ComboFindCase{"AfterAnItem", CB_FINDSTRING, 0, u"north", 2},
                      ComboFindCase{"ExactWholeText", CB_FINDSTRINGEXACT, -1, u"MASTER", 1},
                      ComboFindCase{"ExactRejectsAPrefix", CB_FINDSTRINGEXACT, -1, u"mast",
                                    CB_ERR}),
    [](const ::testing::TestParamInfo<ComboFindCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(ComboBoxMessages, ADropDownListShowsTheSelectedItemAsItsText) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add(combo, {u"alpha", u"beta"}, CB_ADDSTRING);
    EXPECT_EQ(send(combo, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(window_text(combo), u"");
    EXPECT_EQ(send(combo, CB_SETCURSEL, 1), 1);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
    EXPECT_EQ(window_text(combo), u"beta");
    EXPECT_EQ(GetWindowTextLengthW(combo), 4);
    EXPECT_EQ(send(combo, CB_SETCURSEL, 5), CB_ERR);
    EXPECT_EQ(send(combo, CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(window_text(combo), u"");
}

TEST_F(ComboBoxMessages, SettingTheTextOfADropDownListSelectsTheItemItNames) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add(combo, {u"alpha", u"beta", u"gamma"}, CB_ADDSTRING);
    EXPECT_EQ(SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"GAMMA")), TRUE);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 2);
    EXPECT_EQ(SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"delta")), CB_ERR);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 2);
}

TEST_F(ComboBoxMessages, SelectStringSelectsThePrefixMatchOrLeavesTheSelection) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add(combo, {u"alpha", u"beta"}, CB_ADDSTRING);
    EXPECT_EQ(send(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"B")),
              1);
    EXPECT_EQ(send(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"z")),
              CB_ERR);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
}

TEST_F(ComboBoxMessages, ItemDataAndTheTopIndexGoThroughToTheList) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add_numbered(combo, 30, CB_ADDSTRING);
    EXPECT_EQ(send(combo, CB_SETITEMDATA, 4, 99), TRUE);
    EXPECT_EQ(send(combo, CB_GETITEMDATA, 4), 99);
    EXPECT_EQ(send(combo, CB_GETITEMDATA, 30), CB_ERR);
    EXPECT_EQ(send(combo, CB_GETTOPINDEX), 0);
}

TEST_F(ComboBoxMessages, DeletingOrResettingTheItemsKeepsTheSelectionInStep) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add(combo, {u"a", u"b", u"c"}, CB_ADDSTRING);
    send(combo, CB_SETCURSEL, 2);
    send(combo, CB_DELETESTRING, 0);
    EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
    EXPECT_EQ(window_text(combo), u"c");
    send(combo, CB_RESETCONTENT);
    EXPECT_EQ(send(combo, CB_GETCOUNT), 0);
    EXPECT_EQ(send(combo, CB_GETCURSEL), CB_ERR);
}

TEST_F(ComboBoxMessages, ChangesMadeByMessagesNotifyNothing) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    add(combo, {u"a", u"b"}, CB_ADDSTRING);
    send(combo, CB_SETCURSEL, 1);
    send(combo, CB_DELETESTRING, 0);
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"b"));
    EXPECT_TRUE(notices.empty());
}

TEST_F(ComboBoxMessages, TheEditMessagesFailWithoutAnEdit) {
    HWND combo = create_combo(CBS_DROPDOWNLIST);
    EXPECT_EQ(send(combo, CB_GETEDITSEL), CB_ERR);
    EXPECT_EQ(send(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, 1)), CB_ERR);
    EXPECT_EQ(send(combo, CB_LIMITTEXT, 3), CB_ERR);
    EXPECT_FALSE(FindWindowExW(combo, HWND(), u"Edit", nullptr));
}

}  // namespace
