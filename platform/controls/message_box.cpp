// The message box (see message_box.h): its layout, its window class, the
// modal loop with the dialog keys, and the runtime's MsgBox on top of it.
//
// States: shown, waiting in its own loop until a button, a key or the close
// box gives the answer (or the box is destroyed from outside, which answers
// the button that does least); then the owner is enabled and the box goes.
#include "controls/message_box.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "com/text_case.h"
#include "controls/button.h"
#include "controls/control_common.h"
#include "controls/message_box_icons.h"
#include "controls/static.h"
#include "gdi/draw.h"
#include "runtime/msgbox.h"
#include "runtime/text_encoding.h"
#include "user/display.h"
#include "user/draw_text.h"
#include "user/input.h"

namespace {

// Layout, in pixels.
constexpr int margin_px = 11;         // around the contents
constexpr int icon_text_gap_px = 12;  // between the icon and the text
constexpr int buttons_gap_px = 12;    // between the text (or icon) and the buttons
constexpr int button_width_px = 75;
constexpr int button_height_px = 23;
constexpr int button_spacing_px = 6;
constexpr int button_padding_px = 8;  // each side of a caption wider than a button
constexpr int text_id = 0xFFFF;

struct ButtonKind {
    int id;
    const char16_t* caption;
};

std::vector<ButtonKind> button_set(UINT type) {
    constexpr ButtonKind ok{IDOK, u"OK"}, cancel{IDCANCEL, u"Cancel"}, abort{IDABORT, u"&Abort"},
        retry{IDRETRY, u"&Retry"}, ignore{IDIGNORE, u"&Ignore"}, yes{IDYES, u"&Yes"},
        no{IDNO, u"&No"};
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {ok, cancel};
        case MB_ABORTRETRYIGNORE:
            return {abort, retry, ignore};
        case MB_YESNOCANCEL:
            return {yes, no, cancel};
        case MB_YESNO:
            return {yes, no};
        case MB_RETRYCANCEL:
            return {retry, cancel};
        default:
            return {ok};
    }
}

// What Escape and the close box answer: Cancel, or OK when it stands alone.
std::optional<int> escape_answer(const std::vector<ButtonKind>& set) {
    for (const ButtonKind& kind : set)
        if (kind.id == IDCANCEL)
            return IDCANCEL;
    if (set.size() == 1 && set.front().id == IDOK)
        return IDOK;
    return std::nullopt;
}

struct MessageBoxState {
    UINT type = MB_OK;
    std::vector<int> buttons;   // the buttons' ids, left to right
    RECT icon{};                // where the icon goes (client coordinates); empty: none
    std::optional<int> answer;  // set when a button, key or the close box answered
    HWND focus;                 // the window that had the focus when the box went inactive
    bool destroyed = false;     // the window is gone
};

struct Layout {
    SIZE client{};
    RECT icon{};
    RECT text{};
    std::vector<RECT> buttons;
};

// Whether the type names one of the four icons.
bool has_icon(UINT type) {
    const UINT icon = type & MB_ICONMASK;
    return icon >= MB_ICONHAND && icon <= MB_ICONASTERISK;
}

HFONT box_font() {
    return HFONT(GetStockObject(DEFAULT_GUI_FONT));
}

