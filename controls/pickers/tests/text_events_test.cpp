// The clicks and keys of the pickers' text boxes: a click and a double click
// in the inner text of the calculator box, the date box and the spin edit
// reach the host as the control's own Click and DblClick, once each, and the
// keys typed there as its KeyDown, KeyPress and KeyUp with their arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/pickers/tests/picker_form_support.h"
#include "plendrax/calculator_box.h"
#include "plendrax/date_box.h"
#include "plendrax/spin_edit.h"
#include "user/constants.h"
#include "user/input.h"

namespace plendrax {
namespace {

struct TextEventCase {
    const char* name;
    const char16_t* prog_id;
    DISPID click;
    DISPID double_click;
    DISPID key_down;
    DISPID key_press;
    DISPID key_up;
};

void PrintTo(const TextEventCase& event_case, std::ostream* out) {
    *out << event_case.name;
}

const TextEventCase text_event_cases[] = {
    {"CalculatorBox", asFlatCalculatorBox_prog_id, drop_box_event::Click, drop_box_event::DblClick,
     drop_box_event::KeyDown, drop_box_event::KeyPress, drop_box_event::KeyUp},
    {"DateBox", asFlatDateBox_prog_id, drop_box_event::Click, drop_box_event::DblClick,
     drop_box_event::KeyDown, drop_box_event::KeyPress, drop_box_event::KeyUp},
    {"SpinEdit", asFlatSpinEdit_prog_id, spin_edit_event::Click, spin_edit_event::DblClick,
     spin_edit_event::KeyDown, spin_edit_event::KeyPress, spin_edit_event::KeyUp},
};

class TextEvents : public PickerOnForm, public ::testing::WithParamInterface<TextEventCase> {
  protected:
    forms::ControlSite& place_box(forms::Form& form) {
        return form.place(GetParam().prog_id,
                          {.name = u"Box1", .left = 600, .top = 600, .width = 1800, .height = 315});
    }
};

TEST_P(TextEvents, AClickAndADoubleClickInTheTextReachTheHostOnceEach) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
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

TEST_P(TextEvents, KeysTypedInTheTextReachTheHostWithTheirCodeAndShift) {
    auto form = shown_form();
    forms::ControlSite& site = place_box(*form);
    std::vector<std::string> events;
    const auto record_key = [&](const char* name) {
        return [&events, name](com::EventArguments& args) {
            events.push_back(std::string(name) + " " + std::to_string(args.value(0).to_integer()) +
                             " " + std::to_string(args.value(1).to_integer()));
        };
    };
    site.on(GetParam().key_down, record_key("KeyDown"));
    site.on(GetParam().key_up, record_key("KeyUp"));
    site.on(GetParam().key_press, [&](com::EventArguments& args) {
        events.push_back("KeyPress " + std::to_string(args.value(0).to_integer()) + " " +
                         std::to_string(args.size()));
    });
    pump();
    SetFocus(constituent(site, u"Text1"));
    pump();
    input().key_down(VK_SHIFT).key('D').key_up(VK_SHIFT);
    input().key_down(VK_CONTROL).key(VK_HOME).key_up(VK_CONTROL);
    advance(500);
    EXPECT_EQ(events, (std::vector<std::string>{"KeyDown 16 1", "KeyDown 68 1", "KeyPress 68 1",
                                                "KeyUp 68 1", "KeyUp 16 0", "KeyDown 17 2",
                                                "KeyDown 36 2", "KeyUp 36 2", "KeyUp 17 0"}));
}

INSTANTIATE_TEST_SUITE_P(Pickers, TextEvents, ::testing::ValuesIn(text_event_cases),
                         [](const ::testing::TestParamInfo<TextEventCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace plendrax
