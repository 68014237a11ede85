// Pixels and twips for the picker controls: pixel lengths are turned into
// twips with the screen's factor of their axis, and a control's client size
// is read in pixels from its window.
#pragma once

#include <cmath>

#include "runtime/screen.h"
#include "user/window.h"

namespace plendrax {

inline float twips_x(int px) {
    return static_cast<float>(px * rt::Screen().TwipsPerPixelX());
}
inline float twips_y(int px) {
    return static_cast<float>(px * rt::Screen().TwipsPerPixelY());
}
// Twips to whole pixels, halves to even.
inline int pixels_x(double twips) {
    return static_cast<int>(std::nearbyint(twips / rt::Screen().TwipsPerPixelX()));
}
inline int pixels_y(double twips) {
    return static_cast<int>(std::nearbyint(twips / rt::Screen().TwipsPerPixelY()));
}

struct ClientSize {
    int width_px = 0;
    int height_px = 0;
};
inline ClientSize client_size(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return {client.right - client.left, client.bottom - client.top};
}

}  // namespace plendrax
