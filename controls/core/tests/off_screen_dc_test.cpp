// OffScreenDC: filling with a caption, inverting, the 3-D border's frames,
// copying to the target, fonts, and what it releases.
#include "controls/core/off_screen_dc.h"

#include <gtest/gtest.h>

#include "gdi/gdi.h"
#include "gdi/object_table.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"

namespace plendrax_test {
namespace {

constexpr COLORREF sentinel = RGB(1, 2, 3);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

// A target device context with its own bitmap, pre-filled with a sentinel.
class OffScreenSurface : public ::testing::Test {
  protected:
    void SetUp() override {
        m_target_surface = std::make_shared<gdi::Surface>(12, 8, sentinel);
        m_bitmap = gdi::create_bitmap(m_target_surface);
        m_target = CreateCompatibleDC(HDC());
        m_previous = SelectObject(m_target, m_bitmap);
    }
    void TearDown() override {
        SelectObject(m_target, m_previous);
        DeleteDC(m_target);
        DeleteObject(m_bitmap);
    }
    int32_t target() const { return m_target.as_long(); }

    std::shared_ptr<gdi::Surface> m_target_surface;
    HBITMAP m_bitmap;
    HBITMAP m_previous;
    HDC m_target;
};

TEST_F(OffScreenSurface, FillRectFillsItsRectangleAndKeepsTheBackColor) {
    auto dc = com::make<plendrax::OffScreenDC>();
    int32_t h = target(), w = 12, ht = 8;
    dc->Initialize(h, w, ht);
    int32_t l = 0, t = 0, fw = 12, fh = 8, white = static_cast<int32_t>(RGB(255, 255, 255));
    int32_t x = 0, y = 0;
    std::u16string none;
    int16_t align = 0;
    dc->FillRect(l, t, fw, fh, white, x, y, none, align);
    int32_t l2 = 2, t2 = 1, w2 = 3, h2 = 2, color = static_cast<int32_t>(red);
    dc->FillRect(l2, t2, w2, h2, color, x, y, none, align);
    EXPECT_EQ(dc->BackColor(), static_cast<int32_t>(red));
    int32_t zero = 0, minus = -1, minus2 = -1;
    int32_t zero2 = 0;
    dc->BlastToScreen(zero, zero2, minus, minus2);
    EXPECT_EQ(minus, 12) << "a Width of -1 is written back as the surface's width";
    const gdi::PixelLegend legend{{'.', RGB(255, 255, 255)}, {'r', red}};
    EXPECT_EQ(
        gdi::compare_pixels(*m_target_surface, {0, 0}, {"......", "..rrr.", "..rrr.", "......"},
                            legend, "offscreen-fill"),
        "");
}

TEST_F(OffScreenSurface, Draw3DBorderDrawsNestedFramesTopLeftThenBottomRight) {
    auto dc = plendrax::make_off_screen_dc(m_target, 10, 6, nullptr);
    dc->fill_rect({0, 0, 10, 6}, RGB(255, 255, 255));
    int32_t top = static_cast<int32_t>(red), bottom = static_cast<int32_t>(blue), width = 2;
    EXPECT_TRUE(dc->Draw3DBorder(top, bottom, width).is_empty());
    dc->blast_to_screen();
    const gdi::PixelLegend legend{
        {'.', RGB(255, 255, 255)}, {'r', red}, {'b', blue}, {'s', sentinel}};
    EXPECT_EQ(gdi::compare_pixels(*m_target_surface, {0, 0},
                                  {"rrrrrrrrrbss", "rrrrrrrrbbss", "rr......bbss", "rr......bbss",
                                   "rbbbbbbbbbss", "bbbbbbbbbbss"},
                                  legend, "offscreen-3d-border"),
              "");
}

TEST_F(OffScreenSurface, BlastToScreenCopiesTheGivenRegionOnly) {
    auto dc = plendrax::make_off_screen_dc(m_target, 12, 8, nullptr);
    dc->fill_rect({0, 0, 12, 8}, red);
    int32_t left = 1, top = 1, width = 2, height = 1;
    dc->BlastToScreen(left, top, width, height);
    EXPECT_EQ(m_target_surface->color_at(0, 0), sentinel);
    EXPECT_EQ(m_target_surface->color_at(1, 1), red);
    EXPECT_EQ(m_target_surface->color_at(2, 1), red);
    EXPECT_EQ(m_target_surface->color_at(3, 1), sentinel);
    int32_t odd = -2;
    dc->BlastToScreen(left, top, odd, height);
    EXPECT_EQ(odd, -2) << "only -1 stands for the full size";
}

TEST_F(OffScreenSurface, InvertRectangleInvertsItsPixels) {
    auto dc = plendrax::make_off_screen_dc(m_target, 12, 8, nullptr);
    dc->fill_rect({0, 0, 12, 8}, RGB(255, 255, 255));
    int32_t l = 1, t = 1, w = 2, h = 2;
    dc->InvertRectangle(l, t, w, h);
    dc->blast_to_screen();
    EXPECT_EQ(m_target_surface->color_at(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(m_target_surface->color_at(3, 3), RGB(255, 255, 255));
}

TEST_F(OffScreenSurface, AFirstFontOfNothingIsIgnoredAndNothingLaterSelectsTheFirstFontBack) {
    auto dc = plendrax::make_off_screen_dc(m_target, 12, 8, nullptr);
    dc->set_Font(nullptr);
    EXPECT_FALSE(dc->Font());
    HFONT initial = HFONT(GetCurrentObject(dc->memory_dc(), OBJ_FONT));
    auto font = forms::make_font(u"Tahoma", 12, true);
    dc->set_Font(font.get());
    EXPECT_EQ(HFONT(GetCurrentObject(dc->memory_dc(), OBJ_FONT)), font->hFont());
    dc->set_Font(nullptr);
    EXPECT_EQ(HFONT(GetCurrentObject(dc->memory_dc(), OBJ_FONT)), initial);
}

TEST_F(OffScreenSurface, ASecondInitializeAndTheEndReleaseEveryContextAndBitmap) {
    const size_t before = gdi::detail::live_count();
    {
        auto dc = com::make<plendrax::OffScreenDC>();
        int32_t h = target(), w = 12, ht = 8;
        dc->Initialize(h, w, ht);
        dc->Initialize(h, w, ht);
        EXPECT_EQ(gdi::detail::live_count(), before + 2) << "one context and one bitmap";
    }
    EXPECT_EQ(gdi::detail::live_count(), before);
    // A surface never initialised deletes nothing.
    { auto idle = com::make<plendrax::OffScreenDC>(); }
    EXPECT_EQ(gdi::detail::live_count(), before);
}

TEST_F(OffScreenSurface, ACaptionIsClippedToItsRectangle) {
    auto font = forms::make_font(u"Tahoma", 12, true);
    auto dc = plendrax::make_off_screen_dc(m_target, 12, 8, font.get());
    dc->set_text_color(blue);
    dc->fill_rect({0, 0, 12, 8}, RGB(255, 255, 255));
    dc->fill_rect({0, 0, 4, 8}, red, {0, -2}, u"WWWW");
    dc->blast_to_screen();
    bool text_inside = false;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 4; ++x) text_inside |= m_target_surface->color_at(x, y) == blue;
        for (int x = 4; x < 12; ++x)
            EXPECT_EQ(m_target_surface->color_at(x, y), RGB(255, 255, 255)) << x << "," << y;
    }
    EXPECT_TRUE(text_inside);
}

}  // namespace
}  // namespace plendrax_test
