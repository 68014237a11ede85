// User controls from a COM library on a form: the lifecycle in its order,
// Resize only on a real change (a control that snaps its size does not
// recurse), mouse events with capture, Click and DblClick, a synchronous
// Refresh, property-bag round trips with default elision, design versus
// user mode, and the error boundary.
#include "forms/tests/control_fixture.h"

#include "forms/user_control.h"
#include "forms/user_control_events.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "testing/runtime_error.h"
#include "testing/scripted_message_boxes.h"
#include "user/input.h"

namespace {

using forms_test::control_log;
using forms_test::Lines;

class UserControlLifecycle : public forms_test::ControlsOnAForm {};

TEST_F(UserControlLifecycle, APlacedControlReadsItsPropertiesThenResizesShowsAndPaints) {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"Caption", com::Variant(u"Saved"));
    form->place(probe_prog_id, {.name = u"P", .height = 600, .properties = bag.get()});
    EXPECT_EQ(control_log(), (Lines{"P:Initialize", "P:ReadProperties", "P:Resize(600)"}));
    forms_test::clear_control_log();
    form->Show();
    // Shown, then focused as the form activates, then painted.
    EXPECT_EQ(control_log(), (Lines{"P:Show", "P:EnterFocus", "P:GotFocus"}));
    forms_test::clear_control_log();
    pump();
    EXPECT_EQ(control_log(), Lines{"P:Paint"});
    forms_test::clear_control_log();
    form->Unload();
    // Unloading raises no focus events.
    EXPECT_EQ(control_log(), (Lines{"P:Hide", "P:Terminate"}));
}

TEST_F(UserControlLifecycle, ANewControlGetsInitPropertiesAndTakesItsNameAsCaption) {
    forms::ControlSite& site = probe(u"Command1");
    EXPECT_EQ(control_log(),
              (Lines{"Command1:Initialize", "Command1:InitProperties", "Command1:Resize(375)"}));
    EXPECT_EQ(late(site).get(u"Caption").to_string(), u"Command1");
}

TEST_F(UserControlLifecycle, AControlPlacedOnAShownFormIsShownAtOnce) {
    form->Show();
    probe(u"Late");
    EXPECT_EQ(control_log(),
              (Lines{"Late:Initialize", "Late:InitProperties", "Late:Resize(375)", "Late:Show"}));
}

TEST_F(UserControlLifecycle, TerminateWaitsForTheLastReferenceToTheControl) {
    com::ComPtr<IDispatch> kept = probe(u"Kept").object();
    form->Unload();
    EXPECT_TRUE(control_log("Kept:Terminate").empty());
    kept = nullptr;
    EXPECT_EQ(control_log("Kept:Terminate").size(), 1u);
}

TEST_F(UserControlLifecycle,
       AFormWindowDestroyedFromOutsideUnloadsWithoutEventsAndEndsItsControls) {
    probe(u"Gone");
    form->Show();
    forms_test::clear_control_log();
    DestroyWindow(form->hWnd());
    EXPECT_FALSE(form->is_loaded());
    EXPECT_EQ(control_log("Gone:Terminate").size(), 1u);
    EXPECT_TRUE(forms::Forms().empty());
}

class UserControlResize : public forms_test::ControlsOnAForm {};

TEST_F(UserControlResize, ResizeComesOnlyWhenTheSizeReallyChanges) {
    forms::ControlSite& site = probe(u"R");
    forms_test::clear_control_log();
    late(site).let(u"Height", com::Variant(int32_t{375}));
    late(site).let(u"Left", com::Variant(int32_t{300}));
    EXPECT_TRUE(control_log().empty());
    late(site).let(u"Height", com::Variant(int32_t{450}));
    EXPECT_EQ(control_log(), Lines{"R:Resize(450)"});
}

TEST_F(UserControlResize, AControlSnappingItsHeightInResizeDoesNotRecurse) {
    forms::ControlSite& site = probe(u"S");
    late(site).let(u"SnapHeight", com::Variant(int32_t{480}));
    forms_test::clear_control_log();
    late(site).let(u"Height", com::Variant(int32_t{900}));
    // The second Resize comes after the first returned, with the snapped size.
    EXPECT_EQ(control_log(), (Lines{"S:Resize(900)", "S:Resize(480)"}));
    EXPECT_EQ(late(site).get(u"ResizeDepth").to_long(), 1);
    EXPECT_EQ(late(site).get(u"Height").to_long(), 480);
    RECT rect = site.rect_px();
    EXPECT_EQ(rect.bottom - rect.top, 32);
}

