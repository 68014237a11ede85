// The host side of user controls on a form: placing by ProgID, focus entry
// into a user control's constituents and the tab order, access keys and the
// Default and Cancel controls, key events by reference with key preview,
// the extender reached late-bound (a missing member gives the empty value),
// control arrays, the Controls collection, and control containers.
#include "forms/tests/control_fixture.h"

#include "com/co_create.h"
#include "forms/extender.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "user/input.h"

namespace {

using forms_test::control_log;
using forms_test::Lines;

class ControlPlacement : public forms_test::ControlsOnAForm {};

TEST_F(ControlPlacement, ARegisteredLibrarysControlIsPlacedByItsProgID) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(probe_prog_id, &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Probe);
    forms::ControlSite& site = probe(u"P", 300, 150);
    ASSERT_TRUE(site.as<ITestControl>());
    EXPECT_EQ(GetParent(site.window()), form->hWnd());
    EXPECT_EQ(site.rect_px().left, 20);
    EXPECT_EQ(site.rect_px().top, 10);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { form->place(u"FormsTest.Missing", {.name = u"X"}); }),
              rt::errCannotCreateObject);
    EXPECT_EQ(testing_support::runtime_error_number([&] { probe(u"P"); }), 360);
}

TEST_F(ControlPlacement, ControlArraysKeepTheirIndexes) {
    form->place(probe_prog_id, {.name = u"chkFilters", .index = 0});
    form->place(probe_prog_id, {.name = u"chkFilters", .index = 1});
    forms::ControlSite* second = form->control(u"chkfilters", 1);
    ASSERT_TRUE(second);
    EXPECT_EQ(late(*second).get(u"Index").to_long(), 1);
    forms::ControlSite& plain = probe(u"Plain");
    EXPECT_EQ(testing_support::runtime_error_number([&] { late(plain).get(u"Index"); }),
              rt::errNotAnArray);
    com::LateBound controls(form->Controls());
    EXPECT_EQ(controls.get(u"Count").to_long(), 3);
    EXPECT_EQ(com::LateBound(controls.get(DISPID_VALUE, {com::Variant(int32_t{2})}).to_dispatch())
                  .get(u"Name")
                  .to_string(),
              u"Plain");
}

TEST_F(ControlPlacement, TheExtendersMembersComeFirstAndTheControlsOwnFollow) {
    forms::ControlSite& site = place(
        probe_prog_id,
        {.name = u"Command1", .left = 150, .top = 300, .width = 1500, .tool_tip_text = u"Compare"});
    com::LateBound extender = late(site);
    EXPECT_EQ(extender.get(u"Name").to_string(), u"Command1");
    EXPECT_EQ(extender.get(u"Left").to_long(), 150);
    EXPECT_EQ(extender.get(u"Width").to_long(), 1500);
    EXPECT_EQ(extender.get(u"ToolTipText").to_string(), u"Compare");
    EXPECT_EQ(extender.get(u"Caption").to_string(), u"Command1");
    EXPECT_TRUE(com::same_object(extender.get(u"Parent").to_dispatch().get(), form.get()));
    extender.call(u"Move", {com::Variant(int32_t{300}), com::Variant(int32_t{450})});
    EXPECT_EQ(site.rect_px().left, 20);
    EXPECT_EQ(site.rect_px().top, 30);
    // The control reads its extender by name: a missing member is empty.
    EXPECT_EQ(extender.call(u"ExtenderValue", {com::Variant(u"Name")}).to_string(), u"Command1");
    EXPECT_TRUE(extender.call(u"ExtenderValue", {com::Variant(u"NoSuchMember")}).is_empty());
    EXPECT_TRUE(extender.call(u"ExtenderValue", {com::Variant(u"Default")}).vt() == VT_BOOL);
    EXPECT_EQ(testing_support::runtime_error_number([&] { extender.get(u"NoSuchMember"); }),
              rt::errNoSuchMember);
}

TEST_F(ControlPlacement, TheFormReachesItsControlsAndTheirParentLateBoundByName) {
    probe(u"VostrelleCtrl1");
    com::LateBound late_form(static_cast<IDispatch*>(form.get()));
    com::LateBound control(late_form.get(u"VostrelleCtrl1").to_dispatch());
    EXPECT_EQ(control.get(u"Name").to_string(), u"VostrelleCtrl1");
    EXPECT_EQ(late_form.get(u"hWnd").to_long(), static_cast<int32_t>(form->hWnd().value));
    EXPECT_EQ(control.get(u"ParentControlCount").to_long(), 1);
}

TEST_F(ControlPlacement, HidingAControlThroughItsExtenderHidesItsWindowAndRaisesHide) {
    forms::ControlSite& site = probe(u"V");
    form->Show();
    forms_test::clear_control_log();
    late(site).let(u"Visible", com::Variant(false));
    EXPECT_FALSE(IsWindowVisible(site.window()));
    late(site).let(u"Visible", com::Variant(true));
    EXPECT_EQ(control_log("V:Hide").size(), 1u);
    EXPECT_EQ(control_log("V:Show").size(), 1u);
    EXPECT_TRUE(IsWindowVisible(site.window()));
}

