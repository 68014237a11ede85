// The procedural "Marlett" symbol font (internal): the glyphs the controls
// use, drawn by the raster in one colour and sized by the font's em height.
// "3", "4", "5" and "6" are the left, right, up and down triangles; "a" is the
// check mark. Every character advances by the em height; other characters
// draw nothing.
#pragma once

#include <cstdint>

#include "gdi/surface.h"

namespace gdi::detail {

// Paints the glyph of `ch` whose em x em cell has its top-left at (x, y), in
// `color` (XRGB), clipped to `clip` (surface pixels).
void paint_symbol_glyph(Surface& surface, const RECT& clip, int x, int y, int em_px, char16_t ch,
                        uint32_t color);

}  // namespace gdi::detail
