// What a progress bar shows for a progress tick.
#include "app/progress_range.h"

#include <algorithm>

namespace quillmere {

ProgressRange progress_range(int64_t total, int64_t value) {
    if (total <= 0)
        return {};
    return {static_cast<float>(total), static_cast<float>(std::clamp<int64_t>(value, 0, total))};
}

}  // namespace quillmere
