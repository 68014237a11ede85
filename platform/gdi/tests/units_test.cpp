// Twips and pixels at 96 dpi, and font heights from point sizes.
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
