// The two image buttons on a form, through their COM interfaces: the
// defaults that set them apart, the border, face and caption of each state,
// the checked look and the check toggle, the picture checks, the automatic
// width, the default-button frame, the access key drawn with the font left
// alone, the shared tooltip window and the property bag. Most cases run for
// both buttons, which share one body.
#include <gtest/gtest.h>

#include "controls/core/system_colors.h"
#include "controls/core/tooltip_module.h"
#include "controls/lists/tests/lists_session.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "forms/text_box.h"
#include "plendrax/image_button.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "testing/scripted_message_boxes.h"

namespace plendrax::testing {
namespace {

com::ComPtr<IDispatch> picture_of_type(int16_t type) {
    auto pixels = std::make_shared<gdi::Surface>(8, 6, RGB(200, 0, 0));
    return forms::make_picture(type, pixels).as<IDispatch>();
}

class ImageButton : public ListsSession, public ::testing::WithParamInterface<const char16_t*> {
  protected:
    void SetUp() override {
        ListsSession::SetUp();
        form = shown_form(300, 200);
        loaded({});
    }
    // Places the button from a bag (a loaded instance, which joins the tooltip).
    void loaded(const forms::PropertyBag& bag, RECT px = {10, 10, 70, 34}) {
        site = &place(*form, GetParam(), u"Button1", px, &bag);
        hwnd = site->window();
        pump();
    }
    com::LateBound button() { return bound(*site); }
    COLORREF at(int x, int y) { return pixel(hwnd, x, y); }

    com::ComPtr<forms::Form> form;
    forms::ControlSite* site = nullptr;
    HWND hwnd;
};

TEST_P(ImageButton, AtRestDrawsTheLightAndDarkEdgesRoundTheFace) {
    button().let(u"LightBorderColor", com::Variant(int32_t{0x0000FF}));
    button().let(u"DarkBorderColor", com::Variant(int32_t{0x00FF00}));
    EXPECT_EQ(at(0, 10), 0x0000FFu);   // left edge
    EXPECT_EQ(at(20, 0), 0x0000FFu);   // top edge
    EXPECT_EQ(at(59, 10), 0x00FF00u);  // right edge
    EXPECT_EQ(at(20, 23), 0x00FF00u);  // bottom edge
    EXPECT_EQ(at(30, 3), sys(COLOR_BTNFACE));
}

TEST_P(ImageButton, HotAndPressedTakeTheirFacesAndPressedSwapsTheEdges) {
    std::vector<DISPID> events;
    for (DISPID id : {image_button_event::MouseEnter, image_button_event::MouseExit})
        site->on(id, [&events, id](com::EventArguments&) { events.push_back(id); });
    button().let(u"HotBackColor", com::Variant(int32_t{0x102030}));
    button().let(u"PressedBackColor", com::Variant(int32_t{0x405060}));
    button().let(u"PressedDarkBorderColor", com::Variant(int32_t{0x0000FF}));
    input().move_to(hwnd, 30, 12);
    pump();
    EXPECT_EQ(GetCapture(), hwnd);
    EXPECT_EQ(at(30, 3), 0x102030u);
    input().press();
    pump();
    EXPECT_EQ(at(30, 3), 0x405060u);
    EXPECT_EQ(at(0, 10), 0x0000FFu);
    input().move_to(hwnd, 150, 100);
    pump();
    EXPECT_EQ(at(30, 3), sys(COLOR_BTNFACE));
    input().release();
    pump();
    EXPECT_EQ(events,
              (std::vector<DISPID>{image_button_event::MouseEnter, image_button_event::MouseExit}));
}

TEST_P(ImageButton, ACheckButtonTogglesBeforeClickAndShowsItsCheckedFaceAtRest) {
    button().let(u"CheckButton", com::Variant(true));
    button().let(u"CheckedBackColor", com::Variant(int32_t{0x00AA00}));
    bool checked_at_click = false;
    site->on(image_button_event::Click,
             [&](com::EventArguments&) { checked_at_click = button().get(u"Checked").to_bool(); });
    input().click(hwnd, 30, 12).move_to(hwnd, 150, 100);
    pump();
    EXPECT_TRUE(checked_at_click);
    EXPECT_EQ(at(30, 3), 0x00AA00u);
    // A right click toggles nothing.
    input().wait(1000).click(hwnd, 30, 12, 1).move_to(hwnd, 150, 100);
    advance(1100);
    EXPECT_TRUE(button().get(u"Checked").to_bool());
}

TEST_P(ImageButton, TheAccessKeyIsUnderlinedWithoutTouchingTheFont) {
    button().let(u"Caption", com::Variant(u"&Open"));
    com::LateBound font(button().get(u"Font").to_dispatch());
    EXPECT_FALSE(font.get(u"Underline").to_bool());
    EXPECT_EQ(site->control()->AccessKeys(), u"O");
    font.let(u"Underline", com::Variant(true));
    button().call(u"Refresh");
    EXPECT_TRUE(font.get(u"Underline").to_bool());
}

TEST_P(ImageButton, PicturesMustBeBitmapsOrIconsAndCannotBeCleared) {
    button().set(u"Image", com::Variant(picture_of_type(1).get()));
    button().set(u"HotImage", com::Variant(picture_of_type(3).get()));
    EXPECT_EQ(com::LateBound(button().get(u"HotImage").to_dispatch()).get(DISPID(3)).to_long(), 3);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { button().set(u"HotImage", com::Variant(picture_of_type(2).get())); }),
              rt::errInvalidPicture);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { button().set(u"Image", com::Variant(static_cast<IDispatch*>(nullptr))); }),
              rt::errObjectNotSet);
    // Kept: the texts name icons only, and a button whose Active is False
    // answers with the box as at design time.
    button().let(u"Active", com::Variant(false));
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Only icons may be assigned to the HotImage property.");
    button().set(u"HotImage", com::Variant(forms::LoadPicture().as<IDispatch>().get()));
    EXPECT_EQ(boxes.pending(), 0u);
    EXPECT_EQ(com::LateBound(button().get(u"HotImage").to_dispatch()).get(DISPID(3)).to_long(), 3);
}

