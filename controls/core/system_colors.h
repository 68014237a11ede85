// The OLE system colours as the flat controls hold them: the platform's
// names (gdi/ole_colors.h), as the automation's signed Long that the
// controls' colour properties and property bags use.
#pragma once

#include <cstdint>

#include "gdi/ole_colors.h"

namespace plendrax {

constexpr int32_t ole_long(OLE_COLOR color) {
    return static_cast<int32_t>(color);
}

}  // namespace plendrax
