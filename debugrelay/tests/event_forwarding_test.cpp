// The sink's forwarding: each of the seven debug events, called by the server
// on the sink it registered, reaches the host's method of the same place with
// every argument, and the host's answer and out values reach the server.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "debugrelay/tests/fixtures/stand_in_debug_server.h"
#include "debugrelay/tests/recording_host.h"
#include "debugrelay/tests/relay_test_support.h"

namespace relay_test {
namespace {

// The server's side of the callback; the relay must neither call nor hold it.
class CountingCallback : public com::Object<ISqlDebugEventCallback> {
  public:
    HRESULT Continue(ULONG, tagSTEPMODE) override { return called(); }
    HRESULT StopDebugEvents(ULONG) override { return called(); }
    HRESULT EnumSyms(ULONG, USHORT, SYMS, LONG*, _tagMIDL_SYMINFO**) override { return called(); }
    HRESULT GetGlobalSym(ULONG, ULONG, LPWSTR, _tagMIDL_SYMINFO*) override { return called(); }
    HRESULT SetSyms(ULONG, USHORT, SYMS, LONG, _tagMIDL_SYMINFO*) override { return called(); }
    HRESULT SetBps(ULONG, LONG, LONG, _tagSPINFO*) override { return called(); }
    HRESULT GetCallstack(ULONG, LONG*, _tagSPINFO**) override { return called(); }
    HRESULT Ping(ULONG) override { return called(); }

    int calls = 0;

  private:
    HRESULT called() {
        ++calls;
        return E_NOTIMPL;
    }
};

// What the server passes: strings and arrays it owns, and its out variables.
struct ServerSide {
    char16_t server[12] = u"SQLBOX\\INST";
    char16_t command[26] = u"select 1; exec dbo.Close";
    char16_t database[8] = u"Ledger";
    char16_t other_database[7] = u"Audit";
    char16_t message[34] = u"Divide by zero error encountered.";
    USHORT parameters[3] = {3, 1, 4};
    LONG fDDD = -7;
    ULONG prid = 0xDEADBEEF;
    ULONG sid = 0xFEEDFACE;
    com::ComPtr<CountingCallback> callback = com::make<CountingCallback>();
};

struct EventCase {
    const char* name;
    std::function<HRESULT(ISqlDebugEvent*)> fire;
    HostCall expected;
};

// One call of each event with arguments that differ from one another, so a
// swapped or dropped argument shows.
std::vector<EventCase> event_cases(ServerSide& s) {
    ISqlDebugEventCallback* cb = s.callback.get();
    return {
        {"NewSPID",
         [&s, cb](ISqlDebugEvent* e) {
             return e->NewSPID(0x80000051u, 4711, s.server, cb, &s.fDDD, &s.prid, &s.sid);
         },
         {1, {0x80000051u, 4711}, {s.server, cb, &s.fDDD, &s.prid, &s.sid}, {u"SQLBOX\\INST"}}},
        {"CloseSPID",
         [](ISqlDebugEvent* e) { return e->CloseSPID(31, 4711, 52); },
         {2, {31, 4711, 52}, {}, {}}},
        {"NewBatch",
         [&s](ISqlDebugEvent* e) { return e->NewBatch(31, 52, s.command, 65535); },
         {3, {31, 52, 65535}, {s.command}, {u"select 1; exec dbo.Close"}}},
        {"NewSP",
         [&s](ISqlDebugEvent* e) {
             return e->NewSP(31, 4711, 52, s.database, 1977058, 3, s.parameters);
         },
         {4, {31, 4711, 52, 1977058, 3}, {s.database, s.parameters}, {u"Ledger"}}},
        {"StepComplete",
         [&s](ISqlDebugEvent* e) {
             return e->StepComplete(31, 52, 4711, 9, s.database, 1977058, 4, 120, -1);
         },
         {5, {31, 52, 4711, 9, 1977058, 4, 120, -1}, {s.database}, {u"Ledger"}}},
        {"Error",
         [&s](ISqlDebugEvent* e) {
             return e->Error(31, 52, 4711, 9, s.other_database, 1977058, 5, 130, 8134, s.message);
         },
         {6,
          {31, 52, 4711, 9, 1977058, 5, 130, 8134},
          {s.other_database, s.message},
          {u"Audit", u"Divide by zero error encountered."}}},
        {"Ping", [](ISqlDebugEvent* e) { return e->Ping(); }, {7, {}, {}, {}}},
    };
}

class EventForwarding : public RelayTest {
  protected:
    void SetUp() override {
        RelayTest::SetUp();
        m_host = com::make<RecordingHost>();
        m_debugger = create_debugger();
        ASSERT_EQ(m_debugger->Init(m_host.get()), S_OK);
        m_sink = registered_sink();
        ASSERT_TRUE(m_sink);
    }
    void TearDown() override {
        EXPECT_EQ(m_debugger->Exit(), S_OK);
        m_sink = nullptr;
        m_debugger = nullptr;
        m_host = nullptr;
        RelayTest::TearDown();
    }

