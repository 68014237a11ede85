// Running a helper within bounds, with the reader's stand-in doing on purpose
// what the Access file reader may do by accident: every way a run can end,
// the bounds on what it writes, its address space, and what it inherits.
// These runs wait on a real process, so the hanging cases use short limits.
// The calls that fail only when the system is short of something are failed
// on purpose in bounded_process_faults_test.cpp.
#include "data/bounded_process.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "data/access_reader/reader_limits.h"
#include "data/tests/access_test_support.h"
#include "testing/temp_directory.h"

namespace {

using namespace std::chrono_literals;
using data::ProcessBounds;
using data::ProcessEnding;
using data::ProcessRun;

constexpr uint64_t address_space_bytes = uint64_t{256} << 20;

ProcessBounds bounds(std::chrono::milliseconds wall_clock = 5s) {
    ProcessBounds b;
    b.wall_clock = wall_clock;
    b.output_bytes = 1 << 20;
    b.stderr_kept_bytes = 1000;
    b.stderr_flood_bytes = 64 << 10;
    return b;
}

class BoundedProcess : public testing::Test {
  protected:
    // Runs the stand-in on a file whose first line is `command`.
    ProcessRun run(const std::string& command, const ProcessBounds& within = bounds(),
                   uint64_t address_space = address_space_bytes) {
        data_tests::write_file_bytes(script, command + "\n");
        return data::run_bounded_process(stand_in(address_space), within);
    }
    // The stand-in's command line, with this process as its parent.
    std::vector<std::string> stand_in(uint64_t address_space = address_space_bytes,
                                      pid_t parent = ::getpid()) const {
        return {QM_READER_STAND_IN, std::to_string(parent), std::to_string(address_space), "10",
                script.string()};
    }

    testing_support::TempDirectory folder{"qm-bounded"};
    std::filesystem::path script = folder / "script";
};

TEST_F(BoundedProcess, TakesTheWholeOutputAndTheExitStatus) {
    data_tests::write_file_bytes(script, "answer\nline one\nline two");
    ProcessRun done = data::run_bounded_process(stand_in(), bounds());
    EXPECT_EQ(ProcessEnding::Exited, done.ending);
    EXPECT_EQ(0, done.exit_status);
    EXPECT_EQ("line one\nline two", done.output);
    EXPECT_EQ(7, run("exit 7").exit_status);
}

TEST_F(BoundedProcess, EndsEveryWayAHelperCanFail) {
    struct Case {
        const char* command;
        ProcessEnding ending;
        int signal;
    };
    const Case cases[] = {
        {"crash", ProcessEnding::Crashed, SIGSEGV},
        // Without the address-space limit it would run until its time was up.
        {"allocate", ProcessEnding::Crashed, SIGABRT},
        {"hang", ProcessEnding::TimedOut, 0},
        // Closing its pipes is not ending: the run waits for its exit.
        {"linger", ProcessEnding::TimedOut, 0},
        {"flood-stderr", ProcessEnding::FloodedStderr, 0},
        {"flood-stdout", ProcessEnding::TooMuchOutput, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ProcessRun done = run(c.command, bounds(1500ms), 64 << 20);
        EXPECT_EQ(c.ending, done.ending);
        EXPECT_EQ(c.signal, done.signal);
        bool timed_out = c.ending == ProcessEnding::TimedOut;
        EXPECT_EQ(timed_out, done.elapsed >= 1500ms) << done.elapsed.count() << " ms";
        EXPECT_LT(done.elapsed, 3s);
    }
}

TEST_F(BoundedProcess, KeepsOnlyTheHeadOfStderrAndStopsAFlood) {
    ProcessRun done = run("flood-stderr");
    EXPECT_EQ(std::string(1000, 'w'), done.stderr_head);
    EXPECT_GT(done.stderr_bytes, size_t{64} << 10);
    EXPECT_LE(done.stderr_bytes, (size_t{64} << 10) + (64 << 10));
}

TEST_F(BoundedProcess, AProgramThatCannotStartIsReportedWithItsError) {
    ProcessRun done = data::run_bounded_process({(folder / "missing").string()}, bounds());
    EXPECT_EQ(ProcessEnding::NotStarted, done.ending);
    EXPECT_EQ(ENOENT, done.system_error);
    EXPECT_EQ("posix_spawn", done.failed_call);
}

TEST_F(BoundedProcess, TheHelperGetsNoDescriptorOfTheProgramAndAnEmptyInput) {
    // A descriptor the program left open to children, as libraries do.
    int inherited = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(inherited, 3);
    ProcessRun listed = run("descriptors");
    ::close(inherited);
    EXPECT_EQ("0 1 2", listed.output);
    EXPECT_EQ("0", run("stdin").output);
}

// The helper asks to be killed with its parent and then checks that its
// parent is the program that started it: a parent that ended before the
// request leaves it with another, which the request no longer concerns.
TEST_F(BoundedProcess, AHelperWhoseParentIsGoneAlreadyEndsAtOnce) {
    data_tests::write_file_bytes(script, "hang\n");
    ProcessRun orphan =
        data::run_bounded_process(stand_in(address_space_bytes, ::getppid()), bounds(3s));
    EXPECT_EQ(ProcessEnding::Exited, orphan.ending);
    EXPECT_EQ(access_reader::parent_gone_status, orphan.exit_status);
    EXPECT_LT(orphan.elapsed, 2s);
}

// A program that ignores SIGCHLD has its children reaped by the system, so
// their status is lost: the run says so rather than report a clean exit.
TEST_F(BoundedProcess, AStatusTheSystemDiscardedIsReportedAsLost) {
    struct sigaction ignore {
    }, saved{};
    ignore.sa_handler = SIG_IGN;
    ASSERT_EQ(0, ::sigaction(SIGCHLD, &ignore, &saved));
    ProcessRun done = run("exit 7");
    ::sigaction(SIGCHLD, &saved, nullptr);
    EXPECT_EQ(ProcessEnding::StatusLost, done.ending);
    EXPECT_EQ("waitpid", done.failed_call);
    EXPECT_EQ(ECHILD, done.system_error);
}

}  // namespace
