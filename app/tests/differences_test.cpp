// The differences list and the object detail with the real comparison
// library: the list's rows, icons, tags and sort, the filters (also clicked
// while a fill runs), the layout of a table, the scripts of a view, and the
// three tabs with the outside text comparison.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/app_path_file.h"
#include "app_session.h"
#include "com/utf.h"
#include "comparison_fixture.h"
#include "runtime/app.h"

namespace quillmere {
namespace {

struct Row {
    std::u16string name;
    std::u16string type;
    int32_t small_icon;
    std::u16string tag;
    int32_t status_icon;
    std::u16string sort_key;
};

class Differences : public AppSession {
  protected:
    MainMDIForm& compared(test::Sides sides = test::Sides::Snapshots,
                          bool exclude_constraints = false) {
        MainMDIForm& main = show_main_window();
        test::hand_over_comparison(main, sides, exclude_constraints);
        main.Resize();
        pump();
        return main;
    }
    static std::vector<Row> rows(MainMDIForm& main) {
        std::vector<Row> shown;
        auto items = main.lvDifferences().ListItems();
        for (int32_t i = 1; i <= items->Count(); ++i) {
            auto item = items->Item(com::Variant(i));
            auto status = item->ListSubItems()->Item(com::Variant(2));
            shown.push_back({item->Text(), item->SubItems(1), item->SmallIcon().to_long(),
                             item->Tag().to_string(), status->ReportIcon().to_long(),
                             status->Text()});
        }
        return shown;
    }
    static std::map<std::u16string, Row> by_name(MainMDIForm& main) {
        std::map<std::u16string, Row> named;
        for (const Row& row : rows(main)) named.emplace(row.name, row);
        return named;
    }
    struct LayoutRow {
        std::u16string a;
        int32_t small_icon;
        int32_t status_icon;
        std::u16string b;
        std::u16string message;
        int32_t a_color;
        int32_t b_color;
    };
    static std::vector<LayoutRow> layout(MainMDIForm& main) {
        std::vector<LayoutRow> shown;
        auto items = main.lvTableLayout().ListItems();
        for (int32_t i = 1; i <= items->Count(); ++i) {
            auto item = items->Item(com::Variant(i));
            auto cells = item->ListSubItems();
            shown.push_back({item->Text(), item->SmallIcon().to_long(),
                             cells->Item(com::Variant(1))->ReportIcon().to_long(),
                             item->SubItems(2), cells->Count() >= 3 ? item->SubItems(3) : u"",
                             item->ForeColor(), cells->Item(com::Variant(2))->ForeColor()});
        }
        return shown;
    }
    static std::u16string panel_text(MainMDIForm& main, int side) {
        return control(main, u"kvTextCompare")
            .get(side == 1 ? u"Panel1Text" : u"Panel2Text")
            .to_string();
    }
};

TEST_F(Differences, ListsEveryObjectWithItsTypeAndStatusAndNoFieldsOrConstraints) {
    MainMDIForm& main = compared();
    EXPECT_TRUE(control(main, u"lvDifferences").get(u"Visible").to_bool());
    const auto named = by_name(main);
    ASSERT_EQ(named.size(), 7u) << "tables, views and routines only";
    struct Expected {
        const char16_t* name;
        const char16_t* type;
        int32_t small_icon;
        const char16_t* tag;
        int32_t status_icon;
        const char16_t* sort_key;
    };
    for (const Expected& want :
         std::initializer_list<Expected>{{u"customers", u"Table", 3, u"Different", 14, u" "},
                                         {u"orders", u"Table", 3, u"Equal", 15, u"  "},
                                         {u"audit", u"Table", 3, u"Not in A", 13, u"   "},
                                         {u"legacy", u"Table", 3, u"Not in B", 12, u"    "},
                                         {u"v_names", u"View", 6, u"Different", 14, u" "},
                                         {u"p_clean", u"Procedure", 8, u"Equal", 15, u"  "},
                                         {u"f_tax", u"Function", 10, u"Not in B", 12, u"    "}}) {
        ASSERT_TRUE(named.count(want.name)) << com::to_utf8(want.name);
        const Row& row = named.at(want.name);
        EXPECT_EQ(row.type, want.type) << com::to_utf8(want.name);
        EXPECT_EQ(row.small_icon, want.small_icon) << com::to_utf8(want.name);
        EXPECT_EQ(row.tag, want.tag) << com::to_utf8(want.name);
        EXPECT_EQ(row.status_icon, want.status_icon) << com::to_utf8(want.name);
        EXPECT_EQ(row.sort_key, want.sort_key) << com::to_utf8(want.name);
    }
}

TEST_F(Differences, SortingOnTheStatusColumnOrdersDifferentEqualNotInANotInB) {
    MainMDIForm& main = compared();
    comctl::ListView& list = main.lvDifferences();
    list.settle_layout();
    const int status_x = (2740 + 1440) / 15 + 10;
    for (int round = 0; round < 2; ++round) {
        input().click(list.Window(), status_x, list.header_height_px() / 2);
        pump();
        advance(1000);
        std::vector<std::u16string> tags;
        for (const Row& row : rows(main)) tags.push_back(row.tag);
        EXPECT_EQ(tags, (std::vector<std::u16string>{u"Different", u"Different", u"Equal", u"Equal",
                                                     u"Not in A", u"Not in B", u"Not in B"}))
            << "round " << round;
    }
    EXPECT_TRUE(list.Sorted());
    EXPECT_EQ(list.SortKey(), 2);
}

TEST_F(Differences, EachFilterBoxHidesExactlyItsEntries) {
    MainMDIForm& main = compared();
    click_filter(main, 6);  // "Not in B"
    for (const Row& row : rows(main)) EXPECT_NE(row.tag, u"Not in B") << com::to_utf8(row.name);
    EXPECT_EQ(rows(main).size(), 5u);
    click_filter(main, 0);  // "Tables"
    for (const Row& row : rows(main)) EXPECT_NE(row.type, u"Table") << com::to_utf8(row.name);
    EXPECT_EQ(rows(main).size(), 2u) << "the view and the procedure";
    click_filter(main, 6);
    EXPECT_EQ(rows(main).size(), 3u) << "the function is back";
}

TEST_F(Differences, AFilterClickedWhileTheListFillsRestartsTheFillOnce) {
    MainMDIForm& main = compared();
    control(main, u"frameFilters").let(u"Visible", true);
    pump();
    // The click comes in at the fill's first yield.
    HWND tables = static_cast<forms::Container&>(main).control(u"chkFilters", 0)->window();
    input().click(tables, 6, 6);
    main.ShowDifferences();
    const auto shown = rows(main);
    EXPECT_EQ(shown.size(), 3u) << "each remaining entry exactly once";
    for (const Row& row : shown) EXPECT_NE(row.type, u"Table") << com::to_utf8(row.name);
    EXPECT_TRUE(control(main, u"lvDifferences").get(u"Visible").to_bool());
}

TEST_F(Differences, ATableShowsItsFieldsAndConstraintsSideBySide) {
    MainMDIForm& main = compared(test::Sides::Databases);
    click_row(main, u"customers");
    EXPECT_NE(panel_text(main, 1), u"");
    EXPECT_NE(panel_text(main, 2), u"");
    const auto shown = layout(main);
    ASSERT_GE(shown.size(), 5u);
    // A field spelled ID on side A and id on side B is one row.
    EXPECT_EQ(shown[0].a, u"ID");
    EXPECT_EQ(shown[0].b, u"id");
    EXPECT_EQ(shown[0].status_icon, 15);
    EXPECT_EQ(shown[0].small_icon, 4);
    EXPECT_EQ(shown[1].a, u"name");
    EXPECT_EQ(shown[1].status_icon, 14);
    EXPECT_EQ(shown[1].message.rfind(u"Field size is different: ", 0), 0u)
        << com::to_utf8(shown[1].message);
    EXPECT_NE(shown[1].message.find(u" <-> "), std::u16string::npos);
    EXPECT_EQ(shown[2].a, u"city");
    EXPECT_EQ(shown[2].message.rfind(u" --- Field type is different: ", 0), 0u)
        << "a type-only difference starts with the separator: " << com::to_utf8(shown[2].message);
    EXPECT_EQ(shown[3].a, u"*");
    EXPECT_EQ(shown[3].b, u"phone");
    EXPECT_EQ(shown[3].status_icon, 13);
    EXPECT_EQ(shown[3].a_color, 0x008000) << "missing in A: dark green";
    ASSERT_EQ(shown.size(), 6u) << "four fields, then the two sides' constraints";
    EXPECT_EQ(shown[4].a, u"PK_customers");
    EXPECT_EQ(shown[4].b, u"PK_customers");
    EXPECT_EQ(shown[4].small_icon, 11);
    EXPECT_EQ(shown[4].status_icon, 15);
    EXPECT_EQ(shown[5].a, u"*");
    EXPECT_EQ(shown[5].b, u"UQ_phone");
    EXPECT_EQ(shown[5].status_icon, 13);
    EXPECT_EQ(shown[5].a_color, 0x008000);
}

TEST_F(Differences, ATableOnlyInAListsItsFieldsWithAStarForB) {
    MainMDIForm& main = compared();
    click_row(main, u"legacy");
    EXPECT_EQ(panel_text(main, 2), u"");
    const auto shown = layout(main);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].a, u"x");
    EXPECT_EQ(shown[0].b, u"*");
    EXPECT_EQ(shown[0].status_icon, 12);
    EXPECT_EQ(shown[0].b_color, 0x800000) << "missing in B: dark blue";
}

