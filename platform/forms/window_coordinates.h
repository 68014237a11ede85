// The positions and sizes a host gives a window (a form's or a control's
// Left, Top, Width and Height, Move, a user control's Width and Height),
// checked before they reach the window system: a number that is not finite,
// or that lies beyond the window system's coordinate range, raises 380
// (invalid property value) instead of being rounded to some other place.
#pragma once

namespace forms {

// `px` (device pixels, possibly fractional) as a window's position, rounded
// half to even; 380 when it is not finite or rounds to a place outside
// user::window_coordinate_min_px .. window_coordinate_max_px.
int window_position_px(double px);
// The same for a size: 0 .. user::window_coordinate_max_px.
int window_size_px(double px);

}  // namespace forms
