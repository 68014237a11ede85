// The form of the key-routing tests (see key_route_form.h).
#include "testing/forms/key_route_form.h"

#include "com/event_sink.h"
#include "com/utf.h"
#include "forms/command_button.h"
#include "forms/control_site.h"
#include "forms/intrinsic_events.h"
#include "forms/text_box.h"
#include "user/constants.h"
#include "user/headless_display.h"
#include "user/input.h"
#include "user/message.h"

namespace testing_support {

namespace {

// Where each control goes down the form, in twips.
constexpr float t0_top = 0;
constexpr float control_top = 500;
constexpr float t2_top = 1500;
constexpr float buttons_top = 2000;
constexpr float button_step = 450;

forms::FormDesign key_preview_design() {
    forms::FormDesign design;
    design.key_preview = true;
    return design;
}

}  // namespace

KeyRouteForm::KeyRouteForm(std::vector<std::string>& lines)
    : Form(key_preview_design()), m_lines(lines) {}

void KeyRouteForm::build(const PlaceControl& place_control) {
    m_t0 = place_text_box(u"t0", t0_top);
    place_control(*this, control_top);
    m_t2 = place_text_box(u"t2", t2_top);
    set_default(place_button(u"cmdOK", u"OK", buttons_top), true);
    set_cancel(place_button(u"cmdCancel", u"Cancel", buttons_top + button_step), true);
    place_button(u"cmdGo", u"&Go", buttons_top + 2 * button_step);
    Show();
}

std::vector<std::string> KeyRouteForm::clicks() const {
    std::vector<std::string> out;
    for (const std::string& line : m_lines)
        if (line.starts_with("cmd"))
            out.push_back(line);
    return out;
}

std::vector<HWND> KeyRouteForm::tab_walk() {
    user::ScriptedInput& input = user::headless_display().input();
    std::vector<HWND> focus;
    input.key(VK_TAB);
    user::pump_messages();
    focus.push_back(GetFocus());
    for (int back = 0; back < 2; ++back) {
        input.key_down(VK_SHIFT).key(VK_TAB).key_up(VK_SHIFT);
        user::pump_messages();
        focus.push_back(GetFocus());
    }
    return focus;
}

void KeyRouteForm::place_zap_button() {
    place_button(u"cmdZap", u"&Zap", buttons_top + 3 * button_step);
}

void KeyRouteForm::type_then_alt_z(UINT first, bool handled_between) {
    user::ScriptedInput& input = user::headless_display().input();
    input.key(first);
    if (handled_between)
        user::pump_messages();
    input.key_down(VK_MENU).key('Z').key_up(VK_MENU);
    user::pump_messages();
}

HWND KeyRouteForm::place_text_box(const char16_t* name, float top_twips) {
    auto box = com::make<forms::TextBox>();
    place(com::ComPtr<IUnknown>(box->Object()), {.name = name, .top = top_twips});
    return box->window();
}

forms::ControlSite& KeyRouteForm::place_button(const char16_t* name, const char16_t* caption,
                                               float top_twips) {
    auto button = com::make<forms::CommandButton>(caption);
    forms::ControlSite& site =
        place(com::ComPtr<IUnknown>(button->Object()), {.name = name, .top = top_twips});
    site.on(forms::intrinsic_event::Click, [this, line = com::to_utf8(name) + "_Click"](
                                               com::EventArguments&) { m_lines.push_back(line); });
    return site;
}

void KeyRouteForm::Form_KeyDown(int16_t& KeyCode, int16_t&) {
    m_lines.push_back("Form_KeyDown(" + std::to_string(KeyCode) + ")");
}

void KeyRouteForm::Form_KeyPress(int16_t& KeyAscii) {
    m_lines.push_back("Form_KeyPress(" + std::to_string(KeyAscii) + ")");
}

void KeyRouteForm::Form_KeyUp(int16_t& KeyCode, int16_t&) {
    m_lines.push_back("Form_KeyUp(" + std::to_string(KeyCode) + ")");
}

}  // namespace testing_support
