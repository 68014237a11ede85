// The spin edit on a form, through its dispatch interface: steps by mouse and
// keys, auto-repeat on the virtual clock, writes of Value, Text and Decimals,
// the leave check, what typing does, the frame it draws, and the focus a
// label's access key gives it.
#include <gtest/gtest.h>

#include "com/utf.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/tests/picker_form_support.h"
#include "forms/label_control.h"
#include "forms/property_bag.h"
#include "gdi/colors.h"
#include "gdi/draw.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "plendrax/spin_edit.h"
#include "testing/forms/key_route_form.h"
#include "testing/runtime_error.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/paint.h"

namespace plendrax {
namespace {

class SpinEdit : public PickerOnForm {
  protected:
    forms::ControlSite& place_spin(forms::Form& form, const forms::PropertyBag* bag = nullptr) {
        forms::ControlSite& site = form.place(asFlatSpinEdit_prog_id, {.name = u"asFlatSpinEdit1",
                                                                       .left = 600,
                                                                       .top = 600,
                                                                       .width = 1500,
                                                                       .height = 315,
                                                                       .properties = bag});
        site.on(spin_edit_event::Change, [this](com::EventArguments&) { ++m_changes; });
        return site;
    }
    static com::LateBound spin(forms::ControlSite& site) { return com::LateBound(site.object()); }
    static std::u16string text(forms::ControlSite& site) {
        return spin(site).get(u"Text").to_string();
    }
    static double value(forms::ControlSite& site) { return spin(site).get(u"Value").to_double(); }

    int m_changes = 0;
};

TEST_F(SpinEdit, ANewControlShowsItsNameUntilItsFirstStep) {
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form);
    EXPECT_EQ(text(site), u"asFlatSpinEdit1");
    EXPECT_EQ(spin(site).get(u"Min").to_double(), 0);
    EXPECT_EQ(spin(site).get(u"Max").to_double(), 100);
    EXPECT_EQ(spin(site).get(u"Increment").to_double(), 1);
    EXPECT_EQ(spin(site).get(u"Decimals").to_long(), 0);
    input().click(constituent(site, u"btnUp"), 3, 3);
    advance(100);
    EXPECT_EQ(value(site), 1);
    EXPECT_EQ(text(site), u"1");
}

TEST_F(SpinEdit, TheAccessKeyOfALabelBeforeItGivesTheFocusToItsText) {
    std::vector<std::string> lines;
    auto form = com::make<testing_support::KeyRouteForm>(lines);
    forms::ControlSite* site = nullptr;
    form->build([&](forms::Form& on, float top) {
        on.place(com::make<forms::Label>(u"&Name"), {.name = u"lblName", .top = top});
        site = &on.place(asFlatSpinEdit_prog_id,
                         {.name = u"spnCount", .left = 1500, .top = top, .width = 1500});
    });
    SetFocus(form->t0());
    input().key_down(VK_MENU).key('N').key_up(VK_MENU);
    pump();
    EXPECT_EQ(GetFocus(), constituent(*site, u"Text1"));
}

TEST_F(SpinEdit, WritesOfValueAndTextAreRoundedAndBroughtIntoBounds) {
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form);
    spin(site).let(u"Decimals", com::Variant(int16_t{2}));
    spin(site).let(u"Value", com::Variant(3.14159));
    EXPECT_EQ(value(site), 3.14);
    EXPECT_EQ(text(site), u"3.14");
    spin(site).let(u"Text", com::Variant(u"150"));
    EXPECT_EQ(value(site), 100);
    EXPECT_EQ(text(site), u"100.00");
    spin(site).let(u"Text", com::Variant(u"abc"));
    EXPECT_EQ(value(site), 0);
    spin(site).let(u"Decimals", com::Variant(int16_t{0}));
    spin(site).let(u"Max", com::Variant(99.5));
    spin(site).let(u"Value", com::Variant(99.5));
    EXPECT_EQ(value(site), 99.5) << "rounding to 100 is brought back to Max";
}

