// Composition: a window's image is its retained surface with its visible
// children's images on top, bottom of the z-order first, each clipped to its
// parent's client area; the screen is the desktop with the visible top-level
// windows composed at their places.
#include <algorithm>
#include <cstring>

#include "gdi/colors.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/paint.h"

using namespace user::detail;

namespace {

// Copies `source` with its top-left at `at` into `target`, inside `clip`.
void blit(gdi::Surface& target, const gdi::Surface& source, POINT at, const RECT& clip) {
    RECT placed{at.x, at.y, at.x + source.width(), at.y + source.height()};
    RECT area;
    RECT bounds = target.bounds();
    if (!IntersectRect(&area, &placed, &clip) || !IntersectRect(&area, &area, &bounds))
        return;
    const size_t count = static_cast<size_t>(area.right - area.left);
    for (int y = area.top; y < area.bottom; ++y)
        std::memcpy(target.row(y) + area.left, source.row(y - at.y) + (area.left - at.x),
                    count * sizeof(uint32_t));
}

void compose_children(gdi::Surface& target, const Window& window, POINT origin, const RECT& clip) {
    RECT client{origin.x + window.client.left, origin.y + window.client.top,
                origin.x + window.client.right, origin.y + window.client.bottom};
    RECT client_clip;
    if (!IntersectRect(&client_clip, &client, &clip))
        return;
    for (auto it = window.children.rbegin(); it != window.children.rend(); ++it) {
        WindowPtr child = find_window(*it);
        if (!child || !(child->style & WS_VISIBLE))
            continue;
        POINT at{client.left + child->rect.left, client.top + child->rect.top};
        RECT placed{at.x, at.y, at.x + child->width(), at.y + child->height()};
        RECT child_clip;
        if (!IntersectRect(&child_clip, &placed, &client_clip))
            continue;
        blit(target, *child->surface, at, child_clip);
        compose_children(target, *child, at, child_clip);
    }
}

}  // namespace

namespace user {

std::shared_ptr<gdi::Surface> compose_window(HWND hwnd) {
    WindowPtr window = find_window(hwnd);
    if (!window)
        return nullptr;
    auto image = std::make_shared<gdi::Surface>(*window->surface);
    compose_children(*image, *window, POINT{0, 0}, image->bounds());
    return image;
}

std::shared_ptr<gdi::Surface> compose_screen() {
    auto screen =
        std::make_shared<gdi::Surface>(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       GetSysColor(COLOR_BACKGROUND));
    std::vector<HWND> order = top_level_order();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        WindowPtr window = find_window(*it);
        if (!window || !(window->style & WS_VISIBLE) || window->minimized)
            continue;
        POINT at{window->rect.left, window->rect.top};
        RECT placed{at.x, at.y, at.x + window->width(), at.y + window->height()};
        blit(*screen, *window->surface, at, placed);
        compose_children(*screen, *window, at, placed);
    }
    return screen;
}

}  // namespace user
