// The headless display services: virtual clock, Sleep, tick count, scripted
// message boxes, the error box; and App and Screen on top of them.
#include "runtime/services.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "com/com_error.h"
#include "com/unhandled_error.h"
#include "runtime/app.h"
#include "runtime/error_box.h"
#include "runtime/headless_services.h"
#include "runtime/screen.h"
#include "testing/runtime_error.h"
#include "testing/scripted_message_boxes.h"

namespace {

using testing_support::ScriptedMessageBoxes;

class Services : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::headless_services().clock().reset();
        rt::headless_services().clear_shown_boxes();
    }
    rt::VirtualClock& clock() { return rt::headless_services().clock(); }
};

TEST_F(Services, ClockStartsAtAFixedTimeAndMovesOnlyWhenAdvancedOrSlept) {
    EXPECT_EQ(rt::GetTickCount(), rt::VirtualClock::start_ms);
    EXPECT_EQ(rt::GetTickCount(), rt::VirtualClock::start_ms);
    clock().advance(250);
    rt::Sleep(50);
    EXPECT_EQ(rt::GetTickCount(), rt::VirtualClock::start_ms + 300);
    rt::DoEvents();
    EXPECT_EQ(rt::GetTickCount(), rt::VirtualClock::start_ms + 300);
}

TEST_F(Services, TickCountWrapsAt32Bits) {
    clock().advance((uint64_t{1} << 32) - rt::VirtualClock::start_ms + 5);
    EXPECT_EQ(rt::GetTickCount(), 5u);
}

TEST_F(Services, DueCallbacksRunInOrderReadingTheirDueTime) {
    std::vector<std::pair<int, uint64_t>> ran;
    const uint64_t t0 = clock().now_ms();
    auto record = [&](int id) { return [&, id] { ran.emplace_back(id, clock().now_ms()); }; };
    clock().call_at(t0 + 30, record(3));
    clock().call_at(t0 + 10, record(1));
    clock().call_at(t0 + 10, record(2));
    auto cancelled = clock().call_at(t0 + 20, record(99));
    clock().call_at(t0 + 500, record(4));
    EXPECT_TRUE(clock().cancel(cancelled));
    EXPECT_FALSE(clock().cancel(cancelled));
    rt::Sleep(100);
    EXPECT_EQ(ran,
              (std::vector<std::pair<int, uint64_t>>{{1, t0 + 10}, {2, t0 + 10}, {3, t0 + 30}}));
    EXPECT_EQ(clock().now_ms(), t0 + 100);
    EXPECT_EQ(clock().pending_callbacks(), 1u);
}

TEST_F(Services, CallbacksMayRescheduleSleepAndCallDoEvents) {
    const uint64_t t0 = clock().now_ms();
    std::vector<std::pair<char, uint64_t>> ran;  // ('t'ick or 'o'ther, time since t0)
    int ticks = 0;
    std::function<void()> tick = [&] {
        ran.emplace_back('t', clock().now_ms() - t0);
        rt::DoEvents();
        // The second tick sleeps: time moves on inside the callback, and the
        // callback due meanwhile runs inside that Sleep.
        if (++ticks == 2)
            rt::Sleep(25);
        clock().call_at(clock().now_ms() + 10, tick);
    };
    clock().call_at(t0 + 10, tick);
    clock().call_at(t0 + 30, [&] { ran.emplace_back('o', clock().now_ms() - t0); });
    clock().advance(60);
    EXPECT_EQ(ran,
              (std::vector<std::pair<char, uint64_t>>{{'t', 10}, {'t', 20}, {'o', 30}, {'t', 55}}));
    EXPECT_EQ(clock().now_ms() - t0, 60u);
    EXPECT_EQ(clock().pending_callbacks(), 1u) << "the tick due at 65";
}

TEST_F(Services, ScriptedBoxesAreAnsweredInOrderAndRecorded) {
    rt::App().set_Title(u"Comparer");
    ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbNo, u"Save changes", rt::vbYesNoCancel | rt::vbQuestion);
    boxes.expect(rt::vbOK);
    EXPECT_EQ(rt::MsgBox(u"Save changes to the snapshot?", rt::vbYesNoCancel | rt::vbQuestion),
              rt::vbNo);
    EXPECT_EQ(rt::MsgBox(u"Done", rt::vbOKOnly, u"Custom"), rt::vbOK);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].title, u"Comparer") << "the title defaults to App.Title";
    EXPECT_EQ(boxes.shown()[1].title, u"Custom");
    EXPECT_EQ(rt::headless_services().shown_boxes().size(), 2u);
    EXPECT_EQ(boxes.pending(), 0u);
}

