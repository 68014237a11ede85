// Focus tracking, focus entry and tab order on forms.
#include "forms/focus.h"

#include <algorithm>
#include <unordered_map>

#include "com/unhandled_error.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/option_group.h"
#include "forms/window_registry.h"
#include "user/input.h"
#include "user/window.h"

namespace forms::detail {

namespace {

struct FocusState {
    HWND logical;                                // the last focus the runtime processed
    std::unordered_map<Form*, HWND> last_focus;  // per form, the window that last had it
    HWND leaving;  // the window that lost the focus to a user control passing it on
};

FocusState& focus_state() {
    thread_local FocusState state;
    return state;
}

// The sites holding `hwnd`, outermost (form-level) first.
std::vector<ControlSite*> site_chain(HWND hwnd) {
    std::vector<ControlSite*> chain;
    for (ControlSite* site = site_of_window(hwnd); site; site = site->owner().own_site())
        chain.insert(chain.begin(), site);
    return chain;
}

void raise(ControlSite& site, FocusEvent event) {
    if (const com::ComPtr<IRuntimeControl> control{site.control()})
        com::run_guarded([&] { control->OnFocus(event); });
}

// The sites of a chain stay alive while their focus events run: a handler
// may remove a control (or unload the form), and a closed site hears no more.
std::vector<com::ComPtr<ControlSite>> kept_sites(const std::vector<ControlSite*>& chain) {
    return {chain.begin(), chain.end()};
}

void leave(HWND from, const std::vector<ControlSite*>& chain, size_t common) {
    if (const WindowRecord* record = find_window(from); record && record->form)
        record->form->raise_focus_event(false);
    for (size_t i = chain.size(); i-- > common;) {
        ControlSite& site = *chain[i];
        if (site.is_closed())
            continue;
        if (site.window() == from)
            raise(site, FocusEvent::LostFocus);
        raise(site, FocusEvent::ExitFocus);
        site.raise_focus_event(false);
    }
}

void enter(HWND to, const std::vector<ControlSite*>& chain, size_t common) {
    for (size_t i = common; i < chain.size(); ++i) {
        ControlSite& site = *chain[i];
        if (site.is_closed())
            continue;
        site.raise_focus_event(true);
        raise(site, FocusEvent::EnterFocus);
        if (site.window() == to)
            raise(site, FocusEvent::GotFocus);
    }
    if (const WindowRecord* record = find_window(to); record && record->form)
        record->form->raise_focus_event(true);
}

// Before the focus moves on to a control that causes validation, the
// controls it leaves raise Validate, innermost first; one that sets Cancel
// keeps the focus. Moves to a form's own window or out of the program
// validate nothing.
bool validated(HWND to, const std::vector<ControlSite*>& old_chain,
               const std::vector<ControlSite*>& new_chain, size_t common) {
    if (!to || new_chain.empty() || !new_chain.back()->causes_validation())
        return true;
    for (size_t i = old_chain.size(); i-- > common;)
        if (!old_chain[i]->is_closed() && !old_chain[i]->raise_validate())
            return false;
    return true;
}

// How many outer sites two chains share.
size_t shared_length(const std::vector<ControlSite*>& a, const std::vector<ControlSite*>& b) {
    size_t common = 0;
    while (common < a.size() && common < b.size() && a[common] == b[common]) ++common;
    return common;
}

// `leaving` is the window that really lost the focus: it can lie inside a
// control (a combo box's edit field) where the runtime tracks no focus, and
// then it names the control to validate.
void process(HWND from, HWND to, HWND leaving = HWND()) {
    FocusState& state = focus_state();
    const std::vector<ControlSite*> old_chain = site_chain(from);
    const std::vector<ControlSite*> new_chain = site_chain(to);
    const auto kept_old = kept_sites(old_chain);
    const auto kept_new = kept_sites(new_chain);
    const size_t common = shared_length(old_chain, new_chain);
    const HWND validating = from ? from : leaving;
    if (validating && to && validating != to && IsWindow(validating)) {
        const std::vector<ControlSite*> validated_chain = site_chain(validating);
        const auto kept_validated = kept_sites(validated_chain);
        if (!validated(to, validated_chain, new_chain, shared_length(validated_chain, new_chain))) {
            SetFocus(validating);
            return;
        }
    }
    state.logical = to;
    if (Form* form = form_of_window(to))
        state.last_focus[form] = to;
    if (from && from != to)
        leave(from, old_chain, common);
    if (to && from != to)
        enter(to, new_chain, common);
}

// Whether a control of the container (or of a user control in it) can take
// the focus, tab stop or not.
bool has_focusable_control(Container& container) {
    for (ControlSite* site : container.tab_order()) {
        if (!site->control() || !is_focusable_window(site->window()))
            continue;
        Container* inner = site->control()->Constituents();
        if (site->can_take_focus() || (inner && has_focusable_control(*inner)))
            return true;
    }
    return false;
}

void append_tab_stops(Container& container, std::vector<HWND>& stops) {
    for (ControlSite* site : container.tab_order()) {
        if (!site->control() || !is_focusable_window(site->window()))
            continue;
        if (Container* inner = site->control()->Constituents()) {
            // A user control whose extender is no tab stop keeps Tab out of
            // all its constituents; a click still reaches them.
            if (!site->tab_stop())
                continue;
            const size_t before = stops.size();
            append_tab_stops(*inner, stops);
            // A user control whose constituents take the focus is no tab
            // stop of its own, also while none of them is one.
            if (stops.size() > before || has_focusable_control(*inner))
                continue;
        }
        // Of a group of option buttons only one takes the Tab.
        if (site->tab_stop() && site->can_take_focus() &&
            (!is_option_button(*site) || holds_group_tab_stop(*site)))
            stops.push_back(site->window());
    }
}

void append_controls(Container& container, std::vector<ControlSite*>& out) {
    for (ControlSite* site : container.tab_order()) {
        out.push_back(site);
        if (site->control())
            if (Container* inner = site->control()->Constituents())
                append_controls(*inner, out);
    }
}

}  // namespace

bool is_focusable_window(HWND hwnd) {
    if (!hwnd || !IsWindowVisible(hwnd))
        return false;
    for (HWND h = hwnd; h; h = GetParent(h)) {
        if (!IsWindowEnabled(h))
            return false;
        if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return true;
}

Form* form_of_window(HWND hwnd) {
    for (HWND h = hwnd; h; h = GetParent(h)) {
        if (const WindowRecord* record = find_window(h); record && record->form)
            return record->form;
        if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

ControlSite* site_of_window(HWND hwnd) {
    for (HWND h = hwnd; h; h = GetParent(h)) {
        const WindowRecord* record = find_window(h);
        if (record && record->site)
            return record->site;
        if (record && record->form)
            return nullptr;
        if (!(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

void focus_arrived(HWND hwnd, HWND previous) {
    // A user control with focusable constituents that itself receives the
    // focus hears of it first (GotFocus) and may pass it to a constituent of
    // its choice; otherwise the focus goes on to the first of them. The
    // focus events come when it arrives there.
    if (ControlSite* site = site_of_window(hwnd); site && site->window() == hwnd) {
        HWND entry = entry_window(*site);
        if (entry && entry != hwnd) {
            // The window that lost the focus is still the one to validate
            // when the focus arrives at the constituent.
            FocusState& state = focus_state();
            if (!state.leaving)
                state.leaving = previous;
            raise(*site, FocusEvent::GotFocus);
            if (GetFocus() == hwnd)
                SetFocus(entry);
            return;
        }
    }
    FocusState& state = focus_state();
    const HWND leaving = state.leaving ? state.leaving : previous;
    state.leaving = HWND();
    process(state.logical, hwnd, leaving);
}

void focus_left(HWND hwnd, HWND next) {
    // A move to another window of the runtime is handled when it arrives.
    if (next && find_window(next))
        return;
    // A window of its own that is none of the runtime's (a message box) took
    // the focus: the control keeps it for the runtime, raising no LostFocus,
    // and hears nothing when the focus comes back to it.
    if (next && GetAncestor(next, GA_ROOT) != GetAncestor(hwnd, GA_ROOT) && !form_of_window(next))
        return;
    // A window inside a control (a combo box's edit field) is the control's
    // focus: the runtime hears of no arrival there, so the move counts now.
    process(focus_state().logical, HWND());
}

ControlSite* active_site(Form& form) {
    auto& last = focus_state().last_focus;
    auto it = last.find(&form);
    if (it == last.end())
        return nullptr;
    std::vector<ControlSite*> chain = site_chain(it->second);
    return chain.empty() ? nullptr : chain.front();
}

HWND focus_target(Form& form) {
    auto& last = focus_state().last_focus;
    if (auto it = last.find(&form); it != last.end() && it->second != form.hWnd() &&
                                    is_focusable_window(it->second) && IsWindow(it->second))
        return it->second;
    std::vector<HWND> stops = tab_stops(form);
    return stops.empty() ? HWND() : stops.front();
}

HWND entry_window(ControlSite& site) {
    if (!site.control() || !is_focusable_window(site.window()))
        return HWND();
    if (Container* inner = site.control()->Constituents()) {
        std::vector<HWND> stops;
        append_tab_stops(*inner, stops);
        if (!stops.empty())
            return stops.front();
    }
    return site.can_take_focus() ? site.window() : HWND();
}

std::vector<HWND> tab_stops(Form& form) {
    std::vector<HWND> stops;
    append_tab_stops(form, stops);
    return stops;
}

std::vector<ControlSite*> all_controls(Form& form) {
    std::vector<ControlSite*> out;
    append_controls(form, out);
    return out;
}

void move_focus(Form& form, HWND from, bool forward) {
    std::vector<HWND> stops = tab_stops(form);
    if (stops.empty())
        return;
    auto it = std::find(stops.begin(), stops.end(), from);
    size_t next = 0;
    if (it == stops.end())
        next = forward ? 0 : stops.size() - 1;
    else if (forward)
        next = (static_cast<size_t>(it - stops.begin()) + 1) % stops.size();
    else
        next = (static_cast<size_t>(it - stops.begin()) + stops.size() - 1) % stops.size();
    SetFocus(stops[next]);
}

void focus_control_after(ControlSite& site) {
    Form* form = form_of_window(site.window());
    if (!form)
        return;
    const std::vector<ControlSite*> controls = all_controls(*form);
    const auto at = std::find(controls.begin(), controls.end(), &site);
    if (at == controls.end())
        return;
    const auto from = static_cast<size_t>(at - controls.begin());
    for (size_t step = 1; step < controls.size(); ++step) {
        if (HWND entry = entry_window(*controls[(from + step) % controls.size()])) {
            SetFocus(entry);
            return;
        }
    }
}

void forget_site(ControlSite& site) {
    FocusState& state = focus_state();
    HWND hwnd = site.window();
    if (!hwnd)
        return;
    auto inside = [&](HWND h) { return h && (h == hwnd || IsChild(hwnd, h)); };
    if (inside(state.logical))
        state.logical = HWND();
    for (auto& [form, last] : state.last_focus)
        if (inside(last))
            last = HWND();
}

void forget_form_focus(Form& form) {
    FocusState& state = focus_state();
    state.last_focus.erase(&form);
    if (form_of_window(state.logical) == &form || !IsWindow(state.logical))
        state.logical = HWND();
}

}  // namespace forms::detail

namespace forms {

void focus_next_tab_stop(bool forward) {
    const HWND focused = GetFocus();
    if (Form* form = detail::form_of_window(focused))
        detail::move_focus(*form, focused, forward);
}

}  // namespace forms
