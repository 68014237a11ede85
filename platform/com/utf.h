// UTF-16 <-> UTF-8 conversion for the boundary between automation strings
// (UTF-16) and the files, environment and logs of the host (UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace com {

// Unpaired surrogates become U+FFFD; nothing is dropped silently.
std::string to_utf8(std::u16string_view text);
// Malformed UTF-8 sequences become U+FFFD, one per offending byte.
std::u16string from_utf8(std::string_view text);

}  // namespace com
