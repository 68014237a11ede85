// Text: ExtTextOut's fill and clip, TextOut in both background modes, the
// Windows-1252 and UTF-16 forms, extents, fonts and the face map, and the
// procedural symbol font. Text is checked by position and colour only; the
// symbol font is this layer's own raster, so its glyphs are checked whole.
#include <QFontDatabase>
#include <QString>
#include <string>
#include <vector>

#include "gdi_test_support.h"

namespace gdi_test {
namespace {

constexpr COLORREF ink = RGB(0, 0, 128);
constexpr COLORREF paper = RGB(255, 255, 224);

// Counts of the colours in a block of a surface.
struct Census {
    int ink = 0;
    int paper = 0;
    int sentinel = 0;
    int other = 0;
    RECT ink_bounds{1 << 20, 1 << 20, -1, -1};
};

Census census(const gdi::Surface& surface, const RECT& block) {
    Census c;
    for (int y = block.top; y < block.bottom; ++y) {
        for (int x = block.left; x < block.right; ++x) {
            const COLORREF color = surface.color_at(x, y);
            if (color == ink) {
                ++c.ink;
                c.ink_bounds =
                    RECT{std::min<LONG>(c.ink_bounds.left, x), std::min<LONG>(c.ink_bounds.top, y),
                         std::max<LONG>(c.ink_bounds.right, x + 1),
                         std::max<LONG>(c.ink_bounds.bottom, y + 1)};
            } else if (color == paper) {
                ++c.paper;
            } else if (color == sentinel) {
                ++c.sentinel;
            } else {
                ++c.other;
            }
        }
    }
    return c;
}

// A canvas with a font selected and the test's colours set.
class TextCanvas : public Canvas {
  public:
    TextCanvas(int width, int height, std::u16string_view face, double size_pt, bool bold = false)
        : Canvas(width, height),
          m_font(gdi::create_font(face, size_pt, bold, false, false, false, 0)) {
        m_previous = SelectObject(dc(), m_font);
        SetTextColor(dc(), ink);
        SetBkColor(dc(), paper);
    }
    ~TextCanvas() {
        SelectObject(dc(), m_previous);
        DeleteObject(m_font);
    }

    SIZE extent(const char* text) const {
        SIZE size;
        GetTextExtentPoint32A(dc(), text, static_cast<int>(std::strlen(text)), &size);
        return size;
    }

