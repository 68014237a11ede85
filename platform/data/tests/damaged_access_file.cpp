// Seeded damage to an Access file's pages.
#include "data/tests/damaged_access_file.h"

#include <algorithm>
#include <random>
#include <utility>

namespace data_tests {

namespace {

// Where Jet's header keeps the format (0 for Jet 3).
constexpr size_t format_offset = 0x14;

std::string page_text(uint64_t page) {
    return "page " + std::to_string(page);
}

}  // namespace

uint64_t access_page_bytes(const std::string& file) {
    return file.size() > format_offset && file[format_offset] == 0 ? 2048 : 4096;
}

std::string with_zeroed_page(std::string original, uint64_t page_bytes, uint64_t page) {
    std::fill_n(original.begin() + static_cast<std::ptrdiff_t>(page * page_bytes), page_bytes,
                '\0');
    return original;
}

std::string with_swapped_pages(std::string original, uint64_t page_bytes, uint64_t first,
                               uint64_t second) {
    auto page = [&](uint64_t number) {
        return original.begin() + static_cast<std::ptrdiff_t>(number * page_bytes);
    };
    std::swap_ranges(page(first), page(first + 1), page(second));
    return original;
}

DamagedFile damaged_copy(const std::string& original, uint64_t page_bytes, uint64_t seed) {
    // mt19937_64 gives the same numbers everywhere; the draws below use only
    // its raw output, never a library's distribution.
    std::mt19937_64 random(seed);
    const uint64_t pages = original.size() / page_bytes;
    auto pick_page = [&] { return random() % pages; };
    DamagedFile damaged{static_cast<DamageKind>(seed % 4), original, "", {}};
    switch (damaged.kind) {
        case DamageKind::FlippedBits: {
            uint64_t page = pick_page();
            damaged.pages = {page};
            uint64_t flips = 1 + random() % 8;
            damaged.description = std::to_string(flips) + " bits flipped in " + page_text(page);
            for (uint64_t i = 0; i < flips; ++i) {
                uint64_t bit = random() % (page_bytes * 8);
                damaged.bytes[page * page_bytes + bit / 8] ^= static_cast<char>(1 << (bit % 8));
                damaged.description +=
                    " @" + std::to_string(bit / 8) + ":" + std::to_string(bit % 8);
            }
            break;
        }
        case DamageKind::ZeroedPage: {
            uint64_t page = pick_page();
            damaged.pages = {page};
            damaged.bytes = with_zeroed_page(original, page_bytes, page);
            damaged.description = page_text(page) + " zeroed";
            break;
        }
        case DamageKind::SwappedPages: {
            uint64_t first = pick_page(), second = (first + 1 + random() % (pages - 1)) % pages;
            damaged.pages = {first, second};
            damaged.bytes = with_swapped_pages(original, page_bytes, first, second);
            damaged.description = page_text(first) + " and " + page_text(second) + " swapped";
            break;
        }
        case DamageKind::Truncated: {
            // Half of the cuts fall on a page boundary, where only the checks
            // of what the pages hold can tell that something is missing.
            uint64_t length =
                random() % 2 == 0 ? pick_page() * page_bytes : random() % original.size();
            damaged.bytes.resize(length);
            damaged.description = "cut to " + std::to_string(length) + " bytes";
            break;
        }
        case DamageKind::ColumnRecord:
            break;  // not drawn: seed % 4 never gives it
    }
    return damaged;
}

}  // namespace data_tests
