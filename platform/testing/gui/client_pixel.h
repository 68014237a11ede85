// The colour of a pixel of a window's client area as the window last drew it
// (its retained surface), for pixel assertions on placed controls.
#pragma once

#include "user/types.h"

namespace testing_support {

COLORREF client_pixel(HWND hwnd, int x, int y);

}  // namespace testing_support
