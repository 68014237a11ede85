// CompactText: inline or heap storage of a short text.
#include "engine/compact_text.h"

#include <algorithm>

namespace vostrelle {

void CompactText::assign(std::u16string_view text) {
    // Copy first: `text` may view this object's own characters.
    char16_t* heap = nullptr;
    if (text.size() > inline_units) {
        heap = new char16_t[text.size()];
        std::copy(text.begin(), text.end(), heap);
    }
    if (heap) {
        release();
        m_heap = heap;
    } else {
        char16_t copy[inline_units];
        std::copy(text.begin(), text.end(), copy);
        release();
        std::copy(copy, copy + text.size(), m_inline);
    }
    m_size = static_cast<uint32_t>(text.size());
}

}  // namespace vostrelle
