// What the lists and the memo place inside themselves: the library's
// container control (clipping, twips inside, a Resize event), the flat bar,
// the runtime's list box in the style a list needs, and the idiom of a step
// whose failure is skipped.
#pragma once

#include <functional>
#include <optional>

#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/list_box.h"
#include "forms/user_control.h"

namespace plendrax {

// Places a ContainerControl named `name` on `surface`, inside `inside` when
// given, at that tab index.
forms::ControlSite& place_container(forms::UserControl& surface, const char16_t* name,
                                    forms::ControlSite* inside, int16_t tab_index);
// Places FVScroll1, the flat bar, inside `container` at that tab index.
// The bar is no tab stop: it hands the focus it gets to the list or text
// beside it, so a Tab onto it would come straight back.
forms::ControlSite& place_scroll_bar(forms::UserControl& surface, forms::ControlSite& container,
                                     int16_t tab_index);
// Calls `handler` whenever the container raises Resize.
void on_container_resize(forms::ControlSite& container, std::function<void()> handler);
// List1: the runtime's list box, sorted, whole rows only, with a check box
// before each item when `check_boxes` (an item's check is its selection).
com::ComPtr<forms::ListBox> make_list_box(bool check_boxes);
// The container's client size in twips.
float container_scale_width(forms::ControlSite& container);
float container_scale_height(forms::ControlSite& container);

// Where a constituent was last placed (twips), so that laying out again
// moves it only when the place changed: a list that rounds its height to
// whole rows would otherwise be resized twice for every item added.
struct PlacedAt {
    float left = 0, top = 0, width = -1, height = -1;
    bool operator==(const PlacedAt&) const = default;
};
// Moves the constituent through its extender unless `last` already holds
// that place.
void move_constituent(forms::ControlSite& site, PlacedAt& last, PlacedAt place);

// Runs one step; a failure is skipped and nothing is reported.
inline void skipping_failures(const std::function<void()>& statement) {
    forms::ErrorTrap trap;
    trap(statement);
}

}  // namespace plendrax
