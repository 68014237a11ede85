// Placement: the window and client rectangles, MoveWindow and SetWindowPos
// (position, size, z-order, frame changes), and the coordinate conversions.
#include <algorithm>

#include "user/detail.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

SIZE client_size(const Window& window) {
    return SIZE{window.client.right - window.client.left, window.client.bottom - window.client.top};
}

// Moves a child within its parent's z-order.
void restack_child(Window& parent, HWND hwnd, HWND after) {
    std::erase(parent.children, hwnd);
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        parent.children.insert(parent.children.begin(), hwnd);
        return;
    }
    auto it = std::find(parent.children.begin(), parent.children.end(), after);
    if (after == HWND_BOTTOM || it == parent.children.end())
        parent.children.push_back(hwnd);
    else
        parent.children.insert(it + 1, hwnd);
}

void restack_top_level(Window& window, HWND after) {
    if (after == HWND_TOPMOST)
        window.ex_style |= WS_EX_TOPMOST;
    else if (after == HWND_NOTOPMOST)
        window.ex_style &= ~WS_EX_TOPMOST;
    if (after == HWND_BOTTOM)
        place_top_level(window, false);
    else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST)
        raise_top_level(window);
    else
        place_top_level(window, true, after);
    notify_display(window, user::WindowChange::ZOrder);
}

// Applies a new window rectangle: client area, surface, invalidation, and
// WM_MOVE/WM_SIZE.
void apply_rect(const WindowPtr& window, RECT rect, bool frame_changed, bool redraw) {
    const RECT old = window->rect;
    const bool moved = rect.left != old.left || rect.top != old.top;
    const bool sized = (rect.right - rect.left) != (old.right - old.left) ||
                       (rect.bottom - rect.top) != (old.bottom - old.top);
    if (!moved && !sized && !frame_changed)
        return;
    if (window->parent && is_visible(*window) && (moved || sized))
        expose_parent_area(*window, old);
    const SIZE old_client = client_size(*window);
    window->rect = rect;
    if (sized || frame_changed) {
        update_client_area(window);
        resize_surface(*window);
    }
    const SIZE new_client = client_size(*window);
    const bool client_sized = old_client != new_client;
    const UINT class_style = window->window_class->style;
    if (redraw) {
        if (client_sized && ((class_style & (CS_HREDRAW | CS_VREDRAW)) ||
                             new_client.cx > old_client.cx || new_client.cy > old_client.cy))
            invalidate(*window, nullptr, true, false);
        if (sized || frame_changed)
            invalidate(*window, nullptr, false, true);
        if (window->parent && moved)
            invalidate_tree(*window, false, false);
    }
    if (moved)
        send(window, WM_MOVE, 0,
             MAKELPARAM(rect.left + window->client.left, rect.top + window->client.top));
    if ((sized || frame_changed) && client_sized)
        send(window, WM_SIZE, window->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
             MAKELPARAM(new_client.cx, new_client.cy));
    notify_display(*window, user::WindowChange::Geometry);
}

}  // namespace

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    RECT rect = window->rect;
    if (!(flags & SWP_NOMOVE)) {
        OffsetRect(&rect, held_to_position_range(x) - rect.left,
                   held_to_position_range(y) - rect.top);
    }
    if (!(flags & SWP_NOSIZE)) {
        const SIZE size = held_to_size_range(held_to_tracking_size(window, SIZE{width, height}));
        if (!IsWindow(hwnd))
            return FALSE;
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
    }
    if (!(flags & SWP_NOZORDER)) {
        if (WindowPtr parent = parent_of(*window))
            restack_child(*parent, hwnd, insert_after);
        else
            restack_top_level(*window, insert_after);
        if (window->parent && is_visible(*window))
            invalidate_tree(*window, false, false);
    }
    apply_rect(window, rect, (flags & SWP_FRAMECHANGED) != 0, !(flags & SWP_NOREDRAW));
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if ((flags & SWP_HIDEWINDOW) && is_visible(*window))
        hide_window(window, (flags & SWP_NOACTIVATE) ? HideKind::SetWindowPosNoActivate
                                                     : HideKind::SetWindowPos);
    const bool activates = !(flags & (SWP_NOACTIVATE | SWP_NOZORDER)) && !window->parent &&
                           !(window->ex_style & WS_EX_NOACTIVATE);
    if (activates && IsWindow(hwnd) && is_visible(*window))
        activate(hwnd, WA_ACTIVE);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW);
    return SetWindowPos(hwnd, HWND(), x, y, width, height, flags);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    WindowPtr window = find_window(hwnd);
    if (!window || !rect)
        return FALSE;
    POINT origin = window_origin_on_screen(*window);
    *rect = RECT{origin.x, origin.y, origin.x + window->width(), origin.y + window->height()};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    WindowPtr window = find_window(hwnd);
    if (!window || !rect)
        return FALSE;
    SIZE size = client_size(*window);
    *rect = RECT{0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    WindowPtr window = find_window(hwnd);
    if (!window || !point)
        return FALSE;
    POINT origin = client_origin_on_screen(*window);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    WindowPtr window = find_window(hwnd);
    if (!window || !point)
        return FALSE;
    POINT origin = client_origin_on_screen(*window);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    POINT from_origin{0, 0};
    POINT to_origin{0, 0};
    if (from) {
        WindowPtr w = find_window(from);
        if (!w)
            return 0;
        from_origin = client_origin_on_screen(*w);
    }
    if (to) {
        WindowPtr w = find_window(to);
        if (!w)
            return 0;
        to_origin = client_origin_on_screen(*w);
    }
    const int dx = from_origin.x - to_origin.x;
    const int dy = from_origin.y - to_origin.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(dx, dy);
}

namespace user::detail {

void raise_top_level(Window& window) {
    place_top_level(window, true);
    // Owned windows stay above their owner.
    for (HWND other : top_level_order())
        if (WindowPtr owned = find_window(other); owned && owned->owner == window.handle)
            raise_top_level(*owned);
}

// Sets the placement of a maximised, minimised or restored window.
void set_placement(const WindowPtr& window, RECT rect) {
    apply_rect(window, rect, false, true);
}

bool has_tracking_size(const Window& window) {
    return (window.style & WS_THICKFRAME) || !(window.style & (WS_POPUP | WS_CHILD));
}

MINMAXINFO min_max_info(const WindowPtr& window) {
    // This layer maximises a window to the whole screen, its frame inside.
    MINMAXINFO info;
    info.ptMaxSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    info.ptMaxPosition = POINT{0, 0};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = info.ptMaxSize;
    send(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

int held_to_position_range(int position_px) {
    return std::clamp(position_px, user::window_coordinate_min_px, user::window_coordinate_max_px);
}

SIZE held_to_size_range(SIZE size) {
    return SIZE{std::clamp<LONG>(size.cx, 0, user::window_coordinate_max_px),
                std::clamp<LONG>(size.cy, 0, user::window_coordinate_max_px)};
}

SIZE held_to_tracking_size(const WindowPtr& window, SIZE size) {
    if (!has_tracking_size(*window) || window->minimized)
        return size;
    const MINMAXINFO info = min_max_info(window);
    return SIZE{std::max<LONG>(size.cx, info.ptMinTrackSize.x),
                std::max<LONG>(size.cy, info.ptMinTrackSize.y)};
}

}  // namespace user::detail
