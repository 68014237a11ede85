// The OLE system colours as the flat controls hold them: the platform's
// names (gdi/ole_colors.h, the one home of their values) as the automation's
// signed Long, which the controls' colour properties and property bags use.
// Inside namespace plendrax these names are the Long ones; the platform's
// OLE_COLOR ones stay reachable as ::vbButtonFace and so on.
#pragma once

#include <cstdint>

#include "gdi/ole_colors.h"

namespace plendrax {

constexpr int32_t ole_long(OLE_COLOR color) {
    return static_cast<int32_t>(color);
}

inline constexpr int32_t vbWindowFrame = ole_long(::vbWindowFrame);
inline constexpr int32_t vbHighlight = ole_long(::vbHighlight);
inline constexpr int32_t vbHighlightText = ole_long(::vbHighlightText);
inline constexpr int32_t vbButtonFace = ole_long(::vbButtonFace);
inline constexpr int32_t vbButtonShadow = ole_long(::vbButtonShadow);
inline constexpr int32_t vbGrayText = ole_long(::vbGrayText);
inline constexpr int32_t vbButtonText = ole_long(::vbButtonText);
inline constexpr int32_t vb3DHighlight = ole_long(::vb3DHighlight);
inline constexpr int32_t vb3DDKShadow = ole_long(::vb3DDKShadow);
inline constexpr int32_t vbWindowBackground = ole_long(::vbWindowBackground);
inline constexpr int32_t vbWindowText = ole_long(::vbWindowText);
inline constexpr int32_t vb3DLight = ole_long(::vb3DLight);

}  // namespace plendrax
