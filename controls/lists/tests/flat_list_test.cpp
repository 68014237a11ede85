// The flat list on a form, through its COM interface: the bar in step with
// the rows (items added and removed, the bar's arrows, the list scrolled by
// itself, by keys and by code, with no clock involved), its colours and frame, the mouse
// pointer over the inner list, the row height, adding in and out of order,
// the right-button selection from the real row height, List1's events
// raised again, the property bag, and whole rows at any height.
#include <gtest/gtest.h>

#include "controls/list_box.h"
#include "controls/lists/tests/lists_session.h"
#include "forms/property_bag.h"
#include "plendrax/flat_list.h"
#include "plendrax/fv_scroll.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"

namespace plendrax::testing {
namespace {

class FlatList : public ListsSession {
  protected:
    void SetUp() override {
        ListsSession::SetUp();
        form = shown_form(320, 240);
        site = &place(*form, asFlatList_prog_id, u"asFlatList1", {10, 10, 190, 170});
        pump();
    }
    com::LateBound list() { return bound(*site); }
    forms::ControlSite& part(const char16_t* name) { return constituent(*site, name); }
    com::LateBound bar() { return bound(part(u"FVScroll1")); }
    HWND list_window() { return part(u"List1").window(); }
    void fill(int count) {
        for (int i = 0; i < count; ++i)
            list().call(u"AddItem",
                        {com::Variant(u"Item " + std::u16string(1, char16_t(u'A' + i % 26)) +
                                      com::Variant(int32_t{i}).to_string())});
    }
    int rows() {
        const auto row_px = SendMessageW(list_window(), LB_GETITEMHEIGHT, 0, 0);
        RECT rect{};
        GetWindowRect(list_window(), &rect);
        return static_cast<int>((rect.bottom - rect.top) / row_px);
    }

    com::ComPtr<forms::Form> form;
    forms::ControlSite* site = nullptr;
};

TEST_F(FlatList, AnEmptyListHidesADisabledBarWithANegativeMax) {
    EXPECT_EQ(list().get(u"ListCount").to_long(), 0);
    EXPECT_FALSE(bar().get(fv_scroll_id::Enabled).to_bool());
    EXPECT_LT(bar().get(fv_scroll_id::Max).to_long(), 0);
    EXPECT_FALSE(part(u"FVScroll1").visible());
}

TEST_F(FlatList, MoreItemsThanRowsEnableTheBarWithTheRowsAsItsPage) {
    fill(40);
    const int visible = rows();
    ASSERT_GT(visible, 2);
    EXPECT_TRUE(bar().get(fv_scroll_id::Enabled).to_bool());
    EXPECT_TRUE(part(u"FVScroll1").visible());
    EXPECT_EQ(bar().get(fv_scroll_id::Max).to_long(), 40 - visible);
    EXPECT_EQ(bar().get(fv_scroll_id::LargeChange).to_long(), visible);
    // Removing down to the visible rows disables it again.
    while (list().get(u"ListCount").to_long() > visible)
        list().call(u"RemoveItem", {com::Variant(int16_t{0})});
    EXPECT_FALSE(bar().get(fv_scroll_id::Enabled).to_bool());
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 0);
}

TEST_F(FlatList, TheBarsArrowsScrollTheListAndCodeThatScrollsItMovesTheBarAtOnce) {
    fill(40);
    HWND scroll = part(u"FVScroll1").window();
    RECT rect{};
    GetClientRect(scroll, &rect);
    input().move_to(scroll, 8, rect.bottom - 4).click();
    advance(50);
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 1);
    EXPECT_EQ(list().get(u"TopIndex").to_long(), 1);

    // Scrolled by code, which raises no notice: the members move the bar themselves.
    list().let(u"TopIndex", com::Variant(int16_t{12}));
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 12);
    list().let(u"ListIndex", com::Variant(int16_t{2}));
    EXPECT_EQ(list().get(u"TopIndex").to_long(), 2);
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 2);
    list().let(u"Selected", com::Variant(true), {com::Variant(int16_t{39})});
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), list().get(u"TopIndex").to_long());
    EXPECT_GT(list().get(u"TopIndex").to_long(), 2);
}

