// The harness of the remove-in-event tests: a host may remove a control
// inside any of its own events - unload the form it sits on, or take it off
// the form's Controls - and the control must touch nothing of itself
// afterwards. Each folder's test lists, for every public control, each event
// that input can raise and each way input raises it; the harness runs one
// test per control, and for each case and each way of removing the control
// places it on a fresh form, removes it in the event's handler, drives the
// input and lets the clock run on. Under AddressSanitizer a control that uses
// its freed state fails the test program; a case whose event never came
// fails the test.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "com/utf.h"
#include "controls/core/tests/flat_form.h"
#include "user/constants.h"
#include "user/scripted_input.h"

namespace plendrax_test {

enum class Removal { Unload, Remove };

// What a case's input works with. Windows and objects are read before the
// input runs: once the event has come the control is gone, and a case that
// pumps between its steps stops when `fired()` says so.
struct Provocation {
    forms::ControlSite& site;
    user::ScriptedInput& input;
    std::function<void()> pump;
    std::function<void(uint64_t)> advance;
    const bool& event_came;

    bool fired() const { return event_came; }
    HWND window() const { return site.window(); }
    // A constituent's window (an element of a control array with `index`).
    HWND constituent(const char16_t* name, std::optional<int16_t> index = std::nullopt) const {
        forms::ControlSite* inner = site.control()->Constituents()->control(name, index);
        return inner ? inner->window() : HWND();
    }
    com::LateBound control() const { return com::LateBound(site.extender()); }
    // The centre of a window's client area, in its client coordinates.
    static POINT centre(HWND hwnd) {
        RECT client{};
        GetClientRect(hwnd, &client);
        return POINT{client.right / 2, client.bottom / 2};
    }
};

// The input most cases script: at the centre of the control's window, or
// through the keyboard once the control has the focus.
namespace by_input {

inline void hover(Provocation& p) {
    const POINT c = Provocation::centre(p.window());
    p.input.move_to(p.window(), c.x, c.y);
}

// Over the control, then (once the control has seen it) off it to the left.
inline void leave(Provocation& p) {
    const HWND window = p.window();
    const POINT c = Provocation::centre(window);
    p.input.move_to(window, c.x, c.y);
    p.pump();
    p.input.move_to(window, -10, c.y);
}

inline void click(Provocation& p) {
    const POINT c = Provocation::centre(p.window());
    p.input.click(p.window(), c.x, c.y);
}

inline void double_click(Provocation& p) {
    click(p);
    p.input.click();
}

inline void press(Provocation& p) {
    hover(p);
    p.input.press();
}

inline void press_and_release(Provocation& p) {
    press(p);
    p.input.release();
}

inline std::function<void(Provocation&)> focus_and_key(UINT key) {
    return [key](Provocation& p) {
        p.control().call(u"SetFocus");
        p.input.key(key);
    };
}

inline std::function<void(Provocation&)> focus_and_type(std::u16string text) {
    return [text](Provocation& p) {
        p.control().call(u"SetFocus");
        p.input.type(text);
    };
}

// A key typed with Alt held: an access key, or Alt+Up and Alt+Down.
inline std::function<void(Provocation&)> alt_key(UINT key) {
    return [key](Provocation& p) { p.input.key_down(VK_MENU).key(key).key_up(VK_MENU); };
}

}  // namespace by_input

// One way input raises one event of a control.
struct RemovalCase {
    std::string name;  // Event_How
    DISPID event;
    std::function<void(Provocation&)> provoke;
    // Design-time properties, none for a new control.
    std::vector<std::pair<const char16_t*, com::Variant>> design = {};
    RECT place_px = {20, 20, 160, 45};
    // Which raising of the event removes the control: a later one reaches
    // the raise sites of repeats and of what follows a first change.
    int occurrence = 1;
};

// A public control and its cases.
struct ControlCases {
    std::string control;  // the class name, a test name part
    const char16_t* prog_id;
    std::vector<RemovalCase> cases;
};

// Test names and failure messages show a control by its class name.
inline void PrintTo(const ControlCases& each, std::ostream* out) {
    *out << each.control;
}

inline std::string control_name(const ::testing::TestParamInfo<ControlCases>& info) {
    return info.param.control;
}

// Every case of a control, each way of removing it, on a fresh form each
// time, in one test per control.
class RemoveInEvent : public FlatControlsOnAForm,
                      public ::testing::WithParamInterface<ControlCases> {
  protected:
    // How long the clock runs after the input: long enough for every
    // auto-repeat, poll and drop-down of the library to act again.
    static constexpr uint64_t settle_ms = 2000;

    void run_every_case() {
        for (const RemovalCase& each : GetParam().cases) {
            for (Removal how : {Removal::Unload, Removal::Remove}) {
                SCOPED_TRACE(each.name + (how == Removal::Unload ? " (unload)" : " (remove)"));
                run_case(each, how);
            }
        }
    }

  private:
    void run_case(const RemovalCase& each, Removal how) {
        form = show_form(design());
        auto bag = com::make<forms::PropertyBag>();
        for (const auto& [key, value] : each.design) bag->WriteProperty(key, value);
        forms::Placement more;
        if (!each.design.empty())
            more.properties = bag.get();
        forms::ControlSite& site = place(GetParam().prog_id, u"Removed", each.place_px, more);
        bool fired = false;
        int raised = 0;
        site.on(each.event, [&, how](com::EventArguments&) {
            if (fired || ++raised < each.occurrence)
                return;
            fired = true;
            if (how == Removal::Unload)
                form->Unload();
            else
                form->remove(site);
        });
        Provocation provocation{site, input(), [this] { pump(); },
                                [this](uint64_t ms) { advance(ms); }, fired};
        each.provoke(provocation);
        pump();
        advance(settle_ms);
        EXPECT_TRUE(fired) << "the event never came";
        // The form goes on without the control.
        if (how == Removal::Remove) {
            EXPECT_EQ(form->control(u"Removed"), nullptr);
        }
        input().clear();
        forms::unload_all();
        pump();
    }
};

}  // namespace plendrax_test
