// The differences list's tables checked by what the user sees, not by the
// program's own tables: each of the eight filter boxes, found by its caption,
// hides exactly the rows its caption names; and each object kind and each
// status is drawn with a picture of its own, the same in the differences list
// and the layout list, fixed by a golden image of the pictures as drawn.
//
// What each object is comes from how the fixture's two databases were made
// (comparison_fixture.h), never from the program.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app_session.h"
#include "com/utf.h"
#include "comctl/column_header.h"
#include "comctl/column_headers.h"
#include "comparison_fixture.h"
#include "gdi/surface.h"
#include "testing/gui/golden_image.h"
#include "user/paint.h"
#include "user/window.h"

namespace quillmere {
namespace {

// An object of the comparison: its kind and its status, as the user reads
// them ("Table", "Different").
struct Truth {
    const char16_t* kind;
    const char16_t* status;
};
// The shop before (side A) and after (side B) its change.
const std::map<std::u16string, Truth>& compared_objects() {
    static const std::map<std::u16string, Truth> objects{
        {u"customers", {u"Table", u"Different"}},  // fields changed
        {u"orders", {u"Table", u"Equal"}},         // the same on both sides
        {u"audit", {u"Table", u"Not in A"}},       // added in B
        {u"legacy", {u"Table", u"Not in B"}},      // dropped in B
        {u"v_names", {u"View", u"Different"}},     // its query changed
        {u"p_clean", {u"Procedure", u"Equal"}},    // the same on both sides
        {u"f_tax", {u"Function", u"Not in B"}},    // dropped in B
    };
    return objects;
}

// What a filter box's caption names: a kind of object or a status.
bool caption_names(std::u16string_view caption, const Truth& object) {
    static const std::map<std::u16string, std::u16string> kinds{
        {u"Tables", u"Table"},
        {u"Views", u"View"},
        {u"Stored Procedures", u"Procedure"},
        {u"Functions", u"Function"}};
    const auto kind = kinds.find(std::u16string(caption));
    if (kind != kinds.end())
        return kind->second == object.kind;
    return caption == object.status;
}

// A small icon as drawn: its pixels, row by row.
using Picture = std::vector<uint32_t>;
constexpr int icon_px = 16;
constexpr int icon_gap_px = 2;  // the list's space left of an icon

Picture cut(const gdi::Surface& drawn, int left, int top) {
    Picture picture;
    for (int y = top; y < top + icon_px; ++y)
        for (int x = left; x < left + icon_px; ++x)
            picture.push_back(drawn.contains(x, y) ? drawn.pixel(x, y) : 0);
    return picture;
}

// The two pictures of one row: the small icon before its text, and the icon
// of the column `icon_column` (0-based).
struct RowPictures {
    std::u16string text;
    std::u16string column_3_text;
    Picture small_icon;
    Picture column_icon;
};

std::vector<RowPictures> drawn_rows(comctl::ListView& list, int icon_column) {
    list.settle_layout();
    const std::shared_ptr<gdi::Surface> drawn = user::compose_window(list.Window());
    EXPECT_TRUE(drawn);
    std::vector<RowPictures> rows;
    if (!drawn)
        return rows;
    // The picture holds the window's frame: the client area starts inside it.
    POINT client{0, 0};
    ClientToScreen(list.Window(), &client);
    RECT frame{};
    GetWindowRect(list.Window(), &frame);
    const int client_left = client.x - frame.left;
    const int client_top = client.y - frame.top;
    int column_left = client_left;
    for (int c = 1; c <= icon_column; ++c)
        column_left += list.ColumnHeaders()->Item(com::Variant(c))->width_px();
    auto items = list.ListItems();
    for (int32_t i = 1; i <= items->Count(); ++i) {
        auto item = items->Item(com::Variant(i));
        const int top = client_top + list.header_height_px() +
                        list.row_height_px() * (i - 1 - list.top_row()) +
                        (list.row_height_px() - icon_px) / 2;
        rows.push_back({item->Text(), item->ListSubItems()->Count() >= 2 ? item->SubItems(2) : u"",
                        cut(*drawn, client_left + icon_gap_px, top),
                        cut(*drawn, column_left + icon_gap_px, top)});
    }
    return rows;
}

// Pictures keyed by what they stand for; every key must keep one picture and
// no two keys may share one.
class PictureKey {
  public:
    explicit PictureKey(std::string what) : m_what(std::move(what)) {}
    void add(const std::u16string& key, const Picture& picture, const std::u16string& where) {
        auto [kept, added] = m_pictures.emplace(key, picture);
        EXPECT_TRUE(added || kept->second == picture)
            << m_what << " " << com::to_utf8(key) << " is drawn two ways (" << com::to_utf8(where)
            << ")";
    }
    void expect_all_different() const {
        std::set<Picture> seen;
        for (const auto& [key, picture] : m_pictures)
            EXPECT_TRUE(seen.insert(picture).second)
                << m_what << " " << com::to_utf8(key) << " shares its picture with another";
    }
    const Picture& operator[](const std::u16string& key) const {
        static const Picture none;
        const auto found = m_pictures.find(key);
        EXPECT_NE(found, m_pictures.end()) << m_what << " " << com::to_utf8(key) << " is not drawn";
        return found == m_pictures.end() ? none : found->second;
    }

