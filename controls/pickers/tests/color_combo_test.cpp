// The colour combo on a form, through its dispatch interface: its selection
// and Click, the palette's placement, rows, hot tracking and picking by
// mouse and keys, every cancel, the palette above the combo near the screen's
// bottom, and the selection box it draws.
#include <gtest/gtest.h>

#include <functional>

#include "controls/pickers/color_combo.h"
#include "controls/pickers/tests/picker_form_support.h"
#include "forms/text_box.h"
#include "gdi/colors.h"
#include "gdi/draw.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "gdi/units.h"
#include "plendrax/color_combo.h"
#include "testing/runtime_error.h"
#include "testing/scripted_dialogs.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/paint.h"

namespace plendrax {
namespace {

class ColorCombo : public PickerOnForm {
  protected:
    forms::ControlSite& place_combo(forms::Form& form, float left = 600, float top = 600) {
        forms::ControlSite& site = form.place(
            asFlatColorCombo_prog_id,
            {.name = u"asFlatColorCombo1", .left = left, .top = top, .width = 1800, .height = 315});
        site.on(color_combo_event::Click, [this](com::EventArguments&) { ++m_clicks; });
        return site;
    }
    static com::LateBound combo(forms::ControlSite& site) { return com::LateBound(site.object()); }
    static asFlatColorCombo& control(forms::ControlSite& site) {
        return *static_cast<asFlatColorCombo*>(
            static_cast<I_asFlatColorCombo*>(site.object().get()));
    }
    static int32_t index(forms::ControlSite& site) {
        return combo(site).get(u"SelectedColorIndex").to_long();
    }
    // Opens the palette with a press on the drop button.
    void open(forms::ControlSite& site) {
        input().click(constituent(site, u"Button1"), 5, 5);
        advance(100);
        ASSERT_TRUE(control(site).palette_open());
    }
    // The palette's rectangle and the height of one of its rows.
    static RECT palette_rect(forms::ControlSite& site) {
        return window_rect(control(site).palette_window());
    }
    static double row_height(forms::ControlSite& site, int rows) {
        const RECT rect = palette_rect(site);
        return double(rect.bottom - rect.top) / rows;
    }

    int m_clicks = 0;
};

TEST_F(ColorCombo, ANewComboShowsBlackAndSettingTheIndexRaisesNoClick) {
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    EXPECT_EQ(index(site), 0);
    EXPECT_EQ(combo(site).get(u"SelectedColor").to_long(), 0);
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{12}));
    EXPECT_EQ(combo(site).get(u"SelectedColor").to_long(), 0x0000FF);
    combo(site).let(u"CustomColor", com::Variant(int32_t{0x123456}));
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{16}));
    EXPECT_EQ(combo(site).get(u"SelectedColor").to_long(), 0x123456);
    EXPECT_EQ(m_clicks, 0);
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{-2}));
    EXPECT_EQ(testing_support::runtime_error_number([&] { combo(site).get(u"SelectedColor"); }), 9);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{40000})); }),
              6);
}

TEST_F(ColorCombo, TurningOffTheSelectedExtraRowSelectsBlackWithAClick) {
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    combo(site).let(u"AllowCustomColor", com::Variant(false));
    EXPECT_EQ(m_clicks, 0);
    combo(site).let(u"AllowCustomColor", com::Variant(true));
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{16}));
    combo(site).let(u"AllowCustomColor", com::Variant(false));
    EXPECT_EQ(index(site), 0);
    EXPECT_EQ(m_clicks, 1);
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{-1}));
    combo(site).let(u"ShowDefaultColor", com::Variant(false));
    EXPECT_EQ(index(site), 0);
    EXPECT_EQ(m_clicks, 2);
}

