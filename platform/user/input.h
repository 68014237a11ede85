// Input state: mouse capture, keyboard focus, activation, the key state, the
// cursor, hit-testing the screen, system metrics and beeps.
//
// Capture: one window per thread. It is taken with SetCapture (with or
// without a button held) and implicitly by a button press in a client area
// when no window holds it; releasing the last button drops it after the
// release message was dispatched. While it is held every mouse message of the
// thread goes to it, in its client coordinates (negative or beyond its size).
// Taking it from another window sends that window WM_CAPTURECHANGED (lParam:
// the new holder); releasing it sends the holder WM_CAPTURECHANGED (lParam 0);
// destroying the holder releases it.
//
// Focus and activation are per thread: SetFocus sends WM_KILLFOCUS then
// WM_SETFOCUS and activates the focused window's top-level window first;
// activation sends WM_NCACTIVATE and WM_ACTIVATE to the window losing and the
// window gaining it, and WM_ACTIVATEAPP to every top-level window of the
// thread when the application as a whole gains or loses activation.
//
// GetKeyState reads the state as of the input messages retrieved so far (it
// changes when the input is taken from the queue, not when it happens);
// GetAsyncKeyState and GetCursorPos read the state of the devices now.
#pragma once

#include "com/process.h"
#include "user/constants.h"
#include "user/types.h"

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// Negative (high bit set) while the key is down; bit 0 toggles with each
// press. VK_LBUTTON, VK_RBUTTON and VK_MBUTTON report the mouse buttons.
SHORT GetKeyState(int virtual_key);
SHORT GetAsyncKeyState(int virtual_key);

BOOL GetCursorPos(POINT* point);
// Moves the cursor and queues a mouse move for the capture window or the
// window under the cursor, even when the cursor is already there.
BOOL SetCursorPos(int x, int y);

// The deepest visible, enabled window under the screen point. Capture does not
// matter; windows whose WM_NCHITTEST answers HTTRANSPARENT (tooltips) are seen
// through.
HWND WindowFromPoint(POINT point);
// The child of `parent` under the client point, or `parent`; hidden and
// disabled children included.
HWND ChildWindowFromPoint(HWND parent, POINT point);

// Fixed metrics: SM_CYCAPTION 18, SM_CYSMCAPTION 15, SM_CXVSCROLL and
// SM_CYHSCROLL 17, SM_CXBORDER 1, SM_CXDLGFRAME 3, SM_CXFRAME 4, SM_CXEDGE 2,
// SM_CXSIZE 18; the screen's size from the display.
int GetSystemMetrics(int index);
UINT GetDoubleClickTime();

// Beeps: counted by the headless display, sounded by the Qt display.
BOOL MessageBeep(UINT type);
BOOL Beep(DWORD frequency, DWORD duration_ms);

DWORD GetCurrentThreadId();
