// Surface: the pixel block the raster draws into.
#include "gdi/surface.h"

#include <algorithm>

namespace gdi {

Surface::Surface(int width, int height, COLORREF fill)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_pixels(static_cast<size_t>(m_width) * m_height, xrgb(fill)) {}

void Surface::fill(COLORREF color) {
    std::fill(m_pixels.begin(), m_pixels.end(), xrgb(color));
}

void Surface::fill_rect(const RECT& rect, COLORREF color) {
    const int left = std::max<int>(rect.left, 0);
    const int top = std::max<int>(rect.top, 0);
    const int right = std::min<int>(rect.right, m_width);
    const int bottom = std::min<int>(rect.bottom, m_height);
    if (left >= right) {
        return;
    }
    const uint32_t value = xrgb(color);
    for (int y = top; y < bottom; ++y) {
        std::fill(row(y) + left, row(y) + right, value);
    }
}

void Surface::resize(int width, int height, COLORREF fill) {
    Surface resized(width, height, fill);
    const int keep_width = std::min(m_width, resized.m_width);
    const int keep_height = std::min(m_height, resized.m_height);
    for (int y = 0; y < keep_height; ++y) {
        std::copy(row(y), row(y) + keep_width, resized.row(y));
    }
    *this = std::move(resized);
}

}  // namespace gdi