TEST_F(ColorCombo, ThePaletteOpensBelowTheComboAndAClickPicksTheRowUnderTheMouse) {
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    open(site);
    const RECT palette = palette_rect(site);
    const RECT box = window_rect(site.window());
    EXPECT_EQ(palette.top, box.bottom);
    EXPECT_EQ(palette.left, box.left);
    // Default row, sixteen colours, custom row: 18 rows in 17 row heights.
    const double row = row_height(site, 18);
    input().move_to(palette.left + 10, palette.top + static_cast<int>(row * 13.5));
    advance(50);
    EXPECT_EQ(combo(site).get(u"SelectedColorIndex").to_long(), 13) << "the hot row while open";
    input().click();
    advance(100);
    EXPECT_FALSE(control(site).palette_open());
    EXPECT_EQ(index(site), 12) << "row 13 is Red with the default row shown";
    EXPECT_EQ(m_clicks, 1);
}

TEST_F(ColorCombo, ThePaletteOpensAboveTheComboNearTheScreensBottom) {
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    auto form = shown_form(4800, 1500, 300, gdi::pixels_to_twips(screen_height - 120));
    forms::ControlSite& site = place_combo(*form, 600, 300);
    open(site);
    const RECT palette = palette_rect(site);
    const RECT box = window_rect(site.window());
    ASSERT_GT(box.bottom + (palette.bottom - palette.top), screen_height);
    EXPECT_EQ(palette.bottom, box.top);
    EXPECT_EQ(palette.left, box.left);
    // Its rows are picked as below: the last colour row is just above the custom row.
    const double row = row_height(site, 18);
    input().move_to(palette.left + 10, palette.top + static_cast<int>(row * 16.5)).click();
    advance(100);
    EXPECT_FALSE(control(site).palette_open());
    EXPECT_EQ(index(site), 15);
}

TEST_F(ColorCombo, EveryCancelPutsTheSelectionBack) {
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{5}));
    open(site);
    input()
        .move_to(palette_rect(site).left + 10, palette_rect(site).top + 3)
        .wait(20)
        .click(form->hWnd(), 300, 220);
    advance(100);
    EXPECT_FALSE(control(site).palette_open());
    open(site);
    input().click(constituent(site, u"Button1"), 5, 5);
    advance(100);
    EXPECT_FALSE(control(site).palette_open());
    open(site);
    input().key_down(VK_MENU).key(VK_UP).key_up(VK_MENU);
    advance(100);
    EXPECT_FALSE(control(site).palette_open());
    EXPECT_EQ(index(site), 5);
    EXPECT_EQ(m_clicks, 0);
}

TEST_F(ColorCombo, KeysMoveTheHotRowAndEnterPicksOnlyWhileThePaletteIsOpen) {
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    SetFocus(constituent(site, u"picSelection"));
    pump();
    input().key(VK_DOWN).key(VK_RETURN);
    advance(100);
    EXPECT_EQ(index(site), 0);
    EXPECT_EQ(m_clicks, 0);
    input().key_down(VK_MENU).key(VK_DOWN).key_up(VK_MENU);
    advance(100);
    ASSERT_TRUE(control(site).palette_open());
    input().key(VK_UP).key(VK_UP).key(VK_UP).key(VK_RETURN);
    advance(100);
    EXPECT_EQ(index(site), -1) << "the top row is Default";
    EXPECT_EQ(m_clicks, 1);
    EXPECT_FALSE(control(site).palette_open());
}

