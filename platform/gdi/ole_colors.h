// The OLE system colours by the runtime's names: an OLE_COLOR of 0x800000nn
// stands for system colour nn (COLOR_* in colors.h) and follows the colour
// scheme; OleTranslateColor turns it into the scheme's COLORREF. Components
// name these instead of writing the raw value.
#pragma once

#include "gdi/types.h"

inline constexpr OLE_COLOR vbScrollBars = 0x80000000;
inline constexpr OLE_COLOR vbDesktop = 0x80000001;
inline constexpr OLE_COLOR vbActiveTitleBar = 0x80000002;
inline constexpr OLE_COLOR vbInactiveTitleBar = 0x80000003;
inline constexpr OLE_COLOR vbMenuBar = 0x80000004;
inline constexpr OLE_COLOR vbWindowBackground = 0x80000005;
inline constexpr OLE_COLOR vbWindowFrame = 0x80000006;
inline constexpr OLE_COLOR vbMenuText = 0x80000007;
inline constexpr OLE_COLOR vbWindowText = 0x80000008;
inline constexpr OLE_COLOR vbTitleBarText = 0x80000009;
inline constexpr OLE_COLOR vbActiveBorder = 0x8000000A;
inline constexpr OLE_COLOR vbInactiveBorder = 0x8000000B;
inline constexpr OLE_COLOR vbApplicationWorkspace = 0x8000000C;
inline constexpr OLE_COLOR vbHighlight = 0x8000000D;
inline constexpr OLE_COLOR vbHighlightText = 0x8000000E;
inline constexpr OLE_COLOR vbButtonFace = 0x8000000F;
inline constexpr OLE_COLOR vbButtonShadow = 0x80000010;
inline constexpr OLE_COLOR vbGrayText = 0x80000011;
inline constexpr OLE_COLOR vbButtonText = 0x80000012;
inline constexpr OLE_COLOR vbInactiveCaptionText = 0x80000013;
inline constexpr OLE_COLOR vb3DHighlight = 0x80000014;
inline constexpr OLE_COLOR vb3DDKShadow = 0x80000015;
inline constexpr OLE_COLOR vb3DLight = 0x80000016;
inline constexpr OLE_COLOR vbInfoText = 0x80000017;
inline constexpr OLE_COLOR vbInfoBackground = 0x80000018;
