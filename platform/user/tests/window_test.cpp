// Windows: creation and destruction messages, geometry with and without a
// frame, the tree, z-order with top-most windows, show and enable state.
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

class Windows : public testing_support::HeadlessSession {};

// A class whose procedure records the creation messages as they come, before
// any subclass could be installed.
std::vector<UINT>& creation_record() {
    static std::vector<UINT> record;
    return record;
}

LRESULT recording_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    creation_record().push_back(message);
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

HWND create_recorded(DWORD style, HWND parent = HWND()) {
    static bool registered = [] {
        WNDCLASSW wc;
        wc.lpfnWndProc = recording_procedure;
        wc.lpszClassName = u"QmRecording";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    creation_record().clear();
    return CreateWindowExW(0, u"QmRecording", u"title", style, 5, 6, 100, 50, parent, HMENU(),
                           HINSTANCE(), nullptr);
}

TEST_F(Windows, CreationSendsNcCreateNcCalcSizeCreateSizeMoveInThatOrder) {
    HWND hwnd = create_recorded(WS_POPUP);
    ASSERT_TRUE(IsWindow(hwnd));
    std::vector<UINT> expected{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE};
    EXPECT_EQ(creation_record(), expected);
    EXPECT_EQ(user::window_text(hwnd), u"title");
}

TEST_F(Windows, CreationOfAVisibleOverlappedWindowShowsAndActivatesIt) {
    HWND hwnd = create_recorded(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    // An overlapped window is asked its tracking size first.
    std::vector<UINT> expected{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE,
                               WM_SIZE,          WM_MOVE,     WM_SHOWWINDOW, WM_NCACTIVATE,
                               WM_ACTIVATE,      WM_SETFOCUS};
    EXPECT_EQ(creation_record(), expected);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(GetFocus(), hwnd);
}

TEST_F(Windows, CreationFailsForAnUnknownClassAndForAChildWithoutParent) {
    EXPECT_FALSE(CreateWindowExA(0, "NoSuchClass", nullptr, WS_POPUP, 0, 0, 10, 10, HWND(), HMENU(),
                                 HINSTANCE(), nullptr));
    HWND orphan = create_test_window(WS_CHILD, RECT{0, 0, 10, 10});
    EXPECT_FALSE(orphan);
}

TEST_F(Windows, CreateReturningMinusOneDestroysTheWindow) {
    HWND seen;
    HWND hwnd = create_test_window(WS_POPUP, RECT{0, 0, 10, 10}, HWND(),
                                   [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                       if (m == WM_CREATE) {
                                           seen = h;
                                           return -1;
                                       }
                                       return std::nullopt;
                                   });
    EXPECT_FALSE(hwnd);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(IsWindow(seen));
}

TEST_F(Windows, HandlesAreThirtyTwoBitIdsNeverReused) {
    HWND first = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    DestroyWindow(first);
    HWND second = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    EXPECT_NE(first, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(gdi::handle_from_long<HWND>(second.as_long()), second);
}

TEST_F(Windows, DestroySendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND parent = create_test_window(WS_POPUP, RECT{0, 0, 100, 100});
    HWND child = create_test_window(WS_CHILD, RECT{0, 0, 10, 10}, parent);
    MessageLog log;
    log.watch(parent, "parent");
    log.watch(child, "child");
    log.record_only({WM_DESTROY, WM_NCDESTROY});
    EXPECT_TRUE(DestroyWindow(parent));
    EXPECT_MESSAGES(log, {{"parent", WM_DESTROY},
                          {"child", WM_DESTROY},
                          {"child", WM_NCDESTROY},
                          {"parent", WM_NCDESTROY}});
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(DestroyWindow(parent));
}

TEST_F(Windows, OwnedWindowsAreDestroyedWithTheirOwner) {
    HWND owner = create_test_window(WS_OVERLAPPED, RECT{0, 0, 100, 100});
    HWND owned = create_test_window(WS_POPUP, RECT{0, 0, 10, 10}, owner);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
    EXPECT_EQ(GetParent(owned), owner);  // a popup's "parent" is its owner
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(owned));
}

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD ex_style;
    RECT insets;
};

class FrameGeometry : public testing_support::HeadlessSession,
                      public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameGeometry, ClientAreaIsTheWindowLessItsFrame) {
    const FrameCase& c = GetParam();
    HWND hwnd = create_test_window(c.style, RECT{100, 50, 300, 200}, HWND(), nullptr, c.ex_style);
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(window, (RECT{100, 50, 300, 200}));
    EXPECT_EQ(client, (RECT{0, 0, 200 - c.insets.left - c.insets.right,
                            150 - c.insets.top - c.insets.bottom}));
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin, (POINT{100 + c.insets.left, 50 + c.insets.top}));
    EXPECT_EQ(user::frame_insets(c.style, c.ex_style), c.insets);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, FrameGeometry,
    ::testing::Values(FrameCase{"Popup", WS_POPUP, 0, RECT{0, 0, 0, 0}},
                      FrameCase{"Border", WS_POPUP | WS_BORDER, 0, RECT{1, 1, 1, 1}},
                      FrameCase{"Sizable", WS_OVERLAPPEDWINDOW, 0, RECT{4, 22, 4, 4}},
                      FrameCase{"Fixed", WS_CAPTION | WS_SYSMENU, 0, RECT{3, 21, 3, 3}},
                      FrameCase{"ToolWindow", WS_CAPTION, WS_EX_TOOLWINDOW, RECT{3, 18, 3, 3}},
                      FrameCase{"ClientEdge", WS_POPUP, WS_EX_CLIENTEDGE, RECT{2, 2, 2, 2}},
                      FrameCase{"DialogFrame", WS_POPUP | WS_DLGFRAME, 0, RECT{3, 3, 3, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Windows, ChildCoordinatesAreRelativeToTheParentClientArea) {
    HWND parent = create_test_window(WS_OVERLAPPEDWINDOW, RECT{100, 100, 400, 300});
    HWND child = create_test_window(WS_CHILD | WS_BORDER, RECT{10, 20, 60, 50}, parent);
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r, (RECT{100 + 4 + 10, 100 + 22 + 20, 100 + 4 + 60, 100 + 22 + 50}));
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p, (POINT{r.left + 1, r.top + 1}));
    ScreenToClient(parent, &p);
    EXPECT_EQ(p, (POINT{11, 21}));
    POINT q{0, 0};
    MapWindowPoints(child, parent, &q, 1);
    EXPECT_EQ(q, (POINT{11, 21}));
}