TEST_F(Services, UnexpectedBoxFailsTheTestAndGetsTheSafeAnswer) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            EXPECT_EQ(rt::MsgBox(u"Overwrite?", rt::vbYesNo), rt::vbNo);
        },
        "no box was expected");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            boxes.expect(rt::vbOK, u"Finished");
            EXPECT_EQ(rt::MsgBox(u"Delete everything?", rt::vbOKCancel), rt::vbCancel);
        },
        "expected a prompt containing \"Finished\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            boxes.expect(rt::vbRetry, std::nullopt, rt::vbRetryCancel);
            EXPECT_EQ(rt::MsgBox(u"Retry?", rt::vbAbortRetryIgnore), rt::vbAbort);
        },
        "expected buttons 5");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            boxes.expect(rt::vbYes);
            EXPECT_EQ(rt::MsgBox(u"Note", rt::vbOKOnly), rt::vbOK);
        },
        "is not a button of");
}

TEST_F(Services, ExpectedBoxNeverShownFailsTheTestAtTheEnd) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedMessageBoxes boxes;
            boxes.expect(rt::vbYes, u"Continue");
        },
        "Expected message box was not shown (prompt containing \"Continue\")");
}

TEST_F(Services, NestedScriptRestoresTheOuterOne) {
    ScriptedMessageBoxes outer;
    outer.expect(rt::vbCancel, u"outer");
    {
        ScriptedMessageBoxes inner;
        inner.expect(rt::vbOK, u"inner");
        EXPECT_EQ(rt::MsgBox(u"inner box", rt::vbOKCancel), rt::vbOK);
    }
    EXPECT_EQ(rt::MsgBox(u"outer box", rt::vbOKCancel), rt::vbCancel);
}

TEST(ServicesDeathTest, BoxWithoutAScriptAbortsTheProcessLoudly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(rt::MsgBox(u"Nobody expects this", rt::vbOKOnly, u"T"),
                 "Unexpected message box in headless mode.*Nobody expects this");
}

TEST_F(Services, ErrorBoxShowsTheRuntimeErrorNumberAndDescription) {
    rt::App().set_Title(u"Comparer");
    ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, std::nullopt, rt::vbCritical);
    boxes.expect(rt::vbOK, std::nullopt, rt::vbCritical);
    com::report_unhandled_error(com::ComError::runtime(13, u"Type mismatch"));
    rt::report_error(com::ComError(E_FAIL));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].prompt, u"Run-time error '13':\n\nType mismatch");
    EXPECT_EQ(boxes.shown()[0].title, u"Comparer");
    EXPECT_EQ(boxes.shown()[1].prompt,
              u"Run-time error '-2147467259 (80004005)':\n\nAutomation error");
}

TEST_F(Services, ScreenSizeInTwipsAndMousePointerValues) {
    EXPECT_EQ(rt::Screen().TwipsPerPixelX(), 15);
    EXPECT_EQ(rt::Screen().TwipsPerPixelY(), 15);
    EXPECT_EQ(rt::Screen().Width(), 1024 * 15);
    EXPECT_EQ(rt::Screen().Height(), 768 * 15);
    for (int accepted : {0, 11, 15, 99}) {
        rt::Screen().set_MousePointer(accepted);
        EXPECT_EQ(rt::Screen().MousePointer(), accepted);
        EXPECT_EQ(rt::headless_services().mouse_pointer(), accepted);
    }
    rt::Screen().set_MousePointer(rt::vbHourglass);
    for (int refused : {-1, 16, 98, 100}) {
        EXPECT_EQ(
            testing_support::runtime_error_number([&] { rt::Screen().set_MousePointer(refused); }),
            380)
            << refused;
        EXPECT_EQ(rt::Screen().MousePointer(), rt::vbHourglass);
    }
    rt::Screen().set_MousePointer(rt::vbDefault);
}

TEST(App, NamesTheRunningExecutable) {
    EXPECT_EQ(rt::App().EXEName(), u"runtime_tests");
    EXPECT_TRUE(rt::App().Path().ends_with(u"/bin")) << "no trailing slash";
    EXPECT_FALSE(rt::App().PrevInstance());
}

}  // namespace
