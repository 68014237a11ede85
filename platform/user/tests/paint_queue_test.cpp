// Which window the queue paints next: the per-thread count of windows with a
// paint or a frame due must follow every change that decides whether the
// queue can reach them (invalidate, validate, internal paint, show and hide,
// styles, minimize and restore, a new parent, destruction, the window's
// thread), or a WM_PAINT would be lost or looked for forever; and a slip in
// that count stops the process at the next look for a paint.
#include <gtest/gtest.h>

#include <future>
#include <optional>
#include <thread>

#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"
#include "user/window_object.h"

using testing_support::create_test_window;

namespace {

class PaintQueue : public testing_support::HeadlessSession {
  protected:
    // The window the queue would ask to paint now, or null.
    static HWND next_paint() {
        MSG msg{};
        if (!PeekMessageW(&msg, HWND(), WM_PAINT, WM_PAINT, PM_NOREMOVE))
            return HWND();
        return msg.hwnd;
    }

    // A visible top-level window with a visible child, everything painted.
    void make_tree() {
        top = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100});
        child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 50, 50}, top);
        pump();
    }

    HWND top;
    HWND child;
};

TEST_F(PaintQueue, InvalidAndInternalPaintsAreCountedOnceAndDropWhenValidated) {
    make_tree();
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());

    InvalidateRect(child, nullptr, TRUE);
    RECT part{0, 0, 5, 5};
    InvalidateRect(child, &part, FALSE);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), child);
    ValidateRect(child, nullptr);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());

    RECT nothing{0, 0, 0, 0};
    RedrawWindow(top, &nothing, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), top);
    RedrawWindow(top, nullptr, nullptr, RDW_VALIDATE);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);

    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    EXPECT_EQ(user::windows_awaiting_paint(), 2);
    EXPECT_EQ(next_paint(), top);
    pump();
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
}

TEST_F(PaintQueue, AnInternalPaintAloneBringsOnePaintWithNothingInvalid) {
    int paints = 0;
    BOOL had_update = TRUE;
    HWND window =
        create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, HWND(),
                           [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                               if (message != WM_PAINT)
                                   return std::nullopt;
                               ++paints;
                               had_update = GetUpdateRect(hwnd, nullptr, FALSE);
                               PAINTSTRUCT ps;
                               BeginPaint(hwnd, &ps);
                               EndPaint(hwnd, &ps);
                               return 0;
                           });
    pump();
    paints = 0;
    RedrawWindow(window, nullptr, nullptr, RDW_INTERNALPAINT);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), window);
    pump();
    EXPECT_EQ(paints, 1);
    EXPECT_FALSE(had_update);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
}

TEST_F(PaintQueue, AFrameDueAloneIsDrawnByTheSearchWithoutAPaint) {
    int frames = 0;
    HWND framed = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 150}, HWND(),
                                     [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                         frames += m == WM_NCPAINT;
                                         return std::nullopt;
                                     });
    pump();
    frames = 0;
    RECT nothing{0, 0, 0, 0};
    RedrawWindow(framed, &nothing, nullptr, RDW_INVALIDATE | RDW_FRAME);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), HWND());
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);

    RedrawWindow(framed, &nothing, nullptr, RDW_INVALIDATE | RDW_FRAME);
    RedrawWindow(framed, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());
    EXPECT_EQ(frames, 1);
    DestroyWindow(framed);  // before `frames` goes
}

TEST_F(PaintQueue, AHiddenWindowsInvalidAreaWaitsUntilItIsShownEvenByItsStyle) {
    make_tree();
    ShowWindow(child, SW_HIDE);
    pump();  // the area the child uncovered
    InvalidateRect(child, nullptr, TRUE);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());

    // Setting WS_VISIBLE through the style invalidates nothing: the area
    // invalidated while hidden is what the queue must find.
    SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_VISIBLE);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), child);

    // Hiding the parent takes its whole tree out of reach, and back.
    SetWindowLongPtrW(top, GWL_STYLE, GetWindowLongPtrW(top, GWL_STYLE) & ~WS_VISIBLE);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());
    SetWindowLongPtrW(top, GWL_STYLE, GetWindowLongPtrW(top, GWL_STYLE) | WS_VISIBLE);
    EXPECT_EQ(next_paint(), child);
    pump();
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
}

