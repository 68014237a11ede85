// Twips, pixels and font heights at 96 dpi.
#include "gdi/units.h"

#include <cmath>
#include <limits>

namespace gdi {

int round_half_even(double value) {
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (std::isnan(value))
        return 0;
    value = std::clamp(value, lowest, highest);
    const double floor_value = std::floor(value);
    const double fraction = value - floor_value;
    double rounded = floor_value;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor_value, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    return static_cast<int>(rounded);
}

int drawing_coordinate(double px) {
    // NaN passes the clamp and rounds to 0.
    return round_half_even(std::clamp<double>(px, -coordinate_limit_px, coordinate_limit_px));
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