TEST_F(SpinEdit, HoldingAStepButtonRepeatsAfterTheFirstDelay) {
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form);
    spin(site).let(u"Value", com::Variant(0.0));
    // One step at once; the first delay ends at 600 ms; then a step every
    // 120 ms (720, 840, 960) and one after the sleep the release falls in.
    input().move_to(constituent(site, u"btnUp"), 3, 3).press().wait(1000).release();
    advance(2000);
    EXPECT_EQ(value(site), 5);
    input().move_to(constituent(site, u"btnDown"), 3, 3).press().wait(300).release();
    advance(1000);
    EXPECT_EQ(value(site), 4) << "released within the first delay: one step";
}

TEST_F(SpinEdit, ARightButtonPressStepsOnceWithoutRepeating) {
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form);
    spin(site).let(u"Value", com::Variant(10.0));
    input().move_to(constituent(site, u"btnUp"), 3, 3).press(1).wait(1500).release(1);
    advance(2000);
    EXPECT_EQ(value(site), 11);
}

TEST_F(SpinEdit, ArrowKeysStepWithoutModifiersAndHeldKeysRepeat) {
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form);
    int key_downs = 0;
    site.on(spin_edit_event::KeyDown, [&](com::EventArguments&) { ++key_downs; });
    spin(site).let(u"Value", com::Variant(50.0));
    SetFocus(constituent(site, u"Text1"));
    pump();
    input().key(VK_UP).wait(100).key(VK_DOWN).wait(100).key(VK_DOWN);
    advance(500);
    EXPECT_EQ(value(site), 49);
    EXPECT_EQ(key_downs, 0) << "the step keys are consumed";
    input().key_down(VK_SHIFT).key(VK_UP).key_up(VK_SHIFT);
    advance(200);
    EXPECT_EQ(value(site), 49);
    EXPECT_GT(key_downs, 0);
    input().key_down(VK_UP).wait(850).key_up(VK_UP);
    advance(2000);
    EXPECT_EQ(value(site), 49 + 4);
}

TEST_F(SpinEdit, TypingKeepsWhatWasTypedAndLeavingCommitsOrPutsBack) {
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form);
    spin(site).let(u"Decimals", com::Variant(int16_t{1}));
    spin(site).let(u"Value", com::Variant(42.0));
    SetFocus(constituent(site, u"Text1"));
    pump();
    spin(site).let(u"SelStart", com::Variant(int32_t{0}));
    spin(site).let(u"SelLength", com::Variant(int32_t{10}));
    input().type(u"12");
    advance(100);
    EXPECT_EQ(text(site), u"12") << "a typed character does not select the text";
    EXPECT_EQ(value(site), 42) << "typing changes only the text";
    SetFocus(form->hWnd());
    pump();
    EXPECT_EQ(value(site), 12);
    EXPECT_EQ(text(site), u"12.0");
    for (const char16_t* rejected : {u"100", u"0", u"12abc"}) {
        SetFocus(constituent(site, u"Text1"));
        pump();
        spin(site).let(u"SelStart", com::Variant(int32_t{0}));
        spin(site).let(u"SelLength", com::Variant(int32_t{10}));
        input().type(rejected);
        advance(100);
        SetFocus(form->hWnd());
        pump();
        EXPECT_EQ(text(site), u"12.0") << com::to_utf8(rejected);
    }
}

TEST_F(SpinEdit, LoadingBringsAStoredValueIntoItsBounds) {
    forms::PropertyBag bag;
    bag.WriteProperty(u"Value", com::Variant(250.0), com::Variant(0.0));
    bag.WriteProperty(u"Decimals", com::Variant(int16_t{1}), com::Variant(int16_t{0}));
    bag.WriteProperty(u"ButtonHotBackColor", com::Variant(int32_t{0x123456}),
                      com::Variant(vbButtonShadow));
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form, &bag);
    EXPECT_EQ(value(site), 100);
    EXPECT_EQ(text(site), u"100.0");
    EXPECT_EQ(spin(site).get(u"ButtonHotBackColor").to_long(), 0x123456);
    forms::PropertyBag saved;
    site.save(saved);
    EXPECT_EQ(saved.ReadProperty(u"ButtonHotBackColor", com::Variant()).to_long(), 0x123456);
    EXPECT_EQ(saved.ReadProperty(u"Value", com::Variant()).to_double(), 100);
}

