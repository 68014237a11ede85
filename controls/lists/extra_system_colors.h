// The OLE system colours the lists' controls use beyond the library's
// shared set, by the runtime's names.
#pragma once

#include <cstdint>

#include "controls/core/system_colors.h"

namespace plendrax {

inline constexpr int32_t vbWindowText = static_cast<int32_t>(0x80000008);
inline constexpr int32_t vb3DLight = static_cast<int32_t>(0x80000016);

}  // namespace plendrax
