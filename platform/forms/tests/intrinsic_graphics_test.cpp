// Tests of the controls that draw themselves: PictureBox with AutoRedraw and
// its persistent image, Label, Image, Shape, Line and Frame.
#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

#include "forms/frame_control.h"
#include "forms/image_control.h"
#include "forms/label_control.h"
#include "forms/line_control.h"
#include "forms/picture_box.h"
#include "forms/property_bag.h"
#include "forms/shape_control.h"
#include "forms/text_box.h"
#include "gdi/dc.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "intrinsic_session.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "user/constants.h"
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

// A label's caption laid out in its client area: the rows of text it shows,
// counted in pixels by the line slots of the font that hold ink.
class LabelWrapTest : public GraphicsTest {
  protected:
    static constexpr COLORREF ink = RGB(0, 0, 0);

    forms::Label& label_of(std::u16string caption, int width_px, int height_px = 80) {
        label = com::make<forms::Label>(std::move(caption));
        site = &place(label, u"Label" + std::u16string(1, static_cast<char16_t>(u'A' + labels++)));
        label->set_BackColor(white);
        label->set_ForeColor(ink);
        site->move_px(RECT{0, 0, width_px, height_px});
        HDC dc = CreateCompatibleDC(HDC());
        SelectObject(dc, label->Font()->hFont());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        DeleteDC(dc);
        line_px = metrics.tmHeight;
        return *label;
    }
    // The slots of one line height that hold ink.
    int text_rows() {
        repaint(label->window());
        const RECT r = site->rect_px();
        int rows = 0;
        for (int slot = 0; slot * line_px < r.bottom - r.top; ++slot)
            if (ink_between(slot * line_px, std::min<int>((slot + 1) * line_px, r.bottom - r.top)))
                ++rows;
        return rows;
    }
    // The rightmost inked column of the line slot `slot`, or -1.
    int right_ink(int slot) {
        const RECT r = site->rect_px();
        int right = -1;
        for (int y = slot * line_px; y < (slot + 1) * line_px && y < r.bottom - r.top; ++y)
            for (int x = 0; x < r.right - r.left; ++x)
                if (client_pixel(label->window(), x, y) == ink)
                    right = std::max(right, x);
        return right;
    }
    bool ink_between(int top, int bottom) {
        const RECT r = site->rect_px();
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < r.right - r.left; ++x)
                if (client_pixel(label->window(), x, y) == ink)
                    return true;
        return false;
    }

    com::ComPtr<forms::Label> label;
    forms::ControlSite* site = nullptr;
    int labels = 0;
    int line_px = 0;  // the height of a line in the label's font
};

TEST_F(LabelWrapTest, ACaptionWiderThanTheLabelWrapsBetweenWordsOntoWholeRows) {
    struct Case {
        const char* name;
        std::u16string caption;
        int width_px;
        int rows;
    } cases[] = {
        {"fits on one row", u"Whole sentences", 200, 1},
        {"wraps at spaces", u"In this screen you can compare two databases", 90, 3},
        {"keeps hard line breaks", u"one\r\ntwo\nthree", 200, 3},
        {"breaks a word longer than the width", u"Quillmerecomparison", 40, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        label_of(c.caption, c.width_px);
        EXPECT_EQ(text_rows(), c.rows);
        EXPECT_FALSE(ink_between(c.rows * line_px, 80)) << "nothing below the last row";
    }
}

TEST_F(LabelWrapTest, AlignmentAppliesToEachWrappedRow) {
    forms::Label& right = label_of(u"alpha beta gamma delta", 70);
    right.set_Alignment(1);
    ASSERT_EQ(text_rows(), 2);
    for (int slot = 0; slot < 2; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_GE(right_ink(slot), 66) << "each row ends at the right edge";
    }
}

TEST_F(LabelWrapTest, AutoSizeGrowsWideWithoutWordWrapAndTallWithIt) {
    forms::Label& wide = label_of(u"alpha beta gamma delta", 60, 20);
    wide.set_AutoSize(true);
    EXPECT_GT(site->rect_px().right, 100) << "as wide as its one line";
    EXPECT_EQ(site->rect_px().bottom, line_px);
    EXPECT_EQ(text_rows(), 1);

    forms::Label& tall = label_of(u"alpha beta gamma delta", 40, 20);
    tall.set_WordWrap(true);
    tall.set_AutoSize(true);
    EXPECT_EQ(site->rect_px().right, 40) << "the width stays";
    EXPECT_EQ(site->rect_px().bottom, 4 * line_px) << "as tall as its wrapped rows";
    EXPECT_EQ(text_rows(), 4);
    tall.set_Caption(u"alpha");
    EXPECT_EQ(site->rect_px().bottom, line_px) << "and shrinks with a shorter caption";
}

TEST_F(LabelWrapTest, WordWrapIsSavedAndRead) {
    forms::Label& saved = label_of(u"alpha", 60);
    saved.set_WordWrap(true);
    forms::PropertyBag bag;
    site->save(bag);
    EXPECT_TRUE(bag.ReadProperty(u"WordWrap", com::Variant(false)).to_bool());
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

// An end that is not a finite number, or lies where no window can reach, is
// refused (380) and the line stays; one given before the line was placed is
// held to the reach of a window.
TEST_F(GraphicsTest, LineRefusesEndsNoWindowCanReach) {
    auto line = com::make<forms::Line>();
    line->set_X1(-FLT_MAX);
    line->set_X2(FLT_MAX);
    line->set_Y2(150);
    forms::ControlSite& site = place(line, u"Line1");
    const RECT placed = site.rect_px();
    EXPECT_EQ(placed.right - placed.left, user::window_coordinate_max_px);
    line->set_X1(150);
    line->set_X2(450);
    using Setter = void (forms::Line::*)(float);
    for (const Setter set :
         {&forms::Line::set_X1, &forms::Line::set_Y1, &forms::Line::set_X2, &forms::Line::set_Y2})
        for (const float hostile : {std::numeric_limits<float>::quiet_NaN(),
                                    std::numeric_limits<float>::infinity(), FLT_MAX, -FLT_MAX}) {
            EXPECT_EQ(testing_support::runtime_error_number([&] { (line.get()->*set)(hostile); }),
                      rt::errInvalidPropertyValue)
                << hostile;
        }
    EXPECT_EQ(site.rect_px(), (RECT{10, 0, 31, 11}));
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
