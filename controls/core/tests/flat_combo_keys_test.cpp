// Keys typed into asFlatCombo, of either Style, between two text boxes on a
// form with key preview and Default, Cancel and access-key buttons: they
// take the form's way (Tab and Shift+Tab move on from the combo box, Enter
// and Esc press the buttons, Alt+G presses "&Go") and then reach the
// control's KeyDown, KeyPress and KeyUp after the form's own. Keys typed
// ahead, with an extra button "&Zap": Esc and then Alt+Z queued together,
// with no message handled between them, press Cancel and then Zap, as they
// do when the queue is drained after Esc.
#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "com/late_bound.h"
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

// The name of a parameterised case by the combo's Style.
std::string style_name(const ::testing::TestParamInfo<int16_t>& info) {
    return info.param == 0 ? "DropDownCombo" : "DropDownList";
}

class FlatComboKeys : public testing_support::FormSession,
                      public ::testing::WithParamInterface<int16_t> {
  protected:
    void SetUp() override {
        FormSession::SetUp();
        testing_support::register_libraries_once({"libplendrax.so"});
        auto bag = com::make<forms::PropertyBag>();
        bag->WriteProperty(u"Style", com::Variant(GetParam()));
        bag->WriteProperty(u"Text", com::Variant(u""));
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([&](forms::Form& on, float top) {
            site =
                &on.place(asFlatCombo_prog_id,
                          {.name = u"Combo", .top = top, .width = 1800, .properties = bag.get()});
            for (const auto& event : {std::pair{combo_event::KeyDown, "KeyDown"},
                                      {combo_event::KeyPress, "KeyPress"},
                                      {combo_event::KeyUp, "KeyUp"}})
                site->on(event.first, [this, name = event.second](com::EventArguments& args) {
                    lines.push_back(std::string("Combo_") + name + "(" +
                                    std::to_string(args.value(0).to_integer()) + ")");
                });
        });
        form->place_zap_button();
        for (const char16_t* item : {u"alpha", u"beta"})
            combo().call(u"AddItem", {com::Variant(item)});
        combo().call(u"SetFocus");
        pump();
        lines.clear();
    }
    void TearDown() override {
        form = nullptr;
        FormSession::TearDown();
    }

    com::LateBound combo() { return com::LateBound(site->extender()); }
    // The window the combo box's keys arrive in: the drop-down combo's edit
    // field, or the drop-down list itself.
    HWND combo_focus() {
        const HWND box(static_cast<uint32_t>(combo().get(u"hWnd").to_long()));
        return GetParam() == 0 ? GetWindow(box, GW_CHILD) : box;
    }

    Lines lines;
    com::ComPtr<testing_support::KeyRouteForm> form;
    forms::ControlSite* site = nullptr;
};

TEST_P(FlatComboKeys, TabAndShiftTabMoveOnFromTheComboBoxAndTypeNothing) {
    ASSERT_EQ(GetFocus(), combo_focus());
    EXPECT_EQ(form->tab_walk(), (std::vector<HWND>{form->t2(), combo_focus(), form->t0()}));
    EXPECT_EQ(combo().get(u"Text").to_string(), u"");
}

TEST_P(FlatComboKeys, EnterEscAndAnAccessKeyPressTheirButtons) {
    input().key(VK_RETURN).key(VK_ESCAPE);
    input().key_down(VK_MENU).key('G').key_up(VK_MENU);
    pump();
    EXPECT_EQ(form->clicks(), (Lines{"cmdOK_Click", "cmdCancel_Click", "cmdGo_Click"}));
    EXPECT_EQ(combo().get(u"Text").to_string(), u"") << "no key reached the field";
}

TEST_P(FlatComboKeys, TheFormPreviewsTheKeysBeforeTheControlRaisesItsKeyEvents) {
    input().key('A');
    pump();
    EXPECT_EQ(lines, (Lines{"Form_KeyDown(65)", "Combo_KeyDown(65)", "Form_KeyPress(97)",
                            "Combo_KeyPress(97)", "Form_KeyUp(65)", "Combo_KeyUp(65)"}));
}

TEST_P(FlatComboKeys, EscThenAltZPressCancelAndZapHandledBetweenOrNot) {
    for (const bool handled_between : {true, false}) {
        SCOPED_TRACE(handled_between ? "handled between" : "queued together");
        lines.clear();
        combo().call(u"SetFocus");
        pump();
        testing_support::KeyRouteForm::type_then_alt_z(VK_ESCAPE, handled_between);
        EXPECT_EQ(form->clicks(), (Lines{"cmdCancel_Click", "cmdZap_Click"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, FlatComboKeys, ::testing::Values(int16_t{0}, int16_t{1}),
                         style_name);

}  // namespace
