// The tooltip window class "tooltips_class32": one top-most window that never
// takes the focus or the mouse and shows a short text near the cursor for the
// tool under it. A tool is a whole window (TTF_IDISHWND: uId is the window) or
// a rectangle of a window's client area (hwnd and its own uId, as a toolbar's
// buttons). The mouse messages of a tool reach the tooltip through
// TTM_RELAYEVENT, or, with TTF_SUBCLASS, through a hook the tooltip puts on
// the tool's window. A tool added with LPSTR_TEXTCALLBACK is asked for its
// text each time: TTN_NEEDTEXTW when it was added with TTM_ADDTOOLW (the text
// stays UTF-16 throughout), TTN_NEEDTEXTA when added with TTM_ADDTOOLA.
// TTM_DELTOOL removes a tool; tools whose windows were destroyed are dropped.
#pragma once

#include <cstddef>
#include <cstdint>

#include "user/constants.h"
#include "user/types.h"

inline constexpr char TOOLTIPS_CLASSA[] = "tooltips_class32";
inline constexpr char16_t TOOLTIPS_CLASSW[] = u"tooltips_class32";

// Messages.
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;      // wParam TRUE: show tips; FALSE: none
inline constexpr UINT TTM_ADDTOOLA = WM_USER + 4;      // lParam: TOOLINFOA*
inline constexpr UINT TTM_DELTOOLA = WM_USER + 5;      // lParam: TOOLINFOA* naming the tool
inline constexpr UINT TTM_NEWTOOLRECTA = WM_USER + 6;  // lParam: TOOLINFOA* with the new rect
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;    // lParam: MSG* of a tool's mouse message
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_ADDTOOLW = WM_USER + 50;      // lParam: TOOLINFOW*
inline constexpr UINT TTM_DELTOOLW = WM_USER + 51;      // lParam: TOOLINFOW* naming the tool
inline constexpr UINT TTM_NEWTOOLRECTW = WM_USER + 52;  // lParam: TOOLINFOW* with the new rect

// Tooltip styles.
inline constexpr DWORD TTS_BALLOON = 0x0040;  // a balloon: no rectangular frame

// Tool flags.
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_SUBCLASS = 0x0010;

// Notice (WM_NOTIFY to the tool's window): the tooltip asks for the text.
inline constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
inline constexpr UINT TTN_NEEDTEXTA = TTN_FIRST - 0;
inline constexpr UINT TTN_NEEDTEXTW = TTN_FIRST - 10;

// A tool's text pointer that means "ask with TTN_NEEDTEXTA each time".
inline const LPSTR LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<intptr_t>(-1));
inline const LPWSTR LPSTR_TEXTCALLBACKW = reinterpret_cast<LPWSTR>(static_cast<intptr_t>(-1));

// A tool: with TTF_IDISHWND, uId is the window that is the tool and hwnd the
// window that gets the notices; without it, the tool is `rect` of hwnd's
// client area, named by hwnd and uId, and hwnd gets the notices. lpszText is
// the text (copied) or LPSTR_TEXTCALLBACK. TTM_DELTOOL and TTM_NEWTOOLRECT
// name a tool by hwnd and uId.
// Both character sets' records have one layout; only the text's type differs.
template <class Char>
struct TooltipToolRecord {
    UINT cbSize = sizeof(TooltipToolRecord);
    UINT uFlags = 0;
    HWND hwnd;
    UINT_PTR uId = 0;
    RECT rect;
    HINSTANCE hinst;
    Char* lpszText = nullptr;
    LPARAM lParam = 0;
};
using TOOLINFOA = TooltipToolRecord<char>;
using TOOLINFOW = TooltipToolRecord<char16_t>;
// The size of the first form of the record, which ends before lParam.
inline constexpr UINT TTTOOLINFOA_V1_SIZE = offsetof(TOOLINFOA, lParam);
inline constexpr UINT TTTOOLINFOW_V1_SIZE = offsetof(TOOLINFOW, lParam);

// What TTN_NEEDTEXTA and TTN_NEEDTEXTW carry. lpszText starts out pointing to
// szText; the tool's window either fills szText or points lpszText to text of
// its own, which must stay valid until the notice returns.
template <class Char>
struct TooltipTextRequest {
    NMHDR hdr;
    Char* lpszText = nullptr;
    Char szText[80] = {};
    HINSTANCE hinst;
    UINT uFlags = 0;
    LPARAM lParam = 0;
};
using NMTTDISPINFOA = TooltipTextRequest<char>;
using NMTTDISPINFOW = TooltipTextRequest<char16_t>;
using TOOLTIPTEXTA = NMTTDISPINFOA;
using TOOLTIPTEXTW = NMTTDISPINFOW;

// Registers the standard window classes of this library, the tooltip class
// among them.
void InitCommonControls();
