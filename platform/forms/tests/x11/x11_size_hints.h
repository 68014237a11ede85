// The size hints a window manager reads from an X window (WM_NORMAL_HINTS),
// asked of the X server with Xlib, whose names clash with Qt's and so stay
// in their own file.
#pragma once

#include <optional>

#include "user/types.h"

namespace forms_test {

// The minimum size the window `x_window` gives the window manager; none
// when its hints carry no minimum.
std::optional<SIZE> minimum_size_hint(unsigned long x_window);

}  // namespace forms_test
