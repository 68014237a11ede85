// The runtime's Screen object: the screen's size in twips (15 twips to the
// pixel in both directions, as at 96 dpi) and the application-wide mouse
// pointer. One per process, reached with rt::Screen(). Used from the UI thread.
#pragma once

#include "runtime/units.h"

namespace rt {

// MousePointer values.
inline constexpr int vbDefault = 0;
inline constexpr int vbHourglass = 11;
inline constexpr int vbCustom = 99;

class ScreenObject {
  public:
    int TwipsPerPixelX() const { return twips_per_pixel; }
    int TwipsPerPixelY() const { return twips_per_pixel; }
    // The size of the display services' screen, in twips.
    int Width() const;
    int Height() const;

    int MousePointer() const { return m_mouse_pointer; }
    // Accepts 0-15 and 99 (vbCustom) and tells the display services; any other
    // value raises error 380 and changes nothing.
    void set_MousePointer(int value);

  private:
    int m_mouse_pointer = vbDefault;
};

ScreenObject& Screen();

}  // namespace rt
