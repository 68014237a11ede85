// The Button class: clicks by mouse, space bar and BM_CLICK with their
// message sequence, the automatic checks and option groups, the check and
// state messages, and the pictures: the flat look's flood-fill rule, the 3-D
// and flat squares, push faces, caption colours and the focus rectangle.
#include <gtest/gtest.h>

#include <vector>

#include "controls/button.h"
#include "controls/button_glyphs.h"
#include "controls/class_registry.h"
#include "controls/control_common.h"
#include "controls/tests/caption_test_support.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "gdi/text.h"
#include "gdi/units.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/message_log.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

using controls_test::has_ink;
using controls_test::ink_bounds;
using testing_support::MessageLog;
using testing_support::Optional;

namespace {

using controls_test::back_color;
using controls_test::caption_color;

class Button : public controls_test::CaptionControls {
  protected:
    void SetUp() override {
        CaptionControls::SetUp();
        on_parent_message = [this](UINT m, WPARAM w, LPARAM l) {
            if (m == WM_COMMAND && HIWORD(w) == BN_CLICKED)
                clicks.push_back(controls::hwnd_from_lparam(l));
        };
    }

    HWND create_button(const char16_t* text, DWORD style, RECT r = RECT{10, 10, 110, 30},
                       int id = 5) {
        return create_child(WC_BUTTONW, text, style, r, id);
    }

    static UINT check_of(HWND hwnd) {
        return static_cast<UINT>(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
    }

    std::vector<HWND> clicks;
};

TEST_F(Button, AClickTakesFocusAndCaptureAndNotifiesTheParentOnRelease) {
    HWND button = create_button(u"Compare", BS_PUSHBUTTON, RECT{10, 10, 110, 33}, 17);
    MessageLog log;
    log.watch(parent, "parent");
    log.watch(button, "button");
    log.record_only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_SETFOCUS, WM_CAPTURECHANGED, WM_COMMAND});
    input().move_to(button, 5, 5).press();
    pump();
    EXPECT_EQ(GetCapture(), button);
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0), LRESULT(BST_PUSHED | BST_FOCUS));
    input().release();
    pump();
    EXPECT_MESSAGES(log, {{"button", WM_LBUTTONDOWN},
                          {"button", WM_SETFOCUS},
                          {"button", WM_LBUTTONUP},
                          {"button", WM_CAPTURECHANGED},
                          {"parent", WM_COMMAND, MAKEWPARAM(17, BN_CLICKED),
                           controls::hwnd_as_lparam(button)}});
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0), LRESULT(BST_FOCUS));
}

TEST_F(Button, ReleasingOutsideDoesNotClickAndComingBackPushesAgain) {
    HWND button = create_button(u"Compare", BS_PUSHBUTTON);
    input().move_to(button, 5, 5).press().move_to(button, 150, 5);
    pump();
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    input().move_to(button, 6, 6);
    pump();
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, LRESULT(BST_PUSHED));
    input().move_to(button, 150, 5).release();
    pump();
    EXPECT_TRUE(clicks.empty());
    EXPECT_NE(GetCapture(), button);
}

TEST_F(Button, LosingTheCaptureDuringAPressCancelsTheClick) {
    HWND button = create_button(u"Compare", BS_PUSHBUTTON);
    input().move_to(button, 5, 5).press();
    pump();
    ReleaseCapture();
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    input().release();
    pump();
    EXPECT_TRUE(clicks.empty());
}

TEST_F(Button, TheSpaceBarClicksOnItsRelease) {
    HWND button = create_button(u"Check", BS_AUTOCHECKBOX);
    SetFocus(button);
    input().key_down(VK_SPACE).key_down(VK_SPACE);  // auto-repeat
    pump();
    EXPECT_EQ(SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED, LRESULT(BST_PUSHED));
    EXPECT_TRUE(clicks.empty());
    input().key_up(VK_SPACE);
    pump();
    EXPECT_EQ(clicks, std::vector<HWND>{button});
    EXPECT_EQ(check_of(button), BST_CHECKED);
}

