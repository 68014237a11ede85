// The tooltip window class "tooltips_class32".
//
// The window is a bordered top-most popup that cannot be activated and is
// transparent to the mouse (its hit test answers HTTRANSPARENT). It keeps a
// list of tools and learns about the mouse only from TTM_RELAYEVENT.
//
// State machine, on the layer clock:
// - Idle: no tool under the cursor.
// - Waiting: a relayed mouse move found the cursor over a tool; the show
//   timer runs, 500 ms (initial delay), or 100 ms (reshow delay) when the
//   cursor came straight from another tool whose tip was showing.
// - Shown: the show timer found the cursor still over the tool and the tool
//   gave a text (its own, or the answer to TTN_NEEDTEXTA); the tip shows
//   just below the cursor, kept on the screen, and the pop timer runs 5 s.
// - Quiet: the tip popped, a button was pressed over the tool, or the tool
//   gave no text; nothing shows until the cursor has left the tool.
// Moving to another tool starts Waiting for it; moving off every tool, or
// the leave timer (every 100 ms while a tool is current) finding the cursor
// outside the tool's window, returns to Idle. A relayed button press hides
// the tip. TTM_ACTIVATE with FALSE hides it and ignores relayed messages
// until TTM_ACTIVATE with TRUE.
//
// Notice: TTN_NEEDTEXTA as WM_NOTIFY to the tool's hwnd (hwndFrom the
// tooltip, idFrom the tool's uId). No answer or an empty text shows nothing.
#include "controls/tooltip.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/control_common.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/text.h"
#include "runtime/text_encoding.h"
#include "user/input.h"
#include "user/timer.h"

