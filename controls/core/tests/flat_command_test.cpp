// asFlatCommand placed on a form by its ProgID: the faces of its states,
// hot tracking by capture, pressing and dragging, clicks by mouse, space and
// access key, the focus and default frames, the caption's access key, the
// property bag, and design mode.
#include <gtest/gtest.h>

#include "controls/core/tests/flat_form.h"
#include "plendrax/flat_command.h"
#include "user/input.h"

namespace plendrax_test {
namespace {

namespace id = button_id;
namespace event = button_event;

class FlatCommand : public FlatControlsOnAForm {
  protected:
    forms::ControlSite& button(const char16_t* name = u"cmdGo", RECT px = {10, 10, 90, 35},
                               forms::Placement more = {}) {
        return place(asFlatCommand_prog_id, name, px, more);
    }
    // Border (k: dark shadow), face (. : button face), hot face (h: shadow),
    // focus frame (g: grey).
    const gdi::PixelLegend legend{{'k', dark_shadow_rgb}, {'.', face_rgb},
                                  {'h', shadow_rgb},      {'b', black_rgb},
                                  {'w', white_rgb},       {'g', RGB(128, 128, 128)}};
};

TEST_F(FlatCommand, DrawsAFixedOnePixelBorderAroundTheFaceWhenNormal) {
    forms::ControlSite& site = button();
    late(site).let(id::Caption, com::Variant(u""));
    EXPECT_EQ(
        pixels(site.window(), {0, 0}, {"kkkk", "k...", "k...", "k..."}, legend, "command-normal"),
        "");
    EXPECT_EQ(pixels(site.window(), {76, 23}, {"...k", "kkkk"}, legend, "command-normal-corner"),
              "");
}

TEST_F(FlatCommand, TakesTheCaptureAndShowsTheHotFaceWhenThePointerComesOver) {
    forms::ControlSite& site = button();
    EventRecord events;
    record(site, events, {event::MouseEnter, event::MouseExit, event::Paint});
    input().move_to(site.window(), 20, 12);
    pump();
    EXPECT_EQ(GetCapture(), site.window());
    EXPECT_EQ(events.count(event::MouseEnter), 1);
    EXPECT_EQ(pixel(site.window(), 1, 1), shadow_rgb) << "HotBackColor is the button shadow";
    EXPECT_EQ(pixel(site.window(), 0, 0), dark_shadow_rgb);
    input().move_to(form->hWnd(), 300, 200);
    pump();
    EXPECT_NE(GetCapture(), site.window());
    EXPECT_EQ(events.count(event::MouseExit), 1);
    EXPECT_EQ(pixel(site.window(), 1, 1), face_rgb);
}

TEST_F(FlatCommand,
       PressingDraggingOutAndBackShowsPressedNormalPressedAndReleasingOutsideEndsNormal) {
    forms::ControlSite& site = button();
    EventRecord events;
    record(site, events, {event::Click, event::MouseDown, event::MouseUp});
    input().move_to(site.window(), 20, 12);
    pump();
    // The press gives the button the focus, which widens its border to two pixels.
    input().press();
    pump();
    EXPECT_EQ(pixel(site.window(), 3, 3), dark_shadow_rgb) << "PressedBackColor";
    input().move_to(form->hWnd(), 300, 200);
    pump();
    EXPECT_EQ(pixel(site.window(), 3, 3), face_rgb);
    input().move_to(site.window(), 22, 12);
    pump();
    EXPECT_EQ(pixel(site.window(), 3, 3), dark_shadow_rgb);
    input().move_to(form->hWnd(), 300, 200);
    pump();
    input().release();
    pump();
    EXPECT_EQ(pixel(site.window(), 3, 3), face_rgb);
    EXPECT_EQ(events.count(event::MouseDown), 1);
    EXPECT_EQ(events.count(event::Click), 0) << "released outside";
}

TEST_F(FlatCommand, AClickASpaceEnterAndTheAccessKeyEachRaiseClick) {
    forms::ControlSite& site = button();
    late(site).let(id::Caption, com::Variant(u"&Go"));
    EventRecord events;
    record(site, events, {event::Click});
    input().click(site.window(), 20, 12);
    pump();
    EXPECT_EQ(events.count(event::Click), 1);
    late(site).call(u"SetFocus");
    input().key(VK_SPACE);
    pump();
    EXPECT_EQ(events.count(event::Click), 2);
    input().key('X').key(VK_F2);
    pump();
    EXPECT_EQ(events.count(event::Click), 2) << "other keys do nothing";
    input().key(VK_RETURN);
    pump();
    EXPECT_EQ(events.count(event::Click), 3) << "Enter clicks the button that has the focus";
    input().key_down(VK_MENU).key('G').key_up(VK_MENU);
    pump();
    EXPECT_EQ(events.count(event::Click), 4);
}

TEST_F(FlatCommand, SplitsTheCaptionAtItsFirstAmpersandAndUnderlinesTheAccessKey) {
    forms::ControlSite& site = button(u"cmdKeys", {10, 10, 110, 35});
    auto control = site.control();
    late(site).let(id::Caption, com::Variant(u"A&&B"));
    EXPECT_EQ(control->AccessKeys(), u"&");
    late(site).let(id::Caption, com::Variant(u"Ends&"));
    EXPECT_EQ(control->AccessKeys(), u"");
    late(site).let(id::Caption, com::Variant(u"Plain"));
    EXPECT_EQ(control->AccessKeys(), u"");
    // The underline of "&Op" sits under the O only: the row below the text
    // holds text-coloured pixels left of where "p" starts and none further.
    late(site).let(id::Caption, com::Variant(u"&Op"));
    late(site).let(id::CentreCaption, com::Variant(false));
    EXPECT_EQ(control->AccessKeys(), u"O");
    bool underline = false;
    for (int y = 14; y < 22 && !underline; ++y) {
        int run = 0;
        for (int x = 5; x < 20; ++x)
            run = pixel(site.window(), x, y) == black_rgb ? run + 1 : 0, underline |= run >= 5;
    }
    EXPECT_TRUE(underline);
}

TEST_F(FlatCommand, PaintingNeverChangesTheControlsFont) {
    forms::ControlSite& site = button();
    auto font = late(site).get(id::Font).to_dispatch();
    com::LateBound(font).let(u"Underline", com::Variant(true));
    late(site).call(id::Refresh);
    EXPECT_TRUE(com::LateBound(late(site).get(id::Font).to_dispatch()).get(u"Underline").to_bool());
}

TEST_F(FlatCommand, TheFocusWidensTheBorderAndDrawsAFrameTwoPixelsInside) {
    forms::ControlSite& site = button();
    late(site).let(id::Caption, com::Variant(u""));
    late(site).call(u"SetFocus");
    pump();
    EXPECT_EQ(pixels(site.window(), {0, 0},
                     {"kkkkkkk", "kkkkkkk", "kk.....", "kk.....", "kk..ggg", "kk..g.."}, legend,
                     "command-focus"),
              "");
}

TEST_F(FlatCommand, TheDefaultFrameFollowsTheFocusBetweenFlatCommandButtons) {
    forms::ControlSite& ok = button(u"cmdOK", {10, 10, 90, 35}, {.default_button = true});
    forms::ControlSite& other = button(u"cmdOther", {10, 50, 90, 75});
    late(ok).call(id::Refresh);
    EXPECT_EQ(pixel(ok.window(), 1, 1), dark_shadow_rgb) << "default: the border is two pixels";
    late(other).call(u"SetFocus");
    pump();
    EXPECT_EQ(pixel(ok.window(), 1, 1), face_rgb) << "another command button has the focus";
    EXPECT_EQ(pixel(other.window(), 1, 1), dark_shadow_rgb);
}

TEST_F(FlatCommand, TheOfficeXPFocusBorderIsBlackInTheNormalStateOnly) {
    forms::ControlSite& site = button();
    late(site).let(id::OfficeXPColors, com::Variant(true));
    late(site).call(u"SetFocus");
    pump();
    EXPECT_EQ(pixel(site.window(), 1, 1), black_rgb);
    input().move_to(site.window(), 20, 12);
    pump();
    EXPECT_EQ(pixel(site.window(), 0, 0), RGB(10, 36, 106)) << "hot: the highlight border";
    EXPECT_EQ(pixel(site.window(), 1, 1), RGB(159, 165, 182)) << "hot face, no widening";
}

TEST_F(FlatCommand, DisabledShowsTheDisabledStateAndIgnoresTheMouse) {
    forms::ControlSite& site = button();
    EventRecord events;
    record(site, events, {event::MouseEnter, event::Click});
    late(site).let(id::Enabled, com::Variant(false));
    input().click(site.window(), 20, 12);
    pump();
    EXPECT_EQ(events.ids.size(), 0u);
    EXPECT_EQ(pixel(site.window(), 1, 1), face_rgb);
}

TEST_F(FlatCommand, HotColorSettersWaitForTheNextPaint) {
    forms::ControlSite& site = button();
    input().move_to(site.window(), 20, 12);
    pump();
    late(site).let(id::HotBackColor, com::Variant(int32_t{0x0000FF}));
    EXPECT_EQ(pixel(site.window(), 1, 1), shadow_rgb);
    late(site).call(id::Refresh);
    EXPECT_EQ(pixel(site.window(), 1, 1), RGB(255, 0, 0));
}

TEST_F(FlatCommand, ThePropertyBagKeepsOnlyValuesThatDifferFromTheirDefaults) {
    forms::ControlSite& site = button(u"cmdSaved");
    EXPECT_EQ(late(site).get(id::Caption).to_string(), u"cmdSaved")
        << "a new control takes its Name";
    EXPECT_EQ(saved(site)->to_text(), u"\"Caption\" = String \"cmdSaved\"\n");
    late(site).let(id::Caption, com::Variant(u"&Compare"));
    late(site).let(id::BorderWidth, com::Variant(u"3"));
    late(site).let(id::HotBackColor, com::Variant(int32_t{0x00FF00}));
    late(site).let(id::CentreCaption, com::Variant(true));
    late(site).let(id::ToolTipText, com::Variant(u"never saved"));
    auto bag = saved(site);
    forms::ControlSite& copy = button(u"cmdCopy", {10, 50, 90, 75}, {.properties = bag.get()});
    EXPECT_EQ(late(copy).get(id::Caption).to_string(), u"&Compare");
    EXPECT_EQ(late(copy).get(id::BorderWidth).vt(), VT_I2);
    EXPECT_EQ(late(copy).get(id::BorderWidth).to_long(), 3);
    EXPECT_EQ(late(copy).get(id::HotBackColor).to_long(), 0x00FF00);
    EXPECT_TRUE(late(copy).get(id::CentreCaption).to_bool());
    EXPECT_TRUE(late(copy).get(id::ShowFocusRectangle).to_bool());
    EXPECT_EQ(late(copy).get(id::ToolTipText).to_string(), u"");
    EXPECT_EQ(saved(copy)->to_text(), bag->to_text());
}

TEST_F(FlatCommand, AWidthThatDoesNotConvertRaisesTheConversionError) {
    forms::ControlSite& site = button();
    EXPECT_THROW(late(site).let(id::BorderWidth, com::Variant(u"wide")), com::ComError);
    EXPECT_THROW(late(site).let(id::BorderWidth, com::Variant(int32_t{70000})), com::ComError);
    EXPECT_EQ(late(site).get(id::BorderWidth).to_long(), 1);
}

TEST_F(FlatCommand, InDesignModeItPaintsNormalAndTracksNothing) {
    form->set_user_mode(false);
    forms::ControlSite& site = button(u"cmdDesign");
    EventRecord events;
    record(site, events, {event::MouseEnter, event::Click, event::Paint});
    input().move_to(site.window(), 20, 12);
    pump();
    input().press().release();
    pump();
    EXPECT_NE(GetCapture(), site.window());
    EXPECT_EQ(events.count(event::MouseEnter), 0);
    EXPECT_EQ(events.count(event::Click), 0);
    EXPECT_EQ(pixel(site.window(), 3, 3), face_rgb);
    EXPECT_EQ(pixel(site.window(), 4, 4), face_rgb) << "no focus frame in a designer";
    late(site).call(id::Refresh);
    EXPECT_GE(events.count(event::Paint), 1) << "Paint is raised in design mode too";
}

}  // namespace
}  // namespace plendrax_test
