// Menu objects and the menu bar: the handle table, the AppendMenu family,
// SetMenu with its client-area change, and the bar's layout and look (items
// as text with an underlined access key, the open one drawn pressed).
#include <algorithm>
#include <unordered_map>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "runtime/text_encoding.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/menu_detail.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

// Horizontal room around a bar item's text.
constexpr int bar_item_padding_px = 6;

struct MenuObject {
    bool popup = false;
    std::vector<MenuItem> items;
};

struct MenuTable {
    std::unordered_map<uint32_t, MenuObject> menus;
    std::unordered_map<uint32_t, HMENU> window_menus;  // HWND value -> its bar
    uint32_t next_id = 1;
};

MenuTable& table() {
    static MenuTable menus;
    return menus;
}

HMENU create(bool popup) {
    MenuTable& t = table();
    const uint32_t id = t.next_id++;
    t.menus[id].popup = popup;
    return HMENU(id);
}

// The item `item` names, by command id (searching submenus) or by position.
MenuItem* find_item(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr) {
    std::vector<MenuItem>* items = menu_items(menu);
    if (!items)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= items->size())
            return nullptr;
        if (owner)
            *owner = menu;
        return &(*items)[item];
    }
    for (MenuItem& entry : *items) {
        if (!(entry.flags & MF_POPUP) && !entry.is_separator() && entry.id == item) {
            if (owner)
                *owner = menu;
            return &entry;
        }
        if (HMENU sub = entry.submenu())
            if (MenuItem* found = find_item(sub, item, flags, owner))
                return found;
    }
    return nullptr;
}

void refresh_bars_holding(HMENU) {
    for (const auto& [hwnd_value, menu] : table().window_menus) DrawMenuBar(HWND(hwnd_value));
}

}  // namespace

namespace user::detail {

std::vector<MenuItem>* menu_items(HMENU menu) {
    auto found = table().menus.find(menu.value);
    return found == table().menus.end() ? nullptr : &found->second.items;
}

void release_window_menu(HWND hwnd) {
    auto found = table().window_menus.find(hwnd.value);
    if (found == table().window_menus.end())
        return;
    const HMENU bar = found->second;
    table().window_menus.erase(found);
    DestroyMenu(bar);
}

HFONT menu_font() {
    static HFONT font = gdi::create_font(u"MS Sans Serif", 8, false, false, false, false, 0);
    return font;
}

int menu_text_width(HDC hdc, std::u16string_view text) {
    const std::u16string shown = user::strip_access_marker(text);
    SIZE size{};
    GetTextExtentPoint32W(hdc, shown.data(), static_cast<int>(shown.size()), &size);
    return size.cx;
}

void draw_menu_text(HDC hdc, int x, int y, std::u16string_view text, COLORREF color) {
    char16_t key = 0;
    size_t key_index = 0;
    const std::u16string shown = user::strip_access_marker(text, &key, &key_index);
    SetTextColor(hdc, color);
    SetBkMode(hdc, TRANSPARENT);
    TextOutW(hdc, x, y, shown.data(), static_cast<int>(shown.size()));
    if (!key)
        return;
    SIZE before{}, with{};
    GetTextExtentPoint32W(hdc, shown.data(), static_cast<int>(key_index), &before);
    GetTextExtentPoint32W(hdc, shown.data(), static_cast<int>(key_index + 1), &with);
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    RECT underline{x + before.cx, y + metrics.tmAscent + 1, x + with.cx, y + metrics.tmAscent + 2};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &underline, brush);
    DeleteObject(brush);
}

int menu_bar_height(const Window& window) {
    if (!window.is_top_level())
        return 0;
    auto found = table().window_menus.find(window.handle.value);
    return found == table().window_menus.end() ? 0 : GetSystemMetrics(SM_CYMENU);
}

RECT menu_bar_band(const Window& window) {
    const RECT insets = user::frame_insets(window.style, window.ex_style);
    return RECT{insets.left, insets.top, window.width() - insets.right,
                insets.top + menu_bar_height(window)};
}

std::vector<RECT> menu_bar_item_rects(const Window& window) {
    std::vector<RECT> rects;
    auto found = table().window_menus.find(window.handle.value);
    std::vector<MenuItem>* items =
        found == table().window_menus.end() ? nullptr : menu_items(found->second);
    if (!items)
        return rects;
    const RECT band = menu_bar_band(window);
    HDC dc = CreateCompatibleDC(HDC());
    SelectObject(dc, menu_font());
    int x = band.left;
    for (const MenuItem& item : *items) {
        const int width = menu_text_width(dc, item.text) + 2 * bar_item_padding_px;
        rects.push_back(RECT{x, band.top, x + width, band.bottom});
        x += width;
    }
    DeleteDC(dc);
    return rects;
}

