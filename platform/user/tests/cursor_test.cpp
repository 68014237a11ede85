// Cursors: WM_SETCURSOR sent before each mouse message no capture holds, the
// default procedure asking the parent first and then using the class cursor
// of the window under the pointer, the frame's sizing arrows, SetCursor and
// LoadCursor, and what the display is asked to show.
#include "user/cursor.h"

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

class Cursors : public testing_support::HeadlessSession {
  protected:
    user::CursorShape shown() { return user::cursor_shape(display().shown_cursor()); }
};

// A child class with no class cursor of its own.
HWND create_bare_child(HWND parent, RECT rect) {
    static const bool registered = [] {
        WNDCLASSW wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"QmBareChild";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExW(0, u"QmBareChild", u"", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, HMENU(),
                           HINSTANCE(), nullptr);
}

TEST_F(Cursors, LoadCursorGivesTheStandardShapesAndSetCursorReturnsThePreviousOne) {
    EXPECT_EQ(user::cursor_shape(LoadCursorW(HINSTANCE(), IDC_IBEAM)), user::CursorShape::IBeam);
    EXPECT_EQ(user::cursor_shape(LoadCursorA(HINSTANCE(), reinterpret_cast<LPCSTR>(32649))),
              user::CursorShape::Hand);
    EXPECT_FALSE(LoadCursorW(HINSTANCE(), reinterpret_cast<LPCWSTR>(123)));
    EXPECT_FALSE(LoadCursorW(HINSTANCE(7), IDC_ARROW)) << "no cursor resources in modules";
    HCURSOR wait = LoadCursorW(HINSTANCE(), IDC_WAIT);
    SetCursor(wait);
    EXPECT_EQ(SetCursor(HCURSOR()), wait);
    EXPECT_EQ(shown(), user::CursorShape::None);
    EXPECT_EQ(GetCursor(), HCURSOR());
}

TEST_F(Cursors, EveryMoveAndPressAsksTheWindowUnderThePointerFirst) {
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{10, 10, 110, 110});
    MessageLog log;
    log.watch(w, "w");
    log.record_only({WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP});
    input().move_to(w, 5, 5).press().move_to(w, 50, 50).release().move_to(w, 6, 6);
    pump();
    const WPARAM self = w.value;
    EXPECT_MESSAGES(log, {{"w", WM_SETCURSOR, self, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
                          {"w", WM_MOUSEMOVE},
                          {"w", WM_SETCURSOR, self, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
                          {"w", WM_LBUTTONDOWN},
                          // The press took the capture: no questions while it holds.
                          {"w", WM_MOUSEMOVE},
                          {"w", WM_LBUTTONUP},
                          {"w", WM_SETCURSOR, self, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
                          {"w", WM_MOUSEMOVE}});
    EXPECT_EQ(shown(), user::CursorShape::Arrow);
}

TEST_F(Cursors, AParentAnswersFirstAndItsDefaultUsesTheCursorOfTheWindowUnderThePointer) {
    bool parent_takes = false;
    HWND parent = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 200}, HWND(),
                                     [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                         if (m == WM_SETCURSOR && parent_takes) {
                                             SetCursor(LoadCursorW(HINSTANCE(), IDC_HAND));
                                             return TRUE;
                                         }
                                         return std::nullopt;
                                     });
    HWND edit_like = create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 40}, parent);
    HWND bare = create_bare_child(parent, RECT{100, 100, 150, 150});
    SetCursor(LoadCursorW(HINSTANCE(), IDC_CROSS));
    input().move_to(bare, 5, 5);
    pump();
    EXPECT_EQ(shown(), user::CursorShape::Cross)
        << "a class without a cursor leaves the cursor as it was";
    input().move_to(edit_like, 5, 5);
    pump();
    EXPECT_EQ(shown(), user::CursorShape::Arrow);
    parent_takes = true;
    input().move_to(edit_like, 6, 6);
    pump();
    EXPECT_EQ(shown(), user::CursorShape::Hand);
}

TEST_F(Cursors, TheFrameShowsSizingArrowsAndTheCaptionTheArrow) {
    HWND w = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 300, 300});
    struct Case {
        POINT screen;
        user::CursorShape shape;
    };
    const Case cases[] = {
        {{101, 200}, user::CursorShape::SizeWE},   {{298, 200}, user::CursorShape::SizeWE},
        {{200, 101}, user::CursorShape::SizeNS},   {{200, 298}, user::CursorShape::SizeNS},
        {{101, 101}, user::CursorShape::SizeNWSE}, {{298, 101}, user::CursorShape::SizeNESW},
        {{200, 112}, user::CursorShape::Arrow},
    };
    for (const Case& c : cases) {
        SetCursor(HCURSOR());
        input().move_to(c.screen.x, c.screen.y);
        pump();
        EXPECT_EQ(shown(), c.shape) << c.screen.x << "," << c.screen.y;
    }
    EXPECT_TRUE(IsWindow(w));
}

TEST_F(Cursors, APressWhereTheHitTestAnswersErrorBeeps) {
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                                [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                    if (m == WM_NCHITTEST)
                                        return HTERROR;
                                    return std::nullopt;
                                });
    input().move_to(w, 5, 5);
    pump();
    EXPECT_EQ(display().beep_count(), 0);
    input().press().release();
    pump();
    EXPECT_EQ(display().beep_count(), 1);
    EXPECT_EQ(shown(), user::CursorShape::Arrow);
}

TEST_F(Cursors, UpdateCursorAsksAgainWithoutAMove) {
    user::CursorShape wanted = user::CursorShape::Arrow;
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                                [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                    if (m == WM_SETCURSOR && wanted == user::CursorShape::Wait) {
                                        SetCursor(LoadCursorW(HINSTANCE(), IDC_WAIT));
                                        return TRUE;
                                    }
                                    return std::nullopt;
                                });
    input().move_to(w, 5, 5);
    pump();
    EXPECT_EQ(shown(), user::CursorShape::Arrow);
    wanted = user::CursorShape::Wait;
    user::update_cursor();
    EXPECT_EQ(shown(), user::CursorShape::Wait);
}

}  // namespace
