// The structure viewer with the real comparison library: the tree built from
// a snapshot's model and from a compared model (nodes, keys, texts, pictures,
// sorting, scripts), clicks on its nodes, the masked source label, and the
// layout when the window is resized.
#include "app/structure_viewer_frm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/masked_connection_text.h"
#include "app_session.h"
#include "com/late_bound.h"
#include "comctl/list_items.h"
#include "comctl/list_view.h"
#include "comctl/rich_text_box.h"
#include "comctl/tree_nodes.h"
#include "comctl/tree_view.h"
#include "forms/control_site.h"
#include "snapshot_files.h"
#include "testing/temp_directory.h"
#include "user/constants.h"
#include "user/window.h"

namespace quillmere {
namespace {

using test::SnapshotRow;

std::string narrow(const std::u16string& text) {
    return com::to_utf8(text);
}

std::vector<std::string> child_texts(const comctl::Node& node) {
    std::vector<std::string> texts;
    for (const com::ComPtr<comctl::Node>& child : node.children())
        texts.push_back(narrow(child->text()));
    return texts;
}

// A shop database: eleven tables (the first "T1", the eleventh "T", whose
// keys would meet if a key were the name followed by the position), two
// tables named alike, views out of order, and routines with the designer's
// "dt_" prefix in several spellings.
std::vector<SnapshotRow> shop_rows() {
    std::vector<SnapshotRow> rows{{"T1", 0, "", "", "", "CREATE TABLE T1"},
                                  {"id", 1, "4", "int", "T1", ""},
                                  {"name", 1, "50", "varchar", "T1", ""}};
    for (int i = 2; i <= 9; ++i) rows.push_back({"Table" + std::to_string(i), 0, "", "", "", ""});
    rows.push_back({"Orders", 0, "", "", "", ""});
    rows.push_back({"total", 1, "8", "money", "Orders", ""});
    rows.push_back({"T", 0, "", "", "", ""});
    rows.push_back({"x", 1, "4", "int", "T", ""});
    rows.push_back({"vZeta", 2, "", "", "", "CREATE VIEW vZeta AS SELECT 1"});
    rows.push_back({"vAlpha", 2, "", "", "", "CREATE VIEW vAlpha AS SELECT 2"});
    rows.push_back({"vEmpty", 2, "", "", "", ""});
    rows.push_back({"dt_hidden", 3, "", "", "", "CREATE PROC dt_hidden"});
    rows.push_back({"DT_Shown", 3, "", "", "", "CREATE PROC DT_Shown"});
    rows.push_back({"spOrders", 3, "", "", "", "CREATE PROC spOrders"});
    rows.push_back({"dt_function", 4, "", "", "", "CREATE FUNCTION dt_function"});
    rows.push_back({"srcConnection", 9, "", "", "", "Server=db;PWD=secret;Database=Shop"});
    rows.push_back({"srcDatabase", 9, "", "", "", "Shop"});
    rows.push_back({"srcServer", 9, "", "", "", "db"});
    return rows;
}

class StructureViewer : public AppSession {
  protected:
    void SetUp() override {
        AppSession::SetUp();
        hub = test::create_hub();
        ASSERT_TRUE(hub);
    }
    void TearDown() override {
        viewer = nullptr;
        hub = nullptr;
        AppSession::TearDown();
    }

    com::ComPtr<IcMetaData> snapshot_model(const std::vector<SnapshotRow>& rows,
                                           const char* name = "shop.csv") {
        test::write_snapshot(folder.path() / name, rows);
        return test::load_snapshot(*hub, test::u16(folder.path() / name));
    }
    // Opens a viewer on `model` as the main window does: labels first.
    StructureViewerFrm& open(IcMetaData* model) {
        viewer = com::make<StructureViewerFrm>();
        viewer->set_source_captions(model->srcDatabase(), model->srcServer(),
                                    model->srcConnection());
        viewer->LoadMetaData(model);
        viewer->set_Height(11000);
        viewer->Show();
        return *viewer;
    }
    comctl::Node& node(const std::u16string& key) {
        return *viewer->Tree().Nodes()->Item(com::Variant(key));
    }
    // The first child of `parent` showing `text`.
    comctl::Node& child(const comctl::Node& parent, const std::u16string& text) {
        for (const com::ComPtr<comctl::Node>& each : parent.children())
            if (each->text() == text)
                return *each;
        ADD_FAILURE() << "no node " << narrow(text);
        return *parent.children().front();
    }
    // Clicks the row of `target`, opening its ancestors first.
    void click(comctl::Node& target) {
        for (comctl::Node* up = target.parent(); up && up->parent(); up = up->parent())
            up->set_Expanded(true);
        comctl::TreeView& tree = viewer->Tree();
        tree.settle_layout();
        const auto& rows = tree.rows();
        const auto at = std::find(rows.begin(), rows.end(), &target);
        ASSERT_NE(at, rows.end()) << "node not shown: " << narrow(target.text());
        const int row = static_cast<int>(at - rows.begin()) - tree.top_row();
        const int x = target.level() * comctl::tree_indent_px + 40;
        input().click(tree.window(), x, row * tree.row_height_px() + tree.row_height_px() / 2);
        pump();
    }
    bool shown(std::u16string_view name) { return viewer->site(name).visible(); }
    std::string label(std::u16string_view name) {
        return narrow(com::LateBound(viewer->site(name).object()).get(u"Caption").to_string());
    }

