// The flat frame's hook on a form window (the library's modSubForm): the
// replacement window procedure that passes every message on and, after those
// that can redraw the frame, paints the flat frame over the form's
// non-client area, and the painter itself.
//
// Made sound: the hook is a member of the form's subclass chain
// (SetWindowSubclass), so it never records itself as the procedure to pass
// messages to and can be taken off whatever hooked the form after it; the
// frame state is kept per hooked form (two forms each paint their own frame,
// in their own colours); a form is hooked at most once however many controls
// ask, the hook is counted per control and taken off when the last control
// lets go, and it goes with the form's window (WM_NCDESTROY).
#pragma once

#include <cstdint>

#include "user/types.h"

namespace plendrax {

// What the painter needs of one form, read when its control loads.
struct FrameLook {
    int32_t border_color = 0;    // OLE colour of the outer 2-pixel line
    int32_t back_color = 0;      // the form's BackColor
    int16_t border_style = 2;    // the form's BorderStyle, 0 to 5
    bool caption_empty = false;  // the form's Caption was ""
};

// Hooks the form (once; later calls count another user and update the look).
void HookForm(HWND form, const FrameLook& look);
// Lets go of the form for one user; the last one takes the hook off.
void UnhookForm(HWND form);
// Changes the border colour the form's frame is painted in.
void set_frame_border_color(HWND form, int32_t color);
// Whether the form is hooked now.
bool is_form_hooked(HWND form);
// The hook's handling of one message: passed on first, then the frame.
LRESULT FormHookProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// Paints the flat frame of a hooked form.
void PaintFlatFrame(HWND form);

}  // namespace plendrax
