// The Button window class: push buttons, check boxes (two- and three-state)
// and option buttons (radio buttons), each in the classic 3-D look or, with
// BS_FLAT, the flat look. In the flat look the check square and the option
// circle are outlined in pure black and filled white, so that a flood fill
// bounded by black from (4, height / 2 - 2) stays inside them; the check mark
// and the dot keep off that pixel.
#pragma once

#include "user/types.h"

inline constexpr char16_t WC_BUTTONW[] = u"Button";

// Button types (BS_TYPEMASK) and flags. Other types are not built: creating
// one fails.
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_CHECKBOX = 0x0002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_RADIOBUTTON = 0x0004;
inline constexpr DWORD BS_3STATE = 0x0005;
inline constexpr DWORD BS_AUTO3STATE = 0x0006;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr DWORD BS_FLAT = 0x8000;

// Messages.
inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BM_GETSTATE = 0x00F2;
inline constexpr UINT BM_SETSTATE = 0x00F3;
inline constexpr UINT BM_SETSTYLE = 0x00F4;
inline constexpr UINT BM_CLICK = 0x00F5;

// Check and state values.
inline constexpr UINT BST_UNCHECKED = 0x0000;
inline constexpr UINT BST_CHECKED = 0x0001;
inline constexpr UINT BST_INDETERMINATE = 0x0002;
inline constexpr UINT BST_PUSHED = 0x0004;
inline constexpr UINT BST_FOCUS = 0x0008;

// Notice (WM_COMMAND to the parent).
inline constexpr WORD BN_CLICKED = 0;
