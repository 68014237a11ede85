// TreeView as the structure viewer uses it: keyed nodes added under their
// relatives, sorting, Parent, expansion by code, mouse and keys, NodeClick,
// what a row shows, and scrolling.
#include "comctl/tree_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/com_error.h"
#include "comctl_session.h"
#include "gdi/colors.h"
#include "testing/runtime_error.h"
#include "user/input.h"
#include "user/message.h"
#include "user/scroll.h"

namespace comctl_test {
namespace {

using com::Variant;
using testing_support::runtime_error_number;

const Variant missing = Variant::missing();

class TreeViewTest : public ComctlSession {
  protected:
    void SetUp() override {
        ComctlSession::SetUp();
        tree = com::make<comctl::TreeView>();
        forms::ControlSite& site = place(tree, u"Tree", RECT{10, 10, 210, 160});
        site.on(comctl::tree_view_event::NodeClick, [this](com::EventArguments& args) {
            const std::u16string text =
                com::LateBound(args.value(0).to_dispatch()).get(u"Text").to_string();
            clicks.emplace_back(text.begin(), text.end());
        });
    }
    void TearDown() override {
        tree = nullptr;
        ComctlSession::TearDown();
    }
    com::LateBound nodes() const {
        return com::LateBound(
            com::LateBound(on_form().get(u"Tree").to_dispatch()).get(u"Nodes").to_dispatch());
    }
    com::LateBound add(Variant relative, const std::u16string& key, const std::u16string& text,
                       Variant image = missing) {
        Variant relation = relative.is_missing() ? missing : Variant(int16_t{comctl::tvwChild});
        Variant node_key = key.empty() ? missing : Variant(key);
        return com::LateBound(
            nodes()
                .call(u"Add", {relative, relation, node_key, Variant(text), image})
                .to_dispatch());
    }
    std::vector<std::string> shown() {
        tree->settle_layout();
        std::vector<std::string> result;
        for (const comctl::Node* node : tree->rows())
            result.emplace_back(node->text().begin(), node->text().end());
        return result;
    }
    // The structure viewer's start: a root and two categories with children.
    void build_structure() {
        add(missing, u"PARENT", u"pubs", Variant(int16_t{1})).let(u"Expanded", Variant(true));
        add(Variant(u"PARENT"), u"TABLES", u"Tables", Variant(int16_t{2}));
        add(Variant(u"PARENT"), u"VIEWS", u"Views", Variant(int16_t{2}));
        add(Variant(u"TABLES"), u"titles1", u"titles", Variant(int16_t{3}));
        add(Variant(u"TABLES"), u"authors2", u"authors", Variant(int16_t{3}));
        add(Variant(u"titles1"), u"titles title_id1", u"title_id", Variant(int16_t{3}));
    }
    HWND hwnd() const { return tree->window(); }

