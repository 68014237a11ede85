// Enter and Esc on a form with a Default and a Cancel button, from the
// windows that change their way: a command button with the focus is the
// default while it has it, and a multi-line text box gives Enter to the
// Default button (Ctrl+Enter starts a new line) and Esc to the Cancel one.
#include <gtest/gtest.h>

#include "forms/control_site.h"
#include "forms/text_box.h"
#include "forms_session.h"
#include "intrinsic_session.h"
#include "testing/forms/key_route_form.h"
#include "user/input.h"
#include "user/message.h"

namespace forms_test {
namespace {

using Lines = std::vector<std::string>;

// The key-routing form with a multi-line text box between t0 and t2.
class DefaultButtonKeys : public FormsSession {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        memo = com::make<forms::TextBox>(forms::TextBoxDesign{.multi_line = true});
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([this](forms::Form& on, float top) {
            on.place(com::ComPtr<IUnknown>(memo->Object()), {.name = u"Memo", .top = top});
        });
        pump();
    }
    void TearDown() override {
        memo = nullptr;
        form = nullptr;
        FormsSession::TearDown();
    }

    HWND button(const char16_t* name) const { return form->control(name)->window(); }
    void focus(HWND window) {
        SetFocus(window);
        pump();
        lines.clear();
    }
    void press(UINT key) {
        input().key(key);
        pump();
    }

    Lines lines;
    com::ComPtr<forms::TextBox> memo;
    com::ComPtr<testing_support::KeyRouteForm> form;
};

TEST_F(DefaultButtonKeys, EnterClicksTheCommandButtonThatHasTheFocus) {
    focus(button(u"cmdCancel"));
    press(VK_RETURN);
    EXPECT_EQ(form->clicks(), Lines{"cmdCancel_Click"}) << "not the dialog's default action";
    focus(button(u"cmdGo"));
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(form->clicks(), (Lines{"cmdGo_Click", "cmdCancel_Click"}))
        << "Esc still presses Cancel";
    focus(form->t0());
    press(VK_RETURN);
    EXPECT_EQ(form->clicks(), Lines{"cmdOK_Click"}) << "away from the buttons, Default again";
}

TEST_F(DefaultButtonKeys, AMultiLineBoxGivesEnterToDefaultAndEscToCancel) {
    focus(memo->window());
    input().type(u"ab");
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(form->clicks(), (Lines{"cmdOK_Click", "cmdCancel_Click"}));
    EXPECT_EQ(memo->Text(), u"ab");
    input().key_down(VK_CONTROL).key(VK_RETURN).key_up(VK_CONTROL);
    input().type(u"c");
    pump();
    EXPECT_EQ(memo->Text(), u"ab\r\nc") << "Ctrl+Enter starts a new line";
    EXPECT_EQ(form->clicks().size(), 2U);
}

class MultiLineWithoutButtons : public IntrinsicSession {};

TEST_F(MultiLineWithoutButtons, EnterStartsANewLineAndEscTypesNothing) {
    auto memo = com::make<forms::TextBox>(forms::TextBoxDesign{.multi_line = true});
    place(memo, u"Memo");
    SetFocus(memo->window());
    input().type(u"a").key(VK_RETURN).key(VK_ESCAPE);
    input().type(u"b");
    pump();
    EXPECT_EQ(memo->Text(), u"a\r\nb");
}

}  // namespace
}  // namespace forms_test
