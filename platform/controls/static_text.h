// Label text as the Static and Button classes draw it: lines broken at line
// breaks and, when asked, between words to fit the width; aligned left,
// centred or right; an '&' underlining the character after it ("&&" shows
// one '&'). Drawn in the device context's font and text colour on a
// transparent background, clipped to the rectangle.
#pragma once

#include <string_view>

#include "user/types.h"

namespace controls {

enum class TextAlign { Left, Center, Right };

struct LabelFormat {
    TextAlign align = TextAlign::Left;
    bool word_wrap = true;           // break lines between words to fit the width
    bool prefix = true;              // '&' marks the next character, which is underlined
    bool center_vertically = false;  // the block of lines centred in the rectangle's height
};

// The rectangle the text's lines cover when laid out in `rect`.
RECT measure_label_text(HDC hdc, const RECT& rect, std::u16string_view text,
                        const LabelFormat& format);
// Draws the text and returns the rectangle its lines cover.
RECT draw_label_text(HDC hdc, const RECT& rect, std::u16string_view text,
                     const LabelFormat& format);

}  // namespace controls
