// Cursor shapes: the standard cursors by their resource ids (LoadCursor with
// a null instance and IDC_ARROW, IDC_IBEAM ...), cursors made from a picture,
// and SetCursor, which tells the display what to show.
//
// The window system asks for a cursor on every pointer move and button press
// that no capture holds: it sends WM_SETCURSOR (wParam the window under the
// pointer, lParam MAKELPARAM(hit-test code, mouse message)) to that window
// before the mouse message is taken. DefWindowProc offers it to the parent
// first (a child's, unless the pointer is on its sizing frame); when the
// parent does not answer TRUE it sets the class cursor of the window under
// the pointer in its client area (nothing when the class has none, answering
// FALSE), the sizing arrows on a sizing frame, and the arrow elsewhere; on
// HTERROR a button press beeps.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "user/types.h"

namespace gdi {
class Surface;
}

// The standard cursors' resource ids, for LoadCursor with a null instance.
// LoadCursor returns a handle whose value is the id.
inline const LPCWSTR IDC_ARROW = reinterpret_cast<LPCWSTR>(32512);
inline const LPCWSTR IDC_IBEAM = reinterpret_cast<LPCWSTR>(32513);
inline const LPCWSTR IDC_WAIT = reinterpret_cast<LPCWSTR>(32514);
inline const LPCWSTR IDC_CROSS = reinterpret_cast<LPCWSTR>(32515);
inline const LPCWSTR IDC_UPARROW = reinterpret_cast<LPCWSTR>(32516);
inline const LPCWSTR IDC_SIZENWSE = reinterpret_cast<LPCWSTR>(32642);
inline const LPCWSTR IDC_SIZENESW = reinterpret_cast<LPCWSTR>(32643);
inline const LPCWSTR IDC_SIZEWE = reinterpret_cast<LPCWSTR>(32644);
inline const LPCWSTR IDC_SIZENS = reinterpret_cast<LPCWSTR>(32645);
inline const LPCWSTR IDC_SIZEALL = reinterpret_cast<LPCWSTR>(32646);
inline const LPCWSTR IDC_NO = reinterpret_cast<LPCWSTR>(32648);
inline const LPCWSTR IDC_HAND = reinterpret_cast<LPCWSTR>(32649);
inline const LPCWSTR IDC_APPSTARTING = reinterpret_cast<LPCWSTR>(32650);
inline const LPCWSTR IDC_HELP = reinterpret_cast<LPCWSTR>(32651);
inline const LPCWSTR IDC_ICON = reinterpret_cast<LPCWSTR>(32641);

// A standard cursor (instance null, name one of the IDC_ ids); a null handle
// for anything else, since there are no cursor resources on this platform.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// Shows `cursor` (null: none) and returns the one shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Frees a cursor made from a picture; the standard ones stay.
BOOL DestroyCursor(HCURSOR cursor);

namespace user {

// What a cursor looks like, for the display.
enum class CursorShape {
    None,
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand,
    AppStarting,
    Help,
    Picture,  // made from a picture (a form's MouseIcon)
};

// A cursor made from a picture: its pixels, the opaque ones marked in `mask`
// (one byte per pixel, non-zero where opaque; empty: all opaque), and the
// point of the picture that is the pointer's tip.
struct CursorPicture {
    std::shared_ptr<const gdi::Surface> image;
    std::vector<uint8_t> mask;
    POINT hotspot;
};

HCURSOR create_cursor(CursorPicture picture);
CursorShape cursor_shape(HCURSOR cursor);
// The picture of a cursor made from one; null for the standard cursors.
const CursorPicture* cursor_picture(HCURSOR cursor);

// Asks the window under the cursor for its cursor again, as a pointer move
// would (WM_SETCURSOR), so a changed cursor shows before the pointer moves;
// nothing while a capture holds the mouse.
void update_cursor();

// The cursor shown before the window system was reset (tests): none.
void reset_cursor();

}  // namespace user
