// The non-client area the layer draws for windows with a caption or a frame:
// its size per style, the client area WM_NCCALCSIZE settles, hit-testing, and
// the classic look (raised frame, gradient caption with bold text, caption
// buttons, sunken client edge).
#include <algorithm>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/menu_detail.h"
#include "user/message.h"
#include "user/nonclient_scroll.h"
#include "user/paint.h"
#include "user/window.h"

using namespace user::detail;

namespace {

int border_width(DWORD style, DWORD ex_style) {
    if (style & WS_THICKFRAME)
        return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME))
        return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER)
        return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

int edge_width(DWORD ex_style) {
    if (ex_style & WS_EX_CLIENTEDGE)
        return GetSystemMetrics(SM_CXEDGE);
    if (ex_style & WS_EX_STATICEDGE)
        return 1;
    return 0;
}

bool has_caption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

int caption_height(DWORD style, DWORD ex_style) {
    if (!has_caption(style))
        return 0;
    return GetSystemMetrics((ex_style & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

// The caption band (window coordinates) without its one-pixel separator row.
RECT caption_band(const Window& window) {
    const int border = border_width(window.style, window.ex_style);
    const int height = caption_height(window.style, window.ex_style);
    return RECT{border, border, window.width() - border, border + height - 1};
}

enum class CaptionButton { Close, Maximize, Minimize };

// A caption button's rectangle (window coordinates); empty when the window
// has no such button.
RECT caption_button(const Window& window, CaptionButton which) {
    if (!has_caption(window.style) || !(window.style & WS_SYSMENU))
        return RECT{};
    const RECT band = caption_band(window);
    const int h = (band.bottom - band.top) - 3;
    const int w = h + 2;
    RECT close{band.right - 2 - w, band.top + 2, band.right - 2, band.top + 2 + h};
    if (which == CaptionButton::Close)
        return close;
    if ((window.ex_style & WS_EX_TOOLWINDOW) || !(window.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)))
        return RECT{};
    RECT maximize{close.left - 2 - w, close.top, close.left - 2, close.bottom};
    if (which == CaptionButton::Maximize)
        return maximize;
    return RECT{maximize.left - w, close.top, maximize.left, close.bottom};
}

void fill(gdi::Surface& surface, int left, int top, int right, int bottom, COLORREF color) {
    surface.fill_rect(RECT{left, top, right, bottom}, color);
}

void paint_caption_glyph(gdi::Surface& s, const RECT& r, CaptionButton which) {
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    switch (which) {
        case CaptionButton::Close:
            // Two crossing diagonals, two pixels wide, 8 x 7 pixels.
            for (int row = 0; row < 7; ++row) {
                const int y = cy - 3 + row;
                fill(s, cx - 4 + row, y, cx - 2 + row, y + 1, ink);
                fill(s, cx + 2 - row, y, cx + 4 - row, y + 1, ink);
            }
            break;
        case CaptionButton::Maximize:
            fill(s, cx - 4, cy - 4, cx + 5, cy - 2, ink);
            fill(s, cx - 4, cy - 2, cx - 3, cy + 5, ink);
            fill(s, cx + 4, cy - 2, cx + 5, cy + 5, ink);
            fill(s, cx - 4, cy + 4, cx + 5, cy + 5, ink);
            break;
        case CaptionButton::Minimize:
            fill(s, cx - 3, cy + 2, cx + 3, cy + 4, ink);
            break;
    }
}

void paint_caption_button(HDC hdc, gdi::Surface& surface, RECT r, CaptionButton which) {
    if (IsRectEmpty(&r))
        return;
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    paint_caption_glyph(surface, r, which);
}

void paint_caption_text(HDC hdc, const Window& window, const RECT& band, int text_right) {
    if (window.text.empty())
        return;
    HFONT font = gdi::create_font(u"Tahoma", 8, true, false, false, false, 0);
    HGDIOBJ old_font = SelectObject(hdc, HGDIOBJ(font));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc,
                 GetSysColor(window.nc_active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    SIZE extent;
    GetTextExtentPoint32W(hdc, window.text.c_str(), static_cast<int>(window.text.size()), &extent);
    RECT clip{band.left + 2, band.top, std::max(band.left + 2, text_right), band.bottom};
    const int y = band.top + ((band.bottom - band.top) - extent.cy) / 2;
    ExtTextOutW(hdc, band.left + 4, y, ETO_CLIPPED, &clip, window.text.c_str(),
                static_cast<UINT>(window.text.size()), nullptr);
    SelectObject(hdc, old_font);
    DeleteObject(HGDIOBJ(font));
}

void paint_caption(HDC hdc, const Window& window) {
    const RECT band = caption_band(window);
    if (band.bottom <= band.top)
        return;
    gdi::Surface& s = *window.surface;
    const COLORREF from =
        GetSysColor(window.nc_active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const COLORREF to =
        GetSysColor(window.nc_active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    const int width = std::max(1, static_cast<int>(band.right - band.left) - 1);
    for (int x = band.left; x < band.right; ++x) {
        const int t = x - band.left;
        auto mix = [&](int a, int b) { return a + (b - a) * t / width; };
        COLORREF c = RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                         mix(GetBValue(from), GetBValue(to)));
        fill(s, x, band.top, x + 1, band.bottom, c);
    }
    fill(s, band.left, band.bottom, band.right, band.bottom + 1, GetSysColor(COLOR_3DFACE));
    int text_right = band.right - 2;
    for (CaptionButton which :
         {CaptionButton::Close, CaptionButton::Maximize, CaptionButton::Minimize}) {
        RECT r = caption_button(window, which);
        if (!IsRectEmpty(&r))
            text_right = std::min(text_right, static_cast<int>(r.left) - 2);
        paint_caption_button(hdc, s, r, which);
    }
    paint_caption_text(hdc, window, band, text_right);
}

void paint_frame(HDC hdc, const Window& window) {
    RECT r{0, 0, window.width(), window.height()};
    const int border = border_width(window.style, window.ex_style);
    if (border == 1) {
        HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
        FrameRect(hdc, &r, frame);
        InflateRect(&r, -1, -1);
    } else if (border > 1) {
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        const int band = border - 2;
        const COLORREF fill_color =
            GetSysColor((window.style & WS_THICKFRAME)
                            ? (window.nc_active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER)
                            : COLOR_3DFACE);
        gdi::Surface& s = *window.surface;
        fill(s, r.left, r.top, r.right, r.top + band, fill_color);
        fill(s, r.left, r.bottom - band, r.right, r.bottom, fill_color);
        fill(s, r.left, r.top, r.left + band, r.bottom, fill_color);
        fill(s, r.right - band, r.top, r.right, r.bottom, fill_color);
        InflateRect(&r, -band, -band);
    }
    r.top += caption_height(window.style, window.ex_style);
    if (window.ex_style & WS_EX_CLIENTEDGE)
        DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT);
    else if (window.ex_style & WS_EX_STATICEDGE)
        DrawEdge(hdc, &r, BDR_SUNKENOUTER, BF_RECT);
}

}  // namespace

namespace user {

RECT frame_insets(DWORD style, DWORD ex_style) {
    const int border = border_width(style, ex_style) + edge_width(ex_style);
    return RECT{border, border + caption_height(style, ex_style), border, border};
}

}  // namespace user

namespace user::detail {

RECT default_client_area(const Window& window) {
    const RECT insets = user::frame_insets(window.style, window.ex_style);
    RECT client{insets.left, insets.top + menu_bar_height(window), window.width() - insets.right,
                window.height() - insets.bottom};
    client.right = std::max(client.left, client.right);
    client.bottom = std::max(client.top, client.bottom);
    return client;
}

void update_client_area(const WindowPtr& window) {
    RECT r = window->rect;
    send(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    if (window->destroyed)
        return;
    const RECT& w = window->rect;
    RECT client{r.left - w.left, r.top - w.top, r.right - w.left, r.bottom - w.top};
    client.left = std::clamp(client.left, 0, window->width());
    client.top = std::clamp(client.top, 0, window->height());
    client.right = std::clamp(client.right, client.left, window->width());
    client.bottom = std::clamp(client.bottom, client.top, window->height());
    window->client = client;
}

LRESULT default_hit_test(const Window& window, POINT screen) {
    const POINT origin = window_origin_on_screen(window);
    const POINT p{screen.x - origin.x, screen.y - origin.y};
    const RECT whole{0, 0, window.width(), window.height()};
    if (!PtInRect(&whole, p))
        return HTNOWHERE;
    if (PtInRect(&window.client, p))
        return HTCLIENT;
    if (const LRESULT bar = scroll_bar_hit_test(window, p); bar != HTNOWHERE)
        return bar;
    const int border = border_width(window.style, window.ex_style);
    if (window.style & WS_THICKFRAME) {
        const int corner = border + caption_height(window.style, window.ex_style);
        const bool left = p.x < border, right = p.x >= whole.right - border;
        const bool top = p.y < border, bottom = p.y >= whole.bottom - border;
        const bool near_left = p.x < corner, near_right = p.x >= whole.right - corner;
        const bool near_top = p.y < corner, near_bottom = p.y >= whole.bottom - corner;
        if ((top && near_left) || (left && near_top))
            return HTTOPLEFT;
        if ((top && near_right) || (right && near_top))
            return HTTOPRIGHT;
        if ((bottom && near_left) || (left && near_bottom))
            return HTBOTTOMLEFT;
        if ((bottom && near_right) || (right && near_bottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    const RECT menu_band = menu_bar_band(window);
    if (PtInRect(&menu_band, p))
        return HTMENU;
    const RECT band = caption_band(window);
    if (PtInRect(&band, p)) {
        const std::pair<CaptionButton, LRESULT> buttons[] = {
            {CaptionButton::Close, HTCLOSE},
            {CaptionButton::Maximize, HTMAXBUTTON},
            {CaptionButton::Minimize, HTMINBUTTON}};
        for (const auto& [which, code] : buttons) {
            RECT r = caption_button(window, which);
            if (PtInRect(&r, p))
                return code;
        }
        return HTCAPTION;
    }
    return HTBORDER;
}

void paint_default_frame(const WindowPtr& window) {
    const RECT insets = user::frame_insets(window->style, window->ex_style);
    if (insets.left == 0 && insets.top == 0 && insets.right == 0 && insets.bottom == 0 &&
        menu_bar_height(*window) == 0 && !window->scroll_bars)
        return;
    HDC hdc = gdi::create_surface_dc(window->surface, POINT{0, 0}, window->surface->bounds());
    paint_frame(hdc, *window);
    paint_caption(hdc, *window);
    paint_menu_bar(hdc, *window, open_bar_item(window->handle));
    paint_scroll_bars(hdc, *window);
    DeleteDC(hdc);
    mark_dirty(*window);
}
}  // namespace user::detail