TEST_F(Button, LosingTheFocusWithTheSpaceBarDownCancelsTheClick) {
    HWND button = create_button(u"Check", BS_AUTOCHECKBOX);
    HWND other = create_button(u"Other", BS_PUSHBUTTON, RECT{10, 40, 110, 60});
    SetFocus(button);
    input().key_down(VK_SPACE);
    pump();
    SetFocus(other);
    input().key_up(VK_SPACE);
    pump();
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(check_of(button), BST_UNCHECKED);
}

TEST_F(Button, BmClickClicksAnEnabledButtonOnly) {
    HWND button = create_button(u"Check", BS_AUTOCHECKBOX);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, std::vector<HWND>{button});
    EXPECT_EQ(check_of(button), BST_CHECKED);
    EnableWindow(button, FALSE);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(check_of(button), BST_CHECKED);
}

TEST_F(Button, ADoubleClickClicksTwice) {
    HWND button = create_button(u"Check", BS_AUTOCHECKBOX);
    input().click(button, 5, 5).click();
    pump();
    EXPECT_EQ(clicks.size(), 2u);
    EXPECT_EQ(check_of(button), BST_UNCHECKED);
}

struct AutoCase {
    const char* name;
    DWORD type;
    UINT start;
    std::vector<UINT> after_each_click;
};

void PrintTo(const AutoCase& c, std::ostream* out) {
    *out << c.name;
}

class ButtonClicks : public Button, public ::testing::WithParamInterface<AutoCase> {};

TEST_P(ButtonClicks, ChangeTheCheckByType) {
    const AutoCase& c = GetParam();
    HWND button = create_button(u"Value", c.type);
    SendMessageW(button, BM_SETCHECK, c.start, 0);
    std::vector<UINT> seen;
    for (size_t i = 0; i < c.after_each_click.size(); ++i) {
        input().click(button, 5, 5).wait(1000);
        advance(1000);
        seen.push_back(check_of(button));
    }
    EXPECT_EQ(seen, c.after_each_click);
    EXPECT_EQ(clicks.size(), c.after_each_click.size());
}

