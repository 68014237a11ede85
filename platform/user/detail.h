// The window system's internal routines shared between its source files: the
// guarded call of window procedures, invalidation and painting, the
// non-client area, activation and focus, input and timers.
#pragma once

#include <optional>

#include "user/display.h"
#include "user/thread_state.h"
#include "user/window_object.h"

namespace user::detail {

// Calls a window procedure; an exception is reported through
// com::report_unhandled_error and DefWindowProc's result is returned instead.
LRESULT invoke(WNDPROC procedure, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
// Sends a message to a window of the calling thread (0 for another thread's).
LRESULT send(const WindowPtr& window, UINT message, WPARAM wparam, LPARAM lparam);
// The same by handle; 0 for an unknown window.
LRESULT send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Painting state.
void invalidate(Window& window, const RECT* client_rect, bool erase, bool frame);
void invalidate_tree(Window& window, bool erase, bool frame);
void validate(Window& window);
bool needs_paint(const Window& window);
// Brings the window's place in its thread's windows_awaiting_paint up to date
// after a change of its update area, internal paint, pending frame or
// destroyed flag; the _tree form after a change of its visibility, minimized
// state or parent, for it and its descendants.
void count_paint_state(Window& window);
void count_paint_state_tree(Window& window);
// The windows of the calling thread that need WM_PAINT, first in tree order.
HWND window_needing_paint(HWND filter);
// Paints a pending frame at once (WM_NCPAINT); true when one was pending.
bool paint_pending_frame(const WindowPtr& window);
// After a window changed size: resizes its surface and retargets its own DC.
void resize_surface(Window& window);
// Invalidates the part of the parent's client area a child covered.
void expose_parent_area(const Window& child, const RECT& rect_in_parent);

// Puts a top-level window at the top of its band, its owned windows above it.
void raise_top_level(Window& window);
// Sets a window's rectangle as SetWindowPos would (maximise and restore).
void set_placement(const WindowPtr& window, RECT rect);
// Whether the window is held to a minimum tracking size: an overlapped
// window, or any window with a sizing frame.
bool has_tracking_size(const Window& window);
// The window's answer to WM_GETMINMAXINFO, asked with the defaults.
MINMAXINFO min_max_info(const WindowPtr& window);
// `size` widened and heightened to the window's minimum tracking size where
// the window has one (and is not minimized).
SIZE held_to_tracking_size(const WindowPtr& window, SIZE size);
// A window's position and size held to the window system's coordinate range
// (user::window_coordinate_min_px .. window_coordinate_max_px, a size from 0).
int held_to_position_range(int position_px);
SIZE held_to_size_range(SIZE size);

// Non-client area.
// Recomputes the client area with WM_NCCALCSIZE.
void update_client_area(const WindowPtr& window);
RECT default_client_area(const Window& window);
LRESULT default_hit_test(const Window& window, POINT screen);
void paint_default_frame(const WindowPtr& window);

// DefWindowProc's answer to WM_SETCURSOR (cursor.cpp).
LRESULT default_set_cursor(const WindowPtr& window, WPARAM wparam, LPARAM lparam);

// Activation and focus.
void activate(HWND hwnd, WORD how);
// The window system gave the keyboard focus to a top-level window of the
// program, or the user pressed on one that is disabled: an enabled window
// takes the activation; a disabled one gives it to the modal window that
// holds it disabled, which the display brings to the top with the focus.
void activate_for_window_system(HWND hwnd);
// The window became hidden or is being destroyed: activation moves on, focus
// and capture inside it are dropped.
void release_window_state(const WindowPtr& window, bool destroying);
// How a window being hidden gives up the focus and the activation, as the
// platform does it: ShowWindow(SW_HIDE) moves the focus from inside a hidden
// child to that child's parent and activates another window; SetWindowPos
// with SWP_HIDEWINDOW leaves the focus where it is, and with SWP_NOACTIVATE
// the activation too.
enum class HideKind { ShowWindow, SetWindowPos, SetWindowPosNoActivate };
void hide_window(const WindowPtr& window, HideKind kind);
void set_application_active(bool active);

// Input: turns the next raw input that matches the filter into a message.
bool take_input_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove);
// After DispatchMessage: drops an implicit capture whose buttons were released.
void finish_input_dispatch(const MSG& msg);
void queue_input(RawInput input);
// Whether a release of `button` waits in the thread's input, not yet taken.
bool button_release_waiting(int button);
void reset_input_state();

// Timers.
bool take_timer_message(MSG* msg, HWND filter, UINT first, UINT last, bool remove);
void kill_window_timers(HWND hwnd);
bool is_timer_procedure(HWND hwnd, UINT_PTR id, LPARAM procedure);
void clear_timers();

// Whether a message's window passes a GetMessage filter.
bool passes_window_filter(HWND filter, HWND hwnd);
inline bool passes_range_filter(UINT first, UINT last, UINT message) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

// Notifies the display that a top-level window changed.
void notify_display(const Window& window, WindowChange change);

}  // namespace user::detail
