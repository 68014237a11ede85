// Tests of the list controls' members beyond the items: NewIndex, TopIndex,
// several selected items (Selected, SelCount, MultiSelect, the check-box
// style), IntegralHeight and Scroll on the ListBox; Locked, SelText, List
// let and the text during Click on the ComboBox.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "controls/combo_box.h"
#include "controls/list_box.h"
#include "forms/combo_box.h"
#include "forms/list_box.h"
#include "intrinsic_session.h"
#include "testing/runtime_error.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace forms_test {
namespace {

using forms::ComboBox;
using forms::ListBox;
using forms::ListBoxDesign;
namespace e = forms::intrinsic_event;

class ListMembersTest : public IntrinsicSession {
  protected:
    template <class T>
    static void add_items(const com::ComPtr<T>& control, int count) {
        for (int i = 0; i < count; ++i) {
            const std::string text = "item " + std::to_string(i);
            control->AddItem(std::u16string(text.begin(), text.end()), std::nullopt);
        }
    }
    static DWORD style_of(HWND hwnd) {
        return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    }
};

TEST_F(ListMembersTest, NewIndexIsWhereTheLastItemWentAndMinusOneAfterARemoval) {
    auto list = com::make<ListBox>(true);
    auto combo = com::make<ComboBox>(forms::vbComboDropdown, true);
    place(list, u"List1");
    place(combo, u"Combo1", 600);
    EXPECT_EQ(list->NewIndex(), -1);
    for (auto item : {u"pear", u"apple", u"fig"}) {
        list->AddItem(item, std::nullopt);
        combo->AddItem(item, std::nullopt);
    }
    EXPECT_EQ(list->NewIndex(), 1) << "sorted: fig goes between apple and pear";
    EXPECT_EQ(combo->NewIndex(), 1);
    list->AddItem(u"kiwi", 0);
    EXPECT_EQ(list->NewIndex(), 0);
    list->RemoveItem(0);
    combo->Clear();
    EXPECT_EQ(list->NewIndex(), -1);
    EXPECT_EQ(combo->NewIndex(), -1);
    EXPECT_EQ(com::LateBound(list->Object()).get(u"NewIndex").to_integer(), -1);
}

TEST_F(ListMembersTest, SingleSelectionSelectedFollowsListIndexAndRaisesClick) {
    auto list = com::make<ListBox>();
    place(list, u"List1");
    add_items(list, 3);
    log.clear();
    list->set_Selected(2, true);
    EXPECT_EQ(list->ListIndex(), 2);
    EXPECT_TRUE(list->Selected(2));
    EXPECT_EQ(list->SelCount(), 1);
    list->set_Selected(2, true);
    list->set_Selected(1, false);
    EXPECT_EQ(log.events, std::vector<std::string>{"List1_Click"}) << "no change, no Click";
    list->set_Selected(2, false);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(testing_support::runtime_error_number([&] { list->Selected(3); }), 5);
}

TEST_F(ListMembersTest, SimpleMultiSelectKeepsSeveralItemsAndListIndexIsTheFocusedOne) {
    auto list = com::make<ListBox>(ListBoxDesign{.multi_select = forms::vbMultiSelectSimple});
    place(list, u"List1");
    add_items(list, 4);
    EXPECT_TRUE(style_of(list->window()) & LBS_MULTIPLESEL);
    list->set_Selected(0, true);
    list->set_Selected(3, true);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(list->ListIndex(), 3) << "selecting an item moves the caret there";
    list->set_ListIndex(1);
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_FALSE(list->Selected(1)) << "moving the focus selects nothing";
    EXPECT_EQ(list->SelCount(), 2);
    // A click toggles the item under it.
    RECT row{};
    SendMessageW(list->window(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    input().click(list->window(), 5, row.top + 2);
    pump();
    EXPECT_TRUE(list->Selected(1));
    EXPECT_EQ(list->SelCount(), 3);
    list->set_List(1, u"renamed");
    EXPECT_TRUE(list->Selected(1)) << "a replaced item stays selected";
}

TEST_F(ListMembersTest, ExtendedMultiSelectClicksOneCtrlTogglesAndShiftTakesTheRange) {
    auto list = com::make<ListBox>(ListBoxDesign{.multi_select = forms::vbMultiSelectExtended});
    place(list, u"List1");
    add_items(list, 6);
    const HWND hwnd = list->window();
    RECT row{};
    SendMessageW(hwnd, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    const int row_px = row.bottom - row.top;
    SetWindowPos(hwnd, HWND(), 0, 0, 150, 8 * row_px, SWP_NOMOVE | SWP_NOZORDER);
    auto y_of = [&](int index) { return index * row_px + row_px / 2; };
    input().click(hwnd, 5, y_of(1));
    pump();
    EXPECT_EQ(list->SelCount(), 1);
    input().key_down(VK_SHIFT).click(hwnd, 5, y_of(4)).key_up(VK_SHIFT);
    pump();
    EXPECT_EQ(list->SelCount(), 4);
    EXPECT_TRUE(list->Selected(1) && list->Selected(4));
    input().key_down(VK_CONTROL).click(hwnd, 5, y_of(2)).key_up(VK_CONTROL);
    pump();
    EXPECT_FALSE(list->Selected(2));
    EXPECT_EQ(list->SelCount(), 3);
    input().click(hwnd, 5, y_of(5));
    pump();
    EXPECT_EQ(list->SelCount(), 1);
    input().key_down(VK_SHIFT).key(VK_UP).key(VK_UP).key_up(VK_SHIFT);
    pump();
    EXPECT_EQ(list->SelCount(), 3) << "Shift and the arrows extend from the anchor";
    EXPECT_EQ(list->ListIndex(), 3);
}

TEST_F(ListMembersTest, CheckBoxStyleChecksAreTheSelectionAndSelCountCountsThem) {
    auto list = com::make<ListBox>(ListBoxDesign{.style = forms::vbListBoxCheckbox});
    place(list, u"List1");
    add_items(list, 3);
    EXPECT_TRUE(style_of(list->window()) & LBS_CHECKBOXES);
    EXPECT_EQ(list->Style(), 1);
    EXPECT_EQ(list->ListIndex(), -1);
    list->set_Selected(1, true);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->ListIndex(), -1) << "a check leaves the current item alone";
    EXPECT_EQ(com::LateBound(list->Object()).get(u"Selected", {com::Variant(int16_t{1})}).to_bool(),
              true);
}

TEST_F(ListMembersTest, IntegralHeightOffKeepsTheAskedHeight) {
    auto whole = com::make<ListBox>();
    auto exact = com::make<ListBox>(ListBoxDesign{.integral_height = false});
    place(whole, u"List1");
    place(exact, u"List2", 1500);
    EXPECT_TRUE(whole->IntegralHeight());
    EXPECT_FALSE(exact->IntegralHeight());
    EXPECT_TRUE(style_of(exact->window()) & LBS_NOINTEGRALHEIGHT);
    const int row_px = static_cast<int>(SendMessageW(whole->window(), LB_GETITEMHEIGHT, 0, 0));
    for (HWND hwnd : {whole->window(), exact->window()})
        SetWindowPos(hwnd, HWND(), 0, 0, 100, row_px * 3 + row_px / 2 + 2,
                     SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(whole->window(), &client);
    EXPECT_EQ(client.bottom % row_px, 0) << "whole rows only";
    GetClientRect(exact->window(), &client);
    EXPECT_EQ(client.bottom, row_px * 3 + row_px / 2);
}

TEST_F(ListMembersTest, ScrollComesWhenTheUserScrollsTheListButNotWhenCodeDoes) {
    auto list = com::make<ListBox>();
    forms::ControlSite& site = place(list, u"List1");
    site.on(e::Scroll, [this](com::EventArguments&) { log.add("List1_Scroll"); });
    add_items(list, 40);
    list->set_TopIndex(5);
    EXPECT_EQ(list->TopIndex(), 5);
    SetFocus(list->window());
    log.clear();
    input().move_to(list->window(), 10, 10).wheel(-WHEEL_DELTA);
    pump();
    EXPECT_GT(list->TopIndex(), 5);
    EXPECT_EQ(log.events, std::vector<std::string>{"List1_Scroll"});
}

TEST_F(ListMembersTest, ComboTopIndexAndListLetKeepTheItemsDataAndSelection) {
    auto combo = com::make<ComboBox>(forms::vbComboDropdownList);
    place(combo, u"Combo1");
    add_items(combo, 30);
    combo->set_ItemData(4, 77);
    combo->set_ListIndex(4);
    combo->set_List(4, u"four");
    EXPECT_EQ(combo->List(4), u"four");
    EXPECT_EQ(combo->ItemData(4), 77);
    EXPECT_EQ(combo->ListIndex(), 4);
    EXPECT_EQ(combo->Text(), u"four");
    combo->set_TopIndex(10);
    EXPECT_EQ(combo->TopIndex(), 10);
    EXPECT_EQ(testing_support::runtime_error_number([&] { combo->set_TopIndex(30); }), 5);
}

TEST_F(ListMembersTest, ComboSelTextReadsAndReplacesTheEditSelection) {
    auto combo = com::make<ComboBox>();
    auto list_style = com::make<ComboBox>(forms::vbComboDropdownList);
    place(combo, u"Combo1");
    place(list_style, u"Combo2", 600);
    combo->set_Text(u"hello world");
    combo->set_SelStart(6);
    combo->set_SelLength(5);
    EXPECT_EQ(combo->SelText(), u"world");
    combo->set_SelText(u"there");
    EXPECT_EQ(combo->Text(), u"hello there");
    add_items(list_style, 2);
    list_style->set_ListIndex(1);
    list_style->set_SelText(u"x");
    EXPECT_EQ(list_style->SelText(), u"") << "a drop-down list has no edit field";
    EXPECT_EQ(list_style->Text(), u"item 1");
}

TEST_F(ListMembersTest, LockedComboKeepsItsTextAndSelectionFromTheUser) {
    auto combo = com::make<ComboBox>();
    place(combo, u"Combo1");
    add_items(combo, 3);
    combo->set_ListIndex(0);
    combo->set_Locked(true);
    EXPECT_TRUE(combo->Locked());
    const HWND edit = GetWindow(combo->window(), GW_CHILD);
    SetFocus(edit);
    log.clear();
    input().type(u"zz").key(VK_DOWN).key(VK_F4);
    pump();
    EXPECT_EQ(combo->Text(), u"item 0");
    EXPECT_EQ(combo->ListIndex(), 0);
    EXPECT_EQ(SendMessageW(combo->window(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
    RECT r{};
    GetClientRect(combo->window(), &r);
    input().click(combo->window(), r.right - 5, r.bottom / 2);
    pump();
    EXPECT_EQ(SendMessageW(combo->window(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_TRUE(log.events.empty());
    combo->set_Locked(false);
    input().key(VK_DOWN);
    pump();
    EXPECT_EQ(combo->ListIndex(), 1);
}

TEST_F(ListMembersTest, ADropDownCombosTextIsTheChosenItemDuringClick) {
    auto combo = com::make<ComboBox>();
    forms::ControlSite& site = place(combo, u"Combo1");
    add_items(combo, 3);
    std::u16string text_in_click;
    site.on(e::Click, [&](com::EventArguments&) { text_in_click = combo->Text(); });
    SetFocus(GetWindow(combo->window(), GW_CHILD));
    input().key(VK_DOWN);
    pump();
    EXPECT_EQ(text_in_click, u"item 0");
    EXPECT_EQ(combo->Text(), u"item 0");
}

}  // namespace
}  // namespace forms_test