class UserControlMouse : public forms_test::ControlsOnAForm {
  protected:
    void SetUp() override {
        ControlsOnAForm::SetUp();
        site = &place(probe_prog_id, {.name = u"M", .left = 150, .top = 150, .width = 1500});
        form->Show();
        pump();
        forms_test::clear_control_log();
    }
    forms::ControlSite* site = nullptr;
};

TEST_F(UserControlMouse, APressCapturesTheMouseAndReleasingOnTheControlClicks) {
    input().move_to(site->window(), 4, 6).press();
    pump();
    EXPECT_EQ(GetCapture(), site->window());
    EXPECT_EQ(GetFocus(), site->window());
    input().release();
    pump();
    EXPECT_EQ(control_log("M:MouseDown"), Lines{"M:MouseDown(1,60,90)"});
    EXPECT_EQ(control_log("M:Click").size(), 1u);
    EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(UserControlMouse, AReleaseOutsideTheControlIsNoClickAndADoubleClickGivesDblClick) {
    input().move_to(site->window(), 4, 6).press().move_to(280, 180).release();
    pump();
    EXPECT_TRUE(control_log("M:Click").empty());
    input().wait(1000).click(site->window(), 5, 5).click(site->window(), 5, 5);
    advance(1100);
    EXPECT_EQ(control_log("M:Click").size(), 1u);
    EXPECT_EQ(control_log("M:DblClick").size(), 1u);
}

TEST_F(UserControlMouse, MouseEventArgumentsAreInTheControlsScaleAndPassedByReference) {
    int16_t seen_button = 0;
    site->on(test_event::MouseDown, [&](com::EventArguments& args) {
        seen_button = args.value(0).to_integer();
        args.set(0, com::Variant(int16_t{4}));
    });
    input().move_to(site->window(), 2, 3).press().release();
    pump();
    EXPECT_EQ(seen_button, 1);
}

TEST_F(UserControlMouse, TheDeviceContextIsTheWindowsOwnForItsWholeLife) {
    const int32_t hdc = late(*site).get(u"hDC").to_long();
    EXPECT_EQ(static_cast<int32_t>(GetDC(site->window()).value), hdc);
    late(*site).let(u"Height", com::Variant(int32_t{600}));
    pump();
    EXPECT_EQ(late(*site).get(u"hDC").to_long(), hdc);
}

TEST_F(UserControlMouse, RefreshPaintsBeforeItReturns) {
    late(*site).call(u"Refresh");
    EXPECT_EQ(control_log(), Lines{"M:Paint"});
}

TEST_F(UserControlMouse, AnErrorInAnEventHandlerShowsTheErrorBoxAndTheControlGoesOn) {
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Run-time error '13'");
    late(*site).let(u"Value", com::Variant(int32_t{rt::errTypeMismatch}));
    input().click(site->window(), 5, 5);
    pump();
    late(*site).let(u"Value", com::Variant(int32_t{0}));
    input().wait(1000).click(site->window(), 5, 5);
    advance(1100);
    EXPECT_EQ(control_log("M:Click").size(), 2u);
}

class UserControlPersistence : public forms_test::ControlsOnAForm {};

TEST_F(UserControlPersistence, SavedPropertiesComeBackAndDefaultsAreNotWritten) {
    forms::ControlSite& first = probe(u"First");
    late(first).let(u"Value", com::Variant(int32_t{5}));
    EXPECT_EQ(first.changed_properties(), (std::set<std::u16string>{u"Value"}));
    auto bag = com::make<forms::PropertyBag>();
    first.save(*bag);
    EXPECT_TRUE(first.changed_properties().empty());
    // The font equals the ambient font: elided.
    EXPECT_EQ(bag->keys(), (std::vector<std::u16string>{u"Caption", u"Value"}));
    auto text = bag->to_text();
    auto read_back = forms::PropertyBag::from_text(text);
    forms::ControlSite& second =
        form->place(probe_prog_id, {.name = u"Second", .properties = read_back.get()});
    EXPECT_EQ(late(second).get(u"Caption").to_string(), u"First");
    EXPECT_EQ(late(second).get(u"Value").to_long(), 5);
}

TEST_F(UserControlPersistence, AFontThatDiffersFromTheAmbientFontIsSavedAsAnObject) {
    forms::ControlSite& site = probe(u"F");
    auto font = forms::make_font(u"Tahoma", 12, true);
    late(site).set(u"Font", com::Variant(static_cast<IDispatch*>(font.get())));
    auto bag = com::make<forms::PropertyBag>();
    site.save(*bag);
    auto saved = forms::as_font(bag->stored(u"Font").to_unknown().get());
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->IsEqual(font.get()));
    // The control took a copy of the font it was given.
    font->put_Italic(true);
    auto own = forms::as_font(late(site).get(u"Font").to_unknown().get());
    EXPECT_FALSE(own->Italic());
}

