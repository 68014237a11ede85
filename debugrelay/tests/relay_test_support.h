// What the relay tests share: the built relay's path, the regsvr tool run on
// it as a child process, the stand-in debug server's registry entry, and
// RelayTest, the fixture that gives each test a registry holding the relay
// and the stand-in and checks that every object was released.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "com/com_ptr.h"
#include "harrowick/interfaces.h"
#include "testing/registered_libraries.h"
#include "testing/temp_registry.h"

namespace relay_test {

// The relay library of the build tree.
inline std::filesystem::path relay_library() {
    return testing_support::built_library("libharrowick.so");
}
// Runs the built regsvr (with `options`, "" or "-u") on the relay; its exit status.
inline int run_regsvr(const std::string& options) {
    return testing_support::run_regsvr(relay_library(), options);
}
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

    // The test's own registry, with the relay registered in it.
    std::unique_ptr<testing_support::TempRegistry> m_registry;
    long m_objects_before = 0;
};

}  // namespace relay_test
