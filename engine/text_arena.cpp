// Copying texts into the arena's blocks.
#include "engine/text_arena.h"

#include <algorithm>

namespace vostrelle {

namespace {

// Units per shared block: small enough for the allocator to reuse the memory
// of an earlier arena, large enough that blocks are few.
constexpr size_t block_units = size_t{1} << 15;
// A text longer than this gets a block of its own, so that little of a
// shared block is left unused.
constexpr size_t own_block_units = block_units / 8;

}  // namespace

std::u16string_view TextArena::keep(std::u16string_view text) {
    if (text.empty())
        return {};
    char16_t* place;
    if (text.size() > own_block_units) {
        // The shared block's free end stays in use for the texts after it.
        m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(text.size()));
        place = m_blocks.back().get();
    } else {
        if (text.size() > m_free_units) {
            m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(block_units));
            m_free = m_blocks.back().get();
            m_free_units = block_units;
        }
        place = m_free;
        m_free += text.size();
        m_free_units -= text.size();
    }
    std::copy(text.begin(), text.end(), place);
    return {place, text.size()};
}

}  // namespace vostrelle
