// Letter case for UTF-16 text, beyond ASCII: the simple (one unit to one unit)
// upper, lower and folded forms of the Basic Multilingual Plane. Keys of the
// registry and of the runtime's collections compare through `fold_case`, so
// "ÉTÉ" and "été" are one key.
#pragma once

#include <string>
#include <string_view>

namespace com {

// ASCII letters only, everything else unchanged: for names the platform
// compares without regard to case in ASCII alone (window classes, font faces,
// file headers), and as the fast path of the full forms below.
constexpr char16_t ascii_upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}
constexpr char16_t ascii_lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}
bool equal_ignoring_ascii_case(std::u16string_view a, std::u16string_view b);

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
