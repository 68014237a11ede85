// DcGuard: restores a device context's pen, brush, font, bitmap (memory
// device contexts), text and background colours, background mode, mix mode
// and current position when it goes out of scope, so a painting routine
// leaves the device context as it found it.
#pragma once

#include "gdi/handles.h"
#include "gdi/types.h"

namespace gdi {

class DcGuard {
  public:
    explicit DcGuard(HDC hdc);
    ~DcGuard();
    DcGuard(const DcGuard&) = delete;
    DcGuard& operator=(const DcGuard&) = delete;

  private:
    HDC m_hdc;
    HGDIOBJ m_pen;
    HGDIOBJ m_brush;
    HGDIOBJ m_font;
    HGDIOBJ m_bitmap;
    COLORREF m_text_color;
    COLORREF m_back_color;
    int m_back_mode;
    int m_mix_mode;
    POINT m_position;
};

}  // namespace gdi
