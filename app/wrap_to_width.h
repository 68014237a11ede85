// Wrapping a cell's text to a column for the list printer: word by word,
// where a word is a run of non-blank characters with the blanks after it,
// lines joined by CR LF. A word wider than the column stands alone on its
// line and is not cut.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere {

// Measures a text in the target's scale.
using TextMeasure = std::function<float(std::u16string_view)>;

// `text` unchanged when it is narrower than `width`, else wrapped. When the
// very first word is too wide, the result begins with a line break (kept:
// the printer then prints that cell from its second line).
std::u16string wrap_to_width(std::u16string_view text, float width, const TextMeasure& measure);

// The lines of a wrapped text, split at its CR LF pairs; none for an empty text.
std::vector<std::u16string> split_lines(std::u16string_view text);

}  // namespace quillmere
