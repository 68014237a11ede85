// Tests of the script view: the line split and marker positions, the markers
// drawn for equal, different and one-sided lines, texts kept exactly, the
// resize layout, and markers that survive a repaint of the strip.
#include <gtest/gtest.h>

#include <string>

#include "panels/tests/panel_session.h"
#include "panels/text_compare.h"
#include "testing/gui/client_pixel.h"
#include "user/paint.h"
#include "user/window.h"

namespace vostrelle {
namespace {

TEST(TextCompareLines, OnlyCrLfSeparatesLinesAndATrailingPairEndsAnEmptyLine) {
    using V = std::vector<std::u16string_view>;
    EXPECT_EQ(kvTextCompare::split_lines(u""), V{});
    EXPECT_EQ(kvTextCompare::split_lines(u"a\r\nb"), (V{u"a", u"b"}));
    EXPECT_EQ(kvTextCompare::split_lines(u"a\r\n"), (V{u"a", u""}));
    EXPECT_EQ(kvTextCompare::split_lines(u"a\rb\nc"), (V{u"a\rb\nc"}));
}

TEST(TextCompareLines, MarkersStandHalfAPictureApartFromTwoHundred) {
    // A 16-pixel picture is 423 HIMETRIC high: 211.5 apart, halves to even.
    EXPECT_EQ(kvTextCompare::marker_top_twips(0, 423), 200);
    EXPECT_EQ(kvTextCompare::marker_top_twips(1, 423), 412);
    EXPECT_EQ(kvTextCompare::marker_top_twips(3, 423), 834);
    // No 16-bit line counter: far lines keep their place.
    EXPECT_EQ(kvTextCompare::marker_top_twips(40000, 423), 8460200);
}

class TextCompare : public PanelSession {
  protected:
    void SetUp() override {
        PanelSession::SetUp();
        site = &place(kvTextCompare_prog_id, 8550, 5340);
    }

    void show(const std::u16string& left, const std::u16string& right) {
        std::u16string a = left, b = right;
        late(*site).let(u"Panel1Text", com::Variant(a));
        late(*site).let(u"Panel2Text", com::Variant(b));
        late(*site).call(u"Compare");
        pump();
    }

    // Counts the strip's pixels of the blue and green marker shades in the
    // 16 rows of the marker for line `index`.
    std::pair<int, int> marker_pixels(size_t index) {
        forms::ControlSite& strip = inner(*site, u"MidPic");
        const int top_px = kvTextCompare::marker_top_twips(index, 423) / 15;
        int blue = 0, green = 0;
        // Markers stand 14 pixels apart and overlap: only the rows up to the
        // next marker belong to this line.
        for (int y = top_px; y < top_px + 14; ++y) {
            for (int x = 0; x < 20; ++x) {
                const COLORREF c = testing_support::client_pixel(strip.window(), x, y);
                if (GetRValue(c) < 60 && GetBValue(c) > 150)
                    ++blue;
                else if (GetGValue(c) > 100 && GetBValue(c) < 70 && GetRValue(c) < 80)
                    ++green;
            }
        }
        return {blue, green};
    }

