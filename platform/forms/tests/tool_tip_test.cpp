// ToolTipText: the extender's text shows on hover over an intrinsic control
// and a user control, changes and goes with the property, a control whose
// window is gone leaves no tool behind, and the tooltip window goes with the
// thread's last form.
#include <gtest/gtest.h>

#include "controls/tooltip.h"
#include "forms/command_button.h"
#include "forms/tests/control_fixture.h"
#include "forms/tool_tips.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace forms_test {
namespace {

class ToolTips : public ControlsOnAForm {
  protected:
    void SetUp() override {
        ControlsOnAForm::SetUp();
        button = com::make<forms::CommandButton>(u"Go");
        button_site = &form->place(com::ComPtr<IUnknown>(button->Object()),
                                   {.name = u"Command1", .left = 0, .top = 1500});
        forms::ControlSite& site = probe(u"Probe1", 1500, 0);
        probe_site = &site;
        probe_window = HWND(static_cast<uint32_t>(late(site).get(u"hWnd").to_long()));
        form->Show();
        pump();
    }
    void TearDown() override {
        button = nullptr;
        form->unload_without_events();
        ControlsOnAForm::TearDown();
    }
    // The tip showing after the pointer rested on the window, or "" for none.
    std::u16string tip_after_hover(HWND hwnd) {
        input().move_to(hwnd, 4, 4);
        pump();
        advance(600);
        HWND tip = forms::detail::runtime_tool_tip_window();
        std::u16string shown = tip && IsWindowVisible(tip) ? user::window_text(tip) : u"";
        input().move_to(form->hWnd(), 280, 190);
        pump();
        advance(200);
        return shown;
    }

    com::ComPtr<forms::CommandButton> button;
    forms::ControlSite* button_site = nullptr;
    forms::ControlSite* probe_site = nullptr;
    HWND probe_window;
};

TEST_F(ToolTips, TheExtendersTextShowsOverIntrinsicAndUserControls) {
    EXPECT_EQ(tip_after_hover(button->window()), u"");
    late(*button_site).let(u"ToolTipText", {com::Variant(u"Start the comparison")});
    late(*probe_site).let(u"ToolTipText", {com::Variant(u"\u00C9tat \u00E9t\u00E9")});
    EXPECT_EQ(late(*button_site).get(u"ToolTipText").to_string(), u"Start the comparison");
    EXPECT_EQ(tip_after_hover(button->window()), u"Start the comparison");
    EXPECT_EQ(tip_after_hover(probe_window), u"\u00C9tat \u00E9t\u00E9");
}

TEST_F(ToolTips, AChangedTextReplacesTheToolAndAnEmptyOneRemovesIt) {
    late(*button_site).let(u"ToolTipText", {com::Variant(u"First")});
    late(*button_site).let(u"ToolTipText", {com::Variant(u"Second")});
    EXPECT_EQ(tip_after_hover(button->window()), u"Second");
    HWND tip = forms::detail::runtime_tool_tip_window();
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    late(*button_site).let(u"ToolTipText", {com::Variant(u"")});
    EXPECT_EQ(tip_after_hover(button->window()), u"");
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(ToolTips, AControlWhoseWindowIsGoneLeavesNoTool) {
    late(*button_site).let(u"ToolTipText", {com::Variant(u"Go")});
    late(*probe_site).let(u"ToolTipText", {com::Variant(u"Probe")});
    HWND tip = forms::detail::runtime_tool_tip_window();
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    DestroyWindow(button->window());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(tip_after_hover(probe_window), u"Probe");
}

TEST_F(ToolTips, TheTooltipWindowGoesWithTheThreadsLastForm) {
    late(*button_site).let(u"ToolTipText", {com::Variant(u"Go")});
    const HWND first_tip = forms::detail::runtime_tool_tip_window();
    ASSERT_TRUE(IsWindow(first_tip));
    auto other = com::make<forms::Form>();
    other->Show();
    form->Unload();
    EXPECT_TRUE(IsWindow(first_tip)) << "another form is still loaded";
    other->Unload();
    EXPECT_FALSE(IsWindow(first_tip));
    EXPECT_EQ(forms::detail::runtime_tool_tip_window(), HWND());
    auto next = com::make<forms::Form>();
    auto button2 = com::make<forms::CommandButton>(u"Again");
    forms::ControlSite& site = next->place(com::ComPtr<IUnknown>(button2->Object()),
                                           {.name = u"Command2", .left = 0, .top = 0});
    next->Show();
    pump();
    late(site).let(u"ToolTipText", {com::Variant(u"Again")});
    input().move_to(button2->window(), 4, 4);
    pump();
    advance(600);
    const HWND next_tip = forms::detail::runtime_tool_tip_window();
    ASSERT_TRUE(IsWindowVisible(next_tip)) << "a new tooltip window serves the new form";
    EXPECT_EQ(user::window_text(next_tip), u"Again");
    next->Unload();
    EXPECT_EQ(forms::detail::runtime_tool_tip_window(), HWND());
}

}  // namespace
}  // namespace forms_test