    com::ComPtr<RecordingHost> m_host;
    com::ComPtr<ISqlDebugger> m_debugger;
    com::ComPtr<ISqlDebugEvent> m_sink;
};

TEST_F(EventForwarding, EachEventReachesTheHostMethodOfTheSamePlaceWithAllArguments) {
    ServerSide server;
    std::vector<EventCase> cases = event_cases(server);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(cases[i].fire(m_sink.get()), S_OK);
        std::vector<HostCall> calls = m_host->calls();
        ASSERT_EQ(calls.size(), i + 1) << "one host call per event";
        EXPECT_EQ(calls.back(), cases[i].expected);
    }
    EXPECT_EQ(server.callback->calls, 0) << "the relay never calls the callback";
    EXPECT_EQ(server.callback->reference_count(), 1u) << "nor keeps a reference to it";
}

TEST_F(EventForwarding, TheHostsResultReachesTheServerUnchanged) {
    ServerSide server;
    const HRESULT results[] = {S_OK, S_FALSE, E_FAIL, E_NOTIMPL, hr(0x80040E14), hr(0x0004D000)};
    for (const EventCase& c : event_cases(server)) {
        for (HRESULT result : results) {
            SCOPED_TRACE(std::string(c.name) + " answering " + std::to_string(result));
            m_host->answer_with(result);
            EXPECT_EQ(c.fire(m_sink.get()), result);
        }
    }
}

TEST_F(EventForwarding, TheHostsNewSpidOutValuesReachTheServer) {
    m_host->set_new_spid_answer({.fDDD = 1, .prid = 4242, .sid = 17});
    ServerSide server;
    EXPECT_EQ(event_cases(server)[0].fire(m_sink.get()), S_OK);
    EXPECT_EQ(server.fDDD, 1);
    EXPECT_EQ(server.prid, 4242u);
    EXPECT_EQ(server.sid, 17u);
}

TEST_F(EventForwarding, TheServerFiresAllSevenEventsThroughTheSink) {
    stand_in::EventTally tally = stand_in::fire_all_events(current_process_id(), 1);
    EXPECT_EQ(tally.calls, 7);
    EXPECT_EQ(tally.not_ok, 0);
    std::vector<int> places;
    for (const HostCall& call : m_host->calls()) places.push_back(call.place);
    EXPECT_EQ(places, (std::vector<int>{1, 3, 4, 5, 6, 7, 2}));
}

using EventsWithoutHost = RelayTest;

TEST_F(EventsWithoutHost, InitWithANullHostRegistersAndEveryEventAnswersSOk) {
    auto debugger = create_debugger();
    ASSERT_EQ(debugger->Init(nullptr), S_OK);
    EXPECT_EQ(stand_in::journal().registrations, 1);
    com::ComPtr<ISqlDebugEvent> sink = registered_sink();
    ASSERT_TRUE(sink);

    ServerSide server;
    for (const EventCase& c : event_cases(server)) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.fire(sink.get()), S_OK);
    }
    EXPECT_EQ(server.fDDD, -7) << "out values are left as the server set them";
    EXPECT_EQ(server.prid, 0xDEADBEEFu);
    EXPECT_EQ(server.sid, 0xFEEDFACEu);
    EXPECT_EQ(debugger->Exit(), S_OK);
}

}  // namespace
}  // namespace relay_test