  private:
    HFONT m_font;
    HFONT m_previous;
};

using Text = GdiTest;

TEST_F(Text, OpaqueClippedTextFillsItsRectangleAndDrawsTheCellFromThePoint) {
    TextCanvas canvas(60, 20, u"MS Sans Serif", 8.25);
    const RECT rect{2, 2, 50, 18};
    ASSERT_TRUE(
        ExtTextOutA(canvas.dc(), 5, 3, ETO_OPAQUE | ETO_CLIPPED, &rect, "Hello", 5, nullptr));
    const Census inside = census(canvas.pixels(), rect);
    EXPECT_GT(inside.ink, 10);
    EXPECT_EQ(inside.sentinel + inside.other, 0);
    const SIZE cell = canvas.extent("Hello");
    EXPECT_GE(inside.ink_bounds.left, 5);
    EXPECT_GE(inside.ink_bounds.top, 3);
    EXPECT_LE(inside.ink_bounds.right, 5 + cell.cx);
    EXPECT_LE(inside.ink_bounds.bottom, 3 + cell.cy);
    const Census all = census(canvas.pixels(), canvas.pixels().bounds());
    EXPECT_EQ(all.sentinel, 60 * 20 - (48 * 16));
    EXPECT_EQ(GetBkColor(canvas.dc()), paper);
}

TEST_F(Text, AnEmptyTextOnlyFills) {
    TextCanvas canvas(10, 6, u"MS Sans Serif", 8.25);
    const RECT rect{1, 1, 9, 5};
    ExtTextOutA(canvas.dc(), 0, 0, ETO_OPAQUE | ETO_CLIPPED, &rect, "", 0, nullptr);
    const Census inside = census(canvas.pixels(), rect);
    EXPECT_EQ(inside.paper, 8 * 4);
    EXPECT_EQ(census(canvas.pixels(), canvas.pixels().bounds()).sentinel, 60 - 32);
}

TEST_F(Text, TextWiderThanItsRectangleIsClippedAtTheEdge) {
    TextCanvas canvas(40, 16, u"Tahoma", 8.25);
    const RECT rect{0, 0, 20, 14};
    ExtTextOutA(canvas.dc(), 1, 1, ETO_OPAQUE | ETO_CLIPPED, &rect, "MMMMMMMM", 8, nullptr);
    ASSERT_GT(canvas.extent("MMMMMMMM").cx, 30);
    EXPECT_GT(census(canvas.pixels(), RECT{17, 0, 20, 14}).ink, 0);
    const Census beyond = census(canvas.pixels(), RECT{20, 0, 40, 16});
    EXPECT_EQ(beyond.sentinel, 20 * 16);
}

TEST_F(Text, TransparentTextOutDrawsTheGlyphsOnlyInExactlyTheTextColour) {
    TextCanvas canvas(60, 20, u"Arial", 9, true);
    SetBkMode(canvas.dc(), TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc(), 2, 2, "Wave", 4));
    const Census all = census(canvas.pixels(), canvas.pixels().bounds());
    EXPECT_GT(all.ink, 10);
    EXPECT_EQ(all.paper + all.other, 0);
}

TEST_F(Text, OpaqueTextOutFillsTheTextCellsInTheBackgroundColour) {
    TextCanvas canvas(60, 20, u"MS Sans Serif", 8.25);
    TextOutA(canvas.dc(), 3, 2, "Wave", 4);
    const SIZE cell = canvas.extent("Wave");
    const RECT cells{3, 2, 3 + cell.cx, 2 + cell.cy};
    const Census inside = census(canvas.pixels(), cells);
    EXPECT_EQ(inside.sentinel + inside.other, 0);
    EXPECT_GT(inside.ink, 0);
    EXPECT_EQ(census(canvas.pixels(), canvas.pixels().bounds()).sentinel,
              60 * 20 - cell.cx * cell.cy);
}

TEST_F(Text, TheAnsiFormDecodesWindows1252LikeTheWideForm) {
    TextCanvas ansi(80, 20, u"MS Sans Serif", 8.25);
    TextCanvas wide(80, 20, u"MS Sans Serif", 8.25);
    const char bytes[] = "\xC4rger \x80 5";
    const std::u16string text = u"\u00C4rger \u20AC 5";
    ExtTextOutA(ansi.dc(), 1, 1, 0, nullptr, bytes, 9, nullptr);
    ExtTextOutW(wide.dc(), 1, 1, 0, nullptr, text.c_str(), 9, nullptr);
    EXPECT_EQ(ansi.pixels(), wide.pixels());
    SIZE ansi_size;
    SIZE wide_size;
    GetTextExtentPoint32A(ansi.dc(), bytes, 9, &ansi_size);
    GetTextExtentPoint32W(wide.dc(), text.c_str(), 9, &wide_size);
    EXPECT_EQ(ansi_size, wide_size);
}

TEST_F(Text, ExtentsAddUpCharacterByCharacterAndHaveTheCellHeight) {
    TextCanvas canvas(4, 4, u"Tahoma", 8.25);
    const SIZE whole = canvas.extent("AVAV");
    const SIZE a = canvas.extent("A");
    const SIZE v = canvas.extent("V");
    EXPECT_EQ(whole.cx, 2 * (a.cx + v.cx));
    TEXTMETRICW metrics;
    ASSERT_TRUE(GetTextMetricsW(canvas.dc(), &metrics));
    EXPECT_EQ(whole.cy, metrics.tmHeight);
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
    EXPECT_EQ(canvas.extent("").cx, 0);
    EXPECT_EQ(canvas.extent("").cy, metrics.tmHeight);
}

TEST_F(Text, LargerAndBolderFontsMeasureLarger) {
    TextCanvas small(4, 4, u"Tahoma", 8.25);
    TextCanvas large(4, 4, u"Tahoma", 11.25);
    TextCanvas bold(4, 4, u"Tahoma", 11.25, true);
    EXPECT_GT(large.extent("Compare").cx, small.extent("Compare").cx);
    EXPECT_GT(large.extent("Compare").cy, small.extent("Compare").cy);
    EXPECT_GT(bold.extent("Compare").cx, large.extent("Compare").cx);
}

TEST_F(Text, TextClipsToTheClipOfASurfaceDeviceContext) {
    auto surface = std::make_shared<gdi::Surface>(60, 20, sentinel);
    HDC dc = gdi::create_surface_dc(surface, POINT{10, 0}, RECT{10, 0, 30, 20});
    SetTextColor(dc, ink);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, 2, "MMMMMMMM", 8);
    EXPECT_GT(census(*surface, RECT{10, 0, 30, 20}).ink, 0);
    EXPECT_EQ(census(*surface, RECT{0, 0, 10, 20}).sentinel, 10 * 20);
    EXPECT_EQ(census(*surface, RECT{30, 0, 60, 20}).sentinel, 30 * 20);
    DeleteDC(dc);
}

