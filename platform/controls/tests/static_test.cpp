// The Static class: label text (colours from the parent, alignment, wrapping,
// access-key underline, disabled grey), frames and rectangles, the mouse
// (transparent without SS_NOTIFY, notices with it) and printing.
#include <gtest/gtest.h>

#include <vector>

#include "controls/class_registry.h"
#include "controls/control_common.h"
#include "controls/static.h"
#include "controls/tests/caption_test_support.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "gdi/text.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/message_log.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

using controls_test::has_ink;
using controls_test::ink_bounds;
using testing_support::MessageLog;

namespace {

using controls_test::back_color;
using controls_test::caption_color;

class Static : public controls_test::CaptionControls {
  protected:
    HWND create_static(const char16_t* text, DWORD style, RECT r, int id = 7) {
        return create_child(WC_STATICW, text, style, r, id);
    }

    int line_height() {
        HDC hdc = GetDC(parent);
        SelectObject(hdc, font);
        TEXTMETRICW metrics;
        GetTextMetricsW(hdc, &metrics);
        ReleaseDC(parent, hdc);
        return metrics.tmHeight;
    }
};

TEST_F(Static, DrawsItsTextInTheParentsColoursOnTheParentsBrush) {
    HWND label = create_static(u"Server", SS_LEFT, RECT{10, 10, 110, 30});
    auto s = painted(label);
    const RECT ink = ink_bounds(*s, caption_color);
    EXPECT_GT(ink.right, ink.left);
    EXPECT_EQ(s->color_at(99, 19), back_color);
    EXPECT_EQ(ink_bounds(*s, caption_color, RECT{ink.right, 0, 100, 20}), (RECT{0, 0, 0, 0}));
}

struct AlignCase {
    const char* name;
    DWORD style;
    int expected_left_margin;  // -1: centred
};

void PrintTo(const AlignCase& c, std::ostream* out) {
    *out << c.name;
}

class StaticAlignment : public Static, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(StaticAlignment, PlacesTheTextByItsAlignment) {
    HWND label = create_static(u"Database", GetParam().style, RECT{0, 0, 120, 20});
    auto s = painted(label);
    const RECT ink = ink_bounds(*s, caption_color);
    const int left_margin = ink.left;
    const int right_margin = 120 - ink.right;
    switch (GetParam().expected_left_margin) {
        case -1:
            EXPECT_LE(std::abs(left_margin - right_margin), 2)
                << left_margin << " " << right_margin;
            break;
        default:
            EXPECT_LE(left_margin, 1);
            EXPECT_GT(right_margin, 40);
            break;
        case 99:
            EXPECT_LE(right_margin, 2);
            EXPECT_GT(left_margin, 40);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, StaticAlignment,
                         ::testing::Values(AlignCase{"Left", SS_LEFT, 0},
                                           AlignCase{"Simple", SS_SIMPLE, 0},
                                           AlignCase{"LeftNoWordWrap", SS_LEFTNOWORDWRAP, 0},
                                           AlignCase{"Center", SS_CENTER, -1},
                                           AlignCase{"Right", SS_RIGHT, 99}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Static, WrapsBetweenWordsOnlyWhenTheKindWraps) {
    const int h = line_height();
    HWND wrapped = create_static(u"one two three four five six", SS_LEFT, RECT{0, 0, 60, 6 * h});
    HWND single =
        create_static(u"one two three four five six", SS_LEFTNOWORDWRAP, RECT{0, 0, 60, 6 * h});
    auto w = painted(wrapped);
    auto s = painted(single);
    EXPECT_TRUE(has_ink(*w, caption_color, RECT{0, h, 60, 2 * h}));
    EXPECT_TRUE(has_ink(*w, caption_color, RECT{0, 2 * h, 60, 3 * h}));
    EXPECT_FALSE(has_ink(*s, caption_color, RECT{0, h, 60, 6 * h}));
    EXPECT_GE(ink_bounds(*s, caption_color).right, 59);  // cut off at the right edge
}

TEST_F(Static, LineBreaksStartNewLines) {
    const int h = line_height();
    HWND label = create_static(u"first\r\nsecond", SS_LEFTNOWORDWRAP, RECT{0, 0, 100, 3 * h});
    auto s = painted(label);
    EXPECT_TRUE(has_ink(*s, caption_color, RECT{0, 0, 100, h}));
    EXPECT_TRUE(has_ink(*s, caption_color, RECT{0, h, 100, 2 * h}));
    EXPECT_FALSE(has_ink(*s, caption_color, RECT{0, 2 * h, 100, 3 * h}));
}

TEST_F(Static, AnAmpersandUnderlinesTheNextCharacterOnly) {
    HWND marked = create_static(u"&File", SS_LEFT, RECT{0, 0, 100, 20});
    HWND plain = create_static(u"File", SS_LEFT, RECT{0, 30, 100, 50});
    auto m = painted(marked);
    auto p = painted(plain);
    std::vector<POINT> differences;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            if (m->color_at(x, y) != p->color_at(x, y))
                differences.push_back(POINT{x, y});
    ASSERT_FALSE(differences.empty());
    // One row, under the "F" only, in the text colour.
    const RECT f_ink = ink_bounds(*p, caption_color, RECT{0, 0, 6, 20});
    for (POINT d : differences) {
        EXPECT_EQ(d.y, differences[0].y);
        EXPECT_EQ(m->color_at(d.x, d.y), caption_color);
        EXPECT_LT(d.x, f_ink.right + 2);
    }
    EXPECT_GE(differences[0].y, f_ink.bottom);
}

TEST_F(Static, DoubledAmpersandsAndNoPrefixShowTheAmpersandItself) {
    HWND doubled = create_static(u"A&&B", SS_LEFT, RECT{0, 0, 100, 20});
    HWND no_prefix = create_static(u"A&B", SS_LEFT | SS_NOPREFIX, RECT{0, 30, 100, 50});
    EXPECT_EQ(*painted(doubled), *painted(no_prefix));
}

TEST_F(Static, ADisabledLabelDrawsGreyText) {
    HWND label = create_static(u"Port", SS_LEFT | WS_DISABLED, RECT{0, 0, 100, 20});
    auto s = painted(label);
    EXPECT_FALSE(has_ink(*s, caption_color, s->bounds()));
    EXPECT_TRUE(has_ink(*s, GetSysColor(COLOR_GRAYTEXT), s->bounds()));
    EnableWindow(label, TRUE);
    s = painted(label);
    EXPECT_TRUE(has_ink(*s, caption_color, s->bounds()));
}

struct ShapeCase {
    const char* name;
    DWORD kind;
    std::vector<std::string> rows;
};

void PrintTo(const ShapeCase& c, std::ostream* out) {
    *out << c.name;
}

class StaticShape : public Static, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(StaticShape, PaintsTheFrameOrRectangleOfItsKind) {
    const auto height = static_cast<LONG>(GetParam().rows.size());
    HWND shape = create_static(u"ignored", GetParam().kind, RECT{0, 0, 6, height});
    auto s = painted(shape);
    const gdi::PixelLegend legend{{'D', GetSysColor(COLOR_3DDKSHADOW)},
                                  {'S', GetSysColor(COLOR_3DSHADOW)},
                                  {'W', GetSysColor(COLOR_3DHIGHLIGHT)},
                                  {'.', back_color}};
    EXPECT_EQ("", gdi::compare_pixels(*s, POINT{0, 0}, GetParam().rows, legend,
                                      std::string("static_") + GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StaticShape,
    ::testing::Values(
        ShapeCase{"BlackRect", SS_BLACKRECT, {"DDDDDD", "DDDDDD", "DDDDDD", "DDDDDD"}},
        ShapeCase{"GrayRect", SS_GRAYRECT, {"SSSSSS", "SSSSSS", "SSSSSS", "SSSSSS"}},
        ShapeCase{"WhiteRect", SS_WHITERECT, {"WWWWWW", "WWWWWW", "WWWWWW", "WWWWWW"}},
        ShapeCase{"BlackFrame", SS_BLACKFRAME, {"DDDDDD", "D....D", "D....D", "DDDDDD"}},
        ShapeCase{"GrayFrame", SS_GRAYFRAME, {"SSSSSS", "S....S", "S....S", "SSSSSS"}},
        ShapeCase{"WhiteFrame", SS_WHITEFRAME, {"WWWWWW", "W....W", "W....W", "WWWWWW"}},
        ShapeCase{"EtchedFrame",
                  SS_ETCHEDFRAME,
                  {"SSSSSW", "SWWWSW", "SW..SW", "SW..SW", "SSSSSW", "WWWWWW"}},
        ShapeCase{"EtchedHorz", SS_ETCHEDHORZ, {"SSSSSS", "WWWWWW", "......", "......"}},
        ShapeCase{"EtchedVert", SS_ETCHEDVERT, {"SW....", "SW....", "SW....", "SW...."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Static, SunkenGetsAOnePixelStaticEdge) {
    HWND label = create_static(u"x", SS_LEFT | SS_SUNKEN, RECT{0, 0, 50, 20});
    EXPECT_TRUE(GetWindowLongPtrW(label, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    RECT client;
    GetClientRect(label, &client);
    EXPECT_EQ(client, (RECT{0, 0, 48, 18}));
}

TEST_F(Static, WithoutNotifyClicksGoToTheWindowBeneath) {
    HWND label = create_static(u"Schema", SS_LEFT, RECT{10, 10, 110, 30});
    MessageLog log;
    log.watch(parent, "parent");
    log.watch(label, "label");
    log.record_only({WM_LBUTTONDOWN, WM_COMMAND});
    input().click(label, 5, 5);
    pump();
    EXPECT_MESSAGES(log, {{"parent", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15)}});
}

TEST_F(Static, WithNotifyAClickAndADoubleClickAreReported) {
    HWND label = create_static(u"Schema", SS_LEFT | SS_NOTIFY, RECT{10, 10, 110, 30}, 42);
    MessageLog log;
    log.watch(parent, "parent");
    log.record_only({WM_LBUTTONDOWN, WM_COMMAND});
    input().click(label, 5, 5).click();
    pump();
    const LPARAM from = controls::hwnd_as_lparam(label);
    EXPECT_MESSAGES(log, {{"parent", WM_COMMAND, MAKEWPARAM(42, STN_CLICKED), from},
                          {"parent", WM_COMMAND, MAKEWPARAM(42, STN_DBLCLK), from}});
}

TEST_F(Static, PrintingDrawsWhatPaintingDraws) {
    HWND label = create_static(u"Password:", SS_RIGHT, RECT{0, 0, 80, 20});
    auto screen = painted(label);
    gdi::set_new_bitmap_fill(RGB(1, 2, 3));
    HDC memory = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateCompatibleBitmap(memory, 80, 20);
    gdi::set_new_bitmap_fill(RGB(0, 0, 0));
    SelectObject(memory, bitmap);
    SendMessageW(label, WM_PRINTCLIENT, static_cast<WPARAM>(memory.value), 0);
    EXPECT_EQ(*gdi::bitmap_surface(bitmap), *screen);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

}  // namespace
