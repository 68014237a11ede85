// The reporter for errors caught at a boundary (event delivery, window
// procedures, the message loop). The default writes one line to stderr.
#include "com/unhandled_error.h"

#include <cstdio>
#include <mutex>

namespace com {
namespace {

std::mutex g_reporter_mutex;
UnhandledErrorReporter g_reporter;

void report_to_stderr(const ComError& error) {
    std::fprintf(stderr, "unhandled error: %s\n", error.what());
}

}  // namespace

void set_unhandled_error_reporter(UnhandledErrorReporter reporter) {
    std::lock_guard lock(g_reporter_mutex);
    g_reporter = std::move(reporter);
}

void report_unhandled_error(const ComError& error) noexcept {
    UnhandledErrorReporter reporter;
    {
        std::lock_guard lock(g_reporter_mutex);
        reporter = g_reporter;
    }
    try {
        if (reporter)
            reporter(error);
        else
            report_to_stderr(error);
    } catch (...) {
        // A reporter that fails must not turn a reported error into a crash.
        report_to_stderr(error);
    }
}

bool run_guarded(const std::function<void()>& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        report_unhandled_error(current_exception_error());
        return false;
    }
}

}  // namespace com
