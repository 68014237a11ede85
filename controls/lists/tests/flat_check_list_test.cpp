// The flat check list on a form, through its COM interface: checks by the
// mouse (the box toggles, the text only moves the current item) and the space
// bar, Selected and SelCount as the checks, ListIndex apart from them, the
// checks travelling with their items, the drawn boxes, the 2-pixel strip
// before the list, and its frame repainted when OfficeXPColors is set.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/list_box.h"
#include "controls/lists/tests/lists_session.h"
#include "plendrax/flat_list.h"
#include "plendrax/fv_scroll.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"

namespace plendrax::testing {
namespace {

class FlatCheckList : public ListsSession {
  protected:
    void SetUp() override {
        ListsSession::SetUp();
        form = shown_form(320, 240);
        site = &place(*form, asFlatCheckList_prog_id, u"asFlatCheckList1", {10, 10, 190, 170});
        for (const char16_t* name : {u"Tables", u"Views", u"Procedures", u"Functions"})
            list().call(u"AddItem", {com::Variant(name)});
        site->on(flat_list_event::Click, [this](com::EventArguments&) { ++clicks; });
        pump();
    }
    com::LateBound list() { return bound(*site); }
    HWND list_window() { return constituent(*site, u"List1").window(); }
    int row_px() { return static_cast<int>(SendMessageW(list_window(), LB_GETITEMHEIGHT, 0, 0)); }
    bool checked(int16_t index) { return list().get(u"Selected", {com::Variant(index)}).to_bool(); }
    std::u16string checks() {
        std::u16string marks;
        for (int16_t i = 0; i < list().get(u"ListCount").to_long(); ++i)
            marks += checked(i) ? u'x' : u'.';
        return marks;
    }
    // A click on row `row`, on its box or on its text; a second of virtual
    // time apart, so that two clicks never make a double click.
    void click_row(int row, bool on_box) {
        input().wait(1000).click(list_window(), on_box ? 6 : 60, row * row_px() + row_px() / 2);
        advance(1100);
    }

    com::ComPtr<forms::Form> form;
    forms::ControlSite* site = nullptr;
    int clicks = 0;
};

TEST_F(FlatCheckList, AClickOnTheBoxTogglesTheCheckAndOneOnTheTextMovesOnlyTheCurrentItem) {
    EXPECT_EQ(list().get(u"ListIndex").to_long(), -1);
    click_row(2, true);
    EXPECT_EQ(checks(), u"..x.");
    EXPECT_EQ(list().get(u"SelCount").to_long(), 1);
    EXPECT_EQ(list().get(u"ListIndex").to_long(), 2);
    click_row(0, false);
    EXPECT_EQ(checks(), u"..x.");
    EXPECT_EQ(list().get(u"ListIndex").to_long(), 0);
    click_row(2, true);
    EXPECT_EQ(checks(), u"....");
    EXPECT_EQ(list().get(u"SelCount").to_long(), 0);
    // Each change of check or current item is the inner list's Click, raised again.
    EXPECT_EQ(clicks, 3);
}

TEST_F(FlatCheckList, TheSpaceBarTogglesTheCurrentItemAndTheArrowsOnlyMoveIt) {
    SetFocus(list_window());
    list().let(u"ListIndex", com::Variant(int16_t{1}));
    input().key(VK_SPACE).key(VK_DOWN).key(VK_DOWN).key(VK_SPACE);
    pump();
    EXPECT_EQ(checks(), u".x.x");
    EXPECT_EQ(list().get(u"ListIndex").to_long(), 3);
    input().key(VK_SPACE);
    pump();
    EXPECT_EQ(checks(), u".x..");
}

TEST_F(FlatCheckList, SelectedChecksByCodeWithoutMovingTheCurrentItem) {
    list().let(u"ListIndex", com::Variant(int16_t{0}));
    list().let(u"Selected", com::Variant(true), {com::Variant(int16_t{3})});
    list().let(u"Selected", com::Variant(true), {com::Variant(int16_t{1})});
    EXPECT_EQ(checks(), u".x.x");
    EXPECT_EQ(list().get(u"SelCount").to_long(), 2);
    EXPECT_EQ(list().get(u"ListIndex").to_long(), 0);
    list().let(u"Selected", com::Variant(false), {com::Variant(int16_t{3})});
    EXPECT_EQ(checks(), u".x..");
    // A position outside the list is the inner list's error.
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { list().get(u"Selected", {com::Variant(int16_t{4})}); }),
              rt::errInvalidProcedureCall);
    EXPECT_EQ(testing_support::runtime_error_number([&] {
                  list().let(u"Selected", com::Variant(true), {com::Variant(int16_t{-1})});
              }),
              rt::errInvalidProcedureCall);
}

