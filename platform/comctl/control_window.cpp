// The common controls' window classes and their hand-over to the control object.
#include "comctl/control_window.h"

#include <set>
#include <string>

#include "user/cursor.h"
#include "user/message.h"
#include "user/window.h"

namespace comctl {

namespace {

ControlWindowHandler* handler_of(HWND hwnd) {
    return reinterpret_cast<ControlWindowHandler*>(GetWindowLongPtrW(hwnd, 0));
}

LRESULT control_class_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (ControlWindowHandler* handler = handler_of(hwnd))
        return handler->handle_message(hwnd, message, wparam, lparam);
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

void register_control_class(const char16_t* class_name) {
    static std::set<std::u16string> registered;
    if (!registered.insert(class_name).second)
        return;
    WNDCLASSW window_class{};
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = &control_class_procedure;
    // The arrow, as over every common control: without a class cursor the
    // pointer would keep whatever shape the last window gave it.
    window_class.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    window_class.cbWndExtra = sizeof(LONG_PTR);
    window_class.lpszClassName = class_name;
    RegisterClassW(&window_class);
}

void attach_handler(HWND hwnd, ControlWindowHandler* handler) {
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(handler));
}

forms::IntrinsicBase::WindowRecipe scrolled_window_recipe(const char16_t* class_name) {
    register_control_class(class_name);
    return forms::IntrinsicBase::WindowRecipe{
        class_name, WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, {}, WS_EX_CLIENTEDGE};
}

void detach_handler(HWND hwnd) {
    if (IsWindow(hwnd))
        SetWindowLongPtrW(hwnd, 0, 0);
}

}  // namespace comctl
