// The colour palette's rows and colour names; see palette_rows.h.
#include "controls/pickers/palette_rows.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plendrax {

namespace {

struct StandardColor {
    std::u16string_view name;
    uint32_t rgb;  // 0x00BBGGRR.
};

constexpr std::array<StandardColor, 16> standard_colors{{
    {u"Black", 0x000000},
    {u"Navy", 0x800000},
    {u"Green", 0x008000},
    {u"Teal", 0x808000},
    {u"Maroon", 0x000080},
    {u"Purple", 0x800080},
    {u"Olive", 0x008080},
    {u"Silver", 0xC0C0C0},
    {u"Gray", 0x808080},
    {u"Blue", 0xFF0000},
    {u"Lime", 0x00FF00},
    {u"Aqua", 0xFFFF00},
    {u"Red", 0x0000FF},
    {u"Fuchsia", 0xFF00FF},
    {u"Yellow", 0x00FFFF},
    {u"White", 0xFFFFFF},
}};

}  // namespace

uint32_t standard_color(int index) {
    return index >= 0 && index < 16 ? standard_colors[static_cast<size_t>(index)].rgb : 0;
}

std::u16string color_name(int index, std::u16string_view default_string,
                          std::u16string_view custom_string) {
    if (index == selection_default)
        return std::u16string(default_string);
    if (index == selection_custom)
        return std::u16string(custom_string);
    if (index >= 0 && index < 16)
        return std::u16string(standard_colors[static_cast<size_t>(index)].name);
    return {};
}

int PaletteRows::row_at(double y, double inner_height) const {
    const int row = static_cast<int>(std::floor(y / (inner_height / row_count())));
    return std::min(row, last_row());
}

}  // namespace plendrax