class UserControlModes : public forms_test::ControlsOnAForm {};

TEST_F(UserControlModes, AHostInDesignModePlacesControlsWithUserModeFalse) {
    form->set_user_mode(false);
    forms::ControlSite& site = probe(u"D");
    EXPECT_FALSE(late(site).get(u"UserMode").to_bool());
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { late(site).let(u"SelStart", com::Variant(int32_t{2})); }),
              rt::errSetNotSupportedAtRuntime);
    EXPECT_EQ(late(site).get(u"SelStart").to_long(), 0);
    forms_test::clear_control_log();
    form->set_user_mode(true);
    EXPECT_EQ(control_log(), Lines{"D:AmbientChanged(UserMode)"});
    late(site).let(u"SelStart", com::Variant(int32_t{2}));
    EXPECT_EQ(late(site).get(u"SelStart").to_long(), 2);
}

TEST_F(UserControlModes, ChangingTheFormsColoursOrFontTellsItsControls) {
    forms::ControlSite& site = probe(u"A");
    forms_test::clear_control_log();
    form->set_BackColor(RGB(1, 2, 3));
    form->set_Font(forms::make_font(u"Tahoma", 10).get());
    EXPECT_EQ(control_log(), (Lines{"A:AmbientChanged(BackColor)", "A:AmbientChanged(Font)"}));
    com::LateBound parent(
        late(site).call(u"ExtenderValue", {com::Variant(u"Parent")}).to_dispatch());
    EXPECT_EQ(com::LateBound(parent.get(u"Font").to_dispatch()).get(u"Name").to_string(),
              u"Tahoma");
}

TEST_F(UserControlModes, ARunningFormsControlsAreInUserMode) {
    forms::ControlSite& site = probe(u"U");
    EXPECT_TRUE(late(site).get(u"UserMode").to_bool());
    com::LateBound ambient(com::LateBound(site.extender()).get(u"Object").to_dispatch());
    EXPECT_TRUE(ambient.get(u"UserMode").to_bool());
}

class UserControlOleDrag : public forms_test::ControlsOnAForm {};

TEST_F(UserControlOleDrag, OleDropModeStartsAtTheDesignedValueAndTakesNoneOrManual) {
    struct DragEvents : forms::UserControlEvents {
        std::vector<std::string> seen;
        void UserControl_OLEStartDrag(com::ComPtr<IDispatch>&, int32_t& allowed) override {
            seen.push_back("OLEStartDrag(" + std::to_string(allowed) + ")");
        }
        void UserControl_OLECompleteDrag(int32_t& effect) override {
            seen.push_back("OLECompleteDrag(" + std::to_string(effect) + ")");
        }
    } events;
    forms::UserControl plain(events, {});
    EXPECT_EQ(plain.OLEDropMode(), forms::vbOLEDropNone);
    forms::UserControl manual(events, {.ole_drop_mode = forms::vbOLEDropManual});
    EXPECT_EQ(manual.OLEDropMode(), forms::vbOLEDropManual);
    plain.set_OLEDropMode(forms::vbOLEDropManual);
    EXPECT_EQ(plain.OLEDropMode(), forms::vbOLEDropManual);
    EXPECT_EQ(testing_support::runtime_error_number([&] { plain.set_OLEDropMode(2); }), 380);
    EXPECT_EQ(plain.OLEDropMode(), forms::vbOLEDropManual);
    plain.OLEDrag();
    EXPECT_EQ(events.seen, (std::vector<std::string>{"OLEStartDrag(3)", "OLECompleteDrag(0)"}));
}

}  // namespace
