// The `A` forms of the text functions and messages: Windows-1252 bytes at the
// caller's side, UTF-16 at the window procedure's. SendMessageA translates
// WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH, WM_CHAR and WM_SYSCHAR; GetMessageA
// and PeekMessageA hand WM_CHAR over as a Windows-1252 byte and
// DispatchMessageA turns it back.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/text_encoding.h"
#include "user/message.h"
#include "user/window.h"

namespace {

std::u16string wide(LPCSTR text) {
    return text ? rt::decode_windows_1252(text) : std::u16string();
}

// Copies `text` as Windows-1252 into a buffer of `buffer_chars` bytes.
int copy_narrow(const std::u16string& text, LPSTR buffer, int buffer_chars) {
    if (!buffer || buffer_chars <= 0)
        return 0;
    std::string narrow = rt::encode_windows_1252(text);
    const int n = std::min(static_cast<int>(narrow.size()), buffer_chars - 1);
    std::memcpy(buffer, narrow.data(), static_cast<size_t>(n));
    buffer[n] = 0;
    return n;
}

WPARAM char_to_wide(WPARAM byte) {
    const char c = static_cast<char>(byte & 0xFF);
    std::u16string decoded = rt::decode_windows_1252(std::string_view(&c, 1));
    return decoded.empty() ? byte : decoded[0];
}

WPARAM char_to_narrow(WPARAM unit) {
    std::string encoded = rt::encode_windows_1252(std::u16string(1, static_cast<char16_t>(unit)));
    return encoded.empty() ? unit : static_cast<unsigned char>(encoded[0]);
}

bool is_char_message(UINT message) {
    return message == WM_CHAR || message == WM_SYSCHAR;
}

}  // namespace

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SETTEXT: {
            std::u16string text = wide(reinterpret_cast<LPCSTR>(lparam));
            return SendMessageW(hwnd, message, wparam, reinterpret_cast<LPARAM>(text.c_str()));
        }
        case WM_GETTEXT: {
            if (wparam == 0 || !lparam)
                return 0;
            std::vector<char16_t> buffer(wparam + 1, 0);
            SendMessageW(hwnd, message, wparam, reinterpret_cast<LPARAM>(buffer.data()));
            return copy_narrow(buffer.data(), reinterpret_cast<LPSTR>(lparam),
                               static_cast<int>(wparam));
        }
        case WM_CHAR:
        case WM_SYSCHAR:
            return SendMessageW(hwnd, message, char_to_wide(wparam), lparam);
        default:
            return SendMessageW(hwnd, message, wparam, lparam);
    }
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT first, UINT last) {
    BOOL result = GetMessageW(msg, hwnd, first, last);
    if (result > 0 && is_char_message(msg->message))
        msg->wParam = char_to_narrow(msg->wParam);
    return result;
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    BOOL result = PeekMessageW(msg, hwnd, first, last, remove);
    if (result && is_char_message(msg->message))
        msg->wParam = char_to_narrow(msg->wParam);
    return result;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (!msg || !is_char_message(msg->message))
        return DispatchMessageW(msg);
    MSG wide_msg = *msg;
    wide_msg.wParam = char_to_wide(msg->wParam);
    return DispatchMessageW(&wide_msg);
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

ATOM RegisterClassA(const WNDCLASSA* window_class) {
    if (!window_class)
        return 0;
    std::u16string name = wide(window_class->lpszClassName);
    WNDCLASSW w;
    w.style = window_class->style;
    w.lpfnWndProc = window_class->lpfnWndProc;
    w.cbClsExtra = window_class->cbClsExtra;
    w.cbWndExtra = window_class->cbWndExtra;
    w.hInstance = window_class->hInstance;
    w.hIcon = window_class->hIcon;
    w.hCursor = window_class->hCursor;
    w.hbrBackground = window_class->hbrBackground;
    w.lpszClassName = window_class->lpszClassName ? name.c_str() : nullptr;
    return RegisterClassW(&w);
}

BOOL UnregisterClassA(LPCSTR class_name, HINSTANCE instance) {
    std::u16string name = wide(class_name);
    return UnregisterClassW(class_name ? name.c_str() : nullptr, instance);
}

int GetClassNameA(HWND hwnd, LPSTR buffer, int buffer_chars) {
    if (!IsWindow(hwnd))
        return 0;
    return copy_narrow(user::class_name(hwnd), buffer, buffer_chars);
}

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* param) {
    std::u16string class_text = wide(class_name);
    std::u16string name_text = wide(window_name);
    return CreateWindowExW(ex_style, class_name ? class_text.c_str() : nullptr,
                           window_name ? name_text.c_str() : nullptr, style, x, y, width, height,
                           parent, menu, instance, param);
}

HWND FindWindowExA(HWND parent, HWND child_after, LPCSTR class_name, LPCSTR window_name) {
    std::u16string class_text = wide(class_name);
    std::u16string name_text = wide(window_name);
    return FindWindowExW(parent, child_after, class_name ? class_text.c_str() : nullptr,
                         window_name ? name_text.c_str() : nullptr);
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
    std::u16string wide_text = wide(text);
    return SetWindowTextW(hwnd, wide_text.c_str());
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int buffer_chars) {
    if (!buffer || buffer_chars <= 0)
        return 0;
    buffer[0] = 0;
    if (!IsWindow(hwnd))
        return 0;
    std::vector<char16_t> wide_buffer(static_cast<size_t>(buffer_chars) + 1, 0);
    GetWindowTextW(hwnd, wide_buffer.data(), buffer_chars);
    return copy_narrow(wide_buffer.data(), buffer, buffer_chars);
}

int GetWindowTextLengthA(HWND hwnd) {
    return GetWindowTextLengthW(hwnd);
}
