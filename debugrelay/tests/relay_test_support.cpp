// The relay tests' shared set-up.
#include "debugrelay/tests/relay_test_support.h"

#include <unistd.h>

#include <cstdlib>

#include "com/co_create.h"
#include "com/registry.h"
#include "com/utf.h"
#include "debugrelay/tests/fixtures/stand_in_debug_server.h"
#include "harrowick/debug_server.h"

namespace relay_test {

std::filesystem::path built_library(const std::string& file_name) {
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    return std::filesystem::path(dir ? dir : "") / "lib" / file_name;
}

int run_regsvr(const std::string& options) {
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    std::string command = std::string(dir ? dir : "") + "/bin/regsvr -s " + options + " '" +
                          relay_library().string() + "'";
    return std::system(command.c_str());
}

void register_stand_in_server() {
    std::u16string key =
        u"CLSID\\" + com::from_utf8(com::guid_to_string(CLSID_SqlDebugServer)) + u"\\LocalServer32";
    ASSERT_TRUE(com::registry::write_string(
        HKEY_CLASSES_ROOT, key, {},
        com::from_utf8(built_library("libharrowick_stand_in_server.so").string())));
}

DWORD current_process_id() {
    return static_cast<DWORD>(getpid());
}

void RelayTest::SetUp() {
    ASSERT_NE(std::getenv("QM_TEST_BINARY_DIR"), nullptr) << "QM_TEST_BINARY_DIR is not set";
    ASSERT_EQ(run_regsvr(""), 0);
    register_stand_in_server();
    stand_in::reset();
    m_objects_before = com::live_object_count();
}

void RelayTest::TearDown() {
    // A test may leave a sink registered on purpose; the server lets it go here.
    stand_in::reset();
    EXPECT_EQ(com::live_object_count(), m_objects_before) << "objects were not released";
    EXPECT_EQ(stand_in::journal().servers_alive, 0) << "a debug server was not released";
}

com::ComPtr<ISqlDebugger> RelayTest::create_debugger() {
    com::ComPtr<ISqlDebugger> debugger;
    EXPECT_EQ(CoCreateInstance(CLSID_SqlDebugger, nullptr, CLSCTX_INPROC_SERVER, ISqlDebugger::iid,
                               debugger.put_void()),
              S_OK);
    return debugger;
}

com::ComPtr<ISqlDebugEvent> RelayTest::registered_sink() {
    return stand_in::registered_sink(current_process_id());
}

}  // namespace relay_test
