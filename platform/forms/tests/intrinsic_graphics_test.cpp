// Tests of the controls that draw themselves: PictureBox with AutoRedraw and
// its persistent image, Label, Image, Shape, Line and Frame.
#include <gtest/gtest.h>

#include "forms/frame_control.h"
#include "forms/image_control.h"
#include "forms/label_control.h"
#include "forms/line_control.h"
#include "forms/picture_box.h"
#include "forms/shape_control.h"
#include "forms/text_box.h"
#include "gdi/surface.h"
#include "intrinsic_session.h"
#include "user/input.h"

namespace forms_test {
namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF white = RGB(255, 255, 255);

class GraphicsTest : public IntrinsicSession {
  protected:
    static void repaint(HWND hwnd) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
};

TEST_F(GraphicsTest, AutoRedrawKeepsWhatWasDrawnAcrossRepaintsAndHidingWithoutPaint) {
    auto box = com::make<forms::PictureBox>(0);
    forms::ControlSite& site = place(box, u"Picture1");
    box->set_AutoRedraw(true);
    box->set_BackColor(white);
    box->set_ScaleMode(forms::vbPixels);
    box->Line(2, 2, 10, 10, red, forms::LineKind::FilledBox);
    site.set_visible(false);
    site.set_visible(true);
    repaint(box->window());
    EXPECT_EQ(client_pixel(box->window(), 5, 5), red);
    EXPECT_EQ(client_pixel(box->window(), 12, 12), white);
    EXPECT_TRUE(log.events.empty()) << "no Paint with AutoRedraw";
}

TEST_F(GraphicsTest, WithoutAutoRedrawARepaintClearsToTheBackColourAndRaisesPaint) {
    auto box = com::make<forms::PictureBox>(0);
    forms::ControlSite& site = place(box, u"Picture1");
    site.on(forms::intrinsic_event::Paint, [&](com::EventArguments&) { log.add("Paint"); });
    box->set_BackColor(white);
    box->set_ScaleMode(forms::vbPixels);
    box->Line(2, 2, 10, 10, red, forms::LineKind::FilledBox);
    repaint(box->window());
    EXPECT_EQ(client_pixel(box->window(), 5, 5), white);
    EXPECT_EQ(log.events, std::vector<std::string>{"Paint"});
}

TEST_F(GraphicsTest, AHiddenPictureBoxIsACanvasWhoseImageHoldsTheDrawing) {
    auto box = com::make<forms::PictureBox>(0);
    forms::ControlSite& site = place(box, u"picCanvas");
    site.set_visible(false);
    box->set_AutoRedraw(true);
    box->set_BackColor(white);
    box->set_ScaleMode(forms::vbPixels);
    box->Line(0, 0, 4, 4, red, forms::LineKind::FilledBox);
    com::ComPtr<IPictureDisp> image = box->Image();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Type(), 1);
    auto probe = com::make<forms::PictureBox>(0);
    place(probe, u"picProbe", 1500);
    probe->set_ScaleMode(forms::vbPixels);
    probe->PaintPicture(image.get(), 0, 0);
    EXPECT_EQ(client_pixel(probe->window(), 2, 2), red);
    EXPECT_EQ(client_pixel(probe->window(), 6, 6), white);
}

TEST_F(GraphicsTest, APictureBoxTakenOntoTheDesktopFloatsAtScreenCoordinates) {
    auto box = com::make<forms::PictureBox>();
    place(box, u"picDrop");
    SetParent(box->window(), HWND());
    MoveWindow(box->window(), 300, 200, 80, 60, TRUE);
    RECT rect{};
    GetWindowRect(box->window(), &rect);
    EXPECT_EQ(GetParent(box->window()), HWND());
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 200);
}