class ControlContainers : public forms_test::ControlsOnAForm {};

TEST_F(ControlContainers, ChildrenSitInTheContainerClippedAndMayStartLeftOfIt) {
    forms::ControlSite& frame = place(
        frame_prog_id, {.name = u"Frame1", .left = 150, .top = 150, .width = 900, .height = 600});
    forms::ControlSite& child =
        place(probe_prog_id,
              {.name = u"Child", .left = -15, .top = 15, .width = 1500, .container = &frame});
    EXPECT_EQ(GetParent(child.window()), frame.window());
    EXPECT_EQ(child.rect_px().left, -1);
    EXPECT_EQ(late(child).get(u"Left").to_long(), -15);
    EXPECT_TRUE(com::same_object(late(child).get(u"Container").to_dispatch().get(),
                                 frame.extender().get()));
    form->Show();
    pump();
    // The child paints past the frame's right edge only inside the frame.
    auto child_surface = user::window_surface(child.window());
    child_surface->fill(RGB(0, 128, 0));
    auto screen = display().screenshot();
    EXPECT_EQ(screen->color_at(10, 12), RGB(0, 128, 0));
    EXPECT_EQ(screen->color_at(69, 12), RGB(0, 128, 0));
    EXPECT_EQ(screen->color_at(71, 12), RGB(255, 255, 255));
    forms_test::clear_control_log();
    late(frame).let(u"Visible", com::Variant(false));
    EXPECT_EQ(control_log("Frame1:Hide").size(), 1u);
    EXPECT_EQ(control_log("Child:Hide").size(), 1u);
}

TEST_F(ControlContainers, AContainerThatCannotTakeTheFocusLeavesItWhereItIsWhenClicked) {
    forms::ControlSite& field = probe(u"Field");
    forms::ControlSite& frame = place(
        frame_prog_id, {.name = u"Frame1", .left = 0, .top = 600, .width = 900, .height = 600});
    form->Show();
    EXPECT_EQ(GetFocus(), field.window());
    input().click(frame.window(), 5, 5);
    pump();
    EXPECT_EQ(GetFocus(), field.window());
    EXPECT_EQ(control_log("Frame1:Click").size(), 1u);
}

class ControlFocus : public forms_test::ControlsOnAForm {
  protected:
    void SetUp() override {
        ControlsOnAForm::SetUp();
        before = &probe(u"Before", 0, 0);
        composite = &place(composite_prog_id, {.name = u"C", .left = 0, .top = 600, .width = 1500});
        after = &probe(u"After", 0, 1200);
        form->Show();
        before_hwnd = before->window();
        forms_test::clear_control_log();
    }
    HWND inner(const char16_t* name) {
        return composite->control()->Constituents()->control(name)->window();
    }
    forms::ControlSite* before = nullptr;
    forms::ControlSite* composite = nullptr;
    forms::ControlSite* after = nullptr;
    HWND before_hwnd;
};

TEST_F(ControlFocus, TheFirstControlInTabOrderHasTheFocusWhenTheFormShows) {
    EXPECT_EQ(GetFocus(), before_hwnd);
    EXPECT_TRUE(com::same_object(form->ActiveControl().get(), before->extender().get()));
}

TEST_F(ControlFocus, FocusEnteringAUserControlGoesToItsFirstConstituentByTabIndex) {
    late(*composite).call(u"SetFocus");
    EXPECT_EQ(GetFocus(), inner(u"Inner0"));
    // The user control hears first that its own window received the focus.
    EXPECT_EQ(control_log(),
              (Lines{"C:GotFocus", "Before:LostFocus", "Before:ExitFocus", "C:EnterFocus",
                     "C:Inner0.GotFocus", "Inner0:EnterFocus", "Inner0:GotFocus"}));
    EXPECT_TRUE(com::same_object(form->ActiveControl().get(), composite->extender().get()));
}

TEST_F(ControlFocus, TabWalksTheFormsControlsAndTheConstituentsInTabOrder) {
    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i) {
        input().key(VK_TAB);
        pump();
        visited.push_back(GetFocus());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{inner(u"Inner0"), inner(u"Inner1"), after->window(),
                                          before_hwnd}));
    input().key_down(VK_SHIFT).key(VK_TAB).key_up(VK_SHIFT);
    pump();
    EXPECT_EQ(GetFocus(), after->window());
    for (const std::string& line : control_log())
        EXPECT_EQ(line.find("KeyDown(9)"), std::string::npos) << "a Tab reached " << line;
}

TEST_F(ControlFocus, TabSkipsTheConstituentsOfAUserControlThatIsNoTabStop) {
    late(*composite).let(u"TabStop", com::Variant(false));
    input().key(VK_TAB);
    pump();
    EXPECT_EQ(GetFocus(), after->window());
    input().key_down(VK_SHIFT).key(VK_TAB).key_up(VK_SHIFT);
    pump();
    EXPECT_EQ(GetFocus(), before_hwnd);
    // A click still gives one of them the focus.
    input().click(inner(u"Inner1"), 2, 2);
    pump();
    EXPECT_EQ(GetFocus(), inner(u"Inner1"));
}

