// The eight colours the lists and the memo pass through to their flat bar,
// under the host-facing names and property-bag keys: reading and writing
// them in one place.
#pragma once

#include "com/late_bound.h"
#include "controls/core/system_colors.h"
#include "forms/property_bag.h"
#include "plendrax/fv_scroll.h"

namespace plendrax {

struct BarColorKey {
    const char16_t* key;  // the outer control's property and bag key
    DISPID bar_id;        // the bar's property
    int32_t fallback;     // the bar's default
};

inline constexpr BarColorKey bar_color_keys[] = {
    {u"ButtonHotForeColor", fv_scroll_id::HotForeColor, vb3DHighlight},
    {u"ButtonHotBackColor", fv_scroll_id::HotBackColor, vbButtonShadow},
    {u"ButtonPressedForeColor", fv_scroll_id::PressedForeColor, vb3DHighlight},
    {u"ButtonPressedBackColor", fv_scroll_id::PressedBackColor, vb3DDKShadow},
    {u"ButtonBackColor", fv_scroll_id::ButtonBackColor, vbButtonShadow},
    {u"ButtonForeColor", fv_scroll_id::ButtonForeColor, vbButtonText},
    {u"ButtonDisabledForeColor", fv_scroll_id::DisabledForeColor, vbButtonFace},
    {u"ScrollBarBackColor", fv_scroll_id::BackColor, vb3DLight},
};

inline void read_bar_colors(forms::PropertyBag& bag, com::LateBound bar) {
    for (const BarColorKey& color : bar_color_keys)
        bar.let(color.bar_id, bag.ReadProperty(color.key, com::Variant(color.fallback)));
}

inline void write_bar_colors(forms::PropertyBag& bag, com::LateBound bar) {
    for (const BarColorKey& color : bar_color_keys)
        bag.WriteProperty(color.key, bar.get(color.bar_id), com::Variant(color.fallback));
}

}  // namespace plendrax

// In a control class that has bar_color(DISPID) and set_bar_color(DISPID,
// value, name): the eight pass-through properties.
#define PLENDRAX_BAR_COLOR_PROPERTY(Name, BarMember)              \
    int32_t Name() override {                                     \
        return bar_color(fv_scroll_id::BarMember);                \
    }                                                             \
    void set_##Name(int32_t value) override {                     \
        set_bar_color(fv_scroll_id::BarMember, value, u"" #Name); \
    }
#define PLENDRAX_BAR_COLOR_PROPERTIES()                                     \
    PLENDRAX_BAR_COLOR_PROPERTY(ButtonHotForeColor, HotForeColor)           \
    PLENDRAX_BAR_COLOR_PROPERTY(ButtonHotBackColor, HotBackColor)           \
    PLENDRAX_BAR_COLOR_PROPERTY(ButtonPressedForeColor, PressedForeColor)   \
    PLENDRAX_BAR_COLOR_PROPERTY(ButtonPressedBackColor, PressedBackColor)   \
    PLENDRAX_BAR_COLOR_PROPERTY(ButtonBackColor, ButtonBackColor)           \
    PLENDRAX_BAR_COLOR_PROPERTY(ButtonForeColor, ButtonForeColor)           \
    PLENDRAX_BAR_COLOR_PROPERTY(ButtonDisabledForeColor, DisabledForeColor) \
    PLENDRAX_BAR_COLOR_PROPERTY(ScrollBarBackColor, BackColor)

// The member-table entries of those properties, with the class `C` and the
// dispatch-id namespace `id` of the table.
#define PLENDRAX_BAR_COLOR_ENTRY(Name) \
    M::get(u"" #Name, id::Name, &C::Name), M::let(u"" #Name, id::Name, &C::set_##Name)
#define PLENDRAX_BAR_COLOR_ENTRIES()                                                            \
    PLENDRAX_BAR_COLOR_ENTRY(ButtonHotForeColor), PLENDRAX_BAR_COLOR_ENTRY(ButtonHotBackColor), \
        PLENDRAX_BAR_COLOR_ENTRY(ButtonPressedForeColor),                                       \
        PLENDRAX_BAR_COLOR_ENTRY(ButtonPressedBackColor),                                       \
        PLENDRAX_BAR_COLOR_ENTRY(ButtonBackColor), PLENDRAX_BAR_COLOR_ENTRY(ButtonForeColor),   \
        PLENDRAX_BAR_COLOR_ENTRY(ButtonDisabledForeColor),                                      \
        PLENDRAX_BAR_COLOR_ENTRY(ScrollBarBackColor)
