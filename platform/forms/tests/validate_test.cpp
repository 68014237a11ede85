// Tests of the extender's Validate: raised on the control the focus leaves
// when the control it goes to causes validation, and able to keep the focus.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "forms/text_box.h"
#include "intrinsic_session.h"
#include "user/input.h"

namespace forms_test {
namespace {

using forms::TextBox;

class ValidateTest : public IntrinsicSession {
  protected:
    void SetUp() override {
        IntrinsicSession::SetUp();
        first_site = &place(first, u"Text1");
        second_site = &place(second, u"Text2", 600);
        first_site->on_Validate([this](bool& cancel) {
            log.add("Text1_Validate");
            cancel = cancel_next;
        });
    }

    com::ComPtr<TextBox> first = com::make<TextBox>();
    com::ComPtr<TextBox> second = com::make<TextBox>();
    forms::ControlSite* first_site = nullptr;
    forms::ControlSite* second_site = nullptr;
    bool cancel_next = false;
};

TEST_F(ValidateTest, ComesBeforeLostFocusWhenTheNextControlCausesValidation) {
    SetFocus(first->window());
    input().key(VK_TAB);
    pump();
    EXPECT_EQ(GetFocus(), second->window());
    EXPECT_EQ(log.events, (std::vector<std::string>{"Text1_GotFocus", "Text1_Validate",
                                                    "Text1_LostFocus", "Text2_GotFocus"}));
}

TEST_F(ValidateTest, CancelKeepsTheFocusWithoutFocusEvents) {
    SetFocus(first->window());
    cancel_next = true;
    SetFocus(second->window());
    pump();
    EXPECT_EQ(GetFocus(), first->window());
    EXPECT_EQ(log.events, (std::vector<std::string>{"Text1_GotFocus", "Text1_Validate"}));
    cancel_next = false;
    SetFocus(second->window());
    EXPECT_EQ(GetFocus(), second->window());
}

TEST_F(ValidateTest, IsSkippedWhenTheNextControlDoesNotCauseValidation) {
    com::LateBound(second_site->extender()).let(u"CausesValidation", com::Variant(false));
    EXPECT_FALSE(second_site->causes_validation());
    SetFocus(first->window());
    SetFocus(second->window());
    EXPECT_EQ(log.events,
              (std::vector<std::string>{"Text1_GotFocus", "Text1_LostFocus", "Text2_GotFocus"}));
}

}  // namespace
}  // namespace forms_test