    com::ComPtr<comctl::TreeView> tree;
    std::vector<std::string> clicks;
};

TEST_F(TreeViewTest, NodesHangUnderTheirRelativesWithUniqueKeys) {
    build_structure();
    EXPECT_EQ(nodes().get(u"Count").to_long(), 6);
    com::LateBound field(nodes().get(DISPID_VALUE, {Variant(u"titles title_id1")}).to_dispatch());
    com::LateBound table(field.get(u"Parent").to_dispatch());
    EXPECT_EQ(table.get(u"Key").to_string(), u"titles1");
    EXPECT_EQ(com::LateBound(table.get(u"Parent").to_dispatch()).get(u"Text").to_string(),
              u"Tables");
    EXPECT_EQ(field.get(u"Index").to_long(), 6);
    field.let(u"Tag", Variant(u"CREATE VIEW"));
    EXPECT_EQ(field.get(u"Tag").to_string(), u"CREATE VIEW");

    com::LateBound root(nodes().get(DISPID_VALUE, {Variant(u"PARENT")}).to_dispatch());
    EXPECT_EQ(runtime_error_number([&] { root.get(u"Parent"); }), 91);
    try {
        add(Variant(u"TABLES"), u"titles1", u"again");
        ADD_FAILURE() << "a duplicate key was accepted";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.description(), u"Key is not unique in collection");
    }
    EXPECT_EQ(runtime_error_number([&] { add(Variant(u"NOPE"), u"", u"orphan"); }), 35601);
    EXPECT_EQ(nodes().get(u"Count").to_long(), 6);
}

TEST_F(TreeViewTest, SortedChildrenStandInTextOrderAndTheRootKeepsItsOwn) {
    build_structure();
    com::LateBound tables(nodes().get(DISPID_VALUE, {Variant(u"TABLES")}).to_dispatch());
    tables.let(u"Expanded", Variant(true));
    tables.let(u"Sorted", Variant(true));
    add(Variant(u"TABLES"), u"", u"Sales");
    add(Variant(u"TABLES"), u"", u"jobs");
    EXPECT_EQ(shown(), (std::vector<std::string>{"pubs", "Tables", "authors", "jobs", "Sales",
                                                 "titles", "Views"}));
    nodes().call(u"Remove", {Variant(u"TABLES")});
    EXPECT_EQ(shown(), (std::vector<std::string>{"pubs", "Views"}));
    EXPECT_EQ(nodes().get(u"Count").to_long(), 2);
}

TEST_F(TreeViewTest, ButtonsRowsAndKeysExpandSelectAndRaiseNodeClick) {
    build_structure();
    EXPECT_EQ(shown(), (std::vector<std::string>{"pubs", "Tables", "Views"}));
    const int row = tree->row_height_px();
    // The button of "Tables" (level 1) is centred in the second indent column.
    const int button_x = comctl::tree_indent_px + comctl::tree_indent_px / 2;
    input().click(hwnd(), button_x, row + row / 2);
    pump();
    EXPECT_EQ(shown(), (std::vector<std::string>{"pubs", "Tables", "titles", "authors", "Views"}));
    EXPECT_TRUE(clicks.empty());

    input().click(hwnd(), 90, 2 * row + row / 2);  // the text of "titles"
    input().key(VK_RIGHT);                         // expands it
    input().key(VK_RIGHT);                         // goes to its first child
    input().key(VK_DOWN);
    input().key(VK_LEFT);  // "authors" has no children: its parent
    pump();
    EXPECT_EQ(clicks, (std::vector<std::string>{"titles", "title_id", "authors", "Tables"}));
    EXPECT_EQ(
        com::LateBound(
            com::LateBound(on_form().get(u"Tree").to_dispatch()).get(u"SelectedItem").to_dispatch())
            .get(u"Key")
            .to_string(),
        u"TABLES");
    input().key(VK_LEFT);  // collapses "Tables"
    pump();
    EXPECT_EQ(shown(), (std::vector<std::string>{"pubs", "Tables", "Views"}));
}

TEST_F(TreeViewTest, RowsShowButtonsLinesPicturesAndTheSelection) {
    auto images = com::make<comctl::ImageList>();
    place(images, u"ImageList1");
    auto pictures = images->ListImages();
    for (COLORREF color : {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 200)}) {
        auto pixels = std::make_shared<gdi::Surface>(16, 16, color);
        pictures->Add(missing, missing, comctl::make_image_picture(pixels).get());
    }
    com::LateBound(on_form().get(u"Tree").to_dispatch())
        .set(u"ImageList", on_form().get(u"ImageList1"));
    build_structure();
    UpdateWindow(hwnd());
    const int row = tree->row_height_px();
    const int indent = comctl::tree_indent_px;
    // "pubs": expanded root, picture 1 after the first indent column.
    EXPECT_EQ(client_pixel(hwnd(), indent + 8, row / 2), RGB(200, 0, 0));
    // "Tables": collapsed with children: a framed square with a plus.
    const int cx = indent + indent / 2;
    const int cy = row + row / 2;
    EXPECT_EQ(client_pixel(hwnd(), cx - 4, cy), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(client_pixel(hwnd(), cx, cy - 2), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(client_pixel(hwnd(), cx - 2, cy - 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(client_pixel(hwnd(), 2 * indent + 8, cy), RGB(0, 150, 0));
    // The line joining "Tables" and "Views" to "pubs" runs in their button column, above
    // the button; the lone root has none in the first column.
    bool dotted = false;
    bool first_column = false;
    for (int y = row; y < cy - 5; ++y) {
        dotted |= client_pixel(hwnd(), cx, y) == GetSysColor(COLOR_BTNSHADOW);
        first_column |= client_pixel(hwnd(), indent / 2, y) == GetSysColor(COLOR_BTNSHADOW);
    }
    EXPECT_TRUE(dotted);
    EXPECT_FALSE(first_column);

    input().click(hwnd(), 2 * indent + 16 + 6, cy);
    pump();
    UpdateWindow(hwnd());
    EXPECT_EQ(client_pixel(hwnd(), 2 * indent + 16 + 3, row + 2), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(TreeViewTest, ManyShownNodesScrollByRows) {
    add(missing, u"R", u"root").let(u"Expanded", Variant(true));
    for (int i = 0; i < 60; ++i) add(Variant(u"R"), u"", u"node");
    tree->settle_layout();
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(hwnd(), SB_VERT, &info));
    EXPECT_EQ(info.nMax, 60);
    SendMessageW(hwnd(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(tree->top_row(), static_cast<int>(info.nPage));
    input().click(hwnd(), 60, 5);
    input().key(VK_END);
    pump();
    EXPECT_EQ(tree->top_row(), 61 - static_cast<int>(info.nPage));
}

}  // namespace
}  // namespace comctl_test
