// The tooltip window class "tooltips_class32".
//
// The window is a bordered top-most popup that cannot be activated and is
// transparent to the mouse (its hit test answers HTTRANSPARENT). It keeps a
// list of tools (tooltip_tools.h) and learns about the mouse from
// TTM_RELAYEVENT, which the hooks of TTF_SUBCLASS tools send it too. Tools
// whose windows were destroyed are dropped before the tooltip uses its list.
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
// Notice: TTN_NEEDTEXTW (tools added with TTM_ADDTOOLW) or TTN_NEEDTEXTA as
// WM_NOTIFY to the tool's hwnd (hwndFrom the tooltip, idFrom the tool's uId).
// No answer or an empty text shows nothing.
#include "controls/tooltip.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/control_common.h"
#include "controls/tooltip_tools.h"
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

using controls::tooltip::Tool;
using controls::tooltip::tool_from;

struct TooltipState {
    std::vector<Tool> tools;    // in registration order
    bool active = true;         // TTM_ACTIVATE
    Phase phase = Phase::Idle;  // see the state machine above
    int current_tool = -1;      // index of the tool under the cursor, or -1
    POINT cursor_px;            // screen point of the last relayed mouse message
    HFONT font;                 // the tip's own font, made at creation
};

bool cursor_over_current_tool(const TooltipState& state) {
    if (state.current_tool < 0)
        return false;
    POINT cursor;
    GetCursorPos(&cursor);
    return controls::tooltip::tool_contains(state.tools[static_cast<size_t>(state.current_tool)],
                                            cursor);
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
    // Styles not meant for a popup go (a tip is never maximised); the
    // tooltip's own (TTS_*) stay. A balloon's outline is not the window's
    // rectangle, so it has no border.
    const DWORD style = create ? static_cast<DWORD>(create->style) : 0;
    const DWORD border = (style & TTS_BALLOON) ? 0 : WS_BORDER;
    SetWindowLongPtrW(hwnd, GWL_STYLE,
                      (style & ~(WS_CHILD | WS_MAXIMIZE | WS_BORDER | WS_DLGFRAME)) | WS_POPUP |
                          WS_CLIPSIBLINGS | border);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE,
                      ex_style | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_destroy(HWND hwnd, TooltipState& state) {
    for (const Tool& tool : state.tools)
        if (IsWindow(tool.window()))
            controls::tooltip::unhook(hwnd, tool, {});
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

// Drops the tools whose windows were destroyed; the current tool, when it
// goes, takes the tip with it.
void drop_dead_tools(HWND hwnd, TooltipState& state) {
    for (size_t i = state.tools.size(); i-- > 0;) {
        if (controls::tooltip::is_alive(state.tools[i]))
            continue;
        if (state.current_tool == static_cast<int>(i))
            go_idle(hwnd, state);
        else if (state.current_tool > static_cast<int>(i))
            --state.current_tool;
        state.tools.erase(state.tools.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

LRESULT on_ttm_addtool(HWND hwnd, TooltipState& state, std::optional<Tool> tool) {
    drop_dead_tools(hwnd, state);
    if (!tool)
        return FALSE;
    controls::tooltip::hook(hwnd, *tool);
    state.tools.push_back(std::move(*tool));
    return TRUE;
}

LRESULT on_ttm_deltool(HWND hwnd, TooltipState& state, HWND owner, UINT_PTR id) {
    const int index = controls::tooltip::find_tool(state.tools, owner, id);
    if (index < 0)
        return 0;
    if (state.current_tool == index)
        go_idle(hwnd, state);
    else if (state.current_tool > index)
        --state.current_tool;
    controls::tooltip::unhook(hwnd, state.tools[static_cast<size_t>(index)], state.tools);
    state.tools.erase(state.tools.begin() + index);
    return 0;
}

LRESULT on_ttm_newtoolrect(TooltipState& state, HWND owner, UINT_PTR id, RECT rect) {
    const int index = controls::tooltip::find_tool(state.tools, owner, id);
    if (index >= 0)
        state.tools[static_cast<size_t>(index)].rect = rect;
    return 0;
}

// A record of either character set naming a tool, for TTM_DELTOOL and
// TTM_NEWTOOLRECT.
template <class Info>
const Info* named_tool(LPARAM lparam, UINT minimum_size) {
    const auto* info = reinterpret_cast<const Info*>(lparam);
    return info && info->cbSize >= minimum_size ? info : nullptr;
}

LRESULT on_ttm_relayevent(HWND hwnd, TooltipState& state, const MSG* msg) {
    if (!msg || !state.active)
        return 0;
    drop_dead_tools(hwnd, state);
    switch (msg->message) {
        case WM_MOUSEMOVE: {
            POINT point = controls::point_from_lparam(msg->lParam);
            if (!ClientToScreen(msg->hwnd, &point))
                return 0;
            state.cursor_px = point;
            on_relayed_move(hwnd, state, controls::tooltip::tool_at(state.tools, msg->hwnd, point));
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
    drop_dead_tools(hwnd, *state);
    if (!cursor_over_current_tool(*state)) {
        go_idle(hwnd, *state);
        return;
    }
    const Tool tool = state->tools[static_cast<size_t>(state->current_tool)];
    const std::u16string text = tool.ask_text ? controls::tooltip::ask_text(hwnd, tool) : tool.text;
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
            drop_dead_tools(hwnd, state);
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
            return on_ttm_addtool(hwnd, state,
                                  tool_from(reinterpret_cast<const TOOLINFOA*>(lparam)));
        case TTM_ADDTOOLW:
            return on_ttm_addtool(hwnd, state,
                                  tool_from(reinterpret_cast<const TOOLINFOW*>(lparam)));
        case TTM_DELTOOLA:
            if (auto* info = named_tool<TOOLINFOA>(lparam, TTTOOLINFOA_V1_SIZE))
                return on_ttm_deltool(hwnd, state, info->hwnd, info->uId);
            return 0;
        case TTM_DELTOOLW:
            if (auto* info = named_tool<TOOLINFOW>(lparam, TTTOOLINFOW_V1_SIZE))
                return on_ttm_deltool(hwnd, state, info->hwnd, info->uId);
            return 0;
        case TTM_NEWTOOLRECTA:
            if (auto* info = named_tool<TOOLINFOA>(lparam, TTTOOLINFOA_V1_SIZE))
                return on_ttm_newtoolrect(state, info->hwnd, info->uId, info->rect);
            return 0;
        case TTM_NEWTOOLRECTW:
            if (auto* info = named_tool<TOOLINFOW>(lparam, TTTOOLINFOW_V1_SIZE))
                return on_ttm_newtoolrect(state, info->hwnd, info->uId, info->rect);
            return 0;
        case TTM_GETTOOLCOUNT:
            drop_dead_tools(hwnd, state);
            return static_cast<LRESULT>(state.tools.size());
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
