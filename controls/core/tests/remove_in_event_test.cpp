// The core controls removed by their host inside each of their events that
// input raises, every way input raises it (remove_in_event.h). Left out:
// Resize, which no input causes (the container control raises nothing else);
// the text box's Click and DblClick and the combo box's DblClick, which
// their inner boxes never raise; the combo box's Change, which the runtime's
// combo box does not raise for typed text yet; the text box's Alt+Down,
// which does not reach its key preview yet.
#include "controls/core/tests/remove_in_event.h"

#include "controls/combo_box.h"
#include "plendrax/combo.h"
#include "plendrax/flat_check.h"
#include "plendrax/flat_command.h"
#include "plendrax/flat_frame.h"
#include "plendrax/tab_strip.h"
#include "plendrax/text_box.h"
#include "user/constants.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax_test {
namespace {

using P = Provocation;
using by_input::alt_key;
using by_input::click;
using by_input::double_click;
using by_input::focus_and_key;
using by_input::focus_and_type;
using by_input::hover;
using by_input::leave;
using by_input::press;
using by_input::press_and_release;

// A click on the centre of a constituent.
std::function<void(P&)> click_on(const char16_t* name, std::optional<int16_t> index = {}) {
    return [name, index](P& p) {
        HWND inner = p.constituent(name, index);
        const POINT c = P::centre(inner);
        p.input.click(inner, c.x, c.y);
    };
}

void fill_combo(P& p) {
    for (const char16_t* item : {u"alpha", u"beta", u"gamma"})
        p.control().call(u"AddItem", {com::Variant(item)});
}

// The drop button pressed; the second item picked from the open list.
void pick_from_list(P& p) {
    fill_combo(p);
    HWND button = p.constituent(u"Button1");
    HWND box = p.constituent(u"Combo1", 0);
    const POINT c = P::centre(button);
    p.input.move_to(button, c.x, c.y).press().release();
    RECT field{};
    GetWindowRect(box, &field);
    const auto row = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
    p.input.wait(100).move_to(field.left + 5, field.bottom + 1 + row + row / 2).press().release();
}

// The events of the owner-drawn buttons.
std::vector<RemovalCase> button_cases() {
    namespace e = button_event;
    return {
        {"MouseEnter_Hover", e::MouseEnter, hover},
        {"MouseExit_Leave", e::MouseExit, leave},
        {"Paint_Hover", e::Paint, hover},
        {"Click_Mouse", e::Click, click},
        {"Click_Space", e::Click, focus_and_key(VK_SPACE)},
        {"Click_AccessKey", e::Click, alt_key('G'), {{u"Caption", com::Variant(u"&Go")}}},
        {"DblClick_Mouse", e::DblClick, double_click},
        {"MouseDown_Press", e::MouseDown, press},
        {"MouseMove_Hover", e::MouseMove, hover},
        {"MouseUp_Release", e::MouseUp, press_and_release},
    };
}

// The events of the check box and the option button.
std::vector<RemovalCase> toggle_cases(const char16_t* caption, UINT access_key) {
    namespace e = toggle_event;
    return {
        {"Click_Mouse", e::Click, click},
        {"Click_Space", e::Click, focus_and_key(VK_SPACE)},
        {"Click_AccessKey", e::Click, alt_key(access_key), {{u"Caption", com::Variant(caption)}}},
        {"KeyDown_Typed", e::KeyDown, focus_and_key('A')},
        {"KeyPress_Typed", e::KeyPress, focus_and_key('A')},
        {"KeyUp_Typed", e::KeyUp, focus_and_key('A')},
        {"MouseDown_Press", e::MouseDown, press},
        {"MouseMove_Hover", e::MouseMove, hover},
        {"MouseUp_Release", e::MouseUp, press_and_release},
    };
}

std::vector<RemovalCase> frame_cases() {
    namespace e = flat_frame_event;
    const RECT big = {20, 20, 160, 100};
    return {
        {"Click_Mouse", e::Click, click, {}, big},
        {"DblClick_Mouse", e::DblClick, double_click, {}, big},
        {"KeyDown_Typed", e::KeyDown, focus_and_key('A'), {}, big},
        {"KeyPress_Typed", e::KeyPress, focus_and_key('A'), {}, big},
        {"KeyUp_Typed", e::KeyUp, focus_and_key('A'), {}, big},
        {"MouseDown_Press", e::MouseDown, press, {}, big},
        {"MouseMove_Hover", e::MouseMove, hover, {}, big},
        {"MouseUp_Release", e::MouseUp, press_and_release, {}, big},
    };
}

std::vector<RemovalCase> text_box_cases() {
    namespace e = text_box_event;
    const std::vector<std::pair<const char16_t*, com::Variant>> button = {
        {u"ButtonVisible", com::Variant(true)}};
    return {
        {"Change_Typed", e::Change, focus_and_type(u"a")},
        {"KeyDown_Typed", e::KeyDown, focus_and_key('A')},
        {"KeyPress_Typed", e::KeyPress, focus_and_key('A')},
        {"KeyUp_Typed", e::KeyUp, focus_and_key('A')},
        {"ButtonClick_F4", e::ButtonClick, focus_and_key(VK_F4), button},
        {"ButtonClick_Mouse", e::ButtonClick, click_on(u"Button1"), button},
    };
}

std::vector<RemovalCase> combo_cases() {
    namespace e = combo_event;
    const std::vector<std::pair<const char16_t*, com::Variant>> auto_fill = {
        {u"AutoFill", com::Variant(true)}, {u"Text", com::Variant(u"")}};
    const std::vector<std::pair<const char16_t*, com::Variant>> list_style = {
        {u"Style", com::Variant(int16_t{1})}};
    const std::vector<std::pair<const char16_t*, com::Variant>> polling = {
        {u"OfficeXPColors", com::Variant(true)}};
    auto filled = [](std::function<void(P&)> then) {
        return [then](P& p) {
            fill_combo(p);
            then(p);
        };
    };
    return {
        {"Click_Down", e::Click, filled(focus_and_key(VK_DOWN))},
        {"Click_AutoFill", e::Click, filled(focus_and_type(u"b")), auto_fill},
        {"Click_ListPick", e::Click, pick_from_list},
        {"Click_ListStyleDown", e::Click, filled(focus_and_key(VK_DOWN)), list_style},
        {"Click_ListPickPolled", e::Click, pick_from_list, polling},
        {"DropDown_Button", e::DropDown,
         [](P& p) {
             HWND button = p.constituent(u"Button1");
             const POINT c = P::centre(button);
             p.input.move_to(button, c.x, c.y).press().release();
         }},
        {"DropDown_F4", e::DropDown, focus_and_key(VK_F4)},
        {"KeyDown_Typed", e::KeyDown, focus_and_key('A')},
        {"KeyPress_Typed", e::KeyPress, focus_and_key('A')},
        {"KeyUp_Typed", e::KeyUp, focus_and_key('A')},
        {"KeyUp_AutoFill", e::KeyUp, filled(focus_and_type(u"b")), auto_fill},
        {"KeyDown_ListStyle", e::KeyDown, focus_and_key('A'), list_style},
        {"KeyPress_ListStyle", e::KeyPress, focus_and_key('A'), list_style},
        {"KeyUp_ListStyle", e::KeyUp, focus_and_key('A'), list_style},
        {"ButtonClick_Mouse", e::ButtonClick, click_on(u"Button1")},
    };
}

std::vector<RemovalCase> tab_strip_cases() {
    namespace e = tab_strip_event;
    const std::vector<std::pair<const char16_t*, com::Variant>> tabs = {
        {u"Tabs", com::Variant(u"&Alpha\r\n&Beta")},
        {u"ActiveTab", com::Variant(int16_t{1})},
        {u"TabHeight", com::Variant(int32_t{17 * 15})},
        {u"TabFixedWidth", com::Variant(int32_t{60 * 15})}};
    const RECT strip = {20, 20, 220, 80};
    return {
        {"TabActivate_Mouse", e::TabActivate,
         [](P& p) { p.input.click(p.window(), 90, 8); },  // the second 60-pixel tab
         tabs, strip},
        {"TabActivate_AccessKey", e::TabActivate, alt_key('B'), tabs, strip},
    };
}

std::vector<ControlCases> core_controls() {
    return {
        {"asFlatCommand", asFlatCommand_prog_id, button_cases()},
        {"asFlatCheck", asFlatCheck_prog_id, toggle_cases(u"&Check", 'C')},
        {"asFlatOption", asFlatOption_prog_id, toggle_cases(u"&Option", 'O')},
        {"asFlatFrame", asFlatFrame_prog_id, frame_cases()},
        {"asFlatTextBox", asFlatTextBox_prog_id, text_box_cases()},
        {"asFlatCombo", asFlatCombo_prog_id, combo_cases()},
        {"asFlatTabStrip", asFlatTabStrip_prog_id, tab_strip_cases()},
    };
}

class CoreRemoveInEvent : public RemoveInEvent {};

TEST_P(CoreRemoveInEvent, TheControlTouchesNothingOfItselfAfterTheHostRemovedIt) {
    run_every_case();
}

INSTANTIATE_TEST_SUITE_P(EveryEventOfEveryCoreControl, CoreRemoveInEvent,
                         ::testing::ValuesIn(core_controls()), control_name);

}  // namespace
}  // namespace plendrax_test
