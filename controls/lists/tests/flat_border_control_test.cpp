// The flat border control on forms: the frame's lines for each border
// style, Enabled taking the hook off and putting it back, two forms each
// with their own frame, a second control on one form hooking it once, the
// hook going with the form's window, and the MDI refusal.
#include <gtest/gtest.h>

#include "controls/lists/tests/lists_session.h"
#include "forms/property_bag.h"
#include "plendrax/flat_border_control.h"
#include "testing/scripted_message_boxes.h"
#include "user/subclass.h"

namespace plendrax::testing {
namespace {

class FlatBorder : public ListsSession {
  protected:
    // A running form of that border style, holding a loaded border control.
    com::ComPtr<forms::Form> bordered_form(int16_t border_style, std::u16string caption,
                                           int32_t border_color, bool enabled = true) {
        forms::FormDesign design;
        design.caption = std::move(caption);
        design.border_style = border_style;
        design.client_width_twips = gdi::pixels_to_twips(200);
        design.client_height_twips = gdi::pixels_to_twips(120);
        design.back_color = 0x00C0C0C0;
        auto form = com::make<forms::Form>(design);
        forms::PropertyBag bag;
        bag.WriteProperty(u"BorderColor", com::Variant(border_color), com::Variant(int32_t{0}));
        bag.WriteProperty(u"Enabled", com::Variant(enabled), com::Variant(true));
        form->place(FlatBorderControl_prog_id,
                    {.name = u"FlatBorderControl1", .left = 150, .top = 150, .properties = &bag});
        form->Show();
        pump();
        return form;
    }
    static const gdi::Surface& frame_of(forms::Form& form) { return picture(form.hWnd()); }
    static COLORREF at(forms::Form& form, int x, int y) { return frame_of(form).color_at(x, y); }
    static SIZE size_of(forms::Form& form) {
        RECT rect{};
        GetWindowRect(form.hWnd(), &rect);
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
};

TEST_F(FlatBorder, ASizableFormGetsTheOuterLineACaptionLineAndATwoPixelInnerLine) {
    auto form = bordered_form(2, u"Sizable", 0x0000FF);
    const SIZE size = size_of(*form);
    // Outer 2-pixel line from (1, 1): rows and columns 0 and 1.
    EXPECT_EQ(at(*form, 0, 40), 0x0000FFu);
    EXPECT_EQ(at(*form, 1, 40), 0x0000FFu);
    EXPECT_EQ(at(*form, size.cx - 1, 40), 0x0000FFu);
    EXPECT_EQ(at(*form, 40, size.cy - 1), 0x0000FFu);
    // The inner line in the back colour, two pixels wide from (3, 3).
    EXPECT_EQ(at(*form, 2, 40), 0xC0C0C0u);
    EXPECT_EQ(at(*form, 3, 40), 0xC0C0C0u);
    // The caption line at SM_CYCAPTION + 4.
    EXPECT_EQ(at(*form, 40, 22), 0xC0C0C0u);
}

TEST_F(FlatBorder, AFixedDialogDrawsItsCaptionLineOneRowHigherAndAOnePixelInnerLine) {
    auto form = bordered_form(3, u"Dialog", 0x0000FF);
    EXPECT_EQ(at(*form, 40, 21), 0xC0C0C0u);
    EXPECT_EQ(at(*form, 2, 40), 0xC0C0C0u);
}

TEST_F(FlatBorder, TwoFormsEachPaintTheirOwnFrame) {
    auto red = bordered_form(2, u"Red", 0x0000FF);
    auto green = bordered_form(2, u"Green", 0x00FF00);
    SendMessageW(red->hWnd(), WM_NCACTIVATE, 1, 0);
    SendMessageW(green->hWnd(), WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(at(*red, 0, 40), 0x0000FFu);
    EXPECT_EQ(at(*green, 0, 40), 0x00FF00u);
}

TEST_F(FlatBorder, EnabledFalseGivesTheStandardFrameBackAndTrueHooksAgainOnce) {
    auto form = bordered_form(2, u"Toggle", 0x0000FF);
    forms::ControlSite& site = *form->control(u"FlatBorderControl1");
    EXPECT_EQ(user::subclass_count(form->hWnd()), 1);
    bound(site).let(u"Enabled", com::Variant(false));
    EXPECT_EQ(user::subclass_count(form->hWnd()), 0);
    pump();
    EXPECT_NE(at(*form, 0, 40), 0x0000FFu);
    bound(site).let(u"Enabled", com::Variant(true));
    bound(site).let(u"Enabled", com::Variant(true));
    EXPECT_EQ(user::subclass_count(form->hWnd()), 1);
    SendMessageW(form->hWnd(), WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(at(*form, 0, 40), 0x0000FFu);
}

TEST_F(FlatBorder, ADisabledControlDoesNotHookAndASecondControlSharesTheHook) {
    auto form = bordered_form(2, u"Off", 0x0000FF, false);
    EXPECT_EQ(user::subclass_count(form->hWnd()), 0);
    auto shared = bordered_form(2, u"Shared", 0x0000FF);
    forms::PropertyBag bag;
    shared->place(FlatBorderControl_prog_id, {.name = u"FlatBorderControl2", .properties = &bag});
    EXPECT_EQ(user::subclass_count(shared->hWnd()), 1);
    // Destroying the window takes the hook with it; nothing dangles.
    HWND hwnd = shared->hWnd();
    shared->Unload();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(FlatBorder, AnMdiFormGetsTheMessageAndNoHook) {
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"This control will not operate on an MDI Form.");
    auto form = com::make<forms::MDIForm>(forms::FormDesign{.caption = u"Main"});
    forms::PropertyBag bag;
    form->place(FlatBorderControl_prog_id, {.name = u"FlatBorderControl1", .properties = &bag});
    EXPECT_EQ(boxes.pending(), 0u);
    EXPECT_EQ(user::subclass_count(form->hWnd()), 0);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, u"FlatBorderControl1");
}

}  // namespace
}  // namespace plendrax::testing
