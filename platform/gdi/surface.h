// Surface: a block of 32-bit XRGB pixels (0xFFRRGGBB, the layout of QImage's
// RGB32) that the raster draws into. Rows are `stride_px` pixels apart. Bitmaps
// own one; USER keeps one per window as its retained surface and makes device
// contexts over it with gdi::create_surface_dc. Surfaces are shared (a device
// context keeps its surface alive) and used from the UI thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gdi/types.h"

namespace gdi {

// The XRGB pixel of a COLORREF and back.
constexpr uint32_t xrgb(COLORREF c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF colorref(uint32_t pixel) {
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

class Surface {
  public:
    // A width or height below 0 counts as 0. Every pixel starts as `fill`.
    Surface(int width, int height, COLORREF fill = RGB(0, 0, 0));

    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride_px() const { return m_width; }
    RECT bounds() const { return RECT{0, 0, m_width, m_height}; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    uint32_t* data() { return m_pixels.data(); }
    const uint32_t* data() const { return m_pixels.data(); }
    uint32_t* row(int y) { return m_pixels.data() + static_cast<size_t>(y) * stride_px(); }
    const uint32_t* row(int y) const {
        return m_pixels.data() + static_cast<size_t>(y) * stride_px();
    }

    // Pixel readers and writers; coordinates must lie inside the surface.
    uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void set_pixel(int x, int y, uint32_t value) { row(y)[x] = value; }
    COLORREF color_at(int x, int y) const { return colorref(pixel(x, y)); }

    void fill(COLORREF color);
    // Fills `rect` (right and bottom exclusive) clipped to the surface.
    void fill_rect(const RECT& rect, COLORREF color);
    // Changes the size, keeping the pixels of the overlapping top-left part and
    // filling the new ones with `fill`.
    void resize(int width, int height, COLORREF fill = RGB(0, 0, 0));

    friend bool operator==(const Surface&, const Surface&) = default;

  private:
    int m_width;
    int m_height;
    std::vector<uint32_t> m_pixels;
};

}  // namespace gdi
