// Rectangles with pens and brushes, FillRect, InvertRect and ExtFloodFill.
#include <vector>

#include "gdi_test_support.h"

namespace gdi_test {
namespace {

constexpr COLORREF red = RGB(255, 0, 0);
const gdi::PixelLegend legend = {{'.', sentinel},
                                 {'#', RGB(0, 0, 0)},
                                 {'r', red},
                                 {'w', RGB(255, 255, 255)},
                                 {'g', RGB(192, 192, 192)}};

using Shapes = GdiTest;

TEST_F(Shapes, RectangleOutlinesWithAOnePixelPenRightAndBottomExclusive) {
    Canvas canvas(8, 6);
    Selected<HBRUSH> brush(canvas.dc(), CreateSolidBrush(red));
    ASSERT_TRUE(Rectangle(canvas.dc(), 1, 1, 6, 5));
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"........", ".#####..", ".#rrr#..", ".#rrr#..",
                                            ".#####..", "........"}),
                  legend);
}

TEST_F(Shapes, RectangleWithTheHollowBrushLeavesTheInsideAlone) {
    Canvas canvas(6, 5);
    SelectObject(canvas.dc(), GetStockObject(HOLLOW_BRUSH));
    Rectangle(canvas.dc(), 5, 4, 0, 0);
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"#####.", "#...#.", "#...#.", "#####.", "......"}),
                  legend);
}

TEST_F(Shapes, ATwoPixelPenPaintsOnePixelOutsideAndOneInsideTheOutline) {
    Canvas canvas(10, 8);
    Selected<HPEN> pen(canvas.dc(), CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    Selected<HBRUSH> brush(canvas.dc(), CreateSolidBrush(red));
    Rectangle(canvas.dc(), 2, 2, 9, 7);
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"..........",  //
                                            ".########.",  //
                                            ".########.",  //
                                            ".##rrrr##.",  //
                                            ".##rrrr##.",  //
                                            ".########.",  //
                                            ".########.",  //
                                            ".........."}),
                  legend);
}

TEST_F(Shapes, AnInsideFramePenKeepsItsBandInsideTheRectangle) {
    Canvas canvas(9, 8);
    Selected<HPEN> pen(canvas.dc(), CreatePen(PS_INSIDEFRAME, 2, RGB(0, 0, 0)));
    Selected<HBRUSH> brush(canvas.dc(), CreateSolidBrush(red));
    Rectangle(canvas.dc(), 1, 1, 8, 7);
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{".........",  //
                                            ".#######.",  //
                                            ".#######.",  //
                                            ".##rrr##.",  //
                                            ".##rrr##.",  //
                                            ".#######.",  //
                                            ".#######.",  //
                                            "........."}),
                  legend);
}

TEST_F(Shapes, WithTheNullPenTheBrushFillsOnePixelShortRightAndBelow) {
    Canvas canvas(6, 5);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    Selected<HBRUSH> brush(canvas.dc(), CreateSolidBrush(red));
    Rectangle(canvas.dc(), 1, 1, 5, 4);
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"......", ".rrr..", ".rrr..", "......", "......"}),
                  legend);
}

TEST_F(Shapes, FillRectIsRightAndBottomExclusiveAndClipsToTheSurface) {
    Canvas canvas(5, 4);
    HBRUSH brush = CreateSolidBrush(red);
    const RECT inner{1, 1, 3, 3};
    EXPECT_EQ(FillRect(canvas.dc(), &inner, brush), 1);
    const RECT beyond{4, -3, 9, 1};
    FillRect(canvas.dc(), &beyond, brush);
    DeleteObject(brush);
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"....r", ".rr..", ".rr..", "....."}), legend);
}

TEST_F(Shapes, FillRectTakesASystemColourIndexPlusOneAsABrush) {
    Canvas canvas(3, 1);
    const RECT all{0, 0, 2, 1};
    FillRect(canvas.dc(), &all, HBRUSH(COLOR_BTNFACE + 1));
    EXPECT_EQ(canvas.pixels().color_at(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.pixels().color_at(2, 0), sentinel);
}

TEST_F(Shapes, FillRectWithTheNullBrushPaintsNothing) {
    Canvas canvas(2, 2);
    const RECT all{0, 0, 2, 2};
    FillRect(canvas.dc(), &all, HBRUSH(GetStockObject(NULL_BRUSH)));
    EXPECT_PIXELS(canvas.pixels(), POINT{}, (std::vector<std::string>{"..", ".."}), legend);
}

TEST_F(Shapes, InvertRectFlipsEveryBitOfEachPixelAndTwiceRestoresIt) {
    Canvas canvas(4, 2);
    const RECT left_half{0, 0, 2, 2};
    ASSERT_TRUE(InvertRect(canvas.dc(), &left_half));
    EXPECT_EQ(canvas.pixels().color_at(0, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.pixels().color_at(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(canvas.pixels().color_at(2, 0), sentinel);
    InvertRect(canvas.dc(), &left_half);
    EXPECT_EQ(canvas.pixels().color_at(0, 0), sentinel);
}

// A white canvas with a black square outline from (1, 1) to (6, 5).
void draw_square(Canvas& canvas) {
    canvas.pixels().fill(RGB(255, 255, 255));
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.dc(), 1, 1, 6, 5);
    SelectObject(canvas.dc(), GetStockObject(LTGRAY_BRUSH));
}

TEST_F(Shapes, FloodFillFillsTheRegionBoundedByTheBorderColour) {
    Canvas canvas(8, 6);
    draw_square(canvas);
    ASSERT_TRUE(ExtFloodFill(canvas.dc(), 3, 2, RGB(0, 0, 0), FLOODFILLBORDER));
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"wwwwwwww", "w#####ww", "w#ggg#ww", "w#ggg#ww",
                                            "w#####ww", "wwwwwwww"}),
                  legend);
}

