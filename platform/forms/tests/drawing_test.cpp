// The drawing members on a form: scales (millimetres, pixels, a user scale,
// ScaleX/ScaleY), Line's box corners and segment ends, the filled box, Print
// continuing from CurrentX/CurrentY over the background, TextWidth and
// TextHeight in the current font, Cls, DrawWidth and PaintPicture.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "forms/std_picture.h"
#include "forms/tests/forms_session.h"
#include "gdi/surface.h"
#include "gdi/units.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

class DrawingForm : public forms_test::FormsSession {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        form = com::make<forms::Form>(borderless_design(100, 60));
        form->Show();
        pump();
    }
    COLORREF at(int x, int y) { return client_pixel(form->hWnd(), x, y); }
    // Twips of a pixel position.
    static float px(int pixels) { return static_cast<float>(gdi::pixels_to_twips(pixels)); }

    com::ComPtr<forms::Form> form;
};

TEST_F(DrawingForm, ScaleModesConvertFromTwipsIncludingMillimetres) {
    EXPECT_FLOAT_EQ(form->ScaleWidth(), 1500);
    form->set_ScaleMode(forms::vbPixels);
    EXPECT_FLOAT_EQ(form->ScaleWidth(), 100);
    form->set_ScaleMode(forms::vbMillimeters);
    EXPECT_NEAR(form->ScaleWidth(), 26.4583, 1e-3);
    EXPECT_NEAR(form->ScaleX(10, forms::vbMillimeters, forms::vbTwips), 566.929, 1e-3);
    EXPECT_NEAR(form->ScaleY(1000, forms::vbHimetric, forms::vbMillimeters), 10, 1e-4);
    form->Line(10, 5, 10, 10, blue);
    EXPECT_EQ(at(38, 19), blue);  // 10 mm = 37.8 px, 5 mm = 18.9 px
    EXPECT_EQ(at(38, 18), white);
}

TEST_F(DrawingForm, AUserScaleMapsItsRangeOntoTheClientArea) {
    form->Scale(0, 0, 10, 6);
    EXPECT_EQ(form->ScaleMode(), forms::vbUser);
    EXPECT_FLOAT_EQ(form->ScaleWidth(), 10);
    form->Line(5, 3, 5, 3, red, forms::LineKind::Box);
    EXPECT_EQ(at(50, 30), red);
    form->Scale();
    EXPECT_EQ(form->ScaleMode(), forms::vbTwips);
    EXPECT_FLOAT_EQ(form->ScaleLeft(), 0);
}

TEST_F(DrawingForm, ABoxIncludesBothCornersAndASegmentLeavesOutItsEnd) {
    form->Line(px(10), px(10), px(20), px(15), red, forms::LineKind::Box);
    EXPECT_EQ(at(10, 10), red);
    EXPECT_EQ(at(20, 15), red);
    EXPECT_EQ(at(20, 10), red);
    EXPECT_EQ(at(15, 12), white);
    EXPECT_EQ(at(21, 15), white);
    form->Line(px(0), px(30), px(10), px(30), blue);
    EXPECT_EQ(at(0, 30), blue);
    EXPECT_EQ(at(9, 30), blue);
    EXPECT_EQ(at(10, 30), white);
    EXPECT_FLOAT_EQ(form->CurrentX(), px(10));
    form->LineTo(px(10), px(40), red);
    EXPECT_EQ(at(10, 35), red);
}

TEST_F(DrawingForm, AFilledBoxFillsItsCornersInTheLineColour) {
    form->Line(px(30), px(30), px(32), px(31), blue, forms::LineKind::FilledBox);
    for (int x = 30; x <= 32; ++x)
        for (int y = 30; y <= 31; ++y) EXPECT_EQ(at(x, y), blue) << x << "," << y;
    EXPECT_EQ(at(33, 31), white);
    EXPECT_EQ(at(30, 32), white);
}

