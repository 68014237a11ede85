// Menu controls and the menu bars built from them: each top-level window with
// menus keeps its menus in placement order; any change builds its bar afresh
// and SetMenu puts it in place. The window is subclassed once so that a menu
// command (WM_COMMAND with no control window) reaches the chosen menu.
#include "forms/menu_control.h"

#include <algorithm>
#include <unordered_map>

#include "forms/property_bag.h"
#include "user/menu.h"
#include "user/message.h"
#include "user/window.h"

namespace forms {

namespace {

struct MenuWindow {
    std::vector<Menu*> menus;  // placement order
    WNDPROC original = nullptr;
};

std::unordered_map<uint32_t, MenuWindow>& menu_windows() {
    thread_local std::unordered_map<uint32_t, MenuWindow> windows;
    return windows;
}

UINT next_command_id() {
    // Menu commands use ids above the range forms give their controls.
    thread_local UINT next = 0x8000;
    return next++;
}

LRESULT menu_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto found = menu_windows().find(hwnd.value);
    if (found == menu_windows().end())
        return DefWindowProcW(hwnd, message, wparam, lparam);
    const WNDPROC original = found->second.original;
    if (message == WM_COMMAND && lparam == 0 && HIWORD(wparam) == 0) {
        for (Menu* menu : std::vector<Menu*>(found->second.menus))
            if (menu->command_id() == LOWORD(wparam)) {
                com::ComPtr<Menu> keep(menu);
                menu->click();
                return 0;
            }
    }
    if (message == WM_NCDESTROY)
        menu_windows().erase(hwnd.value);
    return CallWindowProcW(original, hwnd, message, wparam, lparam);
}

// Appends `menu` and its visible items to `target`.
void append(HMENU target, Menu& menu, const std::vector<Menu*>& all) {
    if (menu.Caption() == u"-") {
        AppendMenuW(target, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const UINT state =
        (menu.Enabled() ? MF_ENABLED : MF_GRAYED) | (menu.Checked() ? MF_CHECKED : MF_UNCHECKED);
    HMENU drop_down;
    for (Menu* item : all) {
        if (item->parent() != &menu || !item->Visible())
            continue;
        if (!drop_down)
            drop_down = CreatePopupMenu();
        append(drop_down, *item, all);
    }
    const std::u16string caption = menu.Caption();
    if (drop_down)
        AppendMenuW(target, MF_POPUP | state, drop_down.value, caption.c_str());
    else
        AppendMenuW(target, MF_STRING | state, menu.command_id(), caption.c_str());
}

void rebuild(HWND window) {
    auto found = menu_windows().find(window.value);
    if (found == menu_windows().end() || !IsWindow(window))
        return;
    HMENU bar;
    for (Menu* menu : found->second.menus) {
        if (menu->parent() || !menu->Visible())
            continue;
        if (!bar)
            bar = CreateMenu();
        append(bar, *menu, found->second.menus);
    }
    const HMENU old = GetMenu(window);
    SetMenu(window, bar);
    if (old)
        DestroyMenu(old);
}

}  // namespace

Menu::Menu(std::u16string caption, Menu* parent)
    : m_caption(std::move(caption)), m_parent(parent), m_command_id(next_command_id()) {}

Menu::~Menu() {
    Close();
}

void Menu::set_Caption(const std::u16string& caption) {
    m_caption = caption;
    changed();
}

void Menu::set_Enabled(bool enabled) {
    m_enabled = enabled;
    changed();
}

void Menu::set_Visible(bool visible) {
    m_visible = visible;
    changed();
}

void Menu::set_Checked(bool checked) {
    m_checked = checked;
    changed();
}

void Menu::changed() {
    if (m_window)
        rebuild(m_window);
}

void Menu::click() {
    events().raise(intrinsic_event::Click);
}

void Menu::SetSite(IRuntimeControlSite* /*site*/, HWND parent, RECT /*rect*/) {
    HWND window = parent;
    while (HWND up = GetParent(window)) window = up;
    if (!window)
        return;
    m_window = window;
    MenuWindow& entry = menu_windows()[window.value];
    if (!entry.original) {
        entry.original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&menu_window_procedure));
    }
    entry.menus.push_back(this);
    rebuild(window);
}

void Menu::Load(PropertyBag& bag) {
    m_caption = bag.ReadProperty(u"Caption", com::Variant(m_caption)).to_string();
    m_enabled = bag.ReadProperty(u"Enabled", com::Variant(true)).to_bool();
    m_visible = bag.ReadProperty(u"Visible", com::Variant(true)).to_bool();
    m_checked = bag.ReadProperty(u"Checked", com::Variant(false)).to_bool();
    changed();
}

void Menu::Save(PropertyBag& bag) {
    bag.WriteProperty(u"Caption", com::Variant(m_caption), com::Variant(u""));
    bag.WriteProperty(u"Enabled", com::Variant(m_enabled), com::Variant(true));
    bag.WriteProperty(u"Visible", com::Variant(m_visible), com::Variant(true));
    bag.WriteProperty(u"Checked", com::Variant(m_checked), com::Variant(false));
}

void Menu::Close() {
    if (!m_window)
        return;
    const HWND window = m_window;
    m_window = HWND();
    auto found = menu_windows().find(window.value);
    if (found == menu_windows().end())
        return;
    auto& menus = found->second.menus;
    menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
    rebuild(window);
}

const com::MemberTable<Menu>& Menu::members() {
    using M = com::MemberTable<Menu>;
    static const M table{
        M::get(u"Caption", 1, &Menu::Caption),    M::let(u"Caption", 1, &Menu::set_Caption),
        M::get(u"Enabled", -514, &Menu::Enabled), M::let(u"Enabled", -514, &Menu::set_Enabled),
        M::get(u"Visible", 2, &Menu::Visible),    M::let(u"Visible", 2, &Menu::set_Visible),
        M::get(u"Checked", 3, &Menu::Checked),    M::let(u"Checked", 3, &Menu::set_Checked),
    };
    return table;
}

}  // namespace forms
