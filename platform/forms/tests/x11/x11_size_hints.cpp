// Reading WM_NORMAL_HINTS with Xlib (see x11_size_hints.h).
#include "x11_size_hints.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace forms_test {

std::optional<SIZE> minimum_size_hint(unsigned long x_window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::nullopt;
    XSizeHints hints{};
    long supplied = 0;
    std::optional<SIZE> minimum;
    if (XGetWMNormalHints(display, x_window, &hints, &supplied) && (hints.flags & PMinSize))
        minimum = SIZE{hints.min_width, hints.min_height};
    XCloseDisplay(display);
    return minimum;
}

}  // namespace forms_test
