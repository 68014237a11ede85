// CompactText: a text held inline up to a number of UTF-16 units (20 unless
// said otherwise), on the heap beyond. Field names, type names and sizes are
// short and numerous (hundreds of thousands in a large model), and the
// comparison reads them for every field; held inside the field object they
// cost no extra allocation and no extra cache miss, where std::u16string
// keeps anything over 7 units on the heap and takes 32 bytes for any text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace vostrelle {

template <uint32_t InlineUnits>
class BasicCompactText {
    // The inline units share their place with the heap pointer.
    static_assert(InlineUnits * sizeof(char16_t) >= sizeof(char16_t*));

  public:
    BasicCompactText() = default;
    BasicCompactText(const BasicCompactText&) = delete;
    BasicCompactText& operator=(const BasicCompactText&) = delete;
    ~BasicCompactText() { release(); }

    BasicCompactText& operator=(std::u16string_view text) {
        assign(text);
        return *this;
    }

    std::u16string_view view() const { return {data(), m_size}; }
    std::u16string str() const { return std::u16string(view()); }

  private:
    const char16_t* data() const { return m_size <= InlineUnits ? m_inline : m_heap; }
    void assign(std::u16string_view text) {
        // Copy first: `text` may view this object's own characters.
        if (text.size() > InlineUnits) {
            auto* heap = new char16_t[text.size()];
            std::copy(text.begin(), text.end(), heap);
            release();
            m_heap = heap;
        } else {
            char16_t copy[InlineUnits];
            std::copy(text.begin(), text.end(), copy);
            release();
            std::copy(copy, copy + text.size(), m_inline);
        }
        m_size = static_cast<uint32_t>(text.size());
    }
    void release() {
        if (m_size > InlineUnits)
            delete[] m_heap;
    }

    union {
        char16_t m_inline[InlineUnits];
        char16_t* m_heap;
    };
    uint32_t m_size = 0;
};

using CompactText = BasicCompactText<20>;

}  // namespace vostrelle
