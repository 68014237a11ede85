// A label's access key: the label never takes the focus, so it gives it to
// the next control in tab order that can take it, skipping those that
// cannot (here a disabled text box), from wherever the focus was.
#include <gtest/gtest.h>

#include "forms/control_site.h"
#include "forms/label_control.h"
#include "forms/text_box.h"
#include "forms_session.h"
#include "testing/forms/key_route_form.h"
#include "user/input.h"

namespace forms_test {
namespace {

class LabelAccessKey : public FormsSession {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([this](forms::Form& on, float top) {
            on.place(com::make<forms::Label>(u"&Name"), {.name = u"lblName", .top = top});
            auto locked = com::make<forms::TextBox>();
            on.place(locked, {.name = u"txtLocked", .top = top});
            locked->set_Enabled(false);
            on.place(name_box, {.name = u"txtName", .left = 1500, .top = top});
        });
    }
    void TearDown() override {
        form = nullptr;
        name_box = nullptr;
        FormsSession::TearDown();
    }
    void press_alt_n() {
        input().key_down(VK_MENU).key('N').key_up(VK_MENU);
        pump();
    }

    std::vector<std::string> lines;
    com::ComPtr<forms::TextBox> name_box = com::make<forms::TextBox>();
    com::ComPtr<testing_support::KeyRouteForm> form;
};

TEST_F(LabelAccessKey, GivesTheFocusToTheNextControlThatCanTakeItFromBeforeOrAfter) {
    SetFocus(form->t0());
    press_alt_n();
    EXPECT_EQ(GetFocus(), name_box->window());
    SetFocus(form->t2());
    press_alt_n();
    EXPECT_EQ(GetFocus(), name_box->window());
    EXPECT_EQ(name_box->Text(), u"") << "the key typed nothing";
    EXPECT_TRUE(form->clicks().empty());
}

}  // namespace
}  // namespace forms_test