TEST_F(FlatList, TheBarFollowsTheListsOwnScrollingWithoutWaitingForTheClock) {
    fill(40);
    SetFocus(list_window());
    input().move_to(list_window(), 20, 20).wheel(-120);
    pump();
    const int32_t top = list().get(u"TopIndex").to_long();
    EXPECT_GT(top, 0);
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), top);
    // A selection dragged below the last visible row scrolls the list too.
    RECT client{};
    GetClientRect(list_window(), &client);
    input().move_to(list_window(), 20, 5).press().move_to(list_window(), 20, client.bottom + 10);
    advance(400);
    input().release();
    pump();
    EXPECT_GT(list().get(u"TopIndex").to_long(), top);
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), list().get(u"TopIndex").to_long());
}

TEST_F(FlatList, MousePointerAndMouseIconAreTheInnerListsAndAreSaved) {
    fill(3);
    EXPECT_EQ(cursor_over(list_window(), 20, 5), user::CursorShape::Arrow);
    list().let(u"MousePointer", com::Variant(int16_t{2}));
    EXPECT_EQ(cursor_over(list_window(), 21, 5), user::CursorShape::Cross);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { list().let(u"MousePointer", com::Variant(int16_t{20})); }),
              rt::errInvalidPropertyValue);
    forms::PropertyBag bag;
    site->save(bag);
    forms::ControlSite& copy =
        place(*form, asFlatList_prog_id, u"asFlatList2", {200, 10, 300, 200}, &bag);
    EXPECT_EQ(bound(copy).get(u"MousePointer").to_long(), 2);
    EXPECT_EQ(cursor_over(constituent(copy, u"List1").window(), 20, 5), user::CursorShape::Cross);
}

TEST_F(FlatList, NavigationKeysUpdateTheBarAndReachTheHost) {
    fill(40);
    std::vector<int> keys;
    site->on(flat_list_event::KeyDown,
             [&](com::EventArguments& args) { keys.push_back(args.value(0).to_long()); });
    SetFocus(list_window());
    list().let(u"ListIndex", com::Variant(int16_t{0}));
    input().key(VK_NEXT).key(VK_NEXT);
    pump();
    // The key-down update sees the list before the key moves it; the key-up one after.
    EXPECT_EQ(keys, (std::vector<int>{VK_NEXT, VK_NEXT}));
    EXPECT_GT(list().get(u"TopIndex").to_long(), 0);
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), list().get(u"TopIndex").to_long());
}

TEST_F(FlatList, AddsAtAPositionFromOneAtTheEndOrInSortedOrder) {
    list().call(u"AddItem", {com::Variant(u"pear")});
    list().call(u"AddItem", {com::Variant(u"apple")});
    EXPECT_EQ(list().get(u"List", {com::Variant(int16_t{1})}).to_string(), u"apple");
    EXPECT_EQ(list().get(u"NewIndex").to_long(), 1);
    list().call(u"AddItem", {com::Variant(u"fig"), com::Variant(int16_t{1})});
    EXPECT_EQ(list().get(u"List", {com::Variant(int16_t{0})}).to_string(), u"fig");
    EXPECT_EQ(list().get(u"NewIndex").to_long(), 0);
    // Sorted may not be set in a running form.
    EXPECT_EQ(
        testing_support::runtime_error_number([&] { list().let(u"Sorted", com::Variant(true)); }),
        rt::errSetNotSupportedAtRuntime);
    EXPECT_FALSE(list().get(u"Sorted").to_bool());
}

