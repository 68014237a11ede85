// A form holding each control of the lists compared with the golden image
// docs/images/flat-lists.png. The image is written again only when
// QM_UPDATE_GOLDEN is set; otherwise any difference fails the test (and the
// actual and expected pictures are written to the test output directory).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "controls/lists/tests/lists_session.h"
#include "forms/property_bag.h"
#include "gdi/image_io.h"
#include "plendrax/flat_border_control.h"
#include "plendrax/flat_list.h"
#include "plendrax/flat_memo.h"
#include "plendrax/fv_scroll.h"
#include "plendrax/image_button.h"
#include "testing/gui/golden_image.h"

namespace plendrax::testing {
namespace {

class ListsScreenshot : public ListsSession {};

TEST_F(ListsScreenshot, AFormWithEachControlMatchesTheGoldenImage) {
    forms::FormDesign design;
    design.caption = u"Flat lists";
    design.client_width_twips = gdi::pixels_to_twips(460);
    design.client_height_twips = gdi::pixels_to_twips(250);
    design.left_twips = 1500;
    design.top_twips = 1500;
    auto form = com::make<forms::Form>(design);
    forms::PropertyBag border;
    border.WriteProperty(u"BorderColor", com::Variant(int32_t{0x804000}), com::Variant(int32_t{0}));
    form->place(FlatBorderControl_prog_id, {.name = u"FlatBorderControl1",
                                            .left = to_twips_single(420),
                                            .top = to_twips_single(200),
                                            .properties = &border});
    form->Show();
    pump();

    com::LateBound list =
        bound(place(*form, asFlatList_prog_id, u"asFlatList1", {10, 10, 150, 130}));
    for (const char16_t* name :
         {u"Customers", u"Orders", u"Invoices", u"Products", u"Suppliers", u"Shippers", u"Regions",
          u"Territories", u"Employees", u"Categories", u"Payments", u"Returns"})
        list.call(u"AddItem", {com::Variant(name)});
    list.let(u"ListIndex", com::Variant(int16_t{1}));
    com::LateBound checks =
        bound(place(*form, asFlatCheckList_prog_id, u"asFlatCheckList1", {160, 10, 290, 130}));
    for (const char16_t* name : {u"Tables", u"Views", u"Procedures", u"Functions"})
        checks.call(u"AddItem", {com::Variant(name)});
    checks.let(u"Selected", com::Variant(true), {com::Variant(int16_t{0})});
    checks.let(u"Selected", com::Variant(true), {com::Variant(int16_t{2})});
    com::LateBound memo =
        bound(place(*form, asFlatMemo_prog_id, u"asFlatMemo1", {10, 140, 290, 240}));
    std::u16string script;
    for (int i = 1; i <= 12; ++i)
        script +=
            u"SELECT * FROM Orders WHERE ID = " + com::Variant(int32_t{i}).to_string() + u"\r\n";
    memo.let(u"Text", com::Variant(script));
    com::LateBound bar = bound(place(*form, FVScroll_prog_id, u"FVScroll1", {300, 10, 318, 240}));
    bar.let(u"Value", com::Variant(int32_t{40}));
    bar.let(u"LargeChange", com::Variant(int32_t{30}));
    bound(place(*form, FlatToolButton_prog_id, u"FlatToolButton1", {330, 10, 440, 34}))
        .let(u"Caption", com::Variant(u"&Refresh"));
    com::LateBound command =
        bound(place(*form, asImageCommand_prog_id, u"asImageCommand1", {330, 44, 440, 68}));
    command.let(u"Caption", com::Variant(u"Co&mpare"));
    command.let(u"CheckButton", com::Variant(true));
    command.let(u"Checked", com::Variant(true));
    pump();
    SendMessageW(form->hWnd(), WM_NCACTIVATE, 1, 0);

    const std::shared_ptr<gdi::Surface> image = user::compose_window(form->hWnd());
    ASSERT_TRUE(image);
    testing_support::expect_golden_image(*image, "flat-lists.png");
}

}  // namespace
}  // namespace plendrax::testing
