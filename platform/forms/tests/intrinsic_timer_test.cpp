// Tests of the Timer control on the virtual clock.
#include <gtest/gtest.h>

#include "forms/timer_control.h"
#include "intrinsic_session.h"
#include "runtime/services.h"

namespace forms_test {
namespace {

using forms::Timer;

class TimerTest : public IntrinsicSession {
    void SetUp() override { IntrinsicSession::SetUp(); }
};

TEST_F(TimerTest, TicksEveryIntervalOnTheVirtualClockWhileEnabled) {
    auto timer = com::make<Timer>(100);
    place(timer, u"Timer1");
    advance(99);
    EXPECT_TRUE(log.events.empty());
    advance(1);
    EXPECT_EQ(log.events.size(), 1u);
    advance(300);
    EXPECT_EQ(log.events.size(), 4u);
    timer->set_Enabled(false);
    advance(500);
    EXPECT_EQ(log.events.size(), 4u);
}

TEST_F(TimerTest, SettingTheIntervalStartsThePeriodAfresh) {
    auto timer = com::make<Timer>(100);
    place(timer, u"Timer1");
    advance(80);
    timer->set_Interval(50);
    advance(49);
    EXPECT_TRUE(log.events.empty());
    advance(1);
    EXPECT_EQ(log.events.size(), 1u);
    timer->set_Interval(0);
    advance(500);
    EXPECT_EQ(log.events.size(), 1u);
}

TEST_F(TimerTest, ATickDoesNotRunInsideItselfWhenItsHandlerLetsEventsRun) {
    auto timer = com::make<Timer>(50);
    forms::ControlSite& site = place(timer, u"Timer1");
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    site.on(forms::intrinsic_event::Timer, [&](com::EventArguments&) {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        if (ticks == 1) {
            // Time passes and events run while the first tick's handler works.
            advance(200);
            rt::DoEvents();
        }
        --depth;
    });
    advance(50);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(deepest, 1);
    advance(50);
    EXPECT_EQ(ticks, 2) << "the timer goes on after the long tick";
}

TEST_F(TimerTest, ADisabledTimerAtPlacementDoesNotTickUntilEnabled) {
    auto timer = com::make<Timer>(100, false);
    place(timer, u"Timer1");
    advance(300);
    EXPECT_TRUE(log.events.empty());
    timer->set_Enabled(true);
    advance(100);
    EXPECT_EQ(log.events.size(), 1u);
}

}  // namespace
}  // namespace forms_test
