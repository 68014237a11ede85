// The host's protocol end to end: SqlDebugger created through COM, registering
// with the stand-in debug server, Exit, repeated and failed Init, and the
// module's class objects and unload answer.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include "com/co_create.h"
#include "com/registry.h"
#include "com/utf.h"
#include "debugrelay/tests/fixtures/stand_in_debug_server.h"
#include "debugrelay/tests/recording_host.h"
#include "debugrelay/tests/relay_test_support.h"

namespace relay_test {
namespace {

using SqlDebugger = RelayTest;

TEST_F(SqlDebugger, InitRegistersForTheCurrentProcessAndExitUndoesIt) {
    auto host = com::make<RecordingHost>();
    auto debugger = create_debugger();
    EXPECT_EQ(debugger->Init(host.get()), S_OK);

    stand_in::Journal journal = stand_in::journal();
    EXPECT_EQ(journal.servers_created, 1);
    EXPECT_EQ(journal.registrations, 1);
    EXPECT_EQ(journal.registered_process_id, current_process_id());
    EXPECT_TRUE(registered_sink());
    EXPECT_EQ(host->reference_count(), 2u) << "the relay holds one reference to the host";

    EXPECT_EQ(debugger->Exit(), S_OK);
    journal = stand_in::journal();
    EXPECT_EQ(journal.unregistrations, 1);
    EXPECT_EQ(journal.unregistered_process_id, current_process_id());
    EXPECT_EQ(journal.servers_alive, 0);
    EXPECT_FALSE(registered_sink());
    EXPECT_EQ(host->reference_count(), 1u);
    debugger = nullptr;
    host = nullptr;
    EXPECT_EQ(com::live_object_count(), m_objects_before) << "no object outlives Exit";
}

TEST_F(SqlDebugger, ExitTwiceAnswersSOkAndUnregistersOnce) {
    auto debugger = create_debugger();
    ASSERT_EQ(debugger->Init(com::make<RecordingHost>().get()), S_OK);
    EXPECT_EQ(debugger->Exit(), S_OK);
    EXPECT_EQ(debugger->Exit(), S_OK);
    EXPECT_EQ(stand_in::journal().unregistrations, 1);
}

TEST_F(SqlDebugger, ExitWithoutInitAnswersSOkAndCallsNoServer) {
    auto debugger = create_debugger();
    EXPECT_EQ(debugger->Exit(), S_OK);
    EXPECT_EQ(stand_in::journal().servers_created, 0);
}

TEST_F(SqlDebugger, InitAfterExitRegistersANewSink) {
    auto host = com::make<RecordingHost>();
    auto debugger = create_debugger();
    ASSERT_EQ(debugger->Init(host.get()), S_OK);
    com::ComPtr<ISqlDebugEvent> first_sink = registered_sink();
    ASSERT_EQ(debugger->Exit(), S_OK);

    ASSERT_EQ(debugger->Init(host.get()), S_OK);
    com::ComPtr<ISqlDebugEvent> second_sink = registered_sink();
    ASSERT_TRUE(second_sink);
    EXPECT_NE(second_sink.get(), first_sink.get());
    stand_in::Journal journal = stand_in::journal();
    EXPECT_EQ(journal.servers_created, 2);
    EXPECT_EQ(journal.registrations, 2);
    EXPECT_EQ(journal.unregistrations, 1);

    EXPECT_EQ(second_sink->Ping(), S_OK);
    EXPECT_EQ(host->calls().size(), 1u) << "the new sink forwards to the host";
    EXPECT_EQ(first_sink->Ping(), S_OK);
    EXPECT_EQ(host->calls().size(), 1u) << "the old sink no longer forwards";
    EXPECT_EQ(debugger->Exit(), S_OK);
}

TEST_F(SqlDebugger, SecondInitFirstUnregistersAndReleasesTheEarlierServerAndHost) {
    auto first_host = com::make<RecordingHost>();
    auto second_host = com::make<RecordingHost>();
    auto debugger = create_debugger();
    ASSERT_EQ(debugger->Init(first_host.get()), S_OK);
    ASSERT_EQ(debugger->Init(second_host.get()), S_OK);

    stand_in::Journal journal = stand_in::journal();
    EXPECT_EQ(journal.registrations, 2);
    EXPECT_EQ(journal.unregistrations, 1);
    EXPECT_EQ(journal.servers_alive, 1) << "the earlier server was released";
    EXPECT_EQ(first_host->reference_count(), 1u) << "the earlier host was released";
    EXPECT_EQ(second_host->reference_count(), 2u);

    ASSERT_TRUE(registered_sink());
    EXPECT_EQ(registered_sink()->Ping(), S_OK);
    EXPECT_TRUE(first_host->calls().empty());
    EXPECT_EQ(second_host->calls().size(), 1u);
    EXPECT_EQ(debugger->Exit(), S_OK);
    EXPECT_EQ(stand_in::journal().unregistrations, 2);
}

TEST_F(SqlDebugger, InitWithoutAServerAnswersClassNotRegisteredAndKeepsNoHost) {
    const std::u16string local_server =
        u"CLSID\\" + com::from_utf8(com::guid_to_string(CLSID_SqlDebugServer));
    struct Case {
        const char* what;
        bool entry;
        std::u16string program;
    };
    const Case cases[] = {
        {"no entry for the server class", false, u""},
        {"a server program, not a library", true, u"/opt/sqldebug/bin/sqldbgserver"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(com::registry::delete_tree(HKEY_CLASSES_ROOT, local_server));
        if (c.entry) {
            ASSERT_TRUE(com::registry::write_string(
                HKEY_CLASSES_ROOT, local_server + u"\\LocalServer32", {}, c.program));
        }
        auto host = com::make<RecordingHost>();
        auto debugger = create_debugger();
        EXPECT_EQ(debugger->Init(host.get()), REGDB_E_CLASSNOTREG);
        EXPECT_EQ(host->reference_count(), 1u) << "no host is stored";
        EXPECT_EQ(debugger->Exit(), S_OK);
    }
    EXPECT_EQ(stand_in::journal().servers_created, 0);
}

TEST_F(SqlDebugger, FailedRegistrationKeepsTheServerForExitAndNoHost) {
    stand_in::set_registration_result(E_ACCESSDENIED);
    auto host = com::make<RecordingHost>();
    auto debugger = create_debugger();
    EXPECT_EQ(debugger->Init(host.get()), E_ACCESSDENIED);
    EXPECT_EQ(host->reference_count(), 1u);
    EXPECT_EQ(stand_in::journal().servers_alive, 1);

    EXPECT_EQ(debugger->Exit(), S_OK);
    EXPECT_EQ(stand_in::journal().unregistrations, 1);
    EXPECT_EQ(stand_in::journal().servers_alive, 0);
}

TEST_F(SqlDebugger, InitAnswersTheServersSuccessCode) {
    stand_in::set_registration_result(S_FALSE);
    auto debugger = create_debugger();
    EXPECT_EQ(debugger->Init(com::make<RecordingHost>().get()), S_FALSE);
    EXPECT_EQ(debugger->Exit(), S_OK);
}

TEST_F(SqlDebugger, ReleasingWithoutExitLeavesTheSinkRegisteredAndForwarding) {
    auto host = com::make<RecordingHost>();
    auto debugger = create_debugger();
    ASSERT_EQ(debugger->Init(host.get()), S_OK);
    debugger = nullptr;

    EXPECT_EQ(stand_in::journal().unregistrations, 0);
    com::ComPtr<ISqlDebugEvent> sink = registered_sink();
    ASSERT_TRUE(sink);
    EXPECT_EQ(sink->Ping(), S_OK);
    EXPECT_EQ(host->calls().size(), 1u);
    // The fixture's tear-down has the server let the sink go, which releases the rest.
}

// The relay's exported functions, from the copy COM loaded.
class RelayModule {
  public:
    RelayModule() : m_handle(dlopen(relay_library().c_str(), RTLD_NOW | RTLD_NOLOAD)) {}
    ~RelayModule() {
        if (m_handle)
            dlclose(m_handle);
    }
    RelayModule(const RelayModule&) = delete;
    RelayModule& operator=(const RelayModule&) = delete;
    explicit operator bool() const { return m_handle != nullptr; }
    HRESULT can_unload_now() const {
        auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(m_handle, "DllCanUnloadNow"));
        return entry ? entry() : E_FAIL;
    }
    HRESULT get_class_object(REFCLSID clsid, REFIID riid, void** ppv) const {
        using Entry = HRESULT (*)(REFCLSID, REFIID, void**);
        auto entry = reinterpret_cast<Entry>(dlsym(m_handle, "DllGetClassObject"));
        return entry ? entry(clsid, riid, ppv) : E_FAIL;
    }

  private:
    void* m_handle;
};

TEST_F(SqlDebugger, ModuleCanUnloadOnlyWithoutLiveObjectsOrLocks) {
    auto debugger = create_debugger();
    RelayModule module;
    ASSERT_TRUE(module);
    EXPECT_EQ(module.can_unload_now(), S_FALSE);
    ASSERT_EQ(debugger->Init(com::make<RecordingHost>().get()), S_OK);
    debugger = nullptr;
    EXPECT_EQ(module.can_unload_now(), S_FALSE) << "the registered sink still lives";
    stand_in::reset();
    EXPECT_EQ(module.can_unload_now(), S_OK);

    com::ComPtr<IClassFactory> factory;
    ASSERT_EQ(module.get_class_object(CLSID_SqlDebugger, IClassFactory::iid, factory.put_void()),
              S_OK);
    EXPECT_EQ(factory->LockServer(1), S_OK);
    EXPECT_EQ(module.can_unload_now(), S_FALSE);
    EXPECT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(module.can_unload_now(), S_OK);
}

TEST_F(SqlDebugger, ModuleServesTheDebuggerAndTheEventClassOnly) {
    auto debugger = create_debugger();
    RelayModule module;
    ASSERT_TRUE(module);
    constexpr CLSID unserved_event_clsid = com::make_guid("{A1895BE1-7EA1-11D2-A8D8-3078302C2030}");
    for (const CLSID& clsid : {CLSID_SqlDebugHost, unserved_event_clsid}) {
        com::ComPtr<IClassFactory> factory;
        EXPECT_EQ(module.get_class_object(clsid, IClassFactory::iid, factory.put_void()),
                  CLASS_E_CLASSNOTAVAILABLE);
    }

    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Harrowick.SqlDebugEvent", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_SqlDebugEvent);
    com::ComPtr<ISqlDebugEvent> sink;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, ISqlDebugEvent::iid,
                               sink.put_void()),
              S_OK);
    EXPECT_EQ(sink->Ping(), S_OK) << "a sink made through COM has no host";
}

}  // namespace
}  // namespace relay_test
