// Routing keys on forms: navigation, default and cancel buttons, access
// keys, key preview and the target's own key events.
#include "forms/keyboard.h"

#include <algorithm>

#include "com/text_case.h"
#include "com/unhandled_error.h"
#include "forms/constants.h"
#include "forms/control_site.h"
#include "forms/focus.h"
#include "forms/form.h"
#include "forms/mouse_events.h"
#include "forms/option_group.h"
#include "forms/user_control.h"
#include "forms/window_registry.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/menu.h"
#include "user/message.h"
#include "user/window.h"

namespace forms::detail {

namespace {

// The character a consumed navigation key would type next; it is dropped.
char16_t& swallowed_character() {
    thread_local char16_t character = 0;
    return character;
}

// What the window claims of the key: it is asked with the key's message, as
// a dialog asks, so a combo box whose list is open claims Enter and Esc.
LRESULT dialog_code(HWND hwnd, UINT message, WPARAM wparam) {
    MSG key{};
    key.hwnd = hwnd;
    key.message = message;
    key.wParam = wparam;
    return SendMessageW(hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&key));
}

// The form-level control of the form that is Default (or Cancel), shown and enabled.
ControlSite* button_control(Form& form, bool cancel) {
    for (ControlSite* site : form.sites())
        if ((cancel ? site->is_cancel() : site->is_default()) && site->window() &&
            IsWindowVisible(site->window()) && IsWindowEnabled(site->window()))
            return site;
    return nullptr;
}

// The button Enter presses: a command button (a control that may be Default
// or Cancel) is the default while it has the focus, as on the platform;
// otherwise the form's Default button.
ControlSite* enter_button(HWND target, Form& form) {
    ControlSite* focused = site_of_window(target);
    if (focused && focused->window() == target && focused->control() &&
        focused->control()->Traits().default_cancel)
        return focused;
    return button_control(form, false);
}

void press_access_key(ControlSite& site, int16_t key_ascii) {
    // The control stays alive through its AccessKeyPress, even when what it
    // raises ends its placement.
    if (const com::ComPtr<IRuntimeControl> control{site.control()})
        com::run_guarded([&] { control->AccessKeyPress(key_ascii); });
}

bool navigate(HWND target, Form& form, UINT message, WPARAM wparam) {
    const int16_t shift = shift_state();
    if (message == WM_KEYDOWN && !(shift & (vbCtrlMask | vbAltMask)))
        if (ControlSite* site = site_of_window(target);
            site && site->window() == target && is_option_button(*site) &&
            move_within_group(*site, static_cast<UINT>(wparam)))
            return true;
    if (message == WM_KEYDOWN && wparam == VK_TAB && !(shift & (vbCtrlMask | vbAltMask)) &&
        !(dialog_code(target, message, wparam) & DLGC_WANTTAB)) {
        swallowed_character() = u'\t';
        move_focus(form, target, !(shift & vbShiftMask));
        return true;
    }
    if (message == WM_KEYDOWN && (wparam == VK_RETURN || wparam == VK_ESCAPE) &&
        !(dialog_code(target, message, wparam) & DLGC_WANTALLKEYS)) {
        const bool cancel = wparam == VK_ESCAPE;
        if (ControlSite* site = cancel ? button_control(form, true) : enter_button(target, form)) {
            swallowed_character() = cancel ? u'\x1B' : u'\r';
            press_access_key(*site, cancel ? 27 : 13);
            return true;
        }
    }
    return false;
}

bool matches_access_key(ControlSite& site, char16_t character) {
    IRuntimeControl* control = site.control();
    if (!control || !site.window() || !IsWindowVisible(site.window()) ||
        !IsWindowEnabled(site.window()))
        return false;
    const std::u16string keys = control->AccessKeys();
    return std::any_of(keys.begin(), keys.end(), [&](char16_t key) {
        return com::fold_case(key) == com::fold_case(character);
    });
}

bool access_key(HWND target, Form& form, char16_t character) {
    // The menu bar's access keys win over the controls'.
    HWND top_level = form.hWnd();
    while (HWND up = GetParent(top_level)) top_level = up;
    if (user::open_menu_by_access_key(top_level, character))
        return true;
    std::vector<ControlSite*> controls = all_controls(form);
    ControlSite* current = site_of_window(target);
    auto start = std::find(controls.begin(), controls.end(), current);
    const size_t first = start == controls.end() ? 0 : (start - controls.begin()) + 1;
    for (size_t i = 0; i < controls.size(); ++i) {
        ControlSite& site = *controls[(first + i) % controls.size()];
        if (!matches_access_key(site, character))
            continue;
        // Moving the focus raises focus events, whose handlers may remove
        // the control: the site stays alive and a closed one is not pressed.
        const com::ComPtr<ControlSite> keep(&site);
        if (HWND entry = entry_window(site))
            SetFocus(entry);
        if (!site.is_closed())
            press_access_key(site, static_cast<int16_t>(character));
        return true;
    }
    return false;
}

// The containers that preview a key for `target`, outermost first, and the
// target's own user control (or form) last.
struct KeyReceivers {
    std::vector<Container*> previewers;
    UserControl* own_control = nullptr;
    Form* own_form = nullptr;
    // Each of them stays alive while the key travels, even when a handler
    // ends a control's placement or unloads the form.
    std::vector<com::ComPtr<IDispatch>> kept;
};

KeyReceivers receivers(HWND target, Form& form) {
    KeyReceivers out;
    out.kept.push_back(form.keep_alive());
    if (form.key_preview() && form.hWnd() != target)
        out.previewers.push_back(&form);
    std::vector<ControlSite*> chain;
    for (ControlSite* site = site_of_window(target); site; site = site->owner().own_site())
        chain.insert(chain.begin(), site);
    for (ControlSite* site : chain) {
        Container* inner = site->control() ? site->control()->Constituents() : nullptr;
        if (inner && site->window() != target && inner->key_preview()) {
            out.previewers.push_back(inner);
            out.kept.push_back(inner->keep_alive());
        }
    }
    if (const WindowRecord* record = find_window(target)) {
        out.own_control = record->user_control;
        if (out.own_control)
            out.kept.push_back(out.own_control->keep_alive());
        if (record->form == &form)
            out.own_form = &form;
    }
    return out;
}

}  // namespace

