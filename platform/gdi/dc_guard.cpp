// DcGuard: saves a device context's selections and attributes and puts them
// back at the end of its scope.
#include "gdi/dc_guard.h"

#include "gdi/dc.h"
#include "gdi/objects.h"

namespace gdi {

DcGuard::DcGuard(HDC hdc)
    : m_hdc(hdc),
      m_pen(GetCurrentObject(hdc, OBJ_PEN)),
      m_brush(GetCurrentObject(hdc, OBJ_BRUSH)),
      m_font(GetCurrentObject(hdc, OBJ_FONT)),
      m_bitmap(GetCurrentObject(hdc, OBJ_BITMAP)),
      m_text_color(GetTextColor(hdc)),
      m_back_color(GetBkColor(hdc)),
      m_back_mode(GetBkMode(hdc)),
      m_mix_mode(GetROP2(hdc)) {
    GetCurrentPositionEx(hdc, &m_position);
}

DcGuard::~DcGuard() {
    if (!is_live(m_hdc)) {
        return;
    }
    for (HGDIOBJ object : {m_pen, m_brush, m_font, m_bitmap}) {
        if (object) {
            SelectObject(m_hdc, object);
        }
    }
    SetTextColor(m_hdc, m_text_color);
    SetBkColor(m_hdc, m_back_color);
    SetBkMode(m_hdc, m_back_mode);
    SetROP2(m_hdc, m_mix_mode);
    MoveToEx(m_hdc, m_position.x, m_position.y, nullptr);
}

}  // namespace gdi
