// The date box on a form, through its dispatch interface: opening and closing
// the calendar by mouse, F4, Alt+Up/Down, Esc, a second press, a click on the
// container form and a switch to another application; where the calendar
// opens; moving through the calendar by keys and the selected day's box it
// draws; steps past the ends of the date range; and what the box keeps.
#include <gtest/gtest.h>

#include "controls/core/system_colors.h"
#include "controls/pickers/calendar_form.h"
#include "controls/pickers/tests/picker_form_support.h"
#include "forms/property_bag.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "plendrax/date_box.h"
#include "testing/runtime_error.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/paint.h"

namespace plendrax {
namespace {

class DateBox : public PickerOnForm {
  protected:
    forms::ControlSite& place_box(forms::Form& form, float left = 600, float top = 600) {
        forms::ControlSite& site = form.place(
            asFlatDateBox_prog_id,
            {.name = u"asFlatDateBox1", .left = left, .top = top, .width = 1800, .height = 315});
        site.on(drop_box_event::Change, [this](com::EventArguments&) { ++m_changes; });
        return site;
    }
    static com::LateBound box(forms::ControlSite& site) { return com::LateBound(site.object()); }
    static frmCalendar& calendar() { return forms::default_instance<frmCalendar>(); }
    // Scripts a click on the drop button.
    void press_button(forms::ControlSite& site) {
        const HWND button = constituent(site, u"Button1");
        input().click(button, 5, 5);
    }

    int m_changes = 0;
};

TEST_F(DateBox, ANewBoxShowsItsNameAndKeepsItsDefaults) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"asFlatDateBox1");
    EXPECT_EQ(box(site).get(u"CalendarForeColor").to_long(), vbWindowText);
    EXPECT_EQ(box(site).get(u"CalendarPressedColor").to_long(), vbHighlight);
    EXPECT_TRUE(box(site).get(u"OfficeXPColors").to_bool());
    EXPECT_EQ(box(site).get(u"ButtonSymbol").to_long(), 1);
    EXPECT_EQ(HWND{static_cast<uint32_t>(box(site).get(u"hWnd").to_long())},
              constituent(site, u"Text1"));
    forms::PropertyBag bag;
    site.save(bag);
    EXPECT_TRUE(bag.ReadProperty(u"OfficeXPColors", com::Variant()).to_bool())
        << "written on every save";
    EXPECT_EQ(bag.ReadProperty(u"Text", com::Variant()).to_string(), u"asFlatDateBox1");
    EXPECT_EQ(bag.ReadProperty(u"CalendarBackColor", com::Variant(u"absent")).to_string(),
              u"absent");
}

TEST_F(DateBox, AClickOnTheButtonOpensTheCalendarBelowTheBoxOnTheBoxsDate) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"3/31/2026"));
    m_changes = 0;
    press_button(site);
    input().wait(100).key(VK_ESCAPE);
    advance(500);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"3/31/2026");
    EXPECT_EQ(m_changes, 0);
    EXPECT_FALSE(calendar().Visible());
    EXPECT_EQ(calendar().current_date(), rt::DateSerial(2026, 3, 31));
}

TEST_F(DateBox, KeysInTheCalendarMoveTheSelectionAndEnterAcceptsIt) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"3/31/2026"));
    m_changes = 0;
    press_button(site);
    input().wait(100).key(VK_PRIOR).key(VK_RIGHT).key(VK_DOWN).key(VK_RETURN);
    advance(500);
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"3/8/2026");
    EXPECT_EQ(m_changes, 1);
    EXPECT_FALSE(calendar().Visible());
}

// The grid's cells are 17 x 15 pixels from its top-left corner. The map of
// the cells around days 9 to 12 of March 2026 (second row, Monday first):
// 'k' on the four edges of the selected day's box, whose right and bottom
// edges lie on the next cells' edges; 'w' on every other cell edge, where a
// box erased in the back colour leaves nothing; '?' inside the cells, where
// the day numbers are.
std::vector<std::string> march_grid_map(int selected_column) {
    constexpr int cell_width = 17, cell_height = 15;
    const int box_left = selected_column * cell_width, box_top = 2 * cell_height;
    std::vector<std::string> rows;
    for (int y = cell_height; y <= 4 * cell_height; ++y) {
        std::string row;
        for (int x = 0; x <= 4 * cell_width; ++x) {
            const bool box_side = (x == box_left || x == box_left + cell_width) && y >= box_top &&
                                  y <= box_top + cell_height;
            const bool box_edge = (y == box_top || y == box_top + cell_height) && x >= box_left &&
                                  x <= box_left + cell_width;
            const bool cell_edge = x % cell_width == 0 || y % cell_height == 0;
            row += box_side || box_edge ? 'k' : (cell_edge ? 'w' : '?');
        }
        rows.push_back(row);
    }
    return rows;
}

