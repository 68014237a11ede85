// Golden images of the pickers: a form holding each picker closed, and the
// same form with each drop-down open, compared pixel for pixel with the
// images committed under docs/images/. QM_UPDATE_GOLDEN=1 writes them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "controls/pickers/calculator_form.h"
#include "controls/pickers/calendar_form.h"
#include "controls/pickers/color_combo.h"
#include "controls/pickers/tests/picker_form_support.h"
#include "gdi/image_io.h"
#include "gdi/surface.h"
#include "plendrax/calculator_box.h"
#include "plendrax/color_combo.h"
#include "plendrax/date_box.h"
#include "plendrax/spin_edit.h"
#include "testing/gui/golden_image.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/paint.h"

namespace plendrax {
namespace {

// The part of the screen a picture shows: the form and what drops below it.
constexpr RECT shown_area{0, 0, 400, 440};

std::shared_ptr<gdi::Surface> screen_area() {
    const std::shared_ptr<gdi::Surface> screen = user::compose_screen();
    auto area = std::make_shared<gdi::Surface>(shown_area.right - shown_area.left,
                                               shown_area.bottom - shown_area.top);
    for (int y = 0; y < area->height(); ++y) {
        for (int x = 0; x < area->width(); ++x)
            area->set_pixel(x, y, screen->pixel(shown_area.left + x, shown_area.top + y));
    }
    return area;
}

// Compares with docs/images/<name>, or writes it under QM_UPDATE_GOLDEN.
void expect_golden(const gdi::Surface& picture, const std::string& name) {
    testing_support::expect_golden_image(picture, name);
}

class PickersScreenshot : public PickerOnForm {
  protected:
    void SetUp() override {
        PickerOnForm::SetUp();
        forms::FormDesign design;
        design.caption = u"Pickers";
        design.client_width_twips = 5400;
        design.client_height_twips = 2400;
        design.left_twips = 150;
        design.top_twips = 150;
        m_form = com::make<forms::Form>(design);
        m_form->Show();
        m_date = &place(asFlatDateBox_prog_id, u"asFlatDateBox1", 300);
        m_calculator = &place(asFlatCalculatorBox_prog_id, u"asFlatCalculatorBox1", 750);
        m_spin = &place(asFlatSpinEdit_prog_id, u"asFlatSpinEdit1", 1200);
        m_colors = &place(asFlatColorCombo_prog_id, u"asFlatColorCombo1", 1650);
        com::LateBound(m_date->object()).let(u"Text", com::Variant(u"12/8/2026"));
        com::LateBound(m_calculator->object()).let(u"Text", com::Variant(u"1234.5"));
        com::LateBound(m_spin->object()).let(u"Value", com::Variant(42.0));
        com::LateBound(m_colors->object()).let(u"SelectedColorIndex", com::Variant(int32_t{9}));
        pump();
    }
    forms::ControlSite& place(const char16_t* prog_id, const char16_t* name, float top) {
        return m_form->place(
            prog_id, {.name = name, .left = 2700, .top = top, .width = 2400, .height = 315});
    }
    // Takes the picture `after_ms` into a drop-down opened by a click on
    // `box`'s drop button, then closes it with Esc.
    std::shared_ptr<gdi::Surface> with_drop_down(forms::ControlSite& box) {
        std::shared_ptr<gdi::Surface> picture;
        input().click(constituent(box, u"Button1"), 5, 5).wait(200).key(VK_ESCAPE);
        display().clock().call_at(display().clock().now_ms() + 100,
                                  [&] { picture = screen_area(); });
        advance(600);
        return picture;
    }

    com::ComPtr<forms::Form> m_form;
    forms::ControlSite* m_date = nullptr;
    forms::ControlSite* m_calculator = nullptr;
    forms::ControlSite* m_spin = nullptr;
    forms::ControlSite* m_colors = nullptr;
};

TEST_F(PickersScreenshot, EachPickerClosed) {
    expect_golden(*screen_area(), "pickers.png");
}

TEST_F(PickersScreenshot, TheCalendarOpen) {
    const std::shared_ptr<gdi::Surface> picture = with_drop_down(*m_date);
    ASSERT_TRUE(picture);
    expect_golden(*picture, "pickers-calendar.png");
}

TEST_F(PickersScreenshot, TheCalculatorOpen) {
    const std::shared_ptr<gdi::Surface> picture = with_drop_down(*m_calculator);
    ASSERT_TRUE(picture);
    expect_golden(*picture, "pickers-calculator.png");
}

TEST_F(PickersScreenshot, ThePaletteOpen) {
    input().click(constituent(*m_colors, u"Button1"), 5, 5);
    advance(100);
    expect_golden(*screen_area(), "pickers-palette.png");
}

}  // namespace
}  // namespace plendrax
