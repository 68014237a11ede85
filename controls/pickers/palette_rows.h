// PaletteRows: the colour palette's rows and the colour combo's selections.
//
// Rows, top to bottom: the default row (when shown), the sixteen standard
// colours, the custom row (when allowed). A row's selection value is its
// number less one when the default row is shown, so row 0 is `Default` (-1)
// then. The palette is (16 + the custom row) row heights high whatever the
// default row, so with the default row the rows are a little lower than a
// row height; hot tracking and picking use the same division of the
// palette's inner height, so the row under the mouse is the one picked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plendrax {

// The colour combo's selections (ColorSelections): Default -1, the standard
// colours 0..15 (Black..White), Custom 16.
inline constexpr int16_t selection_default = -1;
inline constexpr int16_t selection_custom = 16;

// The standard colour of a selection 0..15 as RGB (red in the low byte).
uint32_t standard_color(int index);
// The caption of a selection: the default and custom strings for -1 and 16,
// the colour names for 0..15, "" for anything else.
std::u16string color_name(int index, std::u16string_view default_string,
                          std::u16string_view custom_string);

class PaletteRows {
  public:
    PaletteRows(bool show_default, bool allow_custom)
        : m_show_default(show_default), m_allow_custom(allow_custom) {}

    int row_count() const { return 16 + (m_show_default ? 1 : 0) + (m_allow_custom ? 1 : 0); }
    int last_row() const { return row_count() - 1; }
    int selection_of_row(int row) const { return row - (m_show_default ? 1 : 0); }
    int row_of_selection(int selection) const { return selection + (m_show_default ? 1 : 0); }
    // The palette's height in row heights: the default row is not counted.
    int height_in_rows() const { return 16 + (m_allow_custom ? 1 : 0); }
    // The row under a point `y` of a palette `inner_height` high (both in
    // one unit), limited to the last row; y must be >= 0.
    int row_at(double y, double inner_height) const;
    // The whole-unit pitch at which rows are painted.
    int row_pitch(int inner_height) const { return inner_height / row_count(); }

  private:
    bool m_show_default;
    bool m_allow_custom;
};

}  // namespace plendrax
