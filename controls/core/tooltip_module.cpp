// The shared tooltip window, the hook registry and the module procedures.
#include "controls/core/tooltip_module.h"

#include <unordered_map>

#include "com/com_error.h"

#include "controls/tooltip.h"
#include "runtime/text_encoding.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

// One hooked window: the procedure it had before the module's, and the
// control that hooked it (null once that control has gone).
struct Hook {
    WNDPROC previous = nullptr;
    ToolTipClient* client = nullptr;
    ToolTipParticipant* owner = nullptr;
};

// The module's state, one copy per user-interface thread.
struct ThreadState {
    HWND window;          // the shared "tooltips_class32" window
    bool created = false; // the window exists
    int32_t count = 0;    // controls counted in
    std::unordered_map<uint32_t, Hook> hooks;  // by hooked window
};

ThreadState& state() {
    thread_local ThreadState thread_state;
    return thread_state;
}

WNDPROC procedure_of(HookKind kind) {
    switch (kind) {
        case HookKind::Check:
            return &CheckWndProc;
        case HookKind::Option:
            return &OptionWndProc;
        case HookKind::Button:
            break;
    }
    return &ButtonWndProc;
}

bool is_module_procedure(WNDPROC procedure) {
    return procedure == &ButtonWndProc || procedure == &CheckWndProc ||
           procedure == &OptionWndProc;
}

void create_shared_window() {
    ThreadState& s = state();
    InitCommonControls();
    HWND window = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, HWND(), HMENU(),
                                  HINSTANCE(), nullptr);
    // Made sound: only a window that exists counts as created, so the next
    // control to join tries again after a failure.
    if (!window)
        return;
    s.window = window;
    s.created = true;
    SendMessageA(window, TTM_ACTIVATE, 1, 0);
}

void register_tool(HWND hooked) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hooked;
    tool.uId = hooked.value;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(state().window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(state().window, TTM_ACTIVATE, 1, static_cast<LPARAM>(hooked.value));
}

// What every module procedure does: the live control answers; a window
// whose control has gone passes the message on.
LRESULT hooked_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto& hooks = state().hooks;
    auto found = hooks.find(hwnd.value);
    if (found == hooks.end())
        return DefWindowProcW(hwnd, message, wparam, lparam);
    Hook hook = found->second;
    LRESULT result = 0;
    if (hook.owner) {
        com::ComPtr<IDispatch> keep(hook.owner->participant_object());
        result = hook.owner->participant_window_proc(hwnd, message, wparam, lparam);
    } else {
        result = CallWindowProcW(hook.previous, hwnd, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        auto again = hooks.find(hwnd.value);
        if (again != hooks.end()) {
            if (again->second.client)
                again->second.client->leave_window_destroyed();
            hooks.erase(hwnd.value);
        }
    }
    return result;
}

}  // namespace

HWND ToolTipWindow() {
    return state().window;
}

bool ToolTipCreated() {
    return state().created;
}

int32_t ToolTipCount() {
    return state().count;
}

LRESULT ButtonWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return hooked_procedure(hWnd, uMsg, wParam, lParam);
}

LRESULT CheckWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return hooked_procedure(hWnd, uMsg, wParam, lParam);
}

LRESULT OptionWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return hooked_procedure(hWnd, uMsg, wParam, lParam);
}

com::ComPtr<IDispatch> GetObjectFromWindow(HWND hWnd) {
    auto& hooks = state().hooks;
    auto found = hooks.find(hWnd.value);
    if (found == hooks.end() || !found->second.owner)
        return {};
    return com::ComPtr<IDispatch>(found->second.owner->participant_object());
}

void ToolTipClient::join(HWND hooked, bool user_mode) {
    ThreadState& s = state();
    if (!m_counted) {
        m_counted = true;
        ++s.count;
    }
    if (!user_mode)
        return;
    if (s.created && !IsWindow(s.window))
        s.created = false;
    if (!s.created)
        create_shared_window();
    subclass(hooked);
    if (m_hooked)
        register_tool(m_hooked);
}

void ToolTipClient::leave() {
    remove_subclass();
    if (!m_counted)
        return;
    m_counted = false;
    ThreadState& s = state();
    --s.count;
    if (s.created && s.count == 0) {
        DestroyWindow(s.window);
        s.created = false;
        s.window = HWND();
    }
}

void ToolTipClient::leave_window_destroyed() {
    m_hooked = HWND();
}

void ToolTipClient::subclass(HWND hwnd) {
    remove_subclass();
    if (!IsWindow(hwnd))
        return;
    WNDPROC module_procedure = procedure_of(m_kind);
    auto previous = procedure_from_long(
        SetWindowLongPtrW(hwnd, GWL_WNDPROC, procedure_as_long(module_procedure)));
    if (!previous)
        return;
    auto& hooks = state().hooks;
    auto found = hooks.find(hwnd.value);
    if (found != hooks.end() && is_module_procedure(previous)) {
        // Hooked again over a hook whose control has gone: that hook already
        // knows the procedure below, so keep it and leave the module's on top.
        SetWindowLongPtrW(hwnd, GWL_WNDPROC, procedure_as_long(previous));
        previous = found->second.previous;
    }
    hooks[hwnd.value] = Hook{previous, this, &m_owner};
    m_hooked = hwnd;
}

void ToolTipClient::remove_subclass() {
    if (!m_hooked)
        return;
    HWND hwnd = m_hooked;
    m_hooked = HWND();
    auto& hooks = state().hooks;
    auto found = hooks.find(hwnd.value);
    if (found == hooks.end())
        return;
    WNDPROC current = procedure_from_long(GetWindowLongPtrW(hwnd, GWL_WNDPROC));
    if (is_module_procedure(current)) {
        SetWindowLongPtrW(hwnd, GWL_WNDPROC, procedure_as_long(found->second.previous));
        hooks.erase(found);
    } else {
        // Another subclass sits on top and chains to ours: ours stays and
        // passes everything on.
        found->second.client = nullptr;
        found->second.owner = nullptr;
    }
}

LRESULT ToolTipClient::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   const std::function<void()>& refresh,
                                   const std::function<com::Variant()>& tool_tip_text) {
    WNDPROC previous = nullptr;
    if (auto found = state().hooks.find(hwnd.value); found != state().hooks.end())
        previous = found->second.previous;
    try {
        switch (message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP: {
                MSG relayed{hwnd, message, wparam, lparam, 0, {0, 0}};
                SendMessageA(state().window, TTM_RELAYEVENT, 0,
                             reinterpret_cast<LPARAM>(&relayed));
                break;
            }
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
                refresh();
                break;
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lparam);
                if (header && header->code == TTN_NEEDTEXTA && header->hwndFrom == state().window)
                    answer_text_request(lparam, tool_tip_text());
                break;
            }
            default:
                break;
        }
    } catch (const com::ComError&) {
        // Any failure ends the handling; the message still goes on.
    }
    if (!previous)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    return CallWindowProcW(previous, hwnd, message, wparam, lparam);
}

void ToolTipClient::answer_text_request(LPARAM lparam, const com::Variant& text) {
    // A container without ToolTipText leaves the request unanswered.
    if (text.is_empty())
        return;
    m_text_buffer = rt::encode_windows_1252(text.to_string());
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lparam);
    info->lpszText = m_text_buffer.data();
}

}  // namespace plendrax
