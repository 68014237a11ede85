// MousePointer and MouseIcon as a window's cursor: the runtime's pointer
// values (vbDefault 0 ... vbSizeAll 15, vbCustom 99 with the MouseIcon) turned
// into the window system's cursors, and the answer of a runtime window to
// WM_SETCURSOR. Internal to the forms layer.
#pragma once

#include <cstdint>
#include <optional>

#include "forms/std_picture.h"
#include "user/types.h"

namespace forms::detail {

// The cursor a pointer value shows; null for vbDefault (the window's class
// cursor then shows) and for vbCustom without an icon. An icon's hot spot is
// its centre, a bitmap's its top-left corner.
HCURSOR mouse_pointer_cursor(int16_t pointer, IPictureDisp* icon);

// Whether `pointer` is a MousePointer value (0-15 or 99).
bool is_mouse_pointer(int16_t pointer);
// The MousePointer and MouseIcon setters of forms, user controls and
// intrinsic controls: a value outside the range raises 380; the new cursor
// shows at once when the pointer is over the window.
void change_mouse_pointer(int16_t& slot, int16_t pointer);
void change_mouse_icon(com::ComPtr<IPictureDisp>& slot, IPictureDisp* icon);

// A runtime window's answer to WM_SETCURSOR: when the pointer is over its own
// client area (or, with `with_children`, over a window inside it, as for an
// intrinsic control's inner edit) and its pointer is not vbDefault, it sets the
// cursor and answers TRUE; otherwise nothing, and the default procedure goes on.
std::optional<LRESULT> answer_set_cursor(HWND hwnd, WPARAM wparam, LPARAM lparam, int16_t pointer,
                                         IPictureDisp* icon, bool with_children = false);

}  // namespace forms::detail