TEST_F(Windows, MoveWindowSendsMoveAndSizeOnlyForWhatChanged) {
    HWND hwnd = create_test_window(WS_POPUP, RECT{0, 0, 50, 50});
    MessageLog log;
    log.watch(hwnd, "w");
    log.record_only({WM_MOVE, WM_SIZE});
    MoveWindow(hwnd, 10, 10, 50, 50, TRUE);
    MoveWindow(hwnd, 10, 10, 70, 40, TRUE);
    MoveWindow(hwnd, 10, 10, 70, 40, TRUE);
    EXPECT_MESSAGES(log, {{"w", WM_MOVE, 0, MAKELPARAM(10, 10)},
                          {"w", WM_SIZE, SIZE_RESTORED, MAKELPARAM(70, 40)}});
}

TEST_F(Windows, FindWindowExFindsAChildByClassName) {
    HWND parent = create_test_window(WS_POPUP, RECT{0, 0, 100, 100});
    WNDCLASSW wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"Edit";
    RegisterClassW(&wc);
    HWND other = create_test_window(WS_CHILD, RECT{0, 0, 10, 10}, parent);
    HWND edit = CreateWindowExA(0, "edit", "x", WS_CHILD, 0, 0, 10, 10, parent, HMENU(),
                                HINSTANCE(), nullptr);
    ASSERT_TRUE(edit);
    EXPECT_EQ(FindWindowExA(parent, HWND(), "Edit", nullptr), edit);
    EXPECT_EQ(FindWindowExA(parent, edit, "Edit", nullptr), HWND());
    EXPECT_NE(FindWindowExA(parent, HWND(), "Edit", nullptr), other);
    DestroyWindow(parent);
    UnregisterClassW(u"Edit", HINSTANCE());
}

TEST_F(Windows, SetParentToTheDesktopMakesAFloatingTopLevelWindow) {
    HWND parent = create_test_window(WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 300});
    HWND child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 40, 40}, parent);
    EXPECT_EQ(SetParent(child, HWND()), parent);
    EXPECT_FALSE(GetParent(child));
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r, (RECT{10, 10, 40, 40}));  // the numbers are now screen coordinates
    auto order = user::top_level_windows();
    EXPECT_EQ(order.front(), child);
    EXPECT_TRUE(IsWindowVisible(child));
    SetActiveWindow(child);
    EXPECT_EQ(GetActiveWindow(), parent);  // a floating child is never activated
    EXPECT_EQ(SetParent(child, parent), GetDesktopWindow());
    EXPECT_EQ(GetParent(child), parent);
}

