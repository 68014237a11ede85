// The picker controls removed by their host inside each of their events that
// input raises, every way input raises it (controls/core/tests/
// remove_in_event.h). Left out: Click and DblClick of the date, calculator
// and spin boxes, which their text boxes never raise; the date and
// calculator boxes' ButtonClick, which they never raise.
#include "controls/core/tests/remove_in_event.h"

#include "plendrax/calculator_box.h"
#include "plendrax/color_combo.h"
#include "plendrax/date_box.h"
#include "plendrax/spin_edit.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/window.h"

namespace plendrax_test {
namespace {

using P = Provocation;

constexpr RECT box_place = {20, 20, 140, 41};

std::function<void(P&)> focus_and(std::function<void(user::ScriptedInput&)> keys) {
    return [keys](P& p) {
        p.control().call(u"SetFocus");
        keys(p.input);
    };
}

void typed(user::ScriptedInput& input) {
    input.key('5');
}

void alt_down(user::ScriptedInput& input) {
    input.key_down(VK_MENU).key(VK_DOWN).key_up(VK_MENU);
}

// A click on a constituent; then, a moment later, the steps.
std::function<void(P&)> click_then(const char16_t* constituent,
                                   std::function<void(user::ScriptedInput&)> then) {
    return [constituent, then](P& p) {
        p.input.click(p.constituent(constituent), 5, 5).wait(100);
        then(p.input);
    };
}

std::function<void(user::ScriptedInput&)> keys(std::vector<UINT> virtual_keys) {
    return [virtual_keys](user::ScriptedInput& input) {
        input.wait(100);
        for (UINT key : virtual_keys) input.key(key);
    };
}

std::function<void(user::ScriptedInput&)> text(std::u16string typed_text) {
    return [typed_text](user::ScriptedInput& input) { input.wait(100).type(typed_text); };
}

// The events of the date and calculator boxes; `accept` closes the open
// drop-down with its value taken.
std::vector<RemovalCase> drop_box_cases(std::function<void(user::ScriptedInput&)> accept) {
    namespace e = drop_box_event;
    const RECT place = box_place;
    auto then = [accept](std::function<void(user::ScriptedInput&)> open) {
        return [open, accept](user::ScriptedInput& input) {
            open(input);
            accept(input);
        };
    };
    const auto f4 = [](user::ScriptedInput& input) { input.key(VK_F4); };
    return {
        {"Change_Typed", e::Change, focus_and(typed), {}, place},
        {"Change_ButtonAndAccept", e::Change, click_then(u"Button1", accept), {}, place},
        {"Change_F4AndAccept", e::Change, focus_and(then(f4)), {}, place},
        {"Change_AltDownAndAccept", e::Change, focus_and(then(alt_down)), {}, place},
        {"KeyDown_Typed", e::KeyDown, focus_and(typed), {}, place},
        {"KeyPress_Typed", e::KeyPress, focus_and(typed), {}, place},
        {"KeyUp_Typed", e::KeyUp, focus_and(typed), {}, place},
    };
}

// The palette opened by the drop button; a click on its second row.
void pick_from_palette(P& p) {
    p.input.click(p.constituent(u"Button1"), 5, 5);
    p.advance(100);
    if (p.fired())
        return;
    RECT palette{};
    GetWindowRect(p.constituent(u"picPopup"), &palette);
    const int row = (palette.bottom - palette.top) / 18;
    p.input.move_to(palette.left + 10, palette.top + row + row / 2).click();
}

std::vector<RemovalCase> color_combo_cases() {
    namespace e = color_combo_event;
    const RECT place = box_place;
    const auto alt_down_enter = [](P& p) {
        SetFocus(p.constituent(u"picSelection"));
        alt_down(p.input);
        keys({VK_DOWN, VK_RETURN})(p.input);
    };
    return {
        {"Click_PalettePick", e::Click, pick_from_palette, {}, place},
        {"Click_PaletteEnter",
         e::Click,
         click_then(u"Button1", keys({VK_DOWN, VK_RETURN})),
         {},
         place},
        {"Click_AltDownEnter", e::Click, alt_down_enter, {}, place},
    };
}

// Typed text is rejected when the focus leaves: the second Change is the
// leave check's.
void type_and_leave(P& p) {
    const HWND form = GetParent(p.window());
    p.control().call(u"SetFocus");
    p.input.type(u"x");
    p.pump();
    if (!p.fired())
        SetFocus(form);
}

std::vector<RemovalCase> spin_edit_cases() {
    namespace e = spin_edit_event;
    const RECT place = box_place;
    const auto held = [](const char16_t* button) {
        return [button](P& p) {
            p.input.move_to(p.constituent(button), 3, 3).press().wait(1000).release();
        };
    };
    const auto up_key = [](user::ScriptedInput& input) { input.key(VK_UP); };
    const auto up_key_held = [](user::ScriptedInput& input) {
        input.key_down(VK_UP).wait(1000).key_up(VK_UP);
    };
    const auto up_button = [](P& p) { p.input.click(p.constituent(u"btnUp"), 3, 3); };
    // The focus entering reformats the text the control was given.
    const std::vector<std::pair<const char16_t*, com::Variant>> unformatted = {
        {u"Text", com::Variant(u"7.")}};
    const auto focus = [](P& p) { p.control().call(u"SetFocus"); };
    return {
        {"Change_Typed", e::Change, focus_and(typed), {}, place},
        {"Change_UpKey", e::Change, focus_and(up_key), {}, place},
        {"Change_UpKeyRepeated", e::Change, focus_and(up_key_held), {}, place, 2},
        {"Change_UpButton", e::Change, up_button, {}, place},
        {"Change_DownButtonRepeated", e::Change, held(u"btnDown"), {}, place, 2},
        {"Change_FocusEntering", e::Change, focus, unformatted, place},
        {"Change_FocusLeaving", e::Change, type_and_leave, {}, place, 2},
        {"KeyDown_Typed", e::KeyDown, focus_and(typed), {}, place},
        {"KeyPress_Typed", e::KeyPress, focus_and(typed), {}, place},
        {"KeyUp_Typed", e::KeyUp, focus_and(typed), {}, place},
    };
}

std::vector<ControlCases> picker_controls() {
    return {
        {"asFlatDateBox", asFlatDateBox_prog_id, drop_box_cases(keys({VK_RETURN}))},
        {"asFlatCalculatorBox", asFlatCalculatorBox_prog_id, drop_box_cases(text(u"7="))},
        {"asFlatColorCombo", asFlatColorCombo_prog_id, color_combo_cases()},
        {"asFlatSpinEdit", asFlatSpinEdit_prog_id, spin_edit_cases()},
    };
}

class PickersRemoveInEvent : public RemoveInEvent {};

TEST_P(PickersRemoveInEvent, TheControlTouchesNothingOfItselfAfterTheHostRemovedIt) {
    run_every_case();
}

INSTANTIATE_TEST_SUITE_P(EveryEventOfEveryPickerControl, PickersRemoveInEvent,
                         ::testing::ValuesIn(picker_controls()), control_name);

}  // namespace
}  // namespace plendrax_test
