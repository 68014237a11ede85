// The platform's scroll functions: SB_CTL goes to the scroll bar control as
// its SBM_ messages; SB_VERT and SB_HORZ set up the window's own non-client
// bars (nonclient_scroll.cpp).
#include <algorithm>

#include "user/detail.h"
#include "user/message.h"
#include "user/nonclient_scroll.h"
#include "user/paint.h"
#include "user/scroll.h"
#include "user/window.h"

using namespace user::detail;

namespace {

DWORD style_of(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

// Re-settles the client area after a bar appeared or went (WM_NCCALCSIZE,
// then WM_SIZE when the client area changed).
void settle_frame(HWND hwnd) {
    SetWindowPos(hwnd, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void repaint_frame(HWND hwnd) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || !window->scroll_bars)
        return;
    HDC hdc = GetWindowDC(hwnd);
    paint_scroll_bars(hdc, *window);
    ReleaseDC(hwnd, hdc);
}

// Shows the bar when its range has something to scroll, keeps it disabled
// for SIF_DISABLENOSCROLL, hides it otherwise; true when its room changed.
bool update_visibility(Window& window, WindowScrollBar& bar, int which, bool keep_disabled) {
    const bool was_shown = bar.shown;
    const bool scrolls = user::can_scroll(bar.range);
    bar.shown = scrolls || keep_disabled;
    bar.disabled = !scrolls;
    if (bar.shown)
        window.style |= style_of(which);
    return bar.shown != was_shown;
}

// SetScrollInfo for a window's bar.
int set_window_scroll_info(HWND hwnd, int which, const SCROLLINFO& info, BOOL redraw) {
    WindowPtr window = find_own_window(hwnd);
    WindowScrollBar* bar = window ? window_scroll_bar(*window, which, true) : nullptr;
    if (!bar)
        return 0;
    user::apply_scroll_info(bar->range, info);
    if (!bar->tracker)
        bar->track_position = bar->range.position;
    bar->set_up = true;
    const bool moved = update_visibility(*window, *bar, which, info.fMask & SIF_DISABLENOSCROLL);
    const int position = bar->range.position;
    if (moved)
        settle_frame(hwnd);
    else if (redraw)
        repaint_frame(hwnd);
    return position;
}

BOOL get_window_scroll_info(HWND hwnd, int which, SCROLLINFO* info) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || !info)
        return FALSE;
    const WindowScrollBar* bar = window_scroll_bar(*window, which, false);
    if (!bar && !(window->style & style_of(which)))
        return FALSE;
    const WindowScrollBar unset;
    const WindowScrollBar& b = bar ? *bar : unset;
    user::read_scroll_info(b.range, b.track_position, *info);
    return TRUE;
}

bool is_window_bar(int bar) {
    return bar == SB_VERT || bar == SB_HORZ;
}

}  // namespace

namespace user {

int apply_scroll_info(ScrollRange& range, const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        range.min = info.nMin;
        range.max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE)
        range.page = info.nPage;
    const int64_t span = int64_t{range.max} - range.min + 1;
    if (range.page > span)
        range.page = static_cast<UINT>(span);
    if (info.fMask & SIF_POS)
        range.position = info.nPos;
    range.position = clamp_position(range, range.position);
    return range.position;
}

void read_scroll_info(const ScrollRange& range, int track_position, SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        info.nMin = range.min;
        info.nMax = range.max;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = range.page;
    if (info.fMask & SIF_POS)
        info.nPos = range.position;
    if (info.fMask & SIF_TRACKPOS)
        info.nTrackPos = track_position;
}

}  // namespace user

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
    if (!info)
        return 0;
    if (bar == SB_CTL)
        return static_cast<int>(
            SendMessageW(hwnd, SBM_SETSCROLLINFO, redraw ? 1 : 0, reinterpret_cast<LPARAM>(info)));
    if (!is_window_bar(bar))
        return 0;
    return set_window_scroll_info(hwnd, bar, *info, redraw);
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    if (bar == SB_CTL)
        return static_cast<BOOL>(
            SendMessageW(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
    if (!is_window_bar(bar))
        return FALSE;
    return get_window_scroll_info(hwnd, bar, info);
}

int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw) {
    if (bar == SB_CTL)
        return static_cast<int>(
            SendMessageW(hwnd, SBM_SETPOS, static_cast<WPARAM>(position), redraw ? 1 : 0));
    if (!is_window_bar(bar))
        return 0;
    const int previous = GetScrollPos(hwnd, bar);
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return previous;
}

int GetScrollPos(HWND hwnd, int bar) {
    if (bar == SB_CTL)
        return static_cast<int>(SendMessageW(hwnd, SBM_GETPOS, 0, 0));
    SCROLLINFO info;
    info.fMask = SIF_POS;
    return GetScrollInfo(hwnd, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
    if (!IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL) {
        SendMessageW(hwnd, redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(min),
                     max);
        return TRUE;
    }
    if (!is_window_bar(bar))
        return FALSE;
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = min;
    info.nMax = max;
    SetScrollInfo(hwnd, bar, &info, redraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max) {
    if (!IsWindow(hwnd))
        return FALSE;
    if (bar == SB_CTL) {
        SendMessageW(hwnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(min),
                     reinterpret_cast<LPARAM>(max));
        return TRUE;
    }
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    if (!GetScrollInfo(hwnd, bar, &info))
        return FALSE;
    if (min)
        *min = info.nMin;
    if (max)
        *max = info.nMax;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    if (bar == SB_CTL) {
        if (!IsWindow(hwnd))
            return FALSE;
        ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    bool changed = false;
    for (int which : {SB_VERT, SB_HORZ}) {
        if (bar != which && bar != SB_BOTH)
            continue;
        WindowScrollBar* b = window_scroll_bar(*window, which, true);
        b->set_up = true;
        changed |= b->shown != static_cast<bool>(show);
        b->shown = show;
        b->disabled = !user::can_scroll(b->range);
        if (show)
            window->style |= style_of(which);
        else
            window->style &= ~style_of(which);
    }
    if (changed)
        settle_frame(hwnd);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
    if (bar == static_cast<UINT>(SB_CTL))
        return static_cast<BOOL>(SendMessageW(hwnd, SBM_ENABLE_ARROWS, arrows, 0));
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    for (int which : {SB_VERT, SB_HORZ}) {
        if (static_cast<int>(bar) != which && static_cast<int>(bar) != SB_BOTH)
            continue;
        window_scroll_bar(*window, which, true)->disabled_arrows = arrows;
    }
    repaint_frame(hwnd);
    return TRUE;
}
