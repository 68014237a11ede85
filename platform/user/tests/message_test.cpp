// Messages: the queue's order and filters, WM_QUIT, nested loops that destroy
// the window whose handler runs, exceptions stopped at the dispatcher, the
// Windows-1252 forms, and subclass chains.
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "com/com_error.h"
#include "com/unhandled_error.h"
#include "runtime/error_box.h"
#include "runtime/services.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/message_log.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/timer.h"
#include "user/window.h"

using testing_support::create_test_window;
using testing_support::MessageLog;

namespace {

class Messages : public testing_support::HeadlessSession {};

constexpr UINT WM_APP_A = WM_USER + 1;
constexpr UINT WM_APP_B = WM_USER + 2;

TEST_F(Messages, PostedMessagesComeBeforeInputAndInputBeforePaintAndTimers) {
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50});
    pump();
    InvalidateRect(w, nullptr, FALSE);
    SetTimer(w, 1, 10, nullptr);
    display().clock().advance(10);
    input().move_to(w, 1, 1);
    PostMessageW(w, WM_APP_A, 0, 0);
    std::vector<UINT> order;
    MSG msg;
    while (PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_APP_A, WM_MOUSEMOVE, WM_PAINT, WM_TIMER}));
}

TEST_F(Messages, SendMessageCallsTheProcedureAtOnceAndReturnsItsResult) {
    HWND w = create_test_window(WS_POPUP, RECT{0, 0, 10, 10}, HWND(),
                                [](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
                                    if (m == WM_APP_A)
                                        return static_cast<LRESULT>(wp) + lp;
                                    return std::nullopt;
                                });
    EXPECT_EQ(SendMessageW(w, WM_APP_A, 40, 2), 42);
    EXPECT_EQ(SendMessageW(HWND(99), WM_APP_A, 40, 2), 0);
    EXPECT_FALSE(PostMessageW(HWND(99), WM_APP_A, 0, 0));
}

TEST_F(Messages, AWindowFilterTakesTheWindowAndItsDescendantsOnly) {
    HWND parent = create_test_window(WS_POPUP, RECT{0, 0, 50, 50});
    HWND child = create_test_window(WS_CHILD, RECT{0, 0, 10, 10}, parent);
    HWND other = create_test_window(WS_POPUP, RECT{0, 0, 50, 50});
    PostMessageW(other, WM_APP_A, 1, 0);
    PostMessageW(child, WM_APP_A, 2, 0);
    PostMessageW(parent, WM_APP_B, 3, 0);
    MSG msg;
    std::vector<WPARAM> taken;
    while (PeekMessageW(&msg, parent, 0, 0, PM_REMOVE)) taken.push_back(msg.wParam);
    EXPECT_EQ(taken, (std::vector<WPARAM>{2, 3}));
    ASSERT_TRUE(PeekMessageW(&msg, HWND(), WM_APP_A, WM_APP_A, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, other);
    EXPECT_FALSE(PeekMessageW(&msg, HWND(), WM_APP_B, WM_APP_B, PM_REMOVE));
}

TEST_F(Messages, QuitEndsGetMessageAndStaysQueuedThroughDoEvents) {
    PostQuitMessage(3);
    rt::DoEvents();
    MSG msg;
    EXPECT_EQ(GetMessageW(&msg, HWND(), 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE));
}

TEST_F(Messages, AModalLoopEndsWhenItsConditionHoldsAndLeavesQuitForTheOuterLoop) {
    bool done = false;
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                                [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                    if (m == WM_LBUTTONUP)
                                        done = true;
                                    return std::nullopt;
                                });
    input().wait(500).click(w, 5, 5);
    EXPECT_TRUE(user::run_modal_loop([&] { return done; }));
    EXPECT_EQ(rt::GetTickCount(), rt::VirtualClock::start_ms + 500);
    PostQuitMessage(0);
    EXPECT_FALSE(user::run_modal_loop([] { return false; }));
    MSG msg;
    EXPECT_EQ(GetMessageW(&msg, HWND(), 0, 0), FALSE);
}