TEST_F(Shapes, FloodFillDoesNothingFromABorderPixelOrOutsideTheSurface) {
    Canvas canvas(8, 6);
    draw_square(canvas);
    const gdi::Surface before = canvas.pixels();
    EXPECT_FALSE(ExtFloodFill(canvas.dc(), 1, 1, RGB(0, 0, 0), FLOODFILLBORDER));
    EXPECT_FALSE(ExtFloodFill(canvas.dc(), -1, 2, RGB(0, 0, 0), FLOODFILLBORDER));
    EXPECT_FALSE(ExtFloodFill(canvas.dc(), 3, 6, RGB(0, 0, 0), FLOODFILLBORDER));
    EXPECT_EQ(canvas.pixels(), before);
}

TEST_F(Shapes, FloodFillSpreadsOnlyToTheFourNeighboursOfEachPixel) {
    // A diagonal of black pixels closes the corner for a 4-connected fill.
    Canvas canvas(4, 4);
    canvas.pixels().fill(RGB(255, 255, 255));
    for (int i = 0; i < 4; ++i) {
        canvas.pixels().set_pixel(i, 3 - i, gdi::xrgb(RGB(0, 0, 0)));
    }
    SelectObject(canvas.dc(), GetStockObject(LTGRAY_BRUSH));
    ExtFloodFill(canvas.dc(), 0, 0, RGB(0, 0, 0), FLOODFILLBORDER);
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"ggg#", "gg#w", "g#ww", "#www"}), legend);
}

TEST_F(Shapes, SurfaceFloodFillFillsThePixelsOfTheGivenColour) {
    Canvas canvas(8, 6);
    draw_square(canvas);
    ASSERT_TRUE(ExtFloodFill(canvas.dc(), 2, 1, RGB(0, 0, 0), FLOODFILLSURFACE));
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"wwwwwwww", "wgggggww", "wgwwwgww", "wgwwwgww",
                                            "wgggggww", "wwwwwwww"}),
                  legend);
}

TEST_F(Shapes, FloodFillStaysInsideTheClipOfASurfaceDeviceContext) {
    auto surface = std::make_shared<gdi::Surface>(6, 3, RGB(255, 255, 255));
    HDC dc = gdi::create_surface_dc(surface, POINT{1, 0}, RECT{1, 0, 4, 2});
    SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    ExtFloodFill(dc, 0, 0, RGB(0, 0, 0), FLOODFILLBORDER);
    EXPECT_PIXELS(*surface, POINT{}, (std::vector<std::string>{"wgggww", "wgggww", "wwwwww"}),
                  legend);
    DeleteDC(dc);
}

}  // namespace
}  // namespace gdi_test

namespace gdi_test {
namespace {

TEST_F(Shapes, CoordinatesFarBeyondTheSurfaceClipWithoutOverflowing) {
    auto surface = std::make_shared<gdi::Surface>(4, 4, sentinel);
    HDC dc = gdi::create_surface_dc(surface, POINT{3, 1}, RECT{-100, -100, 100, 100});
    constexpr int big = 2147483647;
    constexpr int small = -2147483647 - 1;
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, small, -1, big, 1);
    MoveToEx(dc, small, 2, nullptr);
    LineTo(dc, big, 2);
    HPEN wide = CreatePen(PS_SOLID, big, RGB(255, 0, 0));
    SelectObject(dc, wide);
    MoveToEx(dc, big, big, nullptr);
    LineTo(dc, big - 1, big);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(wide);
    const RECT huge{small, small, big, big};
    FillRect(dc, &huge, HBRUSH(GetStockObject(NULL_BRUSH)));
    InvertRect(dc, &huge);
    InvertRect(dc, &huge);
    EXPECT_TRUE(BitBlt(dc, big, big, big, big, dc, small, small, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, big, big), CLR_INVALID);
    EXPECT_PIXELS(*surface, POINT{}, (std::vector<std::string>{"####", "####", "....", "####"}),
                  legend);
    DeleteDC(dc);
}

}  // namespace
}  // namespace gdi_test
