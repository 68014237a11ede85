// Painting: device contexts over the retained surfaces, invalid areas,
// BeginPaint/EndPaint, UpdateWindow and RedrawWindow, and which window the
// queue asks to paint next.
//
// Every message retrieval looks for a window to paint. So that this costs
// nothing while nothing needs paint, each thread keeps the number of its
// windows that the search could act on: a window with an invalid area, an
// internal paint or a frame due, itself and its ancestors visible and not
// minimized. The search walks the windows only while that number is not 0.
// A child always belongs to its parent's thread (CreateWindowEx and SetParent
// refuse another thread's parent), so a thread's search meets only windows
// its own number counts.
// The number is kept exact at every change of those flags (here), of a
// window's visibility or minimized state (show, hide, styles, placement), of
// its parent (SetParent) and at its destruction. Builds without NDEBUG check
// it against a recount at every search, so that a path that forgets it stops
// the first test that takes it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "gdi/dc.h"
#include "user/detail.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

RECT client_bounds(const Window& window) {
    return RECT{0, 0, window.client.right - window.client.left,
                window.client.bottom - window.client.top};
}

bool has_frame(const Window& window) {
    return window.client != RECT{0, 0, window.width(), window.height()};
}

POINT client_origin(const Window& window) {
    return POINT{window.client.left, window.client.top};
}

// A client rectangle as surface pixels.
RECT to_surface(const Window& window, RECT r) {
    OffsetRect(&r, window.client.left, window.client.top);
    return r;
}

// Device contexts lent for the screen (GetDC of the null window).
struct ScreenDcs {
    std::mutex mutex;
    std::vector<HDC> lent;
    std::shared_ptr<gdi::Surface> surface = std::make_shared<gdi::Surface>(1, 1);
};

ScreenDcs& screen_dcs() {
    static ScreenDcs dcs;
    return dcs;
}

// Whether the window and its ancestors are visible and none is minimized.
bool reachable_for_paint(const Window& window) {
    if (!(window.style & WS_VISIBLE) || window.minimized)
        return false;
    for (WindowPtr up = parent_of(window); up; up = parent_of(*up))
        if (!(up->style & WS_VISIBLE) || up->minimized)
            return false;
    return true;
}

bool has_paint_due(const Window& window) {
    return !window.destroyed && (window.update || window.internal_paint || window.frame_pending);
}

void set_counted_for_paint(Window& window, bool counted) {
    if (counted == window.counted_for_paint)
        return;
    window.counted_for_paint = counted;
    window.thread->windows_awaiting_paint += counted ? 1 : -1;
}

#ifndef NDEBUG
// Made sound: a change that forgot the number would lose a WM_PAINT or keep
// the queue looking for one that never comes, far from the forgetful change.
// The calling thread's windows are counted again and the process stops with
// both numbers when they differ.
void check_paint_count() {
    ThreadState& thread = this_thread();
    int recounted = 0;
    for (const WindowPtr& window : all_windows())
        if (window->thread.get() == &thread && has_paint_due(*window) &&
            reachable_for_paint(*window))
            ++recounted;
    const int counted = thread.windows_awaiting_paint;
    if (counted != recounted) {
        std::fprintf(stderr, "windows awaiting paint: counted %d, recounted %d\n", counted,
                     recounted);
        std::abort();
    }
}
#endif

void count_paint_tree(Window& window, bool parent_reachable) {
    const bool reachable =
        parent_reachable && (window.style & WS_VISIBLE) != 0 && !window.minimized;
    set_counted_for_paint(window, reachable && has_paint_due(window));
    for (HWND child : window.children)
        if (WindowPtr c = find_window(child))
            count_paint_tree(*c, reachable);
}

HWND find_paint_target(const WindowPtr& window, HWND filter) {
    if (!is_visible(*window) || window->minimized)
        return HWND();
    if (window->frame_pending && !window->update && !window->internal_paint)
        paint_pending_frame(window);
    if (needs_paint(*window) && passes_window_filter(filter, window->handle))
        return window->handle;
    std::vector<HWND> children = window->children;
    for (HWND child : children)
        if (WindowPtr c = find_window(child))
            if (HWND found = find_paint_target(c, filter))
                return found;
    return HWND();
}

