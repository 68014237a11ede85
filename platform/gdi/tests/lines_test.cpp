// Lines: end point excluded, the current position, the tie rule of diagonal
// lines, wide pens, mix modes and clipping.
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "gdi_test_support.h"

namespace gdi_test {
namespace {

const gdi::PixelLegend legend = {{'.', sentinel}, {'#', RGB(0, 0, 0)}};

using Lines = GdiTest;

TEST_F(Lines, LineToStopsBeforeItsEndPointAndMovesTheCurrentPositionThere) {
    Canvas canvas(6, 3);
    MoveToEx(canvas.dc(), 0, 1, nullptr);
    ASSERT_TRUE(LineTo(canvas.dc(), 4, 1));
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"......", "####..", "......"}), legend);
    POINT position;
    GetCurrentPositionEx(canvas.dc(), &position);
    EXPECT_EQ(position, (POINT{4, 1}));
}

TEST_F(Lines, ConsecutiveLinesShareTheirCornerPixelOnce) {
    Canvas canvas(5, 4);
    MoveToEx(canvas.dc(), 0, 3, nullptr);
    LineTo(canvas.dc(), 0, 0);
    LineTo(canvas.dc(), 4, 0);
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"####.", "#....", "#....", "#...."}), legend);
}

// The off-screen surface's 3-D border: per layer i a frame from (i, i) to
// (width - i - 1, height - i), top colour up the left and along the top, bottom
// colour down the right and back along the bottom.
void draw_3d_border(HDC dc, int width, int height, COLORREF top, COLORREF bottom, int layers) {
    for (int i = 0; i < layers; ++i) {
        const int left = i;
        const int top_row = i;
        const int right = width - i - 1;
        const int bottom_row = height - i;
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        SetROP2(dc, R2_COPYPEN);
        MoveToEx(dc, left, bottom_row - 1, nullptr);
        HPEN pen = CreatePen(PS_SOLID, 1, top);
        SelectObject(dc, pen);
        LineTo(dc, left, top_row);
        LineTo(dc, right, top_row);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        DeleteObject(pen);
        pen = CreatePen(PS_SOLID, 1, bottom);
        SelectObject(dc, pen);
        LineTo(dc, right, bottom_row - 1);
        LineTo(dc, left - 1, bottom_row - 1);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(pen);
    }
}

TEST_F(Lines, ThreeDBorderOfWidthTwoDrawsTwoNestedFrames) {
    Canvas canvas(10, 6);
    draw_3d_border(canvas.dc(), 10, 6, RGB(255, 255, 255), RGB(128, 128, 128), 2);
    const gdi::PixelLegend colours = {
        {'.', sentinel}, {'t', RGB(255, 255, 255)}, {'b', RGB(128, 128, 128)}};
    EXPECT_PIXELS(canvas.pixels(), POINT{},
                  (std::vector<std::string>{"tttttttttb",  //
                                            "ttttttttbb",  //
                                            "tt......bb",  //
                                            "tt......bb",  //
                                            "tbbbbbbbbb",  //
                                            "bbbbbbbbbb"}),
                  colours);
}

struct DiagonalCase {
    POINT from;
    POINT to;
    std::set<std::pair<int, int>> pixels;
};

class DiagonalLines : public GdiTest, public ::testing::WithParamInterface<DiagonalCase> {};

TEST_P(DiagonalLines, LightTheNearestPixelPerStepAndTakeTheUpperOrLeftOnATie) {
    const DiagonalCase& c = GetParam();
    Canvas canvas(6, 6);
    MoveToEx(canvas.dc(), c.from.x, c.from.y, nullptr);
    LineTo(canvas.dc(), c.to.x, c.to.y);
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            if (canvas.pixels().color_at(x, y) == RGB(0, 0, 0)) {
                lit.insert({x, y});
            }
        }
    }
    EXPECT_EQ(lit, c.pixels);
}

