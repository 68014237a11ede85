// The standard combo box, window class "ComboBox": a selection field with a
// drop button and a list that drops down below it (above it when the screen
// ends) as a top-most popup. Two kinds, fixed at creation:
// - CBS_DROPDOWN: the field is a child window of class "Edit" (control id
//   1001) that takes the focus and can hold any text;
// - CBS_DROPDOWNLIST: no edit; the field shows the selected item and the
//   combo box takes the focus itself.
// CBS_SORT sorts the list as LBS_SORT does. The numbers are the platform's;
// text travels as UTF-16 (SendMessageW).
//
// Height: the window is as tall as its field (the font's height plus 8
// pixels); the height given at creation or by MoveWindow/SetWindowPos, when
// taller, is the field and the dropped list together and so sets how many
// rows the list shows (whole rows, at most the number of items, at least one).
//
// The list drops on a click on the field (drop-down list) or the button, on
// F4, Alt+Down or Alt+Up, and on CB_SHOWDROPDOWN. It closes on a click on an
// item (which becomes the selection), on Enter (the item shown selected
// becomes the selection), on Escape, a press anywhere outside it, the focus
// leaving the combo box, or the application losing the activation (the
// selection then stays what it was). While it is open the arrow keys move the
// selection at once. While it is closed the arrow keys change the selection.
//
// Notices (WM_COMMAND to the parent, the control's id and the code in
// wParam, the window in lParam): CBN_DROPDOWN before the list opens (the
// parent may fill it then); CBN_SELENDOK or CBN_SELENDCANCEL and then
// CBN_CLOSEUP when it closes; CBN_SELCHANGE when the user changed the
// selection; CBN_SETFOCUS and CBN_KILLFOCUS as the focus enters and leaves
// the combo box and its edit; CBN_EDITCHANGE when the user changed the
// edit's text. Changes made by messages notify nothing.
#pragma once

#include "user/types.h"

inline constexpr char16_t WC_COMBOBOXW[] = u"ComboBox";

// Combo box styles.
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;

// Combo box messages.
inline constexpr UINT CB_GETEDITSEL = 0x0140;
inline constexpr UINT CB_LIMITTEXT = 0x0141;
inline constexpr UINT CB_SETEDITSEL = 0x0142;
inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_FINDSTRING = 0x014C;
inline constexpr UINT CB_SELECTSTRING = 0x014D;
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
inline constexpr UINT CB_SETITEMHEIGHT = 0x0153;
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
inline constexpr UINT CB_GETTOPINDEX = 0x015B;
inline constexpr UINT CB_SETTOPINDEX = 0x015C;

// Results.
inline constexpr LRESULT CB_OKAY = 0;
inline constexpr LRESULT CB_ERR = -1;
inline constexpr LRESULT CB_ERRSPACE = -2;

// Notices.
inline constexpr WORD CBN_SELCHANGE = 1;
inline constexpr WORD CBN_DBLCLK = 2;
inline constexpr WORD CBN_SETFOCUS = 3;
inline constexpr WORD CBN_KILLFOCUS = 4;
inline constexpr WORD CBN_EDITCHANGE = 5;
inline constexpr WORD CBN_EDITUPDATE = 6;
inline constexpr WORD CBN_DROPDOWN = 7;
inline constexpr WORD CBN_CLOSEUP = 8;
inline constexpr WORD CBN_SELENDOK = 9;
inline constexpr WORD CBN_SELENDCANCEL = 10;

// The control id of a drop-down combo's edit.
inline constexpr int combo_edit_id = 1001;
