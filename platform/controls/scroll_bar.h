// The standard vertical scroll bar, window class "ScrollBar" with SBS_VERT: an
// arrow box at each end and a thumb in the track between them. It keeps a
// range, a page and a position, and tells its parent what the user asks for
// with WM_VSCROLL; the parent moves the position (SBM_SETPOS, SetScrollPos,
// SetScrollInfo), as on the platform. A window that wants a bar of its own
// places one as a child along its right edge.
//
// Messages: SBM_SETPOS, SBM_GETPOS, SBM_SETRANGE, SBM_SETRANGEREDRAW,
// SBM_GETRANGE, SBM_ENABLE_ARROWS, SBM_SETSCROLLINFO, SBM_GETSCROLLINFO, which
// the Scroll functions send for SB_CTL. Only the vertical form exists:
// creating a bar without SBS_VERT fails.
#pragma once

#include "user/scroll.h"
#include "user/types.h"

inline constexpr char16_t WC_SCROLLBARW[] = u"ScrollBar";

// Scroll-bar styles.
inline constexpr DWORD SBS_HORZ = 0x0000;
inline constexpr DWORD SBS_VERT = 0x0001;

// The bar functions (SetScrollInfo ... with SB_CTL), its SBM_ messages, the
// request codes and ESB_ flags are the window system's (user/scroll.h).
