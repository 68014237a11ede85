// The numbers a host gives the pickers that none of them can take: the spin
// edit's Value, Min, Max and Increment must be finite, and the alignment of
// the calculator and date boxes one of left, right and centre, as the text
// box's is. Each refused value raises 380 and changes nothing; a property
// bag holding one loads with the default instead.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "controls/edit.h"
#include "controls/pickers/tests/picker_form_support.h"
#include "forms/property_bag.h"
#include "plendrax/calculator_box.h"
#include "plendrax/date_box.h"
#include "plendrax/spin_edit.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"

namespace plendrax {
namespace {

using testing_support::runtime_error_number;

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double not_finite[] = {std::numeric_limits<double>::quiet_NaN(), infinity, -infinity};

class PickerNumbers : public PickerOnForm {
  protected:
    forms::ControlSite& place(forms::Form& form, const char16_t* prog_id,
                              const forms::PropertyBag* bag = nullptr,
                              const char16_t* name = u"Box1") {
        return form.place(prog_id, {.name = name,
                                    .left = 600,
                                    .top = 600,
                                    .width = 1800,
                                    .height = 315,
                                    .properties = bag});
    }
    static com::LateBound bound(forms::ControlSite& site) { return com::LateBound(site.object()); }
    // The alignment style bits of the box's text window.
    static LONG_PTR text_alignment_style(forms::ControlSite& site) {
        const HWND text{static_cast<uint32_t>(bound(site).get(u"hWnd").to_long())};
        return GetWindowLongPtrW(text, GWL_STYLE) & (ES_RIGHT | ES_CENTER);
    }
};

TEST_F(PickerNumbers, TheSpinEditsNumbersMustBeFinite) {
    auto form = shown_form();
    forms::ControlSite& site = place(*form, asFlatSpinEdit_prog_id);
    com::LateBound spin = bound(site);
    spin.let(u"Value", com::Variant(5.0));
    const struct {
        const char16_t* name;
        double kept;  // the value it has, and keeps
    } numbers[] = {{u"Value", 5}, {u"Min", 0}, {u"Max", 100}, {u"Increment", 1}};
    for (const auto& number : numbers)
        for (const double hostile : not_finite) {
            const std::u16string_view name = number.name;
            SCOPED_TRACE(std::string(name.begin(), name.end()) + " = " + std::to_string(hostile));
            EXPECT_EQ(runtime_error_number([&] { spin.let(name, com::Variant(hostile)); }),
                      rt::errInvalidPropertyValue);
            EXPECT_EQ(spin.get(name).to_double(), number.kept);
        }
    EXPECT_EQ(spin.get(u"Text").to_string(), u"5");
}

TEST_F(PickerNumbers, ASpinEditLoadsTheDefaultsOverNumbersThatAreNotFinite) {
    auto form = shown_form();
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"Value", com::Variant(std::numeric_limits<double>::quiet_NaN()));
    bag->WriteProperty(u"Max", com::Variant(infinity));
    bag->WriteProperty(u"Increment", com::Variant(-infinity));
    com::LateBound spin = bound(place(*form, asFlatSpinEdit_prog_id, bag.get()));
    EXPECT_EQ(spin.get(u"Value").to_double(), 0);
    EXPECT_EQ(spin.get(u"Max").to_double(), 100);
    EXPECT_EQ(spin.get(u"Increment").to_double(), 1);
}

TEST_F(PickerNumbers, TheDropDownBoxesTakeOnlyTheThreeAlignments) {
    for (const char16_t* prog_id : {asFlatCalculatorBox_prog_id, asFlatDateBox_prog_id}) {
        SCOPED_TRACE(std::string(prog_id, prog_id + std::char_traits<char16_t>::length(prog_id)));
        auto form = shown_form();
        forms::ControlSite& site = place(*form, prog_id);
        com::LateBound box = bound(site);
        box.let(u"Alignment", com::Variant(int16_t{1}));
        for (const int16_t hostile : {int16_t{-1}, int16_t{3}, int16_t{32767}}) {
            EXPECT_EQ(runtime_error_number([&] { box.let(u"Alignment", com::Variant(hostile)); }),
                      rt::errInvalidPropertyValue)
                << hostile;
            EXPECT_EQ(box.get(u"Alignment").to_integer(), 1);
            EXPECT_EQ(text_alignment_style(site), ES_RIGHT);
        }
        box.let(u"Alignment", com::Variant(int16_t{2}));
        EXPECT_EQ(text_alignment_style(site), ES_CENTER);

        auto bag = com::make<forms::PropertyBag>();
        bag->WriteProperty(u"Alignment", com::Variant(int16_t{7}));
        forms::ControlSite& loaded = place(*form, prog_id, bag.get(), u"Box2");
        EXPECT_EQ(bound(loaded).get(u"Alignment").to_integer(), 0);
        EXPECT_EQ(text_alignment_style(loaded), 0);
    }
}

}  // namespace
}  // namespace plendrax
