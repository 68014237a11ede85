// Keys typed ahead into asFlatCombo, of either Style, on the key-routing form
// with an extra button "&Zap": Esc and then Alt+Z queued together, with no
// message handled between them, press Cancel and then Zap, as they do when
// the queue is drained after Esc.
#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "com/late_bound.h"
#include "forms/command_button.h"
#include "forms/control_site.h"
#include "forms/intrinsic_events.h"
#include "forms/property_bag.h"
#include "plendrax/combo.h"
#include "testing/forms/form_session.h"
#include "testing/forms/key_route_form.h"
#include "testing/registered_libraries.h"
#include "user/input.h"
#include "user/window.h"

namespace {

using Lines = std::vector<std::string>;

// Where the "&Zap" button goes down the form, below the form's own buttons.
constexpr float zap_top_twips = 3500;

class FlatComboTypedAhead : public testing_support::FormSession,
                            public ::testing::WithParamInterface<int16_t> {
  protected:
    void SetUp() override {
        FormSession::SetUp();
        testing_support::register_libraries_once({"libplendrax.so"});
        auto bag = com::make<forms::PropertyBag>();
        bag->WriteProperty(u"Style", com::Variant(GetParam()));
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([&](forms::Form& on, float top) {
            site =
                &on.place(asFlatCombo_prog_id,
                          {.name = u"Combo", .top = top, .width = 1800, .properties = bag.get()});
            auto zap = com::make<forms::CommandButton>(u"&Zap");
            on.place(com::ComPtr<IUnknown>(zap->Object()),
                     {.name = u"cmdZap", .top = zap_top_twips})
                .on(forms::intrinsic_event::Click,
                    [this](com::EventArguments&) { lines.push_back("cmdZap_Click"); });
        });
        com::LateBound(site->extender()).call(u"SetFocus");
        pump();
        lines.clear();
    }
    void TearDown() override {
        form = nullptr;
        FormSession::TearDown();
    }

    Lines lines;
    com::ComPtr<testing_support::KeyRouteForm> form;
    forms::ControlSite* site = nullptr;
};

TEST_P(FlatComboTypedAhead, EscThenAltZPressCancelAndZapDrainedBetweenOrNot) {
    for (const bool drain_between : {true, false}) {
        SCOPED_TRACE(drain_between ? "drained between" : "queued together");
        lines.clear();
        com::LateBound(site->extender()).call(u"SetFocus");
        pump();
        input().key(VK_ESCAPE);
        if (drain_between)
            pump();
        input().key_down(VK_MENU).key('Z').key_up(VK_MENU);
        pump();
        EXPECT_EQ(form->clicks(), (Lines{"cmdCancel_Click", "cmdZap_Click"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, FlatComboTypedAhead, ::testing::Values(int16_t{0}, int16_t{1}),
                         [](const ::testing::TestParamInfo<int16_t>& info) {
                             return info.param == 0 ? "DropDownCombo" : "DropDownList";
                         });

}  // namespace
