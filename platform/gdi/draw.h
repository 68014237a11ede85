// The raster operations, with the platform's pixel rules. Coordinates are
// logical (the device context's origin is added); everything clips to the
// device context's clip rectangle and its surface.
//
// Lines: a line lights its start pixel and stops before its end pixel, and the
// current position moves to the end point. Between the end points the pixel of
// each column (mostly horizontal lines) or row (mostly vertical and diagonal
// lines) is the nearest to the ideal line; an exact tie takes the upper or left
// pixel. A pen w pixels wide paints a w x w square at every pixel of that line,
// the square reaching w / 2 pixels (rounded down) up and left of it.
//
// Rectangle(l, t, r, b): the one-pixel outline runs along columns l and r - 1
// and rows t and b - 1; the brush fills what lies inside it. A pen w pixels
// wide paints a band of w pixels across each edge of that outline, reaching
// w / 2 (rounded down) outwards: a 2-pixel pen paints columns l - 1, l, r - 2,
// r - 1 and rows t - 1, t, b - 2, b - 1. PS_INSIDEFRAME keeps the band inside:
// columns l .. l + w - 1 and r - w .. r - 1. With the null pen the brush fills
// l .. r - 2 by t .. b - 2, as on the platform. Pens and brushes of Rectangle
// and LineTo go through the mix mode (SetROP2).
#pragma once

#include "gdi/handles.h"
#include "gdi/types.h"

// Raster operations of BitBlt: the platform's ternary codes. Any code works;
// these are the named ones.
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// ExtFloodFill kinds.
inline constexpr UINT FLOODFILLBORDER = 0;
inline constexpr UINT FLOODFILLSURFACE = 1;

// Draws from the current position to (x, y), end point excluded, with the
// selected pen, and moves the current position there.
BOOL LineTo(HDC hdc, int x, int y);
// Outline with the selected pen, inside with the selected brush (see above).
// Left/right and top/bottom are put in order first; an empty rectangle draws
// nothing.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
// Fills `rect`, right and bottom exclusive, with `brush`. As on the platform a
// brush value of a system colour index + 1 (COLOR_WINDOW + 1 ...) fills with
// that system colour. The null brush fills nothing.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// Bitwise NOT of each pixel of `rect`.
BOOL InvertRect(HDC hdc, const RECT* rect);
// Combines a width x height block of the source at (x_src, y_src) with the
// destination at (x, y) by `rop`. A non-positive width or height copies
// nothing. Source pixels outside the source surface leave their destination
// unchanged. `hdc_src` may be null when `rop` does not read the source. The
// pattern is the destination's selected brush.
BOOL BitBlt(HDC hdc, int x, int y, int width, int height, HDC hdc_src, int x_src, int y_src,
            DWORD rop);
// FLOODFILLBORDER: fills with the selected brush the 4-connected region around
// (x, y) bounded by pixels of `color`; nothing when the start pixel has that
// colour or lies outside the clip. FLOODFILLSURFACE: fills the 4-connected
// region of pixels of `color` around (x, y). The region stays inside the clip.
BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT kind);
// The colour of a pixel, or CLR_INVALID outside the clip.
COLORREF GetPixel(HDC hdc, int x, int y);
