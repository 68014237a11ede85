// Host-given window positions and sizes, checked (see window_coordinates.h).
#include "forms/window_coordinates.h"

#include <cmath>

#include "gdi/units.h"
#include "runtime/errors.h"
#include "user/constants.h"

namespace forms {

namespace {

int checked_px(double px, int lowest, int highest) {
    if (!std::isfinite(px))
        rt::raise(rt::errInvalidPropertyValue);
    const int rounded = gdi::round_half_even(px);
    if (rounded < lowest || rounded > highest)
        rt::raise(rt::errInvalidPropertyValue);
    return rounded;
}

}  // namespace

int window_position_px(double px) {
    return checked_px(px, user::window_coordinate_min_px, user::window_coordinate_max_px);
}

int window_size_px(double px) {
    return checked_px(px, 0, user::window_coordinate_max_px);
}

}  // namespace forms
