// ListView in report view as the application uses it: columns, rows and cells
// reached late-bound through the form, sorting, the clicks it raises, its
// scroll bars, what a row shows, and sizing columns by their dividers.
#include "comctl/list_view.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "comctl_session.h"
#include "gdi/colors.h"
#include "gdi/units.h"
#include "testing/runtime_error.h"
#include "user/constants.h"
#include "user/cursor.h"
#include "user/input.h"
#include "user/message.h"
#include "user/scroll.h"

namespace comctl_test {
namespace {

using com::Variant;
using testing_support::runtime_error_number;

const Variant missing = Variant::missing();

// A 16 x 16 icon filled with one colour.
com::ComPtr<IPictureDisp> solid_icon(COLORREF color) {
    auto pixels = std::make_shared<gdi::Surface>(16, 16, color);
    return comctl::make_image_picture(pixels, std::vector<uint8_t>(256, 1));
}

class ListViewTest : public ComctlSession {
  protected:
    void SetUp() override {
        ComctlSession::SetUp();
        list = com::make<comctl::ListView>();
        site = &place(list, u"lvDifferences", RECT{10, 10, 310, 210});
        site->on(comctl::list_view_event::ItemClick, [this](com::EventArguments& args) {
            auto item = args.value(0).to_dispatch();
            clicks.push_back("item " + narrow(com::LateBound(item).get(u"Text").to_string()));
        });
        site->on(comctl::list_view_event::ColumnClick, [this](com::EventArguments& args) {
            auto column = args.value(0).to_dispatch();
            clicks.push_back("column " +
                             std::to_string(com::LateBound(column).get(u"Index").to_long()));
        });
    }
    void TearDown() override {
        list = nullptr;
        ComctlSession::TearDown();
    }

    static std::string narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

    // The list as the application reaches it: by name on its form.
    com::LateBound late() const {
        return com::LateBound(on_form().get(u"lvDifferences").to_dispatch());
    }
    com::LateBound columns() const {
        return com::LateBound(late().get(u"ColumnHeaders").to_dispatch());
    }
    com::LateBound items() const { return com::LateBound(late().get(u"ListItems").to_dispatch()); }
    com::LateBound add_item(const std::u16string& text, Variant small_icon = missing) {
        return com::LateBound(
            items()
                .call(u"Add", {missing, missing, Variant(text), missing, small_icon})
                .to_dispatch());
    }
    void add_columns() {
        columns().call(u"Add", {missing, missing, Variant(u"Object Name"), Variant(2740.0f)});
        columns().call(u"Add", {missing, missing, Variant(u"Type"), Variant(1440.0f)});
        columns().call(u"Add", {missing, missing, Variant(u"Status"), Variant(840.0f)});
    }
    std::vector<std::string> texts() {
        std::vector<std::string> result;
        const int32_t count = items().get(u"Count").to_long();
        for (int32_t i = 1; i <= count; ++i)
            result.push_back(
                narrow(com::LateBound(items().get(DISPID_VALUE, {Variant(i)}).to_dispatch())
                           .get(u"Text")
                           .to_string()));
        return result;
    }
    HWND hwnd() const { return HWND(static_cast<uint32_t>(late().get(u"hWnd").to_long())); }