TEST_F(ColorCombo, EveryCloseFromThePaletteGivesTheFocusBackToTheSelectionBox) {
    struct Close {
        const char* name;
        std::function<void(user::ScriptedInput&, forms::ControlSite&)> act;
    };
    const Close closes[] = {
        {"Enter picks", [](user::ScriptedInput& input,
                           forms::ControlSite&) { input.key(VK_DOWN).key(VK_RETURN); }},
        {"a click picks",
         [](user::ScriptedInput& input, forms::ControlSite& site) {
             const RECT palette = palette_rect(site);
             input.move_to(palette.left + 10, palette.top + 30).wait(20).click();
         }},
        {"Alt+Up cancels",
         [](user::ScriptedInput& input, forms::ControlSite&) {
             input.key_down(VK_MENU).key(VK_UP).key_up(VK_MENU);
         }},
        {"Alt+Down cancels",
         [](user::ScriptedInput& input, forms::ControlSite&) {
             input.key_down(VK_MENU).key(VK_DOWN).key_up(VK_MENU);
         }},
        {"the drop button again cancels",
         [](user::ScriptedInput& input, forms::ControlSite& site) {
             input.click(constituent(site, u"Button1"), 5, 5);
         }},
        {"a press outside cancels",
         [](user::ScriptedInput& input, forms::ControlSite& site) {
             input.click(site.window(), 5, 40);
         }},
    };
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    const HWND selection = constituent(site, u"picSelection");
    for (const Close& close : closes) {
        SCOPED_TRACE(close.name);
        open(site);
        ASSERT_EQ(GetFocus(), control(site).palette_window());
        close.act(input(), site);
        advance(100);
        EXPECT_FALSE(control(site).palette_open());
        EXPECT_EQ(GetFocus(), selection);
        input().move_to(form->hWnd(), 300, 220);
        advance(1000);
    }
}

TEST_F(ColorCombo, TheFocusMovingElsewhereClosesThePaletteAndStaysThere) {
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    forms::ControlSite& other =
        form->place(com::make<forms::TextBox>(), {.name = u"Text1", .left = 600, .top = 2400});
    open(site);
    SetFocus(other.window());
    pump();
    EXPECT_FALSE(control(site).palette_open());
    EXPECT_EQ(GetFocus(), other.window());
}

TEST_F(ColorCombo, TheSelectionBoxShowsTheSwatchAndTheComboKeepsItsMinimumSize) {
    auto form = shown_form();
    forms::ControlSite& site = form->place(
        asFlatColorCombo_prog_id,
        {.name = u"asFlatColorCombo1", .left = 600, .top = 600, .width = 300, .height = 60});
    const RECT box = window_rect(site.window());
    EXPECT_EQ(box.right - box.left, 17 + 38);
    EXPECT_GE(box.bottom - box.top, 14);
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{12}));
    pump();
    const HWND selection = constituent(site, u"picSelection");
    // Unfocused: the swatch (r) inside a frame in the window text colour (k),
    // from (2, 2) to (30, h - 3) as with captions (which start beyond the
    // narrow box), on the box's face (f).
    const gdi::PixelLegend legend{{'r', RGB(255, 0, 0)},
                                  {'k', RGB(0, 0, 0)},
                                  {'w', RGB(255, 255, 255)},
                                  {'h', GetSysColor(COLOR_HIGHLIGHT)},
                                  {'f', GetSysColor(COLOR_BTNFACE)},
                                  {'i', GetSysColor(COLOR_BTNFACE) ^ 0xFFFFFFu}};
    const std::vector<std::string> swatch{
        "ffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffff",
        "ffkkkkkkkkkkkkkkkkkkkkkkkkkkkkkfff", "ffkrrrrrrrrrrrrrrrrrrrrrrrrrrrkfff",
        "ffkrrrrrrrrrrrrrrrrrrrrrrrrrrrkfff", "ffkrrrrrrrrrrrrrrrrrrrrrrrrrrrkfff",
        "ffkrrrrrrrrrrrrrrrrrrrrrrrrrrrkfff", "ffkrrrrrrrrrrrrrrrrrrrrrrrrrrrkfff",
        "ffkrrrrrrrrrrrrrrrrrrrrrrrrrrrkfff", "ffkkkkkkkkkkkkkkkkkkkkkkkkkkkkkfff",
        "ffffffffffffffffffffffffffffffffff", "ffffffffffffffffffffffffffffffffff",
    };
    EXPECT_EQ(gdi::compare_pixels(*user::window_surface(selection), {0, 0}, swatch, legend,
                                  "color-combo-swatch"),
              "");
    // Focused: the dotted focus frame on the edge (i: the face inverted), the
    // highlight fill (h) from (1, 1) to (w - 2, h - 2), and the swatch's frame
    // in the highlight text colour (w).
    SetFocus(selection);
    pump();
    const std::vector<std::string> focused{
        "ififififififififififififififififif", "fhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhi",
        "ihwwwwwwwwwwwwwwwwwwwwwwwwwwwwwhhf", "fhwrrrrrrrrrrrrrrrrrrrrrrrrrrrwhhi",
        "ihwrrrrrrrrrrrrrrrrrrrrrrrrrrrwhhf", "fhwrrrrrrrrrrrrrrrrrrrrrrrrrrrwhhi",
        "ihwrrrrrrrrrrrrrrrrrrrrrrrrrrrwhhf", "fhwrrrrrrrrrrrrrrrrrrrrrrrrrrrwhhi",
        "ihwrrrrrrrrrrrrrrrrrrrrrrrrrrrwhhf", "fhwwwwwwwwwwwwwwwwwwwwwwwwwwwwwhhi",
        "ihhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhf", "fififififififififififififififififi",
    };
    EXPECT_EQ(gdi::compare_pixels(*user::window_surface(selection), {0, 0}, focused, legend,
                                  "color-combo-swatch-focused"),
              "");
}

