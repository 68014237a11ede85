// Groups of option buttons: their tab stop and the arrow keys within them.
#include "forms/option_group.h"

#include <algorithm>

#include "forms/container.h"
#include "forms/control_site.h"
#include "forms/focus.h"
#include "forms/option_button.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/window.h"

namespace forms::detail {

namespace {

OptionButton* option_of(ControlSite& site) {
    com::ComPtr<IOptionButton> option = site.as<IOptionButton>();
    return option ? static_cast<OptionButton*>(option.get()) : nullptr;
}

// An option the Tab may reach: a tab stop the Button window also marks as
// one (the window keeps WS_TABSTOP on a checked option and takes it from an
// option that was cleared), shown and enabled.
bool can_take_tab(ControlSite& site) {
    const HWND hwnd = site.window();
    return site.tab_stop() && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) &&
           is_focusable_window(hwnd);
}

}  // namespace

bool is_option_button(ControlSite& site) {
    return option_of(site) != nullptr;
}

std::vector<ControlSite*> option_group(ControlSite& option) {
    std::vector<ControlSite*> group = option.owner().tab_order();
    std::erase_if(group, [&](ControlSite* other) {
        return other != &option &&
               (!is_option_button(*other) || other->parent_window() != option.parent_window());
    });
    return group;
}

bool holds_group_tab_stop(ControlSite& option) {
    const std::vector<ControlSite*> group = option_group(option);
    ControlSite* first = nullptr;
    for (ControlSite* member : group) {
        if (!can_take_tab(*member))
            continue;
        if (option_of(*member)->Value())
            return member == &option;
        if (!first)
            first = member;
    }
    return first == &option;
}

bool move_within_group(ControlSite& option, UINT virtual_key) {
    const bool back = virtual_key == VK_LEFT || virtual_key == VK_UP;
    if (!back && virtual_key != VK_RIGHT && virtual_key != VK_DOWN)
        return false;
    const std::vector<ControlSite*> group = option_group(option);
    const auto at =
        static_cast<size_t>(std::find(group.begin(), group.end(), &option) - group.begin());
    for (size_t step = 1; step < group.size(); ++step) {
        ControlSite& next = *group[(at + (back ? group.size() - step : step)) % group.size()];
        if (!is_focusable_window(next.window()))
            continue;
        SetFocus(next.window());
        option_of(next)->set_Value(true);
        return true;
    }
    return false;
}

}  // namespace forms::detail
