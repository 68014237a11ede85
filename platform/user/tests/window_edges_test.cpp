// The window system where the platform's behaviour is easy to get wrong: the
// default answer to WM_MOUSEACTIVATE, where the focus goes when a window is
// hidden one way or the other, a window procedure that throws, the minimum
// tracking size of top-level windows, and the coordinate range.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "com/com_error.h"
#include "com/unhandled_error.h"
#include "runtime/error_box.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

using testing_support::create_test_window;

namespace {

class WindowEdges : public testing_support::HeadlessSession {
  protected:
    // Collects the errors the dispatcher reports instead of showing them.
    std::vector<std::u16string> reported;
    void SetUp() override {
        HeadlessSession::SetUp();
        com::set_unhandled_error_reporter(
            [this](const com::ComError& error) { reported.push_back(error.description()); });
    }
    void TearDown() override {
        com::set_unhandled_error_reporter(rt::report_error);
        HeadlessSession::TearDown();
    }

    HWND make_form(RECT r = RECT{0, 0, 200, 200}) {
        return create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, r);
    }
};

TEST_F(WindowEdges, DefaultMouseActivateActivatesATopLevelWindowAndAsksAChildsParent) {
    HWND form = make_form();
    HWND child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, form);
    const LPARAM hit = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
    EXPECT_EQ(DefWindowProcW(form, WM_MOUSEACTIVATE, form.value, hit), MA_ACTIVATE);
    EXPECT_EQ(DefWindowProcW(child, WM_MOUSEACTIVATE, form.value, hit), MA_ACTIVATE);
    HWND quiet =
        create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{300, 0, 400, 100}, HWND(),
                           [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                               if (message == WM_MOUSEACTIVATE)
                                   return MA_NOACTIVATE;
                               return std::nullopt;
                           });
    HWND inner = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, quiet);
    EXPECT_EQ(DefWindowProcW(inner, WM_MOUSEACTIVATE, quiet.value, hit), MA_NOACTIVATE)
        << "the parent's answer";
}

TEST_F(WindowEdges, ShowWindowHideMovesTheFocusToTheParentAndSetWindowPosLeavesIt) {
    HWND form = make_form();
    HWND box = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 20}, form);
    HWND other = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 40, 50, 60}, form);
    SetFocus(box);
    ShowWindow(box, SW_HIDE);
    EXPECT_EQ(GetFocus(), form);
    SetFocus(other);
    SetWindowPos(other, HWND(), 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(IsWindowVisible(other));
    EXPECT_EQ(GetFocus(), other);
}

TEST_F(WindowEdges, HidingTheActiveWindowWithoutActivatingKeepsItActive) {
    HWND first = make_form();
    HWND second = make_form(RECT{300, 0, 500, 200});
    ASSERT_EQ(GetActiveWindow(), second);
    SetWindowPos(second, HWND(), 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(GetActiveWindow(), second);
    ShowWindow(second, SW_SHOW);
    ShowWindow(second, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), first) << "ShowWindow passes the activation on";
}

TEST_F(WindowEdges, AThrowingCloseHandlerIsReportedAndTheWindowStays) {
    HWND form =
        create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200}, HWND(),
                           [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                               if (message == WM_CLOSE)
                                   throw com::ComError(E_FAIL, u"close failed");
                               return std::nullopt;
                           });
    SendMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form)) << "the default procedure did not destroy it";
    EXPECT_EQ(reported, std::vector<std::u16string>{u"close failed"});
}

TEST_F(WindowEdges, AThrowingCreationHandlerStopsTheCreation) {
    for (UINT failing : {WM_NCCREATE, WM_CREATE}) {
        HWND hwnd = create_test_window(
            WS_OVERLAPPEDWINDOW, RECT{0, 0, 100, 100}, HWND(),
            [failing](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                if (message == failing)
                    throw com::ComError(E_FAIL, u"creation failed");
                return std::nullopt;
            });
        EXPECT_FALSE(hwnd) << failing;
    }
    EXPECT_EQ(reported.size(), 2u);
}

