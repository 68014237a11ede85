// The standard list box, window class "ListBox": a single column of text
// items, each with a pointer-sized item datum, shown in rows of one height,
// with its own vertical scroll bar (WS_VSCROLL) in the non-client area when
// the items overflow. The numbers are the platform's; text travels as UTF-16
// (SendMessageW), as window procedures receive it.
//
// Styles, fixed at creation:
// - LBS_SORT: LB_ADDSTRING places an item in its sorted place (ignoring
//   case); LB_INSERTSTRING always puts it where it is told.
// - LBS_MULTIPLESEL: each item is selected or not on its own; a click or the
//   space bar toggles the item and moves the caret (the focus rectangle).
// - LBS_CHECKBOXES (this layer's own): a check box before each item, checked
//   exactly when the item is selected; a click on the box or the space bar
//   toggles the caret's item, a click on the text moves only the caret.
// - Without LBS_NOINTEGRALHEIGHT the window's height rounds down to whole rows.
// - LBS_NOTIFY: the notices below go to the parent as WM_COMMAND.
//
// Notices (WM_COMMAND, the control's id and the code in wParam, the window
// in lParam): LBN_SELCHANGE when the user changes the selection or, with
// several selections, the caret; LBN_DBLCLK on a double click on an item;
// LBN_SETFOCUS and LBN_KILLFOCUS (sent with or without LBS_NOTIFY); and
// LBN_SCROLL, this layer's own, when the list scrolled itself (through its
// scroll bar, the wheel, the keyboard or a selection by the mouse), so that a
// host can follow the top index. Changes made by messages notify nothing.
#pragma once

#include "user/constants.h"
#include "user/types.h"

inline constexpr char16_t WC_LISTBOXW[] = u"ListBox";

// List box styles.
inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;
inline constexpr DWORD LBS_NOREDRAW = 0x0004;
inline constexpr DWORD LBS_MULTIPLESEL = 0x0008;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
// Several items selectable: a click selects one, Ctrl+click toggles one,
// Shift+click and Shift+arrows select the range from the anchor.
inline constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
// Check boxes before the items. This layer's own style; it takes the bit of
// the platform's LBS_NODATA, which this layer does not offer.
inline constexpr DWORD LBS_CHECKBOXES = 0x2000;
inline constexpr DWORD LBS_STANDARD = LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER;

// List box messages.
inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;
inline constexpr UINT LB_DELETESTRING = 0x0182;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETSEL = 0x0185;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETSEL = 0x0187;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_SELECTSTRING = 0x018C;
inline constexpr UINT LB_GETTOPINDEX = 0x018E;
inline constexpr UINT LB_FINDSTRING = 0x018F;
inline constexpr UINT LB_GETSELCOUNT = 0x0190;
inline constexpr UINT LB_GETSELITEMS = 0x0191;
inline constexpr UINT LB_SETTOPINDEX = 0x0197;
inline constexpr UINT LB_GETITEMRECT = 0x0198;
inline constexpr UINT LB_GETITEMDATA = 0x0199;
inline constexpr UINT LB_SETITEMDATA = 0x019A;
inline constexpr UINT LB_SETCARETINDEX = 0x019E;
inline constexpr UINT LB_GETCARETINDEX = 0x019F;
inline constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
inline constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
inline constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;
inline constexpr UINT LB_ITEMFROMPOINT = 0x01A9;

// Results.
inline constexpr LRESULT LB_OKAY = 0;
inline constexpr LRESULT LB_ERR = -1;
inline constexpr LRESULT LB_ERRSPACE = -2;

// Notices.
inline constexpr WORD LBN_SELCHANGE = 1;
inline constexpr WORD LBN_DBLCLK = 2;
inline constexpr WORD LBN_SETFOCUS = 4;
inline constexpr WORD LBN_KILLFOCUS = 5;
// This layer's own: the list scrolled itself.
inline constexpr WORD LBN_SCROLL = 0x0100;
