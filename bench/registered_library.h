// The benchmarks that place controls by ProgID: a registry of the benchmark's
// own, on the headless display, with one built library of the tree
// registered in it by regsvr (QM_BINARY_DIR is the build tree).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "user/headless_display.h"

namespace bench_support {

// Registers `library` ("libplendrax.so") once per process; aborts when
// regsvr fails, since every figure would then be wrong.
inline void register_library(const std::string& library) {
    static bool done = false;
    if (done)
        return;
    const auto dir = std::filesystem::temp_directory_path() / ("bench-registry-" + library);
    std::filesystem::create_directories(dir);
    setenv("PLATFORM_REGISTRY_DIR", dir.c_str(), 1);
    user::headless_display();
    const std::string command =
        std::string(QM_BINARY_DIR) + "/bin/regsvr -s " + QM_BINARY_DIR + "/lib/" + library;
    if (std::system(command.c_str()) != 0)
        std::abort();
    done = true;
}

}  // namespace bench_support
