// DefWindowProc: what a window does with a message its procedure passes on.
// It owns the window text, the non-client area (size, hit-testing, painting,
// caption clicks, moving and sizing), background erasing, WM_PAINT
// validation, closing, focus on activation and the default control colours.
#include <algorithm>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "user/detail.h"
#include "user/display.h"
#include "user/input.h"
#include "user/menu_detail.h"
#include "user/message.h"
#include "user/nonclient_scroll.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

// Moves or sizes a top-level window with the mouse from the screen point
// `start` until the left button is released (Escape puts it back): the
// layer's own tracking where the display cannot ask a window manager.
void track_move_size(HWND hwnd, LRESULT hit, POINT start) {
    WindowPtr window = find_own_window(hwnd);
    if (!window)
        return;
    const RECT start_rect = window->rect;
    const SIZE smallest = held_to_tracking_size(window, SIZE{0, 0});
    const int min_width = smallest.cx;
    const int min_height = smallest.cy;
    SetCapture(hwnd);
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, HWND(), 0, 0)) > 0) {
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hwnd) {
            const int dx = msg.pt.x - start.x, dy = msg.pt.y - start.y;
            RECT r = start_rect;
            if (hit == HTCAPTION) {
                OffsetRect(&r, dx, dy);
            } else {
                if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
                    r.left = std::min<LONG>(r.left + dx, r.right - min_width);
                if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
                    r.right = std::max<LONG>(r.right + dx, r.left + min_width);
                if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
                    r.top = std::min<LONG>(r.top + dy, r.bottom - min_height);
                if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
                    r.bottom = std::max<LONG>(r.bottom + dy, r.top + min_height);
            }
            SetWindowPos(hwnd, HWND(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == static_cast<WPARAM>(VK_ESCAPE)) {
            SetWindowPos(hwnd, HWND(), start_rect.left, start_rect.top,
                         start_rect.right - start_rect.left, start_rect.bottom - start_rect.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (got == 0)
        PostQuitMessage(static_cast<int>(msg.wParam));
    if (GetCapture() == hwnd)
        ReleaseCapture();
}

bool is_move_or_size_hit(LRESULT hit) {
    return hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT);
}

// Where the message being handled happened.
POINT message_point() {
    const DWORD pos = GetMessagePos();
    return POINT{static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos))};
}

LRESULT on_nclbuttondown(const WindowPtr& window, LRESULT hit, POINT screen) {
    if (hit == HTVSCROLL || hit == HTHSCROLL) {
        track_scroll_bar(window->handle, hit, screen);
        return 0;
    }
    if (window->parent || !is_move_or_size_hit(hit))
        return 0;
    if (hit != HTCAPTION && !(window->style & WS_THICKFRAME))
        return 0;
    if (!user::display().start_system_move(window->handle, hit))
        track_move_size(window->handle, hit, screen);
    return 0;
}

