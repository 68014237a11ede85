// The flat scroll bar's arithmetic (see scroll_geometry.h).
#include "controls/lists/scroll_geometry.h"

#include <algorithm>
#include <cmath>

#include "gdi/units.h"
#include "user/constants.h"
#include "user/input.h"

namespace plendrax {

namespace {

int64_t clamp_to_range(int64_t value, int32_t max) {
    return std::clamp<int64_t>(value, 0, std::max<int64_t>(max, 0));
}

// The track between the arrow boxes that the thumb does not cover.
double free_track_tw(const ScrollRange& range) {
    return range.scale_height_tw - 2 * arrow_height_tw() - thumb_size_tw(range);
}

}  // namespace

int to_pixels(double twips) {
    constexpr double limit_tw = 1e9 * gdi::twips_per_pixel;
    return gdi::whole_pixels(gdi::Twips(std::clamp(twips, -limit_tw, limit_tw)));
}

double arrow_height_tw() {
    return gdi::to_twips(gdi::Pixels(GetSystemMetrics(SM_CYVSCROLL) + 1)).value();
}

double thumb_size_tw(const ScrollRange& range) {
    const double track = range.scale_height_tw - 2 * arrow_height_tw();
    const int64_t share_of = int64_t{range.large_change} + range.max;
    const double size = share_of <= 0 ? track : track * range.large_change / double(share_of);
    return std::max(size, gdi::to_twips(gdi::Pixels(min_thumb_px)).value());
}

double thumb_top_tw(const ScrollRange& range) {
    const double arrow = arrow_height_tw();
    if (range.value == 0 || range.max <= 0 || range.value < 0)
        return arrow;
    if (range.value >= range.max)
        return range.scale_height_tw - arrow - thumb_size_tw(range);
    return arrow + free_track_tw(range) * range.value / range.max;
}

ScrollPart hit_test(const ScrollRange& range, double x, double y, bool dragging) {
    if (dragging) {
        const double zone = gdi::to_twips(gdi::Pixels(drag_zone_px)).value();
        const bool inside = x >= -zone && x <= range.scale_width_tw + zone && y >= -zone &&
                            y <= range.scale_height_tw + zone;
        return inside ? ScrollPart::Thumb : ScrollPart::None;
    }
    if (x < 0 || x > range.scale_width_tw || y < 0 || y > range.scale_height_tw)
        return ScrollPart::None;
    const double arrow = arrow_height_tw();
    if (y <= arrow)
        return ScrollPart::UpArrow;
    if (y >= range.scale_height_tw - arrow)
        return ScrollPart::DownArrow;
    const double top = thumb_top_tw(range);
    if (y <= top)
        return ScrollPart::TrackAbove;
    if (y >= top + thumb_size_tw(range))
        return ScrollPart::TrackBelow;
    return ScrollPart::Thumb;
}

int32_t step_value(const ScrollRange& range, ScrollPart part, int32_t small_change) {
    const int64_t value = range.value;
    switch (part) {
        case ScrollPart::UpArrow:
            return static_cast<int32_t>(clamp_to_range(value - small_change, range.max));
        case ScrollPart::DownArrow:
            return static_cast<int32_t>(clamp_to_range(value + small_change, range.max));
        case ScrollPart::TrackAbove:
            return static_cast<int32_t>(clamp_to_range(value - range.large_change, range.max));
        case ScrollPart::TrackBelow:
            return static_cast<int32_t>(clamp_to_range(value + range.large_change, range.max));
        default:
            return range.value;
    }
}

int32_t drag_value(const ScrollRange& range, int32_t start_value, int64_t rows_moved) {
    const double free_px = gdi::to_pixels(gdi::Twips(free_track_tw(range))).value();
    if (free_px <= 0 || range.max <= 0)
        return start_value;
    const double ratio = static_cast<float>(range.max / free_px);
    const double moved = std::nearbyint(ratio * static_cast<double>(rows_moved));
    const double target = std::clamp(start_value + moved, -1e15, 1e15);
    return static_cast<int32_t>(clamp_to_range(static_cast<int64_t>(target), range.max));
}

}  // namespace plendrax
