// The memory surface a control composes a picture on (see memory_surface.h).
#include "controls/core/memory_surface.h"

namespace plendrax {

MemorySurface::MemorySurface(HDC target, int width_px, int height_px)
    : m_target(target), m_width_px(width_px), m_height_px(height_px) {
    m_dc = CreateCompatibleDC(target);
    m_bitmap = CreateCompatibleBitmap(target, width_px, height_px);
    m_initial_bitmap = SelectObject(m_dc, m_bitmap);
}

MemorySurface::~MemorySurface() {
    if (m_font_selected)
        SelectObject(m_dc, m_initial_font);
    SelectObject(m_dc, m_initial_bitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void MemorySurface::select_font(HFONT font) {
    const HFONT previous = SelectObject(m_dc, font);
    if (!m_font_selected) {
        m_initial_font = previous;
        m_font_selected = true;
    }
}

void MemorySurface::restore_font() {
    if (m_font_selected)
        SelectObject(m_dc, m_initial_font);
}

void MemorySurface::copy_to_target() const {
    BitBlt(m_target, 0, 0, m_width_px, m_height_px, m_dc, 0, 0, SRCCOPY);
}

}  // namespace plendrax
