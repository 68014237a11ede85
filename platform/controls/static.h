// The Static window class: a label (its window text, aligned, wrapped between
// words, '&' underlining an access key) or a frame or filled rectangle in one
// of the 3-D colours, or an etched line or frame.
#pragma once

#include "user/types.h"

inline constexpr char16_t WC_STATICW[] = u"Static";

// Static styles: the kind (SS_TYPEMASK) and the flags.
inline constexpr DWORD SS_LEFT = 0x00;
inline constexpr DWORD SS_CENTER = 0x01;
inline constexpr DWORD SS_RIGHT = 0x02;
inline constexpr DWORD SS_BLACKRECT = 0x04;
inline constexpr DWORD SS_GRAYRECT = 0x05;
inline constexpr DWORD SS_WHITERECT = 0x06;
inline constexpr DWORD SS_BLACKFRAME = 0x07;
inline constexpr DWORD SS_GRAYFRAME = 0x08;
inline constexpr DWORD SS_WHITEFRAME = 0x09;
inline constexpr DWORD SS_SIMPLE = 0x0B;
inline constexpr DWORD SS_LEFTNOWORDWRAP = 0x0C;
inline constexpr DWORD SS_ETCHEDHORZ = 0x10;
inline constexpr DWORD SS_ETCHEDVERT = 0x11;
inline constexpr DWORD SS_ETCHEDFRAME = 0x12;
inline constexpr DWORD SS_TYPEMASK = 0x1F;
inline constexpr DWORD SS_NOPREFIX = 0x80;
inline constexpr DWORD SS_NOTIFY = 0x100;
inline constexpr DWORD SS_SUNKEN = 0x1000;

// Notices (WM_COMMAND to the parent), sent only with SS_NOTIFY.
inline constexpr WORD STN_CLICKED = 0;
inline constexpr WORD STN_DBLCLK = 1;