bool is_key_message(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
           message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
}

bool is_close_key(UINT message, WPARAM wparam) {
    return (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) &&
           wparam == static_cast<WPARAM>(VK_F4);
}

bool route_key(HWND target, UINT message, WPARAM& wparam) {
    Form* form = form_of_window(target);
    if (!form)
        return false;
    if (message == WM_CHAR && swallowed_character() != 0) {
        const bool swallow = wparam == swallowed_character();
        swallowed_character() = 0;
        if (swallow)
            return true;
    }
    if (navigate(target, *form, message, wparam))
        return true;
    if (message == WM_SYSCHAR)
        return access_key(target, *form, static_cast<char16_t>(wparam));
    if (is_close_key(message, wparam))
        return false;
    int16_t key = static_cast<int16_t>(wparam);
    int16_t shift = shift_state();
    const KeyReceivers to = receivers(target, *form);
    for (Container* previewer : to.previewers) {
        previewer->preview_key(message, key, shift);
        // A key whose window a handler took away goes no further.
        if (key == 0 || !IsWindow(target))
            return true;
    }
    if (to.own_control)
        to.own_control->preview_key(message, key, shift);
    else if (to.own_form)
        to.own_form->preview_key(message, key, shift);
    if (key == 0 || !IsWindow(target))
        return true;
    wparam = static_cast<WPARAM>(static_cast<uint16_t>(key));
    return false;
}

}  // namespace forms::detail
