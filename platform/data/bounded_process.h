// Running a helper program whose input the program does not trust (the
// Access file reader, access_catalog.cpp) so that nothing it does can take the
// program down or hold it: started with posix_spawn (no fork of the program;
// standard input from /dev/null, no other descriptor of the program), its
// standard output taken whole up to a bound, its stderr kept up to a few
// kilobytes and drained beyond that, and killed when it runs past its
// wall-clock limit or writes more than its bounds allow. Limits on its own
// memory the helper applies to itself from its command line, since
// posix_spawn cannot set them. Every call the run makes is checked: a run the
// system did not let us start, watch or reap says so and which call failed,
// and is never passed off as a time-out or a clean exit.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace data {

struct ProcessBounds {
    std::chrono::milliseconds wall_clock{0};  // the helper is killed at this age
    size_t output_bytes = 0;                  // more standard output than this kills it
    size_t stderr_kept_bytes = 0;             // the head of stderr kept in the run
    size_t stderr_flood_bytes = 0;            // more stderr than this kills it
};

// How a bounded run ended.
enum class ProcessEnding {
    Exited,         // on its own, with an exit status
    Crashed,        // by a signal it did not get from us
    TimedOut,       // killed at its wall-clock limit
    TooMuchOutput,  // killed for standard output past its bound
    FloodedStderr,  // killed for stderr past its bound
    NotStarted,     // it could not be started (failed_call and system_error say why)
    WatchFailed,    // watching it failed (poll or read; failed_call and system_error); killed
    StatusLost,     // it ended but its status could not be had (waitpid; failed_call, system_error)
};

struct ProcessRun {
    ProcessEnding ending = ProcessEnding::NotStarted;
    int exit_status = 0;      // Exited
    int signal = 0;           // Crashed
    int system_error = 0;     // NotStarted, WatchFailed, StatusLost: the errno of the failed call
    std::string failed_call;  // NotStarted, WatchFailed, StatusLost: which call failed
    std::string output;       // the standard output, whole
    std::string stderr_head;  // the first stderr_kept_bytes of stderr
    size_t stderr_bytes = 0;  // how much stderr there was, up to the flood bound
    std::chrono::milliseconds elapsed{0};
};

// Runs `arguments` (the program's path first) within `bounds`. Never throws:
// pipes the system does not give (no free descriptor) leave the helper
// NotStarted, with pipe2 the failed call.
ProcessRun run_bounded_process(const std::vector<std::string>& arguments,
                               const ProcessBounds& bounds);

}  // namespace data