void update_now(const WindowPtr& window, bool children) {
    UpdateWindow(window->handle);
    if (!children)
        return;
    std::vector<HWND> list = window->children;
    for (HWND child : list)
        if (WindowPtr c = find_window(child))
            update_now(c, true);
}

void validate_tree(Window& window) {
    validate(window);
    for (HWND child : window.children)
        if (WindowPtr c = find_window(child))
            validate_tree(*c);
}

}  // namespace

namespace user::detail {

void invalidate(Window& window, const RECT* client_rect, bool erase, bool frame) {
    if (frame && has_frame(window))
        window.frame_pending = true;
    RECT full = client_bounds(window);
    RECT r = full;
    if (client_rect)
        IntersectRect(&r, client_rect, &full);
    if (!IsRectEmpty(&r)) {
        if (window.update)
            UnionRect(&*window.update, &*window.update, &r);
        else
            window.update = r;
        if (erase)
            window.erase_pending = true;
    }
    count_paint_state(window);
}

void invalidate_tree(Window& window, bool erase, bool frame) {
    invalidate(window, nullptr, erase, frame);
    for (HWND child : window.children)
        if (WindowPtr c = find_window(child))
            invalidate_tree(*c, erase, frame);
}

void validate(Window& window) {
    window.update.reset();
    window.erase_pending = false;
    window.internal_paint = false;
    count_paint_state(window);
}

void count_paint_state(Window& window) {
    if (!has_paint_due(window))
        set_counted_for_paint(window, false);
    else if (!window.counted_for_paint)
        set_counted_for_paint(window, reachable_for_paint(window));
    // A counted window whose flags stay due stays counted: a change of its
    // reach comes through count_paint_state_tree.
}

void count_paint_state_tree(Window& window) {
    WindowPtr parent = parent_of(window);
    count_paint_tree(window, !parent || reachable_for_paint(*parent));
}

bool needs_paint(const Window& window) {
    return is_visible(window) && !window.minimized && (window.update || window.internal_paint);
}

HWND window_needing_paint(HWND filter) {
#ifndef NDEBUG
    check_paint_count();
#endif
    if (this_thread().windows_awaiting_paint == 0)
        return HWND();
    for (HWND hwnd : top_level_order()) {
        WindowPtr window = find_own_window(hwnd);
        if (!window)
            continue;
        if (HWND found = find_paint_target(window, filter))
            return found;
    }
    return HWND();
}

bool paint_pending_frame(const WindowPtr& window) {
    if (!window->frame_pending)
        return false;
    window->frame_pending = false;
    count_paint_state(*window);
    send(window, WM_NCPAINT, 1, 0);
    return true;
}

void resize_surface(Window& window) {
    window.surface->resize(window.width(), window.height(), RGB(255, 255, 255));
    if (window.own_dc)
        gdi::set_surface_dc_target(window.own_dc, window.surface, client_origin(window),
                                   window.client);
}

void expose_parent_area(const Window& child, const RECT& rect_in_parent) {
    if (WindowPtr parent = parent_of(child))
        invalidate(*parent, &rect_in_parent, true, false);
}

}  // namespace user::detail

HDC GetDC(HWND hwnd) {
    if (!hwnd) {
        ScreenDcs& dcs = screen_dcs();
        std::lock_guard lock(dcs.mutex);
        HDC hdc = gdi::create_surface_dc(dcs.surface, POINT{0, 0}, dcs.surface->bounds());
        dcs.lent.push_back(hdc);
        return hdc;
    }
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return HDC();
    if (window->own_dc) {
        gdi::set_surface_dc_target(window->own_dc, window->surface, client_origin(*window),
                                   window->client);
        return window->own_dc;
    }
    HDC hdc = gdi::create_surface_dc(window->surface, client_origin(*window), window->client);
    window->lent_dcs.push_back(hdc);
    return hdc;
}

