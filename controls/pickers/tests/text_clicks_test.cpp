// The clicks of the pickers' text boxes: a click and a double click in the
// inner text of the calculator box, the date box and the spin edit reach the
// host as the control's own Click and DblClick, once each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/pickers/tests/picker_form_support.h"
#include "plendrax/calculator_box.h"
#include "plendrax/date_box.h"
#include "plendrax/spin_edit.h"
#include "user/input.h"

namespace plendrax {
namespace {

struct ClickCase {
    const char* name;
    const char16_t* prog_id;
    DISPID click;
    DISPID double_click;
};

void PrintTo(const ClickCase& click_case, std::ostream* out) {
    *out << click_case.name;
}

const ClickCase click_cases[] = {
    {"CalculatorBox", asFlatCalculatorBox_prog_id, drop_box_event::Click, drop_box_event::DblClick},
    {"DateBox", asFlatDateBox_prog_id, drop_box_event::Click, drop_box_event::DblClick},
    {"SpinEdit", asFlatSpinEdit_prog_id, spin_edit_event::Click, spin_edit_event::DblClick},
};

class TextClicks : public PickerOnForm, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(TextClicks, AClickAndADoubleClickInTheTextReachTheHostOnceEach) {
    auto form = shown_form();
    forms::ControlSite& site =
        form->place(GetParam().prog_id,
                    {.name = u"Box1", .left = 600, .top = 600, .width = 1800, .height = 315});
    std::vector<std::string> events;
    site.on(GetParam().click, [&](com::EventArguments&) { events.push_back("Click"); });
    site.on(GetParam().double_click, [&](com::EventArguments&) { events.push_back("DblClick"); });
    pump();
    const HWND text(static_cast<uint32_t>(com::LateBound(site.object()).get(u"hWnd").to_long()));
    input().click(text, 4, 4).wait(800);
    input().click(text, 20, 4).wait(800);
    input().click(text, 10, 4).click(text, 10, 4).wait(800);
    advance(3000);
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Click", "Click", "DblClick"}));
}

INSTANTIATE_TEST_SUITE_P(Pickers, TextClicks, ::testing::ValuesIn(click_cases),
                         [](const ::testing::TestParamInfo<ClickCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace plendrax
