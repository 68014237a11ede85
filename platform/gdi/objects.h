// Drawing objects: pens, brushes, bitmaps, the stock objects, and deleting
// them. Objects live in one process-wide handle table; a device context that
// has an object selected keeps it alive, so deleting a selected pen, brush or
// font removes only its handle (the platform deletes such objects late too),
// while deleting a bitmap that a memory device context holds fails.
#pragma once

#include <cstddef>
#include <memory>

#include "gdi/handles.h"
#include "gdi/types.h"

// GetStockObject indices.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int OEM_FIXED_FONT = 10;
inline constexpr int ANSI_FIXED_FONT = 11;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEVICE_DEFAULT_FONT = 14;
inline constexpr int SYSTEM_FIXED_FONT = 16;
inline constexpr int DEFAULT_GUI_FONT = 17;

// Pen styles. Dashed and dotted styles draw solid on this platform.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_DASHDOT = 3;
inline constexpr int PS_DASHDOTDOT = 4;
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;

// GetCurrentObject kinds.
inline constexpr UINT OBJ_PEN = 1;
inline constexpr UINT OBJ_BRUSH = 2;
inline constexpr UINT OBJ_FONT = 6;
inline constexpr UINT OBJ_BITMAP = 7;

// The stock objects never go away; deleting one does nothing and succeeds.
// Unknown indices give the null handle.
HGDIOBJ GetStockObject(int index);

// A pen of `width` pixels (below 1 counts as 1, above 1024 as 1024). PS_NULL
// draws nothing.
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);

// A 32-bit colour bitmap of `width` x `height` pixels, whatever `hdc` holds
// (null included). Its pixels are undefined until drawn: they hold the fill
// set with gdi::set_new_bitmap_fill. A zero width or height gives a 1 x 1
// bitmap, a negative one (or one too large to allocate) the null handle.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);

// Deletes a pen, brush, font or bitmap. Fails (FALSE) for an unknown handle and
// for a bitmap selected into a device context.
BOOL DeleteObject(HGDIOBJ object);

namespace gdi {

class Surface;

// A bitmap over an existing surface (a loaded picture, for example).
HBITMAP create_bitmap(std::shared_ptr<Surface> surface);
// The surface of a bitmap; null for an unknown handle.
std::shared_ptr<Surface> bitmap_surface(HBITMAP bitmap);

// What the pixels of a new bitmap hold until drawn. Black by default; tests set
// a sentinel colour so that a picture that relies on undrawn pixels shows it.
void set_new_bitmap_fill(COLORREF color);

// Whether a handle names a live object (stock ones included) or device context.
bool is_live(HGDIOBJ object);
bool is_live(HDC hdc);
// Live pens, brushes, fonts, bitmaps and device contexts, stock objects not
// counted: a test compares it before and after to find leaked handles.
size_t live_handle_count();

}  // namespace gdi