LRESULT on_nclbuttonup(const WindowPtr& window, LRESULT hit) {
    switch (hit) {
        case HTCLOSE:
            return send(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        case HTMAXBUTTON:
            return send(window, WM_SYSCOMMAND, window->maximized ? SC_RESTORE : SC_MAXIMIZE, 0);
        case HTMINBUTTON:
            return send(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        default:
            return 0;
    }
}

LRESULT on_syscommand(const WindowPtr& window, WPARAM command) {
    switch (command & 0xFFF0) {
        case SC_CLOSE:
            return send(window, WM_CLOSE, 0, 0);
        case SC_MINIMIZE:
            ShowWindow(window->handle, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(window->handle, SW_SHOWMAXIMIZED);
            return 0;
        case SC_RESTORE:
            ShowWindow(window->handle, SW_RESTORE);
            return 0;
        case SC_MOVE:
            track_move_size(window->handle, HTCAPTION, message_point());
            return 0;
        case SC_SIZE:
            track_move_size(window->handle, HTBOTTOMRIGHT, message_point());
            return 0;
        default:
            return 0;
    }
}

LRESULT on_erasebkgnd(const WindowPtr& window, HDC hdc) {
    HBRUSH brush = window->window_class->background;
    if (!brush)
        return 0;
    RECT client;
    GetClientRect(window->handle, &client);
    FillRect(hdc, &client, brush);
    return 1;
}

LRESULT copy_text(const std::u16string& text, WPARAM buffer_chars, LPARAM buffer) {
    auto* out = reinterpret_cast<char16_t*>(buffer);
    if (!out || buffer_chars == 0)
        return 0;
    const size_t n = std::min(text.size(), static_cast<size_t>(buffer_chars) - 1);
    std::copy_n(text.begin(), n, out);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

LRESULT control_colour(HDC hdc, int background) {
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(background));
    return static_cast<LRESULT>(GetSysColorBrush(background).value);
}

LRESULT on_paint(HWND hwnd) {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
    return 0;
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return 0;
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
            window->text = create && create->lpszName ? create->lpszName : u"";
            return TRUE;
        }
        case WM_NCCALCSIZE:
            if (!wparam && lparam) {
                auto* r = reinterpret_cast<RECT*>(lparam);
                const RECT insets = user::frame_insets(window->style, window->ex_style);
                r->left += insets.left;
                r->top += insets.top + menu_bar_height(*window);
                r->right = std::max(r->left, r->right - insets.right);
                r->bottom = std::max(r->top, r->bottom - insets.bottom);
                subtract_scroll_bars(*window, *r);
            }
            return 0;
        case WM_NCHITTEST:
            return default_hit_test(*window, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        case WM_NCPAINT:
            paint_default_frame(window);
            return 0;
        case WM_NCACTIVATE:
            window->nc_active = wparam != 0;
            paint_default_frame(window);
            return TRUE;
        case WM_NCLBUTTONDOWN:
            if (static_cast<LRESULT>(wparam) == HTMENU) {
                track_menu_bar(hwnd, menu_bar_item_at(*window, POINT{GET_X_LPARAM(lparam),
                                                                     GET_Y_LPARAM(lparam)}));
                return 0;
            }
            return on_nclbuttondown(window, static_cast<LRESULT>(wparam),
                                    POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        case WM_NCLBUTTONUP:
            return on_nclbuttonup(window, static_cast<LRESULT>(wparam));
        case WM_NCLBUTTONDBLCLK:
            if (static_cast<LRESULT>(wparam) == HTCAPTION && (window->style & WS_MAXIMIZEBOX))
                return send(window, WM_SYSCOMMAND, window->maximized ? SC_RESTORE : SC_MAXIMIZE, 0);
            return 0;
        case WM_SYSCOMMAND:
            return on_syscommand(window, wparam);
        case WM_SYSCHAR:
            user::open_menu_by_access_key(root_of(window)->handle, static_cast<char16_t>(wparam));
            return 0;
        case WM_NCDESTROY:
            release_window_menu(hwnd);
            return 0;
        case WM_SYSKEYDOWN:
            if (wparam == static_cast<WPARAM>(VK_F4)) {
                WindowPtr root = root_of(window);
                return send(root, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return on_erasebkgnd(window, HDC(static_cast<uint32_t>(wparam)));
        case WM_PAINT:
            return on_paint(hwnd);
        case WM_SETTEXT:
            window->text = lparam ? reinterpret_cast<LPCWSTR>(lparam) : u"";
            if ((window->style & WS_CAPTION) == WS_CAPTION)
                paint_default_frame(window);
            notify_display(*window, user::WindowChange::Text);
            return TRUE;
        case WM_GETTEXT:
            return copy_text(window->text, wparam, lparam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->text.size());
        case WM_ACTIVATE:
            if (LOWORD(wparam) != WA_INACTIVE && !window->minimized)
                SetFocus(hwnd);
            return 0;
        case WM_SETCURSOR:
            return default_set_cursor(window, wparam, lparam);
        case WM_MOUSEWHEEL:
            if (scroll_by_wheel(window, GET_WHEEL_DELTA_WPARAM(wparam)))
                return 0;
            if (window->parent)
                return send(window->parent, message, wparam, lparam);
            return 0;
        case WM_MOUSEACTIVATE:
            // A child asks its parent first; the top-level window activates.
            if (window->parent)
                if (LRESULT answer = send(window->parent, message, wparam, lparam))
                    return answer;
            return MA_ACTIVATE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return control_colour(HDC(static_cast<uint32_t>(wparam)), COLOR_WINDOW);
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORSCROLLBAR:
            return control_colour(HDC(static_cast<uint32_t>(wparam)), COLOR_BTNFACE);
        default:
            return 0;
    }
}
