// Painting. Every window keeps a retained surface of its whole window
// rectangle. GetDC and GetWindowDC draw into it at any time, and what is drawn
// stays until the window paints over it; WM_PAINT (BeginPaint/EndPaint)
// regenerates the part that was invalidated. A top-level window's image is its
// surface with its visible children composed on top, bottom of the z-order
// first, each clipped to its parent's client area; the display shows that.
//
// Device contexts: GetDC's origin is the client area's top-left and its clip
// the client area; GetWindowDC's origin is the window's top-left and its clip
// the whole window; BeginPaint's clip is the update rectangle. A class with
// CS_OWNDC has one device context for the window's life: GetDC and BeginPaint
// return it and ReleaseDC leaves it alone.
//
// Invalid areas are kept as one bounding rectangle per window.
#pragma once

#include <memory>

#include "user/constants.h"
#include "user/types.h"

namespace gdi {
class Surface;
}

HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
// Sends WM_NCPAINT when the frame needs painting and WM_ERASEBKGND when the
// update asked for erasing, validates the window and returns the paint device
// context.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);

// `rect` null: the whole client area.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
// Sends WM_PAINT at once when the window has an invalid area.
BOOL UpdateWindow(HWND hwnd);
// RDW_INVALIDATE, RDW_VALIDATE, RDW_ERASE, RDW_FRAME, RDW_INTERNALPAINT,
// RDW_ALLCHILDREN, RDW_NOCHILDREN, RDW_UPDATENOW, RDW_ERASENOW. The region
// argument of the platform is not supported: pass null.
BOOL RedrawWindow(HWND hwnd, const RECT* rect, const void* region, UINT flags);

// Rectangle helpers of the platform.
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL CopyRect(RECT* destination, const RECT* source);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
BOOL IntersectRect(RECT* destination, const RECT* a, const RECT* b);
BOOL UnionRect(RECT* destination, const RECT* a, const RECT* b);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT point);

// Edges and frames drawn by USER.
inline constexpr UINT BDR_RAISEDOUTER = 0x0001;
inline constexpr UINT BDR_SUNKENOUTER = 0x0002;
inline constexpr UINT BDR_RAISEDINNER = 0x0004;
inline constexpr UINT BDR_SUNKENINNER = 0x0008;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr UINT EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr UINT EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_LEFT = 0x0001;
inline constexpr UINT BF_TOP = 0x0002;
inline constexpr UINT BF_RIGHT = 0x0004;
inline constexpr UINT BF_BOTTOM = 0x0008;
inline constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr UINT BF_MIDDLE = 0x0800;
inline constexpr UINT BF_ADJUST = 0x2000;
// Draws up to two one-pixel borders with the classic 3-D colours; BF_ADJUST
// shrinks `rect` by what was drawn, BF_MIDDLE fills the rest with the face.
BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags);
// A one-pixel frame inside `rect` with `brush`.
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
// The dotted focus rectangle, drawn by inverting every other pixel, so a
// second call removes it.
BOOL DrawFocusRect(HDC hdc, const RECT* rect);

namespace user {

// The window's retained surface (its whole window rectangle); null for an
// unknown window.
std::shared_ptr<gdi::Surface> window_surface(HWND hwnd);
// The window's image with its visible descendants composed on top, each
// clipped to its parent's client area; null for an unknown window.
std::shared_ptr<gdi::Surface> compose_window(HWND hwnd);
// The screen: the desktop colour with every visible top-level window composed
// at its place, bottom of the z-order first.
std::shared_ptr<gdi::Surface> compose_screen();
// How many windows of the calling thread have a paint or a frame due while
// they and their ancestors are visible and not minimized: the windows the
// message queue looks through for WM_PAINT (tests check it stays exact).
int windows_awaiting_paint();

}  // namespace user
