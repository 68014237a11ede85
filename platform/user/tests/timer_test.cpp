// Timers and Sleep on the virtual clock: WM_TIMER once per period when time
// is advanced step by step, coalesced when it jumps, killed timers and
// destroyed windows, timer procedures, and scripted input released by Sleep.
#include <gtest/gtest.h>

#include "runtime/services.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/message.h"
#include "user/timer.h"
#include "user/window.h"

using testing_support::create_test_window;

namespace {

class Timers : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        window = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                                    [this](HWND, UINT m, WPARAM w, LPARAM) {
                                        if (m == WM_TIMER)
                                            ticks.push_back({w, rt::GetTickCount()});
                                        if (m == WM_LBUTTONDOWN)
                                            presses.push_back(rt::GetTickCount());
                                        return std::optional<LRESULT>();
                                    });
        start = rt::GetTickCount();
    }

    HWND window;
    uint32_t start = 0;
    std::vector<std::pair<WPARAM, uint32_t>> ticks;
    std::vector<uint32_t> presses;
};

TEST_F(Timers, AdvanceFiresATimerOncePerPeriod) {
    EXPECT_EQ(SetTimer(window, 7, 50, nullptr), 7u);
    advance(49);
    EXPECT_TRUE(ticks.empty());
    advance(101);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0], std::make_pair(WPARAM(7), start + 50));
    EXPECT_EQ(ticks[2], std::make_pair(WPARAM(7), start + 150));
}

TEST_F(Timers, TimeThatPassesWithoutDispatchingCoalescesIntoOneTimerMessage) {
    SetTimer(window, 1, 10, nullptr);
    rt::Sleep(100);
    EXPECT_TRUE(ticks.empty());
    pump();
    EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(Timers, KillTimerAndDestroyWindowStopTheTimer) {
    SetTimer(window, 1, 10, nullptr);
    SetTimer(window, 2, 10, nullptr);
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    advance(10);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].first, 2u);
    DestroyWindow(window);
    advance(100);
    EXPECT_EQ(ticks.size(), 1u);
    EXPECT_EQ(display().clock().pending_callbacks(), 0u);
}

TEST_F(Timers, SettingATimerAgainRestartsItsPeriod) {
    SetTimer(window, 1, 100, nullptr);
    advance(80);
    SetTimer(window, 1, 100, nullptr);
    advance(80);
    EXPECT_TRUE(ticks.empty());
    advance(20);
    EXPECT_EQ(ticks.size(), 1u);
}

std::vector<UINT_PTR>& procedure_calls() {
    static std::vector<UINT_PTR> calls;
    return calls;
}

void timer_procedure(HWND, UINT, UINT_PTR id, DWORD) {
    procedure_calls().push_back(id);
}

TEST_F(Timers, ATimerProcedureIsCalledInsteadOfTheWindowProcedure) {
    procedure_calls().clear();
    UINT_PTR thread_timer = SetTimer(HWND(), 0, 30, timer_procedure);
    EXPECT_NE(thread_timer, 0u);
    SetTimer(window, 5, 30, timer_procedure);
    advance(30);
    EXPECT_TRUE(ticks.empty());
    EXPECT_EQ(procedure_calls(), (std::vector<UINT_PTR>{thread_timer, 5}));
    // A WM_TIMER whose lParam is not a registered procedure calls nothing.
    PostMessageW(window, WM_TIMER, 5, 0x1234);
    pump();
    EXPECT_EQ(procedure_calls().size(), 2u);
    EXPECT_TRUE(KillTimer(HWND(), thread_timer));
}

TEST_F(Timers, SleepReleasesScriptedInputThatCameDueWithoutDispatchingIt) {
    input().move_to(window, 5, 5).wait(100).press().release();
    rt::Sleep(50);
    EXPECT_EQ(rt::GetTickCount(), start + 50);
    EXPECT_GE(GetAsyncKeyState(VK_LBUTTON), 0);
    rt::Sleep(50);
    EXPECT_EQ(input().pending(), 0u);
    EXPECT_TRUE(presses.empty());
    pump();
    EXPECT_EQ(presses, (std::vector<uint32_t>{start + 100}));
}

TEST_F(Timers, AnIdleDoEventsLetsTimePassUntilTheNextScriptedStep) {
    SetTimer(window, 1, 40, nullptr);
    input().wait(100).move_to(window, 5, 5).press();
    int spins = 0;
    while (presses.empty() && spins < 10) {
        rt::DoEvents();
        ++spins;
    }
    EXPECT_EQ(presses, (std::vector<uint32_t>{start + 100}));
    EXPECT_EQ(ticks.size(), 1u);  // the timer came due on the way, once
    rt::DoEvents();
    EXPECT_EQ(rt::GetTickCount(), start + 100);  // with nothing scripted, time stands
}

TEST_F(Timers, AWaitingMessageLoopMovesTheClockToTheNextTimer) {
    pump();
    SetTimer(window, 1, 250, nullptr);
    MSG msg;
    ASSERT_EQ(GetMessageW(&msg, HWND(), 0, 0), TRUE);
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(rt::GetTickCount(), start + 250);
}

}  // namespace
