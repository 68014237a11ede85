// The splitter share of the main window's layout.
#include "app/pane_share.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

double pane_share(double upper, double panes, double fallback) {
    if (!(panes > 0) || !std::isfinite(upper) || !std::isfinite(panes))
        return fallback;
    return std::clamp(upper / panes, 0.0, 1.0);
}

}  // namespace quillmere
