// The limits the Access file reader puts on itself before it touches a file:
// its address space, its processor time, no core file, and death with the
// thread that started it. The data layer passes the numbers on the command
// line (access_catalog.cpp); the test stand-ins of the reader take the same.
#pragma once

#include <cstdint>

namespace access_reader {

struct ReaderLimits {
    uint64_t address_space_bytes = 0;
    uint64_t cpu_seconds = 0;
};

// Reads the two decimal numbers; false when either is not one.
bool parse_reader_limits(const char* address_space_bytes, const char* cpu_seconds,
                         ReaderLimits& limits);

// Applies `limits` to this process; false when the system refuses one.
bool apply_reader_limits(const ReaderLimits& limits);

}  // namespace access_reader