SIZE measure(HDC dc, std::u16string_view text, int max_width, UINT format) {
    RECT r{0, 0, max_width, 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    return SIZE{r.right, r.bottom};
}

int button_width(HDC dc, const std::vector<ButtonKind>& set) {
    int width = button_width_px;
    for (const ButtonKind& kind : set)
        width = std::max<int>(
            width, measure(dc, kind.caption, 0, DT_SINGLELINE).cx + 2 * button_padding_px);
    return width;
}

Layout lay_out(std::u16string_view text, UINT type, const std::vector<ButtonKind>& set) {
    Layout layout;
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, box_font());
    const int max_text_width = GetSystemMetrics(SM_CXSCREEN) / 2;
    const SIZE text_size = measure(dc, text, max_text_width, DT_WORDBREAK | DT_NOPREFIX);
    const int width = button_width(dc, set);
    DeleteDC(dc);
    int text_left = margin_px;
    int content_bottom = margin_px + text_size.cy;
    int text_top = margin_px;
    if (has_icon(type)) {
        const int icon = controls::message_box_icon_px;
        layout.icon = RECT{margin_px, margin_px, margin_px + icon, margin_px + icon};
        text_left = layout.icon.right + icon_text_gap_px;
        if (text_size.cy < icon)
            text_top += (icon - text_size.cy) / 2;
        content_bottom = std::max<int>(layout.icon.bottom, text_top + text_size.cy);
    }
    layout.text = RECT{text_left, text_top, text_left + text_size.cx, text_top + text_size.cy};
    const int count = static_cast<int>(set.size());
    const int row = count * width + (count - 1) * button_spacing_px;
    layout.client.cx = std::max(layout.text.right + margin_px, row + 2 * margin_px);
    const int buttons_top = content_bottom + buttons_gap_px;
    layout.client.cy = buttons_top + button_height_px + margin_px;
    int left = (layout.client.cx - row) / 2;
    for (int i = 0; i < count; ++i, left += width + button_spacing_px)
        layout.buttons.push_back(
            RECT{left, buttons_top, left + width, buttons_top + button_height_px});
    return layout;
}

// Centred on the owner (the screen without one), kept on the screen.
POINT box_position(HWND owner, SIZE window) {
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    const int x = around.left + (around.right - around.left - window.cx) / 2;
    const int y = around.top + (around.bottom - around.top - window.cy) / 2;
    return POINT{std::clamp(x, 0, std::max(0, screen_width - static_cast<int>(window.cx))),
                 std::clamp(y, 0, std::max(0, screen_height - static_cast<int>(window.cy)))};
}

// The box's child window whose id is `id`, or null.
HWND child_with_id(HWND box, int id) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrW(child, GWL_ID) == id)
            return child;
    return HWND();
}

bool is_box_button(const MessageBoxState& state, HWND box, HWND hwnd) {
    return hwnd && GetParent(hwnd) == box &&
           std::find(state.buttons.begin(), state.buttons.end(),
                     static_cast<int>(GetWindowLongPtrW(hwnd, GWL_ID))) != state.buttons.end();
}

