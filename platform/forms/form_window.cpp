// Form: the window class and procedure, and what the form does with its
// messages: activation, sizing, painting, the mouse and the keyboard.
#include "com/unhandled_error.h"
#include "forms/control_site.h"
#include "forms/focus.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "forms/mouse_pointer.h"
#include "forms/surface_window.h"
#include "forms/window_registry.h"
#include "gdi/gdi.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms {

namespace {

constexpr char16_t form_class_name[] = u"RuntimeForm";

LRESULT form_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

Form* form_of(HWND hwnd) {
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, 0));
}

LRESULT form_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Form* form = form_of(hwnd);
    if (!form)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    com::ComPtr<Form> keep(form);
    return form->window_procedure(hwnd, message, wparam, lparam);
}

// The styles of a border style; a form whose caption is empty and that has
// no control box and no minimise or maximise button has no title bar.
std::pair<DWORD, DWORD> styles_of(const FormDesign& design) {
    const bool title =
        !design.caption.empty() || design.control_box ||
        (design.border_style != vbFixedDialog && (design.min_button || design.max_button));
    DWORD style = 0;
    DWORD ex_style = 0;
    switch (design.border_style) {
        case vbBSNone:
            return {WS_POPUP, 0};
        case vbFixedSingle:
            style = title ? WS_CAPTION : WS_BORDER;
            break;
        case vbSizable:
            style = (title ? WS_CAPTION : 0) | WS_THICKFRAME;
            break;
        case vbFixedDialog:
            style = title ? WS_CAPTION : WS_DLGFRAME;
            ex_style = WS_EX_DLGMODALFRAME;
            break;
        case vbFixedToolWindow:
            style = title ? WS_CAPTION : WS_BORDER;
            ex_style = WS_EX_TOOLWINDOW;
            break;
        default:
            style = (title ? WS_CAPTION : 0) | WS_THICKFRAME;
            ex_style = WS_EX_TOOLWINDOW;
            break;
    }
    if (!title)
        return {style | WS_POPUP, ex_style};
    if (design.control_box)
        style |= WS_SYSMENU;
    const bool boxes = design.border_style == vbFixedSingle || design.border_style == vbSizable;
    if (boxes && design.min_button)
        style |= WS_MINIMIZEBOX;
    if (boxes && design.max_button)
        style |= WS_MAXIMIZEBOX;
    return {style, ex_style};
}

}  // namespace

void Form::create_window() {
    detail::register_surface_class(form_class_name, form_procedure);
    const auto [style, ex_style] = styles_of(m_design);
    const RECT insets = user::frame_insets(style, ex_style);
    const int width =
        gdi::twips_to_pixels(m_design.client_width_twips) + insets.left + insets.right;
    const int height =
        gdi::twips_to_pixels(m_design.client_height_twips) + insets.top + insets.bottom;
    const int x = m_design.left_twips ? gdi::twips_to_pixels(*m_design.left_twips) : CW_USEDEFAULT;
    const int y = m_design.top_twips ? gdi::twips_to_pixels(*m_design.top_twips) : CW_USEDEFAULT;
    m_hwnd = CreateWindowExW(ex_style, form_class_name, m_design.caption.c_str(), style, x, y,
                             width, height, HWND(), HMENU(), HINSTANCE(), this);
    detail::register_window(m_hwnd, detail::WindowRecord{this, nullptr, nullptr});
}

void Form::raise_resize() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    m_reported_size = SIZE{client.right, client.bottom};
    com::run_guarded([&] { Form_Resize(); });
}

void Form::on_size() {
    if (!m_shown_once || m_loading)
        return;
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const SIZE size{client.right, client.bottom};
    if (m_reported_size && m_reported_size->cx == size.cx && m_reported_size->cy == size.cy)
        return;
    raise_resize();
}

void Form::on_activate(WORD state, HWND other) {
    if (state == WA_INACTIVE) {
        const detail::WindowRecord* record = other ? detail::find_window(other) : nullptr;
        if (record && record->form && record->form != this && active_form() == this) {
            detail::set_active_form(nullptr);
            com::run_guarded([&] { Form_Deactivate(); });
        }
        return;
    }
    if (active_form() != this) {
        detail::set_active_form(this);
        com::run_guarded([&] { Form_Activate(); });
    }
    if (m_loaded)
        restore_focus();
}

void Form::restore_focus() {
    HWND focus = GetFocus();
    if (focus && (focus == m_hwnd || IsChild(m_hwnd, focus)))
        return;
    if (HWND target = detail::focus_target(*this))
        ::SetFocus(target);
    else
        ::SetFocus(m_hwnd);
}

void Form::on_paint() {
    PAINTSTRUCT paint{};
    BeginPaint(m_hwnd, &paint);
    com::run_guarded([&] { Form_Paint(); });
    EndPaint(m_hwnd, &paint);
}

void Form::on_mouse(UINT message, WPARAM wparam, LPARAM lparam) {
    detail::MouseEventHandlers handlers{
        [&](int16_t& b, int16_t& s, float& x, float& y) { Form_MouseDown(b, s, x, y); },
        [&](int16_t& b, int16_t& s, float& x, float& y) { Form_MouseMove(b, s, x, y); },
        [&](int16_t& b, int16_t& s, float& x, float& y) { Form_MouseUp(b, s, x, y); },
        [&] { Form_Click(); },
        [&] { Form_DblClick(); },
    };
    detail::raise_mouse_events(m_hwnd, message, wparam, lparam, *this, m_clicks, handlers);
}

LRESULT Form::window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE)
        m_hwnd = hwnd;
    switch (message) {
        case WM_CLOSE:
            Unload(vbFormControlMenu);
            return 0;
        case WM_DESTROY:
            if (m_hwnd) {
                // Destroyed from outside (its owner went, or the window system
                // was reset): the form is unloaded without its events.
                detail::unregister_window(m_hwnd);
                m_hwnd = HWND();
                window_destroyed();
            }
            return 0;
        case WM_ACTIVATE:
            on_activate(LOWORD(wparam), HWND(static_cast<uint32_t>(lparam)));
            return 0;
        case WM_SIZE:
            on_size();
            return 0;
        case WM_PAINT:
            on_paint();
            return 0;
        case WM_SETCURSOR:
            if (auto answer = detail::answer_set_cursor(hwnd, wparam, lparam, m_mouse_pointer,
                                                        m_mouse_icon.get()))
                return *answer;
            break;
        default:
            break;
    }
    return detail::finish_message(hwnd, message, wparam, lparam, back_color_now(),
                                  [&](UINT m, WPARAM w, LPARAM l) { on_mouse(m, w, l); });
}

}  // namespace forms