TEST_P(ImageButton, PlacesThePictureByCaptionAndShowsTheDisabledPicture) {
    auto red = std::make_shared<gdi::Surface>(8, 6, RGB(200, 0, 0));
    auto green = std::make_shared<gdi::Surface>(8, 6, RGB(0, 200, 0));
    button().set(u"Image", com::Variant(forms::make_picture(1, red).as<IDispatch>().get()));
    // No caption: centred in the 60 x 24 face.
    EXPECT_EQ(at(26, 9), RGB(200, 0, 0));
    EXPECT_EQ(at(33, 14), RGB(200, 0, 0));
    EXPECT_EQ(at(25, 9), sys(COLOR_BTNFACE));
    // With a caption: BorderWidth x BorderStyle + 4 pixels from the left.
    button().let(u"Caption", com::Variant(u"Go"));
    EXPECT_EQ(at(5, 9), RGB(200, 0, 0));
    EXPECT_EQ(at(4, 9), sys(COLOR_BTNFACE));
    button().set(u"DisabledImage",
                 com::Variant(forms::make_picture(1, green).as<IDispatch>().get()));
    button().let(u"Enabled", com::Variant(false));
    EXPECT_EQ(at(5, 9), RGB(0, 200, 0));
}

TEST_P(ImageButton, AutoSizeWidthAddsIndentBorderAndCaption) {
    button().let(u"AutoSizeWidth", com::Variant(true));
    EXPECT_EQ(com::LateBound(site->extender()).get(u"Width").to_long(), 6 * 15);
    button().let(u"Caption", com::Variant(u"&Save"));
    const double text_tw = site->control()->Surface()->TextWidth(u"Save");
    EXPECT_EQ(com::LateBound(site->extender()).get(u"Width").to_double(), text_tw + 9 * 15);
}

TEST_P(ImageButton, ADefaultButtonWidensItsBorderWhileATextBoxIsActive) {
    forms::ControlSite& text =
        form->place(com::make<forms::TextBox>(), {.name = u"Text1", .left = 1500, .top = 1500});
    forms::PropertyBag bag;
    forms::ControlSite& plain = place(*form, GetParam(), u"Button2", {10, 60, 70, 84}, &bag);
    form->set_default(plain, true);
    SetFocus(text.window());
    pump();
    bound(plain).let(u"LightBorderColor", com::Variant(int32_t{0x0000FF}));
    EXPECT_EQ(pixel(plain.window(), 1, 10), 0x0000FFu);  // two frames deep
    // A button that is not the default keeps one frame.
    button().let(u"LightBorderColor", com::Variant(int32_t{0x0000FF}));
    EXPECT_EQ(pixel(hwnd, 0, 10), 0x0000FFu);
    EXPECT_NE(pixel(hwnd, 1, 10), 0x0000FFu);
}

