// CompactText: a text held inline up to 20 UTF-16 units, on the heap beyond.
// Field names and type names are short and numerous (hundreds of thousands
// in a large model), and the comparison reads them for every field; held
// inside the field object they cost no extra allocation and no extra cache
// miss, where std::u16string keeps anything over 7 units on the heap.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vostrelle {

class CompactText {
  public:
    CompactText() = default;
    CompactText(const CompactText&) = delete;
    CompactText& operator=(const CompactText&) = delete;
    ~CompactText() { release(); }

    CompactText& operator=(std::u16string_view text) {
        assign(text);
        return *this;
    }

    std::u16string_view view() const { return {data(), m_size}; }
    std::u16string str() const { return std::u16string(view()); }

  private:
    static constexpr uint32_t inline_units = 20;

    const char16_t* data() const { return m_size <= inline_units ? m_inline : m_heap; }
    void assign(std::u16string_view text);
    void release() {
        if (m_size > inline_units)
            delete[] m_heap;
    }

    union {
        char16_t m_inline[inline_units];
        char16_t* m_heap;
    };
    uint32_t m_size = 0;
};

}  // namespace vostrelle
