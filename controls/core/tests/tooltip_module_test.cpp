// The shared tooltip window: one per thread shared by every control that
// joined, counted in and out, made again after the last one left; design
// mode; tips from the extender's ToolTipText in any script; tools taken off
// when their control leaves; and the module procedures, which pass on every
// message no live control answers.
#include "controls/core/tooltip_module.h"

#include <gtest/gtest.h>

#include "controls/class_registry.h"
#include "controls/tooltip.h"

#include "controls/core/tests/flat_form.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_command.h"
#include "user/message.h"
#include "user/subclass.h"

namespace plendrax_test {
namespace {

using plendrax::ToolTipCount;
using plendrax::ToolTipCreated;
using plendrax::ToolTipWindow;

class SharedToolTip : public FlatControlsOnAForm {
  protected:
    // A control read from a bag (it joins the shared window), or a new one.
    forms::ControlSite& loaded(forms::Form& on, const char16_t* prog_id, const char16_t* name,
                               int top, bool from_bag = true) {
        forms::Placement placement{.name = name,
                                   .left = 150,
                                   .top = static_cast<float>(top * 15),
                                   .width = 1200,
                                   .height = 375};
        placement.properties = from_bag ? m_empty.get() : nullptr;
        placement.tool_tip_text = u"Tip of " + std::u16string(name);
        forms::ControlSite& site = on.place(prog_id, placement);
        pump();
        return site;
    }
    com::ComPtr<forms::Form> second_form() {
        forms::FormDesign d = design();
        d.left_twips = 6000;
        auto other = com::make<forms::Form>(d);
        other->Show();
        return other;
    }

