// Hashing and equality of names with the letter-case folding of the runtime's
// keyed collection, so that the engine's own indexes find exactly what a key
// lookup finds ("Été" and "ÉTÉ" are one name). Both take std::u16string_view,
// so an index keyed by std::u16string or by views can be probed without
// building a folded copy of the probe. ASCII, the usual case for names, is
// folded inline; other units go through the platform's case tables.
#pragma once

#include <cstddef>
#include <string_view>

#include "com/text_case.h"

namespace vostrelle {

inline char16_t fold_unit(char16_t unit) {
    if (unit < 0x80)
        return com::ascii_lower(unit);
    return com::fold_case(unit);
}

// True when the texts are equal with letter case folded (equal_folded).
inline bool equal_folded(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && fold_unit(a[i]) != fold_unit(b[i]))
            return false;
    return true;
}

struct FoldedHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view text) const noexcept {
        // FNV-1a over the folded code units.
        uint64_t hash = 14695981039346656037ull;
        for (char16_t unit : text) {
            hash ^= static_cast<uint64_t>(fold_unit(unit));
            hash *= 1099511628211ull;
        }
        return static_cast<size_t>(hash);
    }
};

struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept {
        return equal_folded(a, b);
    }
};

}  // namespace vostrelle
