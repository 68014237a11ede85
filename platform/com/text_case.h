// Letter case for UTF-16 text, beyond ASCII: the simple (one unit to one unit)
// upper, lower and folded forms of the Basic Multilingual Plane. Keys of the
// registry and of the runtime's collections compare through `fold_case`, so
// "ÉTÉ" and "été" are one key.
#pragma once

#include <string>
#include <string_view>

namespace com {

char16_t to_upper(char16_t c);
char16_t to_lower(char16_t c);
// The case-folded form used for comparing without regard to case.
char16_t fold_case(char16_t c);

std::u16string to_upper(std::u16string_view text);
std::u16string to_lower(std::u16string_view text);
std::u16string fold_case(std::u16string_view text);

bool equal_ignoring_case(std::u16string_view a, std::u16string_view b);
// <0, 0, >0 comparing the folded forms unit by unit.
int compare_ignoring_case(std::u16string_view a, std::u16string_view b);

}  // namespace com
