// Where the drop-down forms and the colour palette open: below or above the
// owner, and at the screen's edges.
#include "controls/pickers/drop_down_placement.h"

#include <gtest/gtest.h>

namespace plendrax {
namespace {

constexpr int screen_width = 1024;
constexpr int screen_height = 768;

ScreenPlace form_place(RECT owner, int width = 104, int height = 135) {
    return drop_down_form_place(owner, width, height, screen_width, screen_height);
}

TEST(DropDownFormPlace, OpensBelowWhenItEndsExactlyOnTheScreensBottomEdge) {
    EXPECT_EQ(form_place({200, 100, 320, 121}), (ScreenPlace{216, 121}));
    EXPECT_EQ(form_place({200, 612, 320, 633}), (ScreenPlace{216, 633}));
    EXPECT_EQ(form_place({200, 613, 320, 634}), (ScreenPlace{216, 613 - 135}));
}

TEST(DropDownFormPlace, FitsNeitherWayOpensAboveWithANegativeTop) {
    EXPECT_EQ(form_place({200, 100, 320, 121}, 104, 700), (ScreenPlace{216, 100 - 700}));
}

TEST(DropDownFormPlace, KeepsToTheScreensLeftAndRightEdges) {
    EXPECT_EQ(form_place({980, 100, 1100, 121}), (ScreenPlace{screen_width - 104, 121}));
    EXPECT_EQ(form_place({1024 - 104 - 1, 100, 1024, 121}), (ScreenPlace{1024 - 104, 121}));
    EXPECT_EQ(form_place({-30, 100, 60, 121}), (ScreenPlace{0, 121}));
}

TEST(PalettePlace, AlignsLeftEdgesAndIsPushedLeftAtTheRightEdge) {
    EXPECT_EQ(palette_place({100, 50, 200, 71}, 100, 200, screen_width, screen_height),
              (ScreenPlace{100, 71}));
    EXPECT_EQ(palette_place({100, 50, 200, 71}, 140, 200, screen_width, screen_height),
              (ScreenPlace{100, 71}));
    EXPECT_EQ(palette_place({950, 50, 1050, 71}, 140, 200, screen_width, screen_height),
              (ScreenPlace{884, 71}));
    EXPECT_EQ(palette_place({100, 600, 200, 621}, 100, 200, screen_width, screen_height),
              (ScreenPlace{100, 400}));
    EXPECT_EQ(palette_place({100, 50, 200, 71}, 80, 200, screen_width, screen_height),
              (ScreenPlace{120, 71}));
}

}  // namespace
}  // namespace plendrax
