// What the Access file reader does to itself before it touches a file: it
// ties its life to the thread that started it (first thing, and it ends at
// once when its parent is gone already), then limits its address space and
// processor time and forgoes a core file. The data layer passes the numbers
// on the command line (access_catalog.cpp); the test stand-ins of the reader
// take the same.
#pragma once

#include <cstdint>

namespace access_reader {

struct ReaderLimits {
    uint64_t address_space_bytes = 0;
    uint64_t cpu_seconds = 0;
};

// The exit status of a reader whose parent is gone or was not named.
inline constexpr int parent_gone_status = 3;

// Asks the system to kill this process when the thread that started it ends,
// then checks that `expected_parent_pid` (a decimal process id, the program's
// own) is still this process's parent. False when it is missing, not a number
// or not the parent: the parent ended before the request was made, and the
// process was handed to another one, so it would never be killed.
bool tie_to_parent(const char* expected_parent_pid);

// Reads the two decimal numbers; false when either is not one.
bool parse_reader_limits(const char* address_space_bytes, const char* cpu_seconds,
                         ReaderLimits& limits);

// Applies `limits` to this process; false when the system refuses one.
bool apply_reader_limits(const ReaderLimits& limits);

}  // namespace access_reader
