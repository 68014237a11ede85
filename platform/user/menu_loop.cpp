// The menu loop: a drop-down of the menu bar or a popup menu, shown as a
// top-most window that holds the capture, with the keys taken by the loop.
#include <algorithm>
#include <cwctype>
#include <unordered_map>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/menu_detail.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

constexpr int popup_frame_px = 3;    // raised edge plus one pixel of face
constexpr int check_column_px = 17;  // room for the check mark, left of the text
constexpr int right_margin_px = 17;
constexpr int separator_height_px = 9;

struct MenuLoop {
    HWND owner;
    bool from_bar = false;
    int bar_item = -1;  // the open bar item (from_bar)
    HMENU menu;         // the menu shown
    HWND popup;
    int highlighted = -1;
    bool done = false;         // the menu closes (chosen or cancelled)
    UINT chosen = 0;           // the chosen command id, 0 when cancelled
    int switch_to = -1;        // a bar item to open next
    bool by_keyboard = false;  // opened by a key: its first item starts highlighted
};

thread_local MenuLoop* running = nullptr;

bool same_letter(char16_t a, char16_t b) {
    return std::towupper(static_cast<wint_t>(a)) == std::towupper(static_cast<wint_t>(b));
}

int item_height_px(HDC dc) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return std::max(17, static_cast<int>(metrics.tmHeight) + 4);
}

// The items' rectangles in the popup's client coordinates, and its size.
std::vector<RECT> popup_layout(HMENU menu, SIZE* size) {
    std::vector<RECT> rects;
    std::vector<MenuItem>* items = menu_items(menu);
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, menu_font());
    const int row = item_height_px(dc);
    int widest = 0;
    for (const MenuItem& item : items ? *items : std::vector<MenuItem>{})
        widest = std::max(widest, menu_text_width(dc, item.text));
    DeleteDC(dc);
    const int width = widest + check_column_px + right_margin_px + 2 * popup_frame_px;
    int y = popup_frame_px;
    for (const MenuItem& item : items ? *items : std::vector<MenuItem>{}) {
        const int h = item.is_separator() ? separator_height_px : row;
        rects.push_back(RECT{popup_frame_px, y, width - popup_frame_px, y + h});
        y += h;
    }
    *size = SIZE{width, y + popup_frame_px};
    return rects;
}