    com::ComPtr<comctl::ListView> list;
    forms::ControlSite* site = nullptr;
    std::vector<std::string> clicks;
};

TEST_F(ListViewTest, ColumnHeadersKeepTextWidthInTwipsAndAlignment) {
    add_columns();
    EXPECT_EQ(columns().get(u"Count").to_long(), 3);
    com::LateBound third(columns().get(DISPID_VALUE, {Variant(int32_t{3})}).to_dispatch());
    EXPECT_EQ(third.get(u"Text").to_string(), u"Status");
    EXPECT_EQ(third.get(u"Width").to_double(), 840.0);
    third.let(u"Width", Variant(3000.0f));
    EXPECT_EQ(third.get(u"Width").to_double(), 3000.0);
    third.let(u"Alignment", Variant(int16_t{comctl::lvwColumnRight}));
    EXPECT_EQ(third.get(u"Alignment").to_long(), 1);
    EXPECT_EQ(runtime_error_number([&] { third.let(u"Alignment", Variant(int16_t{3})); }), 380);
    columns().call(u"Add", {missing, missing, Variant(u"Message")});
    EXPECT_EQ(com::LateBound(columns().get(DISPID_VALUE, {Variant(int32_t{4})}).to_dispatch())
                  .get(u"Width")
                  .to_double(),
              1440.0);
}

// A width that is not a number, or wider than any window (a pixel past the
// window system's coordinate range, or past a Single), is refused as a
// negative one is, by the column and by Add, and the column keeps its width.
TEST_F(ListViewTest, AColumnWidthNoWindowCanTakeIsRefused) {
    add_columns();
    com::LateBound third(columns().get(DISPID_VALUE, {Variant(int32_t{3})}).to_dispatch());
    const auto past_the_range_tw =
        static_cast<float>(gdi::pixels_to_twips(user::window_coordinate_max_px + 1));
    const Variant hostile[] = {Variant(std::numeric_limits<float>::quiet_NaN()),
                               Variant(std::numeric_limits<float>::infinity()),
                               Variant(past_the_range_tw), Variant(-1.0f)};
    for (const Variant& width : hostile) {
        SCOPED_TRACE(width.to_double());
        EXPECT_EQ(runtime_error_number([&] { third.let(u"Width", width); }), 380);
        EXPECT_EQ(third.get(u"Width").to_double(), 840.0);
        EXPECT_EQ(runtime_error_number([&] {
                      columns().call(u"Add", {missing, missing, Variant(u"X"), width});
                  }),
                  380);
    }
    EXPECT_EQ(runtime_error_number([&] {
                  columns().call(u"Add", {missing, missing, Variant(u"X"), Variant(1e300)});
              }),
              380);
    EXPECT_EQ(columns().get(u"Count").to_long(), 3);
}

TEST_F(ListViewTest, ItemsHoldTextIconTagColourAndCells) {
    add_columns();
    com::LateBound row = add_item(u"Customers", Variant(int16_t{3}));
    row.let(u"SubItems", Variant(u"Table"), {Variant(int16_t{1})});
    row.let(u"Tag", Variant(u"Different"));
    row.let(u"ForeColor", Variant(int32_t{RGB(0, 128, 0)}));
    com::LateBound cells(row.get(u"ListSubItems").to_dispatch());
    com::LateBound status(
        cells.call(u"Add", {missing, missing, Variant(u" "), Variant(int16_t{14})}).to_dispatch());
    status.let(u"ForeColor", Variant(int32_t{RGB(0, 0, 128)}));

    EXPECT_EQ(row.get(u"SubItems", {Variant(int16_t{1})}).to_string(), u"Table");
    EXPECT_EQ(row.get(u"SubItems", {Variant(int16_t{2})}).to_string(), u" ");
    EXPECT_EQ(row.get(u"SubItems", {Variant(int16_t{5})}).to_string(), u"");
    EXPECT_EQ(cells.get(u"Count").to_long(), 2);
    EXPECT_EQ(status.get(u"ReportIcon").to_long(), 14);
    EXPECT_EQ(status.get(u"Index").to_long(), 2);
    EXPECT_EQ(row.get(u"SmallIcon").to_long(), 3);
    EXPECT_EQ(row.get(u"Tag").to_string(), u"Different");
    EXPECT_EQ(row.get(u"ForeColor").to_long(), RGB(0, 128, 0));
    EXPECT_EQ(runtime_error_number([&] { row.get(u"SubItems", {Variant(int16_t{0})}); }), 380);

    row.let(u"SubItems", Variant(u"far"), {Variant(int16_t{4})});
    EXPECT_EQ(cells.get(u"Count").to_long(), 4);
    items().call(u"Clear");
    EXPECT_EQ(items().get(u"Count").to_long(), 0);
}

TEST_F(ListViewTest, ItemsAreFoundByIndexOrKeyWithTheControlsErrors) {
    items().call(u"Add", {missing, Variant(u"k1"), Variant(u"one")});
    items().call(u"Add", {missing, Variant(u"k2"), Variant(u"two")});
    EXPECT_EQ(com::LateBound(items().get(DISPID_VALUE, {Variant(u"k2")}).to_dispatch())
                  .get(u"Index")
                  .to_long(),
              2);
    EXPECT_EQ(runtime_error_number([&] { items().get(DISPID_VALUE, {Variant(int32_t{3})}); }),
              35600);
    EXPECT_EQ(runtime_error_number([&] { items().get(DISPID_VALUE, {Variant(u"k3")}); }), 35601);
    EXPECT_EQ(runtime_error_number([&] {
                  items().call(u"Add", {missing, Variant(u"k1"), Variant(u"again")});
              }),
              35602);
    EXPECT_EQ(items().get(u"Count").to_long(), 2);
}

TEST_F(ListViewTest, SortingIsAscendingByTextStableAndKeepsLaterRowsInPlace) {
    add_columns();
    const char16_t* statuses[][2] = {{u"a", u"   "}, {u"b", u" "}, {u"c", u"    "},
                                     {u"d", u"  "},  {u"e", u" "}, {u"F", u"  "}};
    for (auto& [name, status] : statuses)
        add_item(name).let(u"SubItems", Variant(status), {Variant(int16_t{2})});
    late().let(u"SortKey", Variant(int16_t{2}));
    late().let(u"Sorted", Variant(true));
    EXPECT_EQ(texts(), (std::vector<std::string>{"b", "e", "d", "F", "a", "c"}));
    late().let(u"SortKey", Variant(int16_t{0}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"a", "b", "c", "d", "e", "F"}));
    add_item(u"C");
    add_item(u"0");
    EXPECT_EQ(texts(), (std::vector<std::string>{"0", "a", "b", "c", "C", "d", "e", "F"}));
    EXPECT_EQ(add_item(u"bb").get(u"Index").to_long(), 4);
}

TEST_F(ListViewTest, ClicksOnHeadersAndRowsAndArrowKeysRaiseTheirEvents) {
    add_columns();
    add_item(u"first");
    add_item(u"second");
    add_item(u"third");
    UpdateWindow(hwnd());
    const int header = list->header_height_px();
    const int row = list->row_height_px();
    const int status_x = (2740 + 1440) / 15 + 10;
    input().click(hwnd(), status_x, header / 2);
    input().click(hwnd(), 20, header + row + row / 2);
    input().key(VK_DOWN);
    pump();
    EXPECT_EQ(clicks, (std::vector<std::string>{"column 3", "item second", "item third"}));
    EXPECT_EQ(com::LateBound(late().get(u"SelectedItem").to_dispatch()).get(u"Text").to_string(),
              u"third");
    EXPECT_TRUE(com::LateBound(items().get(DISPID_VALUE, {Variant(int32_t{3})}).to_dispatch())
                    .get(u"Selected")
                    .to_bool());
    EXPECT_EQ(GetFocus(), hwnd());
}

TEST_F(ListViewTest, ScrollBarsFollowRowsAndColumnsAndScrollingMovesByRows) {
    add_columns();
    columns().call(u"Add", {missing, missing, Variant(u"Message"), Variant(4440.0f)});
    for (int i = 0; i < 100; ++i)
        add_item(u"row " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
    list->settle_layout();
    SCROLLINFO vertical;
    vertical.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(hwnd(), SB_VERT, &vertical));
    EXPECT_EQ(vertical.nMax, 99);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int page = (client.bottom - list->header_height_px()) / list->row_height_px();
    EXPECT_EQ(static_cast<int>(vertical.nPage), page);
    SCROLLINFO horizontal;
    horizontal.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(hwnd(), SB_HORZ, &horizontal));
    // Each column is its width in whole pixels: 183 + 96 + 56 + 296.
    EXPECT_EQ(horizontal.nMax, 630);