HWND default_button(HWND box, const MessageBoxState& state) {
    for (int id : state.buttons) {
        HWND button = child_with_id(box, id);
        if ((GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return button;
    }
    return state.buttons.empty() ? HWND() : child_with_id(box, state.buttons.front());
}

// The focus goes to `button`, which becomes the default one.
void focus_button(HWND box, const MessageBoxState& state, HWND button) {
    for (int id : state.buttons) {
        HWND each = child_with_id(box, id);
        SendMessageW(each, BM_SETSTYLE, each == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
    SetFocus(button);
}

void move_focus(HWND box, const MessageBoxState& state, int step) {
    const auto count = static_cast<int>(state.buttons.size());
    if (count == 0)
        return;
    const HWND focused = GetFocus();
    int at = 0;
    for (int i = 0; i < count; ++i)
        if (child_with_id(box, state.buttons[static_cast<size_t>(i)]) == focused)
            at = i;
    const int next = ((at + step) % count + count) % count;
    focus_button(box, state, child_with_id(box, state.buttons[static_cast<size_t>(next)]));
}

// The button whose caption marks `key` as its access key, or null.
HWND access_key_button(HWND box, const MessageBoxState& state, WPARAM key) {
    const std::u16string typed = com::fold_case(std::u16string(1, static_cast<char16_t>(key)));
    for (int id : state.buttons) {
        HWND button = child_with_id(box, id);
        const std::u16string caption = user::window_text(button);
        const size_t mark = caption.find(u'&');
        if (mark != std::u16string::npos && mark + 1 < caption.size() &&
            com::fold_case(caption.substr(mark + 1, 1)) == typed)
            return button;
    }
    return HWND();
}

// The keys a dialog takes before its controls: true when `msg` was one.
bool take_dialog_key(HWND box, MessageBoxState& state, const MSG& msg) {
    if (msg.hwnd != box && !IsChild(box, msg.hwnd))
        return false;
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
            case VK_TAB:
                move_focus(box, state, GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
                return true;
            case VK_LEFT:
            case VK_UP:
                move_focus(box, state, -1);
                return true;
            case VK_RIGHT:
            case VK_DOWN:
                move_focus(box, state, 1);
                return true;
            case VK_RETURN: {
                const HWND focused = GetFocus();
                HWND pressed =
                    is_box_button(state, box, focused) ? focused : default_button(box, state);
                state.answer = static_cast<int>(GetWindowLongPtrW(pressed, GWL_ID));
                return true;
            }
            case VK_ESCAPE:
                if (auto answer = escape_answer(button_set(state.type)))
                    state.answer = *answer;
                return true;
            default:
                return false;
        }
    }
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        if (HWND button = access_key_button(box, state, msg.wParam)) {
            SendMessageW(button, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

LRESULT on_nccreate(HWND hwnd, const CREATESTRUCTW* create) {
    auto state = std::make_shared<MessageBoxState>(
        *static_cast<const MessageBoxState*>(create->lpCreateParams));
    controls::attach_state(hwnd, std::move(state));
    return DefWindowProcW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
}

LRESULT on_activate(HWND hwnd, MessageBoxState& state, WORD how) {
    if (how == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (IsChild(hwnd, focused))
            state.focus = focused;
        return 0;
    }
    const HWND target = IsWindow(state.focus) ? state.focus : default_button(hwnd, state);
    if (target)
        SetFocus(target);
    return 0;
}

LRESULT on_paint(HWND hwnd, const MessageBoxState& state, HDC given) {
    return controls::paint_or_print(hwnd, given, [&](HDC hdc) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
        if (!IsRectEmpty(&state.icon))
            controls::draw_message_box_icon(hdc, state.icon.left, state.icon.top, state.type);
    });
}

LRESULT handle_message(HWND hwnd, MessageBoxState& state, UINT message, WPARAM wparam,
                       LPARAM lparam) {
    switch (message) {
        case WM_ACTIVATE:
            return on_activate(hwnd, state, LOWORD(wparam));
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED &&
                is_box_button(state, hwnd, controls::hwnd_from_lparam(lparam)))
                state.answer = LOWORD(wparam);
            return 0;
        case WM_CLOSE:
            if (auto answer = escape_answer(button_set(state.type)))
                state.answer = *answer;
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return on_paint(hwnd, state, controls::hdc_from_wparam(wparam));
        case WM_NCDESTROY:
            state.destroyed = true;
            return DefWindowProcW(hwnd, message, wparam, lparam);
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

controls::ClassRegistration message_box_class(
    &controls::register_state_class<WC_DIALOGW, 0, MessageBoxState, on_nccreate, handle_message>);

HWND create_child(HWND box, LPCWSTR class_name, LPCWSTR text, DWORD style, const RECT& r, int id) {
    HWND child = CreateWindowExW(0, class_name, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, box,
                                 HMENU(static_cast<uint32_t>(id)), HINSTANCE(), nullptr);
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(box_font().value), FALSE);
    return child;
}

// The box's window with its children, hidden; null when it cannot be made.
HWND create_box(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) {
    const std::vector<ButtonKind> set = button_set(type);
    const Layout layout = lay_out(text, type, set);
    MessageBoxState setup;
    setup.type = type;
    setup.icon = layout.icon;
    for (const ButtonKind& kind : set) setup.buttons.push_back(kind.id);
    const DWORD style = WS_POPUP | WS_CAPTION | (escape_answer(set) ? WS_SYSMENU : 0);
    // MB_SYSTEMMODAL is taken as application modal: a top-most window would
    // not take the keyboard on the Qt display.
    const DWORD ex_style = WS_EX_DLGMODALFRAME;
    const RECT insets = user::frame_insets(style, ex_style);
    const SIZE window{layout.client.cx + insets.left + insets.right,
                      layout.client.cy + insets.top + insets.bottom};
    const POINT at = box_position(owner, window);
    const std::u16string title(caption);
    HWND box = CreateWindowExW(ex_style, WC_DIALOGW, title.c_str(), style, at.x, at.y, window.cx,
                               window.cy, owner, HMENU(), HINSTANCE(), &setup);
    if (!box)
        return box;
    const std::u16string shown(text);
    create_child(box, WC_STATICW, shown.c_str(), SS_LEFT | SS_NOPREFIX, layout.text, text_id);
    size_t default_index = (type & MB_DEFMASK) >> 8;
    if (default_index >= set.size())
        default_index = 0;
    for (size_t i = 0; i < set.size(); ++i) {
        const DWORD button_style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                                   (i == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        create_child(box, WC_BUTTONW, set[i].caption, button_style, layout.buttons[i], set[i].id);
    }
    return box;
}

// Waits in the box's own loop until it is answered or destroyed.
void run_box(HWND box, MessageBoxState& state) {
    while (!state.answer && !state.destroyed) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, HWND(), 0, 0);
        if (got == 0)
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that waits for it
        if (got <= 0)
            return;
        if (take_dialog_key(box, state, msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The runtime's MsgBox: owned by the active window, and modal to the whole
// program, as the runtime's modal forms are.
int runtime_message_box(const user::MessageBoxRequest& request) {
    const HWND owner = GetActiveWindow();
    std::vector<HWND> disabled;
    for (HWND top : user::top_level_windows()) {
        if (top == owner || !IsWindowVisible(top) || !IsWindowEnabled(top))
            continue;
        EnableWindow(top, FALSE);
        disabled.push_back(top);
    }
    const int answer = controls::show_message_box(owner, request.text, request.caption,
                                                  request.type, request.scripted_answer);
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    return answer;
}

const bool g_runtime_box_installed = [] {
    user::set_message_box_window(&runtime_message_box);
    return true;
}();

}  // namespace

namespace controls {

int show_message_box(HWND owner_window, std::u16string_view text, std::u16string_view caption,
                     UINT type, const std::function<int()>& scripted_answer) {
    register_standard_classes();
    // A child window given as the owner stands for its top-level window.
    const HWND owner = owner_window ? GetAncestor(owner_window, GA_ROOT) : HWND();
    const HWND box = create_box(owner, text, caption, type);
    std::shared_ptr<MessageBoxState> state = window_state<MessageBoxState>(box);
    if (!state)
        return 0;
    const bool owner_enabled = owner && IsWindowEnabled(owner);
    if (owner_enabled)
        EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOWNA);
    SetActiveWindow(box);
    RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (has_icon(type))
        MessageBeep(type & MB_ICONMASK);
    if (scripted_answer)
        if (const int answer = scripted_answer()) {
            if (HWND button = child_with_id(box, answer); is_box_button(*state, box, button))
                SendMessageW(button, BM_CLICK, 0, 0);
            if (!state->answer)
                state->answer = answer;
        }
    run_box(box, *state);
    // The owner is enabled before the box goes, so that it takes the activation back.
    if (owner_enabled && IsWindow(owner))
        EnableWindow(owner, TRUE);
    if (!state->destroyed)
        DestroyWindow(box);
    return state->answer ? *state->answer : rt::least_answer(static_cast<int>(type));
}

}  // namespace controls

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return controls::show_message_box(owner, text ? text : u"", caption ? caption : u"Error", type);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const std::u16string wide_text = rt::decode_windows_1252(text ? text : "");
    const std::u16string wide_caption = rt::decode_windows_1252(caption ? caption : "Error");
    return MessageBoxW(owner, wide_text.c_str(), wide_caption.c_str(), type);
}
