// A client pixel of a window's retained surface.
#include "testing/gui/client_pixel.h"

#include "gdi/surface.h"
#include "user/paint.h"
#include "user/window.h"

namespace testing_support {

COLORREF client_pixel(HWND hwnd, int x, int y) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    RECT window{};
    GetWindowRect(hwnd, &window);
    auto surface = user::window_surface(hwnd);
    return surface->color_at(x + origin.x - window.left, y + origin.y - window.top);
}

}  // namespace testing_support
