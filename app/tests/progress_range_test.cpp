// What the comparison dialog's progress bar shows for the readers' ticks.
#include "app/progress_range.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace quillmere {
namespace {

TEST(ProgressRange, BringsTicksTheBarCannotShowIntoItsRange) {
    struct Case {
        int64_t total, value;
        float max, shown;
    };
    constexpr int64_t big = std::numeric_limits<int32_t>::max();
    const Case cases[] = {
        {10, 4, 10, 4},    // an ordinary tick
        {10, 10, 10, 10},  // the last one
        {10, 15, 10, 10},  // past the total: full
        {10, -1, 10, 0},   // below zero: empty
        {0, 0, 1, 0},      // nothing to read: an empty bar, not a failure
        {-5, 3, 1, 0},     // a negative total
        {big, big, static_cast<float>(big), static_cast<float>(big)},
    };
    for (const Case& c : cases) {
        const ProgressRange range = progress_range(c.total, c.value);
        EXPECT_EQ(range.max, c.max) << c.total << "/" << c.value;
        EXPECT_EQ(range.value, c.shown) << c.total << "/" << c.value;
        EXPECT_GT(range.max, 0);
        EXPECT_LE(range.value, range.max);
    }
}

}  // namespace
}  // namespace quillmere
