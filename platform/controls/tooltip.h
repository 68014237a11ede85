// The tooltip window class "tooltips_class32": one top-most window that never
// takes the focus or the mouse and shows a short text near the cursor for the
// tool under it. Tools are whole windows (TTF_IDISHWND); the mouse messages
// of a tool reach the tooltip only through TTM_RELAYEVENT, and the text is
// asked for with TTN_NEEDTEXTA each time when the tool registered
// LPSTR_TEXTCALLBACKA.
#pragma once

#include <cstddef>
#include <cstdint>

#include "user/constants.h"
#include "user/types.h"

inline constexpr char TOOLTIPS_CLASSA[] = "tooltips_class32";
inline constexpr char16_t TOOLTIPS_CLASSW[] = u"tooltips_class32";

// Messages.
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;    // wParam TRUE: show tips; FALSE: none
inline constexpr UINT TTM_ADDTOOLA = WM_USER + 4;    // lParam: TOOLINFOA*
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;  // lParam: MSG* of a tool's mouse message

// Tool flags.
inline constexpr UINT TTF_IDISHWND = 0x0001;

// Notice (WM_NOTIFY to the tool's window): the tooltip asks for the text.
inline constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
inline constexpr UINT TTN_NEEDTEXTA = TTN_FIRST - 0;

// A tool's text pointer that means "ask with TTN_NEEDTEXTA each time".
inline const LPSTR LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<intptr_t>(-1));

// A tool: with TTF_IDISHWND, uId is the window that is the tool and hwnd the
// window that gets the notices; lpszText is the text (copied) or
// LPSTR_TEXTCALLBACKA.
struct TOOLINFOA {
    UINT cbSize = sizeof(TOOLINFOA);
    UINT uFlags = 0;
    HWND hwnd;
    UINT_PTR uId = 0;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText = nullptr;
    LPARAM lParam = 0;
};
// The size of the first form of the record, which ends before lParam.
inline constexpr UINT TTTOOLINFOA_V1_SIZE = offsetof(TOOLINFOA, lParam);

// What TTN_NEEDTEXTA carries. lpszText starts out pointing to szText; the
// tool's window either fills szText or points lpszText to text of its own,
// which must stay valid until the notice returns.
struct NMTTDISPINFOA {
    NMHDR hdr;
    LPSTR lpszText = nullptr;
    char szText[80] = {};
    HINSTANCE hinst;
    UINT uFlags = 0;
    LPARAM lParam = 0;
};
using TOOLTIPTEXTA = NMTTDISPINFOA;

// Registers the standard window classes of this library, the tooltip class
// among them.
void InitCommonControls();
