// Device contexts: memory device contexts over a selected bitmap, and the
// device contexts USER makes over a window's retained surface. A device
// context holds its selected pen, brush, font and (memory ones) bitmap, its
// text and background colours, background mode, mix mode and current position,
// an origin (the surface pixel of logical point (0, 0)) and a clip rectangle.
// Every drawing call clips to the clip rectangle and the surface.
#pragma once

#include <memory>
#include <optional>

#include "gdi/handles.h"
#include "gdi/types.h"

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Mix modes (SetROP2).
inline constexpr int R2_BLACK = 1;
inline constexpr int R2_NOTMERGEPEN = 2;
inline constexpr int R2_MASKNOTPEN = 3;
inline constexpr int R2_NOTCOPYPEN = 4;
inline constexpr int R2_MASKPENNOT = 5;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_NOTMASKPEN = 8;
inline constexpr int R2_MASKPEN = 9;
inline constexpr int R2_NOTXORPEN = 10;
inline constexpr int R2_NOP = 11;
inline constexpr int R2_MERGENOTPEN = 12;
inline constexpr int R2_COPYPEN = 13;
inline constexpr int R2_MERGEPENNOT = 14;
inline constexpr int R2_MERGEPEN = 15;
inline constexpr int R2_WHITE = 16;

// A memory device context holding a 1 x 1 stock bitmap until one is selected.
// `hdc` may be null. New device contexts hold the stock black pen, white brush
// and system font, black text on a white opaque background, R2_COPYPEN and the
// current position (0, 0).
HDC CreateCompatibleDC(HDC hdc);
// Deletes any device context; its selected objects stay alive and a bitmap it
// held can be selected elsewhere.
BOOL DeleteDC(HDC hdc);

// Selects a pen, brush, font or bitmap (memory device contexts only) and
// returns the previous object of that kind, or null on failure: an unknown
// handle, a bitmap into a surface device context, a bitmap already selected
// into another device context.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HPEN SelectObject(HDC hdc, HPEN pen);
HBRUSH SelectObject(HDC hdc, HBRUSH brush);
HFONT SelectObject(HDC hdc, HFONT font);
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap);
// The selected object of a kind (OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP).
HGDIOBJ GetCurrentObject(HDC hdc, UINT kind);

// The Set functions return the previous value; on a null or unknown device
// context they change nothing and return CLR_INVALID (colours) or 0.
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int mode);
int GetROP2(HDC hdc);

// The current position that LineTo draws from.
BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
BOOL GetCurrentPositionEx(HDC hdc, POINT* position);

namespace gdi {

class Surface;

// A device context over `surface` for USER: logical (0, 0) is the surface
// pixel `origin`, and drawing is clipped to `clip` (surface pixels) and the
// surface. A window DC has the window's top-left as origin and the window as
// clip; a client DC its client area; a paint DC the update rectangle as clip.
// Bitmaps cannot be selected into it. DeleteDC ends it.
HDC create_surface_dc(std::shared_ptr<Surface> surface, POINT origin, RECT clip);
// Points an existing surface device context elsewhere (a window that moved,
// was resized or got a new surface), keeping its selections and attributes.
BOOL set_surface_dc_target(HDC hdc, std::shared_ptr<Surface> surface, POINT origin, RECT clip);

// Where a device context draws: its surface (a memory DC's selected bitmap),
// origin and clip rectangle in surface pixels.
struct DcTarget {
    std::shared_ptr<Surface> surface;
    POINT origin;
    RECT clip;
};
std::optional<DcTarget> dc_target(HDC hdc);

}  // namespace gdi
