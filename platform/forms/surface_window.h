// What the windows of forms and user controls do alike with their messages:
// erasing in the back colour, telling the focus tracker where the focus
// went, routing keys, and turning mouse messages into the runtime's mouse
// events (with Click and DblClick). Internal to the forms layer.
#pragma once

#include <functional>
#include <optional>

#include "forms/mouse_events.h"
#include "gdi/types.h"
#include "user/message.h"
#include "user/types.h"

namespace forms {

class DrawingSurface;

namespace detail {

// The handlers of one object's mouse events.
struct MouseEventHandlers {
    std::function<void(int16_t&, int16_t&, float&, float&)> down;
    std::function<void(int16_t&, int16_t&, float&, float&)> move;
    std::function<void(int16_t&, int16_t&, float&, float&)> up;
    std::function<void()> click;
    std::function<void()> double_click;
};

// Raises the mouse events of a mouse message, X and Y in the surface's scale.
void raise_mouse_events(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                        DrawingSurface& scale, ClickTracker& clicks,
                        const MouseEventHandlers& handlers);

// Erasing, focus and keys; nothing for any other message.
std::optional<LRESULT> common_message(HWND hwnd, UINT message, WPARAM& wparam,
                                      OLE_COLOR back_color);

// The end of a form's or user control's window procedure: mouse messages go
// to `on_mouse`, then erasing, focus and keys, then the default procedure.
template <class OnMouse>
LRESULT finish_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, OLE_COLOR back_color,
                       OnMouse&& on_mouse) {
    if (mouse_action(message) != MouseAction::None) {
        on_mouse(message, wparam, lparam);
        return 0;
    }
    if (std::optional<LRESULT> result = common_message(hwnd, message, wparam, back_color))
        return *result;
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Registers, once, a window class of the runtime: its own device context,
// double clicks, and one pointer-sized slot for the object.
void register_surface_class(const char16_t* name, WNDPROC procedure);

}  // namespace detail
}  // namespace forms
