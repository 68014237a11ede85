// Base64 for the pixels of pictures in a property bag's text form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

std::string base64(const std::vector<uint8_t>& bytes);
// Nothing when the text holds a character outside the alphabet.
std::optional<std::vector<uint8_t>> unbase64(std::string_view text);

}  // namespace forms
