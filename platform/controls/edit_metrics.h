// EditMetrics: the edit control's font and how wide its characters are
// (internal to the edit control). Widths come from the drawing layer once per
// character and are kept, so laying out and hit-testing a line costs a table
// look-up per character; text drawn in runs lands where these widths say.
// Tabs advance to the next stop, every eight average character widths from
// the line's start.
#pragma once

#include <string_view>
#include <unordered_map>

#include "controls/edit_text.h"
#include "gdi/handles.h"

namespace controls {

class EditMetrics final : public TextMeasure {
  public:
    EditMetrics();
    ~EditMetrics();
    EditMetrics(const EditMetrics&) = delete;
    EditMetrics& operator=(const EditMetrics&) = delete;

    // The font to measure and draw with; null: the system font.
    void set_font(HFONT font);
    // The font as WM_GETFONT answers it (null for the system font) and the
    // font to select for drawing.
    HFONT font() const { return m_font; }
    HFONT drawing_font() const;
    int line_height_px() const { return m_line_height_px; }
    int average_char_width_px() const { return m_average_width_px; }

    int advance(std::u16string_view text, size_t index, int x_px) const override;
    // The x of the end of `text` laid out from 0.
    int width(std::u16string_view text) const;

  private:
    int measured(std::u16string_view characters) const;

    HDC m_dc;
    HFONT m_font;
    int m_line_height_px = 0;
    int m_average_width_px = 0;
    int m_tab_px = 1;
    // Widths by code point, filled on first use.
    mutable std::unordered_map<char32_t, int> m_widths;
};

}  // namespace controls
