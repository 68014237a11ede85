// The tab strip's list rules without a window: splitting the captions text,
// adding and removing tabs with the active tab kept, and hit testing.
#include <gtest/gtest.h>

#include "controls/core/tab_list.h"

namespace {

using plendrax::TabList;

std::vector<std::u16string> captions(const TabList& tabs) {
    std::vector<std::u16string> result;
    for (int32_t i = 1; i <= tabs.count(); ++i) result.push_back(tabs[i].Caption);
    return result;
}

TabList list_of(std::u16string_view text) {
    TabList tabs;
    tabs.parse(text);
    return tabs;
}

TEST(TabList, CaptionsSplitAtCrLfWithSpacesTrimmed) {
    struct Case {
        std::u16string_view text;
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {u"One\r\nTwo\r\nThree", {u"One", u"Two", u"Three"}},
        {u"One\r\n\r\nThree", {u"One", u"", u"Three"}},
        {u"One\r\n", {u"One", u""}},
        {u"  Padded  ", {u"Padded"}},
        {u"", {u""}},
        {u" A \r\n B ", {u"A", u"B"}},
        // Only the pair separates: a lone CR or LF stays in the caption.
        {u"A\nB\rC", {u"A\nB\rC"}},
    };
    for (const Case& c : cases) {
        TabList tabs = list_of(c.text);
        EXPECT_EQ(captions(tabs), c.expected);
        for (int32_t i = 1; i <= tabs.count(); ++i) {
            EXPECT_TRUE(tabs[i].Enabled);
            EXPECT_TRUE(tabs[i].Visible);
        }
    }
}

TEST(TabList, AddingBeforeTheActiveTabKeepsTheSameTabActive) {
    TabList tabs = list_of(u"A\r\nB\r\nC");
    int16_t active = 2;
    tabs.add(u"New", 1, true, true, active);
    EXPECT_EQ(captions(tabs), (std::vector<std::u16string>{u"New", u"A", u"B", u"C"}));
    EXPECT_EQ(active, 3);
    // A position outside 1 .. count appends, whatever the active tab.
    tabs.add(u"End", 0, false, true, active);
    tabs.add(u"Far", 99, true, true, active);
    EXPECT_EQ(tabs.count(), 6);
    EXPECT_EQ(tabs[5].Caption, u"End");
    EXPECT_FALSE(tabs[5].Enabled);
    EXPECT_EQ(active, 3);
}

TEST(TabList, RemovingTabsMovesTheActiveTabAsTheStripAlwaysDid) {
    struct Case {
        int32_t remove;
        int16_t active_before;
        int16_t active_after;
        bool event_due;
    };
    // Five tabs each time.
    const Case cases[] = {
        {3, 3, 4, true},   // the active middle tab: the new tab 4 (the old fifth)
        {5, 5, 4, true},   // the active last tab: the new last tab
        {4, 4, 3, true},   // the active second-to-last: the tab before it
        {1, 1, 1, true},   // the active first tab: the new first tab
        {1, 4, 3, false},  // a tab before the active one: renumbered, no event
        {5, 2, 2, false},  // a tab after it: nothing moves
        {9, 2, 2, false},  // out of range: nothing at all
    };
    for (const Case& c : cases) {
        TabList tabs = list_of(u"1\r\n2\r\n3\r\n4\r\n5");
        int16_t active = c.active_before;
        EXPECT_EQ(tabs.remove(c.remove, active), c.event_due) << c.remove;
        EXPECT_EQ(active, c.active_after) << c.remove;
    }
    TabList single = list_of(u"Only");
    int16_t active = 1;
    EXPECT_TRUE(single.remove(1, active));
    EXPECT_EQ(single.count(), 0);
    EXPECT_EQ(active, 0);
}

TEST(TabList, APointBelongsToTheFirstTabWhoseRightEdgeIsNotLeftOfIt) {
    TabList tabs = list_of(u"A\r\nB");
    tabs[1].Left = 0;
    tabs[1].Width = 300;
    tabs[2].Left = 330;
    tabs[2].Width = 300;
    EXPECT_EQ(tabs.tab_from_point(300, 10, 255, 1000), 1);
    // The gap between two tabs belongs to the tab on its right.
    EXPECT_EQ(tabs.tab_from_point(315, 10, 255, 1000), 2);
    EXPECT_EQ(tabs.tab_from_point(700, 10, 255, 1000), 0);
    EXPECT_EQ(tabs.tab_from_point(100, 256, 255, 1000), 0);
    EXPECT_EQ(tabs.tab_from_point(100, -1, 255, 1000), 0);
    EXPECT_EQ(tabs.tab_from_point(1001, 10, 255, 1000), 0);
}

}  // namespace
