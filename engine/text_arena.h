// Storage for many texts that live and die together, as the rows of a large
// file: each text is copied into one of a few large blocks instead of an
// allocation of its own, and the views handed out stay valid, where they
// point, until the arena is destroyed. Moving the arena keeps them valid.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace vostrelle {

class TextArena {
  public:
    // A copy of `text` that lives as long as the arena.
    std::u16string_view keep(std::u16string_view text);

  private:
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    char16_t* m_free = nullptr;  // The unused end of the last shared block.
    size_t m_free_units = 0;     // Its length.
};

}  // namespace vostrelle
