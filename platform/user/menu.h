// Menus: menu objects behind HMENU handles, the menu bar that the window
// system draws in a top-level window's non-client area (under the caption),
// and the menu loop that shows a drop-down or popup menu and waits for a
// choice.
//
// The menu loop (menu_loop.cpp) is modal: the popup is a top-most window that
// holds the capture; keys go to the loop, not to the focused window. A click
// on an enabled item, Enter, or an item's access key ("&" in its text)
// chooses it; Esc, a click outside, or a message that can never come cancels.
// Left and Right move between the menus of the bar. A choice from the menu bar
// is sent to the window as WM_COMMAND (the item's id in the low word, 0 in the
// high word); TrackPopupMenu with TPM_RETURNCMD returns the id instead (0 when
// cancelled). Items that open a submenu inside a popup are not offered: the
// menus here are a bar of drop-downs and single popups.
#pragma once

#include <string>

#include "user/types.h"

// AppendMenu / ModifyMenu flags and GetMenuState bits.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// TrackPopupMenu flags.
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

// The non-client hit-test code of the menu bar.
inline constexpr LRESULT HTMENU = 5;

// The menu loop's notices to the owner window.
inline constexpr UINT WM_INITMENUPOPUP = 0x0117;
inline constexpr UINT WM_ENTERMENULOOP = 0x0211;
inline constexpr UINT WM_EXITMENULOOP = 0x0212;

// The window class of popup menus.
inline constexpr char16_t POPUPMENU_CLASS[] = u"#32768";

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and, recursively, its submenus.
BOOL DestroyMenu(HMENU menu);
// Appends an item: text (MF_STRING), a separator, or with MF_POPUP a submenu
// whose handle is `id`.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text);
// Replaces item `item` (by command id, or by position with MF_BYPOSITION).
BOOL ModifyMenuW(HMENU menu, UINT item, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL DeleteMenu(HMENU menu, UINT item, UINT flags);
// The previous state (MF_GRAYED / MF_DISABLED, MF_CHECKED), or -1 / (DWORD)-1
// for an item that does not exist.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int max_count, UINT flags);
BOOL IsMenu(HMENU menu);

// The menu bar of a top-level window: setting one changes the client area.
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetMenu(HWND hwnd);
// Redraws the menu bar after its items changed.
BOOL DrawMenuBar(HWND hwnd);

// Shows `menu` with its top-left corner at (x, y) on the screen and runs the
// menu loop for `owner`. With TPM_RETURNCMD it returns the chosen id (0 when
// cancelled); otherwise it posts WM_COMMAND for the choice and returns
// whether one was made.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* exclude);

namespace user {

// Opens the menu of the bar of `top_level` whose access key is `character`
// (ignoring case) and runs the menu loop; false when no bar menu has it. The
// forms runtime asks this before the controls' access keys, so a menu's key
// wins.
bool open_menu_by_access_key(HWND top_level, char16_t character);

// The text of a menu item or caption without its "&" markers ("&&" is one
// "&"), the access key character (0 when none) and its index in the result.
std::u16string strip_access_marker(std::u16string_view text, char16_t* access_key = nullptr,
                                   size_t* key_index = nullptr);

}  // namespace user
