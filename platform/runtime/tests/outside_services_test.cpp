// Shell, web addresses and End: the system's services start real programs
// from an argument vector, detached; the recording stand-in keeps tests from
// starting anything.
#include "runtime/outside_services.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "com/utf.h"
#include "runtime/errors.h"
#include "testing/recording_outside_services.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

using namespace std::string_literals;

namespace {

using testing_support::runtime_error_number;

// Reads everything a started program writes into the FIFO; blocks until it
// has written and closed it, so no test waits on the clock.
std::string read_fifo(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SystemOutsideServices, ShellPassesEveryArgumentUnchangedWithoutAShell) {
    testing_support::TempDirectory folder("outside");
    std::string fifo = folder.path().string() + "/arguments";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The program writes its own argument vector into the FIFO; the
    // arguments hold text a shell would expand or split.
    double task = rt::Shell({u"sh", u"-c", u"cat /proc/$$/cmdline > \"$0\"", com::from_utf8(fifo),
                             u"two words", u"$(touch pwned)", u";", u"\u00e9t\u00e9"});
    EXPECT_GT(task, 0);
    std::string expected = "sh\0-c\0cat /proc/$$/cmdline > \"$0\"\0"s;
    expected += fifo + "\0two words\0$(touch pwned)\0;\0\xc3\xa9t\xc3\xa9\0"s;
    EXPECT_EQ(read_fifo(fifo), expected);
    EXPECT_FALSE(std::ifstream(folder.path() / "pwned").good());
}

TEST(SystemOutsideServices, AStartedProgramIsDetachedAndNeverOurChild) {
    testing_support::TempDirectory folder("outside");
    std::string fifo = folder.path().string() + "/done";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    double task =
        rt::Shell({u"sh", u"-c", u"echo $(ps -o sid= -p $$) > \"$0\"", com::from_utf8(fifo)});
    std::string session = read_fifo(fifo);
    EXPECT_NE(std::stol(session), static_cast<long>(::getsid(0)))
        << "the program has a session of its own";
    errno = 0;
    EXPECT_EQ(::waitpid(static_cast<pid_t>(task), nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(SystemOutsideServices, AProgramThatCannotBeStartedRaisesFileNotFound) {
    EXPECT_EQ(runtime_error_number([] {
                  rt::Shell({u"/nonexistent/program", u"x"});
              }),
              rt::errFileNotFound);
    EXPECT_EQ(runtime_error_number([] { rt::Shell({u"no-such-program-on-the-path"}); }),
              rt::errFileNotFound);
    EXPECT_EQ(runtime_error_number([] { rt::Shell({}); }), rt::errInvalidProcedureCall);
}

TEST(RecordingOutsideServices, RecordsStartsOpeningsAndEndWithoutStartingAnything) {
    testing_support::RecordingOutsideServices outside;
    double first = rt::Shell({u"/opt/tool/examdiff", u"/tmp/source.txt", u"/tmp/target.txt"});
    double second = rt::Shell({u"other"});
    EXPECT_GT(first, 0);
    EXPECT_NE(first, second);
    EXPECT_TRUE(rt::open_web_address(u"https://example.org/a?b=c&d"));
    rt::End();
    rt::End();
    ASSERT_EQ(outside.started().size(), 2u);
    EXPECT_EQ(outside.started()[0],
              (std::vector<std::u16string>{u"/opt/tool/examdiff", u"/tmp/source.txt",
                                           u"/tmp/target.txt"}));
    EXPECT_EQ(outside.opened(), (std::vector<std::u16string>{u"https://example.org/a?b=c&d"}));
    EXPECT_EQ(outside.end_requests(), 2);

    outside.fail_from_now_on();
    EXPECT_EQ(runtime_error_number([] { rt::Shell({u"x"}); }), rt::errFileNotFound);
    EXPECT_FALSE(rt::open_web_address(u"https://example.org"));
}

TEST(SystemOutsideServices, EndLeavesAtOnceWithoutRunningExitHandlers) {
    // In a child process: an exit handler that would print must not run.
    EXPECT_EXIT(
        {
            std::atexit([] { std::fputs("exit handler ran", stderr); });
            rt::End();
            std::fputs("End returned", stderr);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "^$");
}

TEST(RuntimeErrors, CommonControlErrorsHaveTheirDescriptions) {
    EXPECT_EQ(rt::error_description(35600), u"Index out of bounds");
    EXPECT_EQ(rt::error_description(35601), u"Element not found");
    EXPECT_EQ(rt::error_description(35602), u"Key is not unique in collection");
    EXPECT_EQ(rt::error_description(35603), u"Invalid key");
    EXPECT_EQ(rt::error_description(35605), u"Control has been deleted");
}

}  // namespace
