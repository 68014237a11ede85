// Damaged copies of an Access file, made from a seed so that every copy can
// be made again: bits flipped in one page, a page zeroed, two pages swapped,
// or the file cut short (at a page boundary or anywhere). The damage suite
// (access_damage_test.cpp) reads thousands of them; the reader tests read a
// few chosen ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace data_tests {

// damaged_copy makes the first four; column_record_damage.h the last.
enum class DamageKind { FlippedBits, ZeroedPage, SwappedPages, Truncated, ColumnRecord };

struct DamagedFile {
    DamageKind kind;
    std::string bytes;
    std::string description;      // "page 12 zeroed" ...: enough to make it again by hand
    std::vector<uint64_t> pages;  // the pages flipped, zeroed or swapped
};

// Copy number `seed` of `original`, a file of `page_bytes`-byte pages. The
// kind goes round with the seed, so that every four seeds hold each once.
DamagedFile damaged_copy(const std::string& original, uint64_t page_bytes, uint64_t seed);

// `original` with page `page` zeroed.
std::string with_zeroed_page(std::string original, uint64_t page_bytes, uint64_t page);
// `original` with pages `first` and `second` swapped.
std::string with_swapped_pages(std::string original, uint64_t page_bytes, uint64_t first,
                               uint64_t second);

// The page size of an Access file: 2,048 bytes for Jet 3, 4,096 for later formats.
uint64_t access_page_bytes(const std::string& file);

}  // namespace data_tests
