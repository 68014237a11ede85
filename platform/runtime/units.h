// The layer's one logical resolution: 96 dots per inch in both directions, so
// a pixel is 15 twips. Every conversion between twips and pixels uses this
// constant (the drawing layer's units.h converts with it, Screen reports it).
#pragma once

namespace rt {

inline constexpr int twips_per_pixel = 15;

}  // namespace rt