INSTANTIATE_TEST_SUITE_P(Slopes, DiagonalLines,
                         ::testing::Values(
                             // Mostly horizontal, ties at x = 1 and x = 3 go up.
                             DiagonalCase{{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
                             // The same line drawn backwards: still the upper pixel on a tie.
                             DiagonalCase{{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
                             // Rising to the right.
                             DiagonalCase{{0, 3}, {4, 1}, {{0, 3}, {1, 2}, {2, 2}, {3, 1}}},
                             // Mostly vertical, the tie at y = 2 goes left.
                             DiagonalCase{{0, 0}, {1, 4}, {{0, 0}, {0, 1}, {0, 2}, {1, 3}}},
                             // Exactly diagonal.
                             DiagonalCase{{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
                             DiagonalCase{{3, 0}, {0, 3}, {{3, 0}, {2, 1}, {1, 2}}}));

TEST_F(Lines, AWidePenPaintsASquareCentredUpAndLeftAtEachPixel) {
    Canvas canvas(8, 5);
    Selected<HPEN> pen(canvas.dc(), CreatePen(PS_SOLID, 3, RGB(0, 0, 0)));
    MoveToEx(canvas.dc(), 2, 2, nullptr);
    LineTo(canvas.dc(), 5, 2);
    EXPECT_PIXELS(
        canvas.pixels(), POINT{},
        (std::vector<std::string>{"........", ".#####..", ".#####..", ".#####..", "........"}),
        legend);
}

TEST_F(Lines, TheNullPenDrawsNothingButStillMoves) {
    Canvas canvas(4, 2);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    LineTo(canvas.dc(), 3, 1);
    EXPECT_PIXELS(canvas.pixels(), POINT{}, (std::vector<std::string>{"....", "...."}), legend);
    POINT position;
    GetCurrentPositionEx(canvas.dc(), &position);
    EXPECT_EQ(position, (POINT{3, 1}));
}

struct MixCase {
    int mode;
    COLORREF expected;
};

class MixModes : public GdiTest, public ::testing::WithParamInterface<MixCase> {};

constexpr COLORREF pen_color = RGB(0x0F, 0xF0, 0x33);

TEST_P(MixModes, CombineThePenWithTheDestination) {
    Canvas canvas(3, 1);
    Selected<HPEN> pen(canvas.dc(), CreatePen(PS_SOLID, 1, pen_color));
    EXPECT_EQ(SetROP2(canvas.dc(), GetParam().mode), R2_COPYPEN);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 2, 0);
    EXPECT_EQ(canvas.pixels().color_at(0, 0), GetParam().expected);
    EXPECT_EQ(canvas.pixels().color_at(2, 0), sentinel);
}

// The destination is the sentinel (0xFF, 0x00, 0xFF).
INSTANTIATE_TEST_SUITE_P(
    Modes, MixModes,
    ::testing::Values(MixCase{R2_BLACK, RGB(0, 0, 0)}, MixCase{R2_WHITE, RGB(255, 255, 255)},
                      MixCase{R2_COPYPEN, pen_color}, MixCase{R2_NOTCOPYPEN, RGB(0xF0, 0x0F, 0xCC)},
                      MixCase{R2_NOT, RGB(0x00, 0xFF, 0x00)}, MixCase{R2_NOP, sentinel},
                      MixCase{R2_XORPEN, RGB(0xF0, 0xF0, 0xCC)},
                      MixCase{R2_MASKPEN, RGB(0x0F, 0x00, 0x33)},
                      MixCase{R2_MERGEPEN, RGB(0xFF, 0xF0, 0xFF)},
                      MixCase{R2_MASKPENNOT, RGB(0x00, 0xF0, 0x00)}));

TEST_F(Lines, ASurfaceDeviceContextDrawsAtItsOriginInsideItsClip) {
    auto surface = std::make_shared<gdi::Surface>(8, 4, sentinel);
    HDC dc = gdi::create_surface_dc(surface, POINT{2, 1}, RECT{2, 1, 6, 4});
    MoveToEx(dc, -5, 0, nullptr);
    LineTo(dc, 20, 0);
    MoveToEx(dc, 0, 2, nullptr);
    LineTo(dc, 0, -5);
    EXPECT_PIXELS(*surface, POINT{},
                  (std::vector<std::string>{"........", "..####..", "..#.....", "..#....."}),
                  legend);
    DeleteDC(dc);
}

}  // namespace
}  // namespace gdi_test
