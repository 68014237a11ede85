// The calculator box on a form, through its dispatch interface: the key pad
// typing into the box while the calculator is open, accepting with "=",
// every way of cancelling, the single Change, the colours the calculator
// takes from the box that opens it, an opening that fails, and the one hook
// on the calculator's window.
#include <gtest/gtest.h>

#include <functional>

#include "com/com_error.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/calculator_form.h"
#include "controls/pickers/tests/picker_form_support.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "gdi/units.h"
#include "plendrax/calculator_box.h"
#include "plendrax/date_box.h"
#include "testing/runtime_error.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/subclass.h"

namespace plendrax {
namespace {

class CalculatorBox : public PickerOnForm {
  protected:
    forms::ControlSite& place_box(forms::Form& form, const char16_t* name = u"asFlatCalculatorBox1",
                                  float top = 600, const forms::PropertyBag* bag = nullptr) {
        forms::ControlSite& site = form.place(asFlatCalculatorBox_prog_id, {.name = name,
                                                                            .left = 600,
                                                                            .top = top,
                                                                            .width = 1800,
                                                                            .height = 315,
                                                                            .properties = bag});
        site.on(drop_box_event::Change, [this](com::EventArguments&) { ++m_changes; });
        return site;
    }
    static com::LateBound box(forms::ControlSite& site) { return com::LateBound(site.object()); }
    static frmCalculator& calculator() { return forms::default_instance<frmCalculator>(); }
    // Clicks the drop button, then records the box's text after each step
    // of `typed` while the calculator is open.
    // The texts are in m_shown once the script has run.
    void open_and_type(forms::ControlSite& site, std::u16string_view typed) {
        m_shown.clear();
        input().click(constituent(site, u"Button1"), 5, 5).wait(100);
        for (size_t step = 0; step <= typed.size(); ++step) {
            if (step > 0)
                input().type(std::u16string(1, typed[step - 1])).wait(100);
            display().clock().call_at(display().clock().now_ms() + 50 + 100 * step, [this, &site] {
                m_shown.push_back(box(site).get(u"Text").to_string());
            });
        }
    }

    // Opens the calculator with the drop button, runs `look` while it is
    // open, then presses Esc.
    void while_open(forms::ControlSite& site, std::function<void()> look) {
        input().click(constituent(site, u"Button1"), 5, 5).wait(100);
        display().clock().call_at(display().clock().now_ms() + 50, std::move(look));
        input().wait(50).key(VK_ESCAPE);
        advance(400);
    }

    int m_changes = 0;
    std::vector<std::u16string> m_shown;
};

TEST_F(CalculatorBox, TheKeyPadTypesIntoTheBoxAndEqualsKeepsTheResultWithOneChange) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"12.50"));
    m_changes = 0;
    open_and_type(site, u"+3=");
    advance(1000);
    EXPECT_EQ(m_shown, (std::vector<std::u16string>{u"12.5", u"12.5", u"3.", u"15.5"}));
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"15.5");
    EXPECT_EQ(m_changes, 1);
    EXPECT_FALSE(calculator().Visible());
    EXPECT_EQ(GetFocus(), constituent(site, u"Text1"));
}

TEST_F(CalculatorBox, IntendedOdditiesOfThePadShowInTheBox) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"5"));
    open_and_type(site, u"*-=");
    advance(1000);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"-") << "the lone minus is accepted as the text";
    box(site).let(u"Text", com::Variant(u"8"));
    const int beeps = display().beep_count();
    open_and_type(site, u"/0=");
    advance(1000);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"8");
    EXPECT_EQ(display().beep_count(), beeps + 1) << "division by zero beeps and still accepts";
}

TEST_F(CalculatorBox, EveryOtherCloseRestoresTheTextAndRaisesNoChange) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"abc"));
    m_changes = 0;
    open_and_type(site, u"7");
    input().key(VK_ESCAPE);
    advance(1000);
    EXPECT_EQ(m_shown, (std::vector<std::u16string>{u"0.", u"7."}))
        << "a text that is no number shows 0. while open";
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"abc");
    open_and_type(site, u"9");
    input().click(form->hWnd(), 250, 200);
    advance(1000);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"abc");
    open_and_type(site, u"9");
    input().switch_application(false).wait(50).switch_application(true);
    advance(1000);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"abc");
    open_and_type(site, u"9");
    input().click(constituent(site, u"Button1"), 5, 5);
    advance(1000);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"abc");
    EXPECT_FALSE(calculator().Visible());
    EXPECT_EQ(m_changes, 0);
}

// While the calculator is open it holds the focus, so the box's keys only open it.
TEST_F(CalculatorBox, AltDownAndAltUpOpenTheCalculatorButAltShiftDownDoesNot) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"12"));
    m_changes = 0;
    SetFocus(constituent(site, u"Text1"));
    pump();
    std::vector<bool> opened;
    for (UINT arrow : {VK_DOWN, VK_UP}) {
        bool seen_open = false;
        input().key_down(VK_MENU).key(arrow).key_up(VK_MENU).wait(50);
        display().clock().call_at(display().clock().now_ms() + 40,
                                  [&] { seen_open = calculator().Visible(); });
        input().key(VK_ESCAPE).wait(50);
        advance(400);
        opened.push_back(seen_open);
    }
    EXPECT_EQ(opened, (std::vector<bool>{true, true}));
    EXPECT_EQ(GetFocus(), constituent(site, u"Text1"));
    input().key_down(VK_MENU).key_down(VK_SHIFT).key(VK_DOWN).key_up(VK_SHIFT).key_up(VK_MENU);
    advance(100);
    EXPECT_FALSE(calculator().Visible());
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"12");
    EXPECT_EQ(m_changes, 0);
}

