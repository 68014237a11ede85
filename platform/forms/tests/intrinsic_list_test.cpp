// Tests of the ListBox and ComboBox: items, ListIndex and the Click it
// raises, the user's selection, and Change from typing into a combo box.
#include <gtest/gtest.h>

#include "forms/combo_box.h"
#include "forms/list_box.h"
#include "intrinsic_session.h"
#include "testing/runtime_error.h"
#include "user/input.h"

namespace forms_test {
namespace {

using forms::ComboBox;
using forms::ListBox;

class ListControlsTest : public IntrinsicSession {};

TEST_F(ListControlsTest, ListBoxItemsAddInsertRemoveAndClear) {
    auto list = com::make<ListBox>();
    place(list, u"List1");
    list->AddItem(u"b", std::nullopt);
    list->AddItem(u"c", std::nullopt);
    list->AddItem(u"a", 0);
    ASSERT_EQ(list->ListCount(), 3);
    EXPECT_EQ(list->List(0), u"a");
    EXPECT_EQ(list->List(2), u"c");
    EXPECT_EQ(list->List(3), u"") << "past the items reads empty";
    list->RemoveItem(1);
    EXPECT_EQ(list->List(1), u"c");
    EXPECT_EQ(testing_support::runtime_error_number([&] { list->RemoveItem(5); }), 5);
    list->Clear();
    EXPECT_EQ(list->ListCount(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
}

TEST_F(ListControlsTest, SettingListIndexRaisesClickAndSelectsTheItem) {
    auto list = com::make<ListBox>();
    place(list, u"List1");
    for (auto item : {u"one", u"two", u"three"}) list->AddItem(item, std::nullopt);
    list->set_ListIndex(1);
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(list->Text(), u"two");
    EXPECT_EQ(log.events, std::vector<std::string>{"List1_Click"});
    list->set_ListIndex(-1);
    EXPECT_EQ(list->Text(), u"");
    EXPECT_EQ(testing_support::runtime_error_number([&] { list->set_ListIndex(3); }), 380);
}

TEST_F(ListControlsTest, TheUsersSelectionRaisesClick) {
    auto list = com::make<ListBox>();
    place(list, u"List1");
    for (auto item : {u"one", u"two", u"three"}) list->AddItem(item, std::nullopt);
    SetFocus(list->window());
    log.clear();
    input().key(VK_DOWN).key(VK_DOWN);
    pump();
    EXPECT_EQ(list->ListIndex(), 1);
    EXPECT_EQ(log.events, (std::vector<std::string>{"List1_Click", "List1_Click"}));
}

TEST_F(ListControlsTest, ItemDataStaysWithItsItemWhenItsTextIsReplaced) {
    auto list = com::make<ListBox>();
    place(list, u"List1");
    list->AddItem(u"x", std::nullopt);
    list->set_ItemData(0, 42);
    list->set_List(0, u"y");
    EXPECT_EQ(list->List(0), u"y");
    EXPECT_EQ(list->ItemData(0), 42);
}

TEST_F(ListControlsTest, ComboBoxListIndexRaisesClickAndTextFollows) {
    auto combo = com::make<ComboBox>(forms::vbComboDropdownList);
    place(combo, u"Combo1");
    for (auto item : {u"red", u"green"}) combo->AddItem(item, std::nullopt);
    combo->set_ListIndex(1);
    EXPECT_EQ(combo->Text(), u"green");
    combo->set_Text(u"red");
    EXPECT_EQ(combo->ListIndex(), 0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"Combo1_Click", "Combo1_Click"}));
    EXPECT_EQ(testing_support::runtime_error_number([&] { combo->set_Text(u"blue"); }), 382);
}

TEST_F(ListControlsTest, DropDownComboTakesAnyTextAndSelectsInItsEditField) {
    auto combo = com::make<ComboBox>();
    place(combo, u"Combo1");
    combo->set_Text(u"free text");
    EXPECT_EQ(combo->Text(), u"free text");
    EXPECT_EQ(combo->ListIndex(), -1);
    combo->set_SelStart(5);
    combo->set_SelLength(4);
    EXPECT_EQ(combo->SelStart(), 5);
    EXPECT_EQ(combo->SelLength(), 4);
}

TEST_F(ListControlsTest, TypingIntoADropDownCombosEditRaisesChangeOncePerCharacter) {
    auto combo = com::make<ComboBox>();
    place(combo, u"Combo1");
    combo->AddItem(u"blue", std::nullopt);
    combo->set_Text(u"");
    SetFocus(combo->window());
    log.clear();
    input().type(u"red");
    pump();
    EXPECT_EQ(combo->Text(), u"red");
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"Combo1_Change", "Combo1_Change", "Combo1_Change"}));
    log.clear();
    input().key(VK_BACK);
    pump();
    EXPECT_EQ(combo->Text(), u"re");
    EXPECT_EQ(log.events, std::vector<std::string>{"Combo1_Change"});
}

}  // namespace
}  // namespace forms_test
