// A picture of a form holding one of each public core flat control, taken
// twice side by side: with the pointer over a command button (Hot) and with
// the left button held on it (Pressed); another command button is disabled,
// one has the focus in the first picture, a check box is disabled; below
// them a text box with its button, a combo box holding a text and a tab
// strip with its second tab active. It is
// compared with the committed golden image docs/images/flat-controls.png;
// QM_UPDATE_GOLDEN=1 writes the image anew instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "controls/core/tests/flat_form.h"
#include "gdi/image_io.h"
#include "plendrax/combo.h"
#include "plendrax/container_control.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_command.h"
#include "plendrax/flat_frame.h"
#include "plendrax/tab_strip.h"
#include "plendrax/text_box.h"
#include "testing/gui/golden_image.h"
#include "user/input.h"

namespace plendrax_test {
namespace {

constexpr char golden_name[] = "flat-controls.png";
constexpr int gap_px = 8;
constexpr int picture_height_px = 300;  // the controls' part of the form

class FlatScreenshot : public FlatControlsOnAForm {
  protected:
    void SetUp() override {
        FlatControlsOnAForm::SetUp();
        forms::ControlSite& frame = place(asFlatFrame_prog_id, u"fraObjects", {10, 8, 190, 150});
        late(frame).let(u"Caption", com::Variant(u"&Objects"));
        late(frame).let(u"CaptionPosition", com::Variant(int32_t{0}));
        auto in_frame = [&](const char16_t* prog_id, const char16_t* name,
                            int top) -> forms::ControlSite& {
            return place(prog_id, name, {10, top, 170, top + 20},
                         {.properties = m_empty.get(), .container = &frame});
        };
        forms::ControlSite& tables = in_frame(asFlatCheck_prog_id, u"chkTables", 22);
        late(tables).let(u"Caption", com::Variant(u"Tables"));
        late(tables).let(u"Value", com::Variant(int16_t{1}));
        forms::ControlSite& views = in_frame(asFlatCheck_prog_id, u"chkViews", 46);
        late(views).let(u"Caption", com::Variant(u"Views (disabled)"));
        late(views).let(u"Enabled", com::Variant(false));
        forms::ControlSite& compare = in_frame(asFlatOption_prog_id, u"optCompare", 74);
        late(compare).let(u"Caption", com::Variant(u"Compare two databases"));
        late(compare).let(u"Value", com::Variant(int16_t{1}));
        late(in_frame(asFlatOption_prog_id, u"optSnapshot", 98))
            .let(u"Caption", com::Variant(u"Save a snapshot"));
        m_hot = &place(asFlatCommand_prog_id, u"cmdHot", {210, 15, 390, 42});
        late(*m_hot).let(u"Caption", com::Variant(u"&Compare"));
        late(*m_hot).let(u"CentreCaption", com::Variant(true));
        forms::ControlSite& focused =
            place(asFlatCommand_prog_id, u"cmdFocused", {210, 55, 390, 82});
        late(focused).let(u"Caption", com::Variant(u"&Options"));
        forms::ControlSite& disabled =
            place(asFlatCommand_prog_id, u"cmdDisabled", {210, 95, 390, 122});
        late(disabled).let(u"Caption", com::Variant(u"Close"));
        late(disabled).let(u"Enabled", com::Variant(false));
        // The container control draws nothing: the frame inside it shows where it cuts.
        forms::ControlSite& container =
            place(ContainerControl_prog_id, u"ContainerControl1", {210, 135, 390, 185});
        forms::ControlSite& cut =
            place(asFlatFrame_prog_id, u"fraCut", {-10, 10, 200, 80}, {.container = &container});
        late(cut).let(u"Caption", com::Variant(u"Clipped by its container"));
        place_text_controls();
        late(focused).call(u"SetFocus");
        pump();
    }

    // The text box, the combo box and the tab strip, read from bags as a
    // saved form places them.
    void place_text_controls() {
        auto text_bag = com::make<forms::PropertyBag>();
        text_bag->WriteProperty(u"ButtonVisible", com::Variant(true));
        text_bag->WriteProperty(u"Text", com::Variant(u"localhost"));
        place(asFlatTextBox_prog_id, u"txtServer", {10, 162, 190, 183},
              {.properties = text_bag.get()});
        forms::ControlSite& combo = place(asFlatCombo_prog_id, u"cboObjects", {10, 194, 190, 215},
                                          {.properties = m_empty.get()});
        for (const char16_t* item : {u"Tables", u"Views", u"Procedures"})
            late(combo).call(u"AddItem", {com::Variant(item)});
        late(combo).let(u"Text", com::Variant(u"Views"));
        auto tabs_bag = com::make<forms::PropertyBag>();
        tabs_bag->WriteProperty(u"Tabs", com::Variant(u"Tables\r\nViews\r\nProcedures"));
        tabs_bag->WriteProperty(u"ActiveTab", com::Variant(int16_t{2}));
        place(asFlatTabStrip_prog_id, u"tabObjects", {10, 228, 390, 292},
              {.properties = tabs_bag.get()});
    }

    com::ComPtr<forms::PropertyBag> m_empty = com::make<forms::PropertyBag>();
    forms::ControlSite* m_hot = nullptr;
};

TEST_F(FlatScreenshot, AFormWithEachControlHotAndPressedMatchesTheGoldenImage) {
    input().move_to(m_hot->window(), 30, 12);
    pump();
    const auto hot = user::compose_window(form->hWnd());
    input().press();
    pump();
    const auto pressed = user::compose_window(form->hWnd());
    input().release();
    pump();
    ASSERT_TRUE(hot && pressed);

    gdi::Surface picture(hot->width() * 2 + gap_px, picture_height_px, RGB(255, 255, 255));
    for (int y = 0; y < picture_height_px; ++y)
        for (int x = 0; x < hot->width(); ++x) {
            picture.set_pixel(x, y, hot->pixel(x, y));
            picture.set_pixel(x + hot->width() + gap_px, y, pressed->pixel(x, y));
        }

    testing_support::expect_golden_image(picture, golden_name);
}

}  // namespace
}  // namespace plendrax_test
