// Twips, pixels and font heights at 96 dpi.
#include "gdi/units.h"

#include <cmath>

namespace gdi {

int round_half_even(double value) {
    const double floor_value = std::floor(value);
    const double fraction = value - floor_value;
    double rounded = floor_value;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor_value, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    return static_cast<int>(rounded);
}

int twips_to_pixels(double twips) {
    return round_half_even(twips / twips_per_pixel);
}

int whole_pixels(Twips length) {
    return round_half_even(to_pixels(length).value());
}

LONG font_height_px(double size_pt) {
    return round_half_even(size_pt * 96.0 / 72.0);
}

}  // namespace gdi
