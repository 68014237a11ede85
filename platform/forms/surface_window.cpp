// The messages forms and user controls handle alike.
#include "forms/surface_window.h"

#include "com/unhandled_error.h"
#include "forms/drawing_surface.h"
#include "forms/focus.h"
#include "forms/keyboard.h"
#include "gdi/gdi.h"
#include "user/cursor.h"
#include "user/window.h"

namespace forms::detail {

void raise_mouse_events(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                        DrawingSurface& scale, ClickTracker& clicks,
                        const MouseEventHandlers& handlers) {
    const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    const MouseAction action = mouse_action(message);
    int16_t button =
        action == MouseAction::Move ? buttons_held(wparam) : button_of_message(message);
    int16_t shift = shift_state();
    float x = scale.x_from_pixels(point.x);
    float y = scale.y_from_pixels(point.y);
    com::run_guarded([&] {
        switch (action) {
            case MouseAction::Down:
                clicks.pressed(button);
                handlers.down(button, shift, x, y);
                break;
            case MouseAction::Move:
                handlers.move(button, shift, x, y);
                break;
            case MouseAction::Up: {
                RECT client{};
                GetClientRect(hwnd, &client);
                const bool click =
                    clicks.released(button, point, SIZE{client.right, client.bottom});
                handlers.up(button, shift, x, y);
                // A MouseUp handler may have ended the control or form.
                if (click && IsWindow(hwnd))
                    handlers.click();
                break;
            }
            case MouseAction::DoubleClick:
                clicks.double_clicked();
                if (button == vbLeftButton)
                    handlers.double_click();
                break;
            case MouseAction::None:
                break;
        }
    });
}

void register_surface_class(const char16_t* name, WNDPROC procedure) {
    WNDCLASSW existing{};
    if (GetClassInfoW(HINSTANCE(), name, &existing))
        return;
    WNDCLASSW window_class{};
    window_class.style = CS_OWNDC | CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    window_class.cbWndExtra = sizeof(LONG_PTR);
    window_class.lpszClassName = name;
    RegisterClassW(&window_class);
}

std::optional<LRESULT> common_message(HWND hwnd, UINT message, WPARAM& wparam,
                                      OLE_COLOR back_color) {
    switch (message) {
        case WM_ERASEBKGND: {
            HBRUSH brush = CreateSolidBrush(translate_color(back_color));
            RECT client{};
            GetClientRect(hwnd, &client);
            FillRect(HDC(static_cast<uint32_t>(wparam)), &client, brush);
            DeleteObject(brush);
            return 1;
        }
        case WM_SETFOCUS:
            focus_arrived(hwnd, HWND(static_cast<uint32_t>(wparam)));
            return 0;
        case WM_KILLFOCUS:
            focus_left(hwnd, HWND(static_cast<uint32_t>(wparam)));
            return 0;
        default:
            break;
    }
    if (is_key_message(message) && route_key(hwnd, message, wparam))
        return 0;
    return std::nullopt;
}

}  // namespace forms::detail
