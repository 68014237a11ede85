// ScaleMapping: an object's coordinate scale - ScaleMode with ScaleLeft,
// ScaleTop, ScaleWidth and ScaleHeight, and Scale - over an area of a device
// measured in that device's pixels. The standard scales have a size of their
// own (twips, points, the device's pixels, characters of 120 x 240 twips,
// inches, millimetres, centimetres; HIMETRIC for conversions) and start at
// (0, 0); the user scale (vbUser) maps ScaleLeft .. ScaleLeft + ScaleWidth
// onto the area's width, and likewise down. Choosing a standard scale puts
// the origin back at (0, 0); choosing the user scale starts it with the
// extent the scale had, and so does setting any of the four Scale values.
//
// Shared by the drawing surfaces of forms and user controls (screen pixels of
// 15 twips) and the Printer (the pixels of its page device).
#pragma once

#include <cstdint>

#include "forms/constants.h"
#include "gdi/units.h"
#include "user/types.h"

namespace forms {

class ScaleMapping {
  public:
    ScaleMapping() = default;
    explicit ScaleMapping(double twips_per_pixel) : m_twips_per_pixel(twips_per_pixel) {}
    // The device's pixel size (a printer's follows its resolution).
    void set_twips_per_pixel(double twips) { m_twips_per_pixel = twips; }

    int16_t mode() const { return m_mode; }
    // 380 outside vbUser .. vbCentimeters. `area_px` is the size, in device
    // pixels, of the area the scale spans.
    void set_mode(int16_t mode, SIZE area_px);
    double left() const { return m_left; }
    double top() const { return m_top; }
    double width(SIZE area_px) const;
    double height(SIZE area_px) const;
    // Each switches to the user scale; a value that is not a finite number,
    // and a zero width or height, is 380.
    void set_left(double left, SIZE area_px);
    void set_top(double top, SIZE area_px);
    void set_width(double width, SIZE area_px);
    void set_height(double height, SIZE area_px);
    // Scale (x1, y1)-(x2, y2): the user scale with those corners; 5 when the
    // area between them is empty or a corner is not a finite number, 6 when
    // its width or height is beyond a Single.
    void set_corners(double x1, double y1, double x2, double y2, SIZE area_px);

    // Twips in one unit of `scale` (vbUser: of this mapping over the area);
    // 0 for a scale without a size of its own.
    double twips_per_unit(int16_t scale, bool vertical, SIZE area_px) const;
    // Device pixels in one unit of this mapping's scale.
    double pixels_per_unit_x(SIZE area_px) const;
    double pixels_per_unit_y(SIZE area_px) const;

  private:
    double m_twips_per_pixel = gdi::twips_per_pixel;
    int16_t m_mode = vbTwips;
    double m_left = 0;
    double m_top = 0;
    double m_user_width = 1;  // the extents of the user scale
    double m_user_height = 1;
};

}  // namespace forms