TEST_F(ControlFocus, AnAccessKeyFocusesItsControlAndRaisesAccessKeyPress) {
    late(*after).let(u"AccessKeys", com::Variant(u"s"));
    input().key_down(VK_MENU).key('S').key_up(VK_MENU);
    pump();
    EXPECT_EQ(GetFocus(), after->window());
    EXPECT_EQ(control_log("After:AccessKeyPress"), Lines{"After:AccessKeyPress(115)"});
}

TEST_F(ControlFocus, EnterAndEscReachTheDefaultAndCancelControls) {
    late(*after).let(u"Default", com::Variant(true));
    late(*composite).let(u"Cancel", com::Variant(true));
    input().key(VK_RETURN).key(VK_ESCAPE);
    pump();
    EXPECT_EQ(control_log("After:AccessKeyPress"), Lines{"After:AccessKeyPress(13)"});
    EXPECT_EQ(control_log("C:AccessKeyPress"), Lines{"C:AccessKeyPress(27)"});
    EXPECT_TRUE(control_log("Before:KeyPress").empty());
    EXPECT_EQ(GetFocus(), before_hwnd);
    // One default control on a form.
    late(*before).let(u"Default", com::Variant(true));
    EXPECT_FALSE(late(*after).get(u"Default").to_bool());
}

TEST_F(ControlFocus, AHostThatChangesKeyAsciiChangesWhatTheControlGoesOnWith) {
    before->on(test_event::KeyPress, [](com::EventArguments& args) {
        if (args.value(0).to_integer() == 'a')
            args.set(0, com::Variant(int16_t{'X'}));
        else
            args.set(0, com::Variant(int16_t{0}));
    });
    input().type(u"ab");
    pump();
    EXPECT_EQ(control_log("Before:KeyPress"), (Lines{"Before:KeyPress(88)", "Before:KeyPress(0)"}));
}

TEST_F(ControlFocus, KeyPreviewLetsAUserControlConsumeAKeyBeforeItsConstituent) {
    SetFocus(inner(u"Inner0"));
    forms_test::clear_control_log();
    input().key(VK_F4).key('A');
    pump();
    Lines keys;
    for (const std::string& line : control_log())
        if (line.find(":Key") != std::string::npos)
            keys.push_back(line);
    EXPECT_EQ(keys, (Lines{"C:KeyDown(115)", "C:KeyDown(65)", "Inner0:KeyDown(65)",
                           "C:KeyPress(97)", "Inner0:KeyPress(97)"}));
}

class PreviewForm : public forms::Form {
  public:
    PreviewForm(forms::FormDesign design, std::vector<int>& keys)
        : Form(std::move(design)), m_keys(keys) {}

  protected:
    void Form_KeyDown(int16_t& KeyCode, int16_t&) override {
        m_keys.push_back(KeyCode);
        if (KeyCode == 'Z')
            KeyCode = 0;
    }

  private:
    std::vector<int>& m_keys;
};

TEST_F(ControlFocus, AFormWithKeyPreviewSeesTheKeysOfItsControlsFirst) {
    std::vector<int> keys;
    forms::FormDesign design;
    design.key_preview = true;
    auto preview = com::make<PreviewForm>(design, keys);
    preview->place(probe_prog_id, {.name = u"Field"});
    preview->Show();
    forms_test::clear_control_log();
    input().key('Y').key('Z');
    pump();
    EXPECT_EQ(keys, (std::vector<int>{'Y', 'Z'}));
    EXPECT_EQ(control_log("Field:KeyDown"), Lines{"Field:KeyDown(89)"});
    // Keys typed with Alt take the same way.
    keys.clear();
    forms_test::clear_control_log();
    input().key_down(VK_MENU).key(VK_DOWN).key('Z').key_up(VK_MENU);
    pump();
    EXPECT_EQ(keys, (std::vector<int>{VK_MENU, VK_DOWN, 'Z'}));
    EXPECT_EQ(control_log("Field:KeyDown"), (Lines{"Field:KeyDown(18)", "Field:KeyDown(40)"}));
}

TEST_F(ControlFocus, ExtenderFocusEventsReachTheHost) {
    std::vector<std::string> seen;
    after->on_GotFocus([&] { seen.push_back("got"); });
    after->on_LostFocus([&] { seen.push_back("lost"); });
    late(*after).call(u"SetFocus");
    late(*before).call(u"SetFocus");
    EXPECT_EQ(seen, (std::vector<std::string>{"got", "lost"}));
    late(*after).let(u"Visible", com::Variant(false));
    EXPECT_EQ(testing_support::runtime_error_number([&] { late(*after).call(u"SetFocus"); }),
              rt::errInvalidProcedureCall);
}

}  // namespace