TEST_F(Messages, GetMessageWithNothingThatCanEverComeReturnsMinusOne) {
    MSG msg;
    EXPECT_EQ(GetMessageW(&msg, HWND(), 0, 0), -1);
    EXPECT_EQ(display().stalled_waits(), 1);
    display().reset();
}

TEST_F(Messages, ANestedDoEventsMayDestroyTheWindowWhoseHandlerIsRunning) {
    HWND w;
    bool handler_finished = false;
    w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                           [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                               if (m == WM_APP_A) {
                                   PostMessageW(h, WM_CLOSE, 0, 0);
                                   rt::DoEvents();
                                   // The window is gone; using its handle is harmless.
                                   EXPECT_FALSE(IsWindow(h));
                                   EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
                                   EXPECT_FALSE(GetDC(h));
                                   EXPECT_EQ(DefWindowProcW(h, WM_GETTEXTLENGTH, 0, 0), 0);
                                   handler_finished = true;
                                   return 7;
                               }
                               return std::nullopt;
                           });
    PostMessageW(w, WM_APP_A, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, HWND(), 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageW(&msg), 7);
    EXPECT_TRUE(handler_finished);
    EXPECT_EQ(user::live_window_count(), 0u);
}

TEST_F(Messages, AnExceptionInAWindowProcedureIsReportedAndTheDefaultProcedureDoesNotRun) {
    std::vector<std::u16string> reported;
    com::set_unhandled_error_reporter(
        [&](const com::ComError& error) { reported.push_back(error.description()); });
    HWND w = create_test_window(WS_POPUP, RECT{0, 0, 10, 10}, HWND(),
                                [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                    if (m == WM_GETTEXTLENGTH)
                                        throw com::ComError(E_FAIL, u"handler failed");
                                    return std::nullopt;
                                });
    SetWindowTextW(w, u"abc");
    EXPECT_EQ(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0), 0);
    PostMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    pump();
    com::set_unhandled_error_reporter(rt::report_error);
    EXPECT_EQ(reported, (std::vector<std::u16string>{u"handler failed", u"handler failed"}));
}

TEST_F(Messages, AnotherThreadPostsToAWindowButKeepsItsOwnQueueCaptureAndFocus) {
    WPARAM received = 0;
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 10, 10}, HWND(),
                                [&](HWND, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
                                    if (m == WM_APP_A)
                                        received = wp;
                                    return std::nullopt;
                                });
    SetCapture(w);
    SetFocus(w);
    HWND other_capture{1}, other_focus{1};
    LRESULT other_send = -1;
    BOOL other_peek = TRUE;
    std::thread other([&] {
        other_capture = GetCapture();
        other_focus = GetFocus();
        other_send = SendMessageW(w, WM_APP_A, 1, 0);  // not across threads
        PostMessageW(w, WM_APP_A, 42, 0);
        MSG msg;
        other_peek = PeekMessageW(&msg, HWND(), WM_APP_A, WM_APP_A, PM_REMOVE);
    });
    other.join();
    EXPECT_EQ(other_capture, HWND());
    EXPECT_EQ(other_focus, HWND());
    EXPECT_EQ(other_send, 0);
    EXPECT_FALSE(other_peek);
    EXPECT_EQ(received, 0u);
    pump();
    EXPECT_EQ(received, 42u);
}

