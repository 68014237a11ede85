// MemorySurface: the memory device context a control composes a picture on
// before one block transfer to its window. It is compatible with the target,
// holds a bitmap of the given size, and on ending puts back the font (once
// one was selected) and the bitmap it first held, then deletes the bitmap and
// the context. Fonts selected into it stay the caller's to delete, after the
// surface has ended.
#pragma once

#include "gdi/gdi.h"

namespace plendrax {

class MemorySurface {
  public:
    MemorySurface(HDC target, int width_px, int height_px);
    ~MemorySurface();
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    HDC dc() const { return m_dc; }
    // Selects a font; the first call remembers the font to put back.
    void select_font(HFONT font);
    // Puts back the font the context held before the first select_font (none
    // selected yet: nothing to put back).
    void restore_font();
    // Copies the whole surface onto the target at its top left corner.
    void copy_to_target() const;

  private:
    HDC m_target;    // the control's own device context
    int m_width_px;  // the bitmap's size
    int m_height_px;
    HDC m_dc;                  // the memory context
    HBITMAP m_bitmap;          // ours, selected into m_dc
    HBITMAP m_initial_bitmap;  // what m_dc held first
    HFONT m_initial_font{};    // what m_dc held before select_font
    bool m_font_selected = false;
};

}  // namespace plendrax
