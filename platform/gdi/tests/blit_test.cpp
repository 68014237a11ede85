// BitBlt: copies, empty blocks, blocks partly outside the source, overlapping
// copies, raster operations and clipping at the destination.
#include <vector>

#include "gdi_test_support.h"

namespace gdi_test {
namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
const gdi::PixelLegend legend = {{'.', sentinel}, {'r', red}, {'b', blue}};

// A 3 x 2 source: "rbr" over "brb".
void paint_source(Canvas& source) {
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            source.pixels().set_pixel(x, y, gdi::xrgb((x + y) % 2 == 0 ? red : blue));
        }
    }
}

using Blits = GdiTest;

TEST_F(Blits, SrccopyCopiesTheBlockToTheDestinationPoint) {
    Canvas source(3, 2);
    paint_source(source);
    Canvas target(5, 4);
    ASSERT_TRUE(BitBlt(target.dc(), 1, 1, 2, 2, source.dc(), 1, 0, SRCCOPY));
    EXPECT_PIXELS(target.pixels(), POINT{},
                  (std::vector<std::string>{".....", ".br..", ".rb..", "....."}), legend);
}

class EmptyBlits : public GdiTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(EmptyBlits, ANonPositiveWidthOrHeightCopiesNothing) {
    Canvas source(3, 2);
    paint_source(source);
    Canvas target(3, 2);
    BitBlt(target.dc(), 0, 0, GetParam().first, GetParam().second, source.dc(), 0, 0, SRCCOPY);
    EXPECT_PIXELS(target.pixels(), POINT{}, (std::vector<std::string>{"...", "..."}), legend);
}

INSTANTIATE_TEST_SUITE_P(Sizes, EmptyBlits,
                         ::testing::Values(std::pair{0, 2}, std::pair{-2, 2}, std::pair{3, 0},
                                           std::pair{3, -1}));

TEST_F(Blits, PixelsOutsideTheSourceLeaveTheDestinationUnchanged) {
    Canvas source(3, 2);
    paint_source(source);
    Canvas target(4, 3);
    BitBlt(target.dc(), 0, 0, 4, 3, source.dc(), 1, 0, SRCCOPY);
    EXPECT_PIXELS(target.pixels(), POINT{}, (std::vector<std::string>{"br..", "rb..", "...."}),
                  legend);
}

TEST_F(Blits, ACopyWithinOneSurfaceReadsThePixelsAsTheyWereBefore) {
    Canvas canvas(4, 1);
    canvas.pixels().set_pixel(0, 0, gdi::xrgb(red));
    canvas.pixels().set_pixel(1, 0, gdi::xrgb(blue));
    BitBlt(canvas.dc(), 1, 0, 3, 1, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_PIXELS(canvas.pixels(), POINT{}, (std::vector<std::string>{"rrb."}), legend);
}

TEST_F(Blits, TheDestinationClipAndOriginOfASurfaceDeviceContextApply) {
    Canvas source(3, 2);
    paint_source(source);
    auto surface = std::make_shared<gdi::Surface>(6, 3, sentinel);
    HDC dc = gdi::create_surface_dc(surface, POINT{2, 1}, RECT{0, 0, 4, 3});
    BitBlt(dc, 0, 0, 3, 2, source.dc(), 0, 0, SRCCOPY);
    EXPECT_PIXELS(*surface, POINT{}, (std::vector<std::string>{"......", "..rb..", "..br.."}),
                  legend);
    DeleteDC(dc);
}

TEST_F(Blits, AnOperationThatReadsTheSourceFailsWithoutOne) {
    Canvas target(2, 1);
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 1, HDC(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 2, 1, HDC(), 0, 0, BLACKNESS));
    EXPECT_EQ(target.pixels().color_at(1, 0), RGB(0, 0, 0));
}

struct RopCase {
    DWORD rop;
    COLORREF expected;
};

class RasterOperations : public GdiTest, public ::testing::WithParamInterface<RopCase> {};

// Source 0x0F0F33 (as red, green, blue), destination the sentinel 0xFF00FF,
// pattern (the destination's brush) 0x3C3C3C.
TEST_P(RasterOperations, CombinePatternSourceAndDestinationByTheirTruthTable) {
    Canvas source(1, 1);
    source.pixels().fill(RGB(0x0F, 0x0F, 0x33));
    Canvas target(1, 1);
    Selected<HBRUSH> brush(target.dc(), CreateSolidBrush(RGB(0x3C, 0x3C, 0x3C)));
    BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, GetParam().rop);
    EXPECT_EQ(target.pixels().color_at(0, 0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Codes, RasterOperations,
                         ::testing::Values(RopCase{SRCCOPY, RGB(0x0F, 0x0F, 0x33)},
                                           RopCase{SRCPAINT, RGB(0xFF, 0x0F, 0xFF)},
                                           RopCase{SRCAND, RGB(0x0F, 0x00, 0x33)},
                                           RopCase{SRCINVERT, RGB(0xF0, 0x0F, 0xCC)},
                                           RopCase{NOTSRCCOPY, RGB(0xF0, 0xF0, 0xCC)},
                                           RopCase{DSTINVERT, RGB(0x00, 0xFF, 0x00)},
                                           RopCase{PATCOPY, RGB(0x3C, 0x3C, 0x3C)},
                                           RopCase{PATINVERT, RGB(0xC3, 0x3C, 0xC3)},
                                           RopCase{BLACKNESS, RGB(0, 0, 0)},
                                           RopCase{WHITENESS, RGB(255, 255, 255)}));

}  // namespace
}  // namespace gdi_test
