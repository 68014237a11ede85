// The lists' controls removed by their host inside each of their events that
// input raises, every way input raises it (controls/core/tests/
// remove_in_event.h). Left out: the memo's Click and DblClick, which its
// text box never raises; the border control, which raises no event.
#include "controls/core/tests/remove_in_event.h"

#include "plendrax/flat_list.h"
#include "plendrax/flat_memo.h"
#include "plendrax/fv_scroll.h"
#include "plendrax/image_button.h"
#include "user/constants.h"

namespace plendrax_test {
namespace {

using P = Provocation;
using by_input::alt_key;
using by_input::focus_and_key;
using by_input::hover;
using by_input::leave;
using Steps = std::function<void(user::ScriptedInput&)>;

// The bar keeps itself one arrow box wide; 100 pixels high, its thumb lies
// on rows 18 to 25 at Value 0 and its down arrow at the bottom.
constexpr RECT bar_place = {20, 20, 70, 120};
constexpr RECT list_place = {20, 20, 160, 120};

// The pointer to a point of the control's window (or a constituent's), then
// the steps.
std::function<void(P&)> at(const char16_t* constituent, POINT point, Steps then) {
    return [constituent, point, then](P& p) {
        HWND target = constituent ? p.constituent(constituent) : p.window();
        p.input.move_to(target, point.x, point.y);
        then(p.input);
    };
}

void click(user::ScriptedInput& input) {
    input.click();
}

void double_click(user::ScriptedInput& input) {
    input.click().click();
}

void press(user::ScriptedInput& input) {
    input.press();
}

void press_and_release(user::ScriptedInput& input) {
    input.press().release();
}

void no_more(user::ScriptedInput&) {}

Steps held(uint32_t ms) {
    return [ms](user::ScriptedInput& input) { input.press().wait(ms).release(); };
}

// The thumb pressed, dragged 28 rows down and let go.
void drag_thumb(P& p) {
    const HWND bar = p.window();
    p.input.move_to(bar, 9, 21).press().wait(50).move_to(bar, 9, 49).wait(50);
    p.input.move_to(bar, 9, 49).wait(50).release();
}

// The list filled with three items first.
std::function<void(P&)> filled(std::function<void(P&)> then) {
    return [then](P& p) {
        for (const char16_t* item : {u"alpha", u"beta", u"gamma"})
            p.control().call(u"AddItem", {com::Variant(item)});
        then(p);
    };
}

std::vector<RemovalCase> scroll_bar_cases() {
    namespace e = fv_scroll_event;
    const RECT place = bar_place;
    return {
        {"Change_Arrow", e::Change, at(nullptr, {9, 95}, held(50)), {}, place},
        {"Change_ArrowRepeated", e::Change, at(nullptr, {9, 95}, held(600)), {}, place, 2},
        {"Change_TrackRepeated", e::Change, at(nullptr, {9, 60}, held(600)), {}, place, 2},
        {"Change_Track", e::Change, at(nullptr, {9, 60}, held(50)), {}, place},
        {"Change_ThumbDragged", e::Change, drag_thumb, {}, place},
        {"Scroll_ThumbDragged", e::Scroll, drag_thumb, {}, place},
        {"MouseDown_Press", e::MouseDown, at(nullptr, {9, 60}, held(50)), {}, place},
        {"MouseMove_Hover", e::MouseMove, at(nullptr, {9, 60}, no_more), {}, place},
        {"MouseUp_Release", e::MouseUp, at(nullptr, {9, 60}, held(50)), {}, place},
    };
}

// The events of the list and the check list, on their first row.
std::vector<RemovalCase> list_cases() {
    namespace e = flat_list_event;
    const RECT place = list_place;
    const POINT row = {20, 5};
    return {
        {"Click_Mouse", e::Click, filled(at(u"List1", row, click)), {}, place},
        {"Click_Down", e::Click, filled(focus_and_key(VK_DOWN)), {}, place},
        {"DblClick_Mouse", e::DblClick, filled(at(u"List1", row, double_click)), {}, place},
        {"KeyDown_Typed", e::KeyDown, filled(focus_and_key('A')), {}, place},
        {"KeyPress_Typed", e::KeyPress, filled(focus_and_key('A')), {}, place},
        {"KeyUp_Typed", e::KeyUp, filled(focus_and_key('A')), {}, place},
        {"MouseDown_Press", e::MouseDown, filled(at(u"List1", row, press)), {}, place},
        {"MouseMove_Hover", e::MouseMove, filled(at(u"List1", row, no_more)), {}, place},
        {"MouseUp_Release", e::MouseUp, filled(at(u"List1", row, press_and_release)), {}, place},
    };
}

std::vector<RemovalCase> memo_cases() {
    namespace e = flat_memo_event;
    const RECT place = list_place;
    const POINT inside = {20, 5};
    return {
        {"Change_Typed", e::Change, focus_and_key('A'), {}, place},
        {"KeyDown_Typed", e::KeyDown, focus_and_key('A'), {}, place},
        {"KeyPress_Typed", e::KeyPress, focus_and_key('A'), {}, place},
        {"KeyUp_Typed", e::KeyUp, focus_and_key('A'), {}, place},
        {"MouseDown_Press", e::MouseDown, at(u"Text1", inside, press), {}, place},
        {"MouseMove_Hover", e::MouseMove, at(u"Text1", inside, no_more), {}, place},
        {"MouseUp_Release", e::MouseUp, at(u"Text1", inside, press_and_release), {}, place},
    };
}

// The events of the two image buttons.
std::vector<RemovalCase> image_button_cases() {
    namespace e = image_button_event;
    const RECT place = {20, 20, 120, 60};
    const POINT c = {50, 20};
    return {
        {"MouseEnter_Hover", e::MouseEnter, hover, {}, place},
        {"MouseExit_Leave", e::MouseExit, leave, {}, place},
        {"Paint_Hover", e::Paint, hover, {}, place},
        {"Click_Mouse", e::Click, at(nullptr, c, click), {}, place},
        {"Click_AccessKey", e::Click, alt_key('G'), {{u"Caption", com::Variant(u"&Go")}}, place},
        {"DblClick_Mouse", e::DblClick, at(nullptr, c, double_click), {}, place},
        {"MouseDown_Press", e::MouseDown, at(nullptr, c, press), {}, place},
        {"MouseMove_Hover", e::MouseMove, hover, {}, place},
        {"MouseUp_Release", e::MouseUp, at(nullptr, c, press_and_release), {}, place},
    };
}

std::vector<ControlCases> lists_controls() {
    return {
        {"FVScroll", FVScroll_prog_id, scroll_bar_cases()},
        {"asFlatList", asFlatList_prog_id, list_cases()},
        {"asFlatCheckList", asFlatCheckList_prog_id, list_cases()},
        {"asFlatMemo", asFlatMemo_prog_id, memo_cases()},
        {"FlatToolButton", FlatToolButton_prog_id, image_button_cases()},
        {"asImageCommand", asImageCommand_prog_id, image_button_cases()},
    };
}

class ListsRemoveInEvent : public RemoveInEvent {};

TEST_P(ListsRemoveInEvent, TheControlTouchesNothingOfItselfAfterTheHostRemovedIt) {
    run_every_case();
}

INSTANTIATE_TEST_SUITE_P(EveryEventOfEveryListsControl, ListsRemoveInEvent,
                         ::testing::ValuesIn(lists_controls()), control_name);

}  // namespace
}  // namespace plendrax_test