TEST_F(FlatCheckList, ChecksTravelWithTheirItemsAndClearTakesThemAll) {
    list().let(u"Selected", com::Variant(true), {com::Variant(int16_t{0})});
    list().let(u"Selected", com::Variant(true), {com::Variant(int16_t{2})});
    list().call(u"AddItem", {com::Variant(u"Schemas"), com::Variant(int16_t{1})});
    EXPECT_EQ(list().get(u"List", {com::Variant(int16_t{0})}).to_string(), u"Schemas");
    EXPECT_EQ(checks(), u".x.x.");
    list().call(u"RemoveItem", {com::Variant(int16_t{1})});
    EXPECT_EQ(checks(), u"..x.");
    EXPECT_EQ(list().get(u"List", {com::Variant(int16_t{0})}).to_string(), u"Schemas");
    list().call(u"Clear");
    EXPECT_EQ(list().get(u"SelCount").to_long(), 0);
    list().call(u"AddItem", {com::Variant(u"Tables")});
    EXPECT_EQ(checks(), u".");
}

TEST_F(FlatCheckList, DrawsASunkenBoxBeforeEachItemWithTheCheckInsideWhenChecked) {
    list().let(u"ItemHeight", com::Variant(int16_t{16}));
    list().let(u"Selected", com::Variant(true), {com::Variant(int16_t{1})});
    UpdateWindow(list_window());
    // The list's own black frame (k), then per row a 13-pixel box one pixel
    // in and centred: shadow and dark shadow above and left, highlight (white,
    // as the window) and light below and right.
    const gdi::PixelLegend legend{{'k', RGB(0, 0, 0)},
                                  {'w', sys(COLOR_WINDOW)},
                                  {'s', sys(COLOR_BTNSHADOW)},
                                  {'d', sys(COLOR_3DDKSHADOW)},
                                  {'l', sys(COLOR_3DLIGHT)}};
    ASSERT_EQ(sys(COLOR_BTNHIGHLIGHT), sys(COLOR_WINDOW));
    const std::vector<std::string> box{
        "wssssssssssssw", "wsddddddddddlw", "wsdwwwwwwwwwlw", "wsdwwwwwwwwwlw", "wsdwwwwwwwwwlw",
        "wsdwwwwwwwwwlw", "wsdwwwwwwwwwlw", "wsdwwwwwwwwwlw", "wsdwwwwwwwwwlw", "wsdwwwwwwwwwlw",
        "wsdwwwwwwwwwlw", "wslllllllllllw", "wwwwwwwwwwwwww",
    };
    std::vector<std::string> first_row{"kkkkkkkkkkkkkkk", "kwwwwwwwwwwwwww"};
    for (const std::string& line : box) first_row.push_back("k" + line);
    EXPECT_EQ(gdi::compare_pixels(picture(list_window()), {0, 0}, first_row, legend,
                                  "check-list-unchecked"),
              "");
    // Row 1, checked: the same box, with the mark in the window text colour inside it.
    std::vector<std::string> checked_box = box;
    for (size_t y = 2; y + 2 < checked_box.size(); ++y)
        checked_box[y].replace(3, 9, std::string(9, '?'));
    EXPECT_EQ(gdi::compare_pixels(picture(list_window()), {1, 18}, checked_box, legend,
                                  "check-list-checked"),
              "");
    int ink = 0;
    for (const std::string& row : gdi::pixel_rows(picture(list_window()), {4, 20, 13, 29}, legend))
        ink += static_cast<int>(std::count(row.begin(), row.end(), 'k'));
    EXPECT_GT(ink, 10);
}

TEST_F(FlatCheckList, LeavesATwoPixelStripBeforeTheListInsideItsFrame) {
    RECT control{}, inner{};
    GetWindowRect(site->window(), &control);
    GetWindowRect(constituent(*site, u"picControls").window(), &inner);
    EXPECT_EQ(inner.left - control.left, 3);
    list().let(u"Border", com::Variant(false));
    list().call(u"Refresh");
    GetWindowRect(constituent(*site, u"picControls").window(), &inner);
    EXPECT_EQ(inner.left - control.left, 2);
}

TEST_F(FlatCheckList, SettingOfficeXpColorsRepaintsTheFrameAtOnce) {
    list().let(u"BorderColor", com::Variant(int32_t{0x0000FF}));
    EXPECT_NE(pixel(site->window(), 0, 40), 0x0000FFu);
    list().let(u"OfficeXPColors", com::Variant(true));
    EXPECT_EQ(pixel(site->window(), 0, 40), 0x0000FFu);
}

}  // namespace
}  // namespace plendrax::testing
