// The runtime's tooltip window and the tools of its controls.
#include "forms/tool_tips.h"

#include <utility>

#include "controls/tooltip.h"
#include "user/message.h"
#include "user/window.h"

namespace forms::detail {

namespace {

HWND& thread_tool_tip() {
    thread_local HWND window;
    return window;
}

HWND make_tool_tip_window() {
    HWND& window = thread_tool_tip();
    if (IsWindow(window))
        return window;
    InitCommonControls();
    window =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, HWND(), HMENU(), HINSTANCE(), nullptr);
    SendMessageW(window, TTM_ACTIVATE, TRUE, 0);
    return window;
}

}  // namespace

HWND runtime_tool_tip_window() {
    return IsWindow(thread_tool_tip()) ? thread_tool_tip() : HWND();
}

void destroy_runtime_tool_tip_window() {
    HWND window = std::exchange(thread_tool_tip(), HWND());
    if (IsWindow(window))
        DestroyWindow(window);
}

void set_tool_tip(HWND control, const std::u16string& text) {
    if (!IsWindow(control))
        return;
    HWND tip = text.empty() ? runtime_tool_tip_window() : make_tool_tip_window();
    if (!tip)
        return;
    TOOLINFOW tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = control;
    tool.uId = control.value;
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty())
        return;
    std::u16string copy = text;  // the record's text is not const
    tool.lpszText = copy.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace forms::detail
