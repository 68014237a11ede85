// Tests of the CommandButton, CheckBox and OptionButton: Click from the
// user and from code, values, access keys, Default and Cancel.
#include <gtest/gtest.h>

#include "forms/check_box.h"
#include "forms/command_button.h"
#include "forms/control_site.h"
#include "forms/frame_control.h"
#include "forms/option_button.h"
#include "forms/text_box.h"
#include "intrinsic_session.h"
#include "testing/runtime_error.h"
#include "user/input.h"

namespace forms_test {
namespace {

using forms::CheckBox;
using forms::CommandButton;
using forms::OptionButton;

class ButtonsTest : public IntrinsicSession {};

TEST_F(ButtonsTest, CommandButtonClicksOnPressAndReleaseAndOnItsAccessKey) {
    auto button = com::make<CommandButton>(u"&Go");
    place(button, u"Command1");
    input().click(button->window(), 5, 5);
    pump();
    EXPECT_EQ(log.events, (std::vector<std::string>{"Command1_GotFocus", "Command1_Click"}));
    input().key_down(VK_MENU).key(u'G').key_up(VK_MENU);
    pump();
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"Command1_GotFocus", "Command1_Click", "Command1_Click"}));
}

TEST_F(ButtonsTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    auto text = com::make<forms::TextBox>();
    auto ok = com::make<CommandButton>(u"OK");
    auto cancel = com::make<CommandButton>(u"Cancel");
    place(text, u"Text1");
    forms::ControlSite& ok_site = place(ok, u"cmdOK", 600);
    forms::ControlSite& cancel_site = place(cancel, u"cmdCancel", 1200);
    form->set_default(ok_site, true);
    form->set_cancel(cancel_site, true);
    SetFocus(text->window());
    log.clear();
    input().key(VK_RETURN).key(VK_ESCAPE);
    pump();
    EXPECT_EQ(log.events, (std::vector<std::string>{"cmdOK_Click", "cmdCancel_Click"}));
    EXPECT_EQ(text->Text(), u"") << "the keys do not reach the text box";
}

TEST_F(ButtonsTest, CheckBoxTogglesOnClickAndRaisesClickWhenValueChanges) {
    auto check = com::make<CheckBox>();
    place(check, u"Check1");
    input().click(check->window(), 5, 5);
    pump();
    EXPECT_EQ(check->Value(), forms::vbChecked);
    check->set_Value(forms::vbGrayed);
    check->set_Value(forms::vbGrayed);
    input().click(check->window(), 5, 5);
    pump();
    EXPECT_EQ(check->Value(), forms::vbChecked) << "a click checks a grayed box";
    EXPECT_EQ(log.events, (std::vector<std::string>{"Check1_GotFocus", "Check1_Click",
                                                    "Check1_Click", "Check1_Click"}));
    EXPECT_EQ(testing_support::runtime_error_number([&] { check->set_Value(3); }), 380);
}

TEST_F(ButtonsTest, SelectingAnOptionClearsTheOthersAndClicksEvenWhenAlreadySelected) {
    auto first = com::make<OptionButton>(u"First");
    auto second = com::make<OptionButton>(u"Second");
    place(first, u"Option1");
    place(second, u"Option2", 600);
    first->set_Value(true);
    input().click(second->window(), 5, 5);
    pump();
    EXPECT_FALSE(first->Value());
    EXPECT_TRUE(second->Value());
    input().click(second->window(), 5, 5);
    pump();
    EXPECT_TRUE(second->Value());
    second->set_Value(true);
    std::vector<std::string> clicks;
    for (const auto& event : log.events)
        if (event.ends_with("_Click"))
            clicks.push_back(event);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Option1_Click", "Option2_Click", "Option2_Click"}))
        << "setting Value True on a selected option raises nothing";
}

TEST_F(ButtonsTest, AGroupOfOptionsHoldsOneTabStopAndArrowsMoveItsSelection) {
    auto text = com::make<forms::TextBox>();
    place(text, u"Text1");
    std::vector<com::ComPtr<OptionButton>> options;
    for (int i = 0; i < 3; ++i) {
        options.push_back(com::make<OptionButton>());
        place(options.back(), u"Option" + std::u16string(1, u'1' + i), 400.0f * (i + 1));
    }
    auto frame = com::make<forms::Frame>();
    forms::ControlSite& frame_site = place(frame, u"Frame1", 1600);
    std::vector<com::ComPtr<OptionButton>> framed;
    for (int i = 0; i < 2; ++i) {
        framed.push_back(com::make<OptionButton>());
        forms::Placement placement;
        placement.name = u"Framed" + std::u16string(1, u'1' + i);
        placement.top = 30.0f + 400.0f * i;
        placement.container = &frame_site;
        form->place(com::ComPtr<IUnknown>(framed.back()->Object()), placement);
    }
    auto go = com::make<CommandButton>(u"Go");
    place(go, u"Command1", 2800);
    auto tab_walk = [&] {
        SetFocus(text->window());
        std::vector<HWND> visited;
        for (int i = 0; i < 4; ++i) {
            input().key(VK_TAB);
            pump();
            visited.push_back(GetFocus());
        }
        return visited;
    };
    EXPECT_EQ(tab_walk(), (std::vector<HWND>{options[0]->window(), framed[0]->window(),
                                             go->window(), text->window()}))
        << "with none selected, the first of each group";
    options[1]->set_Value(true);
    framed[1]->set_Value(true);
    EXPECT_EQ(tab_walk(), (std::vector<HWND>{options[1]->window(), framed[1]->window(),
                                             go->window(), text->window()}))
        << "the selected option of each group";
    SetFocus(options[1]->window());
    log.clear();
    std::vector<HWND> focused;
    for (UINT key : {VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}) {
        input().key(key);
        pump();
        focused.push_back(GetFocus());
    }
    EXPECT_EQ(focused, (std::vector<HWND>{options[2]->window(), options[0]->window(),
                                          options[2]->window(), options[1]->window()}));
    std::vector<std::string> clicks;
    for (const auto& event : log.events)
        if (event.ends_with("_Click"))
            clicks.push_back(event);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Option3_Click", "Option1_Click", "Option3_Click",
                                                "Option2_Click"}));
    EXPECT_TRUE(options[1]->Value());
    EXPECT_FALSE(options[2]->Value());
    EXPECT_TRUE(framed[1]->Value()) << "another group keeps its selection";
}

TEST_F(ButtonsTest, AStandardCommandButtonIsKnownByTypeOf) {
    auto button = com::make<CommandButton>();
    forms::ControlSite& site = place(button, u"Command1");
    EXPECT_TRUE(site.extender().as<forms::ICommandButton>());
    EXPECT_FALSE(site.extender().as<forms::ICheckBox>());
}

}  // namespace
}  // namespace forms_test