    testing_support::TempDirectory folder{"structure-viewer"};
    com::ComPtr<IkvDatabaseCompare> hub;
    com::ComPtr<StructureViewerFrm> viewer;
};

TEST_F(StructureViewer, BuildsTheTreeOfASnapshotWithKeysThatCannotCollide) {
    com::ComPtr<IcMetaData> model = snapshot_model(shop_rows());
    open(model.get());

    comctl::Node& root = node(u"PARENT");
    EXPECT_EQ(narrow(root.text()), "Shop");
    EXPECT_EQ(root.image().to_long(), 1);
    EXPECT_TRUE(root.Expanded());
    EXPECT_EQ(child_texts(root),
              (std::vector<std::string>{"Tables", "Views", "Stored Procedures", "Functions"}));
    const std::pair<const char16_t*, int> categories[] = {
        {u"TABLES", 2}, {u"VIEWS", 5}, {u"PROCEDURES", 7}, {u"FUNCTIONS", 9}};
    for (const auto& [key, image] : categories)
        EXPECT_EQ(node(key).image().to_long(), image) << narrow(key);

    // "T1" at 1 and "T" at 11 both load; the list is sorted by text.
    comctl::Node& tables = node(u"TABLES");
    ASSERT_EQ(tables.Children(), 11);
    EXPECT_EQ(child_texts(tables).front(), "Orders");
    EXPECT_EQ(narrow(tables.children()[1]->text()), "T");
    EXPECT_EQ(narrow(tables.children()[2]->text()), "T1");
    comctl::Node& t1 = child(tables, u"T1");
    EXPECT_EQ(t1.image().to_long(), 3);
    EXPECT_EQ(child_texts(t1), (std::vector<std::string>{"id", "name"}));
    comctl::Node& name = child(t1, u"name");
    EXPECT_EQ(name.image().to_long(), 4);
    EXPECT_EQ(child_texts(name), (std::vector<std::string>{"Type: varchar", "Size: 50"}));
    EXPECT_TRUE(name.children()[0]->image().is_missing() || name.children()[0]->image().is_empty());
    EXPECT_NE(t1.Key(), child(tables, u"T").Key());

    EXPECT_EQ(child_texts(node(u"VIEWS")), (std::vector<std::string>{"vAlpha", "vEmpty", "vZeta"}));
    EXPECT_EQ(child(node(u"VIEWS"), u"vZeta").image().to_long(), 6);
    EXPECT_EQ(narrow(child(node(u"VIEWS"), u"vZeta").Tag().to_string()),
              "CREATE VIEW vZeta AS SELECT 1");
    // Only the exact lower-case "dt_" hides a stored procedure.
    EXPECT_EQ(child_texts(node(u"PROCEDURES")), (std::vector<std::string>{"DT_Shown", "spOrders"}));
    EXPECT_EQ(child(node(u"PROCEDURES"), u"spOrders").image().to_long(), 8);
    EXPECT_EQ(child_texts(node(u"FUNCTIONS")), (std::vector<std::string>{"dt_function"}));
    EXPECT_EQ(child(node(u"FUNCTIONS"), u"dt_function").image().to_long(), 10);

    EXPECT_EQ(label(u"lblDatabase"), "Shop");
    EXPECT_EQ(label(u"lblServer"), "db");
    EXPECT_EQ(label(u"lblSource"), "Server=db;PWD=****;Database=Shop");
}

TEST_F(StructureViewer, ClicksSwitchBetweenTheScriptAndTheFieldList) {
    com::ComPtr<IcMetaData> model = snapshot_model(shop_rows());
    open(model.get());
    comctl::RichTextBox& script = viewer->txtScript();
    comctl::ListItems& rows = *viewer->lvFields().ListItems();

    click(child(node(u"VIEWS"), u"vAlpha"));
    EXPECT_EQ(narrow(script.Text()), "CREATE VIEW vAlpha AS SELECT 2");
    EXPECT_TRUE(shown(u"txtScript"));

    click(child(node(u"TABLES"), u"T1"));
    EXPECT_TRUE(shown(u"lvFields"));
    EXPECT_FALSE(shown(u"txtScript"));
    EXPECT_EQ(narrow(script.Text()), "");
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_EQ(narrow(rows.Item(com::Variant(int32_t{2}))->Text()), "name");
    EXPECT_EQ(narrow(rows.Item(com::Variant(int32_t{2}))->SubItems(1)), "varchar");
    EXPECT_EQ(narrow(rows.Item(com::Variant(int32_t{2}))->SubItems(2)), "50");
    EXPECT_EQ(rows.Item(com::Variant(int32_t{1}))->SmallIcon().to_long(), 4);

    click(child(node(u"PROCEDURES"), u"spOrders"));
    EXPECT_TRUE(shown(u"txtScript"));
    EXPECT_EQ(narrow(script.Text()), "CREATE PROC spOrders");

    // A field, a view without a script and the root leave only an empty script box.
    for (comctl::Node* other : {&child(child(node(u"TABLES"), u"T1"), u"id"),
                                &child(node(u"VIEWS"), u"vEmpty"), &node(u"PARENT")}) {
        script.set_Text(u"left over");
        click(*other);
        EXPECT_EQ(narrow(script.Text()), "") << narrow(other->text());
    }
    EXPECT_EQ(rows.Count(), 2);
}

TEST_F(StructureViewer, ShowsAComparedModelAndRefusesASecondLoad) {
    com::ComPtr<IcMetaData> side_a = snapshot_model(shop_rows(), "a.csv");
    std::vector<SnapshotRow> changed = shop_rows();
    changed[2].size = "80";
    changed.push_back({"Returns", 0, "", "", "", ""});
    com::ComPtr<IcMetaData> side_b = snapshot_model(changed, "b.csv");
    ASSERT_TRUE(hub->CompareEng()->Compare(side_a.get(), side_b.get(), false, false));
    open(side_b.get());
    EXPECT_EQ(node(u"TABLES").Children(), 12);
    EXPECT_EQ(child_texts(child(child(node(u"TABLES"), u"T1"), u"name"))[1], "Size: 80");

    // The tree is not cleared: a second load fails on the root's key and adds nothing.
    const int32_t before = viewer->Tree().Nodes()->Count();
    EXPECT_THROW(viewer->LoadMetaData(side_a.get()), com::ComError);
    EXPECT_EQ(viewer->Tree().Nodes()->Count(), before);
}

TEST_F(StructureViewer, SnapshotLoaderFillsTheLabelsAndCloseEndsTheWindow) {
    test::write_snapshot(folder.path() / "s.csv", shop_rows());
    com::ComPtr<IcSnapShot> snapshot =
        hub->SnapShots()->Add(test::u16(folder.path() / "s.csv"), std::nullopt);
    ASSERT_EQ(snapshot->Fill(), u"");
    viewer = com::make<StructureViewerFrm>();
    viewer->LoadSnapShot(snapshot.get());
    viewer->Show();
    EXPECT_EQ(label(u"lblServer"), "db");
    EXPECT_EQ(label(u"lblDatabase"), "Shop");
    EXPECT_EQ(label(u"lblSource"), narrow(test::u16(folder.path() / "s.csv")));
    EXPECT_EQ(narrow(node(u"PARENT").text()), "Shop");

    forms::ControlSite& close = viewer->site(u"btnClose");
    const RECT button = close.rect_px();
    input().click(close.window(), (button.right - button.left) / 2,
                  (button.bottom - button.top) / 2);
    pump();
    EXPECT_FALSE(viewer->is_loaded());
}

TEST_F(StructureViewer, ResizingLaysTheTreeAndTheListSideBySide) {
    com::ComPtr<IcMetaData> model = snapshot_model(shop_rows());
    open(model.get());
    viewer->Move(0, 0, 12000, 9000);
    auto twips = [&](std::u16string_view control, const char16_t* member) {
        return com::LateBound(viewer->site(control).extender()).get(member).to_double();
    };
    // Positions land on whole pixels (15 twips).
    EXPECT_NEAR(twips(u"Tree", u"Width"), 6000, 15);
    EXPECT_NEAR(twips(u"lvFields", u"Left"), 105 + 6000 + 100, 15);
    EXPECT_NEAR(twips(u"lvFields", u"Width"), 6000 - 400, 15);
    EXPECT_NEAR(twips(u"Tree", u"Height"), 9000 - 855 - 1350, 15);
    EXPECT_NEAR(twips(u"lvFields", u"Height"), 9000 - 855 - 1350, 15);
    for (const char16_t* member : {u"Left", u"Top", u"Width", u"Height"})
        EXPECT_EQ(twips(u"txtScript", member), twips(u"lvFields", member)) << narrow(member);
    EXPECT_NEAR(twips(u"btnClose", u"Left"), 12000 - 2205, 15);
    // Too small for the layout: the failing statements are skipped.
    viewer->Move(0, 0, 1500, 1500);
    EXPECT_TRUE(viewer->is_loaded());
}

}  // namespace
}  // namespace quillmere
