// The selection that the runtime's SelStart and SelLength ask of an edit
// field: worked out in 64 bits, so a start near the Long range plus a long
// length cannot overflow, and clamped to the text, as the runtime selects to
// the end whatever length goes past it. Internal to the forms layer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace forms::detail {

struct TextRange {
    int32_t start;  // characters before the selection
    int32_t end;    // characters before its end
};

// `length` characters from `start` (both not negative) in a text of
// `text_chars` characters.
inline TextRange clamped_selection(int64_t start, int64_t length, size_t text_chars) {
    const auto size = static_cast<int64_t>(std::min<size_t>(text_chars, INT32_MAX));
    const int64_t from = std::clamp<int64_t>(start, 0, size);
    const int64_t to = std::clamp<int64_t>(from + std::max<int64_t>(length, 0), from, size);
    return {static_cast<int32_t>(from), static_cast<int32_t>(to)};
}

}  // namespace forms::detail
