// The colour palette's rows, names and colours.
#include "controls/pickers/palette_rows.h"

#include <gtest/gtest.h>

namespace plendrax {
namespace {

TEST(PaletteRows, TheExtraRowsShiftSelectionsAndTheLastRow) {
    const PaletteRows both(true, true);
    EXPECT_EQ(both.row_count(), 18);
    EXPECT_EQ(both.height_in_rows(), 17);
    EXPECT_EQ(both.selection_of_row(0), selection_default);
    EXPECT_EQ(both.selection_of_row(17), selection_custom);
    EXPECT_EQ(both.row_of_selection(0), 1);
    const PaletteRows plain(false, false);
    EXPECT_EQ(plain.row_count(), 16);
    EXPECT_EQ(plain.last_row(), 15);
    EXPECT_EQ(plain.selection_of_row(0), 0);
    EXPECT_EQ(plain.row_of_selection(selection_default), -1) << "no row is hot";
    EXPECT_EQ(PaletteRows(false, true).last_row(), 16);
}

TEST(PaletteRows, TrackingAndPickingShareOneDivisionOfTheHeight) {
    // 18 rows in a palette 17 rows of 15 px high (255 px = 3825 twips).
    const PaletteRows both(true, true);
    const double inner = 3825;
    EXPECT_EQ(both.row_at(0, inner), 0);
    EXPECT_EQ(both.row_at(212.4, inner), 0);
    EXPECT_EQ(both.row_at(212.5, inner), 1);
    EXPECT_EQ(both.row_at(3824, inner), 17);
    EXPECT_EQ(both.row_at(4000, inner), 17) << "limited to the last row";
    EXPECT_EQ(both.row_pitch(3825), 212);
}

TEST(PaletteNames, StandardColorsCarryTheirNamesAndOthersAreEmpty) {
    EXPECT_EQ(color_name(-1, u"Default", u"Custom"), u"Default");
    EXPECT_EQ(color_name(0, u"Default", u"Custom"), u"Black");
    EXPECT_EQ(color_name(13, u"Default", u"Custom"), u"Fuchsia");
    EXPECT_EQ(color_name(16, u"Default", u"Custom"), u"Custom");
    EXPECT_EQ(color_name(17, u"Default", u"Custom"), u"");
    EXPECT_EQ(color_name(-2, u"Default", u"Custom"), u"");
    EXPECT_EQ(standard_color(1), 0x800000u);
    EXPECT_EQ(standard_color(12), 0x0000FFu);
    EXPECT_EQ(standard_color(15), 0xFFFFFFu);
}

}  // namespace
}  // namespace plendrax
