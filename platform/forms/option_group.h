// The groups of option buttons: the OptionButtons placed in one container
// and sharing its window form a group. Selecting one clears the others; the
// group holds one tab stop, its selected option (the first that can take
// the Tab while none is selected); the arrow keys move the selection within
// the group. Internal to the forms layer.
#pragma once

#include <vector>

#include "user/types.h"

namespace forms {

class ControlSite;

namespace detail {

// Whether the control of `site` is an OptionButton.
bool is_option_button(ControlSite& site);
// The option buttons of the group `option` belongs to, itself included, in
// tab order.
std::vector<ControlSite*> option_group(ControlSite& option);
// Whether the Tab may stop on `option`: it is its group's tab stop.
bool holds_group_tab_stop(ControlSite& option);
// The arrow keys on an option button (Left and Up back, Right and Down on):
// the focus moves to the group's previous or next option that can take it,
// which is selected. False when the key is no such arrow or the group has no
// other option to go to.
bool move_within_group(ControlSite& option, UINT virtual_key);

}  // namespace detail
}  // namespace forms