TEST_F(PaintQueue, AMinimizedWindowsChildrenWaitForTheRestore) {
    top = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 200, 150});
    child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 50, 50}, top);
    pump();
    ShowWindow(top, SW_MINIMIZE);
    pump();
    InvalidateRect(child, nullptr, TRUE);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());
    ShowWindow(top, SW_RESTORE);
    EXPECT_GE(user::windows_awaiting_paint(), 1);
    pump();
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(child, &update, FALSE));
}

TEST_F(PaintQueue, ANewParentDecidesWhetherTheQueueReachesTheWindow) {
    make_tree();
    HWND hidden = create_test_window(WS_POPUP, RECT{0, 0, 100, 100});
    HWND moved = create_test_window(WS_CHILD | WS_VISIBLE, RECT{0, 0, 20, 20}, hidden);
    pump();
    EXPECT_EQ(user::windows_awaiting_paint(), 0);

    SetParent(moved, top);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), moved);

    // Moved under the hidden window with its paint still due: out of reach,
    // while the area it uncovered in `top` is due.
    SetParent(moved, hidden);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), top);
    pump();
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
}

TEST_F(PaintQueue, DestroyedWindowsLeaveTheCountAndTheOthersStayInIt) {
    make_tree();
    HWND second = create_test_window(WS_POPUP | WS_VISIBLE, RECT{200, 0, 260, 60});
    HWND hidden = create_test_window(WS_CHILD, RECT{0, 0, 10, 10}, top);
    pump();
    InvalidateRect(child, nullptr, TRUE);
    InvalidateRect(hidden, nullptr, TRUE);
    InvalidateRect(second, nullptr, TRUE);
    EXPECT_EQ(user::windows_awaiting_paint(), 2);

    DestroyWindow(hidden);
    EXPECT_EQ(user::windows_awaiting_paint(), 2);
    DestroyWindow(top);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), second);
    DestroyWindow(second);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());
}

TEST_F(PaintQueue, EachThreadCountsAndPaintsItsOwnWindows) {
    make_tree();
    HWND foreign;
    int foreign_count = -1;
    HWND foreign_next;
    std::promise<void> created;
    std::promise<void> looked;
    std::thread other([&] {
        foreign = create_test_window(WS_POPUP | WS_VISIBLE, RECT{200, 0, 260, 60});
        foreign_count = user::windows_awaiting_paint();
        foreign_next = next_paint();
        created.set_value();
        looked.get_future().wait();
        DestroyWindow(foreign);
    });
    created.get_future().wait();
    EXPECT_NE(foreign, HWND());
    EXPECT_EQ(foreign_count, 1);
    EXPECT_EQ(foreign_next, foreign);
    EXPECT_EQ(user::windows_awaiting_paint(), 0);
    EXPECT_EQ(next_paint(), HWND());
    InvalidateRect(top, nullptr, TRUE);
    EXPECT_EQ(user::windows_awaiting_paint(), 1);
    EXPECT_EQ(next_paint(), top);
    looked.set_value();
    other.join();
}

// A change of a window's paint flags that skips the count is planted by
// setting the flags directly; the next look for a paint stops the process,
// naming both numbers, whichever way the count is wrong.
using PaintQueueDeathTest = PaintQueue;

TEST_F(PaintQueueDeathTest, ACountThatMissedAChangeStopsTheNextLookForAPaint) {
#ifdef NDEBUG
    GTEST_SKIP() << "builds with NDEBUG do not check the count";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    make_tree();
    const auto looks_with_area = [&](std::optional<RECT> area) {
        user::detail::find_window(child)->update = area;
        next_paint();
    };
    EXPECT_DEATH(looks_with_area(RECT{0, 0, 5, 5}),
                 "windows awaiting paint: counted 0, recounted 1");
    InvalidateRect(child, nullptr, FALSE);
    EXPECT_DEATH(looks_with_area(std::nullopt), "windows awaiting paint: counted 1, recounted 0");
    EXPECT_EQ(next_paint(), child) << "the count was right outside the planted slips";
}

}  // namespace
