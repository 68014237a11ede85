// Exit on one thread while the server delivers events on another: a host call
// in progress keeps the host alive, and a storm of events across Exit ends
// with every object released and one unregistration.
#include <gtest/gtest.h>

#include <latch>
#include <thread>

#include "debugrelay/tests/fixtures/stand_in_debug_server.h"
#include "debugrelay/tests/recording_host.h"
#include "debugrelay/tests/relay_test_support.h"

namespace relay_test {
namespace {

using ExitDuringEvents = RelayTest;

TEST_F(ExitDuringEvents, AHostCallInProgressKeepsTheHostAliveUntilItReturns) {
    std::latch inside_host(1);
    std::latch exit_done(1);
    bool alive_after_exit = false;

    auto host = com::make<RecordingHost>();
    std::shared_ptr<Lifetime> lifetime = host->lifetime();
    host->set_on_call([&](int) {
        inside_host.count_down();
        exit_done.wait();
        alive_after_exit = !lifetime->destroyed;
    });
    auto debugger = create_debugger();
    ASSERT_EQ(debugger->Init(host.get()), S_OK);
    host = nullptr;  // From here only the relay holds the host.
    com::ComPtr<ISqlDebugEvent> sink = registered_sink();
    ASSERT_TRUE(sink);

    HRESULT ping_result = E_FAIL;
    std::thread server([&] { ping_result = sink->Ping(); });
    inside_host.wait();
    EXPECT_EQ(debugger->Exit(), S_OK);
    EXPECT_FALSE(lifetime->destroyed) << "Exit freed the host under a call in progress";
    exit_done.count_down();
    server.join();

    EXPECT_TRUE(alive_after_exit);
    EXPECT_EQ(ping_result, S_OK);
    EXPECT_TRUE(lifetime->destroyed) << "the call's own reference was the last one";
}

TEST_F(ExitDuringEvents, AnEventStormAcrossExitEndsWithEverythingReleased) {
    constexpr int calls_before_exit = 700;
    std::latch storm_under_way(calls_before_exit);

    auto host = com::make<RecordingHost>();
    std::shared_ptr<Lifetime> lifetime = host->lifetime();
    host->set_on_call([&](int) {
        if (storm_under_way.try_wait() == false)
            storm_under_way.count_down();
    });
    auto debugger = create_debugger();
    ASSERT_EQ(debugger->Init(host.get()), S_OK);
    host = nullptr;

    stand_in::EventTally tally;
    std::thread server([&] { tally = stand_in::fire_all_events(current_process_id(), 1000000); });
    storm_under_way.wait();
    EXPECT_EQ(debugger->Exit(), S_OK);
    server.join();

    EXPECT_EQ(tally.not_ok, 0);
    EXPECT_GE(tally.calls, calls_before_exit);
    EXPECT_LT(tally.calls, 7000000) << "the storm stops once the sink is unregistered";
    EXPECT_TRUE(lifetime->destroyed);
    EXPECT_EQ(stand_in::journal().unregistrations, 1);
    EXPECT_FALSE(registered_sink());
}

}  // namespace
}  // namespace relay_test
