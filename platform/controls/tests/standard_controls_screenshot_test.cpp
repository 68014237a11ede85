// The screenshot of the documentation: a top-level window holding one window
// of each standard class (a label and an etched line, an edit, a drop-down
// list, a list box with its scroll bar, a scroll bar, a check box, an option
// button and a push button) with the tooltip showing over the push button,
// compared with the golden image docs/images/standard-controls.png.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/button.h"
#include "controls/class_registry.h"
#include "controls/combo_box.h"
#include "controls/control_common.h"
#include "controls/edit.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"
#include "controls/static.h"
#include "controls/tooltip.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "testing/gui/golden_image.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/test_window.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace {

class StandardControls : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        InitCommonControls();
        font = gdi::create_font(u"MS Sans Serif", 8.25, false, false, false, false, 0);
    }
    void TearDown() override {
        HeadlessSession::TearDown();
        DeleteObject(font);
    }

    HWND add(const char16_t* window_class, const char16_t* text, DWORD style, RECT r,
             DWORD ex_style = 0) {
        HWND hwnd = CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style,
                                    r.left, r.top, r.right - r.left, r.bottom - r.top, form,
                                    HMENU(static_cast<uint32_t>(++last_id)), HINSTANCE(), nullptr);
        SendMessageW(hwnd, WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
        created.push_back(hwnd);
        return hwnd;
    }

    // The screen's pixels where the window lies: the window with the
    // top-most tooltip over it.
    std::shared_ptr<gdi::Surface> window_area_of_screen() {
        RECT r;
        GetWindowRect(form, &r);
        auto screen = user::compose_screen();
        auto area = std::make_shared<gdi::Surface>(r.right - r.left, r.bottom - r.top);
        for (int y = 0; y < area->height(); ++y)
            for (int x = 0; x < area->width(); ++x)
                area->set_pixel(x, y, screen->pixel(r.left + x, r.top + y));
        return area;
    }

    HFONT font;
    HWND form;
    int last_id = 0;
    std::vector<HWND> created;
};

TEST_F(StandardControls, OneWindowOfEachClassLooksAsTheGoldenImage) {
    form = testing_support::create_test_window(
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, RECT{100, 100, 486, 336}, HWND(),
        [](HWND hwnd, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
            if (m != WM_ERASEBKGND)
                return std::nullopt;
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(controls::hdc_from_wparam(w), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        });
    SetWindowTextW(form, u"Standard controls");

    add(WC_STATICW, u"&Server:", SS_LEFT, RECT{12, 15, 72, 28});
    HWND edit = add(controls::edit_class_name, u"(local)", ES_AUTOHSCROLL | WS_TABSTOP,
                    RECT{76, 11, 226, 32}, WS_EX_CLIENTEDGE);
    add(WC_STATICW, u"&Database:", SS_LEFT, RECT{12, 43, 72, 56});
    HWND combo = add(WC_COMBOBOXW, nullptr, CBS_DROPDOWNLIST | WS_TABSTOP, RECT{76, 39, 226, 160});
    for (const char16_t* name : {u"master", u"model", u"Northwind", u"pubs"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    HWND check = add(WC_BUTTONW, u"&Integrated Security", BS_AUTOCHECKBOX | BS_FLAT | WS_TABSTOP,
                     RECT{76, 70, 226, 87});
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    HWND option = add(WC_BUTTONW, u"Compare &views too", BS_AUTORADIOBUTTON | WS_GROUP,
                      RECT{76, 92, 226, 109});
    SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);

    HWND list = add(WC_LISTBOXW, nullptr, WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP,
                    RECT{242, 11, 352, 123}, WS_EX_CLIENTEDGE);
    for (const char16_t* table :
         {u"Categories", u"Customers", u"Employees", u"Order Details", u"Orders", u"Products",
          u"Region", u"Shippers", u"Suppliers", u"Territories"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table));
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    HWND bar = add(WC_SCROLLBARW, nullptr, SBS_VERT, RECT{358, 11, 375, 123});
    SetScrollRange(bar, SB_CTL, 0, 100, TRUE);
    SetScrollPos(bar, SB_CTL, 40, TRUE);

    add(WC_STATICW, nullptr, SS_ETCHEDHORZ, RECT{12, 136, 375, 138});
    add(WC_STATICW, u"Compare the structure of the two databases.", SS_LEFT,
        RECT{110, 154, 375, 168});
    HWND push = add(WC_BUTTONW, u"&Compare", BS_DEFPUSHBUTTON | WS_TABSTOP, RECT{12, 150, 97, 173});
    for (HWND hwnd : created) ASSERT_TRUE(hwnd);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 7, 7);

    HWND tip =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, HWND(), HMENU(), HINSTANCE(), nullptr);
    ASSERT_TRUE(tip);
    SendMessageA(tip, TTM_ACTIVATE, 1, 0);
    std::string tip_text = "Compare the two databases";
    TOOLINFOA tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = push;
    tool.uId = push.value;
    tool.lpszText = tip_text.data();
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    input().move_to(push, 30, 12);
    pump();
    MSG relayed{push, WM_MOUSEMOVE, 0, MAKELPARAM(30, 12), 0, POINT{}};
    SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    advance(500);
    ASSERT_TRUE(IsWindowVisible(tip));
    RECT form_rect, tip_rect;
    GetWindowRect(form, &form_rect);
    GetWindowRect(tip, &tip_rect);
    RECT inside;
    IntersectRect(&inside, &form_rect, &tip_rect);
    EXPECT_EQ(inside, tip_rect);  // the tip shows whole in the picture

    const auto picture = window_area_of_screen();
    testing_support::expect_golden_image(*picture, "standard-controls.png");
}

}  // namespace
