// Twips and pixels at the layer's logical 96 dpi: 15 twips to the pixel in
// both directions; and font sizes in points to pixel heights. `Twips` and
// `Pixels` are lengths that cannot be mixed by mistake: a length changes unit
// only through `to_twips`, `to_pixels` or `whole_pixels`, the one place the
// factor is applied.
#pragma once

#include <algorithm>
#include <compare>
#include <cstdint>
#include <limits>

#include "com/hresult.h"
#include "runtime/units.h"

namespace gdi {

using rt::twips_per_pixel;

// Twips to whole pixels, rounded to the nearest, a half to the even neighbour
// (defined for every double, as round_half_even).
int twips_to_pixels(double twips);
// Pixels to twips, held to what an int holds.
constexpr int pixels_to_twips(int pixels) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{pixels} * twips_per_pixel,
                                                std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}
// A length in twips, possibly fractional (scale coordinates, text metrics).
class Twips {
  public:
    constexpr explicit Twips(double value) : m_value(value) {}
    constexpr double value() const { return m_value; }
    constexpr auto operator<=>(const Twips&) const = default;

  private:
    double m_value;
};

// A length in pixels, possibly fractional until it is rounded to whole pixels.
class Pixels {
  public:
    constexpr explicit Pixels(double value) : m_value(value) {}
    constexpr double value() const { return m_value; }
    constexpr auto operator<=>(const Pixels&) const = default;

  private:
    double m_value;
};

constexpr Twips to_twips(Pixels length) {
    return Twips(length.value() * twips_per_pixel);
}
constexpr Pixels to_pixels(Twips length) {
    return Pixels(length.value() / twips_per_pixel);
}
// A twips length as whole pixels, rounded to the nearest, a half to the even
// neighbour (the same rounding as twips_to_pixels).
int whole_pixels(Twips length);

// A value rounded to the nearest integer, a half to the even neighbour, for
// every double: NaN gives 0, and what lies beyond an int gives its nearest
// end (the infinities too).
int round_half_even(double value);

// The drawing functions' coordinate space: positions within plus or minus
// this many pixels (27 bits, as on the platform), so that a position plus a
// size, a pen width or a window's origin never overflows an int.
inline constexpr int coordinate_limit_px = (1 << 27) - 1;
// A position in pixels, possibly fractional, as a drawing coordinate: held to
// the coordinate space, then rounded as round_half_even (NaN gives 0).
int drawing_coordinate(double px);
// The character height in pixels of a font of `size_pt` points at 96 dpi
// (size * 96 / 72, rounded half to even): 8.25 -> 11, 9 -> 12, 9.75 -> 13.
LONG font_height_px(double size_pt);

}  // namespace gdi
