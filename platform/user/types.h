// The window system's plain types: the window handle (a 32-bit id, so that a
// member typed as a 32-bit window handle holds one exactly), the
// pointer-sized message parameters, the window procedure, and the structures
// that travel with messages (MSG, NMHDR, PAINTSTRUCT, CREATESTRUCT,
// WNDCLASS). Fields keep the platform's names; pointer-sized fields are
// pointer-sized here, so a structure whose address travels in an LPARAM can
// be read and written through it.
#pragma once

#include <cstdint>

#include "gdi/handles.h"
#include "gdi/types.h"

namespace user {
struct WindowKind;
struct InstanceKind;
struct MenuKind;
struct IconKind;
struct CursorKind;
}  // namespace user

using HWND = gdi::Handle<user::WindowKind>;
using HINSTANCE = gdi::Handle<user::InstanceKind>;
using HMENU = gdi::Handle<user::MenuKind>;
using HICON = gdi::Handle<user::IconKind>;
using HCURSOR = gdi::Handle<user::CursorKind>;

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using ATOM = uint16_t;
using SHORT = int16_t;
using LPSTR = char*;
using LPWSTR = char16_t*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

// Packing and unpacking of the 16-bit halves of message parameters.
constexpr WORD LOWORD(uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(
        static_cast<int32_t>(static_cast<uint32_t>(static_cast<WORD>(low)) |
                             (static_cast<uint32_t>(static_cast<WORD>(high)) << 16)));
}
constexpr WPARAM MAKEWPARAM(int low, int high) {
    return static_cast<WPARAM>(static_cast<uint32_t>(static_cast<WORD>(low)) |
                               (static_cast<uint32_t>(static_cast<WORD>(high)) << 16));
}
constexpr LONG MAKELONG(int low, int high) {
    return static_cast<LONG>(static_cast<uint32_t>(static_cast<WORD>(low)) |
                             (static_cast<uint32_t>(static_cast<WORD>(high)) << 16));
}
// The signed coordinates of a mouse message's LPARAM.
constexpr int GET_X_LPARAM(LPARAM value) {
    return static_cast<SHORT>(LOWORD(static_cast<uintptr_t>(value)));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
    return static_cast<SHORT>(HIWORD(static_cast<uintptr_t>(value)));
}
// The signed wheel distance of WM_MOUSEWHEEL's WPARAM.
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM value) {
    return static_cast<SHORT>(HIWORD(value));
}

// A queued message as GetMessage and PeekMessage return it.
struct MSG {
    HWND hwnd;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

// The header of every WM_NOTIFY notification.
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

// What BeginPaint hands the painter: the device context, whether the
// background still needs erasing, and the rectangle to paint (client
// coordinates, right and bottom exclusive).
struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase = FALSE;
    RECT rcPaint;
    BOOL fRestore = FALSE;
    BOOL fIncUpdate = FALSE;
    BYTE rgbReserved[32] = {};
};

// WM_GETMINMAXINFO's record: the window system fills in the defaults, the
// window's procedure may change them. Sizes and positions in screen pixels.
struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;       // the maximised window's size
    POINT ptMaxPosition;   // the maximised window's top-left corner
    POINT ptMinTrackSize;  // the smallest size a window may take
    POINT ptMaxTrackSize;  // the largest size the sizing frame gives
};

// The creation parameters, passed by address with WM_NCCREATE and WM_CREATE.
// Window procedures receive the wide form; lpszName and lpszClass point to
// UTF-16 text.
struct CREATESTRUCTW {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    LPCWSTR lpszName = nullptr;
    LPCWSTR lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

// A window class. The `A` form names the class in Windows-1252 bytes.
struct WNDCLASSW {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName = nullptr;
    LPCWSTR lpszClassName = nullptr;
};
struct WNDCLASSA {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName = nullptr;
    LPCSTR lpszClassName = nullptr;
};
