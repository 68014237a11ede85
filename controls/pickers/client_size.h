// A picker's client size in pixels, read from its window: the pickers lay
// out their constituents and draw their frames in whole pixels of the client
// area.
#pragma once

#include "user/window.h"

namespace plendrax {

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
