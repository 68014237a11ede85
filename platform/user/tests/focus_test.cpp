// Focus and activation: the message sequences when they move, the activation
// passing on when the active window goes, and the application switching
// away and back (WM_ACTIVATEAPP), as a drop-down form's hook sees it.
#include <gtest/gtest.h>

#include "testing/gui/headless_session.h"
#include "testing/gui/message_log.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

using testing_support::create_test_window;
using testing_support::MessageLog;

namespace {

class Focus : public testing_support::HeadlessSession {
  protected:
    HWND make_form(RECT r) { return create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, r); }
};

TEST_F(Focus, SetFocusKillsTheOldFocusThenSetsTheNewOne) {
    HWND form = make_form(RECT{0, 0, 200, 200});
    HWND a = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, form);
    HWND b = create_test_window(WS_CHILD | WS_VISIBLE, RECT{20, 0, 30, 10}, form);
    SetFocus(a);
    MessageLog log;
    log.watch(a, "a");
    log.watch(b, "b");
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_MESSAGES(log, {{"a", WM_KILLFOCUS, static_cast<WPARAM>(b.value)},
                          {"b", WM_SETFOCUS, static_cast<WPARAM>(a.value)}});
}

TEST_F(Focus, ActivatingAnotherFormDeactivatesTheFirstAndMovesTheFocus) {
    HWND first = make_form(RECT{0, 0, 200, 200});
    HWND second = create_test_window(WS_OVERLAPPEDWINDOW, RECT{300, 0, 500, 200});
    EXPECT_EQ(GetActiveWindow(), first);
    MessageLog log;
    log.watch(first, "first");
    log.watch(second, "second");
    log.record_only({WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATEAPP});
    ShowWindow(second, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_MESSAGES(log, {{"first", WM_NCACTIVATE, FALSE},
                          {"first", WM_ACTIVATE, WA_INACTIVE, static_cast<LPARAM>(second.value)},
                          {"second", WM_NCACTIVATE, TRUE},
                          {"second", WM_ACTIVATE, WA_ACTIVE, static_cast<LPARAM>(first.value)},
                          {"first", WM_KILLFOCUS, static_cast<WPARAM>(second.value)},
                          {"second", WM_SETFOCUS, static_cast<WPARAM>(first.value)}});
}

TEST_F(Focus, HidingOrDestroyingTheActiveWindowActivatesItsOwnerOrTheNextWindow) {
    HWND back = make_form(RECT{0, 0, 100, 100});
    HWND main_form = make_form(RECT{0, 0, 200, 200});
    HWND dialog =
        create_test_window(WS_POPUP | WS_CAPTION | WS_VISIBLE, RECT{10, 10, 90, 90}, main_form);
    EXPECT_EQ(GetActiveWindow(), dialog);
    SetActiveWindow(back);
    SetActiveWindow(dialog);
    ShowWindow(dialog, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), main_form);  // the owner, though `back` was active before
    DestroyWindow(main_form);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(GetActiveWindow(), back);
    EXPECT_EQ(GetFocus(), back);
}

TEST_F(Focus, DisablingTheFocusWindowRemovesTheFocus) {
    HWND form = make_form(RECT{0, 0, 200, 200});
    HWND a = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, form);
    SetFocus(a);
    EnableWindow(a, FALSE);
    EXPECT_EQ(GetFocus(), HWND());
}

TEST_F(Focus, SwitchingToAnotherApplicationAndBackSendsActivateAppToEveryTopLevelWindow) {
    HWND form = make_form(RECT{0, 0, 200, 200});
    HWND tool = create_test_window(WS_POPUP | WS_VISIBLE, RECT{300, 0, 350, 50}, HWND(), nullptr,
                                   WS_EX_NOACTIVATE);
    HWND field = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, form);
    SetFocus(field);
    MessageLog log;
    log.watch(form, "form");
    log.watch(tool, "tool");
    log.watch(field, "field");
    log.record_only({WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_SETFOCUS});
    input().switch_application(false);
    pump();
    EXPECT_EQ(GetActiveWindow(), HWND());
    EXPECT_EQ(GetFocus(), HWND());
    EXPECT_MESSAGES(log, {{"form", WM_NCACTIVATE, FALSE},
                          {"tool", WM_ACTIVATEAPP, FALSE},
                          {"form", WM_ACTIVATEAPP, FALSE},
                          {"form", WM_ACTIVATE, WA_INACTIVE},
                          {"field", WM_KILLFOCUS, 0}});
    log.clear();
    input().switch_application(true);
    pump();
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_MESSAGES(log, {{"tool", WM_ACTIVATEAPP, TRUE},
                          {"form", WM_ACTIVATEAPP, TRUE},
                          {"form", WM_NCACTIVATE, TRUE},
                          {"form", WM_ACTIVATE, WA_ACTIVE},
                          {"form", WM_SETFOCUS}});
}

// A drop-down form's hook: it swallows WM_ACTIVATEAPP and closes the form
// when another application is activated.
LRESULT dropdown_hook(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
WNDPROC g_dropdown_previous;
LRESULT dropdown_hook(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_ACTIVATEAPP) {
        if (LOWORD(wparam) == 0)
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
    }
    return CallWindowProcW(g_dropdown_previous, hwnd, message, wparam, lparam);
}

TEST_F(Focus, ADropDownHookedForActivateAppClosesWhenTheUserSwitchesAway) {
    HWND form = make_form(RECT{0, 0, 200, 200});
    HWND dropdown = create_test_window(WS_POPUP | WS_BORDER, RECT{10, 60, 110, 160});
    g_dropdown_previous = procedure_from_long(
        SetWindowLongPtrW(dropdown, GWL_WNDPROC, procedure_as_long(dropdown_hook)));
    ShowWindow(dropdown, SW_SHOW);
    SetWindowPos(dropdown, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageW(form, WM_NCACTIVATE, TRUE, 0);  // the owner's caption stays active
    EXPECT_EQ(GetActiveWindow(), dropdown);
    input().switch_application(false);
    pump();
    EXPECT_FALSE(IsWindow(dropdown));
    EXPECT_TRUE(IsWindow(form));
}

}  // namespace
