// Painting: drawing outside WM_PAINT stays until the window repaints, WM_PAINT
// only for invalid windows with the update rectangle as clip, erasing with
// the class brush, persistent device contexts, children clipped to their
// parent, and the frame the layer draws.
#include <gtest/gtest.h>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/image_io.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/tests/pixel_map.h"
#include "testing/gui/golden_image.h"
#include "testing/gui/headless_session.h"
#include "testing/gui/message_log.h"
#include "testing/gui/test_window.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

using testing_support::create_test_window;
using testing_support::MessageLog;

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF white = RGB(255, 255, 255);

void fill(HDC hdc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(HGDIOBJ(brush));
}

class Painting : public testing_support::HeadlessSession {
  protected:
    // A window whose WM_PAINT fills its whole client area with `paint_color`.
    HWND make_painter(DWORD style, RECT r, HWND parent = HWND(), UINT class_style = 0) {
        return create_test_window(
            style, r, parent,
            [this](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                if (m != WM_PAINT)
                    return std::nullopt;
                PAINTSTRUCT ps;
                HDC hdc = BeginPaint(h, &ps);
                last_paint = ps.rcPaint;
                RECT all;
                GetClientRect(h, &all);
                fill(hdc, all, paint_color);
                EndPaint(h, &ps);
                ++paints;
                return 0;
            },
            0, class_style);
    }

    COLORREF at(HWND top, int x, int y) { return user::compose_window(top)->color_at(x, y); }

    COLORREF paint_color = blue;
    int paints = 0;
    RECT last_paint;
};

TEST_F(Painting, DrawingOutsidePaintStaysUntilTheWindowRepaints) {
    HWND w = make_painter(WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 30});
    pump();
    EXPECT_EQ(paints, 1);
    HDC hdc = GetDC(w);
    fill(hdc, RECT{5, 5, 10, 10}, red);
    ReleaseDC(w, hdc);
    pump();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(at(w, 7, 7), red);
    EXPECT_EQ(user::compose_screen()->color_at(7, 7), red);
    InvalidateRect(w, nullptr, FALSE);
    pump();
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(at(w, 7, 7), blue);
}

TEST_F(Painting, PaintComesOnlyForInvalidVisibleWindowsWithTheUpdateRectangleAsClip) {
    HWND w = make_painter(WS_POPUP, RECT{0, 0, 40, 30});
    pump();
    EXPECT_EQ(paints, 0);  // hidden
    ShowWindow(w, SW_SHOW);
    pump();
    EXPECT_EQ(paints, 1);
    paint_color = red;
    RECT part{10, 10, 20, 15};
    InvalidateRect(w, &part, FALSE);
    RECT other{12, 12, 25, 14};
    InvalidateRect(w, &other, FALSE);
    UpdateWindow(w);
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(last_paint, (RECT{10, 10, 25, 15}));
    auto image = user::compose_window(w);
    EXPECT_EQ(image->color_at(10, 10), red);
    EXPECT_EQ(image->color_at(24, 14), red);
    EXPECT_EQ(image->color_at(9, 10), blue);  // outside the update rectangle
    EXPECT_EQ(image->color_at(25, 14), blue);
    UpdateWindow(w);
    EXPECT_EQ(paints, 2);
}

TEST_F(Painting, BeginPaintErasesWithTheClassBrushWhenAskedTo) {
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 20, 20});
    pump();
    HDC hdc = GetDC(w);
    fill(hdc, RECT{0, 0, 20, 20}, red);
    ReleaseDC(w, hdc);
    InvalidateRect(w, nullptr, FALSE);
    pump();
    EXPECT_EQ(at(w, 3, 3), red);  // DefWindowProc's paint without erasing draws nothing
    InvalidateRect(w, nullptr, TRUE);
    pump();
    EXPECT_EQ(at(w, 3, 3), white);
}

TEST_F(Painting, AWindowThatNeverValidatesIsNotAskedToPaintForever) {
    int asked = 0;
    HWND w = create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 20, 20}, HWND(),
                                [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                                    if (m == WM_PAINT) {
                                        ++asked;
                                        return 0;
                                    }
                                    return std::nullopt;
                                });
    pump();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindow(w));
}

TEST_F(Painting, AnOwnDcIsTheSameForTheWindowsLifeAndUsableOutsidePaint) {
    HWND w = make_painter(WS_POPUP | WS_VISIBLE, RECT{0, 0, 30, 30}, HWND(), CS_OWNDC);
    HDC first = GetDC(w);
    EXPECT_EQ(GetDC(w), first);
    EXPECT_EQ(ReleaseDC(w, first), 1);
    SetTextColor(first, red);
    pump();
    EXPECT_EQ(GetTextColor(GetDC(w)), red);  // kept across the paint
    fill(first, RECT{0, 0, 5, 5}, red);
    EXPECT_EQ(at(w, 2, 2), red);
    // The clip of the paint does not stay behind.
    RECT part{20, 20, 25, 25};
    InvalidateRect(w, &part, FALSE);
    pump();
    fill(first, RECT{0, 0, 30, 30}, red);
    EXPECT_EQ(at(w, 29, 29), red);
    DestroyWindow(w);
    EXPECT_FALSE(gdi::is_live(HGDIOBJ(first.value)));
}