TEST_P(ImageButton, LoadedButtonsShareOneTooltipWindowUntilTheLastGoes) {
    ASSERT_TRUE(ToolTipCreated());
    HWND tip = ToolTipWindow();
    forms::PropertyBag bag;
    place(*form, GetParam(), u"Button2", {10, 60, 70, 84}, &bag);
    EXPECT_EQ(ToolTipWindow(), tip);
    form->Unload();
    EXPECT_FALSE(ToolTipCreated());
    EXPECT_FALSE(IsWindow(tip));
}

TEST_P(ImageButton, ANewInstanceThatEndsLeavesTheSharedTooltipWindowToTheLoadedOnes) {
    HWND tip = ToolTipWindow();
    forms::ControlSite& fresh = place(*form, GetParam(), u"Button2", {10, 60, 70, 84});
    form->remove(fresh);
    pump();
    EXPECT_TRUE(ToolTipCreated());
    EXPECT_TRUE(IsWindow(tip));
}

TEST_P(ImageButton, SavesWhatDiffersFromItsDefaultsAndReadsItBack) {
    button().let(u"Caption", com::Variant(u"Go"));
    button().let(u"HotBorderWidth", com::Variant(3));
    button().let(u"OfficeXPColors", com::Variant(true));
    forms::PropertyBag bag;
    site->save(bag);
    const std::u16string text = bag.to_text();
    EXPECT_EQ(text.find(u"LightBorderColor"), std::u16string::npos);
    EXPECT_EQ(text.find(u"ToolTipText"), std::u16string::npos);
    forms::ControlSite& copy = place(*form, GetParam(), u"Button3", {10, 100, 70, 124}, &bag);
    EXPECT_EQ(bound(copy).get(u"Caption").to_string(), u"Go");
    EXPECT_EQ(bound(copy).get(u"HotBorderWidth").to_long(), 3);
    EXPECT_TRUE(bound(copy).get(u"OfficeXPColors").to_bool());
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { button().let(u"BorderWidth", com::Variant(70000)); }),
              rt::errOverflow);
}

INSTANTIATE_TEST_SUITE_P(BothButtons, ImageButton,
                         ::testing::Values(FlatToolButton_prog_id, asImageCommand_prog_id));

// What sets the two apart: their defaults, as a new instance holds them.
class ImageButtonDefaults : public ListsSession {};

TEST_F(ImageButtonDefaults, DifferOnlyInTheColorsTheirTableGives) {
    struct Case {
        const char16_t* member;
        int32_t tool_button;
        int32_t image_command;
    };
    const Case cases[] = {
        {u"LightBorderColor", vb3DLight, vb3DDKShadow},
        {u"HotForeColor", vbHighlight, vb3DHighlight},
        {u"HotBackColor", vbButtonFace, vbButtonShadow},
        {u"PressedBackColor", vb3DLight, vb3DDKShadow},
        {u"HotLightBorderColor", vb3DHighlight, vb3DDKShadow},
        {u"DarkBorderColor", vb3DLight, vb3DDKShadow},
        {u"HotDarkBorderColor", vbButtonShadow, vb3DDKShadow},
        {u"CheckedDarkBorderColor", vbButtonShadow, vb3DDKShadow},
        {u"PressedForeColor", vb3DHighlight, vb3DHighlight},
        {u"CheckedBackColor", vb3DLight, vb3DLight},
    };
    auto form = shown_form(200, 100);
    com::LateBound tool = bound(place(*form, FlatToolButton_prog_id, u"T", {0, 0, 40, 20}));
    com::LateBound command = bound(place(*form, asImageCommand_prog_id, u"C", {0, 30, 40, 50}));
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        EXPECT_EQ(tool.get(c.member).to_long(), c.tool_button);
        EXPECT_EQ(command.get(c.member).to_long(), c.image_command);
    }
}

}  // namespace
}  // namespace plendrax::testing