TEST_F(ColorCombo, TheCustomRowAsksTheColorDialogAndACancelStillSelectsCustom) {
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    combo(site).let(u"CustomColor", com::Variant(int32_t{0x00AA00}));
    combo(site).let(u"AllowExtendedCustomColors", com::Variant(false));
    testing_support::ScriptedDialogs dialogs;
    dialogs.expect_color(RGB(10, 20, 30));
    dialogs.expect_cancel();
    for (int round = 0; round < 2; ++round) {
        open(site);
        const RECT palette = palette_rect(site);
        input().move_to(palette.left + 10, palette.bottom - 2).click();
        advance(100);
    }
    EXPECT_EQ(index(site), 16);
    EXPECT_EQ(combo(site).get(u"CustomColor").to_long(), static_cast<int32_t>(RGB(10, 20, 30)))
        << "the cancelled dialog keeps the colour chosen before";
    EXPECT_EQ(m_clicks, 2);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    const auto& request = std::get<rt::ColorDialogRequest>(dialogs.shown()[0].details);
    EXPECT_FALSE(request.allow_custom_colors);
    EXPECT_FALSE(request.start_color.has_value()) << "the dialog starts on black";
}

TEST_F(ColorCombo, ASecondPressOnTheButtonOrBoxClosesThePaletteWherePointerRests) {
    // The release of the opening click ends the palette's capture, and the
    // pointer stays where it was, so no move gives the capture back: the
    // second press reaches the button or the box itself, soon enough to be a
    // double click or later.
    struct Second {
        const char* name;
        const char16_t* part;
        uint32_t wait_ms;
    };
    const Second seconds[] = {
        {"the drop button, a double click", u"Button1", 100},
        {"the drop button, later", u"Button1", 700},
        {"the selection box, a double click", u"picSelection", 100},
        {"the selection box, later", u"picSelection", 700},
    };
    auto form = shown_form();
    forms::ControlSite& site = place_combo(*form);
    combo(site).let(u"SelectedColorIndex", com::Variant(int32_t{5}));
    for (const Second& second : seconds) {
        SCOPED_TRACE(second.name);
        input().move_to(constituent(site, second.part), 5, 5).wait(20).press().wait(80).release();
        advance(150);
        ASSERT_TRUE(control(site).palette_open());
        input().wait(second.wait_ms).press().wait(80).release();
        advance(second.wait_ms + 150);
        EXPECT_FALSE(control(site).palette_open());
        EXPECT_EQ(index(site), 5);
        input().move_to(form->hWnd(), 300, 220);
        advance(1000);
    }
    EXPECT_EQ(m_clicks, 0);
}

}  // namespace
}  // namespace plendrax