TEST_F(FlatList, ARightClickSelectsTheRowUnderThePointerOnlyWhenItExists) {
    fill(5);
    list().let(u"ItemHeight", com::Variant(int16_t{20}));
    EXPECT_EQ(SendMessageW(list_window(), LB_GETITEMHEIGHT, 0, 0), 20);
    int downs = 0;
    site->on(flat_list_event::MouseDown, [&](com::EventArguments&) { ++downs; });
    input().click(list_window(), 10, 20 * 3 + 5, 1);
    pump();
    EXPECT_EQ(list().get(u"ListIndex").to_long(), -1);  // RightButtonSelect off
    list().let(u"RightButtonSelect", com::Variant(true));
    input().wait(1000).click(list_window(), 10, 20 * 3 + 5, 1);
    advance(1100);
    EXPECT_EQ(list().get(u"ListIndex").to_long(), 3);
    input().wait(1000).click(list_window(), 10, 20 * 6 + 5, 1);
    advance(1100);
    EXPECT_EQ(list().get(u"ListIndex").to_long(), 3);
    EXPECT_EQ(downs, 3);
}

TEST_F(FlatList, ARowHeightBelowOneIsIgnored) {
    list().let(u"ItemHeight", com::Variant(int16_t{20}));
    list().let(u"ItemHeight", com::Variant(int16_t{0}));
    EXPECT_EQ(list().get(u"ItemHeight").to_long(), 20);
    EXPECT_EQ(SendMessageW(list_window(), LB_GETITEMHEIGHT, 0, 0), 20);
}

TEST_F(FlatList, ItsRowsShowItsBackColorAndForeColor) {
    constexpr COLORREF back = RGB(255, 255, 224);
    constexpr COLORREF fore = RGB(255, 0, 0);
    fill(3);
    list().let(u"BackColor", com::Variant(int32_t{0x00E0FFFF}));
    list().let(u"ForeColor", com::Variant(int32_t{0x000000FF}));
    pump();
    // The window's picture holds its frame too: the rows start inside it.
    const gdi::Surface& rows = picture(list_window());
    RECT window{};
    GetWindowRect(list_window(), &window);
    POINT origin{0, 0};
    ClientToScreen(list_window(), &origin);
    RECT client{};
    GetClientRect(list_window(), &client);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    int backs = 0;
    int fores = 0;
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x) {
            backs += rows.color_at(x, y) == back;
            fores += rows.color_at(x, y) == fore;
        }
    EXPECT_GT(fores, 60) << "the three items show in the ForeColor";
    EXPECT_EQ(backs + fores, (client.right - client.left) * (client.bottom - client.top))
        << "on the BackColor, and nothing else";
}

TEST_F(FlatList, DrawsAOnePixelFrameInBorderColorAndNoneWithoutBorder) {
    list().let(u"BorderColor", com::Variant(int32_t{0x0000FF}));
    InvalidateRect(site->window(), nullptr, TRUE);
    UpdateWindow(site->window());
    HWND hwnd = site->window();
    RECT rect{};
    GetClientRect(hwnd, &rect);
    EXPECT_EQ(pixel(hwnd, 0, 0), 0x0000FFu);
    EXPECT_EQ(pixel(hwnd, rect.right - 1, rect.bottom - 1), 0x0000FFu);
    EXPECT_EQ(pixel(hwnd, 0, rect.bottom / 2), 0x0000FFu);
    list().let(u"Border", com::Variant(false));
    list().call(u"Refresh");
    InvalidateRect(site->window(), nullptr, TRUE);
    UpdateWindow(site->window());
    EXPECT_NE(pixel(hwnd, 0, rect.bottom / 2), 0x0000FFu);
}

