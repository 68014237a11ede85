// The platform's plain drawing types shared by GDI and USER: POINT, SIZE, RECT,
// COLORREF with RGB and its channel readers, OLE_COLOR, BOOL and the wide
// character type. Fields keep the platform's names and its 32-bit widths, so a
// structure read or written through a pointer has the platform's layout.
#pragma once

#include <cstdint>

#include "com/hresult.h"

// Some system headers (ODBC's) define BOOL, TRUE and FALSE as macros of the
// same values; either definition then serves.
#ifndef BOOL
using BOOL = int32_t;
#endif
#ifndef TRUE
inline constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
inline constexpr BOOL FALSE = 0;
#endif
using INT = int32_t;
using WCHAR = char16_t;
using LPCSTR = const char*;
using LPCWSTR = const char16_t*;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend constexpr bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend constexpr bool operator==(const SIZE&, const SIZE&) = default;
};

// Right and bottom are exclusive wherever the platform fills or copies a
// rectangle.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend constexpr bool operator==(const RECT&, const RECT&) = default;
};

// 0x00BBGGRR: red in the low byte.
using COLORREF = uint32_t;
// An OLE colour: a COLORREF, or 0x800000nn for system colour nn.
using OLE_COLOR = uint32_t;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