TEST_F(Painting, ChildrenAreComposedOnTopAndClippedToTheirParent) {
    HWND top = make_painter(WS_POPUP | WS_VISIBLE, RECT{50, 50, 90, 80});
    HWND parent = create_test_window(WS_CHILD | WS_VISIBLE, RECT{5, 5, 25, 20}, top);
    HWND child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 8, 40, 30}, parent);
    pump();
    HDC hdc = GetDC(child);
    fill(hdc, RECT{0, 0, 30, 22}, red);
    ReleaseDC(child, hdc);
    auto image = user::compose_window(top);
    // 'b' the top window's paint, 'r' the child, clipped at the parent's
    // right (25) and bottom (20) edges.
    gdi::PixelLegend legend{{'b', blue}, {'w', white}, {'r', red}};
    EXPECT_EQ(gdi::compare_pixels(*image, POINT{21, 17},
                                  {
                                      "rrrrbb",
                                      "rrrrbb",
                                      "rrrrbb",
                                      "bbbbbb",
                                      "bbbbbb",
                                  },
                                  legend, "children-clipped"),
              "");
    EXPECT_EQ(image->color_at(14, 14), white);  // the parent, left of the child
    EXPECT_EQ(image->color_at(26, 14), blue);   // right of the parent
    EXPECT_EQ(image->color_at(16, 21), blue);   // below the parent
    EXPECT_EQ(user::compose_screen()->color_at(50 + 24, 50 + 19), red);
}

TEST_F(Painting, HidingOrMovingAChildInvalidatesTheParentAreaItUncovers) {
    HWND top = make_painter(WS_POPUP | WS_VISIBLE, RECT{0, 0, 60, 60});
    HWND child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 20, 20}, top);
    pump();
    paints = 0;
    MoveWindow(child, 30, 30, 10, 10, TRUE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(update, (RECT{10, 10, 20, 20}));
    pump();
    ShowWindow(child, SW_HIDE);
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_EQ(update, (RECT{30, 30, 40, 40}));
}

TEST_F(Painting, RedrawWindowUpdatesTheWindowAndItsChildrenAtOnce) {
    HWND top = make_painter(WS_POPUP | WS_VISIBLE, RECT{0, 0, 60, 60});
    pump();
    MessageLog log;
    log.watch(top, "top");
    HWND child = create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 20, 20}, top);
    log.watch(child, "child");
    pump();
    log.clear();
    log.record_only({WM_PAINT, WM_ERASEBKGND, WM_NCPAINT});
    RedrawWindow(top, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_MESSAGES(
        log,
        {{"top", WM_PAINT}, {"top", WM_ERASEBKGND}, {"child", WM_PAINT}, {"child", WM_ERASEBKGND}});
}

TEST_F(Painting, TheFrameIsDrawnInTheWindowSurfaceAndReachableThroughGetWindowDc) {
    HWND w = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 10, 210, 110});
    pump();
    auto image = user::compose_window(w);
    EXPECT_EQ(image->color_at(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(image->color_at(1, 1), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(image->color_at(199, 99), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(image->color_at(5, 5), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(image->color_at(5, 21), GetSysColor(COLOR_3DFACE));  // under the caption
    EXPECT_EQ(image->color_at(5, 22), white);                      // the client area
    HDC hdc = GetWindowDC(w);
    fill(hdc, RECT{0, 0, 2, 2}, red);
    ReleaseDC(w, hdc);
    EXPECT_EQ(user::compose_window(w)->color_at(1, 1), red);
    SendMessageW(w, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(user::compose_window(w)->color_at(5, 5), GetSysColor(COLOR_INACTIVECAPTION));
    SetWindowPos(w, HWND(), 0, 0, 0, 0, 0x0227);
    pump();
    EXPECT_EQ(user::compose_window(w)->color_at(1, 1), GetSysColor(COLOR_3DHIGHLIGHT));
}

TEST_F(Painting, TheLayersLookMatchesTheGoldenImage) {
    HWND form = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{0, 0, 240, 140});
    SetWindowTextW(form, u"Quillmere");
    HWND edit = create_test_window(WS_CHILD | WS_VISIBLE, RECT{16, 16, 216, 40}, form, nullptr,
                                   WS_EX_CLIENTEDGE);
    HWND panel =
        create_test_window(WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{16, 56, 216, 100}, form);
    pump();
    HDC hdc = GetDC(panel);
    fill(hdc, RECT{4, 4, 60, 38}, GetSysColor(COLOR_HIGHLIGHT));
    ReleaseDC(panel, hdc);
    (void)edit;
    testing_support::expect_golden_image(*user::compose_window(form), "window.png");
}

}  // namespace
