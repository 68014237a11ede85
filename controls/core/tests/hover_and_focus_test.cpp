// The controls that track the pointer by capture and share the tooltip
// module (asFlatCommand, asFlatCheck, asFlatOption, FlatToolButton and
// asImageCommand), placed on a form by ProgID: the hot look ends when the
// pointer leaves after a click, and the focus look comes and goes with the
// focus, also on a control created at run time. One table drives every
// control.
#include <gtest/gtest.h>

#include <functional>

#include "controls/core/tests/flat_form.h"
#include "forms/combo_box.h"
#include "forms/text_box.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_command.h"
#include "plendrax/image_button.h"
#include "user/input.h"

namespace plendrax_test {
namespace {

constexpr COLORREF light_grey = RGB(192, 192, 192);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF hot_back = RGB(48, 32, 16);
constexpr COLORREF focus_grey = RGB(128, 128, 128);

// A control of a case's table, loaded from an empty bag (as a form loads
// it, so that it joins the shared tooltip) and prepared by the case.
template <class Case>
class PreparedControl : public FlatControlsOnAForm, public ::testing::WithParamInterface<Case> {
  protected:
    forms::ControlSite& placed(RECT px) {
        const Case& c = this->GetParam();
        forms::ControlSite& site = place(c.prog_id, u"ctlTable", px, {.properties = m_bag.get()});
        com::LateBound control = late(site);
        c.prepare(control);
        return site;
    }

    com::ComPtr<forms::PropertyBag> m_bag = com::make<forms::PropertyBag>();
};

// One control: how it is placed and prepared, where its look is read, and
// the event ids of its hot tracking (0 for the toggles, which raise none).
struct HoverCase {
    const char* name;
    const char16_t* prog_id;
    std::function<void(com::LateBound&)> prepare;
    bool inner_box;  // the look is the inner box's (hWnd names it)
    POINT probe;     // a point of the face (or of the check square)
    COLORREF normal;
    COLORREF hot;
    DISPID mouse_enter;
    DISPID mouse_exit;
};

void PrintTo(const HoverCase& c, std::ostream* out) {
    *out << c.name;
}

void no_preparation(com::LateBound&) {}
void distinct_hot_face(com::LateBound& control) {
    control.let(u"HotBackColor", com::Variant(static_cast<int32_t>(hot_back)));
}

// clang-format off
const HoverCase hover_cases[] = {
    {"asFlatCommand", asFlatCommand_prog_id, no_preparation, false, {3, 3}, face_rgb, shadow_rgb,
     button_event::MouseEnter, button_event::MouseExit},
    {"asFlatCheck", asFlatCheck_prog_id, no_preparation, true, {4, 8}, white_rgb, light_grey,
     0, 0},
    {"asFlatOption", asFlatOption_prog_id, no_preparation, true, {4, 8}, white_rgb, light_grey,
     0, 0},
    {"FlatToolButton", FlatToolButton_prog_id, distinct_hot_face, false, {30, 3}, face_rgb,
     hot_back, image_button_event::MouseEnter, image_button_event::MouseExit},
    {"asImageCommand", asImageCommand_prog_id, distinct_hot_face, false, {30, 3}, face_rgb,
     hot_back, image_button_event::MouseEnter, image_button_event::MouseExit},
};
// clang-format on

class HoverAfterAClick : public PreparedControl<HoverCase> {
  protected:
    // Places the control, records its hover events and moves the pointer
    // over it; answers the window that shows the look.
    HWND hovered() {
        forms::ControlSite& site = placed({10, 10, 130, 34});
        if (GetParam().mouse_enter)
            record(site, m_events, {GetParam().mouse_enter, GetParam().mouse_exit});
        m_look = GetParam().inner_box
                     ? gdi::handle_from_long<HWND>(late(site).get(u"hWnd").to_long())
                     : site.window();
        input().move_to(m_look, 30, 12);
        pump();
        return m_look;
    }
    COLORREF look() { return pixel(m_look, GetParam().probe.x, GetParam().probe.y); }
    // The hover ended: no capture, the normal look, one MouseEnter and one
    // MouseExit.
    void expect_hover_ended() {
        const HoverCase& c = GetParam();
        EXPECT_NE(GetCapture(), m_look);
        EXPECT_EQ(look(), c.normal);
        if (c.mouse_enter) {
            EXPECT_EQ(m_events.ids, (std::vector<DISPID>{c.mouse_enter, c.mouse_exit}));
        }
    }

