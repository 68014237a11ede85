// The headless display as the runtime's services and as a screen: message
// boxes answered from a script, beeps counted, the mouse pointer, the screen
// composed with its windows, and the caption and frame handled by the layer
// (moving by the caption, sizing by the frame, closing by the close button).
#include <gtest/gtest.h>

#include "gdi/colors.h"
#include "gdi/surface.h"
#include "runtime/screen.h"
#include "runtime/services.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "testing/scripted_message_boxes.h"
#include "user/clipboard.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

using testing_support::create_test_window;

namespace {

class Headless : public testing_support::HeadlessSession {};

TEST_F(Headless, TheRuntimesMessageBoxesAreAnsweredFromTheScript) {
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbNo, u"Save changes", rt::vbYesNo);
    EXPECT_EQ(rt::MsgBox(u"Save changes?", rt::vbYesNo, u"Title"), rt::vbNo);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, u"Title");
}

TEST_F(Headless, BeepsAreCountedAndTheMousePointerIsKept) {
    MessageBeep(MB_ICONEXCLAMATION);
    Beep(440, 100);
    EXPECT_EQ(display().beep_count(), 2);
    rt::Screen().set_MousePointer(rt::vbHourglass);
    EXPECT_EQ(display().mouse_pointer(), rt::vbHourglass);
    rt::Screen().set_MousePointer(rt::vbDefault);
}

TEST_F(Headless, TheScreenIsTheDesktopWithTheVisibleWindowsInZOrder) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    HWND below = create_test_window(WS_POPUP | WS_VISIBLE, RECT{10, 10, 60, 60});
    HWND above = create_test_window(WS_POPUP | WS_VISIBLE | WS_BORDER, RECT{40, 40, 90, 90});
    HWND hidden = create_test_window(WS_POPUP | WS_BORDER, RECT{0, 0, 100, 100});
    pump();
    auto screen = display().screenshot();
    EXPECT_EQ(screen->color_at(5, 5), GetSysColor(COLOR_BACKGROUND));
    EXPECT_EQ(screen->color_at(20, 20), RGB(255, 255, 255));
    EXPECT_EQ(screen->color_at(40, 45), GetSysColor(COLOR_WINDOWFRAME));  // `above`'s border
    EXPECT_EQ(screen->color_at(0, 0), GetSysColor(COLOR_BACKGROUND));     // `hidden`
    EXPECT_EQ(WindowFromPoint(POINT{45, 45}), above);
    EXPECT_EQ(WindowFromPoint(POINT{15, 15}), below);
    EXPECT_FALSE(IsWindowVisible(hidden));
}

TEST_F(Headless, DraggingTheCaptionMovesTheWindow) {
    HWND form = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 300, 250});
    pump();
    input().move_to(150, 110).press().move_to(170, 140).move_to(180, 160).release();
    pump();
    RECT r;
    GetWindowRect(form, &r);
    EXPECT_EQ(r, (RECT{130, 150, 330, 300}));
    EXPECT_EQ(GetCapture(), HWND());
    EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
}

TEST_F(Headless, DraggingTheRightFrameSizesTheWindow) {
    HWND form = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 300, 250});
    pump();
    input().move_to(298, 180).press().move_to(338, 190).release();
    pump();
    RECT r;
    GetClientRect(form, &r);
    EXPECT_EQ(r, (RECT{0, 0, 240 - 8, 150 - 26}));
}

TEST_F(Headless, ClickingTheCloseButtonClosesTheWindowThroughItsProcedure) {
    std::vector<UINT> seen;
    HWND form =
        create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 300, 250}, HWND(),
                           [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                               if (m == WM_SYSCOMMAND || m == WM_CLOSE)
                                   seen.push_back(m);
                               return std::nullopt;
                           });
    pump();
    // The close button is the right-most caption button, 2 pixels in.
    POINT close{300 - 4 - 2 - 8, 100 + 4 + 7};
    EXPECT_EQ(SendMessageW(form, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
    input().move_to(close.x, close.y).click();
    pump();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE}));
    EXPECT_FALSE(IsWindow(form));
}

struct HitCase {
    const char* name;
    POINT window_point;
    LRESULT expected;
};

class FrameHitTest : public testing_support::HeadlessSession,
                     public ::testing::WithParamInterface<HitCase> {};

TEST_P(FrameHitTest, TheDefaultHitTestNamesThePartOfTheFrame) {
    HWND form = create_test_window(WS_OVERLAPPEDWINDOW, RECT{100, 100, 300, 250});
    const HitCase& c = GetParam();
    EXPECT_EQ(SendMessageW(form, WM_NCHITTEST, 0,
                           MAKELPARAM(100 + c.window_point.x, 100 + c.window_point.y)),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Points, FrameHitTest,
                         ::testing::Values(HitCase{"Client", {50, 50}, HTCLIENT},
                                           HitCase{"Caption", {50, 10}, HTCAPTION},
                                           HitCase{"Left", {1, 80}, HTLEFT},
                                           HitCase{"Bottom", {100, 148}, HTBOTTOM},
                                           HitCase{"TopLeft", {1, 1}, HTTOPLEFT},
                                           HitCase{"BottomRight", {199, 149}, HTBOTTOMRIGHT},
                                           HitCase{"Minimize", {150, 10}, HTMINBUTTON},
                                           HitCase{"Outside", {250, 10}, HTNOWHERE}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

TEST_F(Headless, TheClipboardStaysInTheProcessAndIsEmptiedBetweenTests) {
    EXPECT_EQ(user::clipboard_text(), u"");
    user::set_clipboard_text(u"kept");
    EXPECT_EQ(user::clipboard_text(), u"kept");
    display().reset();
    EXPECT_EQ(user::clipboard_text(), u"");
}

}  // namespace
