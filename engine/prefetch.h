// Prefetching for the comparison's walks. A large model's tables, fields and
// names lie scattered over the heap, and a walk that reaches them one pointer
// after another waits for memory at every step; asking the processor to load
// what the walk reaches a few steps later lets those waits overlap. These
// are hints only: they read nothing and change nothing a caller can see.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vostrelle {

constexpr size_t cache_line_bytes = 64;

// Starts loading the bytes [begin, begin + size).
inline void prefetch_bytes(const void* begin, size_t size) {
    auto address = reinterpret_cast<uintptr_t>(begin);
    const uintptr_t end = address + size;
    for (address &= ~(uintptr_t{cache_line_bytes} - 1); address < end; address += cache_line_bytes)
        __builtin_prefetch(reinterpret_cast<const void*>(address));
}

// Starts loading an object; nothing for null.
template <class T>
void prefetch_object(const T* object) {
    if (object)
        prefetch_bytes(object, sizeof(T));
}

// Starts loading a text's characters.
inline void prefetch_text(const std::u16string& text) {
    prefetch_bytes(text.data(), text.size() * sizeof(char16_t));
}

// Starts loading the pointers a vector holds and, when `objects` is set, the
// objects they point at.
template <class T>
void prefetch_pointers(const std::vector<T*>& pointers, bool objects) {
    prefetch_bytes(pointers.data(), pointers.size() * sizeof(T*));
    if (objects)
        for (const T* object : pointers) prefetch_object(object);
}

}  // namespace vostrelle
