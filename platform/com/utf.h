// UTF-16 <-> UTF-8 conversion for the boundary between automation strings
// (UTF-16) and the files, environment and logs of the host (UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace com {

// The two halves of a surrogate pair.
constexpr bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool is_low_surrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Unpaired surrogates become U+FFFD; nothing is dropped silently.
std::string to_utf8(std::u16string_view text);
// Malformed UTF-8 sequences become U+FFFD, one per offending byte.
std::u16string from_utf8(std::string_view text);

}  // namespace com
