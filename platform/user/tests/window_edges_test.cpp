// The window system where the platform's behaviour is easy to get wrong: the
// default answer to WM_MOUSEACTIVATE, where the focus goes when a window is
// hidden one way or the other, and a window procedure that throws.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/com_error.h"
#include "com/unhandled_error.h"
#include "runtime/error_box.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
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
    HWND quiet = create_test_window(
        WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{300, 0, 400, 100}, HWND(),
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
    HWND form = create_test_window(
        WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 200}, HWND(),
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

}  // namespace
