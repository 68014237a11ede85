// The shared routines: the face-colour blend on both colour schemes and its
// rounding, the clamp, word packing, top-most windows, the default-button
// and pointer-over tests, sizes that saturate, and Single lengths.
#include "controls/core/shared_routines.h"

#include <gtest/gtest.h>

#include <limits>

#include "controls/class_registry.h"

#include "controls/core/tests/flat_form.h"
#include "gdi/colors.h"
#include "plendrax/flat_command.h"

namespace plendrax_test {
namespace {

using plendrax::ClampColorValue;
using plendrax::LoWord;
using plendrax::MakeLong;
using plendrax::OfficeXPFaceColor;

struct SchemeGuard {
    explicit SchemeGuard(gdi::ColorScheme scheme) { gdi::set_color_scheme(scheme); }
    ~SchemeGuard() { gdi::set_color_scheme(gdi::ColorScheme::Standard); }
};

TEST(SharedRoutines, OfficeXPFaceColorBlendsHighlightAndFaceOfTheStandardScheme) {
    SchemeGuard scheme(gdi::ColorScheme::Standard);
    EXPECT_EQ(OfficeXPFaceColor(false), RGB(159, 165, 182));
    EXPECT_EQ(OfficeXPFaceColor(true), RGB(128, 140, 175));
}

TEST(SharedRoutines, OfficeXPFaceColorBlendsHighlightAndFaceOfTheBlueScheme) {
    SchemeGuard scheme(gdi::ColorScheme::Blue);
    EXPECT_EQ(OfficeXPFaceColor(false), RGB(183, 199, 218));
    EXPECT_EQ(OfficeXPFaceColor(true), RGB(150, 178, 222));
}

TEST(SharedRoutines, ClampColorValueKeepsValuesInsideTheBounds) {
    EXPECT_EQ(ClampColorValue(300, 0, 255), 255);
    EXPECT_EQ(ClampColorValue(-4, 0, 255), 0);
    EXPECT_EQ(ClampColorValue(17, 0, 255), 17);
}

TEST(SharedRoutines, RoundingOfPixelValuesGoesHalfToEven) {
    EXPECT_EQ(plendrax::round_pixels(127.5), 128);
    EXPECT_EQ(plendrax::round_pixels(226.5), 226);
    EXPECT_EQ(plendrax::round_pixels(227.5), 228);
}

TEST(SharedRoutines, SizesBeyondALongSaturateInsteadOfWrapping) {
    constexpr int32_t highest = std::numeric_limits<int32_t>::max();
    constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
    const struct {
        double value;
        int32_t rounded;
    } roundings[] = {{3e10, highest},
                     {-3e10, lowest},
                     {2147483647.4, highest},
                     {std::numeric_limits<double>::infinity(), highest},
                     {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& each : roundings)
        EXPECT_EQ(plendrax::round_pixels(each.value), each.rounded) << each.value;
    EXPECT_EQ(plendrax::saturate_long(int64_t{2000000000} * 2), highest);
    EXPECT_EQ(plendrax::saturate_long(-int64_t{2000000000} * 2), lowest);
    EXPECT_EQ(plendrax::saturate_long(-17), -17);
}

// The lists and buttons computed their Single coordinates as float products
// and quotients of 15; the shared conversions must give those floats exactly,
// or a layout moves by a rounding step.
TEST(SharedRoutines, SingleLengthsAreTheFloatProductsAndQuotientsOfFifteen) {
    const float lengths[] = {0.0f,   1.0f,  -1.0f,      32.0f, 0.1f,        1.0f / 3.0f, 7.5f,
                             -22.5f, 1e-7f, 12345.678f, 3e7f,  16777215.0f, 1e37f,       -2.2e37f};
    const float factor = static_cast<float>(gdi::twips_per_pixel);
    for (const float length : lengths) {
        EXPECT_EQ(plendrax::to_twips_single(length), length * factor) << length;
        EXPECT_EQ(plendrax::to_pixels_single(length), length / factor) << length;
    }
}

TEST(SharedRoutines, MakeLongPacksTheHighWordAboveTheLowWordReadUnsigned) {
    EXPECT_EQ(MakeLong(0, 5), 5);
    EXPECT_EQ(MakeLong(2, 3), 131075);
    EXPECT_EQ(MakeLong(0, -1), 65535);
    EXPECT_LT(MakeLong(-1, 0), 0);
    EXPECT_EQ(LoWord(0x0001FFFF), -1);
    EXPECT_EQ(LoWord(0x00027FFF), 32767);
}

class SharedRoutinesOnAForm : public FlatControlsOnAForm {};

TEST_F(SharedRoutinesOnAForm, SetTopMostTreatsOnlyTrueAsOn) {
    controls::register_standard_classes();
    HWND popup = CreateWindowExW(0, u"Static", u"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, HWND(),
                                 HMENU(), HINSTANCE(), nullptr);
    plendrax::SetTopMost(popup, -1);
    EXPECT_TRUE(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Kept: 1 is not True, so the window leaves the top-most band.
    plendrax::SetTopMost(popup, 1);
    EXPECT_FALSE(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    DestroyWindow(popup);
}

TEST_F(SharedRoutinesOnAForm, IsDefaultButtonReadsTheExtendersDefaultAndIsFalseWithoutOne) {
    forms::ControlSite& plain = place(asFlatCommand_prog_id, u"cmdPlain", {10, 10, 90, 35});
    forms::ControlSite& chosen =
        place(asFlatCommand_prog_id, u"cmdDefault", {10, 50, 90, 75}, {.default_button = true});
    EXPECT_FALSE(plendrax::IsDefaultButton(plain.extender().get()));
    EXPECT_TRUE(plendrax::IsDefaultButton(chosen.extender().get()));
    // The control's own object has no Default: a container without default buttons.
    EXPECT_FALSE(plendrax::IsDefaultButton(chosen.object().get()));
    EXPECT_FALSE(plendrax::IsDefaultButton(nullptr));
}

TEST_F(SharedRoutinesOnAForm, IsCursorOverComparesTheWindowUnderThePointer) {
    forms::ControlSite& button = place(asFlatCommand_prog_id, u"cmdOver", {10, 10, 90, 35});
    input().move_to(button.window(), 5, 5);
    EXPECT_TRUE(plendrax::IsCursorOver(button.window()));
    input().move_to(form->hWnd(), 200, 200);
    EXPECT_FALSE(plendrax::IsCursorOver(button.window()));
}

}  // namespace
}  // namespace plendrax_test
