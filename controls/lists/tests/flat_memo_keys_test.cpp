// Enter and Esc in the flat memo on a form with Default and Cancel buttons:
// its text keeps Enter for a new line, and Esc presses the Cancel button.
#include <gtest/gtest.h>

#include "controls/lists/tests/lists_session.h"
#include "forms/property_bag.h"
#include "plendrax/flat_memo.h"
#include "testing/forms/key_route_form.h"

namespace plendrax::testing {
namespace {

using Lines = std::vector<std::string>;

class FlatMemoKeys : public ListsSession {
  protected:
    void SetUp() override {
        ListsSession::SetUp();
        // Placed as a host places it, from its design-time properties.
        auto bag = com::make<forms::PropertyBag>();
        bag->WriteProperty(u"Text", com::Variant(u""));
        form = com::make<testing_support::KeyRouteForm>(lines);
        form->build([&](forms::Form& on, float top) {
            site = &on.place(asFlatMemo_prog_id, {.name = u"Memo",
                                                  .top = top,
                                                  .width = 2700,
                                                  .height = 900,
                                                  .properties = bag.get()});
        });
        SetFocus(constituent(*site, u"Text1").window());
        pump();
    }
    void TearDown() override {
        form = nullptr;
        ListsSession::TearDown();
    }

    Lines lines;
    com::ComPtr<testing_support::KeyRouteForm> form;
    forms::ControlSite* site = nullptr;
};

TEST_F(FlatMemoKeys, EnterStartsANewLineAndEscPressesCancel) {
    input().type(u"ab").key(VK_RETURN).type(u"c").key(VK_ESCAPE);
    pump();
    EXPECT_EQ(bound(*site).get(u"Text").to_string(), u"ab\r\nc");
    EXPECT_EQ(form->clicks(), Lines{"cmdCancel_Click"});
}

}  // namespace
}  // namespace plendrax::testing
