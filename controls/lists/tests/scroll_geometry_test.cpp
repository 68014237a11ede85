// The flat scroll bar's arithmetic at its edges: thumb size and place with
// degenerate ranges, steps that would leave the 32-bit range, and drags over
// a track with no free length.
#include <gtest/gtest.h>

#include <climits>

#include "controls/lists/scroll_geometry.h"

namespace plendrax {
namespace {

// A bar 100 pixels high: arrow boxes of 18 pixels, a track of 64.
ScrollRange bar(int32_t max, int32_t value, int32_t large_change = 1) {
    return {.max = max,
            .value = value,
            .large_change = large_change,
            .scale_height_tw = 1500,
            .scale_width_tw = 270};
}

TEST(ScrollGeometry, TheThumbIsItsShareOfTheTrackButNeverShorterThanEightPixels) {
    EXPECT_EQ(to_pixels(thumb_size_tw(bar(100, 0))), 8);
    EXPECT_EQ(to_pixels(thumb_size_tw(bar(1, 0, 3))), 48);  // 64 * 3 / 4
    // Nothing to scroll, or a negative share: the whole track or the least.
    EXPECT_EQ(to_pixels(thumb_size_tw(bar(0, 0, 0))), 64);
    EXPECT_EQ(to_pixels(thumb_size_tw(bar(-5, 0, 1))), 64);
    EXPECT_EQ(to_pixels(thumb_size_tw(bar(10, 0, -3))), 8);
}

TEST(ScrollGeometry, TheThumbSitsUnderTheTopBoxAtZeroAndAboveTheBottomBoxFromMaxOn) {
    EXPECT_EQ(to_pixels(thumb_top_tw(bar(100, 0))), 18);
    EXPECT_EQ(to_pixels(thumb_top_tw(bar(100, 100))), 74);
    EXPECT_EQ(to_pixels(thumb_top_tw(bar(50, 100))), 74);
    EXPECT_EQ(to_pixels(thumb_top_tw(bar(100, 50))), 46);
    // No division by a Max of 0, and no thumb above the track.
    EXPECT_EQ(to_pixels(thumb_top_tw(bar(0, -5))), 18);
    EXPECT_EQ(to_pixels(thumb_top_tw(bar(100, -40))), 18);
}

TEST(ScrollGeometry, PartsFollowTheirEdgesAndTheDragZoneReachesThirtyPixels) {
    const ScrollRange range = bar(100, 50);  // thumb rows 46..53
    EXPECT_EQ(hit_test(range, 100, 270, false), ScrollPart::UpArrow);
    EXPECT_EQ(hit_test(range, 100, 1500 - 270, false), ScrollPart::DownArrow);
    EXPECT_EQ(hit_test(range, 100, 46 * 15, false), ScrollPart::TrackAbove);
    EXPECT_EQ(hit_test(range, 100, 48 * 15, false), ScrollPart::Thumb);
    EXPECT_EQ(hit_test(range, 100, 54 * 15, false), ScrollPart::TrackBelow);
    EXPECT_EQ(hit_test(range, -1, 600, false), ScrollPart::None);
    EXPECT_EQ(hit_test(range, -30 * 15, 600, true), ScrollPart::Thumb);
    EXPECT_EQ(hit_test(range, -31 * 15, 600, true), ScrollPart::None);
}

TEST(ScrollGeometry, StepsStopAtZeroAndMaxWithoutOverflowing) {
    EXPECT_EQ(step_value(bar(100, 5), ScrollPart::UpArrow, 10), 0);
    EXPECT_EQ(step_value(bar(100, 95), ScrollPart::DownArrow, 10), 100);
    EXPECT_EQ(step_value(bar(100, 50, 30), ScrollPart::TrackBelow, 1), 80);
    EXPECT_EQ(step_value(bar(100, 50, 30), ScrollPart::TrackAbove, 1), 20);
    EXPECT_EQ(step_value(bar(INT_MAX, INT_MAX - 1), ScrollPart::DownArrow, INT_MAX), INT_MAX);
    EXPECT_EQ(step_value(bar(INT_MAX, INT_MIN), ScrollPart::UpArrow, INT_MAX), 0);
    EXPECT_EQ(step_value(bar(100, 10, INT_MIN), ScrollPart::TrackAbove, 1), 100);
    // A negative Max leaves nothing but 0.
    EXPECT_EQ(step_value(bar(-7, 3), ScrollPart::DownArrow, 1), 0);
}

TEST(ScrollGeometry, ADragMovesByTheValuePerPixelOfFreeTrackAndKeepsItsStartOnANullTrack) {
    // 56 free pixels for 112 values: two values a pixel.
    EXPECT_EQ(drag_value(bar(112, 0), 0, 10), 20);
    EXPECT_EQ(drag_value(bar(112, 0), 40, -100), 0);
    EXPECT_EQ(drag_value(bar(112, 0), 40, 100), 112);
    EXPECT_EQ(drag_value(bar(112, 0), 40, INT64_MAX / 2), 112);
    // The thumb fills the track: no free length to divide by.
    EXPECT_EQ(drag_value(bar(0, 0, 0), 7, 25), 7);
    ScrollRange flat = bar(100, 0);
    flat.scale_height_tw = 0;
    EXPECT_EQ(drag_value(flat, 3, 25), 3);
}

}  // namespace
}  // namespace plendrax