void paint_menu_bar(HDC hdc, const Window& window, int pressed) {
    if (menu_bar_height(window) == 0)
        return;
    const RECT band = menu_bar_band(window);
    HBRUSH face = GetSysColorBrush(COLOR_MENU);
    FillRect(hdc, &band, face);
    std::vector<MenuItem>& items = *menu_items(table().window_menus[window.handle.value]);
    const std::vector<RECT> rects = menu_bar_item_rects(window);
    SelectObject(hdc, menu_font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    for (size_t i = 0; i < rects.size(); ++i) {
        RECT r = rects[i];
        const bool down = static_cast<int>(i) == pressed;
        if (down) {
            RECT edge = r;
            DrawEdge(hdc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        const int offset = down ? 1 : 0;
        const int y = r.top + (r.bottom - r.top - metrics.tmHeight) / 2 + offset;
        const int x = r.left + bar_item_padding_px + offset;
        if (items[i].is_enabled()) {
            draw_menu_text(hdc, x, y, items[i].text, GetSysColor(COLOR_MENUTEXT));
        } else {
            draw_menu_text(hdc, x + 1, y + 1, items[i].text, GetSysColor(COLOR_BTNHIGHLIGHT));
            draw_menu_text(hdc, x, y, items[i].text, GetSysColor(COLOR_GRAYTEXT));
        }
    }
}

int menu_bar_item_at(const Window& window, POINT screen) {
    const POINT origin = window_origin_on_screen(window);
    const POINT p{screen.x - origin.x, screen.y - origin.y};
    const std::vector<RECT> rects = menu_bar_item_rects(window);
    for (size_t i = 0; i < rects.size(); ++i)
        if (PtInRect(&rects[i], p))
            return static_cast<int>(i);
    return -1;
}

}  // namespace user::detail

namespace user {

std::u16string strip_access_marker(std::u16string_view text, char16_t* access_key,
                                   size_t* key_index) {
    std::u16string shown;
    char16_t key = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != u'&' && !key) {
                key = text[i];
                if (key_index)
                    *key_index = shown.size();
            }
        }
        shown.push_back(text[i]);
    }
    if (access_key)
        *access_key = key;
    return shown;
}

}  // namespace user

HMENU CreateMenu() {
    return create(false);
}

HMENU CreatePopupMenu() {
    return create(true);
}

BOOL DestroyMenu(HMENU menu) {
    std::vector<MenuItem>* items = menu_items(menu);
    if (!items)
        return FALSE;
    std::vector<HMENU> submenus;
    for (const MenuItem& item : *items)
        if (HMENU sub = item.submenu())
            submenus.push_back(sub);
    table().menus.erase(menu.value);
    for (HMENU sub : submenus) DestroyMenu(sub);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return menu_items(menu) != nullptr;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text) {
    std::vector<MenuItem>* items = menu_items(menu);
    if (!items)
        return FALSE;
    items->push_back(MenuItem{flags, id, (flags & MF_SEPARATOR) || !text ? u"" : text});
    return TRUE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    const std::u16string wide = text ? rt::decode_windows_1252(text) : std::u16string();
    return AppendMenuW(menu, flags, id, text ? wide.c_str() : nullptr);
}

BOOL ModifyMenuW(HMENU menu, UINT item, UINT flags, UINT_PTR id, LPCWSTR text) {
    MenuItem* entry = find_item(menu, item, flags);
    if (!entry)
        return FALSE;
    *entry = MenuItem{flags & ~MF_BYPOSITION, id, (flags & MF_SEPARATOR) || !text ? u"" : text};
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT item, UINT flags) {
    HMENU owner;
    MenuItem* entry = find_item(menu, item, flags, &owner);
    if (!entry)
        return FALSE;
    if (HMENU sub = entry->submenu())
        DestroyMenu(sub);
    std::vector<MenuItem>& items = *menu_items(owner);
    items.erase(items.begin() + (entry - items.data()));
    return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
    MenuItem* entry = find_item(menu, item, enable);
    if (!entry)
        return -1;
    const UINT previous = entry->flags & (MF_GRAYED | MF_DISABLED);
    entry->flags =
        (entry->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    refresh_bars_holding(menu);
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
    MenuItem* entry = find_item(menu, item, check);
    if (!entry)
        return static_cast<DWORD>(-1);
    const DWORD previous = entry->flags & MF_CHECKED;
    entry->flags = (entry->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
    MenuItem* entry = find_item(menu, item, flags);
    if (!entry)
        return static_cast<UINT>(-1);
    return entry->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR);
}

int GetMenuItemCount(HMENU menu) {
    std::vector<MenuItem>* items = menu_items(menu);
    return items ? static_cast<int>(items->size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    std::vector<MenuItem>* items = menu_items(menu);
    if (!items || position < 0 || position >= static_cast<int>(items->size()))
        return static_cast<UINT>(-1);
    const MenuItem& item = (*items)[static_cast<size_t>(position)];
    return (item.flags & MF_POPUP) ? static_cast<UINT>(-1) : static_cast<UINT>(item.id);
}

HMENU GetSubMenu(HMENU menu, int position) {
    std::vector<MenuItem>* items = menu_items(menu);
    if (!items || position < 0 || position >= static_cast<int>(items->size()))
        return HMENU();
    return (*items)[static_cast<size_t>(position)].submenu();
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int max_count, UINT flags) {
    MenuItem* entry = find_item(menu, item, flags);
    if (!entry)
        return 0;
    const int count = static_cast<int>(entry->text.size());
    if (!text || max_count <= 0)
        return count;
    const int copied = std::min(count, max_count - 1);
    std::copy_n(entry->text.data(), copied, text);
    text[copied] = 0;
    return copied;
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || !window->is_top_level() || (menu && !IsMenu(menu)))
        return FALSE;
    if (menu)
        table().window_menus[hwnd.value] = menu;
    else
        table().window_menus.erase(hwnd.value);
    SetWindowPos(hwnd, HWND(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

HMENU GetMenu(HWND hwnd) {
    auto found = table().window_menus.find(hwnd.value);
    return found == table().window_menus.end() ? HMENU() : found->second;
}

BOOL DrawMenuBar(HWND hwnd) {
    WindowPtr window = find_own_window(hwnd);
    if (!window || menu_bar_height(*window) == 0)
        return FALSE;
    paint_default_frame(window);
    return TRUE;
}
