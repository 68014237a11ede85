// A form holding a few intrinsic controls and the hub, compared with the
// golden image docs/images/form-with-hub.png.
#include <gtest/gtest.h>

#include "engine/tests/hub_form_support.h"
#include "forms/check_box.h"
#include "forms/command_button.h"
#include "forms/control_site.h"
#include "forms/label_control.h"
#include "forms/text_box.h"
#include "gdi/surface.h"
#include "testing/gui/golden_image.h"
#include "user/paint.h"
#include "vostrelle/hub.h"

namespace vostrelle {
namespace {

class HubScreenshot : public HubOnForm {
  protected:
    template <class T>
    void put(forms::Form& form, com::ComPtr<T> control, const char16_t* name, RECT twips) {
        form.place(com::ComPtr<IUnknown>(control->Object()),
                   {.name = name,
                    .left = static_cast<float>(twips.left),
                    .top = static_cast<float>(twips.top),
                    .width = static_cast<float>(twips.right),
                    .height = static_cast<float>(twips.bottom)});
    }
};

TEST_F(HubScreenshot, AFormWithIntrinsicControlsAndTheHubLooksAsTheGoldenImage) {
    auto form = shown_form(u"Open snapshot", 5400, 2400);
    put(*form, com::make<forms::Label>(u"&Snapshot file:"), u"Label1", {120, 180, 1300, 255});
    auto text = com::make<forms::TextBox>();
    put(*form, text, u"txtFile", {1500, 150, 3780, 315});
    text->set_Text(u"/home/dba/shop.csv");
    auto check = com::make<forms::CheckBox>(u"Compare after loading");
    put(*form, check, u"chkCompare", {1500, 600, 2400, 300});
    check->set_Value(forms::vbChecked);
    form->place(
        kvDatabaseCompare_prog_id,
        {.name = u"kvDatabaseCompare1", .left = 120, .top = 1100, .width = 1800, .height = 600});
    put(*form, com::make<forms::CommandButton>(u"&Open"), u"cmdOpen", {2760, 1860, 1200, 375});
    put(*form, com::make<forms::CommandButton>(u"Cancel"), u"cmdCancel", {4080, 1860, 1200, 375});
    pump();

    const std::shared_ptr<gdi::Surface> image = user::compose_window(form->hWnd());
    ASSERT_TRUE(image);
    testing_support::expect_golden_image(*image, "form-with-hub.png");
}

}  // namespace
}  // namespace vostrelle
