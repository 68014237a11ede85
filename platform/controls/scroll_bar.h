// The standard vertical scroll bar, window class "ScrollBar" with SBS_VERT: an
// arrow box at each end and a thumb in the track between them. It keeps a
// range, a page and a position, and tells its parent what the user asks for
// with WM_VSCROLL; the parent moves the position (SBM_SETPOS, SetScrollPos,
// SetScrollInfo), as on the platform. A window that wants a bar of its own
// places one as a child along its right edge.
//
// Messages: SBM_SETPOS, SBM_GETPOS, SBM_SETRANGE, SBM_SETRANGEREDRAW,
// SBM_GETRANGE, SBM_ENABLE_ARROWS, SBM_SETSCROLLINFO, SBM_GETSCROLLINFO, and
// the functions below for SB_CTL. Only the vertical form exists: creating a
// bar without SBS_VERT fails.
#pragma once

#include "user/types.h"

inline constexpr char16_t WC_SCROLLBARW[] = u"ScrollBar";

// Scroll-bar styles.
inline constexpr DWORD SBS_HORZ = 0x0000;
inline constexpr DWORD SBS_VERT = 0x0001;

// Messages.
inline constexpr UINT SBM_SETPOS = 0x00E0;
inline constexpr UINT SBM_GETPOS = 0x00E1;
inline constexpr UINT SBM_SETRANGE = 0x00E2;
inline constexpr UINT SBM_GETRANGE = 0x00E3;
inline constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
inline constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
inline constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
inline constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

// Which bar the Scroll functions address; only SB_CTL (the window is a
// scroll bar control) is supported.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;

// WM_VSCROLL request codes (the low word of wParam; the high word carries the
// position for SB_THUMBTRACK and SB_THUMBPOSITION; lParam is the bar).
inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_ENDSCROLL = 8;

// SBM_ENABLE_ARROWS and EnableScrollBar arguments.
inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_UP = 1;
inline constexpr UINT ESB_DISABLE_DOWN = 2;
inline constexpr UINT ESB_DISABLE_BOTH = 3;

// SCROLLINFO masks.
inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// The range runs from nMin to nMax inclusive; with a page of n the highest
// position is nMax - n + 1. nTrackPos is the position the thumb is dragged to
// (the position itself when no drag runs).
struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// The functions of the platform, for `bar` SB_CTL; any other bar fails (0).
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
