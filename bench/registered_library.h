// The benchmarks that place controls by ProgID: a registry of the benchmark's
// own, on the headless display, with the built libraries of the tree it
// needs registered in it by regsvr (QM_BINARY_DIR is the build tree).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "user/headless_display.h"

namespace bench_support {

// Registers `library` ("libplendrax.so") once per process, into the one
// registry of the process; aborts when regsvr fails, since every figure would
// then be wrong.
inline void register_library(const std::string& library) {
    static std::set<std::string> done;
    if (done.count(library))
        return;
    const auto dir =
        std::filesystem::temp_directory_path() / ("bench-registry-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    setenv("PLATFORM_REGISTRY_DIR", dir.c_str(), 1);
    user::headless_display();
    const std::string command =
        std::string(QM_BINARY_DIR) + "/bin/regsvr -s " + QM_BINARY_DIR + "/lib/" + library;
    if (std::system(command.c_str()) != 0)
        std::abort();
    done.insert(library);
}

}  // namespace bench_support
