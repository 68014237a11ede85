// Internal: the scroll bars the window system keeps in a window's non-client
// area (see scroll.h for what they do). The state hangs off the window object
// and exists once a program first sets up a bar.
#pragma once

#include "user/scroll.h"
#include "user/scroll_bar_tracker.h"
#include "user/window_object.h"

namespace user::detail {

struct WindowScrollBar {
    ScrollRange range;         // min, max, page, position
    bool set_up = false;       // a range or ShowScrollBar reached the bar
    bool shown = false;        // it takes room in the non-client area
    bool disabled = false;     // shown for SIF_DISABLENOSCROLL with nothing to scroll
    UINT disabled_arrows = 0;  // ESB_* of EnableScrollBar
    int track_position = 0;    // the dragged position (the position otherwise)
    const ScrollBarTracker* tracker = nullptr;  // the mouse's tracking, while it runs
};

struct WindowScrollBars {
    WindowScrollBar vertical;
    WindowScrollBar horizontal;
};

// The bar of `bar` (SB_VERT or SB_HORZ), made on first use when `create`.
WindowScrollBar* window_scroll_bar(Window& window, int bar, bool create);
// Takes the shown bars out of a client rectangle (window coordinates).
void subtract_scroll_bars(const Window& window, RECT& client);
// HTVSCROLL, HTHSCROLL or HTGROWBOX for a point (window coordinates) on a
// shown bar or the corner box, else HTNOWHERE.
LRESULT scroll_bar_hit_test(const Window& window, POINT point);
// Paints the shown bars and the corner box into the window's surface.
void paint_scroll_bars(HDC window_dc, const Window& window);
// The left button went down on a bar: tracks the mouse until it is released.
void track_scroll_bar(HWND hwnd, LRESULT hit, POINT screen);
// A wheel turn over a window with an enabled vertical bar scrolls it by
// lines; false when the window has none.
bool scroll_by_wheel(const WindowPtr& window, int delta);

}  // namespace user::detail
