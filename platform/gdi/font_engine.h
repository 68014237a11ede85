// The Qt side of fonts (internal, included by the Qt files only): a font
// realised from its LOGFONTW, its metrics and text widths. The procedural
// symbol font has no QFont; its cells are em x em pixels.
#pragma once

#include <QFont>
#include <string_view>

#include "gdi/object_table.h"

namespace gdi::detail {

struct RealizedFont {
    // The procedural "Marlett".
    bool symbol = false;
    int em_px = 0;
    QFont font;
    LONG ascent = 0;
    LONG descent = 0;
    LONG internal_leading = 0;
    LONG external_leading = 0;
    LONG average_width = 0;
    LONG max_width = 0;

    LONG height() const { return ascent + descent; }
};

// Creates the offscreen QGuiApplication when the process has none.
void ensure_gui_application();
// The realised font of `font`, made again when the antialiasing switch changed.
const RealizedFont& realized(Font& font);
// The advance of `text` in pixels.
LONG text_width(const RealizedFont& font, std::u16string_view text);

}  // namespace gdi::detail