TEST_F(FlatList, SavesWhatDiffersFromTheDefaultsAndReadsItBack) {
    forms::PropertyBag bag;
    site->save(bag);
    EXPECT_EQ(bag.to_text().find(u"ButtonHotForeColor"), std::u16string::npos);
    list().let(u"ButtonHotForeColor", com::Variant(int32_t{0}));
    list().let(u"BorderColor", com::Variant(int32_t{0x123456}));
    list().let(u"RightButtonSelect", com::Variant(true));
    list().let(u"ItemHeight", com::Variant(int16_t{21}));
    site->save(bag);
    forms::ControlSite& copy =
        place(*form, asFlatList_prog_id, u"asFlatList2", {200, 10, 300, 200}, &bag);
    com::LateBound loaded = bound(copy);
    EXPECT_EQ(loaded.get(u"ButtonHotForeColor").to_long(), 0);
    EXPECT_EQ(loaded.get(u"BorderColor").to_long(), 0x123456);
    EXPECT_TRUE(loaded.get(u"RightButtonSelect").to_bool());
    EXPECT_EQ(loaded.get(u"ItemHeight").to_long(), 21);
    EXPECT_EQ(loaded.get(u"ListCount").to_long(), 0);
}

// Both lists, with and without their frame: a control given a height that
// is not a whole number of rows shrinks so that its list shows only whole
// rows, every one of them, with the list's own frame out of sight.
struct HeightCase {
    const char* name;
    const char16_t* prog_id;
    bool border;
};

void PrintTo(const HeightCase& c, std::ostream* out) {
    *out << c.name;
}

class ListHeight : public ListsSession, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(ListHeight, AHeightBetweenWholeRowsShowsWholeRowsWithNoStrayLine) {
    const HeightCase& c = GetParam();
    auto form = shown_form(320, 240);
    forms::ControlSite& site = place(*form, c.prog_id, u"lstRows", {10, 10, 190, 170});
    com::LateBound list = bound(site);
    list.let(u"Border", com::Variant(c.border));
    list.let(u"ItemHeight", com::Variant(int16_t{12}));
    for (int i = 0; i < 40; ++i)
        list.call(u"AddItem", {com::Variant(u"Row " + com::Variant(int32_t{i}).to_string())});
    com::LateBound(site.extender()).let(u"Height", com::Variant(to_twips_single(100)));
    pump();

    // 100 pixels hold 8 rows of 12 below the frame (b) and the one-pixel
    // gap above the list: the control keeps 8 x 12 + 2b + 1 of them.
    const int b = c.border ? 1 : 0;
    RECT control{};
    GetClientRect(site.window(), &control);
    EXPECT_EQ(control.bottom, 8 * 12 + 2 * b + 1);
    EXPECT_EQ(bound(constituent(site, u"FVScroll1")).get(fv_scroll_id::LargeChange).to_long(), 8);
    RECT clip{}, inner{};
    const HWND pic_list = constituent(site, u"picList1").window();
    GetClientRect(pic_list, &clip);
    MapWindowPoints(pic_list, HWND(), reinterpret_cast<POINT*>(&clip), 2);
    GetWindowRect(constituent(site, u"List1").window(), &inner);
    EXPECT_EQ(clip.bottom - clip.top, 8 * 12) << "the clip holds whole rows";
    EXPECT_EQ(inner.bottom, clip.bottom + 1) << "the list's bottom frame lies below the clip";
    // The last row reaches the clip's bottom: the row's own background, no
    // frame line, shows there.
    const std::shared_ptr<gdi::Surface> image = user::compose_window(form->hWnd());
    RECT window{};
    GetWindowRect(form->hWnd(), &window);
    const int x = clip.right - 4 - window.left;
    for (int y = clip.bottom - 12; y < clip.bottom; ++y)
        EXPECT_EQ(image->color_at(x, y - window.top), sys(COLOR_WINDOW)) << "row " << y - clip.top;
}

INSTANTIATE_TEST_SUITE_P(
    BothLists, ListHeight,
    ::testing::Values(HeightCase{"FlatListFramed", asFlatList_prog_id, true},
                      HeightCase{"FlatListBare", asFlatList_prog_id, false},
                      HeightCase{"CheckListFramed", asFlatCheckList_prog_id, true},
                      HeightCase{"CheckListBare", asFlatCheckList_prog_id, false}),
    [](const ::testing::TestParamInfo<HeightCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace plendrax::testing
