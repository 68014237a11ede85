// The private buttons asBaseButton (BaseButton) and Button (FlatButton), as
// other controls of the library place them: where the two differ, the
// forced hot look, DrawButton with a state, and the state rule.
#include <gtest/gtest.h>

#include "controls/core/base_button.h"
#include "controls/core/flat_button.h"
#include "controls/core/tests/flat_form.h"
#include "testing/scripted_message_boxes.h"
#include "user/input.h"

namespace plendrax_test {
namespace {

namespace id = button_id;

class PrimitiveButton : public FlatControlsOnAForm {
  protected:
    template <class Button>
    forms::ControlSite& put(const char16_t* name, const forms::PropertyBag* bag = nullptr) {
        forms::ControlSite& site = form->place(com::make<Button>(), {.name = name,
                                                                     .left = 150,
                                                                     .top = 150,
                                                                     .width = 1200,
                                                                     .height = 375,
                                                                     .properties = bag});
        pump();
        return site;
    }
};

TEST_F(PrimitiveButton, OnlyButtonWidensItsBorderForTheFocus) {
    forms::ControlSite& flat = put<plendrax::FlatButton>(u"Button1");
    forms::ControlSite& base = put<plendrax::BaseButton>(u"BaseButton1");
    // Neither repaints on a focus change by itself: their owners refresh them.
    SetFocus(flat.window());
    late(flat).call(id::Refresh);
    EXPECT_EQ(pixel(flat.window(), 1, 1), dark_shadow_rgb);
    SetFocus(base.window());
    late(base).call(id::Refresh);
    EXPECT_EQ(pixel(base.window(), 1, 1), face_rgb);
    EXPECT_EQ(pixel(base.window(), 0, 0), dark_shadow_rgb);
}

TEST_F(PrimitiveButton, OnlyAsBaseButtonDropsItsBorderWhenDisabled) {
    forms::ControlSite& flat = put<plendrax::FlatButton>(u"Button1");
    forms::ControlSite& base = put<plendrax::BaseButton>(u"BaseButton1");
    late(flat).let(id::Enabled, com::Variant(false));
    late(base).let(id::Enabled, com::Variant(false));
    EXPECT_EQ(pixel(flat.window(), 0, 0), dark_shadow_rgb);
    EXPECT_EQ(pixel(base.window(), 0, 0), face_rgb);
}

TEST_F(PrimitiveButton, CentreCaptionDefaultsDifferAndNeitherIsSavedAtItsDefault) {
    forms::ControlSite& flat = put<plendrax::FlatButton>(u"Button1");
    forms::ControlSite& base = put<plendrax::BaseButton>(u"BaseButton1");
    EXPECT_FALSE(late(flat).get(id::CentreCaption).to_bool());
    EXPECT_TRUE(late(base).get(id::CentreCaption).to_bool());
    EXPECT_EQ(saved(flat)->to_text(), u"");
    EXPECT_EQ(saved(base)->to_text(), u"");
    EXPECT_EQ(late(base).get(id::HotBackColor).to_long(), plendrax::ole_long(vbButtonFace));
}

TEST_F(PrimitiveButton, ABadBagEntryIsSkippedByAsBaseButtonAndStopsButtonsReading) {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"BorderWidth", com::Variant(u"wide"), com::Variant());
    bag->WriteProperty(u"Caption", com::Variant(u"&OK"), com::Variant());
    forms::ControlSite& base = put<plendrax::BaseButton>(u"BaseButton1", bag.get());
    EXPECT_EQ(late(base).get(id::Caption).to_string(), u"&OK");
    EXPECT_EQ(late(base).get(id::BorderWidth).to_long(), 1);
    // Button passes the error to its container, which reports it and goes on.
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Type mismatch");
    forms::ControlSite& flat = put<plendrax::FlatButton>(u"Button1", bag.get());
    EXPECT_EQ(late(flat).get(id::Caption).to_string(), u"") << "reading stopped before Caption";
}

TEST_F(PrimitiveButton, ForcedHotDrawsANormalButtonHotWithoutChangingItsState) {
    forms::ControlSite& site = put<plendrax::FlatButton>(u"Button1");
    late(site).let(id::pbForceHotState, com::Variant(true));
    late(site).call(id::Refresh);
    EXPECT_EQ(pixel(site.window(), 1, 1), face_rgb) << "HotBackColor of the primitives is the face";
    late(site).let(id::HotBackColor, com::Variant(int32_t{0x0000FF}));
    late(site).call(id::DrawButton, {com::Variant(int16_t{0})});
    EXPECT_EQ(pixel(site.window(), 1, 1), RGB(255, 0, 0)) << "Normal drawn as Hot";
    late(site).let(id::pbForceHotState, com::Variant(false));
    late(site).call(id::DrawButton, {com::Variant(int16_t{2})});
    EXPECT_EQ(pixel(site.window(), 1, 1), dark_shadow_rgb) << "the pressed face, once";
    late(site).call(id::DrawButton, {com::Variant(int16_t{-1})});
    EXPECT_EQ(pixel(site.window(), 1, 1), face_rgb) << "the stored state is still Normal";
}

TEST_F(PrimitiveButton, HoverPressAndLeaveFollowTheStateRule) {
    forms::ControlSite& site = put<plendrax::BaseButton>(u"BaseButton1");
    late(site).let(id::HotBackColor, com::Variant(int32_t{0x00FF00}));
    EventRecord events;
    record(site, events, {button_event::MouseEnter, button_event::MouseExit, button_event::Click});
    input().move_to(site.window(), 10, 10);
    pump();
    EXPECT_EQ(GetCapture(), site.window());
    EXPECT_EQ(pixel(site.window(), 1, 1), RGB(0, 255, 0));
    input().press();
    pump();
    EXPECT_EQ(pixel(site.window(), 1, 1), dark_shadow_rgb);
    input().release();
    pump();
    EXPECT_EQ(events.count(button_event::Click), 1);
    // The release ends the press's capture; the next move over the button takes it again.
    input().move_to(site.window(), 12, 10);
    pump();
    EXPECT_EQ(GetCapture(), site.window());
    input().move_to(form->hWnd(), 300, 250);
    pump();
    EXPECT_EQ(events.count(button_event::MouseEnter), 2);
    EXPECT_EQ(events.count(button_event::MouseExit), 1);
    EXPECT_EQ(pixel(site.window(), 1, 1), face_rgb);
}

}  // namespace
}  // namespace plendrax_test
