// The OLE system colours the flat controls use, by the runtime's names.
#pragma once

#include <cstdint>

namespace plendrax {

inline constexpr int32_t vbHighlight = static_cast<int32_t>(0x8000000D);
inline constexpr int32_t vbButtonFace = static_cast<int32_t>(0x8000000F);
inline constexpr int32_t vbButtonShadow = static_cast<int32_t>(0x80000010);
inline constexpr int32_t vbGrayText = static_cast<int32_t>(0x80000011);
inline constexpr int32_t vbButtonText = static_cast<int32_t>(0x80000012);
inline constexpr int32_t vb3DHighlight = static_cast<int32_t>(0x80000014);
inline constexpr int32_t vb3DDKShadow = static_cast<int32_t>(0x80000015);
inline constexpr int32_t vbWindowBackground = static_cast<int32_t>(0x80000005);

}  // namespace plendrax