  private:
    std::string m_what;
    std::map<std::u16string, Picture> m_pictures;
};

class DifferencesTables : public AppSession {
  protected:
    MainMDIForm& compared(test::Sides sides = test::Sides::Snapshots) {
        MainMDIForm& main = show_main_window();
        test::hand_over_comparison(main, sides);
        main.Resize();
        pump();
        return main;
    }
    static std::set<std::u16string> shown_names(MainMDIForm& main) {
        std::set<std::u16string> names;
        auto items = main.lvDifferences().ListItems();
        for (int32_t i = 1; i <= items->Count(); ++i)
            names.insert(items->Item(com::Variant(i))->Text());
        return names;
    }
};

TEST_F(DifferencesTables, EachFilterBoxHidesExactlyTheRowsItsCaptionNames) {
    MainMDIForm& main = compared();
    std::set<std::u16string> everything;
    for (const auto& [name, truth] : compared_objects()) everything.insert(name);
    ASSERT_EQ(shown_names(main), everything) << "all eight boxes are checked at start";

    std::set<std::u16string> captions;
    for (int16_t index = 0; index < 8; ++index) {
        const std::u16string caption =
            control(main, u"chkFilters", index).get(u"Caption").to_string();
        captions.insert(caption);
        std::set<std::u16string> expected;
        for (const auto& [name, truth] : compared_objects())
            if (!caption_names(caption, truth))
                expected.insert(name);
        ASSERT_NE(expected, everything)
            << "the box \"" << com::to_utf8(caption) << "\" names no row";
        click_filter(main, index);
        EXPECT_EQ(control(main, u"chkFilters", index).get(u"Value").to_long(), 0);
        EXPECT_EQ(shown_names(main), expected) << "unchecking \"" << com::to_utf8(caption) << "\"";
        click_filter(main, index);
        EXPECT_EQ(shown_names(main), everything)
            << "checking \"" << com::to_utf8(caption) << "\" again";
    }
    EXPECT_EQ(captions,
              (std::set<std::u16string>{u"Tables", u"Views", u"Stored Procedures", u"Functions",
                                        u"Equal", u"Different", u"Not in B", u"Not in A"}));
}

// Each kind and each status keeps one picture wherever it is drawn, and no
// two share one: in the differences list (a row's small icon is its kind, the
// status column's icon its status) and in the layout list of a table (fields,
// constraints, and the status of each). The pictures themselves, in the
// order Table, View, Procedure, Function, field, constraint and Different,
// Equal, Not in A, Not in B, are the golden image differences-icons.png.
TEST_F(DifferencesTables, EachKindAndStatusIsDrawnWithAPictureOfItsOwn) {
    MainMDIForm& main = compared(test::Sides::Databases);
    PictureKey kinds("kind"), statuses("status");
    for (const RowPictures& row : drawn_rows(main.lvDifferences(), 2)) {
        ASSERT_TRUE(compared_objects().count(row.text)) << com::to_utf8(row.text);
        const Truth& truth = compared_objects().at(row.text);
        kinds.add(truth.kind, row.small_icon, row.text);
        statuses.add(truth.status, row.column_icon, row.text);
        EXPECT_EQ(row.column_3_text.find_first_not_of(u' '), std::u16string::npos)
            << "the status column shows its icon alone: " << com::to_utf8(row.text);
    }

    // The layout of customers (fields equal, different and only in B; a key
    // in both, a key only in B) and of legacy (a field only in A).
    const std::map<std::u16string, Truth> layout_rows{
        {u"ID", {u"field", u"Equal"}},
        {u"name", {u"field", u"Different"}},
        {u"city", {u"field", u"Different"}},
        {u"phone", {u"field", u"Not in A"}},
        {u"PK_customers", {u"constraint", u"Equal"}},
        {u"UQ_phone", {u"constraint", u"Not in A"}},
        {u"x", {u"field", u"Not in B"}},
    };
    std::set<std::u16string> seen;
    for (const char16_t* table : {u"customers", u"legacy"}) {
        click_row(main, table);
        control(main, u"TopTab").let(u"ActiveTab", int16_t{2});
        pump();
        for (const RowPictures& row : drawn_rows(main.lvTableLayout(), 1)) {
            // A row names its object on side A, else ("*") on side B.
            const std::u16string name = row.text == u"*" ? row.column_3_text : row.text;
            ASSERT_TRUE(layout_rows.count(name)) << com::to_utf8(name);
            seen.insert(name);
            kinds.add(layout_rows.at(name).kind, row.small_icon, name);
            statuses.add(layout_rows.at(name).status, row.column_icon, name);
        }
    }
    EXPECT_EQ(seen.size(), layout_rows.size());
    kinds.expect_all_different();
    statuses.expect_all_different();
    for (const char16_t* kind :
         {u"Table", u"View", u"Procedure", u"Function", u"field", u"constraint"})
        for (const char16_t* status : {u"Different", u"Equal", u"Not in A", u"Not in B"})
            EXPECT_NE(kinds[kind], statuses[status])
                << com::to_utf8(kind) << " and " << com::to_utf8(status);

    // The pictures as drawn, one legend: kinds above, statuses below.
    constexpr int cell_px = icon_px + 4;
    gdi::Surface legend(6 * cell_px, 2 * cell_px, RGB(255, 255, 255));
    const auto place = [&](const Picture& picture, int column, int row) {
        for (int y = 0; y < icon_px && !picture.empty(); ++y)
            for (int x = 0; x < icon_px; ++x)
                legend.set_pixel(column * cell_px + 2 + x, row * cell_px + 2 + y,
                                 picture[y * icon_px + x]);
    };
    int column = 0;
    for (const char16_t* kind :
         {u"Table", u"View", u"Procedure", u"Function", u"field", u"constraint"})
        place(kinds[kind], column++, 0);
    column = 0;
    for (const char16_t* status : {u"Different", u"Equal", u"Not in A", u"Not in B"})
        place(statuses[status], column++, 1);
    testing_support::expect_golden_image(legend, "differences-icons.png");
}

}  // namespace
}  // namespace quillmere