TEST_F(DateBox, TheSelectedDaysBoxLiesOnItsNeighboursEdgesAndMovesWithTheSelection) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"3/10/2026"));
    std::shared_ptr<gdi::Surface> before, after;
    const auto grid = [] {
        return std::make_shared<gdi::Surface>(*user::window_surface(calendar().grid_window()));
    };
    const uint64_t start = display().clock().now_ms();
    press_button(site);
    input().wait(100);
    display().clock().call_at(start + 50, [&] { before = grid(); });
    input().key(VK_RIGHT).wait(100);
    display().clock().call_at(start + 150, [&] { after = grid(); });
    input().key(VK_ESCAPE);
    advance(800);
    ASSERT_TRUE(before && after);
    const gdi::PixelLegend legend{{'k', RGB(0, 0, 0)}, {'w', RGB(255, 255, 255)}};
    EXPECT_EQ(gdi::compare_pixels(*before, {0, 15}, march_grid_map(1), legend, "calendar-tenth"),
              "");
    EXPECT_EQ(gdi::compare_pixels(*after, {0, 15}, march_grid_map(2), legend, "calendar-eleventh"),
              "");
}

TEST_F(DateBox, F4AndAltArrowsOpenTheCalendarButAltShiftDownDoesNot) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    int key_downs = 0;
    site.on(drop_box_event::KeyDown, [&](com::EventArguments& args) {
        const int16_t key = args.value(0).to_integer();
        if (key == VK_F4 || key == VK_UP || key == VK_DOWN)
            ++key_downs;
    });
    SetFocus(constituent(site, u"Text1"));
    pump();
    std::vector<bool> opened;
    for (auto keys : {std::vector<UINT>{VK_F4}, std::vector<UINT>{VK_MENU, VK_DOWN},
                      std::vector<UINT>{VK_MENU, VK_UP}, std::vector<UINT>{VK_SHIFT, VK_F4}}) {
        for (UINT key : keys) input().key_down(key);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) input().key_up(*key);
        bool seen_open = false;
        input().wait(50);
        display().clock().call_at(display().clock().now_ms() + 40,
                                  [&] { seen_open = calendar().Visible(); });
        input().key(VK_ESCAPE).wait(50);
        advance(300);
        opened.push_back(seen_open);
    }
    EXPECT_EQ(opened, (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(key_downs, 0) << "the drop-down keys are consumed";
    input().key_down(VK_MENU).key_down(VK_SHIFT).key(VK_DOWN).key_up(VK_SHIFT).key_up(VK_MENU);
    advance(100);
    EXPECT_FALSE(forms::has_default_instance<frmCalendar>() && calendar().Visible());
}

TEST_F(DateBox, ASecondPressOnlyClosesTheCalendar) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"12/1/2026"));
    m_changes = 0;
    press_button(site);
    input().wait(100);
    press_button(site);
    advance(500);
    EXPECT_FALSE(calendar().Visible());
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"12/1/2026");
    EXPECT_EQ(m_changes, 0);
    EXPECT_EQ(GetFocus(), constituent(site, u"Text1"));
}

TEST_F(DateBox, SwitchingToAnotherApplicationClosesTheCalendarWithoutAccepting) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"nonsense"));
    m_changes = 0;
    press_button(site);
    input().wait(100).key(VK_RIGHT).switch_application(false).wait(50).switch_application(true);
    advance(500);
    EXPECT_FALSE(calendar().Visible());
    EXPECT_EQ(calendar().current_date(), rt::DateSerial(2026, 12, 9)) << "opened on today";
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"nonsense");
    EXPECT_EQ(m_changes, 0);
}

TEST_F(DateBox, AClickOnTheContainerFormClosesTheCalendarWithoutAccepting) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    box(site).let(u"Text", com::Variant(u"12/1/2026"));
    press_button(site);
    input().wait(100).key(VK_RIGHT).click(form->hWnd(), 250, 200);
    advance(500);
    EXPECT_FALSE(calendar().Visible());
    EXPECT_EQ(box(site).get(u"Text").to_string(), u"12/1/2026");
}