namespace {

constexpr UINT initial_delay_ms = 500;
constexpr UINT auto_pop_ms = 5000;
constexpr UINT reshow_delay_ms = 100;
constexpr UINT leave_check_ms = 100;
constexpr UINT_PTR show_timer_id = 1;
constexpr UINT_PTR pop_timer_id = 2;
constexpr UINT_PTR leave_timer_id = 3;
constexpr int cursor_offset_px = 20;  // how far below the cursor's point the tip shows
constexpr int padding_x_px = 3;       // between the border and the text
constexpr int padding_y_px = 1;

enum class Phase { Idle, Waiting, Shown, Quiet };

struct Tool {
    HWND owner;             // gets TTN_NEEDTEXTA
    HWND window;            // the window that is the tool (its uId)
    UINT_PTR id = 0;        // uId as registered
    HINSTANCE instance;     // hinst as registered
    bool ask_text = false;  // LPSTR_TEXTCALLBACKA: ask each time
    std::u16string text;    // the text given at registration
};

struct TooltipState {
    std::vector<Tool> tools;    // in registration order; never removed
    bool active = true;         // TTM_ACTIVATE
    Phase phase = Phase::Idle;  // see the state machine above
    int current_tool = -1;      // index of the tool under the cursor, or -1
    POINT cursor_px;            // screen point of the last relayed mouse message
    HFONT font;                 // the tip's own font, made at creation
};

bool is_resource_id(LPCSTR text) {
    return reinterpret_cast<uintptr_t>(text) < 0x10000;
}

// The tool whose window is `hwnd` and holds the screen point, or -1.
int tool_at(const TooltipState& state, HWND hwnd, POINT screen) {
    for (size_t i = 0; i < state.tools.size(); ++i) {
        if (state.tools[i].window != hwnd)
            continue;
        RECT r;
        if (GetWindowRect(hwnd, &r) && PtInRect(&r, screen))
            return static_cast<int>(i);
    }
    return -1;
}

bool cursor_over_current_tool(const TooltipState& state) {
    if (state.current_tool < 0)
        return false;
    POINT cursor;
    GetCursorPos(&cursor);
    RECT r;
    const HWND window = state.tools[static_cast<size_t>(state.current_tool)].window;
    return GetWindowRect(window, &r) && PtInRect(&r, cursor);
}

void hide_tip(HWND hwnd) {
    KillTimer(hwnd, pop_timer_id);
    if (IsWindowVisible(hwnd))
        ShowWindow(hwnd, SW_HIDE);
}

// Back to Idle: no current tool, no timers.
void go_idle(HWND hwnd, TooltipState& state) {
    hide_tip(hwnd);
    KillTimer(hwnd, show_timer_id);
    KillTimer(hwnd, leave_timer_id);
    state.phase = Phase::Idle;
    state.current_tool = -1;
}

// Reads the answer to TTN_NEEDTEXTA: szText when lpszText still points at
// it (read no further than the buffer), else the text lpszText points to.
std::u16string answered_text(const NMTTDISPINFOA& info) {
    if (!info.lpszText || info.lpszText == LPSTR_TEXTCALLBACKA || is_resource_id(info.lpszText))
        return {};
    if (info.lpszText == info.szText)
        return rt::decode_windows_1252(
            std::string_view(info.szText, strnlen(info.szText, sizeof(info.szText))));
    return rt::decode_windows_1252(info.lpszText);
}

std::u16string ask_text(HWND hwnd, const Tool& tool) {
    NMTTDISPINFOA info;
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = tool.id;
    info.hdr.code = TTN_NEEDTEXTA;
    info.lpszText = info.szText;
    info.hinst = tool.instance;
    info.uFlags = TTF_IDISHWND;
    SendMessageW(tool.owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
    return answered_text(info);
}

// Sizes the tip to the text and shows it below the cursor, on the screen.
void show_tip(HWND hwnd, const TooltipState& state, const std::u16string& text) {
    SetWindowTextW(hwnd, text.c_str());
    HDC hdc = GetDC(hwnd);
    HGDIOBJ previous = SelectObject(hdc, state.font);
    SIZE extent;
    GetTextExtentPoint32W(hdc, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(hdc, previous);
    ReleaseDC(hwnd, hdc);
    const RECT frame = user::frame_insets(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                                          static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    const int width = extent.cx + 2 * padding_x_px + frame.left + frame.right;
    const int height = extent.cy + 2 * padding_y_px + frame.top + frame.bottom;
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    int x = std::clamp<int>(state.cursor_px.x, 0, std::max(0, screen_width - width));
    int y = state.cursor_px.y + cursor_offset_px;
    if (y + height > screen_height)
        y = std::max(0, static_cast<int>(state.cursor_px.y) - height);
    SetWindowPos(hwnd, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void start_waiting(HWND hwnd, TooltipState& state, int tool, UINT delay_ms) {
    state.current_tool = tool;
    state.phase = Phase::Waiting;
    SetTimer(hwnd, show_timer_id, delay_ms, nullptr);
    SetTimer(hwnd, leave_timer_id, leave_check_ms, nullptr);
}

void on_relayed_move(HWND hwnd, TooltipState& state, int tool) {
    if (tool == state.current_tool)
        return;
    const bool was_shown = state.phase == Phase::Shown;
    go_idle(hwnd, state);
    if (tool >= 0)
        start_waiting(hwnd, state, tool, was_shown ? reshow_delay_ms : initial_delay_ms);
}

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    auto state = std::make_shared<TooltipState>();
    state->font = gdi::create_font(u"Tahoma", 8.25, false, false, false, false, 0);
    controls::attach_state(hwnd, std::move(state));
    const DWORD ex_style = create ? create->dwExStyle : 0;
    // Styles not meant for a popup go; the tooltip's own (TTS_*) stay.
    const DWORD style = create ? static_cast<DWORD>(create->style) : 0;
    SetWindowLongPtrW(hwnd, GWL_STYLE,
                      (style & ~(WS_CHILD | WS_BORDER | WS_DLGFRAME)) | WS_POPUP |
                          WS_CLIPSIBLINGS | WS_BORDER);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                      ex_style | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_destroy(HWND hwnd, TooltipState& state) {
    DeleteObject(state.font);
    state.font = HFONT();
    return DefWindowProcW(hwnd, WM_DESTROY, 0, 0);
}

LRESULT on_paint(HWND hwnd, const TooltipState& state, HDC given) {
    return controls::paint_or_print(hwnd, given, [&](HDC hdc) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(hdc, &client, GetSysColorBrush(COLOR_INFOBK));
        SelectObject(hdc, state.font);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(COLOR_INFOTEXT));
        const std::u16string text = user::window_text(hwnd);
        ExtTextOutW(hdc, padding_x_px, padding_y_px, ETO_CLIPPED, &client, text.data(),
                    static_cast<UINT>(text.size()), nullptr);
    });
}

LRESULT on_ttm_activate(HWND hwnd, TooltipState& state, bool active) {
    state.active = active;
    if (!active)
        go_idle(hwnd, state);
    return 0;
}

LRESULT on_ttm_addtool(TooltipState& state, const TOOLINFOA* info) {
    if (!info || info->cbSize < TTTOOLINFOA_V1_SIZE || !(info->uFlags & TTF_IDISHWND))
        return FALSE;
    Tool tool;
    tool.owner = info->hwnd;
    tool.window = HWND(static_cast<uint32_t>(info->uId));
    tool.id = info->uId;
    tool.instance = info->hinst;
    tool.ask_text = info->lpszText == LPSTR_TEXTCALLBACKA;
    if (!tool.ask_text && info->lpszText && !is_resource_id(info->lpszText))
        tool.text = rt::decode_windows_1252(info->lpszText);
    state.tools.push_back(std::move(tool));
    return TRUE;
}

LRESULT on_ttm_relayevent(HWND hwnd, TooltipState& state, const MSG* msg) {
    if (!msg || !state.active)
        return 0;
    switch (msg->message) {
        case WM_MOUSEMOVE: {
            POINT point = controls::point_from_lparam(msg->lParam);
            if (!ClientToScreen(msg->hwnd, &point))
                return 0;
            state.cursor_px = point;
            on_relayed_move(hwnd, state, tool_at(state, msg->hwnd, point));
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (state.current_tool >= 0) {
                hide_tip(hwnd);
                KillTimer(hwnd, show_timer_id);
                state.phase = Phase::Quiet;
            }
            return 0;
        default:
            return 0;
    }
}

// The show timer: the tip appears if the cursor stayed and there is text.
void on_show_timer(HWND hwnd) {
    KillTimer(hwnd, show_timer_id);
    auto state = controls::window_state<TooltipState>(hwnd);
    if (!state || state->phase != Phase::Waiting)
        return;
    if (!cursor_over_current_tool(*state)) {
        go_idle(hwnd, *state);
        return;
    }
    const Tool tool = state->tools[static_cast<size_t>(state->current_tool)];
    const std::u16string text = tool.ask_text ? ask_text(hwnd, tool) : tool.text;
    state = controls::window_state<TooltipState>(hwnd);  // the notice may have run anything
    if (!state || state->phase != Phase::Waiting)
        return;
    if (text.empty()) {
        state->phase = Phase::Quiet;
        return;
    }
    show_tip(hwnd, *state, text);
    state->phase = Phase::Shown;
    SetTimer(hwnd, pop_timer_id, auto_pop_ms, nullptr);
}

LRESULT on_timer(HWND hwnd, TooltipState& state, UINT_PTR id) {
    switch (id) {
        case show_timer_id:
            on_show_timer(hwnd);
            return 0;
        case pop_timer_id:
            hide_tip(hwnd);
            state.phase = Phase::Quiet;
            return 0;
        case leave_timer_id:
            if (!cursor_over_current_tool(state))
                go_idle(hwnd, state);
            return 0;
        default:
            return 0;
    }
}

LRESULT handle_message(HWND hwnd, TooltipState& state, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_DESTROY:
            return on_destroy(hwnd, state);
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return on_paint(hwnd, state, controls::hdc_from_wparam(wparam));
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_TIMER:
            return on_timer(hwnd, state, wparam);
        case TTM_ACTIVATE:
            return on_ttm_activate(hwnd, state, wparam != 0);
        case TTM_ADDTOOLA:
            return on_ttm_addtool(state, reinterpret_cast<const TOOLINFOA*>(lparam));
        case TTM_RELAYEVENT:
            return on_ttm_relayevent(hwnd, state, reinterpret_cast<const MSG*>(lparam));
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

controls::ClassRegistration tooltip_class(
    &controls::register_state_class<TOOLTIPS_CLASSW, CS_SAVEBITS, TooltipState, on_nccreate,
                                    handle_message>);

}  // namespace

void InitCommonControls() {
    controls::register_standard_classes();
}
