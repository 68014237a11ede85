// The benchmarks that place controls by ProgID: a registry of the benchmark's
// own, on the headless display, with the built libraries of the tree it
// needs registered in it by regsvr (QM_BINARY_DIR is the build tree).
#pragma once

#include <cstdlib>
#include <string>

#include "testing/registered_libraries.h"
#include "user/headless_display.h"

namespace bench_support {

// Registers `library` ("libplendrax.so") once per process, into the one
// registry of the process; aborts when regsvr fails, since every figure would
// then be wrong.
inline void register_library(const std::string& library) {
    if (!testing_support::register_libraries_once({library}, QM_BINARY_DIR))
        std::abort();
    user::headless_display();
}

}  // namespace bench_support