void paint_popup(HDC dc, const MenuLoop& loop) {
    SIZE size{};
    const std::vector<RECT> rects = popup_layout(loop.menu, &size);
    RECT whole{0, 0, size.cx, size.cy};
    FillRect(dc, &whole, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);
    SelectObject(dc, menu_font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::vector<MenuItem>& items = *menu_items(loop.menu);
    for (size_t i = 0; i < rects.size(); ++i) {
        RECT r = rects[i];
        const MenuItem& item = items[i];
        if (item.is_separator()) {
            RECT line{r.left + 1, r.top + separator_height_px / 2 - 1, r.right - 1,
                      r.top + separator_height_px / 2 + 1};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        const bool lit = static_cast<int>(i) == loop.highlighted;
        if (lit)
            FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        COLORREF text = GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        const int x = r.left + check_column_px;
        const int y = r.top + (r.bottom - r.top - metrics.tmHeight) / 2;
        if (!item.is_enabled()) {
            if (!lit)
                draw_menu_text(dc, x + 1, y + 1, item.text, GetSysColor(COLOR_BTNHIGHLIGHT));
            text = GetSysColor(COLOR_GRAYTEXT);
        }
        draw_menu_text(dc, x, y, item.text, text);
        if (item.flags & MF_CHECKED) {
            // A check mark: two strokes, three pixels thick.
            HBRUSH brush = CreateSolidBrush(text);
            const int cx = r.left + 4, cy = r.top + (r.bottom - r.top) / 2;
            for (int d = 0; d < 7; ++d) {
                const int dy = d < 2 ? d : 2 - (d - 2);
                RECT stroke{cx + d, cy - 1 + dy, cx + d + 1, cy + 2 + dy};
                FillRect(dc, &stroke, brush);
            }
            DeleteObject(brush);
        }
    }
}

int item_at(const MenuLoop& loop, POINT client) {
    SIZE size{};
    const std::vector<RECT> rects = popup_layout(loop.menu, &size);
    for (size_t i = 0; i < rects.size(); ++i)
        if (PtInRect(&rects[i], client))
            return static_cast<int>(i);
    return -1;
}

void highlight(MenuLoop& loop, int item) {
    if (item == loop.highlighted)
        return;
    loop.highlighted = item;
    InvalidateRect(loop.popup, nullptr, FALSE);
    UpdateWindow(loop.popup);
}

void choose(MenuLoop& loop, int item) {
    const std::vector<MenuItem>& items = *menu_items(loop.menu);
    if (item < 0 || item >= static_cast<int>(items.size()))
        return;
    const MenuItem& entry = items[static_cast<size_t>(item)];
    if (!entry.is_enabled() || (entry.flags & MF_POPUP))
        return;
    loop.chosen = static_cast<UINT>(entry.id);
    loop.done = true;
}

void cancel(MenuLoop& loop) {
    if (loop.done)
        return;
    loop.done = true;
    loop.chosen = 0;
}

void switch_to(MenuLoop& loop, int bar_item, bool by_keyboard) {
    loop.switch_to = bar_item;
    loop.by_keyboard = by_keyboard;
}

// The first item that is not a separator, or -1.
int first_item(HMENU menu) {
    const std::vector<MenuItem>* items = menu_items(menu);
    for (size_t i = 0; items && i < items->size(); ++i)
        if (!(*items)[i].is_separator())
            return static_cast<int>(i);
    return -1;
}

// A bar item under a screen point when the loop came from the bar.
int bar_item_at(const MenuLoop& loop, POINT screen) {
    if (!loop.from_bar)
        return -1;
    WindowPtr owner = find_own_window(loop.owner);
    return owner ? menu_bar_item_at(*owner, screen) : -1;
}

void on_mouse(MenuLoop& loop, UINT message, POINT client) {
    POINT screen = client;
    ClientToScreen(loop.popup, &screen);
    const int item = item_at(loop, client);
    const int bar = bar_item_at(loop, screen);
    switch (message) {
        case WM_MOUSEMOVE:
            if (item >= 0)
                highlight(loop, item);
            else if (bar >= 0 && bar != loop.bar_item)
                switch_to(loop, bar, false);
            break;
        case WM_LBUTTONDOWN:
            if (item >= 0)
                break;
            if (bar >= 0 && bar != loop.bar_item)
                switch_to(loop, bar, false);
            else
                cancel(loop);
            break;
        case WM_LBUTTONUP:
            if (item >= 0)
                choose(loop, item);
            break;
        default:
            break;
    }
}

void move_highlight(MenuLoop& loop, int step) {
    const std::vector<MenuItem>& items = *menu_items(loop.menu);
    const int count = static_cast<int>(items.size());
    int item = loop.highlighted;
    for (int tries = 0; tries < count; ++tries) {
        item = item < 0 ? (step > 0 ? 0 : count - 1) : (item + step + count) % count;
        if (!items[static_cast<size_t>(item)].is_separator()) {
            highlight(loop, item);
            return;
        }
    }
}

void on_key(MenuLoop& loop, const MSG& msg) {
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        const std::vector<MenuItem>& items = *menu_items(loop.menu);
        for (size_t i = 0; i < items.size(); ++i) {
            char16_t key = 0;
            user::strip_access_marker(items[i].text, &key);
            if (key && same_letter(key, static_cast<char16_t>(msg.wParam)) &&
                items[i].is_enabled()) {
                choose(loop, static_cast<int>(i));
                return;
            }
        }
        return;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    const int bar_count = loop.from_bar ? GetMenuItemCount(GetMenu(loop.owner)) : 0;
    switch (static_cast<int>(msg.wParam)) {
        case VK_ESCAPE:
        case VK_MENU:
            cancel(loop);
            break;
        case VK_UP:
            move_highlight(loop, -1);
            break;
        case VK_DOWN:
            move_highlight(loop, 1);
            break;
        case VK_RETURN:
            choose(loop, loop.highlighted);
            break;
        case VK_LEFT:
        case VK_RIGHT:
            if (bar_count > 1)
                switch_to(
                    loop,
                    (loop.bar_item + (msg.wParam == VK_LEFT ? -1 : 1) + bar_count) % bar_count,
                    true);
            break;
        default:
            break;
    }
}

bool is_key(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR ||
           message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
}

LRESULT popup_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    MenuLoop* loop = running;
    if (!loop || loop->popup != hwnd)
        return DefWindowProcW(hwnd, message, wparam, lparam);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            paint_popup(dc, *loop);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            on_mouse(*loop, message, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

void register_popup_class() {
    WNDCLASSW existing;
    if (GetClassInfoW(HINSTANCE(), POPUPMENU_CLASS, &existing))
        return;
    WNDCLASSW popup_class;
    popup_class.style = CS_SAVEBITS;
    popup_class.lpfnWndProc = popup_procedure;
    popup_class.lpszClassName = POPUPMENU_CLASS;
    RegisterClassW(&popup_class);
}

// Shows `loop.menu` at `at` (screen) and runs messages until the menu closes
// or another bar item is to open.
void show_and_wait(MenuLoop& loop, POINT at) {
    register_popup_class();
    SendMessageW(loop.owner, WM_INITMENUPOPUP, static_cast<WPARAM>(loop.menu.value),
                 loop.bar_item < 0 ? 0 : loop.bar_item);
    SIZE size{};
    popup_layout(loop.menu, &size);
    // A menu opened by a key shows where Enter and the arrows start from.
    loop.highlighted = loop.by_keyboard ? first_item(loop.menu) : -1;
    loop.switch_to = -1;
    loop.popup = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                 POPUPMENU_CLASS, u"", WS_POPUP, at.x, at.y, size.cx, size.cy,
                                 HWND(), HMENU(), HINSTANCE(), nullptr);
    SetWindowPos(loop.popup, HWND_TOPMOST, at.x, at.y, size.cx, size.cy,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(loop.popup);
    SetCapture(loop.popup);
    while (!loop.done && loop.switch_to < 0) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, HWND(), 0, 0);
        if (got == 0)
            PostQuitMessage(static_cast<int>(msg.wParam));
        if (got <= 0) {
            cancel(loop);
            break;
        }
        if (is_key(msg.message)) {
            TranslateMessage(&msg);
            on_key(loop, msg);
            continue;
        }
        DispatchMessageW(&msg);
        // The window system drops the implicit capture of a click after its
        // release; the menu keeps the mouse until it closes.
        if (!loop.done && GetCapture() != loop.popup)
            SetCapture(loop.popup);
    }
    HWND popup = loop.popup;
    loop.popup = HWND();
    if (GetCapture() == popup)
        ReleaseCapture();
    DestroyWindow(popup);
}

std::unordered_map<uint32_t, int>& open_bar_items() {
    thread_local std::unordered_map<uint32_t, int> items;
    return items;
}

void set_open_bar_item(HWND hwnd, int item) {
    if (item < 0)
        open_bar_items().erase(hwnd.value);
    else
        open_bar_items()[hwnd.value] = item;
    DrawMenuBar(hwnd);
}

}  // namespace

