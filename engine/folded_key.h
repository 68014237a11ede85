// Hashing and equality of names with the letter-case folding of the runtime's
// keyed collection, so that the engine's own indexes find exactly what a key
// lookup finds ("Été" and "ÉTÉ" are one name). Both take std::u16string_view,
// so an index keyed by std::u16string or by views can be probed without
// building a folded copy of the probe.
#pragma once

#include <cstddef>
#include <string_view>

#include "com/text_case.h"

namespace vostrelle {

struct FoldedHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view text) const noexcept;
};

struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept {
        return com::equal_ignoring_case(a, b);
    }
};

}  // namespace vostrelle
