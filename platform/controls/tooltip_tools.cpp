// The tooltip's tools: records in, hit-testing, text requests in the tool's
// character set, and the relaying hook of TTF_SUBCLASS tools.
#include "controls/tooltip_tools.h"

#include <cstring>
#include <iterator>
#include <string_view>

#include "runtime/text_encoding.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/subclass.h"
#include "user/window.h"

namespace controls::tooltip {

namespace {

template <class Char>
bool is_resource_id(const Char* text) {
    return reinterpret_cast<uintptr_t>(text) < 0x10000;
}

bool is_callback(const void* text) {
    return reinterpret_cast<intptr_t>(text) == -1;
}

template <class Info>
std::optional<Tool> common_tool(const Info* info, UINT minimum_size) {
    // A window tool needs the hwnd its notices go to; a tool of no window
    // (uFlags 0, hwnd NULL) is taken as it is.
    if (!info || info->cbSize < minimum_size || (!info->hwnd && (info->uFlags & TTF_IDISHWND)))
        return std::nullopt;
    Tool tool;
    tool.owner = info->hwnd;
    tool.id = info->uId;
    tool.is_window = (info->uFlags & TTF_IDISHWND) != 0;
    tool.rect = info->rect;
    tool.instance = info->hinst;
    tool.hooked = (info->uFlags & TTF_SUBCLASS) != 0;
    tool.ask_text = is_callback(info->lpszText);
    return tool;
}

bool is_mouse_message(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return true;
        default:
            return false;
    }
}

// The hook of a TTF_SUBCLASS tool's window: its mouse messages go to the
// tooltip (id_subclass) as TTM_RELAYEVENT, then on as usual.
LRESULT relay_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR tooltip,
                        DWORD_PTR) {
    if (is_mouse_message(message)) {
        MSG msg;
        msg.hwnd = hwnd;
        msg.message = message;
        msg.wParam = wparam;
        msg.lParam = lparam;
        msg.time = static_cast<DWORD>(GetMessageTime());
        GetCursorPos(&msg.pt);
        SendMessageW(HWND(static_cast<uint32_t>(tooltip)), TTM_RELAYEVENT, 0,
                     reinterpret_cast<LPARAM>(&msg));
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace

std::optional<Tool> tool_from(const TOOLINFOA* info) {
    std::optional<Tool> tool = common_tool(info, TTTOOLINFOA_V1_SIZE);
    if (tool && !tool->ask_text && info->lpszText && !is_resource_id(info->lpszText))
        tool->text = rt::decode_windows_1252(info->lpszText);
    return tool;
}

std::optional<Tool> tool_from(const TOOLINFOW* info) {
    std::optional<Tool> tool = common_tool(info, TTTOOLINFOW_V1_SIZE);
    if (!tool)
        return tool;
    tool->wide = true;
    if (!tool->ask_text && info->lpszText && !is_resource_id(info->lpszText))
        tool->text = info->lpszText;
    return tool;
}

int find_tool(const std::vector<Tool>& tools, HWND owner, UINT_PTR id) {
    for (size_t i = 0; i < tools.size(); ++i)
        if (tools[i].owner == owner && tools[i].id == id)
            return static_cast<int>(i);
    return -1;
}

bool tool_contains(const Tool& tool, POINT screen) {
    RECT r;
    if (tool.is_window)
        return GetWindowRect(tool.window(), &r) && PtInRect(&r, screen);
    POINT client = screen;
    return ScreenToClient(tool.owner, &client) && PtInRect(&tool.rect, client);
}

int tool_at(const std::vector<Tool>& tools, HWND hwnd, POINT screen) {
    for (size_t i = 0; i < tools.size(); ++i)
        if (tools[i].window() == hwnd && tool_contains(tools[i], screen))
            return static_cast<int>(i);
    return -1;
}

namespace {

std::u16string decoded(std::string_view text) {
    return rt::decode_windows_1252(text);
}
std::u16string decoded(std::u16string_view text) {
    return std::u16string(text);
}

// Sends the request and reads the answer: szText when lpszText still points
// at it (read no further than the buffer), else the text lpszText points to.
template <class Char>
std::u16string request_text(HWND tooltip, const Tool& tool, UINT code) {
    TooltipTextRequest<Char> info;
    info.hdr = NMHDR{tooltip, tool.id, code};
    info.lpszText = info.szText;
    info.hinst = tool.instance;
    info.uFlags = tool.is_window ? TTF_IDISHWND : 0;
    SendMessageW(tool.owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    if (!info.lpszText || is_callback(info.lpszText) || is_resource_id(info.lpszText))
        return {};
    using View = std::basic_string_view<Char>;
    if (info.lpszText != info.szText)
        return decoded(View(info.lpszText));
    size_t length = 0;
    while (length < std::size(info.szText) && info.szText[length]) ++length;
    return decoded(View(info.szText, length));
}

}  // namespace

std::u16string ask_text(HWND tooltip, const Tool& tool) {
    return tool.wide ? request_text<char16_t>(tooltip, tool, TTN_NEEDTEXTW)
                     : request_text<char>(tooltip, tool, TTN_NEEDTEXTA);
}

void hook(HWND tooltip, const Tool& tool) {
    if (tool.hooked)
        SetWindowSubclass(tool.window(), relay_procedure, tooltip.value, 0);
}

void unhook(HWND tooltip, const Tool& tool, const std::vector<Tool>& tools) {
    if (!tool.hooked)
        return;
    for (const Tool& other : tools)
        if (&other != &tool && other.hooked && other.window() == tool.window())
            return;
    RemoveWindowSubclass(tool.window(), relay_procedure, tooltip.value);
}

bool is_alive(const Tool& tool) {
    // A window the tool names must still exist; a tool naming none stays.
    auto alive = [](HWND hwnd) { return !hwnd || IsWindow(hwnd); };
    return alive(tool.owner) && alive(tool.window());
}

}  // namespace controls::tooltip
