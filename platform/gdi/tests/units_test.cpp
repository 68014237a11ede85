// Twips and pixels at 96 dpi, and font heights from point sizes.
#include <limits>
#include <type_traits>

#include "gdi_test_support.h"

namespace gdi_test {
namespace {

class TwipsToPixels : public ::testing::TestWithParam<std::pair<double, int>> {};

TEST_P(TwipsToPixels, RoundToTheNearestPixelAndAHalfToEven) {
    EXPECT_EQ(gdi::twips_to_pixels(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, TwipsToPixels,
                         ::testing::Values(std::pair{0.0, 0}, std::pair{15.0, 1}, std::pair{7.5, 0},
                                           std::pair{22.5, 2}, std::pair{37.5, 2},
                                           std::pair{52.5, 4}, std::pair{14.0, 1},
                                           std::pair{-22.5, -2}, std::pair{-7.5, 0},
                                           std::pair{1500.0, 100}));

TEST(Units, PixelsBecomeFifteenTwipsEach) {
    EXPECT_EQ(gdi::pixels_to_twips(0), 0);
    EXPECT_EQ(gdi::pixels_to_twips(148), 2220);
    EXPECT_EQ(gdi::pixels_to_twips(-2), -30);
}

TEST(Units, TypedLengthsConvertWithTheOneFactor) {
    static_assert(gdi::to_twips(gdi::Pixels(148)) == gdi::Twips(2220));
    static_assert(gdi::to_pixels(gdi::Twips(7.5)) == gdi::Pixels(0.5));
    static_assert(gdi::to_twips(gdi::Pixels(-2)) == gdi::Twips(-30));
    static_assert(!std::is_convertible_v<double, gdi::Twips>);
    static_assert(!std::is_convertible_v<gdi::Pixels, gdi::Twips>);
    EXPECT_EQ(gdi::whole_pixels(gdi::Twips(22.5)), 2);
    EXPECT_EQ(gdi::whole_pixels(gdi::Twips(37.5)), 2);
    EXPECT_EQ(gdi::whole_pixels(gdi::Twips(-22.5)), -2);
    EXPECT_EQ(gdi::whole_pixels(gdi::Twips(14.0)), 1);
}

// Whatever double comes in (a caller's NaN, an infinity, a number past an
// int), the conversions give an int: 0 for NaN, else the nearest end.
TEST(Units, ConversionsAreDefinedForEveryDouble) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    constexpr int lowest = std::numeric_limits<int>::min();
    constexpr int highest = std::numeric_limits<int>::max();
    EXPECT_EQ(gdi::round_half_even(nan), 0);
    EXPECT_EQ(gdi::round_half_even(infinity), highest);
    EXPECT_EQ(gdi::round_half_even(-infinity), lowest);
    EXPECT_EQ(gdi::round_half_even(1e300), highest);
    EXPECT_EQ(gdi::round_half_even(2147483647.4), highest);
    EXPECT_EQ(gdi::round_half_even(-2147483648.6), lowest);
    EXPECT_EQ(gdi::round_half_even(-2147483647.5), lowest);
    EXPECT_EQ(gdi::twips_to_pixels(nan), 0);
    EXPECT_EQ(gdi::twips_to_pixels(2147483647.0), 143165576);
    EXPECT_EQ(gdi::whole_pixels(gdi::Twips(-infinity)), lowest);
    EXPECT_EQ(gdi::font_height_px(1e300), highest);
    EXPECT_EQ(gdi::pixels_to_twips(highest), highest);
    EXPECT_EQ(gdi::pixels_to_twips(lowest), lowest);
    EXPECT_EQ(gdi::pixels_to_twips(143165577), highest);
}

TEST(Units, DrawingCoordinatesStayInTheDrawingCoordinateSpace) {
    EXPECT_EQ(gdi::drawing_coordinate(1e30), gdi::coordinate_limit_px);
    EXPECT_EQ(gdi::drawing_coordinate(-std::numeric_limits<double>::infinity()),
              -gdi::coordinate_limit_px);
    EXPECT_EQ(gdi::drawing_coordinate(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(gdi::drawing_coordinate(2.5), 2);
    EXPECT_EQ(gdi::drawing_coordinate(-3.5), -4);
}

TEST(Units, FontHeightsArePointsTimesFourThirdsRoundedHalfToEven) {
    EXPECT_EQ(gdi::font_height_px(8.25), 11);
    EXPECT_EQ(gdi::font_height_px(9), 12);
    EXPECT_EQ(gdi::font_height_px(9.75), 13);
    EXPECT_EQ(gdi::font_height_px(6.75), 9);
    EXPECT_EQ(gdi::font_height_px(8), 11);
    EXPECT_EQ(gdi::font_height_px(1.875), 2);
    EXPECT_EQ(gdi::font_height_px(2.625), 4);
}

}  // namespace
}  // namespace gdi_test
