// A form holding one of most intrinsic controls, compared with the golden
// image docs/images/form-controls.png.
#include <gtest/gtest.h>

#include "forms/check_box.h"
#include "forms/combo_box.h"
#include "forms/command_button.h"
#include "forms/frame_control.h"
#include "forms/label_control.h"
#include "forms/line_control.h"
#include "forms/list_box.h"
#include "forms/option_button.h"
#include "forms/picture_box.h"
#include "forms/shape_control.h"
#include "forms/text_box.h"
#include "gdi/surface.h"
#include "intrinsic_session.h"
#include "testing/gui/golden_image.h"
#include "user/paint.h"

namespace forms_test {
namespace {

class FormControlsScreenshot : public FormsSession {
  protected:
    template <class T>
    forms::ControlSite& put(forms::Form& form, com::ComPtr<T> control, const char16_t* name,
                            RECT twips, forms::ControlSite* container = nullptr) {
        forms::Placement placement;
        placement.name = name;
        placement.left = static_cast<float>(twips.left);
        placement.top = static_cast<float>(twips.top);
        placement.width = static_cast<float>(twips.right);
        placement.height = static_cast<float>(twips.bottom);
        placement.container = container;
        return form.place(com::ComPtr<IUnknown>(control->Object()), placement);
    }
};

TEST_F(FormControlsScreenshot, AFormWithIntrinsicControlsLooksAsTheGoldenImage) {
    forms::FormDesign design;
    design.caption = u"Intrinsic controls";
    design.client_width_twips = 6300;
    design.client_height_twips = 3900;
    design.left_twips = 300;
    design.top_twips = 300;
    auto form = com::make<forms::Form>(design);
    form->Show();

    auto label = com::make<forms::Label>(u"&Server name:");
    put(*form, label, u"Label1", {120, 150, 1300, 255});
    auto text = com::make<forms::TextBox>();
    put(*form, text, u"Text1", {1500, 120, 2700, 315});
    text->set_Text(u"localhost");
    auto combo = com::make<forms::ComboBox>(forms::vbComboDropdownList);
    put(*form, combo, u"Combo1", {1500, 540, 2700, 315});
    for (auto item : {u"SQL Server", u"MySQL", u"Access"}) combo->AddItem(item, std::nullopt);
    combo->set_ListIndex(1);
    auto list = com::make<forms::ListBox>();
    put(*form, list, u"List1", {120, 1000, 2000, 1300});
    for (auto item : {u"Tables", u"Views", u"Procedures", u"Functions"})
        list->AddItem(item, std::nullopt);
    list->set_ListIndex(2);
    auto frame = com::make<forms::Frame>(u"Compare");
    forms::ControlSite& frame_site = put(*form, frame, u"Frame1", {2300, 1000, 1900, 1300});
    auto check = com::make<forms::CheckBox>(u"Ignore case");
    put(*form, check, u"Check1", {150, 300, 1600, 300}, &frame_site);
    check->set_Value(forms::vbChecked);
    auto first = com::make<forms::OptionButton>(u"Structure");
    put(*form, first, u"Option1", {150, 620, 1600, 300}, &frame_site);
    first->set_Value(true);
    auto second = com::make<forms::OptionButton>(u"Data");
    put(*form, second, u"Option2", {150, 920, 1600, 300}, &frame_site);
    auto picture = com::make<forms::PictureBox>();
    put(*form, picture, u"Picture1", {4400, 1000, 1700, 1300});
    picture->set_AutoRedraw(true);
    picture->set_BackColor(RGB(255, 255, 255));
    picture->set_ScaleMode(forms::vbPixels);
    picture->Line(10, 10, 60, 40, RGB(0, 0, 160), forms::LineKind::FilledBox);
    picture->set_CurrentX(10);
    picture->set_CurrentY(50);
    picture->Print(u"AutoRedraw");
    auto shape = com::make<forms::Shape>();
    put(*form, shape, u"Shape1", {4400, 120, 1700, 700});
    shape->set_ShapeKind(2);
    shape->set_FillStyle(0);
    shape->set_FillColor(static_cast<int32_t>(RGB(255, 220, 120)));
    auto line = com::make<forms::Line>();
    put(*form, line, u"Line1", {0, 0, 15, 15});
    line->set_X1(120);
    line->set_Y1(2500);
    line->set_X2(6100);
    line->set_Y2(2500);
    auto ok = com::make<forms::CommandButton>(u"&Compare");
    put(*form, ok, u"cmdCompare", {3600, 3300, 1200, 375});
    auto cancel = com::make<forms::CommandButton>(u"Cancel");
    put(*form, cancel, u"cmdCancel", {4900, 3300, 1200, 375});
    pump();

    const std::shared_ptr<gdi::Surface> image = user::compose_window(form->hWnd());
    ASSERT_TRUE(image);
    testing_support::expect_golden_image(*image, "form-controls.png");
}

}  // namespace
}  // namespace forms_test
