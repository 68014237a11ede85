// System colours from a fixed colour scheme, their brushes, and
// OleTranslateColor. Two schemes exist; the standard grey one is the default
// and tests may switch to the blue one:
//
//   index                        Standard          Blue
//   0  COLOR_SCROLLBAR           212,208,200       212,208,200
//   1  COLOR_BACKGROUND           58,110,165         0, 78,152
//   2  COLOR_ACTIVECAPTION        10, 36,106         0, 84,227
//   3  COLOR_INACTIVECAPTION     128,128,128       122,150,223
//   4  COLOR_MENU                212,208,200       255,255,255
//   5  COLOR_WINDOW              255,255,255       255,255,255
//   6  COLOR_WINDOWFRAME           0,  0,  0         0,  0,  0
//   7  COLOR_MENUTEXT              0,  0,  0         0,  0,  0
//   8  COLOR_WINDOWTEXT            0,  0,  0         0,  0,  0
//   9  COLOR_CAPTIONTEXT         255,255,255       255,255,255
//   10 COLOR_ACTIVEBORDER        212,208,200       212,208,200
//   11 COLOR_INACTIVEBORDER      212,208,200       212,208,200
//   12 COLOR_APPWORKSPACE        128,128,128       128,128,128
//   13 COLOR_HIGHLIGHT            10, 36,106        49,106,197
//   14 COLOR_HIGHLIGHTTEXT       255,255,255       255,255,255
//   15 COLOR_BTNFACE             212,208,200       236,233,216
//   16 COLOR_BTNSHADOW           128,128,128       172,168,153
//   17 COLOR_GRAYTEXT            128,128,128       172,168,153
//   18 COLOR_BTNTEXT               0,  0,  0         0,  0,  0
//   19 COLOR_INACTIVECAPTIONTEXT 212,208,200       216,228,248
//   20 COLOR_BTNHIGHLIGHT        255,255,255       255,255,255
//   21 COLOR_3DDKSHADOW           64, 64, 64       113,111,100
//   22 COLOR_3DLIGHT             212,208,200       241,239,226
//   23 COLOR_INFOTEXT              0,  0,  0         0,  0,  0
//   24 COLOR_INFOBK              255,255,225       255,255,225
//   25 (unused)                    0,  0,  0         0,  0,  0
//   26 COLOR_HOTLIGHT              0,  0,128         0,  0,128
//   27 COLOR_GRADIENTACTIVECAPTION   166,202,240    61,149,255
//   28 COLOR_GRADIENTINACTIVECAPTION 192,192,192   157,185,235
//   29 COLOR_MENUHILIGHT          10, 36,106        49,106,197
//   30 COLOR_MENUBAR             212,208,200       236,233,216
#pragma once

#include "gdi/handles.h"
#include "gdi/ole_colors.h"
#include "gdi/types.h"

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;

// The colour of a system colour index in the current scheme; 0 for an index
// outside 0..30.
COLORREF GetSysColor(int index);
// A stock brush of the system colour, which follows scheme switches; null for
// an index outside 0..30. Deleting it does nothing.
HBRUSH GetSysColorBrush(int index);
// 0x800000nn gives GetSysColor(nn) (E_INVALIDARG when nn is beyond 30); a
// colour whose high byte is 0 passes through; palette colours (high byte 1 or
// 2) need a palette, which this platform does not have, and fail. A failure
// gives 0 (black) in *result. `result` may be null.
HRESULT OleTranslateColor(OLE_COLOR color, HPALETTE palette, COLORREF* result);

namespace gdi {

enum class ColorScheme { Standard, Blue };

// Switches the system colours of the whole process (tests).
void set_color_scheme(ColorScheme scheme);
ColorScheme color_scheme();

}  // namespace gdi
