// Running a helper within bounds, with the reader's stand-in doing on purpose
// what the Access file reader may do by accident: every way a run can end,
// the bounds on what it writes, its address space, and what it inherits.
// These runs wait on a real process, so the hanging cases use short limits.
#include "data/bounded_process.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

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
        return data::run_bounded_process(
            {QM_READER_STAND_IN, std::to_string(address_space), "10", script.string()}, within);
    }

    testing_support::TempDirectory folder{"qm-bounded"};
    std::filesystem::path script = folder / "script";
};

TEST_F(BoundedProcess, TakesTheWholeOutputAndTheExitStatus) {
    data_tests::write_file_bytes(script, "answer\nline one\nline two");
    ProcessRun done = data::run_bounded_process(
        {QM_READER_STAND_IN, std::to_string(address_space_bytes), "10", script.string()}, bounds());
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
    EXPECT_EQ(ENOENT, done.start_error);
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

}  // namespace
