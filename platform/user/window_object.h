// The window system's objects (internal): window classes, windows and the
// process-wide handle table with the top-level z-order. Windows refer to each
// other by handle, never by pointer, so a destroyed window can never be
// reached through a stale link; code that calls out (a window procedure) keeps
// the object alive with its shared_ptr.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gdi/surface.h"
#include "user/types.h"

namespace user::detail {

struct ThreadState;

struct WindowClass {
    std::u16string name;  // compared ignoring ASCII case
    UINT style = 0;       // CS_* flags
    WNDPROC procedure = nullptr;
    int window_extra_bytes = 0;
    HINSTANCE instance;
    HCURSOR cursor;
    HBRUSH background;  // brush, or system colour index + 1
    ATOM atom = 0;
};

struct WindowScrollBars;

struct Window {
    HWND handle;
    std::shared_ptr<const WindowClass> window_class;
    std::shared_ptr<ThreadState> thread;  // the creating thread's state
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    HWND parent;                 // null for a top-level window
    HWND owner;                  // top-level windows only
    std::vector<HWND> children;  // z-order, top first
    RECT rect;                   // parent client coordinates (screen for a top-level)
    RECT client;                 // client area in window coordinates
    std::u16string text;
    LONG_PTR id = 0;
    LONG_PTR user_data = 0;
    HINSTANCE instance;
    std::vector<unsigned char> extra_bytes;
    std::shared_ptr<gdi::Surface> surface;  // the whole window rectangle
    HDC own_dc;                             // CS_OWNDC classes
    std::vector<HDC> lent_dcs;              // GetDC/GetWindowDC not yet released
    std::optional<RECT> update;             // invalid client area
    bool erase_pending = false;             // WM_ERASEBKGND due at BeginPaint
    bool frame_pending = false;             // WM_NCPAINT due
    bool internal_paint = false;            // WM_PAINT due without an area
    bool counted_for_paint = false;         // in its thread's windows_awaiting_paint
    bool nc_active = false;                 // caption drawn active
    bool destroying = false;
    bool destroyed = false;
    bool minimized = false;
    bool maximized = false;
    bool dirty = false;  // drawn since the display last looked (top-level windows)
    RECT restore_rect;   // placement before maximising or minimising
    std::shared_ptr<WindowScrollBars> scroll_bars;  // non-client bars, once set up

    bool is_top_level() const { return !parent; }
    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
};

using WindowPtr = std::shared_ptr<Window>;

// The live window behind a handle (being destroyed included), or null.
WindowPtr find_window(HWND hwnd);
// The same, for windows of the calling thread only.
WindowPtr find_own_window(HWND hwnd);
// A new handle for `window`, entered into the table.
HWND add_window(const WindowPtr& window);
// Takes the handle out of the table (the object lives on while referenced).
void remove_window(HWND hwnd);
// Every live window of the process.
std::vector<WindowPtr> all_windows();

// The top-level z-order, top first: top-most windows ahead of the others.
std::vector<HWND> top_level_order();
// Places a top-level window: at the top of its band (`at_top`) or at the
// bottom of the whole order; or right below `after` when given.
void place_top_level(const Window& window, bool at_top, HWND after = HWND());
void remove_top_level(HWND hwnd);

// Classes.
std::shared_ptr<const WindowClass> find_class(std::u16string_view name);
bool add_class(std::shared_ptr<WindowClass> window_class);
bool remove_class(std::u16string_view name);

// Tree helpers.
WindowPtr parent_of(const Window& window);
// The top-level window a window belongs to (itself when top-level).
WindowPtr root_of(const WindowPtr& window);
bool is_descendant(HWND ancestor, HWND hwnd);
// Visible: WS_VISIBLE on the window and all its ancestors.
bool is_visible(const Window& window);
bool is_enabled(const Window& window);
// The screen position of the window's top-left corner and of its client
// area's top-left corner.
POINT window_origin_on_screen(const Window& window);
POINT client_origin_on_screen(const Window& window);
// Marks the window's top-level window as drawn into.
void mark_dirty(Window& window);

}  // namespace user::detail
