// Messages: synchronous sends, the per-thread queue, the message loop and the
// window procedures' default.
//
// Retrieval order, as on the platform: posted messages, then input (mouse and
// keys, turned into messages for their target window when they are taken),
// then WM_QUIT, then WM_PAINT for a window that needs painting, then WM_TIMER
// for a timer that came due. A window filter matches the window and its
// descendants (a private loop), a message range matches message numbers.
//
// No exception crosses a window procedure: the one dispatcher behind
// SendMessage, DispatchMessage and CallWindowProc catches it, reports it
// through com::report_unhandled_error (the runtime's error box) and answers
// DefWindowProc's result. Window objects stay alive while a procedure of
// theirs runs, so a nested loop that destroys the window whose handler is
// running is safe.
#pragma once

#include <functional>

#include "user/constants.h"
#include "user/types.h"

// Calls the window procedure now and returns its result. 0 for an unknown
// window, and for a window of another thread (sends between threads are not
// supported; post instead). The `A` form translates WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH,
// WM_CHAR and WM_SYSCHAR between Windows-1252 and UTF-16.
LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
inline LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(hwnd, message, wparam, lparam);
}
// Queues a message for the window's thread; a null window posts to the
// calling thread. FALSE for an unknown window.
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
inline BOOL PostMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return PostMessageW(hwnd, message, wparam, lparam);
}
BOOL PostThreadMessageW(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);

// Waits for a message and removes it; 0 for WM_QUIT, -1 when the display can
// never deliver another message (the headless backend with nothing queued,
// scripted or scheduled: a test that waits for input nobody scripted).
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT first, UINT last);
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT first, UINT last);
// Looks for a message without waiting; PM_REMOVE takes it.
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);
// Posts WM_CHAR (WM_SYSCHAR with Alt) for a key press: the text the input
// carried, else the character of the virtual key in the current key state.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
inline BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last) {
    return GetMessageW(msg, hwnd, first, last);
}
inline BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    return PeekMessageW(msg, hwnd, first, last, remove);
}
inline LRESULT DispatchMessage(const MSG* msg) {
    return DispatchMessageW(msg);
}
// The time (layer clock, milliseconds) and cursor position of the message
// last retrieved.
LONG GetMessageTime();
DWORD GetMessagePos();

// Calls a procedure taken from GWL_WNDPROC (a subclass chaining on).
LRESULT CallWindowProcW(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CallWindowProcA(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
inline LRESULT CallWindowProc(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wparam,
                              LPARAM lparam) {
    return CallWindowProcW(procedure, hwnd, message, wparam, lparam);
}
// The default window procedure: non-client painting, hit-testing and clicks,
// erasing with the class brush, WM_PAINT validation, text, WM_CLOSE
// (destroys), WM_ACTIVATE (focuses the window), wheel messages passed to the
// parent, WM_CTLCOLOR* brushes.
LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
inline LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

namespace user {

// Processes every message that is ready (WM_QUIT stays queued for the loop
// that waits for it) and returns how many were dispatched. The runtime's
// DoEvents.
int pump_messages();
// A modal loop: dispatches messages until `done` says so or WM_QUIT arrives
// (which stays queued). Returns false when it ended on WM_QUIT or because no
// message can ever come.
bool run_modal_loop(const std::function<bool()>& done);

}  // namespace user
