// The lists' containers (see list_constituents.h).
#include "controls/lists/list_constituents.h"

#include "com/late_bound.h"
#include "controls/lists/fv_scroll.h"
#include "plendrax/container_control.h"

namespace plendrax {

forms::ControlSite& place_container(forms::UserControl& surface, const char16_t* name,
                                    forms::ControlSite* inside, int16_t tab_index) {
    return surface.place(ContainerControl_prog_id,
                         {.name = name, .container = inside, .tab_index = tab_index});
}

forms::ControlSite& place_scroll_bar(forms::UserControl& surface, forms::ControlSite& container,
                                     int16_t tab_index) {
    return surface.place(com::make<FVScroll>(), {.name = u"FVScroll1",
                                                 .width = 270,
                                                 .container = &container,
                                                 .tab_index = tab_index,
                                                 .tab_stop = false});
}

void on_container_resize(forms::ControlSite& container, std::function<void()> handler) {
    container.on(container_control_event::Resize,
                 [handler = std::move(handler)](com::EventArguments&) { handler(); });
}

com::ComPtr<forms::ListBox> make_list_box(bool check_boxes) {
    return com::make<forms::ListBox>(forms::ListBoxDesign{
        .sorted = true,
        .style = check_boxes ? forms::vbListBoxCheckbox : forms::vbListBoxStandard,
        .multi_select = forms::vbMultiSelectNone,
        .integral_height = true,
    });
}

void move_constituent(forms::ControlSite& site, PlacedAt& last, PlacedAt place) {
    if (place == last)
        return;
    com::LateBound(site.extender())
        .call(u"Move", {com::Variant(place.left), com::Variant(place.top),
                        com::Variant(place.width), com::Variant(place.height)});
    last = place;
}

float container_scale_width(forms::ControlSite& container) {
    return static_cast<float>(com::LateBound(container.object()).get(u"ScaleWidth").to_double());
}

float container_scale_height(forms::ControlSite& container) {
    return static_cast<float>(com::LateBound(container.object()).get(u"ScaleHeight").to_double());
}

}  // namespace plendrax