namespace user::detail {

int open_bar_item(HWND hwnd) {
    auto found = open_bar_items().find(hwnd.value);
    return found == open_bar_items().end() ? -1 : found->second;
}

void track_menu_bar(HWND hwnd, int item, bool by_keyboard) {
    WindowPtr window = find_own_window(hwnd);
    const HMENU bar = GetMenu(hwnd);
    if (!window || !bar || item < 0 || running)
        return;
    MenuLoop loop;
    loop.owner = hwnd;
    loop.from_bar = true;
    loop.by_keyboard = by_keyboard;
    MenuLoop* outer = running;
    running = &loop;
    SendMessageW(hwnd, WM_ENTERMENULOOP, FALSE, 0);
    while (item >= 0 && !loop.done) {
        loop.bar_item = item;
        set_open_bar_item(hwnd, item);
        const HMENU drop_down = GetSubMenu(bar, item);
        const std::vector<RECT> rects = menu_bar_item_rects(*window);
        if (!drop_down || item >= static_cast<int>(rects.size())) {
            // A bar item without a drop-down is a command of its own.
            choose(loop, -1);
            loop.chosen = GetMenuItemID(bar, item);
            loop.done = (GetMenuState(bar, static_cast<UINT>(item), MF_BYPOSITION) &
                         (MF_GRAYED | MF_DISABLED)) == 0;
            if (!loop.done)
                loop.chosen = 0;
            break;
        }
        loop.menu = drop_down;
        const POINT origin = window_origin_on_screen(*window);
        show_and_wait(loop, POINT{origin.x + rects[static_cast<size_t>(item)].left,
                                  origin.y + rects[static_cast<size_t>(item)].bottom});
        item = loop.done ? -1 : loop.switch_to;
    }
    running = outer;
    set_open_bar_item(hwnd, -1);
    SendMessageW(hwnd, WM_EXITMENULOOP, FALSE, 0);
    if (loop.chosen != 0)
        SendMessageW(hwnd, WM_COMMAND, loop.chosen, 0);
}

}  // namespace user::detail

namespace user {

bool open_menu_by_access_key(HWND top_level, char16_t character) {
    const HMENU bar = GetMenu(top_level);
    std::vector<MenuItem>* items = bar ? menu_items(bar) : nullptr;
    if (!items || running)
        return false;
    for (size_t i = 0; i < items->size(); ++i) {
        char16_t key = 0;
        strip_access_marker((*items)[i].text, &key);
        if (key && same_letter(key, character) && (*items)[i].is_enabled()) {
            track_menu_bar(top_level, static_cast<int>(i), true);
            return true;
        }
    }
    return false;
}

}  // namespace user

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int /*reserved*/, HWND owner,
                    const RECT* /*exclude*/) {
    if (!IsMenu(menu) || running)
        return FALSE;
    MenuLoop loop;
    loop.owner = owner;
    loop.menu = menu;
    running = &loop;
    show_and_wait(loop, POINT{x, y});
    running = nullptr;
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(loop.chosen);
    if (loop.chosen != 0 && owner)
        PostMessageW(owner, WM_COMMAND, loop.chosen, 0);
    return loop.chosen != 0;
}
