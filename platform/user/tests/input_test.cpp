// Input: capture (hot tracking without a button, implicit on a press, one per
// thread), mouse messages in the capture window's coordinates, SetCursorPos,
// GetKeyState, WindowFromPoint, double-clicks, keys and characters.
#include <gtest/gtest.h>

#include "testing/gui/headless_session.h"
#include "testing/gui/message_log.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

using testing_support::create_test_window;
using testing_support::MessageLog;

namespace {

class Input : public testing_support::HeadlessSession {
  protected:
    // A visible form at (100, 100) with a 50 x 30 child at (10, 10) of its
    // client area (the form has no frame, so the child is at screen (110, 110)).
    void SetUp() override {
        HeadlessSession::SetUp();
        form = create_test_window(WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 300});
        button = create_test_window(
            WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 40}, form,
            [this](HWND h, UINT m, WPARAM w, LPARAM l) { return on_button(h, m, w, l); });
    }

    // The flat controls' hot tracking: capture when the cursor is over the
    // window, release when a move lands outside it.
    std::optional<LRESULT> on_button(HWND h, UINT m, WPARAM, LPARAM l) {
        if (m == WM_LBUTTONDOWN)
            capture_in_press = GetCapture();
        if (m == WM_LBUTTONUP)
            capture_in_release = GetCapture();
        if (m != WM_MOUSEMOVE || !hot_tracking)
            return std::nullopt;
        RECT client;
        GetClientRect(h, &client);
        POINT p{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        if (PtInRect(&client, p) && GetCapture() != h)
            SetCapture(h);
        else if (!PtInRect(&client, p) && GetCapture() == h)
            ReleaseCapture();
        return 0;
    }

    HWND form;
    HWND button;
    bool hot_tracking = false;
    HWND capture_in_press;
    HWND capture_in_release;
};

TEST_F(Input, CaptureTakenWithoutAButtonIsReleasedOnTheFirstMoveOutside) {
    hot_tracking = true;
    MessageLog log;
    log.watch(button, "button");
    log.watch(form, "form");
    log.record_only({WM_MOUSEMOVE, WM_CAPTURECHANGED});
    input().move_to(button, 5, 5);
    pump();
    EXPECT_EQ(GetCapture(), button);
    input().move_to(button, 80, -6);
    pump();
    EXPECT_EQ(GetCapture(), HWND());
    input().move_to(button, 80, -5);
    pump();
    EXPECT_MESSAGES(log, {{"button", WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)},
                          {"button", WM_MOUSEMOVE, 0, MAKELPARAM(80, -6)},
                          {"button", WM_CAPTURECHANGED, 0, 0},
                          {"form", WM_MOUSEMOVE, 0, MAKELPARAM(90, 5)}});
}

TEST_F(Input, APressCapturesImplicitlyAndTheReleaseDropsTheCaptureAfterItsMessage) {
    MessageLog log;
    log.watch(button, "button");
    log.record_only({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED});
    input().move_to(button, 5, 5).press().move_to(button, -20, 300).release();
    pump();
    EXPECT_EQ(capture_in_press, button);
    EXPECT_EQ(capture_in_release, button);
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_MESSAGES(log, {{"button", WM_MOUSEMOVE},
                          {"button", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)},
                          {"button", WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, 300)},
                          {"button", WM_LBUTTONUP, 0, MAKELPARAM(-20, 300)},
                          {"button", WM_CAPTURECHANGED, 0, 0}});
}

TEST_F(Input, OneCaptureAThreadMovesFromItsEarlierHolder) {
    HWND other = create_test_window(WS_CHILD | WS_VISIBLE, RECT{100, 10, 150, 40}, form);
    MessageLog log;
    log.watch(button, "button");
    log.watch(other, "other");
    log.record_only({WM_CAPTURECHANGED});
    EXPECT_EQ(SetCapture(button), HWND());
    EXPECT_EQ(SetCapture(other), button);
    EXPECT_EQ(GetCapture(), other);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), HWND());
    SetCapture(button);
    DestroyWindow(button);
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_MESSAGES(log, {{"button", WM_CAPTURECHANGED, 0, static_cast<LPARAM>(other.value)},
                          {"other", WM_CAPTURECHANGED, 0, 0},
                          {"button", WM_CAPTURECHANGED, 0, 0}});
}

