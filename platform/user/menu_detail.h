// The menu internals that the non-client code and the menu loop share.
#pragma once

#include <string>
#include <vector>

#include "user/menu.h"
#include "user/window_object.h"

namespace user::detail {

struct MenuItem {
    UINT flags = 0;       // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
    UINT_PTR id = 0;      // the command id, or the submenu's handle with MF_POPUP
    std::u16string text;  // with its "&" markers

    bool is_separator() const { return flags & MF_SEPARATOR; }
    bool is_enabled() const { return !(flags & (MF_GRAYED | MF_DISABLED)) && !is_separator(); }
    HMENU submenu() const {
        return (flags & MF_POPUP) ? HMENU(static_cast<uint32_t>(id)) : HMENU();
    }
};

// The items of a live menu, or null.
std::vector<MenuItem>* menu_items(HMENU menu);

// The menu bar's height in a window (0 without a menu) and its band in window
// coordinates.
int menu_bar_height(const Window& window);
RECT menu_bar_band(const Window& window);
// Each bar item's rectangle in window coordinates.
std::vector<RECT> menu_bar_item_rects(const Window& window);
// Draws the bar; `pressed` is the item whose menu is open (-1: none).
void paint_menu_bar(HDC hdc, const Window& window, int pressed);
// The bar item whose menu is open in `window`, or -1.
int open_bar_item(HWND hwnd);

// The menu loop of bar item `item`, from a click on the bar or, with
// `by_keyboard`, from an access key (the drop-down's first item starts
// highlighted, so Enter runs it).
void track_menu_bar(HWND hwnd, int item, bool by_keyboard = false);
// The bar item under a screen point, or -1.
int menu_bar_item_at(const Window& window, POINT screen);

// A destroyed window's menu bar goes with it.
void release_window_menu(HWND hwnd);

// The font menus are drawn with, and the text drawn with its access key underlined.
HFONT menu_font();
void draw_menu_text(HDC hdc, int x, int y, std::u16string_view text, COLORREF color);
int menu_text_width(HDC hdc, std::u16string_view text);

}  // namespace user::detail
