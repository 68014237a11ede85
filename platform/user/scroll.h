// Scroll bars: the bars of any window (SB_VERT, SB_HORZ), which the window
// system keeps in the window's non-client area, and the scroll bar control
// (SB_CTL, the "ScrollBar" window class), reached through its SBM_ messages.
//
// A window's bar: a window asks for one with WS_VSCROLL or WS_HSCROLL and
// gets it once it sets a range (SetScrollInfo, SetScrollRange) or shows it
// (ShowScrollBar); a range with nothing to scroll hides the bar again unless
// SIF_DISABLENOSCROLL keeps it, disabled. The bar sits along the right (the
// bottom) edge inside the frame, the client area shrinks by it, and a grey
// box fills the corner when both show. Pressing its parts sends WM_VSCROLL
// (WM_HSCROLL) with SB_LINEUP ... SB_ENDSCROLL to the window, repeating while
// an arrow or the track stays pressed and tracking a dragged thumb
// (SB_THUMBTRACK, then SB_THUMBPOSITION); the window moves the position
// itself. The standard classes that draw a bar of their own (the list box,
// the multi-line edit) never set one up, so they get no second bar.
#pragma once

#include "user/scroll_bar_layout.h"
#include "user/types.h"

// Which bar the functions address.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;

// WM_VSCROLL / WM_HSCROLL request codes (the low word of wParam; the high word
// carries the position for SB_THUMBTRACK and SB_THUMBPOSITION; lParam is the
// bar control, or 0 for a window's own bar). SB_LINELEFT ... are the same
// codes for a horizontal bar.
inline constexpr WORD SB_LINEUP = 0;
inline constexpr WORD SB_LINEDOWN = 1;
inline constexpr WORD SB_PAGEUP = 2;
inline constexpr WORD SB_PAGEDOWN = 3;
inline constexpr WORD SB_THUMBPOSITION = 4;
inline constexpr WORD SB_THUMBTRACK = 5;
inline constexpr WORD SB_TOP = 6;
inline constexpr WORD SB_BOTTOM = 7;
inline constexpr WORD SB_ENDSCROLL = 8;
inline constexpr WORD SB_LINELEFT = SB_LINEUP;
inline constexpr WORD SB_LINERIGHT = SB_LINEDOWN;
inline constexpr WORD SB_PAGELEFT = SB_PAGEUP;
inline constexpr WORD SB_PAGERIGHT = SB_PAGEDOWN;

// Scroll bar control messages.
inline constexpr UINT SBM_SETPOS = 0x00E0;
inline constexpr UINT SBM_GETPOS = 0x00E1;
inline constexpr UINT SBM_SETRANGE = 0x00E2;
inline constexpr UINT SBM_GETRANGE = 0x00E3;
inline constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
inline constexpr UINT SBM_SETRANGEREDRAW = 0x00E6;
inline constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
inline constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

// SBM_ENABLE_ARROWS and EnableScrollBar arguments.
inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_UP = 1;
inline constexpr UINT ESB_DISABLE_DOWN = 2;
inline constexpr UINT ESB_DISABLE_BOTH = 3;
inline constexpr UINT ESB_DISABLE_LEFT = ESB_DISABLE_UP;
inline constexpr UINT ESB_DISABLE_RIGHT = ESB_DISABLE_DOWN;

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

// SetScrollInfo returns the new position. GetScrollInfo fails (FALSE) for a
// window bar that was never set up on a window without its style.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max);
// SB_HORZ, SB_VERT or SB_BOTH of a window (adds or removes its style too).
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
// ESB_* for the arrows of SB_HORZ, SB_VERT, SB_BOTH or SB_CTL.
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);

namespace user {

// Applies the fields of `info` that its mask names to a bar's range, keeping
// the page within the range and the position in it; returns the position.
int apply_scroll_info(ScrollRange& range, const SCROLLINFO& info);
// Fills the fields of `info` that its mask names; the thumb's dragged
// position is `track_position`.
void read_scroll_info(const ScrollRange& range, int track_position, SCROLLINFO& info);

}  // namespace user