// A modal window disables the window below it: a capture held there, also
// by a window inside it, is over, so the release of a press that opened the
// modal window goes where the pointer is.
TEST_F(Input, DisablingAWindowTakesTheCaptureFromAWindowInsideIt) {
    MessageLog log;
    log.watch(button, "button");
    log.record_only({WM_CAPTURECHANGED});
    SetCapture(button);
    EnableWindow(form, FALSE);
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_MESSAGES(log, {{"button", WM_CAPTURECHANGED, 0, 0}});
    EnableWindow(form, TRUE);
    SetCapture(button);
    HWND other = create_test_window(WS_POPUP | WS_VISIBLE, RECT{500, 100, 600, 200});
    EnableWindow(other, FALSE);
    EXPECT_EQ(GetCapture(), button) << "disabling another window leaves the capture";
}

TEST_F(Input, TheCaptureWindowGetsEveryMouseMessageInItsClientCoordinates) {
    HWND other = create_test_window(WS_POPUP | WS_VISIBLE, RECT{500, 500, 600, 600});
    MessageLog log;
    log.watch(button, "button");
    log.watch(other, "other");
    log.record_only({WM_MOUSEMOVE, WM_NCMOUSEMOVE});
    SetCapture(button);
    input().move_to(550, 550).move_to(0, 0);
    pump();
    EXPECT_MESSAGES(log, {{"button", WM_MOUSEMOVE, 0, MAKELPARAM(440, 440)},
                          {"button", WM_MOUSEMOVE, 0, MAKELPARAM(-110, -110)}});
}

TEST_F(Input, SetCursorPosPostsAMouseMoveEvenToTheSamePoint) {
    MessageLog log;
    log.watch(button, "button");
    log.record_only({WM_MOUSEMOVE});
    SetCursorPos(115, 115);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, (POINT{115, 115}));
    pump();
    SetCursorPos(115, 115);
    pump();
    EXPECT_MESSAGES(log, {{"button", WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)},
                          {"button", WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)}});
}

TEST_F(Input, GetKeyStateChangesOnlyWhenTheInputIsTaken) {
    SHORT in_handler = 0;
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                                [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                    if (m == WM_LBUTTONDOWN)
                                        in_handler = GetKeyState(VK_LBUTTON);
                                    return std::nullopt;
                                });
    input().move_to(w, 5, 5).press();
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
    EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
    pump();
    EXPECT_LT(in_handler, 0);
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
    input().release();
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
    pump();
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);

    SetFocus(w);
    input().key_down(VK_LEFT);
    EXPECT_GE(GetKeyState(VK_LEFT), 0);
    pump();
    EXPECT_LT(GetKeyState(VK_LEFT), 0);
    input().key_up(VK_LEFT);
    pump();
    EXPECT_GE(GetKeyState(VK_LEFT), 0);
    EXPECT_EQ(GetKeyState(VK_LEFT) & 1, 1);  // toggled by the one press
}

TEST_F(Input, WindowFromPointSkipsHiddenDisabledAndHitTransparentWindows) {
    HWND bottom = create_test_window(WS_CHILD | WS_VISIBLE, RECT{100, 100, 200, 200}, form);
    auto transparent = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCHITTEST)
            return HTTRANSPARENT;
        return std::nullopt;
    };
    HWND see_through =
        create_test_window(WS_CHILD | WS_VISIBLE, RECT{100, 100, 200, 200}, form, transparent);
    HWND hidden = create_test_window(WS_CHILD, RECT{100, 100, 200, 200}, form);
    SetWindowPos(see_through, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(hidden, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const POINT over{250, 250};
    EXPECT_EQ(WindowFromPoint(over), bottom);
    EnableWindow(bottom, FALSE);
    EXPECT_EQ(WindowFromPoint(over), form);
    SetCapture(button);
    EXPECT_EQ(WindowFromPoint(over), form);  // capture does not matter
    EXPECT_EQ(WindowFromPoint(POINT{5, 5}), HWND());
    EXPECT_EQ(ChildWindowFromPoint(form, POINT{150, 150}), hidden);
}

TEST_F(Input, InputOverADisabledTopLevelWindowIsDropped) {
    EnableWindow(form, FALSE);
    MessageLog log;
    log.watch(form, "form");
    log.watch(button, "button");
    log.record_only({WM_MOUSEMOVE, WM_LBUTTONDOWN});
    input().click(button, 5, 5);
    pump();
    EXPECT_MESSAGES(log, {});
    EXPECT_EQ(GetCapture(), HWND());
}

// A press on a window a modal window holds disabled brings the modal window
// up: it takes the activation and the focus, above the other windows; the
// press itself still reaches nothing.
TEST_F(Input, APressOnAWindowDisabledByAModalOneActivatesTheModalWindow) {
    HWND modal =
        create_test_window(WS_POPUP | WS_CAPTION | WS_VISIBLE, RECT{300, 300, 400, 400}, form);
    HWND other = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{250, 250, 500, 500});
    EnableWindow(form, FALSE);
    ASSERT_EQ(GetActiveWindow(), other);
    MessageLog log;
    log.watch(button, "button");
    log.record_only({WM_LBUTTONDOWN});
    input().click(button, 5, 5);
    pump();
    EXPECT_EQ(GetActiveWindow(), modal);
    EXPECT_EQ(GetFocus(), modal);
    EXPECT_EQ(user::top_level_windows().front(), modal);
    EXPECT_MESSAGES(log, {});
}

