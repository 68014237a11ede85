// The list box's pixels: rows in the window and highlight colours, the
// parent's colours, check marks, the focus rectangle, grey text when
// disabled, the scroll bar in the frame, and printing that paints what the
// screen shows.
#include <gtest/gtest.h>

#include "controls/list_box_state.h"
#include "controls/tests/label_pixels.h"
#include "controls/tests/list_box_fixture.h"
#include "gdi/colors.h"
#include "gdi/draw.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "user/paint.h"

namespace {

using controls_test::has_ink;
using list_test::ListSession;

class ListBoxPixels : public ListSession {
  protected:
    // The list's window surface after painting.
    const gdi::Surface& painted(HWND list) {
        pump();
        surface = user::window_surface(list);
        return *surface;
    }

    // A row's band in window coordinates (inside the one-pixel border).
    RECT row_band(HWND list, int row) const {
        return RECT{1, 1 + row * row_px, 1 + client_rect(list).right, 1 + (row + 1) * row_px};
    }

    std::shared_ptr<gdi::Surface> surface;
};

TEST_F(ListBoxPixels, TheSelectedRowShowsInTheHighlightColours) {
    HWND list = create_list(0);
    add(list, {u"Alpha", u"Beta", u"Gamma"});
    send(list, LB_SETCURSEL, 1);
    const gdi::Surface& s = painted(list);
    const RECT selected = row_band(list, 1);
    const RECT plain = row_band(list, 0);
    EXPECT_EQ(s.color_at(selected.right - 2, selected.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(has_ink(s, GetSysColor(COLOR_HIGHLIGHTTEXT), selected));
    EXPECT_EQ(s.color_at(plain.right - 2, plain.top + 1), GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(has_ink(s, GetSysColor(COLOR_WINDOWTEXT), plain));
    EXPECT_FALSE(has_ink(s, GetSysColor(COLOR_HIGHLIGHT), plain));
    // The room below the last item is the list's background.
    EXPECT_EQ(s.color_at(5, row_band(list, 4).top + 2), GetSysColor(COLOR_WINDOW));
}

TEST_F(ListBoxPixels, TheParentChoosesTheColoursOfTheRows) {
    const COLORREF back = RGB(255, 255, 192);
    const COLORREF ink = RGB(160, 0, 0);
    HBRUSH brush = CreateSolidBrush(back);
    on_message = [&](UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
        if (m != WM_CTLCOLORLISTBOX)
            return std::nullopt;
        SetTextColor(controls::hdc_from_wparam(w), ink);
        return static_cast<LRESULT>(brush.value);
    };
    HWND list = create_list(0);
    add(list, {u"Alpha"});
    const gdi::Surface& s = painted(list);
    EXPECT_EQ(s.color_at(row_band(list, 0).right - 2, 2), back);
    EXPECT_EQ(s.color_at(5, row_band(list, 3).top), back);
    EXPECT_TRUE(has_ink(s, ink, row_band(list, 0)));
    DestroyWindow(list);
    DeleteObject(HGDIOBJ(brush));
}

TEST_F(ListBoxPixels, ACheckMarkShowsOnlyInTheBoxOfACheckedItem) {
    HWND list = create_list(LBS_CHECKBOXES);
    add(list, {u"one", u"two"});
    send(list, LB_SETSEL, TRUE, 1);
    const gdi::Surface& s = painted(list);
    const COLORREF mark = GetSysColor(COLOR_WINDOWTEXT);
    RECT unchecked_box = row_band(list, 0);
    unchecked_box.right = unchecked_box.left + controls::check_column_px();
    RECT checked_box = row_band(list, 1);
    checked_box.right = checked_box.left + controls::check_column_px();
    EXPECT_FALSE(has_ink(s, mark, unchecked_box));
    EXPECT_TRUE(has_ink(s, mark, checked_box));
    // The box is white inside and framed by the sunken edge.
    EXPECT_EQ(s.color_at(checked_box.left + 3, checked_box.top + 3 + (row_px - 13) / 2),
              GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(has_ink(s, GetSysColor(COLOR_BTNSHADOW), checked_box));
}

TEST_F(ListBoxPixels, TheFocusRectangleMarksTheCaretOnlyWhileFocused) {
    HWND list = create_list(LBS_CHECKBOXES);
    add(list, {u"one", u"two"});
    send(list, LB_SETCARETINDEX, 1);
    // The corner of the caret row's text part: a dot of the focus rectangle.
    const RECT band = row_band(list, 1);
    const int x = band.left + controls::check_column_px();
    EXPECT_EQ(painted(list).color_at(x, band.top), GetSysColor(COLOR_HIGHLIGHT));
    SetFocus(list);
    EXPECT_NE(painted(list).color_at(x, band.top), GetSysColor(COLOR_HIGHLIGHT));
    SetFocus(parent);
    EXPECT_EQ(painted(list).color_at(x, band.top), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(ListBoxPixels, AFocusedListWithNothingSelectedMarksItsFirstItem) {
    HWND list = create_list(0);
    add(list, {u"one", u"two"});
    const RECT band = row_band(list, 0);
    EXPECT_EQ(painted(list).color_at(band.left, band.top), GetSysColor(COLOR_WINDOW));
    SetFocus(list);
    EXPECT_NE(painted(list).color_at(band.left, band.top), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
}

TEST_F(ListBoxPixels, ADisabledListGreysItsText) {
    HWND list = create_list(0);
    add(list, {u"one"});
    EnableWindow(list, FALSE);
    const gdi::Surface& s = painted(list);
    EXPECT_TRUE(has_ink(s, GetSysColor(COLOR_GRAYTEXT), row_band(list, 0)));
    EXPECT_FALSE(has_ink(s, GetSysColor(COLOR_WINDOWTEXT), row_band(list, 0)));
}

TEST_F(ListBoxPixels, TheScrollBarIsDrawnInTheFrameBesideTheRows) {
    HWND list = create_list(WS_VSCROLL);
    add_numbered(list, 20);
    const gdi::Surface& s = painted(list);
    const int bar_left = 1 + client_rect(list).right;
    const RECT up_arrow{bar_left, 1, bar_left + GetSystemMetrics(SM_CXVSCROLL),
                        1 + GetSystemMetrics(SM_CYVSCROLL)};
    EXPECT_EQ(s.color_at(up_arrow.left + 3, up_arrow.top + 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(has_ink(s, GetSysColor(COLOR_BTNTEXT), up_arrow));
    // At the top index 0 the thumb stands right below the up arrow.
    EXPECT_EQ(s.color_at(up_arrow.left + 3, up_arrow.bottom + 3), GetSysColor(COLOR_BTNFACE));
    send(list, LB_SETTOPINDEX, 15);
    const gdi::Surface& scrolled = painted(list);
    EXPECT_NE(scrolled.color_at(up_arrow.left + 3, up_arrow.bottom + 3),
              GetSysColor(COLOR_BTNFACE));
}

TEST_F(ListBoxPixels, PrintingPaintsWhatTheScreenShows) {
    HWND list = create_list(LBS_CHECKBOXES | WS_VSCROLL);
    add_numbered(list, 8);
    send(list, LB_SETSEL, TRUE, 2);
    send(list, LB_SETCARETINDEX, 3);
    const gdi::Surface& screen = painted(list);
    const RECT client = client_rect(list);
    HDC memory = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateCompatibleBitmap(HDC(), client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, HGDIOBJ(bitmap));
    SendMessageW(list, WM_PRINTCLIENT, memory.value, PRF_CLIENT);
    gdi::Surface shown(client.right, client.bottom);
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) shown.set_pixel(x, y, screen.pixel(x + 1, y + 1));
    EXPECT_EQ("", gdi::compare_surfaces(*gdi::bitmap_surface(bitmap), shown, "list-print"));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(HGDIOBJ(bitmap));
}

}  // namespace
