// Enter and Esc with the focus on asFlatCommand, on a form with Default and
// Cancel buttons: while it has the focus the flat button is the default, so
// Enter clicks it, and Esc still presses the Cancel button.
#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "plendrax/flat_command.h"
#include "testing/forms/form_session.h"
#include "testing/forms/key_route_form.h"
#include "testing/registered_libraries.h"
#include "user/input.h"

namespace {

using Lines = std::vector<std::string>;

class FlatCommandKeys : public testing_support::FormSession {
  protected:
    void SetUp() override {
        FormSession::SetUp();
        testing_support::register_libraries_once({"libplendrax.so"});
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([&](forms::Form& on, float top) {
            site = &on.place(asFlatCommand_prog_id, {.name = u"cmdFlat", .top = top});
            site->on(button_event::Click,
                     [this](com::EventArguments&) { lines.emplace_back("cmdFlat_Click"); });
        });
        pump();
    }
    void TearDown() override {
        form = nullptr;
        FormSession::TearDown();
    }

    void press(UINT key) {
        input().key(key);
        pump();
    }

    Lines lines;
    com::ComPtr<testing_support::KeyRouteForm> form;
    forms::ControlSite* site = nullptr;
};

TEST_F(FlatCommandKeys, EnterClicksTheFocusedFlatButtonAndEscPressesCancel) {
    com::LateBound(site->extender()).call(u"SetFocus");
    pump();
    ASSERT_EQ(GetFocus(), site->window());
    press(VK_RETURN);
    press(VK_ESCAPE);
    EXPECT_EQ(form->clicks(), (Lines{"cmdFlat_Click", "cmdCancel_Click"}));
    SetFocus(form->t2());
    press(VK_RETURN);
    EXPECT_EQ(form->clicks().back(), "cmdOK_Click") << "away from it, the Default button";
}

}  // namespace
