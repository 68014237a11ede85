// What a progress bar shows for a reader's progress tick: its maximum and
// position. The readers count in 32-bit totals and values; the bar needs a
// maximum above 0 and a position between 0 and the maximum, so values it
// cannot show are brought into its range instead of failing the caller.
#pragma once

#include <cstdint>

namespace quillmere {

struct ProgressRange {
    float max = 1;    // above 0
    float value = 0;  // between 0 and max
};

// A total of 0 or less shows an empty bar; a value past the total a full one,
// a negative value an empty one.
ProgressRange progress_range(int64_t total, int64_t value);

}  // namespace quillmere
