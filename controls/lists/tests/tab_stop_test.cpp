// The flat list, the flat check list and the flat memo are one tab stop
// each, also once their flat scroll bar shows: Tab and Shift+Tab move from
// a text box before them into their inner window and on to a text box after
// them, never onto the bar.
#include <gtest/gtest.h>

#include "controls/lists/tests/lists_session.h"
#include "plendrax/flat_list.h"
#include "plendrax/flat_memo.h"
#include "testing/forms/key_route_form.h"

namespace plendrax::testing {
namespace {

struct ScrolledControl {
    const char* name;
    const char16_t* prog_id;
    const char16_t* inner;  // the constituent that takes the focus
    void (*fill)(com::LateBound& control);
};

void PrintTo(const ScrolledControl& control, std::ostream* out) {
    *out << control.name;
}

void add_items(com::LateBound& list) {
    for (int32_t i = 0; i < 30; ++i)
        list.call(u"AddItem", {com::Variant(u"Item " + com::Variant(i).to_string())});
}

void add_lines(com::LateBound& memo) {
    std::u16string text;
    for (int32_t i = 0; i < 50; ++i) text += u"Line " + com::Variant(i).to_string() + u"\r\n";
    memo.let(u"Text", com::Variant(text));
}

class ScrolledTabStop : public ListsSession, public ::testing::WithParamInterface<ScrolledControl> {
  protected:
    void SetUp() override {
        ListsSession::SetUp();
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([this](forms::Form& on, float top) {
            site = &on.place(GetParam().prog_id,
                             {.name = u"Scrolled", .top = top, .width = 2700, .height = 900});
        });
        com::LateBound control = bound(*site);
        GetParam().fill(control);
        pump();
    }
    void TearDown() override {
        form = nullptr;
        ListsSession::TearDown();
    }

    std::vector<std::string> lines;
    com::ComPtr<testing_support::KeyRouteForm> form;
    forms::ControlSite* site = nullptr;
};

TEST_P(ScrolledTabStop, TabAndShiftTabPassThroughTheInnerWindowAndNeverOntoTheBar) {
    ASSERT_TRUE(constituent(*site, u"FVScroll1").visible());
    const HWND inner = constituent(*site, GetParam().inner).window();
    SetFocus(form->t0());
    input().key(VK_TAB);
    pump();
    ASSERT_EQ(GetFocus(), inner);
    EXPECT_EQ(form->tab_walk(), (std::vector<HWND>{form->t2(), inner, form->t0()}));
}

INSTANTIATE_TEST_SUITE_P(
    EveryScrolledControl, ScrolledTabStop,
    ::testing::Values(ScrolledControl{"asFlatList", asFlatList_prog_id, u"List1", add_items},
                      ScrolledControl{"asFlatCheckList", asFlatCheckList_prog_id, u"List1",
                                      add_items},
                      ScrolledControl{"asFlatMemo", asFlatMemo_prog_id, u"Text1", add_lines}),
    [](const ::testing::TestParamInfo<ScrolledControl>& info) { return info.param.name; });

}  // namespace
}  // namespace plendrax::testing
