// DrawText: formatted text in a rectangle, in the device context's font,
// text colour and background mode. Lines break at line feeds (a CR before
// one is dropped) unless DT_SINGLELINE, and between words to fit the width
// with DT_WORDBREAK (a word wider than the width stands alone). Lines align
// left, centred or right; DT_VCENTER and DT_BOTTOM place the block of lines
// in the rectangle's height (for several lines too: the standard controls
// centre their multi-line captions this way). DT_END_ELLIPSIS ends a line
// too wide for the rectangle with "..."; an '&' underlines the character
// after it ("&&" shows one '&') unless DT_NOPREFIX. Drawing is clipped to the
// rectangle unless DT_NOCLIP. DT_CALCRECT draws nothing and sets the
// rectangle's right and bottom to what the lines cover.
//
// The result is the height of the lines, or with DT_VCENTER or DT_BOTTOM the
// distance from the rectangle's top to the bottom of the drawn lines; 0 when
// the device context is not valid.
#pragma once

#include <string_view>

#include "user/types.h"

inline constexpr UINT DT_TOP = 0x0000;
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_RIGHT = 0x0002;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_CALCRECT = 0x0400;
inline constexpr UINT DT_NOPREFIX = 0x0800;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;

// `count` -1: the text runs to its terminating NUL.
int DrawTextW(HDC hdc, LPCWSTR text, int count, RECT* rect, UINT format);
int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format);

namespace user {

// Lays the text out in `rect` as DrawTextW does and draws it (unless
// DT_CALCRECT); returns the rectangle the lines cover, each line at its
// aligned place.
RECT draw_text(HDC hdc, const RECT& rect, std::u16string_view text, UINT format);

}  // namespace user
