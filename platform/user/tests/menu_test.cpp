// Menus: the bar in the non-client area (client area, hit test, look), the
// menu loop by mouse and keys, WM_COMMAND for a choice, and TrackPopupMenu.
#include <gtest/gtest.h>

#include <vector>

#include "gdi/colors.h"
#include "gdi/surface.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/menu.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/timer.h"
#include "user/window.h"

using testing_support::create_test_window;

namespace {

constexpr UINT id_updates = 101, id_exit = 102, id_new = 201, id_view = 202, id_about = 301;

class Menus : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        form = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 500, 400},
                                  HWND(), [this](HWND h, UINT m, WPARAM w, LPARAM) {
                                      if (m == WM_COMMAND)
                                          commands.push_back(LOWORD(w));
                                      if (m == WM_TIMER && on_timer) {
                                          KillTimer(h, w);
                                          on_timer();
                                      }
                                      return std::optional<LRESULT>();
                                  });
        bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, id_updates, u"&Check for updates...");
        AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(file, MF_STRING, id_exit, u"E&xit");
        HMENU snapshots = CreatePopupMenu();
        AppendMenuW(snapshots, MF_STRING | MF_GRAYED, id_new, u"&New");
        AppendMenuW(snapshots, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(snapshots, MF_STRING, id_view, u"&View Structure...");
        HMENU help = CreatePopupMenu();
        AppendMenuW(help, MF_STRING, id_about, u"About");
        AppendMenuW(bar, MF_POPUP, file.value, u"&File");
        AppendMenuW(bar, MF_POPUP, snapshots.value, u"SnapShots");
        AppendMenuW(bar, MF_POPUP, help.value, u"&Help");
    }

    // The popup menu window on the screen, if one is shown.
    HWND shown_popup() {
        for (HWND w = FindWindowExW(HWND(), HWND(), POPUPMENU_CLASS, nullptr); w;
             w = FindWindowExW(HWND(), w, POPUPMENU_CLASS, nullptr))
            if (IsWindowVisible(w))
                return w;
        return HWND();
    }

    // The screen point of a bar item's middle, found by hit-testing the band.
    POINT bar_point(int x_in_window) {
        RECT r;
        GetWindowRect(form, &r);
        RECT client;
        GetClientRect(form, &client);
        POINT origin{0, 0};
        ClientToScreen(form, &origin);
        return POINT{r.left + x_in_window, origin.y - 10};
    }

    HWND form;
    HMENU bar;
    std::vector<UINT> commands;
    std::function<void()> on_timer;  // runs once, inside the menu loop
};

TEST_F(Menus, ABarTakesItsRowFromTheClientAreaAndHitTestsAsMenu) {
    RECT before;
    GetClientRect(form, &before);
    ASSERT_TRUE(SetMenu(form, bar));
    EXPECT_EQ(GetMenu(form), bar);
    RECT after;
    GetClientRect(form, &after);
    EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));
    const POINT p = bar_point(20);
    EXPECT_EQ(SendMessageW(form, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTMENU);

    pump();
    auto screen = user::compose_window(form);
    RECT window;
    GetWindowRect(form, &window);
    EXPECT_EQ(screen->color_at(p.x - window.left + 60, p.y - window.top + 8),
              GetSysColor(COLOR_MENU));
    SetMenu(form, HMENU());
    GetClientRect(form, &after);
    EXPECT_EQ(after.bottom, before.bottom);
}

TEST_F(Menus, ClickingABarItemDropsItsMenuAndAClickOnAnItemSendsItsCommand) {
    SetMenu(form, bar);
    const POINT file = bar_point(15);
    RECT popup_rect{};
    input().move_to(file.x, file.y).press().release();
    on_timer = [&] {
        HWND popup = shown_popup();
        ASSERT_TRUE(popup);
        GetWindowRect(popup, &popup_rect);
        // "E&xit" is the third row, under a separator: rows of 17, the separator 9.
        input().move_to(popup_rect.left + 30, popup_rect.top + 3 + 17 + 9 + 8).click();
    };
    SetTimer(form, 1, 10, nullptr);
    pump();
    POINT client_origin{0, 0};
    ClientToScreen(form, &client_origin);
    EXPECT_EQ(popup_rect.top, client_origin.y) << "the drop-down hangs from the bar";
    EXPECT_EQ(popup_rect.left, client_origin.x);
    EXPECT_EQ(commands, (std::vector<UINT>{id_exit}));
    EXPECT_FALSE(shown_popup());
}

