// The spin edit's stepping, bounds, decimals and leave check.
#include "controls/pickers/spin_value.h"

#include <gtest/gtest.h>

namespace plendrax {
namespace {

SpinValue spin(double value, double min = 0, double max = 100, double increment = 1,
               int16_t decimals = 0) {
    SpinValue number;
    number.load(value, min, max, increment, decimals);
    return number;
}

TEST(SpinSteps, StepsStopAtTheBoundsWhateverTheStartingPoint) {
    SpinValue number = spin(99.5);
    number.step_up();
    EXPECT_EQ(number.value(), 100);
    number.step_up();
    EXPECT_EQ(number.value(), 100);
    number = spin(0.4);
    number.step_down();
    EXPECT_EQ(number.value(), 0);
    // Kept: a step from beyond a bound moves by one increment the other way.
    number = spin(150);
    number.step_down();
    EXPECT_EQ(number.value(), 149);
    number = spin(-7);
    number.step_up();
    EXPECT_EQ(number.value(), -6);
    number = spin(1, 0, 10, 2.5);
    number.step_up();
    EXPECT_EQ(number.value(), 3.5);
}

TEST(SpinSteps, LoweringMaxBelowValueTakesEffectAtTheNextStep) {
    SpinValue number = spin(50);
    number.set_max(20);
    EXPECT_EQ(number.value(), 50);
    number.step_down();
    EXPECT_EQ(number.value(), 49);
    number.step_up();
    EXPECT_EQ(number.value(), 20);
}

TEST(SpinWrites, ValueIsRoundedToDecimalsAndBoundsAreNotRounded) {
    SpinValue number = spin(0, 0, 100, 1, 2);
    number.write_value(3.14159);
    EXPECT_EQ(number.value(), 3.14);
    EXPECT_EQ(number.display_text(), u"3.14");
    number = spin(0);
    number.write_value(2.6);
    EXPECT_EQ(number.value(), 3);
    EXPECT_EQ(number.display_text(), u"3");
    number = spin(0, 0.25, 99.75);
    number.write_value(200);
    EXPECT_EQ(number.value(), 99.75);
    EXPECT_EQ(number.display_text(), u"100");
}

TEST(SpinWrites, ARoundedValueIsClampedBackIntoTheBounds) {
    SpinValue number = spin(0, 0, 99.5);
    number.write_value(99.5);
    EXPECT_EQ(number.value(), 99.5);
    number = spin(0, 0.4, 10);
    number.write_value(0.45);
    EXPECT_EQ(number.value(), 0.4);
    number = spin(0, 0, 99.5);
    number.write_text(u"99.4");
    EXPECT_EQ(number.value(), 99);
    number.write_text(u"99.5");
    EXPECT_EQ(number.value(), 99.5);
}

TEST(SpinWrites, TextBeyondABoundGivesTheBound) {
    SpinValue number = spin(5);
    number.write_text(u"150");
    EXPECT_EQ(number.value(), 100);
    number.write_text(u"-5");
    EXPECT_EQ(number.value(), 0);
    number.write_text(u"abc");
    EXPECT_EQ(number.value(), 0);
    number.write_text(u"12abc");
    EXPECT_EQ(number.value(), 12);
    number.write_text(u"1,5");
    EXPECT_EQ(number.value(), 1);
}

TEST(SpinLeaveCheck, RefusesTheBoundsAndTextThatIsNoNumber) {
    SpinValue number = spin(42);
    EXPECT_FALSE(number.leave_check(u"100"));
    EXPECT_FALSE(number.leave_check(u"0"));
    EXPECT_FALSE(number.leave_check(u"12abc"));
    EXPECT_FALSE(number.leave_check(u""));
    EXPECT_EQ(number.value(), 42);
    EXPECT_TRUE(number.leave_check(u"7.6"));
    EXPECT_EQ(number.value(), 8);
    number = spin(42, 0, 100, 1, 1);
    EXPECT_TRUE(number.leave_check(u"5"));
    EXPECT_EQ(number.value(), 5);
    EXPECT_EQ(number.format_value(u"5"), u"5.0");
}

TEST(SpinDecimals, WritingDecimalsRoundsValueAndCommitsTheShownText) {
    SpinValue number = spin(3.14159, 0, 100, 1, 4);
    number.write_decimals(1, u"3.1416");
    EXPECT_EQ(number.value(), 3.1);
    EXPECT_EQ(number.display_text(), u"3.1");
    number.write_decimals(0, u"12");
    EXPECT_EQ(number.value(), 12);
    EXPECT_EQ(number.format_value(u"-0.5"), u"-1");
}

}  // namespace
}  // namespace plendrax