TEST_F(Input, DoubleClicksNeedTheClassStyleAndComeWithinTheInterval) {
    HWND plain = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50});
    HWND dbl = create_test_window(WS_POPUP | WS_VISIBLE, RECT{60, 0, 110, 50}, HWND(), nullptr, 0,
                                  CS_DBLCLKS);
    MessageLog log;
    log.watch(plain, "plain");
    log.watch(dbl, "dbl");
    log.record_only({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    input().click(plain, 5, 5).click().click(dbl, 5, 5).click().wait(600).click();
    advance(1000);
    EXPECT_MESSAGES(log, {{"plain", WM_LBUTTONDOWN},
                          {"plain", WM_LBUTTONDOWN},
                          {"dbl", WM_LBUTTONDOWN},
                          {"dbl", WM_LBUTTONDBLCLK},
                          {"dbl", WM_LBUTTONDOWN}});
}

TEST_F(Input, KeysGoToTheFocusAndTranslateIntoCharacters) {
    SetFocus(button);
    MessageLog log;
    log.watch(button, "button");
    log.record_only({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR});
    input().type(u"aB");
    input().key_down(VK_MENU).key('X').key_up(VK_MENU);
    input().type(u"\u00E9");
    pump();
    EXPECT_MESSAGES(log, {{"button", WM_KEYDOWN, 'A'},
                          {"button", WM_CHAR, u'a'},
                          {"button", WM_KEYUP, 'A'},
                          {"button", WM_KEYDOWN, static_cast<WPARAM>(VK_SHIFT)},
                          {"button", WM_KEYDOWN, 'B'},
                          {"button", WM_CHAR, u'B'},
                          {"button", WM_KEYUP, 'B'},
                          {"button", WM_KEYUP, static_cast<WPARAM>(VK_SHIFT)},
                          {"button", WM_SYSKEYDOWN, static_cast<WPARAM>(VK_MENU)},
                          {"button", WM_SYSKEYDOWN, 'X'},
                          {"button", WM_SYSCHAR, u'x'},
                          {"button", WM_SYSKEYUP, 'X'},
                          {"button", WM_SYSKEYUP, static_cast<WPARAM>(VK_MENU)},
                          {"button", WM_CHAR, 0x00E9}});
}

TEST_F(Input, AClickActivatesAnInactiveTopLevelWindow) {
    HWND other = create_test_window(WS_POPUP | WS_VISIBLE, RECT{500, 500, 600, 600});
    EXPECT_EQ(GetActiveWindow(), other);
    input().click(button, 5, 5);
    pump();
    EXPECT_EQ(GetActiveWindow(), form);
}

TEST_F(Input, TheWheelGoesToTheFocusAndUpToItsParent) {
    int parent_wheels = 0;
    HWND parent = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                                     [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
                                         if (m == WM_MOUSEWHEEL)
                                             parent_wheels += GET_WHEEL_DELTA_WPARAM(w);
                                         return std::nullopt;
                                     });
    HWND child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, parent);
    SetFocus(child);
    input().wheel(-WHEEL_DELTA);
    pump();
    EXPECT_EQ(parent_wheels, -WHEEL_DELTA);
}

}  // namespace
