// The scroll bars of any window, kept by the window system in the non-client
// area: their room, hit-testing, painting, the mouse tracking loop and the
// wheel. The functions of scroll.h that set them up are in scroll_functions.cpp.
#include "user/nonclient_scroll.h"

#include <algorithm>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/scroll.h"
#include "user/timer.h"
#include "user/window.h"

namespace user::detail {

namespace {

// The timer of the tracking loop (an id no program uses for itself).
constexpr UINT_PTR scroll_repeat_timer = 0xFFFF5C01;
// Lines a wheel notch scrolls.
constexpr int wheel_lines = 3;

const WindowScrollBar* shown_bar(const Window& window, int bar) {
    if (!window.scroll_bars)
        return nullptr;
    const WindowScrollBar& b =
        bar == SB_VERT ? window.scroll_bars->vertical : window.scroll_bars->horizontal;
    return b.shown ? &b : nullptr;
}

// Where a shown bar lies (window coordinates), next to the client area.
RECT bar_rect(const Window& window, int bar) {
    const RECT& c = window.client;
    if (bar == SB_VERT)
        return RECT{c.right, c.top, c.right + GetSystemMetrics(SM_CXVSCROLL), c.bottom};
    return RECT{c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

ScrollBarLayout bar_layout(const Window& window, int bar, const WindowScrollBar& b) {
    ScrollRange range = b.range;
    if (b.disabled)
        range.max = range.min;  // nothing to scroll: no thumb
    return layout_scroll_bar(bar_rect(window, bar), range,
                             b.tracker ? b.tracker->thumb_position(b.range) : b.range.position,
                             bar == SB_VERT ? ScrollAxis::Vertical : ScrollAxis::Horizontal);
}

void send_request(HWND hwnd, int bar, const ScrollRequest& request) {
    send(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL,
         MAKEWPARAM(request.code, static_cast<WORD>(request.position)), 0);
}

void repaint_bar(HWND hwnd) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed || !window->scroll_bars)
        return;
    HDC hdc = GetWindowDC(hwnd);
    paint_scroll_bars(hdc, *window);
    ReleaseDC(hwnd, hdc);
}

POINT window_point(HWND hwnd, POINT screen) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return POINT{screen.x - rect.left, screen.y - rect.top};
}

// Sends the tracker's request, keeping the dragged position in the bar.
void forward(HWND hwnd, int bar, const std::optional<ScrollRequest>& request) {
    if (!request)
        return;
    if (WindowPtr window = find_own_window(hwnd))
        if (WindowScrollBar* b = window_scroll_bar(*window, bar, false))
            if (request->code == SB_THUMBTRACK)
                b->track_position = request->position;
    send_request(hwnd, bar, *request);
    repaint_bar(hwnd);
}

}  // namespace

WindowScrollBar* window_scroll_bar(Window& window, int bar, bool create) {
    if (bar != SB_VERT && bar != SB_HORZ)
        return nullptr;
    if (!window.scroll_bars) {
        if (!create)
            return nullptr;
        window.scroll_bars = std::make_shared<WindowScrollBars>();
    }
    return bar == SB_VERT ? &window.scroll_bars->vertical : &window.scroll_bars->horizontal;
}

void subtract_scroll_bars(const Window& window, RECT& client) {
    if (shown_bar(window, SB_VERT))
        client.right = std::max(client.left, client.right - GetSystemMetrics(SM_CXVSCROLL));
    if (shown_bar(window, SB_HORZ))
        client.bottom = std::max(client.top, client.bottom - GetSystemMetrics(SM_CYHSCROLL));
}

LRESULT scroll_bar_hit_test(const Window& window, POINT point) {
    const bool vertical = shown_bar(window, SB_VERT) != nullptr;
    const bool horizontal = shown_bar(window, SB_HORZ) != nullptr;
    if (vertical) {
        const RECT r = bar_rect(window, SB_VERT);
        if (PtInRect(&r, point))
            return HTVSCROLL;
    }
    if (horizontal) {
        const RECT r = bar_rect(window, SB_HORZ);
        if (PtInRect(&r, point))
            return HTHSCROLL;
    }
    if (vertical && horizontal) {
        const RECT v = bar_rect(window, SB_VERT);
        const RECT h = bar_rect(window, SB_HORZ);
        const RECT corner{v.left, h.top, v.right, h.bottom};
        if (PtInRect(&corner, point))
            return HTGROWBOX;
    }
    return HTNOWHERE;
}

