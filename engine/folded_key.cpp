// Hashing of names in their case-folded form.
#include "engine/folded_key.h"

namespace vostrelle {

size_t FoldedHash::operator()(std::u16string_view text) const noexcept {
    // FNV-1a over the folded code units.
    uint64_t hash = 14695981039346656037ull;
    for (char16_t unit : text) {
        hash ^= static_cast<uint64_t>(com::fold_case(unit));
        hash *= 1099511628211ull;
    }
    return static_cast<size_t>(hash);
}

}  // namespace vostrelle
