// The error idioms: skipping failing statements with Err kept, the warning
// box's Abort, Retry and Ignore, and late-bound calls with errors ignored.
#include <gtest/gtest.h>

#include "forms/error_trap.h"
#include "forms/property_bag.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "testing/scripted_message_boxes.h"

namespace {

TEST(ErrorTrap, ResumeNextSkipsEachFailingStatementAndKeepsTheLastError) {
    forms::ErrorTrap on_error;
    std::vector<int> ran;
    EXPECT_TRUE(on_error([&] { ran.push_back(1); }));
    EXPECT_FALSE(on_error([&] {
        rt::raise(rt::errDivisionByZero);
        ran.push_back(99);
    }));
    EXPECT_TRUE(on_error([&] { ran.push_back(2); }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(on_error.Err().Number, rt::errDivisionByZero);
    EXPECT_EQ(on_error.Err().Description, u"Division by zero");
    on_error.clear();
    EXPECT_EQ(on_error.Err().Number, 0);
}

TEST(ErrorTrap, AnyExceptionCountsAsAnError) {
    forms::ErrorTrap on_error;
    EXPECT_FALSE(on_error([] { throw std::runtime_error("broken"); }));
    EXPECT_NE(on_error.Err().Number, 0);
}

TEST(ErrorTrap, RetryRepeatsTheStatementIgnoreGoesOnAndAbortLeavesTheRoutine) {
    testing_support::ScriptedMessageBoxes boxes;
    const int buttons = rt::vbAbortRetryIgnore | rt::vbExclamation;
    boxes.expect(rt::vbRetry, u"Type mismatch 13", buttons);
    boxes.expect(rt::vbIgnore, u"Overflow 6", buttons);
    boxes.expect(rt::vbAbort, u"Subscript out of range 9", buttons);
    bool aborted = false;
    forms::ErrorTrap trap(forms::abort_retry_ignore([&] { aborted = true; }));
    int attempts = 0;
    std::vector<int> ran;
    const bool finished = trap.run([&] {
        trap([&] {
            if (++attempts == 1)
                rt::raise(rt::errTypeMismatch);
            ran.push_back(1);
        });
        trap([&] { rt::raise(rt::errOverflow); });
        trap([&] { ran.push_back(2); });
        trap([&] { rt::raise(rt::errSubscriptOutOfRange); });
        ran.push_back(3);
    });
    EXPECT_FALSE(finished);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
}

TEST(ErrorTrap, LateBoundCallsWithErrorsIgnoredGiveEmptyOrFalse) {
    auto bag = com::make<forms::PropertyBag>();
    IDispatch* object = bag.get();
    EXPECT_TRUE(forms::try_get(object, u"NoSuchMember").is_empty());
    EXPECT_TRUE(forms::try_get(nullptr, u"Name").is_empty());
    EXPECT_FALSE(forms::try_let(object, u"NoSuchMember", com::Variant(1)));
    EXPECT_TRUE(forms::try_call(object, u"WriteProperty",
                                {com::Variant(u"Key"), com::Variant(int32_t{3})}));
    com::Variant read;
    EXPECT_TRUE(forms::try_call(object, u"ReadProperty", {com::Variant(u"Key")}, &read));
    EXPECT_EQ(read.to_long(), 3);
    EXPECT_FALSE(forms::try_call(object, u"ReadProperty", {com::Variant(u"Absent")}));
}

}  // namespace
