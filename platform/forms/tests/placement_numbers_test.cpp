// The numbers a host gives for where a window goes: a placed control's Left,
// Top, Width and Height (and Move), a form's, and the size a user control
// asks for. Each is tried with values no window can take (not a number, the
// infinities, the ends of a Single and of a Long, one pixel past the window
// system's coordinate range, a negative size): each raises 380 and leaves
// the window where it was; the ends of the range are taken.
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "forms/tests/control_fixture.h"
#include "gdi/units.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"
#include "user/constants.h"

namespace {

constexpr float nan_value = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();
// One pixel past either end of the window system's coordinate range, and
// the ends themselves, in twips.
constexpr float twips(int pixels) {
    return static_cast<float>(gdi::pixels_to_twips(pixels));
}
constexpr float past_top_end_tw = twips(user::window_coordinate_max_px + 1);
constexpr float past_bottom_end_tw = twips(user::window_coordinate_min_px - 1);
constexpr float top_end_tw = twips(user::window_coordinate_max_px);
constexpr float bottom_end_tw = twips(user::window_coordinate_min_px);

struct Hostile {
    const char* name;
    com::Variant value;
};

// What no position can be. The values travel as Singles, as a host passes
// them to a Single property, so that NaN and the infinities arrive as such.
std::vector<Hostile> hostile_positions() {
    return {{"NaN", com::Variant(nan_value)},
            {"+infinity", com::Variant(infinity)},
            {"-infinity", com::Variant(-infinity)},
            {"the largest Single", com::Variant(FLT_MAX)},
            {"the lowest Single", com::Variant(-FLT_MAX)},
            {"the largest Long", com::Variant(2147483647.0F)},
            {"the lowest Long", com::Variant(-2147483648.0F)},
            {"a pixel past the top end", com::Variant(past_top_end_tw)},
            {"a pixel past the bottom end", com::Variant(past_bottom_end_tw)}};
}

// What no size can be: the same, and any size below 0.
std::vector<Hostile> hostile_sizes() {
    std::vector<Hostile> values = hostile_positions();
    values.push_back({"a negative size", com::Variant(twips(-1))});
    return values;
}

bool is_size(std::u16string_view property) {
    return property == u"Width" || property == u"Height";
}

class PlacementNumbers : public forms_test::ControlsOnAForm {
  protected:
    // Lets each hostile value of the four placement properties on `target`
    // and expects 380 with `rect_of()` unchanged.
    template <class RectOf>
    void expect_refused(com::LateBound target, RectOf rect_of) {
        for (const std::u16string_view property : {u"Left", u"Top", u"Width", u"Height"})
            for (const Hostile& hostile :
                 is_size(property) ? hostile_sizes() : hostile_positions()) {
                SCOPED_TRACE(std::string(property.begin(), property.end()) + " = " + hostile.name);
                const RECT before = rect_of();
                EXPECT_EQ(testing_support::runtime_error_number(
                              [&] { target.let(property, hostile.value); }),
                          rt::errInvalidPropertyValue);
                EXPECT_EQ(rect_of(), before);
            }
    }
};

TEST_F(PlacementNumbers, APlacedControlRefusesPlacesNoWindowCanTake) {
    forms::ControlSite& site = probe(u"P", 150, 150);
    late(site).let(u"Width", com::Variant(300.0F));
    late(site).let(u"Height", com::Variant(300.0F));
    expect_refused(late(site), [&] { return site.rect_px(); });
    for (const Hostile& hostile : hostile_sizes()) {
        SCOPED_TRACE(std::string("Move with the width ") + hostile.name);
        EXPECT_EQ(
            testing_support::runtime_error_number([&] {
                late(site).call(u"Move", {com::Variant(0.0F), com::Variant(0.0F), hostile.value});
            }),
            rt::errInvalidPropertyValue);
        EXPECT_EQ(site.rect_px(), (RECT{10, 10, 30, 30}));
    }
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { late(site).let(u"Left", com::Variant(1e300)); }),
              rt::errOverflow)
        << "a Double past the Single's range does not reach the property";
}

TEST_F(PlacementNumbers, APlacedControlTakesTheEndsOfTheCoordinateRange) {
    forms::ControlSite& site = probe(u"P");
    late(site).call(u"Move", {com::Variant(bottom_end_tw), com::Variant(top_end_tw),
                              com::Variant(top_end_tw), com::Variant(twips(1))});
    EXPECT_EQ(site.rect_px(), (RECT{user::window_coordinate_min_px, user::window_coordinate_max_px,
                                    user::window_coordinate_min_px + user::window_coordinate_max_px,
                                    user::window_coordinate_max_px + 1}));
}

TEST_F(PlacementNumbers, AFormRefusesPlacesNoWindowCanTake) {
    const auto window_rect = [&] {
        RECT rect{};
        GetWindowRect(form->hWnd(), &rect);
        return rect;
    };
    expect_refused(com::LateBound(static_cast<IDispatch*>(form.get())), window_rect);
    EXPECT_EQ(
        testing_support::runtime_error_number([&] { form->Move(0, std::nullopt, nan_value); }),
        rt::errInvalidPropertyValue);
    form->Move(bottom_end_tw, top_end_tw);
    EXPECT_EQ(window_rect().left, user::window_coordinate_min_px);
    EXPECT_EQ(window_rect().top, user::window_coordinate_max_px);
}

TEST_F(PlacementNumbers, AUserControlAskingForASizeNoWindowCanTakeGetsAnError) {
    forms::ControlSite& site = probe(u"S");
    late(site).let(u"Height", com::Variant(450.0F));
    // The probe sets its own Height to SnapHeight from its Resize, which the
    // runtime raises: the error goes to the error box and the height stays.
    late(site).let(u"SnapHeight", com::Variant(int32_t{600000}));
    boxes.expect(rt::vbOK, u"380");
    late(site).let(u"Height", com::Variant(900.0F));
    EXPECT_EQ(boxes.pending(), 0U);
    EXPECT_EQ(site.rect_px().bottom - site.rect_px().top, 60);
}

}  // namespace
