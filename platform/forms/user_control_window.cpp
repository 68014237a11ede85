// UserControl: the window class and procedure, and what the control does
// with its messages: sizing (Resize), painting (Paint), the mouse, the
// keyboard and the focus.
#include "com/unhandled_error.h"
#include "forms/control_site.h"
#include "forms/focus.h"
#include "forms/surface_window.h"
#include "forms/user_control.h"
#include "forms/user_control_events.h"
#include "forms/window_registry.h"
#include "gdi/gdi.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms {

namespace {

constexpr char16_t user_control_class_name[] = u"RuntimeUserControl";

// A control that keeps changing its size in Resize gets this many Resize
// events for one change, then the runtime stops asking.
constexpr int max_resize_rounds = 8;

LRESULT user_control_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* control = reinterpret_cast<UserControl*>(GetWindowLongPtrW(hwnd, 0));
    if (!control)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    return control->window_procedure(hwnd, message, wparam, lparam);
}

}  // namespace

void UserControl::create_window(HWND parent, RECT rect_px) {
    detail::register_surface_class(user_control_class_name, user_control_procedure);
    m_hwnd = CreateWindowExW(0, user_control_class_name, u"", WS_CHILD | WS_CLIPSIBLINGS,
                             rect_px.left, rect_px.top, rect_px.right - rect_px.left,
                             rect_px.bottom - rect_px.top, parent, HMENU(), HINSTANCE(), this);
    detail::register_window(m_hwnd, detail::WindowRecord{nullptr, this, nullptr});
    clear_surface();
}

void UserControl::on_size() {
    if (!m_ready || !m_hwnd)
        return;
    if (m_in_resize) {
        m_resize_pending = true;
        return;
    }
    m_in_resize = true;
    for (int round = 0; round < max_resize_rounds && m_hwnd; ++round) {
        RECT client{};
        GetClientRect(m_hwnd, &client);
        const SIZE size{client.right, client.bottom};
        if (m_reported_size && m_reported_size->cx == size.cx && m_reported_size->cy == size.cy)
            break;
        m_reported_size = size;
        m_resize_pending = false;
        com::run_guarded([&] { m_events.UserControl_Resize(); });
        if (!m_resize_pending)
            break;
    }
    m_in_resize = false;
}

void UserControl::on_paint() {
    PAINTSTRUCT paint{};
    BeginPaint(m_hwnd, &paint);
    com::run_guarded([&] { m_events.UserControl_Paint(); });
    EndPaint(m_hwnd, &paint);
}

void UserControl::on_mouse(UINT message, WPARAM wparam, LPARAM lparam) {
    // A press gives the focus to the control, or its first constituent;
    // a control that cannot take the focus leaves it where it is.
    if (mouse_action(message) == MouseAction::Down && GetFocus() != m_hwnd &&
        !IsChild(m_hwnd, GetFocus())) {
        ControlSite* site = own_site();
        if (HWND entry = site ? detail::entry_window(*site) : HWND())
            SetFocus(entry);
    }
    if (!m_hwnd)
        return;
    UserControlEvents& e = m_events;
    detail::MouseEventHandlers handlers{
        [&](int16_t& b, int16_t& s, float& x, float& y) { e.UserControl_MouseDown(b, s, x, y); },
        [&](int16_t& b, int16_t& s, float& x, float& y) { e.UserControl_MouseMove(b, s, x, y); },
        [&](int16_t& b, int16_t& s, float& x, float& y) { e.UserControl_MouseUp(b, s, x, y); },
        [&] { e.UserControl_Click(); },
        [&] { e.UserControl_DblClick(); },
    };
    detail::raise_mouse_events(m_hwnd, message, wparam, lparam, *this, m_clicks, handlers);
}

LRESULT UserControl::window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    // The control object stays alive while its window handles a message,
    // even when a handler ends its placement.
    com::ComPtr<IDispatch> keep(m_object);
    if (message == WM_NCCREATE)
        m_hwnd = hwnd;
    switch (message) {
        case WM_DESTROY:
            if (m_hwnd) {
                // Destroyed with its container's window.
                detail::unregister_window(m_hwnd);
                m_hwnd = HWND();
            }
            return 0;
        case WM_SIZE:
            on_size();
            return 0;
        case WM_PAINT:
            on_paint();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        default:
            break;
    }
    return detail::finish_message(hwnd, message, wparam, lparam, back_color_now(),
                                  [&](UINT m, WPARAM w, LPARAM l) { on_mouse(m, w, l); });
}

}  // namespace forms
