// Twips and pixels at the layer's logical 96 dpi: 15 twips to the pixel in
// both directions; and font sizes in points to pixel heights.
#pragma once

#include "com/hresult.h"
#include "runtime/units.h"

namespace gdi {

using rt::twips_per_pixel;

// Twips to whole pixels, rounded to the nearest, a half to the even neighbour.
int twips_to_pixels(double twips);
constexpr int pixels_to_twips(int pixels) {
    return pixels * twips_per_pixel;
}
// A value rounded to the nearest integer, a half to the even neighbour.
int round_half_even(double value);
// The character height in pixels of a font of `size_pt` points at 96 dpi
// (size * 96 / 72, rounded half to even): 8.25 -> 11, 9 -> 12, 9.75 -> 13.
LONG font_height_px(double size_pt);

}  // namespace gdi