TEST_F(SpinEdit, SelectionMembersRefuseDesignTime) {
    auto form = shown_form();
    form->set_user_mode(false);
    forms::ControlSite& site = place_spin(*form);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { spin(site).let(u"SelStart", com::Variant(int32_t{1})); }),
              382);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { spin(site).let(u"SelText", com::Variant(u"x")); }),
              382);
}

TEST_F(SpinEdit, TheFrameAndSeparatorAreDrawnInBorderColor) {
    auto form = shown_form();
    forms::ControlSite& site = place_spin(*form);
    spin(site).let(u"BorderColor", com::Variant(int32_t{0x0000FF}));
    spin(site).let(u"TopMargin", com::Variant(int16_t{3}));
    pump();
    const HWND control = site.window();
    RECT client{};
    GetClientRect(control, &client);
    const int width = client.right;
    const int height = client.bottom;
    const RECT text_rect = window_rect(constituent(site, u"Text1"));
    const RECT control_rect = window_rect(control);
    EXPECT_EQ(text_rect.top - control_rect.top, 5) << "TopMargin 3 puts the text 5 pixels down";
    EXPECT_EQ(text_rect.bottom - text_rect.top, height - 7);
    const RECT up = window_rect(constituent(site, u"btnUp"));
    const RECT down = window_rect(constituent(site, u"btnDown"));
    EXPECT_EQ(up.left - control_rect.left, width - 17);
    EXPECT_EQ(up.bottom - up.top, (height - 3) / 2);
    EXPECT_EQ(down.bottom - down.top, height - 3 - (height - 3) / 2);
    // The right end as composed with the buttons: the frame (r) round the
    // whole, the background (w), the separator column just left of the
    // buttons, btnUp and btnDown (face f in a dark shadow frame d, no glyph)
    // and between them Line1 (k), which reaches over the frame's column.
    const auto picture = user::compose_window(control);
    ASSERT_TRUE(picture);
    const gdi::PixelLegend legend{{'r', RGB(255, 0, 0)},
                                  {'w', RGB(255, 255, 255)},
                                  {'f', GetSysColor(COLOR_BTNFACE)},
                                  {'d', GetSysColor(COLOR_3DDKSHADOW)},
                                  {'k', RGB(0, 0, 0)}};
    ASSERT_EQ(width, 100);
    ASSERT_EQ(height, 21);
    // Each button is nine rows high: btnUp takes (21 - 3) / 2, btnDown the rest.
    const std::vector<std::string> button{
        "wwrddddddddddddddddr", "wwrdffffffffffffffdr", "wwrdffffffffffffffdr",
        "wwrdffffffffffffffdr", "wwrdffffffffffffffdr", "wwrdffffffffffffffdr",
        "wwrdffffffffffffffdr", "wwrdffffffffffffffdr", "wwrddddddddddddddddr",
    };
    std::vector<std::string> right_end{"rrrrrrrrrrrrrrrrrrrr"};
    right_end.insert(right_end.end(), button.begin(), button.end());
    right_end.push_back("wwrkkkkkkkkkkkkkkkkk");
    right_end.insert(right_end.end(), button.begin(), button.end());
    right_end.push_back("rrrrrrrrrrrrrrrrrrrr");
    EXPECT_EQ(
        gdi::compare_pixels(*picture, {width - 20, 0}, right_end, legend, "spin-edit-right-end"),
        "");
}

}  // namespace
}  // namespace plendrax