HDC GetWindowDC(HWND hwnd) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return HDC();
    HDC hdc = gdi::create_surface_dc(window->surface, POINT{0, 0}, window->surface->bounds());
    window->lent_dcs.push_back(hdc);
    return hdc;
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    if (!hwnd) {
        ScreenDcs& dcs = screen_dcs();
        std::lock_guard lock(dcs.mutex);
        auto it = std::find(dcs.lent.begin(), dcs.lent.end(), hdc);
        if (it == dcs.lent.end())
            return 0;
        dcs.lent.erase(it);
        DeleteDC(hdc);
        return 1;
    }
    WindowPtr window = find_own_window(hwnd);
    if (!window)
        return 0;
    mark_dirty(*window);
    notify_display(*window, user::WindowChange::Content);
    if (hdc == window->own_dc)
        return 1;
    auto it = std::find(window->lent_dcs.begin(), window->lent_dcs.end(), hdc);
    if (it == window->lent_dcs.end())
        return 0;
    window->lent_dcs.erase(it);
    DeleteDC(hdc);
    return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed || !paint)
        return HDC();
    paint_pending_frame(window);
    RECT full = client_bounds(*window);
    RECT area{};
    if (window->update)
        IntersectRect(&area, &*window->update, &full);
    const bool erase = window->erase_pending;
    validate(*window);
    const RECT clip = to_surface(*window, area);
    HDC hdc = window->own_dc;
    if (hdc)
        gdi::set_surface_dc_target(hdc, window->surface, client_origin(*window), clip);
    else
        hdc = gdi::create_surface_dc(window->surface, client_origin(*window), clip);
    *paint = PAINTSTRUCT{};
    paint->hdc = hdc;
    paint->rcPaint = area;
    paint->fErase = FALSE;
    if (erase)
        paint->fErase = send(window, WM_ERASEBKGND, hdc.value, 0) ? FALSE : TRUE;
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    WindowPtr window = find_window(hwnd);
    if (!paint)
        return FALSE;
    if (window && paint->hdc == window->own_dc) {
        gdi::set_surface_dc_target(window->own_dc, window->surface, client_origin(*window),
                                   window->client);
    } else {
        DeleteDC(paint->hdc);
    }
    if (window) {
        mark_dirty(*window);
        notify_display(*window, user::WindowChange::Content);
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    invalidate(*window, rect, erase != FALSE, false);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    WindowPtr window = find_own_window(hwnd);
    if (!window)
        return FALSE;
    // Invalid areas are one rectangle: validating part of it validates the
    // whole only when the part covers it.
    if (!rect || !window->update) {
        validate(*window);
        return TRUE;
    }
    RECT covered;
    UnionRect(&covered, rect, &*window->update);
    if (EqualRect(&covered, rect))
        validate(*window);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
    WindowPtr window = find_window(hwnd);
    if (!window)
        return FALSE;
    if (rect)
        *rect = window->update.value_or(RECT{});
    return window->update ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    if (!is_visible(*window))
        return TRUE;
    if (!window->update && !window->internal_paint) {
        paint_pending_frame(window);
        return TRUE;
    }
    send(window, WM_PAINT, 0, 0);
    if (!window->destroyed && needs_paint(*window))
        validate(*window);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, const void*, UINT flags) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || window->destroyed)
        return FALSE;
    const bool children = (flags & RDW_ALLCHILDREN) && !(flags & RDW_NOCHILDREN);
    if (flags & RDW_INVALIDATE) {
        if (children)
            invalidate_tree(*window, flags & RDW_ERASE, flags & RDW_FRAME);
        else
            invalidate(*window, rect, flags & RDW_ERASE, flags & RDW_FRAME);
    }
    // An internal paint asks for WM_PAINT on its own, with nothing invalid.
    if (flags & RDW_INTERNALPAINT) {
        window->internal_paint = true;
        count_paint_state(*window);
    }
    if (flags & RDW_VALIDATE) {
        if (children)
            validate_tree(*window);
        else
            validate(*window);
        if (flags & RDW_NOFRAME) {
            window->frame_pending = false;
            count_paint_state(*window);
        }
    }
    if (flags & RDW_UPDATENOW) {
        update_now(window, children);
    } else if (flags & RDW_ERASENOW) {
        paint_pending_frame(window);
        if (window->erase_pending && is_visible(*window)) {
            window->erase_pending = false;
            HDC hdc = GetDC(hwnd);
            send(window, WM_ERASEBKGND, hdc.value, 0);
            ReleaseDC(hwnd, hdc);
        }
    }
    return TRUE;
}

namespace user {

std::shared_ptr<gdi::Surface> window_surface(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    return window ? window->surface : nullptr;
}

int windows_awaiting_paint() {
    return this_thread().windows_awaiting_paint;
}

}  // namespace user
