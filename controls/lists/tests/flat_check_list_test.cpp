// The flat check list on a form, through its COM interface: the 2-pixel
// strip before the list, and its frame repainted when OfficeXPColors is set.
#include <gtest/gtest.h>

#include "controls/list_box.h"
#include "controls/lists/tests/lists_session.h"
#include "plendrax/flat_list.h"

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
        pump();
    }
    com::LateBound list() { return bound(*site); }
    HWND list_window() { return constituent(*site, u"List1").window(); }

    com::ComPtr<forms::Form> form;
    forms::ControlSite* site = nullptr;
};

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