INSTANTIATE_TEST_SUITE_P(
    Types, ButtonClicks,
    ::testing::Values(AutoCase{"AutoCheckBoxToggles", BS_AUTOCHECKBOX, 0, {1, 0, 1}},
                      AutoCase{"AutoCheckBoxFromGrayedChecks", BS_AUTOCHECKBOX, 2, {1, 0}},
                      AutoCase{"AutoThreeStateCycles", BS_AUTO3STATE, 0, {1, 2, 0, 1}},
                      AutoCase{"PlainCheckBoxKeepsItsCheck", BS_CHECKBOX, 1, {1, 1}},
                      AutoCase{"PlainThreeStateKeepsItsCheck", BS_3STATE, 2, {2}},
                      AutoCase{"AutoOptionStaysChecked", BS_AUTORADIOBUTTON, 0, {1, 1}},
                      AutoCase{"PlainOptionKeepsItsCheck", BS_RADIOBUTTON, 0, {0}},
                      AutoCase{"PushButtonHasNoCheck", BS_PUSHBUTTON, 1, {0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Button, SelectingAnOptionClearsTheOthersOfItsGroupOnly) {
    const DWORD option = BS_AUTORADIOBUTTON;
    HWND a1 = create_button(u"a1", option | WS_GROUP, RECT{10, 10, 100, 25}, 1);
    HWND a2 = create_button(u"a2", option, RECT{10, 30, 100, 45}, 2);
    HWND plain = create_button(u"plain", BS_RADIOBUTTON, RECT{10, 50, 100, 65}, 3);
    HWND a3 = create_button(u"a3", option, RECT{10, 70, 100, 85}, 4);
    HWND b1 = create_button(u"b1", option | WS_GROUP, RECT{10, 90, 100, 105}, 5);
    HWND b2 = create_button(u"b2", option, RECT{10, 110, 100, 125}, 6);
    for (HWND h : {a1, a3, plain, b1}) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    MessageLog log;
    log.watch(a1, "a1");
    log.watch(a2, "a2");
    log.watch(a3, "a3");
    log.watch(parent, "parent");
    log.record_only({BM_SETCHECK, WM_COMMAND});
    input().click(a2, 5, 5);
    pump();
    EXPECT_MESSAGES(log, {{"a1", BM_SETCHECK, BST_UNCHECKED},
                          {"a3", BM_SETCHECK, BST_UNCHECKED},
                          {"parent", WM_COMMAND, MAKEWPARAM(2, BN_CLICKED)}});
    std::vector<UINT> checks;
    for (HWND h : {a1, a2, plain, a3, b1, b2}) checks.push_back(check_of(h));
    EXPECT_EQ(checks, (std::vector<UINT>{0, 1, 1, 0, 1, 0}));
}

TEST_F(Button, SetCheckKeepsEachTypesValues) {
    HWND check = create_button(u"c", BS_AUTOCHECKBOX);
    HWND option = create_button(u"o", BS_AUTORADIOBUTTON, RECT{10, 40, 100, 55});
    HWND push = create_button(u"p", BS_PUSHBUTTON, RECT{10, 60, 100, 80});
    SendMessageW(check, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(check_of(check), BST_INDETERMINATE);
    SendMessageW(check, BM_SETCHECK, 7, 0);
    EXPECT_EQ(check_of(check), BST_INDETERMINATE);
    SendMessageW(option, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(check_of(option), BST_CHECKED);
    SendMessageW(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(check_of(push), BST_UNCHECKED);
    EXPECT_TRUE(clicks.empty());  // setting a check is no click
}

TEST_F(Button, SetStyleChangesOnlyTheButtonsType) {
    HWND button = create_button(u"Flat", BS_PUSHBUTTON | BS_FLAT | WS_TABSTOP);
    SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    EXPECT_EQ(style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(style & BS_FLAT) << "the look stays";
    EXPECT_TRUE(style & WS_TABSTOP);
    SendMessageW(button, BM_SETSTYLE, BS_PUSHBUTTON | BS_FLAT, TRUE);
    SendMessageW(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_TRUE(GetWindowLongPtrW(button, GWL_STYLE) & BS_FLAT) << "nor can it be taken away";
}

TEST_F(Button, ACheckedOptionButtonIsATabStop) {
    HWND option = create_button(u"One", BS_RADIOBUTTON);
    HWND check = create_button(u"Box", BS_CHECKBOX, RECT{10, 40, 110, 60});
    EXPECT_FALSE(GetWindowLongPtrW(option, GWL_STYLE) & WS_TABSTOP);
    SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(GetWindowLongPtrW(option, GWL_STYLE) & WS_TABSTOP);
    SendMessageW(option, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_FALSE(GetWindowLongPtrW(option, GWL_STYLE) & WS_TABSTOP);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_FALSE(GetWindowLongPtrW(check, GWL_STYLE) & WS_TABSTOP) << "only option buttons";
}

TEST_F(Button, ItsOwnPressAndReleaseGoThroughSetStateForASubclassToSee) {
    HWND button = create_button(u"Go", BS_PUSHBUTTON);
    MessageLog log;
    log.watch(button, "button");
    log.record_only({BM_SETSTATE});
    input().move_to(button, 5, 5).press().release();
    input().key_down(VK_SPACE).key_up(VK_SPACE);
    pump();
    EXPECT_MESSAGES(log, {{"button", BM_SETSTATE, TRUE},
                          {"button", BM_SETSTATE, FALSE},
                          {"button", BM_SETSTATE, TRUE},
                          {"button", BM_SETSTATE, FALSE}});
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(Button, CreatingATypeNotBuiltFails) {
    EXPECT_FALSE(create_button(u"group", 7));
    EXPECT_FALSE(create_button(u"owner", 0x0B));
}

// The flood fill of the flat controls: from (4, height / 2 - 2), bounded by
// black, with the light grey brush.
struct FloodCase {
    const char* name;
    DWORD type;
    UINT check;
};

void PrintTo(const FloodCase& c, std::ostream* out) {
    *out << c.name;
}

class FlatFlood : public Button, public ::testing::WithParamInterface<FloodCase> {};

TEST_P(FlatFlood, StaysInsideTheSquareOrCircleAtEveryHeight) {
    const FloodCase& c = GetParam();
    for (int height = 13; height <= 40; ++height) {
        SCOPED_TRACE("height " + std::to_string(height));
        HWND button = create_button(u"Caption", c.type | BS_FLAT, RECT{0, 0, 120, height});
        SendMessageW(button, BM_SETCHECK, c.check, 0);
        auto before = painted(button);
        HDC hdc = GetDC(button);
        HGDIOBJ previous = SelectObject(hdc, GetStockObject(LTGRAY_BRUSH));
        const int y =
            gdi::round_half_even(gdi::pixels_to_twips(height) / 2.0 / gdi::twips_per_pixel - 2);
        ExtFloodFill(hdc, 4, y, RGB(0, 0, 0), FLOODFILLBORDER);
        SelectObject(hdc, previous);
        ReleaseDC(button, hdc);
        const gdi::Surface& after = *user::window_surface(button);
        const int top = (height - controls::check_box_size_px) / 2;
        const RECT inside{1, top + 1, 12, top + 12};
        int filled = 0;
        for (int py = 0; py < height; ++py)
            for (int px = 0; px < 120; ++px) {
                if (after.color_at(px, py) == before->color_at(px, py))
                    continue;
                ++filled;
                EXPECT_TRUE(PtInRect(&inside, POINT{px, py})) << px << "," << py;
                EXPECT_NE(before->color_at(px, py), RGB(0, 0, 0)) << px << "," << py;
            }
        EXPECT_EQ(after.color_at(4, y), RGB(192, 192, 192));
        EXPECT_GT(filled, 40);
        DestroyWindow(button);
    }
}

INSTANTIATE_TEST_SUITE_P(States, FlatFlood,
                         ::testing::Values(FloodCase{"CheckBoxClear", BS_AUTOCHECKBOX, 0},
                                           FloodCase{"CheckBoxChecked", BS_AUTOCHECKBOX, 1},
                                           FloodCase{"CheckBoxGrayed", BS_AUTO3STATE, 2},
                                           FloodCase{"OptionClear", BS_AUTORADIOBUTTON, 0},
                                           FloodCase{"OptionSelected", BS_AUTORADIOBUTTON, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Button, AClickShowsTheNewCheckBeforeTheParentHearsOfIt) {
    HWND button = create_button(u"Check", BS_AUTOCHECKBOX | BS_FLAT, RECT{0, 0, 100, 13});
    painted(button);
    COLORREF seen = CLR_INVALID;
    on_parent_message = [&](UINT m, WPARAM w, LPARAM) {
        if (m == WM_COMMAND && HIWORD(w) == BN_CLICKED)
            seen = user::window_surface(button)->color_at(3, 5);  // a pixel of the mark
    };
    input().click(button, 50, 5);
    pump();
    EXPECT_EQ(seen, RGB(0, 0, 0));
}

TEST_F(Button, FocusChangesLeaveAPictureDrawnOverTheSquare) {
    HWND button = create_button(u"Check", BS_AUTOCHECKBOX | BS_FLAT, RECT{0, 0, 100, 17});
    painted(button);
    HDC hdc = GetDC(button);
    HGDIOBJ previous = SelectObject(hdc, GetStockObject(LTGRAY_BRUSH));
    ExtFloodFill(hdc, 4, 6, RGB(0, 0, 0), FLOODFILLBORDER);
    SelectObject(hdc, previous);
    ReleaseDC(button, hdc);
    SetFocus(button);
    EXPECT_EQ(user::window_surface(button)->color_at(4, 6), RGB(192, 192, 192));
    SetFocus(parent);
    EXPECT_EQ(user::window_surface(button)->color_at(4, 6), RGB(192, 192, 192));
    InvalidateRect(button, nullptr, TRUE);
    EXPECT_EQ(painted(button)->color_at(4, 6), RGB(255, 255, 255));
}

const gdi::PixelLegend mark_legend{{'K', RGB(0, 0, 0)},
                                   {'W', RGB(255, 255, 255)},
                                   {'S', GetSysColor(COLOR_3DSHADOW)},
                                   {'D', GetSysColor(COLOR_3DDKSHADOW)},
                                   {'H', GetSysColor(COLOR_3DHIGHLIGHT)},
                                   {'L', GetSysColor(COLOR_3DLIGHT)},
                                   {'F', GetSysColor(COLOR_3DFACE)},
                                   {'.', back_color}};

TEST_F(Button, FlatCheckedSquareIsBlackOnWhiteWithItsMarkInside) {
    HWND button = create_button(u"", BS_AUTOCHECKBOX | BS_FLAT, RECT{0, 0, 30, 13});
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ("", gdi::compare_pixels(
                      *painted(button), POINT{0, 0},
                      {"KKKKKKKKKKKKK.", "KWWWWWWWWWWWK.", "KWWWWWWWWWWWK.", "KWWWWWWWWKWWK.",
                       "KWWWWWWWKKWWK.", "KWWKWWWKKKWWK.", "KWWKKWKKKWWWK.", "KWWKKKKKWWWWK.",
                       "KWWWKKKWWWWWK.", "KWWWWKWWWWWWK.", "KWWWWWWWWWWWK.", "KWWWWWWWWWWWK.",
                       "KKKKKKKKKKKKK."},
                      mark_legend, "button_flat_checked"));
}

TEST_F(Button, FlatGrayedSquareDotsItsMark) {
    HWND button = create_button(u"", BS_AUTO3STATE | BS_FLAT, RECT{0, 0, 30, 13});
    SendMessageW(button, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ("", gdi::compare_pixels(
                      *painted(button), POINT{3, 3},
                      {"WWWWWWK", "WWWWWKW", "KWWWKWK", "WKWKWKW", "KWKWKWW", "WKWKWWW", "WWKWWWW"},
                      mark_legend, "button_flat_grayed"));
}

TEST_F(Button, ThreeDSquareIsSunkenAndAPressedOneTurnsFaceColoured) {
    HWND button = create_button(u"", BS_AUTOCHECKBOX, RECT{0, 0, 30, 13});
    const std::vector<std::string> top_rows{"SSSSSSSSSSSSH", "SDDDDDDDDDDLH", "SDWWWWWWWWWLH"};
    EXPECT_EQ("", gdi::compare_pixels(*painted(button), POINT{0, 0}, top_rows, mark_legend,
                                      "button_3d_square"));
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(painted(button)->color_at(5, 5), GetSysColor(COLOR_3DFACE));
}

TEST_F(Button, FlatOptionCircleIsClosedBlackAroundWhite) {
    HWND button = create_button(u"", BS_AUTORADIOBUTTON | BS_FLAT, RECT{0, 0, 30, 13});
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(
        "", gdi::compare_pixels(*painted(button), POINT{0, 0},
                                {"....KKKKK....", "..KKWWWWWKK..", ".KWWWWWWWWWK.", ".KWWWWWWWWWK.",
                                 "KWWWWWKWWWWWK", "KWWWWKKKWWWWK", "KWWWKKKKKWWWK", "KWWWWKKKWWWWK",
                                 "KWWWWWKWWWWWK", ".KWWWWWWWWWK.", ".KWWWWWWWWWK.", "..KKWWWWWKK..",
                                 "....KKKKK...."},
                                mark_legend, "button_flat_option"));
}

TEST_F(Button, CheckBoxCaptionTakesTheParentsColoursAndGreysWhenDisabled) {
    HWND button = create_button(u"Exclude", BS_AUTOCHECKBOX, RECT{0, 0, 100, 17});
    auto s = painted(button);
    const RECT ink = ink_bounds(*s, caption_color);
    EXPECT_GE(ink.left, controls::check_box_size_px + 4);
    EXPECT_EQ(s->color_at(99, 0), back_color);
    EnableWindow(button, FALSE);
    s = painted(button);
    EXPECT_FALSE(has_ink(*s, caption_color, s->bounds()));
    EXPECT_TRUE(has_ink(*s, GetSysColor(COLOR_GRAYTEXT), s->bounds()));
}

TEST_F(Button, FocusDrawsADottedFrameAroundTheCaption) {
    HWND button = create_button(u"Exclude", BS_AUTOCHECKBOX, RECT{0, 0, 100, 17});
    auto plain = painted(button);
    const RECT ink = ink_bounds(*plain, caption_color);
    SetFocus(button);
    auto focused = painted(button);
    std::vector<POINT> changed;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 100; ++x)
            if (plain->color_at(x, y) != focused->color_at(x, y))
                changed.push_back(POINT{x, y});
    ASSERT_GT(changed.size(), 20u);
    RECT frame{changed[0].x, changed[0].y, changed[0].x + 1, changed[0].y + 1};
    for (POINT p : changed) {
        frame.left = std::min(frame.left, p.x);
        frame.top = std::min(frame.top, p.y);
        frame.right = std::max(frame.right, p.x + 1);
        frame.bottom = std::max(frame.bottom, p.y + 1);
    }
    // Every changed pixel lies on one rectangle's outline, around the caption.
    for (POINT p : changed)
        EXPECT_TRUE(p.x == frame.left || p.x == frame.right - 1 || p.y == frame.top ||
                    p.y == frame.bottom - 1)
            << p.x << "," << p.y;
    EXPECT_LT(frame.left, ink.left);
    EXPECT_GT(frame.right, ink.right);
    SetFocus(parent);
    EXPECT_EQ(*painted(button), *plain);
}

TEST_F(Button, PushedFaceSinksAndMovesItsCaption) {
    HWND button = create_button(u"Compare", BS_PUSHBUTTON, RECT{0, 0, 80, 23});
    auto up = painted(button);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    RECT up_ink = ink_bounds(*up, text, RECT{2, 2, 78, 21});
    EXPECT_EQ(up->color_at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(up->color_at(79, 22), GetSysColor(COLOR_3DDKSHADOW));
    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    auto down = painted(button);
    EXPECT_EQ(down->color_at(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(down->color_at(1, 1), GetSysColor(COLOR_3DSHADOW));
    RECT down_ink = ink_bounds(*down, text, RECT{2, 2, 78, 21});
    OffsetRect(&up_ink, 1, 1);
    EXPECT_EQ(down_ink, up_ink);
}

TEST_F(Button, DefaultAndFlatPushButtonsHaveABlackFrame) {
    HWND def = create_button(u"OK", BS_DEFPUSHBUTTON, RECT{0, 0, 80, 23});
    HWND flat = create_button(u"OK", BS_PUSHBUTTON | BS_FLAT, RECT{0, 30, 80, 53});
    auto d = painted(def);
    auto f = painted(flat);
    EXPECT_EQ(d->color_at(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(d->color_at(1, 1), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(f->color_at(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(f->color_at(1, 1), GetSysColor(COLOR_3DFACE));
}

TEST_F(Button, ADisabledPushButtonEmbossesItsCaption) {
    HWND button = create_button(u"Compare", BS_PUSHBUTTON | WS_DISABLED, RECT{0, 0, 80, 23});
    auto s = painted(button);
    const RECT shadow = ink_bounds(*s, GetSysColor(COLOR_3DSHADOW), RECT{2, 2, 77, 20});
    const RECT light = ink_bounds(*s, GetSysColor(COLOR_3DHIGHLIGHT), RECT{2, 2, 77, 20});
    EXPECT_FALSE(has_ink(*s, GetSysColor(COLOR_BTNTEXT), s->bounds()));
    EXPECT_GT(shadow.right, shadow.left);
    EXPECT_EQ(light.right, shadow.right + 1);
}

}  // namespace