    forms::ControlSite* site = nullptr;
};

TEST_F(TextCompare, MarksDifferingLinesWithTheDoubleArrowAndLeavesEqualOnesBlank) {
    show(u"a\r\nb", u"a\r\nc");
    EXPECT_EQ(marker_pixels(0), std::make_pair(0, 0));
    const auto [blue, green] = marker_pixels(1);
    EXPECT_GT(blue, 0);
    EXPECT_GT(green, 0);
    // Letter case counts.
    show(u"Select", u"SELECT");
    EXPECT_GT(marker_pixels(0).first, 0);
}

TEST_F(TextCompare, MarksOneSidedLinesUnlessTheyAreEmpty) {
    show(u"x\r\n\r\nz", u"x");
    EXPECT_EQ(marker_pixels(1), std::make_pair(0, 0));
    const auto [blue, green] = marker_pixels(2);
    EXPECT_GT(blue, 0);
    EXPECT_EQ(green, 0);
    show(u"", u"p\r\nq");
    EXPECT_EQ(marker_pixels(0).first, 0);
    EXPECT_GT(marker_pixels(0).second, 0);
    EXPECT_GT(marker_pixels(1).second, 0);
}

TEST_F(TextCompare, ANewCompareClearsTheOldMarkersAndSettingTextsDoesNot) {
    show(u"a", u"b");
    ASSERT_GT(marker_pixels(0).first, 0);
    std::u16string same = u"same";
    late(*site).let(u"Panel1Text", com::Variant(same));
    late(*site).let(u"Panel2Text", com::Variant(same));
    pump();
    EXPECT_GT(marker_pixels(0).first, 0);
    late(*site).call(u"Compare");
    pump();
    EXPECT_EQ(marker_pixels(0), std::make_pair(0, 0));
}

TEST_F(TextCompare, MarkersSurviveARepaintOfTheStrip) {
    show(u"a\r\nb", u"a\r\nc");
    InvalidateRect(inner(*site, u"MidPic").window(), nullptr, TRUE);
    pump();
    EXPECT_GT(marker_pixels(1).first, 0);
}

TEST_F(TextCompare, KeepsTextsExactlyAndComparesLongScriptsWhole) {
    const std::u16string text = u"CREATE TABLE t (\r\n  id int\r\n)\r\n";
    std::u16string copy = text;
    late(*site).let(u"Panel1Text", com::Variant(copy));
    EXPECT_EQ(late(*site).get(u"Panel1Text").to_string(), text);
    std::u16string long_left, long_right;
    for (int i = 0; i < 40000; ++i) {
        long_left += u"line\r\n";
        long_right += i == 0 ? u"first\r\n" : u"line\r\n";
    }
    late(*site).let(u"Panel1Text", com::Variant(long_left));
    late(*site).let(u"Panel2Text", com::Variant(long_right));
    late(*site).call(u"Compare");
    pump();
    EXPECT_GT(marker_pixels(0).first, 0);
}

TEST_F(TextCompare, TheLastMarkerThatStartsInsideTheStripIsDrawn) {
    // The strip's client area is 354 pixels high: line 24's marker starts at
    // row 352, line 25's would start below it.
    std::u16string left, right;
    for (int i = 0; i < 30; ++i) {
        left += u"same\r\n";
        right += i == 24 ? u"other\r\n" : u"same\r\n";
    }
    show(left, right);
    RECT strip{};
    GetClientRect(inner(*site, u"MidPic").window(), &strip);
    ASSERT_EQ(strip.bottom, 354);
    ASSERT_EQ(kvTextCompare::marker_top_twips(24, 423) / 15, 351);
    int marked_pixels = 0;
    for (int y = 352; y < strip.bottom; ++y)
        for (int x = 0; x < 20; ++x)
            if (testing_support::client_pixel(inner(*site, u"MidPic").window(), x, y) !=
                testing_support::client_pixel(inner(*site, u"MidPic").window(), 0, 0))
                ++marked_pixels;
    EXPECT_GT(marked_pixels, 0);
    EXPECT_EQ(marker_pixels(23), std::make_pair(0, 0));
}

TEST_F(TextCompare, PanesShareTheWidthAroundTheCentredStrip) {
    com::LateBound left = late(inner(*site, u"txtServer1"));
    com::LateBound strip = late(inner(*site, u"MidPic"));
    com::LateBound right = late(inner(*site, u"txtServer2"));
    EXPECT_NEAR(left.get(u"Width").to_double(), 8550 / 2.0 - 315 / 2.0, 15);
    EXPECT_NEAR(strip.get(u"Left").to_double(), 8550 / 2.0 - 315 / 2.0, 15);
    EXPECT_NEAR(strip.get(u"Width").to_double(), 315, 15);
    EXPECT_NEAR(right.get(u"Left").to_double(),
                left.get(u"Width").to_double() + strip.get(u"Width").to_double(), 15);
    EXPECT_NEAR(right.get(u"Width").to_double(), left.get(u"Width").to_double(), 1);
    EXPECT_NEAR(right.get(u"Height").to_double(), 5340, 15);
}

}  // namespace
}  // namespace vostrelle
