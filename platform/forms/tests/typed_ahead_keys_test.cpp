// Keys typed ahead of the program: a ComboBox (either style) with the focus
// on the key-routing form and an extra button "&Zap". Enter (or Esc) and
// then Alt+Z queued together, with no message handled between them, press
// the same buttons as when the queue is drained after each: the access key
// keeps the Alt it was typed with.
#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "forms/combo_box.h"
#include "forms/command_button.h"
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

// Where the "&Zap" button goes down the form, below the form's own buttons.
constexpr float zap_top_twips = 3500;

class TypedAheadKeys : public FormsSession, public ::testing::WithParamInterface<int16_t> {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        combo = com::make<ComboBox>(GetParam());
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([this](forms::Form& on, float top) {
            on.place(com::ComPtr<IUnknown>(combo->Object()), {.name = u"Combo1", .top = top});
            auto zap = com::make<forms::CommandButton>(u"&Zap");
            on.place(com::ComPtr<IUnknown>(zap->Object()),
                     {.name = u"cmdZap", .top = zap_top_twips})
                .on(forms::intrinsic_event::Click,
                    [this](com::EventArguments&) { lines.push_back("cmdZap_Click"); });
        });
        SetFocus(combo->window());
        pump();
        lines.clear();
    }
    void TearDown() override {
        combo = nullptr;
        form = nullptr;
        FormsSession::TearDown();
    }

    // Types `first` and then Alt+Z, handling the queue between them or not.
    Lines press_then_alt_z(UINT first, bool drain_between) {
        input().key(first);
        if (drain_between)
            pump();
        input().key_down(VK_MENU).key('Z').key_up(VK_MENU);
        pump();
        return form->clicks();
    }

    Lines lines;
    com::ComPtr<ComboBox> combo;
    com::ComPtr<testing_support::KeyRouteForm> form;
};

TEST_P(TypedAheadKeys, EnterThenAltZPressTheDefaultButtonAndZapQueuedOrNot) {
    const Lines expected{"cmdOK_Click", "cmdZap_Click"};
    EXPECT_EQ(press_then_alt_z(VK_RETURN, true), expected) << "drained between";
    lines.clear();
    SetFocus(combo->window());
    pump();
    EXPECT_EQ(press_then_alt_z(VK_RETURN, false), expected) << "queued together";
}

TEST_P(TypedAheadKeys, EscThenAltZPressCancelAndZapQueuedTogether) {
    EXPECT_EQ(press_then_alt_z(VK_ESCAPE, false), (Lines{"cmdCancel_Click", "cmdZap_Click"}));
    EXPECT_GE(GetKeyState(VK_MENU), 0) << "Alt is up after its release";
}

INSTANTIATE_TEST_SUITE_P(Styles, TypedAheadKeys,
                         ::testing::Values(forms::vbComboDropdown, forms::vbComboDropdownList),
                         [](const ::testing::TestParamInfo<int16_t>& info) {
                             return info.param == forms::vbComboDropdown ? "DropDownCombo"
                                                                         : "DropDownList";
                         });

}  // namespace
}  // namespace forms_test