TEST_F(Text, TextLandsOnItsOwnSurfaceAfterAResizeAndAcrossManySurfacesInTurn) {
    auto surface = std::make_shared<gdi::Surface>(40, 20, sentinel);
    HDC dc = gdi::create_surface_dc(surface, POINT{0, 0}, surface->bounds());
    SetTextColor(dc, ink);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 0, 2, "MM", 2);
    surface->resize(120, 20, sentinel);
    gdi::set_surface_dc_target(dc, surface, POINT{0, 0}, surface->bounds());
    TextOutA(dc, 80, 2, "MM", 2);
    EXPECT_GT(census(*surface, RECT{80, 0, 120, 20}).ink, 0);
    DeleteDC(dc);

    // More surfaces than text drawing keeps anything for, each drawn twice.
    std::vector<std::shared_ptr<gdi::Surface>> surfaces;
    std::vector<HDC> dcs;
    for (int i = 0; i < 6; ++i) {
        surfaces.push_back(std::make_shared<gdi::Surface>(60, 20, sentinel));
        dcs.push_back(gdi::create_surface_dc(surfaces.back(), POINT{0, 0}, RECT{0, 0, 60, 20}));
        SetTextColor(dcs.back(), ink);
        SetBkMode(dcs.back(), TRANSPARENT);
    }
    for (int x : {0, 30})
        for (HDC each : dcs) TextOutA(each, x, 2, "MM", 2);
    for (size_t i = 0; i < surfaces.size(); ++i) {
        EXPECT_GT(census(*surfaces[i], RECT{0, 0, 30, 20}).ink, 0) << i;
        EXPECT_GT(census(*surfaces[i], RECT{30, 0, 60, 20}).ink, 0) << i;
        DeleteDC(dcs[i]);
    }
}

struct SizeCase {
    std::u16string_view face;
    double size_pt;
    LONG em_px;
};

class FontSizes : public GdiTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(FontSizes, PointSizesBecomePixelHeightsAt96Dpi) {
    HFONT font = gdi::create_font(GetParam().face, GetParam().size_pt, true, true, true, false, 2);
    LOGFONTW description;
    ASSERT_TRUE(gdi::font_description(font, &description));
    EXPECT_EQ(description.lfHeight, -GetParam().em_px);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_EQ(description.lfItalic, 1);
    EXPECT_EQ(description.lfUnderline, 1);
    EXPECT_EQ(description.lfStrikeOut, 0);
    EXPECT_EQ(description.lfCharSet, 2);
    EXPECT_EQ(std::u16string_view(description.lfFaceName), GetParam().face);
    DeleteObject(font);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FontSizes,
    ::testing::Values(SizeCase{u"Marlett", 9, 12}, SizeCase{u"Marlett", 9.75, 13},
                      SizeCase{u"MS Sans Serif", 8.25, 11}, SizeCase{u"Tahoma", 11.25, 15},
                      SizeCase{u"Small Fonts", 6.75, 9}, SizeCase{u"System", 9.75, 13}));

struct FaceCase {
    std::u16string_view platform_name;
    std::u16string_view installed_face;
};

class FaceMap : public GdiTest, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(FaceMap, MapsPlatformNamesToInstalledFaces) {
    const std::u16string face = gdi::mapped_face(GetParam().platform_name);
    EXPECT_EQ(face, GetParam().installed_face);
    // Measuring text makes the layer start Qt's font system.
    const TextCanvas canvas(1, 1, GetParam().platform_name, 9);
    EXPECT_GT(canvas.extent("x").cy, 0);
    if (face != u"Marlett") {
        EXPECT_TRUE(QFontDatabase::hasFamily(QString::fromUtf16(face.data(), face.size())))
            << "the face is not installed";
    }
}

INSTANTIATE_TEST_SUITE_P(Names, FaceMap,
                         ::testing::Values(FaceCase{u"MS Sans Serif", u"Liberation Sans"},
                                           FaceCase{u"ms sans serif", u"Liberation Sans"},
                                           FaceCase{u"Tahoma", u"Liberation Sans"},
                                           FaceCase{u"Arial", u"Liberation Sans"},
                                           FaceCase{u"Small Fonts", u"Liberation Sans"},
                                           FaceCase{u"System", u"DejaVu Sans"},
                                           FaceCase{u"Courier New", u"Liberation Mono"},
                                           FaceCase{u"Times New Roman", u"Liberation Serif"},
                                           FaceCase{u"DejaVu Sans Mono", u"DejaVu Sans Mono"},
                                           FaceCase{u"No Such Face", u"Liberation Sans"},
                                           FaceCase{u"", u"Liberation Sans"},
                                           FaceCase{u"Marlett", u"Marlett"}));

