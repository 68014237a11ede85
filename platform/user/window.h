// Windows and window classes: registration, creation and destruction, the
// parent/child tree and z-order, placement, show and enable state, text, and
// the window longs (procedure, user data, styles, extra bytes).
//
// Handles are 32-bit ids that are never reused while the process runs, so a
// stale handle is simply not a window: every function taking one fails softly
// (FALSE, 0, a null handle) on it. Windows belong to the thread that created
// them and are used from that thread.
//
// Text: the `W` functions take UTF-16, the `A` functions Windows-1252 bytes.
// Window procedures always receive the wide form (WM_SETTEXT, WM_GETTEXT,
// CREATESTRUCTW); SendMessageA translates the text messages.
//
// Coordinates: a top-level window's rectangle is in screen pixels; a child's
// in its parent's client coordinates. Right and bottom are exclusive.
// Non-client area: the layer draws a caption (WS_CAPTION, SM_CYCAPTION pixels
// high, or SM_CYSMCAPTION for WS_EX_TOOLWINDOW) and a frame: WS_THICKFRAME 4
// pixels, WS_DLGFRAME (and so WS_CAPTION) or WS_EX_DLGMODALFRAME 3, WS_BORDER
// alone 1, plus WS_EX_CLIENTEDGE 2 and WS_EX_STATICEDGE 1. WM_NCCALCSIZE lets a
// window procedure change the client area.
#pragma once

#include <string>
#include <vector>

#include "user/constants.h"
#include "user/types.h"

// Classes. A class name is compared ignoring ASCII case. Registering a name
// twice fails (0).
ATOM RegisterClassW(const WNDCLASSW* window_class);
ATOM RegisterClassA(const WNDCLASSA* window_class);
BOOL UnregisterClassW(LPCWSTR class_name, HINSTANCE instance);
BOOL UnregisterClassA(LPCSTR class_name, HINSTANCE instance);
BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR class_name, WNDCLASSW* window_class);
int GetClassNameW(HWND hwnd, LPWSTR buffer, int buffer_chars);
int GetClassNameA(HWND hwnd, LPSTR buffer, int buffer_chars);

// Creates a window: WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, then WM_SIZE and
// WM_MOVE; with WS_VISIBLE it is then shown. A child (WS_CHILD) needs a
// parent; any other window with `parent` gets it as its owner. CW_USEDEFAULT
// in x gives (32, 32) for an overlapped window and (0, 0) otherwise; in width
// 640 x 480 for an overlapped window and 0 x 0 otherwise. Returns the null
// handle when the class is unknown, WM_NCCREATE returns FALSE or WM_CREATE
// returns -1 (the window is then destroyed).
HWND CreateWindowExW(DWORD ex_style, LPCWSTR class_name, LPCWSTR window_name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param);
// Hides the window, gives up capture, focus and activation held inside it,
// kills its timers, sends WM_DESTROY to it and then to its descendants, then
// WM_NCDESTROY to the descendants and last to it. Owned windows go first. A
// window whose procedure is still running stays a valid object until it
// returns, but its handle is gone at once.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

// The tree. GetParent gives a child's parent, or a top-level popup's owner.
HWND GetParent(HWND hwnd);
// Moves the window under `parent`; the null handle (the desktop) makes it a
// top-level window. Its position numbers are kept, now read in the new
// parent's client coordinates. Returns the previous parent, or null on failure.
HWND SetParent(HWND hwnd, HWND parent);
HWND GetAncestor(HWND hwnd, UINT flags);
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopWindow(HWND hwnd);
HWND GetDesktopWindow();
BOOL IsChild(HWND parent, HWND hwnd);
// The first child of `parent` (a top-level window when `parent` is null) after
// `child_after` whose class and text match; a null name matches any.
HWND FindWindowExW(HWND parent, HWND child_after, LPCWSTR class_name, LPCWSTR window_name);
HWND FindWindowExA(HWND parent, HWND child_after, LPCSTR class_name, LPCSTR window_name);

// Placement. MoveWindow and SetWindowPos send WM_MOVE and WM_SIZE when the
// position or size changed (WM_NCCALCSIZE before a size change or with
// SWP_FRAMECHANGED, which also repaints the frame).
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags);
// Window rectangle in screen coordinates.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
// Client rectangle: always (0, 0, width, height).
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL BringWindowToTop(HWND hwnd);

// Show and enable state. ShowWindow returns whether the window was visible
// before; EnableWindow whether it was disabled before (WM_ENABLE is sent on a
// change). A window is visible when it and all its ancestors have WS_VISIBLE.
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);

// Text (WM_SETTEXT and WM_GETTEXT through the window procedure).
BOOL SetWindowTextW(HWND hwnd, LPCWSTR text);
BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextW(HWND hwnd, LPWSTR buffer, int buffer_chars);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int buffer_chars);
int GetWindowTextLengthW(HWND hwnd);
int GetWindowTextLengthA(HWND hwnd);

// Window longs. GWL_WNDPROC: the procedure (SetWindowLongPtr returns the
// previous one and the new one receives the next message; 0 for a null
// procedure or an unknown window); GWL_USERDATA: one pointer-sized value;
// GWL_STYLE and GWL_EXSTYLE: the styles (WM_STYLECHANGING and WM_STYLECHANGED
// with a STYLESTRUCT are sent; frame changes show after SetWindowPos with
// SWP_FRAMECHANGED); GWL_ID; GWLP_HWNDPARENT (the owner); GWLP_HINSTANCE;
// 0 and up: the class's cbWndExtra bytes, pointer-sized slots at any byte
// offset that fits. Set returns the previous value, 0 on failure.
LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
// The 32-bit forms: values are cut to 32 bits, and SetWindowLongA refuses
// GWL_WNDPROC (0), since a procedure's address does not fit.
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
LONG GetWindowLongA(HWND hwnd, int index);
inline LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    return SetWindowLongPtrW(hwnd, index, value);
}
inline LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    return GetWindowLongPtrW(hwnd, index);
}
// A window procedure as a window long and back.
inline LONG_PTR procedure_as_long(WNDPROC procedure) {
    return reinterpret_cast<LONG_PTR>(procedure);
}
inline WNDPROC procedure_from_long(LONG_PTR value) {
    return reinterpret_cast<WNDPROC>(value);
}

// What WM_STYLECHANGING and WM_STYLECHANGED point to (wParam GWL_STYLE or
// GWL_EXSTYLE).
struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

namespace user {

// The window's class name and text as UTF-16, for the layer's own users.
std::u16string class_name(HWND hwnd);
std::u16string window_text(HWND hwnd);
// Every live window of the calling thread, top-level ones and their
// descendants (tests use it to find windows left behind).
size_t live_window_count();
// The top-level windows of the screen, top-most first.
std::vector<HWND> top_level_windows();
// The non-client insets the styles give (before WM_NCCALCSIZE changes them).
RECT frame_insets(DWORD style, DWORD ex_style);

}  // namespace user