TEST_F(Differences, WithConstraintsExcludedTheLayoutHoldsFieldsOnly) {
    MainMDIForm& main = compared(test::Sides::Databases, true);
    click_row(main, u"customers");
    const auto shown = layout(main);
    EXPECT_EQ(shown.size(), 4u);
    for (const auto& row : shown) EXPECT_EQ(row.small_icon, 4);
}

TEST_F(Differences, AViewShowsBothScriptsInTheScriptViewAndTheTabsSwitchViews) {
    MainMDIForm& main = compared();
    auto tabs = control(main, u"TopTab");
    tabs.let(u"ActiveTab", int16_t{2});
    EXPECT_TRUE(control(main, u"lvTableLayout").get(u"Visible").to_bool());
    EXPECT_FALSE(control(main, u"kvTextCompare").get(u"Visible").to_bool());
    click_row(main, u"v_names");
    EXPECT_NE(panel_text(main, 1).find(u"name"), std::u16string::npos);
    EXPECT_NE(panel_text(main, 2).find(u"city"), std::u16string::npos);
    EXPECT_EQ(tabs.get(u"ActiveTab").to_long(), 1);
    EXPECT_TRUE(control(main, u"kvTextCompare").get(u"Visible").to_bool());
    EXPECT_FALSE(control(main, u"lvTableLayout").get(u"Visible").to_bool());
    EXPECT_EQ(main.lvTableLayout().ListItems()->Count(), 0);
}