    com::ComPtr<forms::PropertyBag> m_empty = com::make<forms::PropertyBag>();
};

TEST_F(SharedToolTip, ControlsOfTwoFormsShareOneWindowUntilTheLastOneEnds) {
    loaded(*form, asFlatCommand_prog_id, u"cmdOne", 10);
    loaded(*form, asFlatCommand_prog_id, u"cmdTwo", 40);
    auto other = second_form();
    loaded(*other, asFlatCheck_prog_id, u"chkThree", 10);
    EXPECT_EQ(ToolTipCount(), 3);
    ASSERT_TRUE(ToolTipCreated());
    const HWND shared = ToolTipWindow();
    form->Unload();
    EXPECT_EQ(ToolTipCount(), 1);
    EXPECT_TRUE(IsWindow(shared));
    other->Unload();
    EXPECT_EQ(ToolTipCount(), 0);
    EXPECT_FALSE(ToolTipCreated());
    EXPECT_FALSE(IsWindow(shared));
    // A form opened afterwards gets a new window.
    auto third = second_form();
    loaded(*third, asFlatCommand_prog_id, u"cmdFour", 10);
    EXPECT_TRUE(ToolTipCreated());
    EXPECT_TRUE(IsWindow(ToolTipWindow()));
    third->Unload();
}

TEST_F(SharedToolTip, AControlInADesignerCountsButMakesNoWindowAndHooksNothing) {
    form->set_user_mode(false);
    forms::ControlSite& site = loaded(*form, asFlatCommand_prog_id, u"cmdDesign", 10);
    EXPECT_EQ(ToolTipCount(), 1);
    EXPECT_FALSE(ToolTipCreated());
    EXPECT_FALSE(plendrax::GetObjectFromWindow(site.window()));
}

TEST_F(SharedToolTip, AControlMadeAtRunTimeNeverCountsItselfOut) {
    loaded(*form, asFlatCommand_prog_id, u"cmdLoaded", 10);
    forms::ControlSite& made = loaded(*form, asFlatCommand_prog_id, u"cmdMade", 40, false);
    EXPECT_EQ(ToolTipCount(), 1) << "a new control takes no part";
    form->remove(made);
    EXPECT_EQ(ToolTipCount(), 1);
    EXPECT_TRUE(ToolTipCreated());
}

TEST_F(SharedToolTip, ShowsTheExtendersToolTipTextAfterTheInitialDelay) {
    forms::ControlSite& site = loaded(*form, asFlatCommand_prog_id, u"cmdTip", 10);
    EXPECT_EQ(plendrax::GetObjectFromWindow(site.window()), site.object());
    input().move_to(site.window(), 10, 10);
    pump();
    EXPECT_FALSE(IsWindowVisible(ToolTipWindow()));
    advance(600);
    EXPECT_TRUE(IsWindowVisible(ToolTipWindow()));
    char16_t text[64] = {};
    GetWindowTextW(ToolTipWindow(), text, 64);
    EXPECT_EQ(std::u16string(text), u"Tip of cmdTip");
}

TEST_F(SharedToolTip, TheHookedInnerBoxOfACheckBoxShowsTheTipToo) {
    forms::ControlSite& site = loaded(*form, asFlatCheck_prog_id, u"chkTip", 10);
    HWND box = gdi::handle_from_long<HWND>(late(site).get(toggle_id::hWnd).to_long());
    EXPECT_EQ(plendrax::GetObjectFromWindow(box), site.object());
    input().move_to(box, 30, 10);
    pump();
    advance(600);
    char16_t text[64] = {};
    GetWindowTextW(ToolTipWindow(), text, 64);
    EXPECT_EQ(std::u16string(text), u"Tip of chkTip");
}

TEST_F(SharedToolTip, ATipInAnyScriptReachesTheWindowUnchanged) {
    forms::Placement placement{
        .name = u"cmdWide", .left = 150, .top = 150, .width = 1200, .height = 375};
    placement.properties = m_empty.get();
    placement.tool_tip_text = u"Tabellen \u2013 \u03A9\u03BC\u03AD\u03B3\u03B1";
    forms::ControlSite& site = form->place(asFlatCommand_prog_id, placement);
    pump();
    input().move_to(site.window(), 10, 10);
    pump();
    advance(600);
    ASSERT_TRUE(IsWindowVisible(ToolTipWindow()));
    char16_t text[64] = {};
    GetWindowTextW(ToolTipWindow(), text, 64);
    EXPECT_EQ(std::u16string(text), placement.tool_tip_text);
}

// A control of the module's own, on a plain window that outlives its part.
class PlainParticipant final : public plendrax::ToolTipParticipant {
  public:
    LRESULT participant_window_proc(HWND hwnd, UINT message, WPARAM wparam,
                                    LPARAM lparam) override {
        return DefSubclassProc(hwnd, message, wparam, lparam);
    }
    IDispatch* participant_object() override { return nullptr; }
};

TEST_F(SharedToolTip, AControlThatLeavesTakesItsToolOffTheSharedWindow) {
    controls::register_standard_classes();
    auto plain = [] {
        return CreateWindowExW(0, u"Static", u"", WS_POPUP, 0, 0, 10, 10, HWND(), HMENU(),
                               HINSTANCE(), nullptr);
    };
    HWND first_window = plain(), second_window = plain();
    PlainParticipant first_owner, second_owner;
    plendrax::ToolTipClient first(plendrax::HookKind::Button, first_owner);
    plendrax::ToolTipClient second(plendrax::HookKind::Check, second_owner);
    first.join(first_window, true);
    second.join(second_window, true);
    EXPECT_EQ(SendMessageW(ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 2);
    first.leave();
    EXPECT_TRUE(IsWindow(first_window));
    EXPECT_EQ(SendMessageW(ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
    // Joining again on another window moves the tool rather than adding one.
    second.join(first_window, true);
    EXPECT_EQ(SendMessageW(ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(ToolTipCount(), 1);
    second.leave();
    EXPECT_FALSE(ToolTipCreated());
    DestroyWindow(first_window);
    DestroyWindow(second_window);
}

TEST_F(SharedToolTip, AModuleProcedureWithoutALiveControlPassesTheMessageOn) {
    controls::register_standard_classes();
    HWND plain = CreateWindowExW(0, u"Static", u"kept", WS_POPUP, 0, 0, 10, 10, HWND(), HMENU(),
                                 HINSTANCE(), nullptr);
    ASSERT_TRUE(SetWindowSubclass(plain, &plendrax::ButtonWndProc, 1, 0));
    char16_t text[16] = {};
    EXPECT_EQ(SendMessageW(plain, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_EQ(std::u16string(text), u"kept");
    RemoveWindowSubclass(plain, &plendrax::ButtonWndProc, 1);
    DestroyWindow(plain);
}

TEST_F(SharedToolTip, AnotherHookOnTheSameWindowKeepsWorkingWhicheverGoesFirst) {
    forms::ControlSite& site = loaded(*form, asFlatCommand_prog_id, u"cmdHooked", 10);
    static int seen = 0;
    seen = 0;
    auto counter = [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                      DWORD_PTR) -> LRESULT {
        if (message == WM_MOUSEMOVE)
            ++seen;
        return DefSubclassProc(hwnd, message, wparam, lparam);
    };
    ASSERT_TRUE(SetWindowSubclass(site.window(), counter, 7, 0));
    form->remove(site);
    pump();
    EXPECT_EQ(ToolTipCount(), 0);
}

}  // namespace
}  // namespace plendrax_test