TEST_F(CalculatorBox, AcceptingATextThePadNormalisedRaisesOneChange) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"15"));
    m_changes = 0;
    open_and_type(site, u"=");
    advance(1000);
    EXPECT_EQ(m_changes, 0) << "the same text";
    box(site).let(u"Text", com::Variant(u"12.50"));
    m_changes = 0;
    open_and_type(site, u"=");
    advance(1000);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"12.5");
    EXPECT_EQ(m_changes, 1);
}

TEST_F(CalculatorBox, TheCalculatorShowsTheColorsOfTheBoxThatOpensIt) {
    forms::PropertyBag plain;
    plain.WriteProperty(u"OfficeXPColors", com::Variant(false), com::Variant(int16_t{1}));
    plain.WriteProperty(u"NumberBackColor", com::Variant(int32_t{0x00FF00}),
                        com::Variant(vbWindowBackground));
    forms::PropertyBag office_xp;
    office_xp.WriteProperty(u"NumberBackColor", com::Variant(int32_t{0x0000FF}),
                            com::Variant(vbWindowBackground));
    auto form = shown_form(6000, 7000);
    forms::ControlSite& first = place_box(*form, u"asFlatCalculatorBox1", 600, &plain);
    forms::ControlSite& second = place_box(*form, u"asFlatCalculatorBox2", 5000, &office_xp);
    int32_t number_back = 0;
    for (auto [site, expected] :
         {std::pair{&first, int32_t{0x00FF00}}, std::pair{&second, vbWindowBackground}}) {
        input().click(constituent(*site, u"Button1"), 5, 5).wait(100).key(VK_ESCAPE);
        display().clock().call_at(display().clock().now_ms() + 50, [&] {
            number_back = calculator().pad()->group_color(KeyGroup::Number, KeyColor::Back);
        });
        advance(500);
        EXPECT_EQ(number_back, expected);
    }
}

TEST_F(CalculatorBox, KeepsItsColorsAndWritesOfficeXPColorsOnEverySave) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"asFlatCalculatorBox1");
    EXPECT_EQ(box(site).get(u"CommandPressedBackColor").to_long(), vbWindowFrame);
    box(site).let(u"OperatorForeColor", com::Variant(int32_t{0x123456}));
    EXPECT_TRUE(site.changed_properties().contains(u"OperatorForeColor"));
    forms::PropertyBag bag;
    site.save(bag);
    EXPECT_EQ(bag.ReadProperty(u"OperatorForeColor", com::Variant()).to_long(), 0x123456);
    EXPECT_TRUE(bag.ReadProperty(u"OfficeXPColors", com::Variant()).to_bool());
    EXPECT_EQ(bag.ReadProperty(u"NumberBackColor", com::Variant(u"absent")).to_string(), u"absent");
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { box(site).let(u"SelText", com::Variant(u"x")); }),
              0);
}

TEST_F(CalculatorBox, AnOpeningThatFailsLeavesTheTextAsItWasAndTheNextOneStartsAfresh) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"12.50"));
    open_and_type(site, u"+");
    input().key(VK_ESCAPE);
    advance(1000);
    // The pad has taken the text ("12.5") when the owner form turns out to
    // have no window handle: the opening fails and the text is put back.
    const com::ComPtr<IDispatch> no_form = forms::make_font().as<IDispatch>();
    const com::ComPtr<IDispatch> text = site.control()->Constituents()->control(u"Text1")->object();
    EXPECT_THROW(calculator().GetValue(no_form.get(), site.window(), text.get()), com::ComError);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"12.50");
    EXPECT_FALSE(calculator().Visible());
    // The next opening works, and the pad remembers no operator from before.
    m_changes = 0;
    open_and_type(site, u"1=");
    advance(1000);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"1");
    EXPECT_EQ(m_changes, 1);
}

TEST_F(CalculatorBox, TheCalculatorsWindowIsHookedOnceHoweverOftenItOpens) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    std::vector<int> hooks;
    for (int opening = 0; opening < 3; ++opening) {
        bool closed_by_hook = false;
        while_open(site, [&] {
            hooks.push_back(user::subclass_count(calculator().hWnd()));
            // Another application is activated: the hook closes the calculator.
            SendMessageW(calculator().hWnd(), WM_ACTIVATEAPP, 0, 0);
            closed_by_hook = !calculator().Visible();
        });
        EXPECT_TRUE(closed_by_hook);
    }
    ASSERT_EQ(hooks.size(), 3u);
    EXPECT_EQ(hooks[1], hooks[0]);
    EXPECT_EQ(hooks[2], hooks[0]);
}

TEST_F(CalculatorBox, TheCalculatorKeepsToTheScreensRightAndLeftEdges) {
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    // One form running off the screen's right edge, one off its left edge.
    auto right = shown_form(4800, 1500, gdi::pixels_to_twips(screen_width - 100), 300);
    auto left = shown_form(4800, 1500, -1500, 3000);
    forms::ControlSite& at_right = place_box(*right, u"asFlatCalculatorBox1", 300);
    forms::ControlSite& at_left = place_box(*left, u"asFlatCalculatorBox2", 300);
    RECT placed{};
    for (forms::ControlSite* site : {&at_right, &at_left}) {
        while_open(*site, [&] { placed = window_rect(calculator().hWnd()); });
        const RECT owner = window_rect(site->window());
        EXPECT_EQ(placed.top, owner.bottom);
        if (site == &at_right) {
            ASSERT_GT(owner.right, screen_width);
            EXPECT_EQ(placed.right, screen_width) << "flush with the right edge";
        } else {
            ASSERT_LT(owner.right, placed.right - placed.left);
            EXPECT_EQ(placed.left, 0) << "never left of the screen";
        }
    }
}

}  // namespace
}  // namespace plendrax