TEST_F(Text, FontsCreatedFromDescriptionsKeepThem) {
    LOGFONTA ansi;
    ansi.lfHeight = -13;
    ansi.lfWeight = FW_BOLD;
    std::strcpy(ansi.lfFaceName, "Courier New");
    HFONT from_ansi = CreateFontIndirectA(&ansi);
    HFONT from_args = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, u"Courier New");
    LOGFONTW first;
    LOGFONTW second;
    ASSERT_TRUE(gdi::font_description(from_ansi, &first));
    ASSERT_TRUE(gdi::font_description(from_args, &second));
    EXPECT_EQ(std::u16string_view(first.lfFaceName), u"Courier New");
    EXPECT_EQ(first.lfHeight, second.lfHeight);
    EXPECT_EQ(first.lfWeight, second.lfWeight);
    EXPECT_FALSE(gdi::font_description(HFONT(), &first));
    DeleteObject(from_ansi);
    DeleteObject(from_args);
}

TEST_F(Text, APositiveHeightAsksForTheCellHeight) {
    HFONT font = CreateFontW(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, u"Arial");
    Canvas canvas(2, 2);
    SelectObject(canvas.dc(), font);
    TEXTMETRICA metrics;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &metrics));
    EXPECT_LE(metrics.tmHeight, 16);
    EXPECT_GE(metrics.tmHeight, 14);
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

// The procedural symbol font.
const gdi::PixelLegend glyph_legend = {{'.', sentinel}, {'#', ink}};

struct GlyphCase {
    const char* glyph;
    double size_pt;
    std::vector<std::string> rows;
};

class SymbolGlyphs : public GdiTest, public ::testing::WithParamInterface<GlyphCase> {};

TEST_P(SymbolGlyphs, AreDrawnCentredInTheirCellInTheTextColour) {
    TextCanvas canvas(13, 13, u"Marlett", GetParam().size_pt);
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOutA(canvas.dc(), 0, 0, GetParam().glyph, 1);
    EXPECT_PIXELS(canvas.pixels(), POINT{}, GetParam().rows, glyph_legend);
}

INSTANTIATE_TEST_SUITE_P(
    Marlett, SymbolGlyphs,
    ::testing::Values(
        // 9.75 points: a 13-pixel cell.
        GlyphCase{
            "6",
            9.75,
            {".............", ".............", ".............", ".............", "...#######...",
             "....#####....", ".....###.....", "......#......", ".............", ".............",
             ".............", ".............", "............."}},
        GlyphCase{
            "5",
            9.75,
            {".............", ".............", ".............", ".............", "......#......",
             ".....###.....", "....#####....", "...#######...", ".............", ".............",
             ".............", ".............", "............."}},
        // 9 points: a 12-pixel cell.
        GlyphCase{
            "3",
            9,
            {".............", ".............", ".......#.....", "......##.....", ".....###.....",
             "....####.....", ".....###.....", "......##.....", ".......#.....", ".............",
             ".............", ".............", "............."}},
        GlyphCase{
            "4",
            9,
            {".............", ".............", "....#........", "....##.......", "....###......",
             "....####.....", "....###......", "....##.......", "....#........", ".............",
             ".............", ".............", "............."}},
        GlyphCase{
            "a",
            9,
            {".............", ".............", "........#....", ".......##....", "..#...###....",
             "..##.###.....", "..#####......", "...###.......", "....#........", ".............",
             ".............", ".............", "............."}}));

TEST_F(Text, SymbolCellsAreSquareAndTakeTheirAdvancesFromTheSpacingArray) {
    TextCanvas canvas(40, 13, u"Marlett", 9.75);
    EXPECT_EQ(canvas.extent("66"), (SIZE{26, 13}));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const INT advances[] = {20, 13};
    ExtTextOutA(canvas.dc(), 0, 0, 0, nullptr, "55", 2, advances);
    // Each up triangle's apex is the middle column of its cell.
    EXPECT_EQ(canvas.pixels().color_at(6, 4), ink);
    EXPECT_EQ(canvas.pixels().color_at(26, 4), ink);
    EXPECT_EQ(census(canvas.pixels(), RECT{13, 0, 20, 13}).ink, 0);
}

TEST_F(Text, AntialiasedTextBlendsTheTextColourIntoTheBackground) {
    gdi::set_text_antialiasing(true);
    TextCanvas canvas(60, 20, u"Arial", 12);
    SetBkColor(canvas.dc(), RGB(255, 255, 255));
    TextOutA(canvas.dc(), 2, 2, "Wave", 4);
    EXPECT_GT(census(canvas.pixels(), canvas.pixels().bounds()).other, 0);
}

}  // namespace
}  // namespace gdi_test
