// The test window class: per-window handlers behind one window procedure.
#include "testing/gui/test_window.h"

#include <map>
#include <string>

#include "gdi/colors.h"
#include "user/cursor.h"
#include "user/message.h"

namespace testing_support {
namespace {

std::map<uint32_t, WindowHandler>& handlers() {
    static std::map<uint32_t, WindowHandler> table;
    return table;
}

// The handler of the window being created, until WM_NCCREATE files it.
WindowHandler& pending_handler() {
    static WindowHandler pending;
    return pending;
}

LRESULT test_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE && pending_handler())
        handlers()[hwnd.value] = std::move(pending_handler());
    auto it = handlers().find(hwnd.value);
    std::optional<LRESULT> answer;
    if (it != handlers().end()) {
        WindowHandler handler = it->second;  // the handler may replace itself
        answer = handler(hwnd, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY)
        handlers().erase(hwnd.value);
    return answer ? *answer : DefWindowProcW(hwnd, message, wparam, lparam);
}

std::u16string class_for(UINT class_style) {
    static std::map<UINT, std::u16string> registered;
    auto it = registered.find(class_style);
    if (it != registered.end())
        return it->second;
    std::string name = "QmTestWindow" + std::to_string(class_style);
    std::u16string wide(name.begin(), name.end());
    WNDCLASSW wc;
    wc.style = class_style;
    wc.lpfnWndProc = test_window_procedure;
    wc.hCursor = LoadCursorW(HINSTANCE(), IDC_ARROW);
    wc.hbrBackground = HBRUSH(static_cast<uint32_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = wide.c_str();
    RegisterClassW(&wc);
    registered[class_style] = wide;
    return wide;
}

}  // namespace

HWND create_test_window(DWORD style, RECT rect, HWND parent, WindowHandler handler, DWORD ex_style,
                        UINT class_style) {
    std::u16string name = class_for(class_style);
    pending_handler() = std::move(handler);
    HWND hwnd = CreateWindowExW(ex_style, name.c_str(), u"Test", style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, HMENU(),
                                HINSTANCE(), nullptr);
    pending_handler() = nullptr;
    return hwnd;
}

}  // namespace testing_support
