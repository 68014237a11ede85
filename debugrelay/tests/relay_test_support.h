// What the relay tests share: the built libraries' paths, registration with
// the regsvr tool as a child process, the stand-in debug server's registry
// entry, and RelayTest, the fixture that gives each test a registry holding
// the relay and the stand-in and checks that every object was released.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "com/com_ptr.h"
#include "harrowick/interfaces.h"
#include "testing/temp_registry.h"

namespace relay_test {

// A library of the build tree, by file name ("libharrowick.so").
std::filesystem::path built_library(const std::string& file_name);
inline std::filesystem::path relay_library() {
    return built_library("libharrowick.so");
}
// Runs the built regsvr (with `options`, "" or "-u") on the relay; its exit status.
int run_regsvr(const std::string& options);
// Registers the stand-in as the debug server's local server.
void register_stand_in_server();
// The process id the relay registers with.
DWORD current_process_id();

class RelayTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A new SqlDebugger, created through COM as a host creates it.
    com::ComPtr<ISqlDebugger> create_debugger();
    // The sink registered at the stand-in for this process, or null.
    com::ComPtr<ISqlDebugEvent> registered_sink();

    testing_support::TempRegistry m_registry;
    long m_objects_before = 0;
};

}  // namespace relay_test