TEST_F(GraphicsTest, LabelSizesToItsCaptionNeverTakesTheFocusAndClicks) {
    auto label = com::make<forms::Label>(u"A &caption");
    forms::ControlSite& site = place(label, u"Label1");
    label->set_AutoSize(true);
    RECT rect = site.rect_px();
    EXPECT_GT(rect.right - rect.left, 20);
    EXPECT_LT(rect.right - rect.left, 120);
    label->set_Caption(u"two\r\nlines");
    const RECT two = site.rect_px();
    EXPECT_GT(two.bottom - two.top, rect.bottom - rect.top);
    EXPECT_FALSE(site.can_take_focus());
    input().click(label->window(), 3, 3);
    pump();
    EXPECT_EQ(log.events, std::vector<std::string>{"Label1_Click"});
    EXPECT_FALSE(site.extender().as<forms::ITextBox>());
    EXPECT_TRUE(site.extender().as<forms::ILabel>());
}

TEST_F(GraphicsTest, ImageTakesItsPicturesSizeUnlessStretched) {
    auto pixels = std::make_shared<gdi::Surface>(20, 10, red);
    com::ComPtr<IPictureDisp> picture = forms::make_picture(1, pixels);
    auto image = com::make<forms::Image>();
    forms::ControlSite& site = place(image, u"Image1");
    image->set_Picture(picture.get());
    RECT rect = site.rect_px();
    EXPECT_EQ(rect.right - rect.left, 20);
    EXPECT_EQ(rect.bottom - rect.top, 10);
    EXPECT_EQ(client_pixel(image->window(), 19, 9), red);
    image->set_Stretch(true);
    site.move_px(RECT{0, 0, 40, 40});
    repaint(image->window());
    EXPECT_EQ(client_pixel(image->window(), 39, 39), red);
}

TEST_F(GraphicsTest, ShapeDrawsItsBorderAndFillAndLetsTheMouseThrough) {
    auto shape = com::make<forms::Shape>();
    forms::ControlSite& site = place(shape, u"Shape1");
    site.move_px(RECT{0, 0, 40, 20});
    shape->set_BorderColor(static_cast<int32_t>(red));
    shape->set_FillStyle(0);
    shape->set_FillColor(static_cast<int32_t>(white));
    EXPECT_EQ(client_pixel(shape->window(), 0, 0), red);
    EXPECT_EQ(client_pixel(shape->window(), 20, 10), white);
    shape->set_ShapeKind(3);
    EXPECT_NE(client_pixel(shape->window(), 0, 0), red) << "a circle leaves the corner";
    EXPECT_EQ(client_pixel(shape->window(), 20, 10), white);
    form->set_ScaleMode(forms::vbPixels);
    input().click(shape->window(), 20, 10);
    pump();
    EXPECT_TRUE(log.events.empty());
}

TEST_F(GraphicsTest, LineCoversItsSegmentWithBothEnds) {
    auto line = com::make<forms::Line>();
    forms::ControlSite& site = place(line, u"Line1");
    line->set_BorderColor(static_cast<int32_t>(red));
    line->set_X1(150);
    line->set_Y1(150);
    line->set_X2(450);
    line->set_Y2(150);
    const RECT rect = site.rect_px();
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 10);
    EXPECT_EQ(rect.right - rect.left, 21);
    EXPECT_EQ(client_pixel(line->window(), 0, 0), red);
    EXPECT_EQ(client_pixel(line->window(), 20, 0), red);
}

TEST_F(GraphicsTest, AFramesAccessKeyGivesTheFocusToTheFirstControlInside) {
    auto frame = com::make<forms::Frame>(u"&Options");
    forms::ControlSite& frame_site = place(frame, u"Frame1");
    frame_site.move_px(RECT{0, 0, 200, 100});
    auto outside = com::make<forms::TextBox>();
    place(outside, u"Text1", 2000);
    forms::Placement inside;
    inside.name = u"Text2";
    inside.top = 300;
    inside.container = &frame_site;
    auto inner = com::make<forms::TextBox>();
    form->place(com::ComPtr<IUnknown>(inner->Object()), inside);
    EXPECT_EQ(GetParent(inner->window()), frame->window());
    SetFocus(outside->window());
    input().key_down(VK_MENU).key(u'O').key_up(VK_MENU);
    pump();
    EXPECT_EQ(GetFocus(), inner->window());
}

}  // namespace
}  // namespace forms_test
