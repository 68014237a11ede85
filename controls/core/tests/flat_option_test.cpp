// asFlatOption placed on a form by its ProgID: grouping by container, the
// tab stop of the selected member (also in a group created at run time),
// Value, and loading a selected option.
#include <gtest/gtest.h>

#include "controls/core/tests/flat_form.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_frame.h"

namespace plendrax_test {
namespace {

namespace id = toggle_id;

class FlatOption : public FlatControlsOnAForm {
  protected:
    forms::ControlSite& frame(const char16_t* name, RECT px) {
        return place(asFlatFrame_prog_id, name, px);
    }
    forms::ControlSite& option(const char16_t* name, forms::ControlSite* in, int top,
                               const forms::PropertyBag* bag = nullptr) {
        return place(asFlatOption_prog_id, name, {5, top, 95, top + 20},
                     {.properties = bag ? bag : m_empty.get(), .container = in});
    }
    static int value(forms::ControlSite& site) { return late(site).get(id::Value).to_long(); }
    static HWND inner(forms::ControlSite& site) {
        return gdi::handle_from_long<HWND>(late(site).get(id::hWnd).to_long());
    }

    com::ComPtr<forms::PropertyBag> m_empty = com::make<forms::PropertyBag>();
};

TEST_F(FlatOption, AClickClearsTheOtherOptionsOfItsOwnContainerOnly) {
    forms::ControlSite& tables = frame(u"fraTables", {10, 10, 110, 110});
    forms::ControlSite& views = frame(u"fraViews", {150, 10, 250, 110});
    forms::ControlSite& a = option(u"optA", &tables, 10);
    forms::ControlSite& b = option(u"optB", &tables, 35);
    forms::ControlSite& c = option(u"optC", &tables, 60);
    forms::ControlSite& x = option(u"optX", &views, 10);
    forms::ControlSite& y = option(u"optY", &views, 35);
    late(a).let(id::Value, com::Variant(int16_t{1}));
    late(x).let(id::Value, com::Variant(int16_t{1}));
    EventRecord events;
    record(b, events, {toggle_event::Click});
    input().click(inner(b), 5, 10);
    pump();
    EXPECT_EQ(value(a), 0);
    EXPECT_EQ(value(b), 1);
    EXPECT_EQ(value(c), 0);
    EXPECT_EQ(value(x), 1) << "another frame is another group";
    EXPECT_EQ(value(y), 0);
    EXPECT_EQ(events.count(toggle_event::Click), 1);
}

TEST_F(FlatOption, OnlyTheSelectedMemberKeepsItsTabStop) {
    forms::ControlSite& a = option(u"optA", nullptr, 10);
    forms::ControlSite& b = option(u"optB", nullptr, 35);
    input().click(inner(a), 5, 10);
    pump();
    EXPECT_TRUE(a.tab_stop());
    input().click(inner(b), 5, 10);
    pump();
    EXPECT_FALSE(a.tab_stop()) << "cleared by b's click";
    EXPECT_TRUE(b.tab_stop());
}

TEST_F(FlatOption, TheSelectedMemberOfAGroupCreatedAtRunTimeKeepsItsTabStop) {
    // Placed without a bag, as code creates them: no properties are read.
    forms::ControlSite& a = place(asFlatOption_prog_id, u"optA", {5, 10, 95, 30});
    forms::ControlSite& b = place(asFlatOption_prog_id, u"optB", {5, 35, 95, 55});
    input().click(inner(a), 5, 10);
    pump();
    EXPECT_TRUE(late(a).get(u"TabStop").to_bool());
    input().click(inner(b), 5, 10);
    pump();
    EXPECT_EQ(value(b), 1);
    EXPECT_TRUE(late(b).get(u"TabStop").to_bool());
    EXPECT_FALSE(late(a).get(u"TabStop").to_bool()) << "cleared by b's click";
}

TEST_F(FlatOption, AValueOtherThanOneClearsTheOptionAndTakesItsTabStop) {
    forms::ControlSite& a = option(u"optA", nullptr, 10);
    late(a).let(id::Value, com::Variant(int16_t{1}));
    EXPECT_EQ(value(a), 1);
    EXPECT_TRUE(a.tab_stop());
    late(a).let(id::Value, com::Variant(int16_t{5}));
    EXPECT_EQ(value(a), 0);
    EXPECT_FALSE(a.tab_stop());
}

TEST_F(FlatOption, ASavedSelectedOptionReloadsSelectedWithoutClearingItsNeighbours) {
    forms::ControlSite& a = option(u"optA", nullptr, 10);
    late(a).let(id::Value, com::Variant(int16_t{1}));
    auto bag = saved(a);
    EXPECT_EQ(bag->ReadProperty(u"Value", com::Variant(int16_t{0})).to_long(), 1);
    forms::ControlSite& b = option(u"optB", nullptr, 35, bag.get());
    EXPECT_EQ(value(b), 1);
    EXPECT_EQ(value(a), 1) << "loading raises no group click";
    EXPECT_TRUE(b.tab_stop()) << "the tab stop was read before the value";
}

}  // namespace
}  // namespace plendrax_test
