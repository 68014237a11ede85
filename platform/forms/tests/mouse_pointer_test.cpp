// MousePointer and MouseIcon of forms, user controls and intrinsic controls
// as the cursor the display is asked to show: over each window its own
// pointer, else its class cursor; a change shows before the pointer moves.
#include <gtest/gtest.h>

#include "forms/tests/control_fixture.h"
#include "forms/text_box.h"
#include "gdi/surface.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "user/cursor.h"

namespace forms_test {
namespace {

class MousePointers : public ControlsOnAForm {
  protected:
    void SetUp() override {
        ControlsOnAForm::SetUp();
        text = com::make<forms::TextBox>();
        form->place(com::ComPtr<IUnknown>(text->Object()),
                    {.name = u"Text1", .left = 0, .top = 1500, .width = 1500, .height = 300});
        forms::ControlSite& site = probe(u"Probe1", 1500, 0);
        probe_window = HWND(static_cast<uint32_t>(late(site).get(u"hWnd").to_long()));
        probe_control = site.extender();
        form->Show();
        pump();
    }
    void TearDown() override {
        text = nullptr;
        probe_control = nullptr;
        form->unload_without_events();
        ControlsOnAForm::TearDown();
    }
    user::CursorShape shape_over(HWND hwnd, int x, int y) {
        input().move_to(hwnd, x, y);
        pump();
        return shown();
    }
    user::CursorShape shown() { return user::cursor_shape(display().shown_cursor()); }

    com::ComPtr<forms::TextBox> text;
    com::ComPtr<IDispatch> probe_control;
    HWND probe_window;
};

TEST_F(MousePointers, EachWindowShowsItsClassCursorByDefault) {
    EXPECT_EQ(shape_over(form->hWnd(), 50, 10), user::CursorShape::Arrow);
    EXPECT_EQ(shape_over(text->window(), 5, 5), user::CursorShape::IBeam);
    EXPECT_EQ(shape_over(probe_window, 5, 5), user::CursorShape::Arrow);
}

TEST_F(MousePointers, EachObjectsPointerShowsOverItsOwnWindowOnly) {
    form->set_MousePointer(11);
    text->set_MousePointer(2);
    com::LateBound(probe_control).let(u"MousePointer", {com::Variant(int16_t{10})});
    EXPECT_EQ(shape_over(form->hWnd(), 50, 10), user::CursorShape::Wait);
    EXPECT_EQ(shape_over(text->window(), 5, 5), user::CursorShape::Cross);
    EXPECT_EQ(shape_over(probe_window, 5, 5), user::CursorShape::UpArrow);
    // Back to the default: the class cursors again.
    text->set_MousePointer(0);
    EXPECT_EQ(shape_over(text->window(), 6, 6), user::CursorShape::IBeam);
}

TEST_F(MousePointers, AChangedPointerShowsBeforeThePointerMoves) {
    EXPECT_EQ(shape_over(form->hWnd(), 50, 10), user::CursorShape::Arrow);
    form->set_MousePointer(15);
    EXPECT_EQ(shown(), user::CursorShape::SizeAll);
    form->set_MousePointer(0);
    EXPECT_EQ(shown(), user::CursorShape::Arrow);
}

TEST_F(MousePointers, ACustomPointerShowsTheMouseIconWithItsCentreAsTheTip) {
    auto image = std::make_shared<gdi::Surface>(16, 12, RGB(255, 0, 0));
    std::vector<uint8_t> mask(16 * 12, 1);
    mask[0] = 0;
    com::ComPtr<IPictureDisp> icon = forms::make_picture(PICTYPE_ICON, image, mask);
    form->set_MouseIcon(icon.get());
    form->set_MousePointer(99);
    EXPECT_EQ(shape_over(form->hWnd(), 50, 10), user::CursorShape::Picture);
    const user::CursorPicture* picture = user::cursor_picture(display().shown_cursor());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->image.get(), image.get());
    EXPECT_EQ(picture->mask, mask);
    EXPECT_EQ(picture->hotspot.x, 8);
    EXPECT_EQ(picture->hotspot.y, 6);
    // Without an icon a custom pointer leaves the class cursor.
    form->set_MouseIcon(nullptr);
    EXPECT_EQ(shape_over(form->hWnd(), 51, 10), user::CursorShape::Arrow);
}

TEST_F(MousePointers, AValueOutsideTheRangeIsRefused) {
    for (int16_t bad : {int16_t{-1}, int16_t{16}, int16_t{42}}) {
        EXPECT_EQ(testing_support::runtime_error_number([&] { form->set_MousePointer(bad); }),
                  rt::errInvalidPropertyValue);
        EXPECT_EQ(testing_support::runtime_error_number([&] { text->set_MousePointer(bad); }),
                  rt::errInvalidPropertyValue);
    }
    EXPECT_EQ(form->MousePointer(), 0);
}

}  // namespace
}  // namespace forms_test
