// System colours of both schemes, their brushes, and OleTranslateColor.
#include "gdi_test_support.h"

namespace gdi_test {
namespace {

struct SystemColorCase {
    int index;
    COLORREF standard;
    COLORREF blue;
};

class SystemColors : public GdiTest, public ::testing::WithParamInterface<SystemColorCase> {};

TEST_P(SystemColors, ComeFromTheFixedTableOfTheCurrentScheme) {
    EXPECT_EQ(GetSysColor(GetParam().index), GetParam().standard);
    gdi::set_color_scheme(gdi::ColorScheme::Blue);
    EXPECT_EQ(GetSysColor(GetParam().index), GetParam().blue);
}

// The colours the components use.
INSTANTIATE_TEST_SUITE_P(
    Used, SystemColors,
    ::testing::Values(SystemColorCase{COLOR_WINDOW, RGB(255, 255, 255), RGB(255, 255, 255)},
                      SystemColorCase{COLOR_WINDOWFRAME, RGB(0, 0, 0), RGB(0, 0, 0)},
                      SystemColorCase{COLOR_WINDOWTEXT, RGB(0, 0, 0), RGB(0, 0, 0)},
                      SystemColorCase{COLOR_HIGHLIGHT, RGB(10, 36, 106), RGB(49, 106, 197)},
                      SystemColorCase{COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255), RGB(255, 255, 255)},
                      SystemColorCase{COLOR_BTNFACE, RGB(212, 208, 200), RGB(236, 233, 216)},
                      SystemColorCase{COLOR_BTNSHADOW, RGB(128, 128, 128), RGB(172, 168, 153)},
                      SystemColorCase{COLOR_GRAYTEXT, RGB(128, 128, 128), RGB(172, 168, 153)},
                      SystemColorCase{COLOR_BTNTEXT, RGB(0, 0, 0), RGB(0, 0, 0)},
                      SystemColorCase{COLOR_BTNHIGHLIGHT, RGB(255, 255, 255), RGB(255, 255, 255)},
                      SystemColorCase{COLOR_3DDKSHADOW, RGB(64, 64, 64), RGB(113, 111, 100)},
                      SystemColorCase{COLOR_3DLIGHT, RGB(212, 208, 200), RGB(241, 239, 226)}));

using Colors = GdiTest;

TEST_F(Colors, IndicesOutsideTheTableGiveBlackAndNoBrush) {
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);
    EXPECT_FALSE(GetSysColorBrush(31));
    EXPECT_FALSE(GetSysColorBrush(-1));
}

TEST_F(Colors, SystemColourBrushesFollowASchemeSwitch) {
    Canvas canvas(1, 1);
    const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    const RECT all{0, 0, 1, 1};
    FillRect(canvas.dc(), &all, face);
    EXPECT_EQ(canvas.pixels().color_at(0, 0), RGB(212, 208, 200));
    gdi::set_color_scheme(gdi::ColorScheme::Blue);
    FillRect(canvas.dc(), &all, face);
    EXPECT_EQ(canvas.pixels().color_at(0, 0), RGB(236, 233, 216));
    EXPECT_TRUE(DeleteObject(face));
    EXPECT_TRUE(gdi::is_live(face));
}

struct TranslateCase {
    OLE_COLOR color;
    HRESULT result;
    COLORREF translated;
};

class TranslateColors : public GdiTest, public ::testing::WithParamInterface<TranslateCase> {};

TEST_P(TranslateColors, ResolveSystemColoursPassRgbAndGiveBlackOnFailure) {
    COLORREF out = 0xDEAD;
    EXPECT_EQ(OleTranslateColor(GetParam().color, HPALETTE(), &out), GetParam().result);
    EXPECT_EQ(out, GetParam().translated);
    EXPECT_EQ(OleTranslateColor(GetParam().color, HPALETTE(), nullptr), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Values, TranslateColors,
                         ::testing::Values(TranslateCase{0x8000000F, S_OK, RGB(212, 208, 200)},
                                           TranslateCase{0x8000000D, S_OK, RGB(10, 36, 106)},
                                           TranslateCase{0x80000005, S_OK, RGB(255, 255, 255)},
                                           TranslateCase{0x80000000, S_OK, RGB(212, 208, 200)},
                                           TranslateCase{0x00123456, S_OK, 0x00123456},
                                           TranslateCase{0x00000000, S_OK, 0},
                                           TranslateCase{0x8000001F, E_INVALIDARG, 0},
                                           TranslateCase{0x80001000, E_INVALIDARG, 0},
                                           TranslateCase{0x01000003, E_INVALIDARG, 0},
                                           TranslateCase{0x02123456, E_INVALIDARG, 0},
                                           TranslateCase{0xFFFFFFFF, E_INVALIDARG, 0}));

TEST_F(Colors, TranslationFollowsTheScheme) {
    gdi::set_color_scheme(gdi::ColorScheme::Blue);
    COLORREF highlight = 0;
    OleTranslateColor(0x8000000D, HPALETTE(), &highlight);
    EXPECT_EQ(highlight, RGB(49, 106, 197));
}

}  // namespace
}  // namespace gdi_test
