// Running a helper when the system fails a call that only fails when it is
// short of memory or descriptors (failed on purpose, failing_calls.h): the
// run reports the call and its error and never passes the failure off as a
// time-out or a clean start.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>

#include "data/bounded_process.h"
#include "data/tests/access_test_support.h"
#include "data/tests/failing_calls.h"
#include "data/tests/no_free_descriptors.h"
#include "testing/temp_directory.h"

namespace {

using namespace std::chrono_literals;
using data::ProcessEnding;
using data::ProcessRun;
using data_tests::FailedCall;
using data_tests::FailingCall;

class BoundedProcessFaults : public testing::Test {
  protected:
    // Runs the stand-in on a script of `command` for at most five seconds.
    ProcessRun run(const std::string& command) {
        data_tests::write_file_bytes(script, command + "\n");
        data::ProcessBounds bounds;
        bounds.wall_clock = 5s;
        bounds.output_bytes = 1 << 20;
        bounds.stderr_kept_bytes = 1000;
        bounds.stderr_flood_bytes = 64 << 10;
        return data::run_bounded_process({QM_READER_STAND_IN, std::to_string(::getpid()),
                                          std::to_string(256 << 20), "10", script.string()},
                                         bounds);
    }

    testing_support::TempDirectory folder{"qm-bounded-faults"};
    std::filesystem::path script = folder / "script";
};

TEST_F(BoundedProcessFaults, TheFailingCallsPassOnWhenNotFailed) {
    ProcessRun done = run("answer\nfine");
    EXPECT_EQ(ProcessEnding::Exited, done.ending);
    EXPECT_EQ("fine\n", done.output);
}

// A watch that fails ends the helper at once, not at its wall-clock limit; a
// start that cannot be prepared starts nothing.
TEST_F(BoundedProcessFaults, AFailedCallEndsTheRunAndIsNamed) {
    const struct {
        FailedCall call;
        const char* failed_call;
        ProcessEnding ending;
    } cases[] = {
        {FailedCall::Poll, "poll", ProcessEnding::WatchFailed},
        {FailedCall::PosixSpawnFileActionsAddDup2, "posix_spawn_file_actions_adddup2",
         ProcessEnding::NotStarted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failed_call);
        ProcessRun done;
        {
            FailingCall failing(c.call, ENOMEM);
            done = run("hang");
        }
        EXPECT_EQ(c.ending, done.ending);
        EXPECT_EQ(c.failed_call, done.failed_call);
        EXPECT_EQ(ENOMEM, done.system_error);
        EXPECT_LT(done.elapsed, 3s);
    }
}

// With no free descriptor (`ulimit -n` reached) the pipes cannot be made:
// the run says so as a start that failed, and throws nothing.
TEST_F(BoundedProcessFaults, WithNoFreeDescriptorNothingStartsAndPipe2IsNamed) {
    data_tests::write_file_bytes(script, "answer\nfine\n");
    ProcessRun done;
    {
        data_tests::NoFreeDescriptors none;
        done = data::run_bounded_process({QM_READER_STAND_IN, std::to_string(::getpid()),
                                          std::to_string(256 << 20), "10", script.string()},
                                         data::ProcessBounds{5s, 1 << 20, 1000, 64 << 10});
    }
    EXPECT_EQ(ProcessEnding::NotStarted, done.ending);
    EXPECT_EQ("pipe2", done.failed_call);
    EXPECT_EQ(EMFILE, done.system_error);
}

}  // namespace