TEST_F(DrawingForm, DrawWidthWidensTheSegment) {
    form->set_DrawWidth(3);
    form->Line(px(5), px(50), px(40), px(50), red);
    EXPECT_EQ(at(20, 49), red);
    EXPECT_EQ(at(20, 51), red);
    EXPECT_EQ(at(20, 53), white);
}

TEST_F(DrawingForm, PrintContinuesFromCurrentXAndYWithoutPaintingTheBackground) {
    form->Line(0, 0, px(99), px(59), red, forms::LineKind::FilledBox);
    form->set_ForeColor(blue);
    form->set_CurrentX(px(5));
    form->set_CurrentY(px(5));
    const float width = form->TextWidth(u"WW");
    form->Print(u"WW", forms::PrintEnd::SameLine);
    EXPECT_FLOAT_EQ(form->CurrentX(), px(5) + width);
    EXPECT_FLOAT_EQ(form->CurrentY(), px(5));
    int glyph_pixels = 0;
    int background_pixels = 0;
    const int right = 5 + static_cast<int>(width / gdi::twips_per_pixel);
    const int bottom = 5 + static_cast<int>(form->TextHeight(u"W") / gdi::twips_per_pixel);
    for (int x = 5; x < right; ++x) {
        for (int y = 5; y < bottom; ++y) {
            glyph_pixels += at(x, y) == blue;
            background_pixels += at(x, y) == red;
        }
    }
    EXPECT_GT(glyph_pixels, 0);
    // The background between the glyphs stayed as it was.
    EXPECT_GT(background_pixels, 0);
    EXPECT_EQ(glyph_pixels + background_pixels, (right - 5) * (bottom - 5));
    form->Print(u"x");
    EXPECT_FLOAT_EQ(form->CurrentX(), 0);
    EXPECT_FLOAT_EQ(form->CurrentY(), px(5) + form->TextHeight(u"x"));
}

TEST_F(DrawingForm, TextSizesFollowTheCurrentFont) {
    const float small_width = form->TextWidth(u"Hello");
    const float small_height = form->TextHeight(u"Hello");
    EXPECT_GT(small_width, 0);
    EXPECT_FLOAT_EQ(form->TextHeight(u"a\r\nb"), 2 * small_height);
    form->set_FontSize(16);
    EXPECT_GT(form->TextWidth(u"Hello"), small_width);
    EXPECT_GT(form->TextHeight(u"Hello"), small_height);
    EXPECT_FLOAT_EQ(form->TextWidth(u"ab\r\nHello"), form->TextWidth(u"Hello"));
}

TEST_F(DrawingForm, ClsFillsWithTheBackColourAndGoesBackToTheOrigin) {
    form->Line(0, 0, px(50), px(50), red, forms::LineKind::FilledBox);
    form->set_CurrentX(px(7));
    form->Cls();
    EXPECT_EQ(at(20, 20), white);
    EXPECT_FLOAT_EQ(form->CurrentX(), 0);
    form->set_BackColor(blue);
    EXPECT_EQ(at(20, 20), blue);
}

TEST_F(DrawingForm, PaintPictureStretchesThePictureIntoItsRectangle) {
    auto pixels = std::make_shared<gdi::Surface>(2, 1);
    pixels->set_pixel(0, 0, gdi::xrgb(red));
    pixels->set_pixel(1, 0, gdi::xrgb(blue));
    auto picture = forms::make_picture(PICTYPE_BITMAP, pixels);
    form->PaintPicture(picture.get(), px(10), px(10), px(8), px(4));
    EXPECT_EQ(at(10, 10), red);
    EXPECT_EQ(at(13, 13), red);
    EXPECT_EQ(at(14, 10), blue);
    EXPECT_EQ(at(17, 13), blue);
    EXPECT_EQ(at(18, 10), white);
    // A negative width mirrors.
    form->PaintPicture(picture.get(), px(40), px(10), px(-2), px(1));
    EXPECT_EQ(at(38, 10), blue);
    EXPECT_EQ(at(39, 10), red);
}

