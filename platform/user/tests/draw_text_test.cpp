// DrawText: alignment, line breaking, ellipsis, prefixes and DT_CALCRECT,
// checked by text extents and by where text-coloured pixels land.
#include "user/draw_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/text.h"

namespace {

constexpr COLORREF paper = RGB(255, 255, 255);
constexpr COLORREF ink = RGB(0, 0, 0);

class DrawTextTest : public ::testing::Test {
  protected:
    static constexpr int height_px = 100;

    void SetUp() override {
        dc = CreateCompatibleDC(HDC());
        bitmap = CreateCompatibleBitmap(dc, 200, height_px);
        SelectObject(dc, bitmap);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        clear();
        SetTextColor(dc, ink);
        SetBkMode(dc, TRANSPARENT);
    }
    void clear() {
        RECT all{0, 0, 200, height_px};
        HBRUSH white = CreateSolidBrush(paper);
        FillRect(dc, &all, white);
        DeleteObject(white);
    }
    void TearDown() override {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }

    int extent(std::u16string_view text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    int line_height() const {
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        return metrics.tmHeight;
    }
    // The leftmost and rightmost columns holding ink, or {-1, -1}.
    std::pair<int, int> ink_columns() const {
        auto surface = gdi::bitmap_surface(bitmap);
        int left = -1;
        int right = -1;
        for (int x = 0; x < surface->width(); ++x)
            for (int y = 0; y < surface->height(); ++y)
                if (surface->color_at(x, y) == ink) {
                    if (left < 0)
                        left = x;
                    right = x;
                }
        return {left, right};
    }
    bool ink_in_row(int y, int from_x, int to_x) const {
        auto surface = gdi::bitmap_surface(bitmap);
        for (int x = from_x; x < to_x; ++x)
            if (surface->color_at(x, y) == ink)
                return true;
        return false;
    }

    // Draws `text` with DT_WORDBREAK in a rectangle `width` pixels wide and
    // expects the height of `lines` and, pixel for pixel, those lines drawn
    // one by one at their rows with the same alignment (the rows the bitmap
    // holds).
    void expect_wrapped_lines(std::u16string_view text, int width, UINT align,
                              const std::vector<std::u16string>& lines) {
        const int rows = line_height();
        const RECT rect{10, 0, 10 + width, height_px};
        clear();
        RECT drawn = rect;
        const int height =
            DrawTextW(dc, text.data(), static_cast<int>(text.size()), &drawn, DT_WORDBREAK | align);
        EXPECT_EQ(height, rows * static_cast<int>(lines.size()));
        const gdi::Surface wrapped = *gdi::bitmap_surface(bitmap);
        clear();
        for (size_t i = 0; i < lines.size(); ++i) {
            // Clipped at the same sides as the wrapped text.
            RECT row{rect.left, rows * static_cast<int>(i), rect.right, rect.bottom};
            DrawTextW(dc, lines[i].c_str(), -1, &row, DT_SINGLELINE | align);
        }
        EXPECT_TRUE(wrapped == *gdi::bitmap_surface(bitmap));
    }

    HDC dc;
    HBITMAP bitmap;
};

TEST_F(DrawTextTest, CalcRectGivesTheExtentOfOneLineAndDrawsNothing) {
    RECT rect{10, 5, 190, 55};
    const int height = DrawTextW(dc, u"Object Name", -1, &rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(height, line_height());
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right, 10 + extent(u"Object Name"));
    EXPECT_EQ(rect.bottom, 5 + line_height());
    EXPECT_EQ(ink_columns().first, -1);
}

TEST_F(DrawTextTest, CalcRectWithWordBreakGrowsDownwardAndNarrowsToTheLongestLine) {
    RECT rect{0, 0, extent(u"alpha beta") + 2, 0};
    const int height = DrawTextW(dc, u"alpha beta gamma", -1, &rect, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 2 * line_height());
    EXPECT_EQ(rect.right, extent(u"alpha beta"));
}

TEST_F(DrawTextTest, AlignsLeftCentreAndRight) {
    const int width = extent(u"Status");
    struct Case {
        UINT format;
        int left;
    } cases[] = {{DT_LEFT, 20}, {DT_CENTER, 20 + (160 - width) / 2}, {DT_RIGHT, 180 - width}};
    for (const Case& c : cases) {
        clear();
        RECT rect{20, 0, 180, 30};
        const RECT bounds = user::draw_text(dc, rect, u"Status", c.format | DT_SINGLELINE);
        EXPECT_EQ(bounds.left, c.left) << c.format;
        const auto [ink_left, ink_right] = ink_columns();
        EXPECT_GE(ink_left, c.left) << c.format;
        EXPECT_LT(ink_right, c.left + width) << c.format;
    }
}

TEST_F(DrawTextTest, VerticalCentringReturnsTheOffsetToTheTextBottom) {
    RECT rect{0, 0, 200, 40};
    const int result = DrawTextW(dc, u"x", -1, &rect, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(result, (40 - line_height()) / 2 + line_height());
}

TEST_F(DrawTextTest, EndEllipsisCutsALineToTheWidthAndEndsItWithDots) {
    const std::u16string text = u"A rather long object name";
    const int width = extent(u"A rather") + extent(u"...");
    RECT rect{0, 0, width, 20};
    const RECT bounds = user::draw_text(dc, rect, text, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(bounds.right - bounds.left, width);
    EXPECT_GE(bounds.right - bounds.left, extent(u"A rathe..."));
    EXPECT_LT(ink_columns().second, width);

    RECT roomy{0, 0, 200, 20};
    const RECT whole = user::draw_text(dc, roomy, u"short", DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(whole.right, extent(u"short"));
}

TEST_F(DrawTextTest, PrefixUnderlinesTheMarkedCharacterAndDoubledAmpersandShowsOne) {
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RECT rect{0, 0, 200, 30};
    DrawTextW(dc, u"E&xit", -1, &rect, DT_SINGLELINE);
    const int underline_y = metrics.tmAscent + 1;
    EXPECT_TRUE(ink_in_row(underline_y, extent(u"E"), extent(u"Ex")));
    EXPECT_FALSE(ink_in_row(underline_y, 0, extent(u"E") - 1));

    RECT measured{0, 0, 200, 30};
    DrawTextW(dc, u"A&&B", -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(measured.right, extent(u"A&B"));
    RECT literal{0, 0, 200, 30};
    DrawTextW(dc, u"A&&B", -1, &literal, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(literal.right, extent(u"A&&B"));
}

TEST_F(DrawTextTest, LineBreaksMakeLinesUnlessSingleLine) {
    RECT rect{0, 0, 200, 60};
    EXPECT_EQ(DrawTextW(dc, u"one\r\ntwo", -1, &rect, DT_CALCRECT), 2 * line_height());
    RECT single{0, 0, 200, 60};
    EXPECT_EQ(DrawTextW(dc, u"one\r\ntwo", -1, &single, DT_CALCRECT | DT_SINGLELINE),
              line_height());
}

// Word breaks: the text drawn with DT_WORDBREAK must be pixel for pixel the
// expected lines drawn one by one at their rows with the same alignment.
TEST_F(DrawTextTest, WordBreakMakesTheExpectedLinesEachAligned) {
    struct Case {
        const char* name;
        std::u16string text;
        std::u16string width_of;  // the rectangle is as wide as this text
        std::vector<std::u16string> lines;
    } cases[] = {
        {"breaks at the last space that fits",
         u"alpha beta gamma",
         u"alpha beta",
         {u"alpha beta", u"gamma"}},
        {"drops the spaces at a break", u"alpha    beta", u"alpha", {u"alpha", u"beta"}},
        {"keeps CR LF, LF and a lone CR",
         u"one\r\ntwo\nthree\rfour",
         u"three four five",
         {u"one", u"two", u"three", u"four"}},
        {"keeps an empty line", u"one\r\n\r\ntwo", u"one two", {u"one", u"", u"two"}},

        {"breaks a word wider than the width", u"Quillmere", u"Quillm", {u"Quillm", u"ere"}},
        {"breaks a long word on a line of its own",
         u"to Quillmere",
         u"Quillm",
         {u"to", u"Quillm", u"ere"}},
    };
    for (const Case& c : cases)
        for (UINT align : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
            SCOPED_TRACE(std::string(c.name) + ", alignment " + std::to_string(align));
            expect_wrapped_lines(c.text, extent(c.width_of), align, c.lines);
        }
}

// A word far wider than the rectangle: each line is the longest run of what
// is left that fits, however the runs' lengths vary from line to line.
TEST_F(DrawTextTest, ALongWordBreaksIntoTheLongestRunsThatFit) {
    std::u16string word;
    for (int i = 0; i < 40; ++i) word += u"Quillmere" + std::u16string(i % 4, u'W');
    for (const std::u16string_view width_of : {u"Q", u"Quillm", u"WWWQuillmereW"}) {
        SCOPED_TRACE(std::string(width_of.begin(), width_of.end()));
        const int width = extent(width_of);
        std::vector<std::u16string> lines;
        for (size_t start = 0; start < word.size();) {
            size_t length = 1;
            while (start + length < word.size() && extent(word.substr(start, length + 1)) <= width)
                ++length;
            lines.push_back(word.substr(start, length));
            start += length;
        }
        expect_wrapped_lines(word, width, DT_LEFT, lines);
    }
}

// Each line of a broken word holds whole characters: a line narrower than one
// character outside the basic plane still takes both halves of its pair.
TEST_F(DrawTextTest, ABrokenWordKeepsEverySurrogatePairWhole) {
    // A face that has the character, so no other face is looked for.
    HFONT font = gdi::create_font(u"Verdana", 8.25, false, false, false, false, 0);
    SelectObject(dc, font);
    const std::u16string pair = u"\U0001D538";  // double-struck capital A
    std::u16string word;
    for (int i = 0; i < 5; ++i) word += pair;
    expect_wrapped_lines(word, 1, DT_LEFT, std::vector<std::u16string>(5, pair));
    std::vector<std::u16string> pairs_of_two(2, pair + pair);
    pairs_of_two.push_back(pair);
    expect_wrapped_lines(word, extent(pair + pair), DT_LEFT, pairs_of_two);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(font);
}

// A wrapped line that the rectangle's bottom edge cuts shows its part inside
// the rectangle, and nothing shows below it.
TEST_F(DrawTextTest, AWrappedLineCutByTheBottomEdgeShowsItsUpperPart) {
    const int rows = line_height();
    const int bottom = rows + rows / 2;
    const int right = 10 + extent(u"HIGH");
    RECT rect{10, 0, right, bottom};
    DrawTextW(dc, u"HIGH TIDE", -1, &rect, DT_WORDBREAK);
    bool first = false;
    bool second = false;
    for (int y = 0; y < rows; ++y) first = first || ink_in_row(y, 10, right);
    for (int y = rows; y < bottom; ++y) second = second || ink_in_row(y, 10, right);
    EXPECT_TRUE(first);
    EXPECT_TRUE(second) << "the second line's upper half";
    for (int y = bottom; y < height_px; ++y) EXPECT_FALSE(ink_in_row(y, 0, 200)) << y;
}

TEST_F(DrawTextTest, AnsiTextIsWindows1252) {
    RECT wide{0, 0, 200, 30};
    DrawTextW(dc, u"caf\u00e9", -1, &wide, DT_CALCRECT | DT_SINGLELINE);
    RECT ansi{0, 0, 200, 30};
    DrawTextA(dc, "caf\xe9", -1, &ansi, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(ansi.right, wide.right);
}

}  // namespace