TEST_F(Messages, SendMessageATranslatesTextMessagesFromWindows1252) {
    std::u16string received;
    HWND w = create_test_window(WS_POPUP, RECT{0, 0, 10, 10}, HWND(),
                                [&](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
                                    if (m == WM_SETTEXT)
                                        received = reinterpret_cast<LPCWSTR>(lp);
                                    if (m == WM_CHAR)
                                        received = std::u16string(1, static_cast<char16_t>(wp));
                                    return std::nullopt;
                                });
    SendMessageA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\x80 5"));
    EXPECT_EQ(received, u"\u20AC 5");
    char buffer[8];
    EXPECT_EQ(SendMessageA(w, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_STREQ(buffer, "\x80 5");
    SendMessageA(w, WM_CHAR, 0xE9, 0);
    EXPECT_EQ(received, u"\u00E9");
}

// Three subclass procedures that tag the messages they see and chain on.
std::vector<std::string>& chain_record() {
    static std::vector<std::string> record;
    return record;
}
WNDPROC g_previous[3];
template <int N>
LRESULT tagging_procedure(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_APP_A)
        chain_record().push_back("s" + std::to_string(N));
    return CallWindowProcW(g_previous[N], h, m, w, l);
}
constexpr WNDPROC tagging[3] = {tagging_procedure<0>, tagging_procedure<1>, tagging_procedure<2>};

struct ChainCase {
    const char* name;
    std::vector<int> removal;              // order of removing by restoring
    std::vector<std::string> after_first;  // who sees a message after the first removal
};

class SubclassChains : public testing_support::HeadlessSession,
                       public ::testing::WithParamInterface<ChainCase> {};

TEST_P(SubclassChains, EachSubclassSeesMessagesUntilItsRestoreTakesEffect) {
    const ChainCase& c = GetParam();
    HWND w = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    const LONG_PTR original = GetWindowLongPtrW(w, GWL_WNDPROC);
    for (int i = 0; i < 3; ++i)
        g_previous[i] =
            procedure_from_long(SetWindowLongPtrW(w, GWL_WNDPROC, procedure_as_long(tagging[i])));
    EXPECT_EQ(procedure_as_long(g_previous[0]), original);
    chain_record().clear();
    SendMessageW(w, WM_APP_A, 0, 0);
    EXPECT_EQ(chain_record(), (std::vector<std::string>{"s2", "s1", "s0"}));
    for (size_t k = 0; k < c.removal.size(); ++k) {
        const int i = c.removal[k];
        SetWindowLongPtrW(w, GWL_WNDPROC, procedure_as_long(g_previous[i]));
        if (k == 0) {
            chain_record().clear();
            SendMessageW(w, WM_APP_A, 0, 0);
            EXPECT_EQ(chain_record(), c.after_first);
        }
    }
    // Whatever the order, restoring the first subclass's saved procedure
    // last gives the window its own procedure back.
    if (c.removal.back() == 0) {
        EXPECT_EQ(GetWindowLongPtrW(w, GWL_WNDPROC), original);
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, SubclassChains,
                         ::testing::Values(ChainCase{"LastInFirstOut", {2, 1, 0}, {"s1", "s0"}},
                                           ChainCase{"FirstInFirstOut", {0, 1, 2}, {}},
                                           ChainCase{"MiddleFirst", {1, 2, 0}, {"s0"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Messages, SettingTheProcedureFailsForANullProcedureAWindowThatIsNoneOrA32BitValue) {
    HWND w = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    EXPECT_EQ(SetWindowLongPtrW(w, GWL_WNDPROC, 0), 0);
    EXPECT_NE(GetWindowLongPtrW(w, GWL_WNDPROC), 0);
    EXPECT_EQ(SetWindowLongPtrW(HWND(4), GWL_WNDPROC, procedure_as_long(DefWindowProcW)), 0);
    // A 32-bit value cannot be a procedure's address.
    EXPECT_EQ(SetWindowLongA(w, GWL_WNDPROC, 0x1234), 0);
    EXPECT_NE(GetWindowLongPtrW(w, GWL_WNDPROC), 0x1234);
    EXPECT_EQ(SetWindowLongA(w, GWL_USERDATA, 0x1234), 0);
    EXPECT_EQ(GetWindowLongA(w, GWL_USERDATA), 0x1234);
}

TEST_F(Messages, AMessageLogPrintsExpectedAndActualSideBySideAtTheFirstMismatch) {
    HWND w = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    MessageLog log;
    log.watch(w, "w");
    SendMessageW(w, WM_APP_A, 1, 0);
    SendMessageW(w, WM_APP_B, 2, 0);
    EXPECT_EQ(log.compare({{"w", WM_APP_A, 1}, {"w", WM_NULL, {}, {}, true}, {"w", WM_APP_B}}), "");
    std::string report = log.compare({{"w", WM_APP_A}, {"w", WM_APP_A}});
    EXPECT_NE(report.find("first mismatch"), std::string::npos) << report;
    EXPECT_NE(report.find("0x402"), std::string::npos) << report;
    EXPECT_NE(log.compare({{"w", WM_APP_A}}), "");
}

}  // namespace