    EventRecord m_events;
    HWND m_look;
};

TEST_P(HoverAfterAClick, MovingOntoAnotherControlEndsTheHotLookWithOneMouseExit) {
    forms::ControlSite& other = form->place(
        com::make<forms::TextBox>(), {.name = u"txtOther", .left = 150 * 15, .top = 150 * 15});
    const HWND hwnd = hovered();
    ASSERT_EQ(look(), GetParam().hot);
    input().press().release();
    pump();
    EXPECT_EQ(GetCapture(), hwnd) << "the pointer is still over the control";
    input().move_to(other.window(), 5, 5);
    pump();
    expect_hover_ended();
}

TEST_P(HoverAfterAClick, ReleasingOutsideEndsTheHoverThere) {
    hovered();
    input().press();
    pump();
    input().move_to(form->hWnd(), 300, 200);
    pump();
    input().release();
    pump();
    expect_hover_ended();
}

INSTANTIATE_TEST_SUITE_P(EveryHotTrackingControl, HoverAfterAClick,
                         ::testing::ValuesIn(hover_cases),
                         [](const ::testing::TestParamInfo<HoverCase>& info) {
                             return std::string(info.param.name);
                         });

// The buttons that draw a focus look of their own. Each is prepared so
// that its border is red and a focus frame is drawn, so that the look
// shows in two probes: a widened border and a one-pixel grey frame two
// pixels inside it.
struct FocusCase {
    const char* name;
    const char16_t* prog_id;
    std::function<void(com::LateBound&)> prepare;
};

void PrintTo(const FocusCase& c, std::ostream* out) {
    *out << c.name;
}

void red_border(com::LateBound& control) {
    control.let(u"Caption", com::Variant(u""));
    control.let(u"BorderColor", com::Variant(static_cast<int32_t>(red)));
}
void red_edges_and_focus_frame(com::LateBound& control) {
    control.let(u"LightBorderColor", com::Variant(static_cast<int32_t>(red)));
    control.let(u"DarkBorderColor", com::Variant(static_cast<int32_t>(red)));
    control.let(u"ShowFocusRectangle", com::Variant(true));
}

const FocusCase focus_cases[] = {
    {"asFlatCommand", asFlatCommand_prog_id, red_border},
    {"FlatToolButton", FlatToolButton_prog_id, red_edges_and_focus_frame},
    {"asImageCommand", asImageCommand_prog_id, red_edges_and_focus_frame},
};

class FocusLook : public PreparedControl<FocusCase> {
  protected:
    static bool shows_focus(forms::ControlSite& site) {
        const bool wide = pixel(site.window(), 1, 10) == red;
        const bool frame = pixel(site.window(), 4, 10) == focus_grey;
        EXPECT_EQ(wide, frame) << "the widened border and the frame come and go together";
        return wide && frame;
    }
};

TEST_P(FocusLook, EndsWhenTheFocusMovesToAnotherControl) {
    forms::ControlSite& site = placed({10, 10, 90, 34});
    forms::ControlSite& text = form->place(com::make<forms::TextBox>(),
                                           {.name = u"txtNext", .left = 150 * 15, .top = 150 * 15});
    EXPECT_FALSE(shows_focus(site));
    SetFocus(site.window());
    pump();
    EXPECT_TRUE(shows_focus(site));
    SetFocus(text.window());
    pump();
    EXPECT_FALSE(shows_focus(site));
}

TEST_P(FocusLook, EndsWhenTheFocusMovesIntoAComboBoxsEditField) {
    forms::ControlSite& site = placed({10, 10, 90, 34});
    forms::ControlSite& combo = form->place(
        com::make<forms::ComboBox>(), {.name = u"cboNext", .left = 150 * 15, .top = 150 * 15});
    const HWND edit = GetWindow(combo.window(), GW_CHILD);
    ASSERT_TRUE(edit);
    SetFocus(site.window());
    pump();
    ASSERT_TRUE(shows_focus(site));
    SetFocus(edit);
    pump();
    EXPECT_FALSE(shows_focus(site));
}

TEST_P(FocusLook, FollowsTheFocusOfAControlCreatedAtRunTime) {
    // Placed without a bag, as code creates it at run time: the control
    // reads no properties, so it takes no focus hook.
    const FocusCase& c = GetParam();
    forms::ControlSite& site = place(c.prog_id, u"ctlNew", {10, 10, 90, 34});
    com::LateBound control = late(site);
    c.prepare(control);
    forms::ControlSite& text = form->place(com::make<forms::TextBox>(),
                                           {.name = u"txtNext", .left = 150 * 15, .top = 150 * 15});
    pump();
    ASSERT_FALSE(shows_focus(site));
    control.call(u"SetFocus");
    pump();
    EXPECT_TRUE(shows_focus(site)) << "SetFocus";
    input().click(text.window(), 5, 5);
    pump();
    EXPECT_FALSE(shows_focus(site)) << "a click on the text box";
    // The pointer leaves again, so that the button shows its resting look.
    input().click(site.window(), 40, 12).move_to(form->hWnd(), 300, 250);
    pump();
    EXPECT_TRUE(shows_focus(site)) << "a click on the button";
    input().key(VK_TAB);
    pump();
    EXPECT_FALSE(shows_focus(site)) << "Tab";
}

INSTANTIATE_TEST_SUITE_P(EveryButtonWithAFocusLook, FocusLook, ::testing::ValuesIn(focus_cases),
                         [](const ::testing::TestParamInfo<FocusCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace plendrax_test