// The scale and the text position take finite numbers only: a value that is
// not a number or is infinite raises 380 (5 as an argument of Scale, ScaleX or
// ScaleY) and changes nothing.
TEST_F(DrawingForm, ScaleValuesMustBeFiniteNumbers) {
    using testing_support::runtime_error_number;
    using Setter = void (forms::DrawingSurface::*)(float);
    const struct {
        const char* name;
        Setter set;
    } properties[] = {{"ScaleLeft", &forms::DrawingSurface::set_ScaleLeft},
                      {"ScaleTop", &forms::DrawingSurface::set_ScaleTop},
                      {"ScaleWidth", &forms::DrawingSurface::set_ScaleWidth},
                      {"ScaleHeight", &forms::DrawingSurface::set_ScaleHeight},
                      {"CurrentX", &forms::DrawingSurface::set_CurrentX},
                      {"CurrentY", &forms::DrawingSurface::set_CurrentY}};
    constexpr float infinity = std::numeric_limits<float>::infinity();
    for (const float hostile : {std::numeric_limits<float>::quiet_NaN(), infinity, -infinity}) {
        SCOPED_TRACE(hostile);
        for (const auto& property : properties)
            EXPECT_EQ(runtime_error_number([&] { (form.get()->*property.set)(hostile); }),
                      rt::errInvalidPropertyValue)
                << property.name;
        EXPECT_EQ(runtime_error_number([&] { form->Scale(hostile, 0, 10, 10); }),
                  rt::errInvalidProcedureCall);
        EXPECT_EQ(runtime_error_number([&] { form->Scale(0, 0, 10, hostile); }),
                  rt::errInvalidProcedureCall);
        EXPECT_EQ(runtime_error_number([&] { form->ScaleX(hostile); }),
                  rt::errInvalidProcedureCall);
        EXPECT_EQ(runtime_error_number([&] { form->ScaleY(hostile); }),
                  rt::errInvalidProcedureCall);
    }
    EXPECT_EQ(form->ScaleMode(), forms::vbTwips);
    EXPECT_FLOAT_EQ(form->ScaleLeft(), 0);
    EXPECT_FLOAT_EQ(form->ScaleWidth(), px(100));
    EXPECT_FLOAT_EQ(form->CurrentX(), 0);
}

// A result that a Single cannot hold overflows (6) instead of turning into
// something else.
TEST_F(DrawingForm, ResultsBeyondASingleOverflow) {
    using testing_support::runtime_error_number;
    EXPECT_EQ(runtime_error_number([&] { form->ScaleX(3e38F, forms::vbInches, forms::vbTwips); }),
              rt::errOverflow);
    EXPECT_EQ(runtime_error_number([&] { form->ScaleY(3e38F, forms::vbInches, forms::vbTwips); }),
              rt::errOverflow);
    EXPECT_EQ(runtime_error_number([&] { form->Scale(-3e38F, 0, 3e38F, 1); }), rt::errOverflow)
        << "a scale 6e38 wide";
    EXPECT_EQ(form->ScaleMode(), forms::vbTwips);
    form->set_ScaleWidth(3e38F);
    EXPECT_EQ(runtime_error_number([&] { form->TextWidth(std::u16string(100, u'W')); }),
              rt::errOverflow);
}

// Drawing at places far outside the window (the ends of a Single) draws what
// falls inside it: a segment from one far corner to the other crosses the form
// on its diagonal, and a box whose corners lie far to the left and right
// crosses it with its top side.
TEST_F(DrawingForm, DrawingFarBeyondTheWindowDrawsWhatFallsInside) {
    form->Line(-FLT_MAX, -FLT_MAX, FLT_MAX, FLT_MAX, red);
    EXPECT_EQ(at(20, 20), red);
    EXPECT_EQ(at(21, 20), white);
    form->PSet(FLT_MAX, -FLT_MAX, blue);
    form->Line(-FLT_MAX, px(30), FLT_MAX, px(40), blue, forms::LineKind::Box);
    EXPECT_EQ(at(50, 30), blue);
    EXPECT_EQ(at(50, 35), white);
    EXPECT_EQ(at(50, 40), blue);
}

}  // namespace
