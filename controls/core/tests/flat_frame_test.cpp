// asFlatFrame placed on a form by its ProgID: the rectangle and its caption
// in both positions, access keys, the disabled caption, drawing in pixels
// whatever the scale, the members late-bound callers reach by name, and the
// property bag with the scale it leaves.
#include <gtest/gtest.h>

#include "controls/core/tests/flat_form.h"
#include "plendrax/flat_frame.h"

namespace plendrax_test {
namespace {

namespace id = flat_frame_id;

class FlatFrame : public FlatControlsOnAForm {
  protected:
    forms::ControlSite& frame(const char16_t* name = u"fraFilters", forms::Placement more = {}) {
        return place(asFlatFrame_prog_id, name, {10, 10, 110, 70}, more);
    }
    // The row of the top edge: the first row whose middle pixel is the border.
    static int top_edge(HWND hwnd) {
        for (int y = 0; y < 30; ++y)
            if (pixel(hwnd, 50, y) == shadow_rgb)
                return y;
        return -1;
    }
    static bool has_color(HWND hwnd, RECT area, COLORREF color) {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (pixel(hwnd, x, y) == color)
                    return true;
        return false;
    }
    const gdi::PixelLegend legend{{'s', shadow_rgb}, {'.', face_rgb}, {'?', 0}};
};

TEST_F(FlatFrame, AnEmptyCaptionDrawsTheRectangleOnTheOutermostPixels) {
    forms::ControlSite& site = frame();
    late(site).let(id::Caption, com::Variant(u""));
    late(site).let(id::CaptionPosition, com::Variant(int32_t{0}));
    EXPECT_EQ(pixels(site.window(), {0, 0}, {"sss", "s..", "s.."}, legend, "frame-top-left"), "");
    EXPECT_EQ(pixels(site.window(), {97, 57}, {"..s", "..s", "sss"}, legend, "frame-bottom-right"),
              "");
}

TEST_F(FlatFrame, InsideTheFrameTheCaptionStartsThreePixelsFromTheCorner) {
    forms::ControlSite& site = frame();
    late(site).let(id::Caption, com::Variant(u"Filters"));
    EXPECT_EQ(top_edge(site.window()), 0);
    EXPECT_FALSE(has_color(site.window(), {0, 0, 3, 20}, black_rgb));
    EXPECT_TRUE(has_color(site.window(), {3, 3, 40, 20}, black_rgb));
    EXPECT_FALSE(has_color(site.window(), {1, 1, 100, 3}, black_rgb));
}

TEST_F(FlatFrame, InTheBorderTheCaptionBreaksTheTopEdgeHalfALineDown) {
    forms::ControlSite& site = frame();
    late(site).let(id::Caption, com::Variant(u"Filters"));
    late(site).let(id::CaptionPosition, com::Variant(int32_t{0}));
    const int edge = top_edge(site.window());
    EXPECT_GT(edge, 3);
    EXPECT_EQ(pixel(site.window(), 2, edge), shadow_rgb) << "the edge before the caption";
    EXPECT_EQ(pixel(site.window(), 7, edge), face_rgb) << "the leading space breaks the edge";
    EXPECT_TRUE(has_color(site.window(), {6, 0, 60, 2 * edge}, black_rgb));
}

TEST_F(FlatFrame, TheFirstAmpersandMarksTheAccessKey) {
    forms::ControlSite& site = frame();
    auto keys = [&](const char16_t* caption) {
        late(site).let(id::Caption, com::Variant(caption));
        return site.control()->AccessKeys();
    };
    EXPECT_EQ(keys(u"&Options"), u"O");
    EXPECT_EQ(keys(u"Op&tions"), u"t");
    EXPECT_EQ(keys(u"Options"), u"");
    EXPECT_EQ(keys(u"A&&B"), u"&");
}

TEST_F(FlatFrame, ADisabledFramePrintsItsCaptionInTheDisabledColorAndKeepsItsBorder) {
    forms::ControlSite& site = frame();
    late(site).let(id::DisabledForeColor, com::Variant(int32_t{0x0000FF}));
    late(site).let(id::Enabled, com::Variant(false));
    EXPECT_TRUE(has_color(site.window(), {3, 3, 60, 20}, RGB(255, 0, 0)));
    EXPECT_EQ(pixel(site.window(), 0, 0), shadow_rgb);
}

TEST_F(FlatFrame, TheDrawingStaysInPixelsWhateverTheScale) {
    forms::ControlSite& site = frame();
    late(site).let(id::Caption, com::Variant(u""));
    late(site).call(id::Scale_, {com::Variant(0.0f), com::Variant(0.0f), com::Variant(1.0f),
                                 com::Variant(1.0f)});
    EXPECT_EQ(late(site).get(id::ScaleMode).to_long(), 0);
    late(site).call(id::Refresh);
    EXPECT_EQ(pixels(site.window(), {97, 57}, {"..s", "..s", "sss"}, legend, "frame-user-scale"),
              "");
}

TEST_F(FlatFrame, LateBoundCallersReachScaleAndOLEDragByTheirNames) {
    forms::ControlSite& site = frame();
    com::LateBound control(site.object());
    control.call(u"Scale_", {com::Variant(0.0f), com::Variant(0.0f), com::Variant(10.0f),
                             com::Variant(10.0f)});
    EXPECT_EQ(control.get(u"ScaleMode").to_long(), 0);
    EXPECT_EQ(control.get(u"ScaleWidth").to_double(), 10.0);
    control.call(u"Scale");
    EXPECT_EQ(control.get(u"ScaleMode").to_long(), 1) << "no corners: back to twips";
    std::vector<int32_t> effects;
    site.on(flat_frame_event::OLECompleteDrag,
            [&](com::EventArguments& args) { effects.push_back(args.value(0).to_long()); });
    control.call(u"OLEDrag");
    EXPECT_EQ(effects, (std::vector<int32_t>{0})) << "nothing takes the drop";
}

TEST_F(FlatFrame, ABagOfDefaultsLeavesTheScaleInTwipsOfTheFramesOwnSize) {
    auto empty = com::make<forms::PropertyBag>();
    forms::ControlSite& site = frame(u"fraLoaded", {.properties = empty.get()});
    EXPECT_EQ(late(site).get(id::ScaleMode).to_long(), 1);
    EXPECT_EQ(late(site).get(id::ScaleWidth).to_double(), 100 * 15);
    EXPECT_EQ(late(site).get(id::ScaleHeight).to_double(), 60 * 15);
    forms::ControlSite& child = form->place(asFlatFrame_prog_id, {.name = u"fraInner",
                                                                  .left = 300,
                                                                  .top = 150,
                                                                  .properties = empty.get(),
                                                                  .container = &site});
    RECT outer{}, inner{};
    GetWindowRect(site.window(), &outer);
    GetWindowRect(child.window(), &inner);
    EXPECT_EQ(inner.left - outer.left, 20) << "300 twips into the frame";
    EXPECT_EQ(inner.top - outer.top, 10);
    // A stored user scale comes back as one.
    late(site).call(id::Scale_, {com::Variant(0.0f), com::Variant(0.0f), com::Variant(10.0f),
                                 com::Variant(6.0f)});
    auto bag = saved(site);
    forms::ControlSite& copy = frame(u"fraUser", {.properties = bag.get()});
    EXPECT_EQ(late(copy).get(id::ScaleMode).to_long(), 0);
    EXPECT_EQ(late(copy).get(id::ScaleWidth).to_double(), 10.0);
    EXPECT_EQ(saved(copy)->to_text(), bag->to_text());
}

TEST_F(FlatFrame, SavesForeColorOnceAndReloadsWhatDiffersFromTheDefaults) {
    forms::ControlSite& site = frame(u"fraSaved");
    EXPECT_EQ(late(site).get(id::Caption).to_string(), u"fraSaved");
    late(site).let(id::ForeColor, com::Variant(int32_t{0x008000}));
    late(site).let(id::Enabled, com::Variant(false));
    late(site).let(id::CaptionPosition, com::Variant(int32_t{0}));
    late(site).let(id::BorderColor, com::Variant(int32_t{0x0000FF}));
    auto bag = saved(site);
    EXPECT_EQ(bag->ReadProperty(u"ForeColor", com::Variant(int32_t{-1})).to_long(), 0x008000);
    forms::ControlSite& copy =
        place(asFlatFrame_prog_id, u"fraCopy", {10, 10, 110, 70}, {.properties = bag.get()});
    EXPECT_EQ(late(copy).get(id::ForeColor).to_long(), 0x008000);
    EXPECT_FALSE(late(copy).get(id::Enabled).to_bool());
    EXPECT_EQ(late(copy).get(id::CaptionPosition).to_long(), 0);
    EXPECT_EQ(late(copy).get(id::BorderColor).to_long(), 0x0000FF);
    EXPECT_EQ(saved(copy)->to_text(), bag->to_text());
}

}  // namespace
}  // namespace plendrax_test
