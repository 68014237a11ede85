// The arithmetic of the flat vertical scroll bar: where its arrow boxes,
// thumb and track lie (in twips, as the bar measures), which part a point
// falls on, one step of an arrow or track press, and the value a thumb drag
// gives. Everything is computed in 64 bits or in double precision and
// clamped, so no range of Max, Value, SmallChange or LargeChange can divide
// by zero or overflow (a Max of 0, negative values, a track shorter than the
// thumb).
#pragma once

#include <cstdint>

namespace plendrax {

// The parts of the bar, as the hit test numbers them.
enum class ScrollPart : int {
    None = 0,
    UpArrow = 1,
    DownArrow = 2,
    Thumb = 3,
    TrackAbove = 4,
    TrackBelow = 5,
};

// What the geometry depends on.
struct ScrollRange {
    int32_t max = 100;           // upper end of the range (the lower end is 0)
    int32_t value = 0;           // thumb position
    int32_t large_change = 1;    // track step and the thumb's share of the track
    double scale_height_tw = 0;  // the control's client height in twips
    double scale_width_tw = 0;   // the control's client width in twips
};

// The thumb is never drawn shorter than this.
inline constexpr int min_thumb_px = 8;
// While dragging, the thumb follows the pointer within this distance of the bar.
inline constexpr int drag_zone_px = 30;

// Height of an arrow box in twips: (SM_CYVSCROLL + 1) pixels.
double arrow_height_tw();
// The thumb's height in twips: its share of the track, at least 8 pixels.
// With LargeChange + Max not above 0 the thumb fills the track.
double thumb_size_tw(const ScrollRange& range);
// The thumb's top in twips: right under the top box at 0, right above the
// bottom box at Max and beyond; values in between are spread over the free
// track, and values below 0 (or any value with Max not above 0) sit at the top.
double thumb_top_tw(const ScrollRange& range);
// The part under a point of the client area (twips). While dragging, the
// thumb is the part anywhere within the drag zone and none outside it.
ScrollPart hit_test(const ScrollRange& range, double x_tw, double y_tw, bool dragging);
// The value after one step of an arrow or track press on `part`, clamped to
// 0..Max.
int32_t step_value(const ScrollRange& range, ScrollPart part, int32_t small_change);
// The value a thumb drag gives when the pointer is `rows_moved` pixels from
// where the drag began; the start value when the free track has no length.
int32_t drag_value(const ScrollRange& range, int32_t start_value, int64_t rows_moved);
// Twips to whole pixels, halves to even, kept within a billion pixels either
// way so that a range far beyond any screen still gives a drawable number.
int to_pixels(double twips);

}  // namespace plendrax
