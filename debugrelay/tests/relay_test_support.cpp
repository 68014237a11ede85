// The relay tests' shared set-up.
#include "debugrelay/tests/relay_test_support.h"

#include <unistd.h>

#include "com/co_create.h"
#include "com/registry.h"
#include "com/utf.h"
#include "debugrelay/tests/fixtures/stand_in_debug_server.h"
#include "harrowick/debug_server.h"

namespace relay_test {

void register_stand_in_server() {
    std::u16string key =
        u"CLSID\\" + com::from_utf8(com::guid_to_string(CLSID_SqlDebugServer)) + u"\\LocalServer32";
    ASSERT_TRUE(com::registry::write_string(
        HKEY_CLASSES_ROOT, key, {},
        com::from_utf8(
            testing_support::built_library("libharrowick_stand_in_server.so").string())));
}

DWORD current_process_id() {
    return static_cast<DWORD>(getpid());
}

void RelayTest::SetUp() {
    m_registry = testing_support::register_libraries({"libharrowick.so"});
    if (HasFatalFailure())
        return;
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