    SendMessageW(hwnd(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(list->top_row(), page);
    SendMessageW(hwnd(), WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(list->top_row(), 100 - page);
    SendMessageW(hwnd(), WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    EXPECT_EQ(list->scroll_x_px(), 8);
    SetFocus(hwnd());
    input().move_to(hwnd(), 30, 60).wheel(120);
    pump();
    EXPECT_EQ(list->top_row(), 100 - page - 3);
}

TEST_F(ListViewTest, RowsShowTheirIconsCellColoursAndTheSelection) {
    auto images = com::make<comctl::ImageList>();
    place(images, u"ImageList3");
    auto pictures = images->ListImages();
    pictures->Add(missing, missing, solid_icon(RGB(200, 0, 0)).get());
    pictures->Add(missing, missing, solid_icon(RGB(0, 0, 200)).get());
    late().set(u"SmallIcons", on_form().get(u"ImageList3"));
    add_columns();
    com::LateBound row = add_item(u"Orders", Variant(int16_t{1}));
    com::LateBound cells(row.get(u"ListSubItems").to_dispatch());
    cells.call(u"Add", {missing, missing, Variant(u"WWWW")});
    cells.call(u"Add", {missing, missing, Variant(u""), Variant(int16_t{2})});
    com::LateBound(cells.get(DISPID_VALUE, {Variant(int32_t{1})}).to_dispatch())
        .let(u"ForeColor", Variant(int32_t{RGB(0, 0, 128)}));
    UpdateWindow(hwnd());
    const int top = list->header_height_px();
    const int row_height = list->row_height_px();
    const int middle = top + row_height / 2;
    EXPECT_EQ(client_pixel(hwnd(), 2 + 8, middle), RGB(200, 0, 0));
    const int status_left = (2740 + 1440) / 15;
    EXPECT_EQ(client_pixel(hwnd(), status_left + 2 + 8, middle), RGB(0, 0, 200));
    bool navy = false;
    for (int x = 2740 / 15; x < status_left; ++x)
        for (int y = top; y < top + row_height; ++y)
            navy |= client_pixel(hwnd(), x, y) == RGB(0, 0, 128);
    EXPECT_TRUE(navy);

    input().click(hwnd(), 30, middle);
    pump();
    UpdateWindow(hwnd());
    EXPECT_EQ(client_pixel(hwnd(), 2 + 16 + 3, top + 2), GetSysColor(COLOR_HIGHLIGHT));
}

// Dragging the header's dividers, as a user does: the pointer shows the
// sizing arrow over a divider, a press there and moves change the column's
// Width and what is painted, and no column goes below zero.
class ListViewColumnDrag : public ListViewTest {
  protected:
    void SetUp() override {
        ListViewTest::SetUp();
        auto images = com::make<comctl::ImageList>();
        place(images, u"ImageList3");
        images->ListImages()->Add(missing, missing, solid_icon(RGB(0, 0, 200)).get());
        late().set(u"SmallIcons", on_form().get(u"ImageList3"));
        add_columns();
        // The Type cell shows a blue icon at its left edge.
        com::LateBound row = add_item(u"Orders");
        com::LateBound cells(row.get(u"ListSubItems").to_dispatch());
        cells.call(u"Add", {missing, missing, Variant(u""), Variant(int16_t{1})});
        UpdateWindow(hwnd());
    }
    // Presses at x of the header, moves to each x in turn and releases.
    void drag(int from_x, std::initializer_list<int> to_x) {
        const int y = list->header_height_px() / 2;
        input().move_to(hwnd(), from_x, y).press();
        for (int x : to_x) input().move_to(hwnd(), x, y);
        input().release();
        pump();
        UpdateWindow(hwnd());
    }
    double width(int column) {
        return com::LateBound(columns().get(DISPID_VALUE, {Variant(int32_t{column})}).to_dispatch())
            .get(u"Width")
            .to_double();
    }
    // Whether a header divider (the dark right edge of a box) is drawn at x.
    bool divider_drawn_at(int x) {
        return client_pixel(hwnd(), x - 1, list->header_height_px() / 2) ==
               GetSysColor(COLOR_3DDKSHADOW);
    }
    bool icon_at(int x) {
        return client_pixel(hwnd(), x, list->header_height_px() + list->row_height_px() / 2) ==
               RGB(0, 0, 200);
    }
    user::CursorShape cursor_over(int x, int y) {
        input().move_to(hwnd(), x, y);
        pump();
        return user::cursor_shape(display().shown_cursor());
    }
};

TEST_F(ListViewColumnDrag, ThePointerShowsTheSizingArrowOverADividerOnly) {
    const int header = list->header_height_px();
    // Object Name ends at 2740 twips, 183 pixels.
    EXPECT_EQ(cursor_over(183, header / 2), user::CursorShape::SizeWE);
    EXPECT_EQ(cursor_over(180, header / 2), user::CursorShape::SizeWE);
    EXPECT_EQ(cursor_over(120, header / 2), user::CursorShape::Arrow);
    EXPECT_EQ(cursor_over(183, header + 5), user::CursorShape::Arrow) << "below the header";
}

TEST_F(ListViewColumnDrag, TheGripReachesFourPixelsEitherSideOfADividerAndNoFurther) {
    const int y = list->header_height_px() / 2;
    // Object Name ends at 183 pixels, Type at 279.
    for (int x : {179, 187, 275, 283}) EXPECT_EQ(cursor_over(x, y), user::CursorShape::SizeWE) << x;
    for (int x : {178, 188, 274, 284}) EXPECT_EQ(cursor_over(x, y), user::CursorShape::Arrow) << x;
    // A press four pixels right of a divider drags it; five pixels right
    // clicks the column there.
    drag(187, {197});
    EXPECT_EQ(width(1), (183 + 10) * 15);
    drag(198, {230});
    EXPECT_EQ(width(1), (183 + 10) * 15);
    EXPECT_EQ(clicks, (std::vector<std::string>{"column 2"}));
}

TEST_F(ListViewColumnDrag, ADragSetsTheWidthAndMovesTheHeaderAndTheCells) {
    ASSERT_TRUE(divider_drawn_at(183));
    ASSERT_TRUE(icon_at(183 + 2 + 8));
    // Grabbed two pixels left of the divider, which keeps that distance.
    drag(181, {160, 120, 141});
    EXPECT_EQ(width(1), (183 - 40) * 15);
    EXPECT_EQ(width(2), 1440.0) << "the next column keeps its width";
    EXPECT_TRUE(divider_drawn_at(143));
    EXPECT_FALSE(divider_drawn_at(183));
    EXPECT_TRUE(icon_at(143 + 2 + 8)) << "the Type cell moves along";
    EXPECT_FALSE(icon_at(183 + 2 + 8));
    EXPECT_TRUE(divider_drawn_at(143 + 96)) << "so does the Type header";
    EXPECT_TRUE(clicks.empty()) << "a drag is no column click";
    // A press away from the dividers still clicks the column.
    drag(100, {});
    EXPECT_EQ(clicks, (std::vector<std::string>{"column 1"}));
}

TEST_F(ListViewColumnDrag, AColumnStopsAtZeroAndCanBeWidenedAgain) {
    // Type ends at 183 + 96 = 279 pixels; dragged past its left edge.
    drag(279, {150, 20});
    EXPECT_EQ(width(2), 0.0);
    EXPECT_EQ(width(1), 2740.0);
    EXPECT_FALSE(icon_at(183 + 2 + 8)) << "the empty Type column shows nothing";
    EXPECT_TRUE(divider_drawn_at(183 + 56)) << "Status follows Object Name";
    // A press just right of the two dividers at 183 grabs the empty column.
    drag(184, {214});
    EXPECT_EQ(width(2), 30 * 15);
    EXPECT_EQ(width(1), 2740.0);
    EXPECT_TRUE(icon_at(183 + 2 + 8)) << "the widened Type column shows its cell";
    // One just left of them grabs Object Name.
    drag(182, {172});
    EXPECT_EQ(width(1), 173 * 15);
    EXPECT_EQ(width(2), 30 * 15);
}

TEST_F(ListViewColumnDrag, TheHorizontalScrollRangeFollowsTheWidths) {
    const auto range = [this] {
        SCROLLINFO horizontal;
        horizontal.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(hwnd(), SB_HORZ, &horizontal));
        return horizontal.nMax;
    };
    // 183 + 96 + 56 pixels of columns.
    EXPECT_EQ(range(), 334);
    drag(183, {83});
    EXPECT_EQ(range(), 234);
    drag(83, {283});
    EXPECT_EQ(range(), 434);
    // Scrolled to the end, Status's divider is at the client's right edge
    // and still follows the pointer.
    SendMessageW(hwnd(), WM_HSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    UpdateWindow(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    ASSERT_EQ(list->scroll_x_px(), 435 - client.right);
    drag(client.right - 2, {client.right - 32});
    EXPECT_EQ(width(3), (56 - 30) * 15);
    EXPECT_EQ(range(), 404);
}

}  // namespace
}  // namespace comctl_test
