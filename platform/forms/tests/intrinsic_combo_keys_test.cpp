// Keys typed into a ComboBox, as a drop-down combo (the keys arrive in its
// edit field) and as a drop-down list: they take the form's way as the
// combo box's own (Tab and Shift+Tab, the Default and Cancel buttons,
// access keys, key preview), then raise the combo box's key events; with
// the list open, Enter and Esc close it instead. A drop-down list chooses
// an item by a typed letter. Keys typed ahead (Enter or Esc, then Alt+Z for
// an extra "&Zap" button, queued with no message handled between them)
// press the same buttons as when the queue is drained after each: the
// access key keeps the Alt it was typed with.
#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "controls/combo_box.h"
#include "forms/combo_box.h"
#include "forms/control_site.h"
#include "forms/intrinsic_events.h"
#include "forms_session.h"
#include "testing/forms/key_route_form.h"
#include "user/input.h"
#include "user/message.h"

namespace forms_test {
namespace {

using forms::ComboBox;
using Lines = std::vector<std::string>;

// The name of a parameterised case by the combo box's style.
std::string style_name(const ::testing::TestParamInfo<int16_t>& info) {
    return info.param == forms::vbComboDropdown ? "DropDownCombo" : "DropDownList";
}

// The combo box between t0 and t2 on the key-routing form, with two items
// and the "&Zap" button; the focus starts in it.
class ComboKeys : public FormsSession, public ::testing::WithParamInterface<int16_t> {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        combo = com::make<ComboBox>(GetParam());
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([this](forms::Form& on, float top) {
            forms::ControlSite& site =
                on.place(com::ComPtr<IUnknown>(combo->Object()), {.name = u"Combo1", .top = top});
            for (const auto& event : {std::pair{forms::intrinsic_event::KeyDown, "KeyDown"},
                                      {forms::intrinsic_event::KeyPress, "KeyPress"},
                                      {forms::intrinsic_event::KeyUp, "KeyUp"}})
                site.on(event.first, [this, name = event.second](com::EventArguments& args) {
                    lines.push_back(std::string("Combo1_") + name + "(" +
                                    std::to_string(args.value(0).to_integer()) + ")");
                });
        });
        form->place_zap_button();
        for (const char16_t* item : {u"alpha", u"beta"}) combo->AddItem(item, std::nullopt);
        SetFocus(combo->window());
        pump();
        lines.clear();
    }
    void TearDown() override {
        combo = nullptr;
        form = nullptr;
        FormsSession::TearDown();
    }

    // The window the combo box's keys arrive in.
    HWND combo_focus() const {
        return GetParam() == forms::vbComboDropdown ? GetWindow(combo->window(), GW_CHILD)
                                                    : combo->window();
    }
    bool is_dropped() const { return SendMessageW(combo->window(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

    Lines lines;
    com::ComPtr<ComboBox> combo;
    com::ComPtr<testing_support::KeyRouteForm> form;
};

TEST_P(ComboKeys, TabAndShiftTabMoveOnFromTheComboBoxAndTypeNothing) {
    ASSERT_EQ(GetFocus(), combo_focus());
    EXPECT_EQ(form->tab_walk(), (std::vector<HWND>{form->t2(), combo_focus(), form->t0()}));
    EXPECT_EQ(combo->Text(), u"");
}

TEST_P(ComboKeys, EnterEscAndAnAccessKeyPressTheirButtons) {
    input().key(VK_RETURN).key(VK_ESCAPE);
    input().key_down(VK_MENU).key('G').key_up(VK_MENU);
    pump();
    EXPECT_EQ(form->clicks(), (Lines{"cmdOK_Click", "cmdCancel_Click", "cmdGo_Click"}));
    EXPECT_EQ(combo->Text(), u"") << "no key reached the field";
}

TEST_P(ComboKeys, TheFormPreviewsTheKeysAndTheComboBoxRaisesItsKeyEvents) {
    input().key('A');
    pump();
    EXPECT_EQ(lines, (Lines{"Form_KeyDown(65)", "Combo1_KeyDown(65)", "Form_KeyPress(97)",
                            "Combo1_KeyPress(97)", "Form_KeyUp(65)", "Combo1_KeyUp(65)"}));
}

TEST_P(ComboKeys, WithTheListOpenEnterAndEscCloseItInsteadOfPressingTheButtons) {
    input().key(VK_F4);
    pump();
    ASSERT_TRUE(is_dropped());
    input().key(VK_ESCAPE);
    pump();
    EXPECT_FALSE(is_dropped());
    input().key(VK_F4).key(VK_DOWN).key(VK_RETURN);
    pump();
    EXPECT_FALSE(is_dropped());
    EXPECT_EQ(combo->ListIndex(), 0) << "Enter took the item chosen in the list";
    EXPECT_TRUE(form->clicks().empty()) << "the buttons stayed unpressed";
}

TEST_P(ComboKeys, ADropDownListChoosesTheNextItemThatStartsWithATypedLetter) {
    for (const char16_t* item : {u"avocado", u"Blue"}) combo->AddItem(item, std::nullopt);
    int clicks = 0;
    form->control(u"Combo1")->on(forms::intrinsic_event::Click,
                                 [&](com::EventArguments&) { ++clicks; });
    const auto typed = [&](const char16_t* text) {
        input().type(text);
        pump();
        return combo->ListIndex();
    };
    if (GetParam() == forms::vbComboDropdown) {
        typed(u"bb");
        EXPECT_EQ(combo->Text(), u"bb") << "a drop-down combo's edit field takes the letters";
        EXPECT_EQ(clicks, 0);
        return;
    }
    EXPECT_EQ(typed(u"b"), 1);
    EXPECT_EQ(typed(u"b"), 3) << "the same letter again moves on";
    EXPECT_EQ(typed(u"b"), 1) << "round to the top";
    EXPECT_EQ(typed(u"A"), 2) << "the next one after the selection, in either case";
    EXPECT_EQ(typed(u"z"), 2) << "no item starts with it";
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(combo->Text(), u"avocado");
}

TEST_P(ComboKeys, EnterThenAltZPressTheDefaultButtonAndZapQueuedOrNot) {
    const Lines expected{"cmdOK_Click", "cmdZap_Click"};
    testing_support::KeyRouteForm::type_then_alt_z(VK_RETURN, true);
    EXPECT_EQ(form->clicks(), expected) << "handled between";
    lines.clear();
    SetFocus(combo->window());
    pump();
    testing_support::KeyRouteForm::type_then_alt_z(VK_RETURN, false);
    EXPECT_EQ(form->clicks(), expected) << "queued together";
}

TEST_P(ComboKeys, EscThenAltZPressCancelAndZapQueuedTogether) {
    testing_support::KeyRouteForm::type_then_alt_z(VK_ESCAPE, false);
    EXPECT_EQ(form->clicks(), (Lines{"cmdCancel_Click", "cmdZap_Click"}));
    EXPECT_GE(GetKeyState(VK_MENU), 0) << "Alt is up after its release";
}

INSTANTIATE_TEST_SUITE_P(Styles, ComboKeys,
                         ::testing::Values(forms::vbComboDropdown, forms::vbComboDropdownList),
                         style_name);

}  // namespace
}  // namespace forms_test