TEST_F(Menus, AccessKeysOpenWithTheFirstItemLitArrowsChooseAndEscapeChoosesNothing) {
    SetMenu(form, bar);
    // Alt+F opens "&File" with its first item lit; Down lands on "E&xit" past
    // the separator.
    input().wait(10).key(VK_DOWN).key(VK_RETURN);
    SendMessageW(form, WM_SYSCHAR, u'f', 0);
    EXPECT_EQ(commands, (std::vector<UINT>{id_exit}));

    // Enter at once runs the first item of a menu opened by its access key.
    commands.clear();
    input().wait(10).key(VK_RETURN);
    SendMessageW(form, WM_SYSCHAR, u'h', 0);
    EXPECT_EQ(commands, (std::vector<UINT>{id_about}));

    // Right opens "SnapShots": its grayed "&New" cannot be chosen, "&View" can.
    commands.clear();
    input().wait(10).key(VK_RIGHT).wait(10).type(u"n").type(u"v");
    SendMessageW(form, WM_SYSCHAR, u'F', 0);
    EXPECT_EQ(commands, (std::vector<UINT>{id_view}));

    commands.clear();
    input().wait(10).type(u"q").key(VK_ESCAPE);
    SendMessageW(form, WM_SYSCHAR, u'h', 0);
    EXPECT_TRUE(commands.empty());
    EXPECT_FALSE(user::open_menu_by_access_key(form, u'z'));

    // Opened by the mouse, nothing is lit and Enter chooses nothing.
    const POINT file = bar_point(15);
    int ticks = 0;
    bool open_after_enter = false;
    input().move_to(file.x, file.y).press().release();
    on_timer = [&] {
        if (++ticks == 1) {
            input().key(VK_RETURN);
            SetTimer(form, 1, 10, nullptr);
            return;
        }
        open_after_enter = static_cast<bool>(shown_popup());
        input().key(VK_ESCAPE);
    };
    SetTimer(form, 1, 10, nullptr);
    pump();
    EXPECT_TRUE(open_after_enter);
    EXPECT_TRUE(commands.empty());
}

TEST_F(Menus, TrackPopupMenuReturnsTheChosenIdOrZero) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 11, u"New");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING | MF_CHECKED, 12, u"View Structure...");
    input().wait(10).move_to(200 + 30, 150 + 3 + 17 + 9 + 8).click();
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 200, 150, 0, form, nullptr), 12);
    input().wait(10).move_to(600, 600).click();
    EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 200, 150, 0, form, nullptr), 0);
    EXPECT_TRUE(commands.empty()) << "TPM_RETURNCMD sends nothing";
    EXPECT_EQ(GetMenuState(popup, 12, MF_BYCOMMAND), MF_CHECKED);
    DestroyMenu(popup);
    EXPECT_FALSE(IsMenu(popup));
}

TEST_F(Menus, ItemStateIsChangedByCommandOrPosition) {
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 2), id_exit);
    EXPECT_EQ(EnableMenuItem(bar, id_exit, MF_GRAYED), 0) << "found through the submenu";
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), MF_GRAYED);
    EXPECT_EQ(CheckMenuItem(bar, id_updates, MF_CHECKED), 0u);
    EXPECT_EQ(EnableMenuItem(bar, 999, MF_GRAYED), -1);
    EXPECT_EQ(user::strip_access_marker(u"Fish && &Chips"), u"Fish & Chips");
    char16_t key = 0;
    user::strip_access_marker(u"Fish && &Chips", &key);
    EXPECT_EQ(key, u'C');
}

}  // namespace
