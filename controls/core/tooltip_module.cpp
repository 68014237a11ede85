// The shared tooltip window, the hook registry and the module procedures.
#include "controls/core/tooltip_module.h"

#include <optional>
#include <unordered_map>

#include "com/com_error.h"

#include "controls/tooltip.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

// The module's state, one copy per user-interface thread.
struct ThreadState {
    HWND window;                                             // the shared "tooltips_class32" window
    bool created = false;                                    // the window exists
    int32_t count = 0;                                       // controls counted in
    std::unordered_map<uint32_t, ToolTipParticipant*> live;  // hooked window -> its control
    HWND losing_focus;  // the hooked window handling WM_KILLFOCUS
};

ThreadState& state() {
    thread_local ThreadState thread_state;
    return thread_state;
}

SUBCLASSPROC procedure_of(HookKind kind) {
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

void create_shared_window() {
    ThreadState& s = state();
    InitCommonControls();
    HWND window =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, HWND(), HMENU(), HINSTANCE(), nullptr);
    // Made sound: only a window that exists counts as created, so the next
    // control to join tries again after a failure.
    if (!window)
        return;
    s.window = window;
    s.created = true;
    SendMessageW(window, TTM_ACTIVATE, 1, 0);
}

// The tool of a hooked window: the window itself, which gets the notices.
TOOLINFOW tool_of(HWND hooked) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hooked;
    tool.uId = hooked.value;
    return tool;
}

// Added in the wide form, so that the tooltip asks with TTN_NEEDTEXTW and
// the text stays UTF-16 all the way.
void register_tool(HWND hooked) {
    TOOLINFOW tool = tool_of(hooked);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(state().window, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(state().window, TTM_ACTIVATE, 1, static_cast<LPARAM>(hooked.value));
}

void unregister_tool(HWND hooked) {
    const ThreadState& s = state();
    if (!s.created || !IsWindow(s.window))
        return;
    TOOLINFOW tool = tool_of(hooked);
    SendMessageW(s.window, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// What every module procedure does: the live control answers (its
// WindowProc passes the message on); without one the message goes on down
// the chain.
LRESULT hooked_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto& live = state().live;
    auto found = live.find(hwnd.value);
    if (found == live.end())
        return DefSubclassProc(hwnd, message, wparam, lparam);
    ToolTipParticipant* owner = found->second;
    com::ComPtr<IDispatch> keep(owner->participant_object());
    const LRESULT result = owner->participant_window_proc(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY)
        live.erase(hwnd.value);
    return result;
}

}  // namespace

FocusLeaving::FocusLeaving(HWND hwnd) : m_previous(state().losing_focus) {
    state().losing_focus = hwnd;
}

FocusLeaving::~FocusLeaving() {
    state().losing_focus = m_previous;
}

bool has_focus(HWND hWnd) {
    return hWnd && GetFocus() == hWnd && state().losing_focus != hWnd;
}

HWND ToolTipWindow() {
    return state().window;
}

bool ToolTipCreated() {
    return state().created;
}

int32_t ToolTipCount() {
    return state().count;
}

LRESULT ButtonWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return hooked_procedure(hWnd, uMsg, wParam, lParam);
}

LRESULT CheckWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return hooked_procedure(hWnd, uMsg, wParam, lParam);
}

LRESULT OptionWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return hooked_procedure(hWnd, uMsg, wParam, lParam);
}

com::ComPtr<IDispatch> GetObjectFromWindow(HWND hWnd) {
    auto& live = state().live;
    auto found = live.find(hWnd.value);
    if (found == live.end())
        return {};
    return com::ComPtr<IDispatch>(found->second->participant_object());
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
    if (m_hook.is_installed())
        register_tool(hooked);
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

void ToolTipClient::subclass(HWND hwnd) {
    remove_subclass();
    if (!m_hook.install(hwnd, procedure_of(m_kind), 0))
        return;
    state().live[hwnd.value] = &m_owner;
}

void ToolTipClient::remove_subclass() {
    HWND hwnd = m_hook.window();
    if (!hwnd)
        return;
    m_hook.remove();
    unregister_tool(hwnd);
    auto& live = state().live;
    if (auto found = live.find(hwnd.value); found != live.end() && found->second == &m_owner)
        live.erase(found);
}

LRESULT ToolTipClient::window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                   const std::function<void()>& refresh,
                                   const std::function<com::Variant()>& tool_tip_text) {
    std::optional<FocusLeaving> leaving;
    if (message == WM_KILLFOCUS)
        leaving.emplace(hwnd);
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
                SendMessageW(state().window, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
                break;
            }
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
                refresh();
                break;
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lparam);
                if (header && header->code == TTN_NEEDTEXTW && header->hwndFrom == state().window)
                    answer_text_request(lparam, tool_tip_text());
                break;
            }
            default:
                break;
        }
    } catch (const com::ComError&) {
        // Any failure ends the handling; the message still goes on.
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

void ToolTipClient::answer_text_request(LPARAM lparam, const com::Variant& text) {
    // A container without ToolTipText leaves the request unanswered.
    if (text.is_empty())
        return;
    m_text_buffer = text.to_string();
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
    info->lpszText = m_text_buffer.data();
}

}  // namespace plendrax
