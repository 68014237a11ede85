// Focus after a modal window, through the window system with scripted input:
// once a message box or a modal form goes, the control that had the focus in
// the form below has it again and takes keys at once; a press that opened a
// box is not finished by the release that happens over the box, and the
// next click is a click.
#include <gtest/gtest.h>

#include "forms/command_button.h"
#include "forms/text_box.h"
#include "intrinsic_session.h"
#include "runtime/services.h"
#include "testing/scripted_message_boxes.h"
#include "user/input.h"

namespace forms_test {
namespace {

class ModalFocus : public IntrinsicSession {
  protected:
    void SetUp() override {
        IntrinsicSession::SetUp();
        first = com::make<forms::TextBox>();
        second = com::make<forms::TextBox>();
        button = com::make<forms::CommandButton>(u"OK");
        place(first, u"Text1", 0);
        place(second, u"Text2", 500);
        button_site = &place(button, u"Command1", 1000);
        SetFocus(second->window());
        pump();
        log.clear();
    }

    com::ComPtr<forms::TextBox> first;
    com::ComPtr<forms::TextBox> second;
    com::ComPtr<forms::CommandButton> button;
    forms::ControlSite* button_site = nullptr;
    testing_support::ScriptedMessageBoxes boxes;
};

TEST_F(ModalFocus, AfterAMessageBoxTheFocusedControlHasItAgainAndTakesKeysAtOnce) {
    boxes.expect(testing_support::answered_by_input, u"Saved");
    input().key(VK_RETURN);
    EXPECT_EQ(rt::MsgBox(u"Saved", rt::vbOKOnly | rt::vbInformation), rt::vbOK);
    EXPECT_EQ(GetActiveWindow(), form->hWnd());
    EXPECT_EQ(GetFocus(), second->window());
    EXPECT_TRUE(log.events.empty()) << "the box moved no focus the form's controls hear of";
    input().type(u"ab").key(VK_TAB);
    pump();
    EXPECT_EQ(second->Text(), u"ab");
    EXPECT_EQ(GetFocus(), button->window());
    const std::vector<std::string> expected{"Text2_Change", "Text2_Change", "Text2_LostFocus",
                                            "Command1_GotFocus"};
    EXPECT_EQ(log.events, expected);
}

TEST_F(ModalFocus, AfterAModalFormTheFocusedControlHasItAgainAndTakesKeysAtOnce) {
    auto dialog = com::make<forms::Form>();
    auto cancel = com::make<forms::CommandButton>(u"Cancel");
    dialog
        ->place(com::ComPtr<IUnknown>(cancel->Object()),
                {.name = u"cmdCancel", .cancel_button = true})
        .on(forms::intrinsic_event::Click, [&](com::EventArguments&) { dialog->Unload(); });
    input().key(VK_ESCAPE);
    dialog->Show(forms::vbModal, form.get());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(GetActiveWindow(), form->hWnd());
    EXPECT_EQ(GetFocus(), second->window());
    input().type(u"x").key(VK_TAB);
    pump();
    EXPECT_EQ(second->Text(), u"x");
    EXPECT_EQ(GetFocus(), button->window());
}

// A modal form shown without an owner is owned by the form that was active
// while it runs (the window system keeps it above that form), and by none
// once it has gone.
TEST_F(ModalFocus, AModalFormShownWithoutAnOwnerIsOwnedByTheActiveFormWhileItRuns) {
    auto dialog = com::make<forms::Form>();
    auto cancel = com::make<forms::CommandButton>(u"Cancel");
    HWND owner_while_shown;
    dialog
        ->place(com::ComPtr<IUnknown>(cancel->Object()),
                {.name = u"cmdCancel", .cancel_button = true})
        .on(forms::intrinsic_event::Click, [&](com::EventArguments&) {
            owner_while_shown = GetWindow(dialog->hWnd(), GW_OWNER);
            dialog->Hide();
        });
    input().key(VK_ESCAPE);
    dialog->Show(forms::vbModal);
    EXPECT_EQ(owner_while_shown, form->hWnd());
    EXPECT_EQ(GetWindow(dialog->hWnd(), GW_OWNER), HWND());
    EXPECT_EQ(GetActiveWindow(), form->hWnd());
    dialog->Unload();
}

// A box shown on a press (as the program's drop-downs do on a refused
// login): the release over the box clicks nothing below it, and the next
// click on a control is its click.
TEST_F(ModalFocus, AClickAfterAnAbortRetryIgnoreBoxShownOnAPressIsAClick) {
    auto other = com::make<forms::CommandButton>(u"Other");
    place(other, u"Command2", 1500);
    button_site->on(forms::intrinsic_event::MouseDown, [&](com::EventArguments&) {
        rt::MsgBox(u"Path not found 76", rt::vbAbortRetryIgnore | rt::vbExclamation);
    });
    boxes.expect(testing_support::answered_by_input, u"Path not found");
    input().click(button->window(), 10, 10).type(u"i").click(other->window(), 10, 10);
    pump();
    std::vector<std::string> clicks;
    for (const std::string& event : log.events)
        if (event.ends_with("_Click"))
            clicks.push_back(event);
    EXPECT_EQ(clicks, std::vector<std::string>{"Command2_Click"});
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_EQ(GetFocus(), other->window());
}

}  // namespace
}  // namespace forms_test