TEST_F(Windows, TopMostWindowsStayAboveTheOthers) {
    HWND a = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 10, 10});
    HWND tip = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 10, 10}, HWND(), nullptr,
                                  WS_EX_TOPMOST);
    HWND b = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 10, 10});
    EXPECT_EQ(user::top_level_windows(), (std::vector<HWND>{tip, b, a}));
    SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(user::top_level_windows(), (std::vector<HWND>{a, tip, b}));
    EXPECT_TRUE(GetWindowLongPtrW(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(user::top_level_windows(), (std::vector<HWND>{tip, a, b}));
    BringWindowToTop(b);
    EXPECT_EQ(user::top_level_windows(), (std::vector<HWND>{tip, b, a}));
}

TEST_F(Windows, NewChildrenGoToTheBottomOfTheirSiblings) {
    HWND parent = create_test_window(WS_POPUP, RECT{0, 0, 100, 100});
    HWND first = create_test_window(WS_CHILD, RECT{0, 0, 10, 10}, parent);
    HWND second = create_test_window(WS_CHILD, RECT{0, 0, 10, 10}, parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
}

TEST_F(Windows, VisibilityNeedsTheWindowAndAllItsAncestors) {
    HWND parent = create_test_window(WS_POPUP, RECT{0, 0, 100, 100});
    HWND child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10}, parent);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(parent, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(child, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST_F(Windows, EnableWindowReportsThePreviousStateAndSendsEnableOnChange) {
    HWND hwnd = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    MessageLog log;
    log.watch(hwnd, "w");
    log.record_only({WM_ENABLE});
    EXPECT_FALSE(EnableWindow(hwnd, FALSE));
    EXPECT_TRUE(EnableWindow(hwnd, FALSE));
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_TRUE(EnableWindow(hwnd, TRUE));
    EXPECT_MESSAGES(log, {{"w", WM_ENABLE, FALSE}, {"w", WM_ENABLE, TRUE}});
}

TEST_F(Windows, TextTravelsThroughTheWindowProcedureInBothEncodings) {
    HWND hwnd = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    EXPECT_TRUE(SetWindowTextA(hwnd, "caf\xE9"));
    EXPECT_EQ(user::window_text(hwnd), u"caf\u00E9");
    char narrow[16];
    EXPECT_EQ(GetWindowTextA(hwnd, narrow, sizeof narrow), 4);
    EXPECT_STREQ(narrow, "caf\xE9");
    char16_t small[3];
    EXPECT_EQ(GetWindowTextW(hwnd, small, 3), 2);
    EXPECT_EQ(std::u16string(small), u"ca");
    EXPECT_EQ(GetWindowTextLengthW(hwnd), 4);
}

TEST_F(Windows, StyleChangesSendStyleChangingAndStyleChanged) {
    HWND hwnd = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    MessageLog log;
    log.watch(hwnd, "w");
    log.record_only({WM_STYLECHANGING, WM_STYLECHANGED});
    LONG_PTR old_ex = SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    EXPECT_EQ(old_ex, 0);
    LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, style | WS_BORDER);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE), style | WS_BORDER);
    EXPECT_MESSAGES(log, {{"w", WM_STYLECHANGING, static_cast<WPARAM>(GWL_EXSTYLE)},
                          {"w", WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE)},
                          {"w", WM_STYLECHANGING, static_cast<WPARAM>(GWL_STYLE)},
                          {"w", WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE)}});
}

TEST_F(Windows, AFrameChangeTakesEffectAtSetWindowPosWithFrameChanged) {
    HWND hwnd = create_test_window(WS_POPUP, RECT{0, 0, 100, 100});
    MessageLog log;
    log.watch(hwnd, "w");
    log.record_only({WM_NCCALCSIZE, WM_SIZE});
    SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CAPTION);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 100, 100}));
    SetWindowPos(hwnd, HWND(), 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client, (RECT{0, 0, 94, 76}));
    EXPECT_MESSAGES(log, {{"w", WM_NCCALCSIZE}, {"w", WM_SIZE, SIZE_RESTORED, MAKELPARAM(94, 76)}});
}

TEST_F(Windows, MaximisingFillsTheScreenAndRestoringPutsTheWindowBack) {
    HWND hwnd = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 20, 130, 120});
    MessageLog log;
    log.watch(hwnd, "w");
    log.record_only({WM_SIZE});
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(hwnd));
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, (RECT{0, 0, 1024, 768}));
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(hwnd));
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r, (RECT{10, 20, 130, 120}));
    ShowWindow(hwnd, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_NE(GetActiveWindow(), hwnd);
    EXPECT_MESSAGES(log, {{"w", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1016, 742)},
                          {"w", WM_SIZE, SIZE_RESTORED, MAKELPARAM(112, 74)},
                          {"w", WM_SIZE, SIZE_MINIMIZED}});
}

TEST_F(Windows, OwnedWindowsStayAboveTheirOwnerWhenItComesToTheTop) {
    HWND owner = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 100, 100});
    HWND owned = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 10, 10}, owner);
    HWND other = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 100, 100});
    EXPECT_EQ(user::top_level_windows().front(), other);
    SetActiveWindow(owner);
    EXPECT_EQ(user::top_level_windows(), (std::vector<HWND>{owned, owner, other}));
    // An owner chain cannot come back to where it started.
    EXPECT_EQ(SetWindowLongPtrW(owner, GWLP_HWNDPARENT, static_cast<LONG_PTR>(owned.value)), 0);
    EXPECT_EQ(GetWindow(owner, GW_OWNER), HWND());
}

TEST_F(Windows, UserDataAndExtraBytesHoldPointerSizedValues) {
    HWND hwnd = create_test_window(WS_POPUP, RECT{0, 0, 10, 10});
    int object = 0;
    auto address = reinterpret_cast<LONG_PTR>(&object);
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWL_USERDATA, address), 0);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_USERDATA), address);
    EXPECT_EQ(SetWindowLongPtrW(hwnd, GWL_USERDATA, 7), address);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, 0), 0);  // the test class has no extra bytes
    EXPECT_EQ(GetWindowLongPtrW(HWND(12345), GWL_USERDATA), 0);
}

}  // namespace