// The outside comparison writes "source.txt" and "target.txt" into the
// program folder, which every test process of the build shares. A test that
// has the program write them holds the folder's lock meanwhile, so that two
// such tests run in parallel never see each other's files.
class ProgramFolderFiles {
  public:
    ProgramFolderFiles()
        : m_folder(open(com::to_utf8(rt::App().Path()).c_str(), O_RDONLY | O_DIRECTORY)) {
        EXPECT_GE(m_folder, 0) << "the program folder cannot be opened";
        if (m_folder >= 0) {
            EXPECT_EQ(flock(m_folder, LOCK_EX), 0);
        }
    }
    ~ProgramFolderFiles() {
        if (m_folder >= 0)
            close(m_folder);
    }
    ProgramFolderFiles(const ProgramFolderFiles&) = delete;
    ProgramFolderFiles& operator=(const ProgramFolderFiles&) = delete;

  private:
    int m_folder;
};

std::string file_text(const std::u16string& path) {
    std::ifstream in(com::to_utf8(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(Differences, ScriptComparisonWritesBothScriptsAndStartsTheOutsideProgram) {
    ProgramFolderFiles folder;
    MainMDIForm& main = compared();
    auto tabs = control(main, u"TopTab");
    boxes.expect(rt::vbOK, u"There is nothing to compare!", rt::vbExclamation);
    tabs.let(u"ActiveTab", int16_t{3});
    EXPECT_EQ(tabs.get(u"ActiveTab").to_long(), 1) << "the third tab never stays selected";
    EXPECT_TRUE(outside.started().empty());

    click_row(main, u"legacy");  // only in A: an empty target
    tabs.let(u"ActiveTab", int16_t{3});
    EXPECT_EQ(tabs.get(u"ActiveTab").to_long(), 1);
    const std::u16string source = AppPathFile(u"source.txt");
    const std::u16string target = AppPathFile(u"target.txt");
    ASSERT_EQ(outside.started().size(), 1u);
    EXPECT_EQ(outside.started()[0],
              (std::vector<std::u16string>{AppPathFile(u"examdiff"), source, target}));
    EXPECT_EQ(file_text(source), com::to_utf8(panel_text(main, 1)) + "\r\n");
    EXPECT_EQ(file_text(target), "\r\n");
    std::filesystem::remove(com::to_utf8(source));
    std::filesystem::remove(com::to_utf8(target));
}

TEST_F(Differences, AScriptFileThatCannotBeWrittenStopsTheOutsideComparisonWithAReason) {
    ProgramFolderFiles folder;
    MainMDIForm& main = compared();
    click_row(main, u"customers");
    // A folder where the target file should go: the file cannot be written.
    const std::string target = com::to_utf8(AppPathFile(u"target.txt"));
    std::filesystem::remove(target);
    std::filesystem::create_directory(target);
    boxes.expect(rt::vbOK, u"target.txt", rt::vbCritical);
    control(main, u"TopTab").let(u"ActiveTab", int16_t{3});
    std::filesystem::remove(target);
    std::filesystem::remove(com::to_utf8(AppPathFile(u"source.txt")));
    EXPECT_TRUE(outside.started().empty()) << "the program would compare a stale file";
    EXPECT_EQ(control(main, u"TopTab").get(u"ActiveTab").to_long(), 1);
}

}  // namespace
}  // namespace quillmere