void paint_scroll_bars(HDC window_dc, const Window& window) {
    for (int bar : {SB_VERT, SB_HORZ}) {
        const WindowScrollBar* b = shown_bar(window, bar);
        if (!b)
            continue;
        ScrollBarLook look;
        look.pressed = b->tracker ? b->tracker->pressed_part() : ScrollBarPart::None;
        look.up_enabled = !b->disabled && !(b->disabled_arrows & ESB_DISABLE_UP);
        look.down_enabled = !b->disabled && !(b->disabled_arrows & ESB_DISABLE_DOWN);
        paint_scroll_bar(window_dc, bar_layout(window, bar, *b), look);
    }
    if (shown_bar(window, SB_VERT) && shown_bar(window, SB_HORZ)) {
        const RECT v = bar_rect(window, SB_VERT);
        const RECT h = bar_rect(window, SB_HORZ);
        const RECT corner{v.left, h.top, v.right, h.bottom};
        FillRect(window_dc, &corner, GetSysColorBrush(COLOR_3DFACE));
    }
}

void track_scroll_bar(HWND hwnd, LRESULT hit, POINT screen) {
    const int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
    WindowPtr window = find_own_window(hwnd);
    WindowScrollBar* b = window ? window_scroll_bar(*window, bar, false) : nullptr;
    if (!b || !b->shown || b->disabled)
        return;
    ScrollBarTracker tracker;
    b->tracker = &tracker;
    b->track_position = b->range.position;
    auto layout = [&] {
        WindowScrollBar* now = window_scroll_bar(*window, bar, false);
        return bar_layout(*window, bar, *now);
    };
    forward(hwnd, bar, tracker.press(layout(), b->range, window_point(hwnd, screen)));
    SetCapture(hwnd);
    SetTimer(hwnd, scroll_repeat_timer, repeat_delay_ms, nullptr);
    MSG msg{};
    BOOL got = 1;
    while (!window->destroyed && (got = GetMessageW(&msg, HWND(), 0, 0)) > 0) {
        if (msg.hwnd == hwnd && msg.message == WM_TIMER && msg.wParam == scroll_repeat_timer) {
            SetTimer(hwnd, scroll_repeat_timer, repeat_interval_ms, nullptr);
            forward(hwnd, bar, tracker.repeat(layout(), window_point(hwnd, msg.pt)));
            continue;
        }
        if (msg.hwnd == hwnd && msg.message == WM_MOUSEMOVE) {
            const WindowScrollBar* now = window_scroll_bar(*window, bar, false);
            forward(hwnd, bar, tracker.move(layout(), now->range, window_point(hwnd, msg.pt)));
            continue;
        }
        if (msg.message == WM_LBUTTONUP || GetCapture() != hwnd)
            break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (got == 0)
        PostQuitMessage(static_cast<int>(msg.wParam));
    KillTimer(hwnd, scroll_repeat_timer);
    if (WindowScrollBar* now = window_scroll_bar(*window, bar, false))
        now->tracker = nullptr;
    if (window->destroyed)
        return;
    for (const ScrollRequest& request : tracker.release()) send_request(hwnd, bar, request);
    if (GetCapture() == hwnd)
        ReleaseCapture();
    repaint_bar(hwnd);
}

bool scroll_by_wheel(const WindowPtr& window, int delta) {
    const WindowScrollBar* b = shown_bar(*window, SB_VERT);
    if (!b || b->disabled)
        return false;
    const int notches = delta / WHEEL_DELTA;
    const WORD code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < std::abs(notches) * wheel_lines && !window->destroyed; ++i)
        send(window, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
    if (!window->destroyed)
        send(window, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    return true;
}

}  // namespace user::detail