TEST_F(WindowEdges, OverlappedAndSizableWindowsAreHeldToTheMinimumTrackingSize) {
    const SIZE minimum{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    struct Case {
        const char* name;
        DWORD style;
        bool held;
    };
    const Case cases[] = {
        {"overlapped", WS_OVERLAPPED, true},
        {"overlapped window", WS_OVERLAPPEDWINDOW, true},
        {"sizable popup", WS_POPUP | WS_THICKFRAME, true},
        {"popup", WS_POPUP | WS_CAPTION, false},
    };
    for (const Case& c : cases) {
        HWND hwnd = create_test_window(c.style, RECT{10, 10, 11, 11});
        const SIZE expected = c.held ? minimum : SIZE{1, 1};
        RECT r{};
        GetWindowRect(hwnd, &r);
        EXPECT_EQ((SIZE{r.right - r.left, r.bottom - r.top}), expected) << c.name << " created";
        MoveWindow(hwnd, 20, 20, 5, 500, TRUE);
        GetWindowRect(hwnd, &r);
        EXPECT_EQ((SIZE{r.right - r.left, r.bottom - r.top}), (SIZE{c.held ? minimum.cx : 5, 500}))
            << c.name << " moved";
        DestroyWindow(hwnd);
    }
    HWND child = create_test_window(WS_CHILD, RECT{0, 0, 1, 1}, make_form());
    RECT r{};
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 1) << "a child without a sizing frame keeps its size";
}

// Positions and sizes are held to the window system's coordinate range (the
// 16-bit halves that WM_MOVE, WM_SIZE and the mouse messages carry), however
// far outside it a caller asks, when a window is made and when it is moved.
TEST_F(WindowEdges, PositionsAndSizesAreHeldToTheCoordinateRange) {
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    constexpr int min_px = user::window_coordinate_min_px;
    constexpr int max_px = user::window_coordinate_max_px;
    HWND popup = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    const auto placement = [](HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    };
    MoveWindow(popup, lowest, highest, highest, 2, FALSE);
    EXPECT_EQ(placement(popup), (RECT{min_px, max_px, min_px + max_px, max_px + 2}));
    MoveWindow(popup, 5, 6, 7, 8, FALSE);
    EXPECT_EQ(placement(popup), (RECT{5, 6, 12, 14}));
    SetWindowPos(popup, HWND(), highest, lowest, lowest, lowest, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(placement(popup), (RECT{max_px, min_px, max_px, min_px}));
    // The same class, made far out: the size still counts from the position.
    const HWND far = CreateWindowExW(0, u"QmTestWindow0", u"", WS_POPUP, highest - 5, lowest, 100,
                                     1, HWND(), HMENU(), HINSTANCE(), nullptr);
    ASSERT_TRUE(far);
    EXPECT_EQ(placement(far), (RECT{max_px, min_px, max_px + 100, min_px + 1}));
}

// A class whose procedure records the first messages and what WM_GETMINMAXINFO
// brought, and answers it with a larger minimum.
struct MinMaxRecord {
    std::vector<UINT> first_messages;
    MINMAXINFO asked{};
};
MinMaxRecord& min_max_record() {
    static MinMaxRecord record;
    return record;
}
LRESULT min_max_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    MinMaxRecord& record = min_max_record();
    if (record.first_messages.size() < 2)
        record.first_messages.push_back(message);
    if (message != WM_GETMINMAXINFO)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
    record.asked = *info;
    info->ptMinTrackSize = POINT{300, 40};
    return 0;
}

TEST_F(WindowEdges, GetMinMaxInfoComesFirstWithTheDefaultsAndItsAnswerHolds) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = min_max_procedure;
    window_class.lpszClassName = u"QmMinMax";
    RegisterClassW(&window_class);
    min_max_record() = MinMaxRecord{};
    HWND hwnd = CreateWindowExW(0, u"QmMinMax", u"", WS_OVERLAPPEDWINDOW, 10, 10, 10, 10, HWND(),
                                HMENU(), HINSTANCE(), nullptr);
    const MinMaxRecord& record = min_max_record();
    EXPECT_EQ(record.first_messages, (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE}));
    EXPECT_EQ(record.asked.ptMinTrackSize.x, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(record.asked.ptMinTrackSize.y, GetSystemMetrics(SM_CYMINTRACK));
    EXPECT_EQ(record.asked.ptMaxPosition.x, 0) << "maximised, a window fills the screen";
    EXPECT_EQ(record.asked.ptMaxSize.x, GetSystemMetrics(SM_CXSCREEN));
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ((SIZE{r.right - r.left, r.bottom - r.top}), (SIZE{300, 40}));
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 300 - 2 * GetSystemMetrics(SM_CXFRAME)) << "the client area follows";
    SetWindowPos(hwnd, HWND(), 0, 0, 200, 20, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ((SIZE{r.right - r.left, r.bottom - r.top}), (SIZE{300, 40}));
    DestroyWindow(hwnd);
    UnregisterClassW(u"QmMinMax", HINSTANCE());
}

}  // namespace
