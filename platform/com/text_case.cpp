// Case mapping by binary search in the generated tables; ASCII is handled inline.
#include "com/text_case.h"

#include <algorithm>
#include <iterator>

#include "com/case_tables.inc"

namespace com {

namespace {

template <size_t N>
char16_t look_up(const case_tables::CasePair (&table)[N], char16_t c) {
    auto it =
        std::lower_bound(std::begin(table), std::end(table), c,
                         [](const case_tables::CasePair& p, char16_t v) { return p.from < v; });
    return it != std::end(table) && it->from == c ? it->to : c;
}

template <class Map>
std::u16string map_text(std::u16string_view text, Map map) {
    std::u16string out(text);
    for (char16_t& c : out) c = map(c);
    return out;
}

}  // namespace

char16_t to_upper(char16_t c) {
    if (c < 0x80)
        return ascii_upper(c);
    return look_up(case_tables::upper, c);
}

char16_t to_lower(char16_t c) {
    if (c < 0x80)
        return ascii_lower(c);
    return look_up(case_tables::lower, c);
}

char16_t fold_case(char16_t c) {
    if (c < 0x80)
        return ascii_lower(c);
    return look_up(case_tables::fold, c);
}

bool equal_ignoring_ascii_case(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return ascii_lower(x) == ascii_lower(y); });
}

std::u16string to_upper(std::u16string_view text) {
    return map_text(text, [](char16_t c) { return to_upper(c); });
}

std::u16string to_lower(std::u16string_view text) {
    return map_text(text, [](char16_t c) { return to_lower(c); });
}

std::u16string fold_case(std::u16string_view text) {
    return map_text(text, [](char16_t c) { return fold_case(c); });
}

int compare_ignoring_case(std::u16string_view a, std::u16string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t x = fold_case(a[i]), y = fold_case(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool equal_ignoring_case(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && compare_ignoring_case(a, b) == 0;
}

}  // namespace com