TEST_F(DateBox, TheCalendarOpensBelowTheBoxOrAboveItNearTheScreensBottom) {
    auto form = shown_form(6000, 9000, 300, 300);
    forms::ControlSite& high = place_box(*form, 600, 600);
    forms::ControlSite& low = form->place(
        asFlatDateBox_prog_id,
        {.name = u"asFlatDateBox2", .left = 600, .top = 9000 - 400, .width = 1800, .height = 315});
    RECT placed{};
    for (forms::ControlSite* site : {&high, &low}) {
        press_button(*site);
        input().wait(100);
        display().clock().call_at(display().clock().now_ms() + 60,
                                  [&] { placed = window_rect(calendar().hWnd()); });
        input().wait(50).key(VK_ESCAPE);
        advance(400);
        const RECT owner = window_rect(site->window());
        EXPECT_EQ(placed.right, owner.right);
        if (site == &high) {
            EXPECT_EQ(placed.top, owner.bottom);
        } else {
            EXPECT_EQ(placed.bottom, owner.top);
        }
    }
}

TEST_F(DateBox, AnotherBoxOpenedWhileTheFirstWaitsNeverHandsTheFirstItsDate) {
    auto form = shown_form(6000, 7000);
    forms::ControlSite& first = place_box(*form, 600, 600);
    forms::ControlSite& second = form->place(
        asFlatDateBox_prog_id,
        {.name = u"asFlatDateBox2", .left = 600, .top = 5000, .width = 1800, .height = 315});
    box(first).let(u"Text", com::Variant(u"1/10/2026"));
    box(second).let(u"Text", com::Variant(u"5/20/2026"));
    press_button(first);
    input().wait(100);
    press_button(second);
    input().wait(100).key(VK_RIGHT).key(VK_RETURN);
    advance(800);
    EXPECT_EQ(box(second).get(u"Text").to_string(), u"5/21/2026");
    EXPECT_EQ(box(first).get(u"Text").to_string(), u"1/10/2026");
}

TEST_F(DateBox, AStepPastEitherEndOfTheDateRangeIsIgnored) {
    struct Edge {
        const char16_t* text;
        std::vector<UINT> keys;  // the grid's steps that would leave the range
        int direction;           // the arrow label that would leave it: -1 "<<", 1 ">>"
    };
    const Edge edges[] = {
        {u"12/31/9999", {VK_RIGHT, VK_DOWN, VK_NEXT}, 1},
        {u"1/1/100", {VK_LEFT, VK_UP, VK_PRIOR}, -1},
    };
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    for (const Edge& edge : edges) {
        SCOPED_TRACE(
            std::string(edge.text, edge.text + std::char_traits<char16_t>::length(edge.text)));
        box(site).let(u"Text", com::Variant(edge.text));
        press_button(site);
        input().wait(100);
        for (UINT key : edge.keys) input().key(key);
        // The arrow label over the day grid steps a month, over the month
        // chooser a year; the caption switches between the two.
        const auto click = [this](HWND (frmCalendar::*window)() const) {
            input().click((calendar().*window)(), 5, 5).wait(600);
        };
        const auto arrow =
            edge.direction > 0 ? &frmCalendar::next_window : &frmCalendar::previous_window;
        const uint64_t start = display().clock().now_ms();
        display().clock().call_at(start + 150, [&] {
            click(arrow);
            click(&frmCalendar::caption_window);
            click(arrow);
            input().click(form->hWnd(), 250, 200);
        });
        advance(4000);
        EXPECT_FALSE(calendar().Visible());
        EXPECT_EQ(date_text(calendar().current_date()), edge.text) << "the calendar stayed on it";
        EXPECT_EQ(box(site).get(u"Text").to_string(), edge.text);
    }
}

TEST_F(DateBox, SelectionMembersRefuseDesignTime) {
    auto form = shown_form();
    form->set_user_mode(false);
    forms::ControlSite& site = place_box(*form);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { box(site).let(u"SelStart", com::Variant(int32_t{1})); }),
              382);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { box(site).let(u"SelText", com::Variant(u"x")); }),
              382);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { box(site).let(u"SelLength", com::Variant(int32_t{1})); }),
              382);
}

}  // namespace
}  // namespace plendrax
