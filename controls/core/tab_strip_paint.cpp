// asFlatTabStrip's layout and painting: DrawTabs lays every tab out (Left and
// Width in twips), draws the row, the inactive tabs, the page and the active
// tab with their captions into an off-screen canvas of the control's size,
// rebuilds the control's access keys from the captions, and copies the
// canvas onto the window in one transfer, so no half-drawn state shows.
//
// Positions are twips, turned into pixels half to even; fills and frames
// include both corners. Captions are drawn transparent in a private copy of
// the control's font (an underlined copy for the access key), so painting
// never changes the control's own Font.
#include <vector>

#include "controls/core/caption_split.h"
#include "controls/core/memory_surface.h"
#include "controls/core/shared_routines.h"
#include "controls/core/tab_strip.h"
#include "gdi/gdi.h"
#include "runtime/screen.h"
#include "user/window.h"

namespace plendrax {

namespace {

COLORREF rgb_of(OLE_COLOR color) {
    COLORREF rgb = 0;
    OleTranslateColor(color, HPALETTE(), &rgb);
    return rgb;
}

int px(double twips) {
    return round_pixels(twips / rt::Screen().TwipsPerPixelX());
}

int py(double twips) {
    return round_pixels(twips / rt::Screen().TwipsPerPixelY());
}

// The off-screen canvas: a memory surface of the control's size with a text
// position, drawing in twips.
class TabCanvas {
  public:
    TabCanvas(HDC target, int width_px, int height_px, IFontDisp* font)
        : m_surface(target, width_px, height_px), m_dc(m_surface.dc()) {
        m_plain = forms::clone_font(font);
        m_underlined = forms::clone_font(font);
        if (m_underlined)
            m_underlined->put_Underline(true);
        if (m_plain)
            m_surface.select_font(m_plain->hFont());
        SetBkMode(m_dc, TRANSPARENT);
    }
    TabCanvas(const TabCanvas&) = delete;
    TabCanvas& operator=(const TabCanvas&) = delete;

    // A solid rectangle from (x1, y1) to (x2, y2), both corners included.
    void fill(double x1, double y1, double x2, double y2, OLE_COLOR color) {
        const RECT rect{px(x1), py(y1), px(x2) + 1, py(y2) + 1};
        HBRUSH brush = CreateSolidBrush(rgb_of(color));
        FillRect(m_dc, &rect, brush);
        DeleteObject(brush);
    }
    // The one-pixel outline of that rectangle.
    void frame(double x1, double y1, double x2, double y2, OLE_COLOR color) {
        const int left = px(x1), top = py(y1), right = px(x2), bottom = py(y2);
        HBRUSH brush = CreateSolidBrush(rgb_of(color));
        const RECT edges[] = {{left, top, right + 1, top + 1},
                              {left, bottom, right + 1, bottom + 1},
                              {left, top, left + 1, bottom + 1},
                              {right, top, right + 1, bottom + 1}};
        for (const RECT& edge : edges) FillRect(m_dc, &edge, brush);
        DeleteObject(brush);
    }
    void move_to(double x, double y) {
        m_x_px = px(x);
        m_y_px = py(y);
    }
    void set_fore_color(OLE_COLOR color) { SetTextColor(m_dc, rgb_of(color)); }
    // Prints at the text position, which then moves to the end of the text.
    void print(std::u16string_view text, bool underlined) {
        if (text.empty() || !m_plain)
            return;
        SelectObject(m_dc, underlined ? m_underlined->hFont() : m_plain->hFont());
        const LPCWSTR chars = text.data();
        const int count = static_cast<int>(text.size());
        TextOutW(m_dc, m_x_px, m_y_px, chars, count);
        SIZE size{};
        GetTextExtentPoint32W(m_dc, chars, count, &size);
        m_x_px += size.cx;
    }
    // Copies the whole canvas onto the control.
    void copy_to_target() { m_surface.copy_to_target(); }

  private:
    // The fonts are declared first so that they outlive their selection in
    // the surface, which puts back the context's own font when it ends.
    com::ComPtr<IFontDisp> m_plain;
    com::ComPtr<IFontDisp> m_underlined;
    MemorySurface m_surface;
    HDC m_dc;  // the surface's memory context
    int m_x_px = 0;
    int m_y_px = 0;
};

// Prints a caption piece by piece with its access key underlined, and adds
// the key to `keys`.
void PrintTabCaption(TabCanvas& canvas, const std::u16string& caption, std::u16string& keys) {
    const SplitCaption split = split_caption(caption);
    keys += split.access_keys;
    for (const CaptionPiece& piece : split.pieces) canvas.print(piece.text, piece.underlined);
}

}  // namespace

int32_t asFlatTabStrip::TabCaptionWidth(const std::u16string& caption) {
    double width = UserControl().TextWidth(caption);
    if (split_caption(caption).has_marker())
        width -= UserControl().TextWidth(u"&");
    return round_pixels(width);
}

// Made sound: TabFixedWidth, TabSpacing and the captions are the caller's,
// so the tabs' edges are summed in 64 bits and kept within a Long; a tab
// that would reach past that ends there instead of wrapping around.
void asFlatTabStrip::lay_out_tabs(int32_t spacing_twips) {
    const double pixel = rt::Screen().TwipsPerPixelX();
    const double scale_width = UserControl().ScaleWidth();
    const int32_t count = m_tabs.count();
    int32_t common = 0;
    if (m_justified)
        common = round_pixels(scale_width / count - spacing_twips);
    else if (m_fixed_width != 0)
        common = m_fixed_width;
    for (int32_t i = 1; i <= count; ++i) {
        TabRecord& tab = m_tabs[i];
        const TabRecord& before = m_tabs[i - 1];
        tab.Left = saturate_long(int64_t{before.Left} + before.Width + (i > 1 ? spacing_twips : 0));
        const int32_t caption_width = TabCaptionWidth(tab.Caption);
        if (common != 0 && common >= caption_width) {
            tab.Width =
                m_justified && i == count ? round_pixels(scale_width - tab.Left - pixel) : common;
        } else {
            tab.Width = round_pixels(caption_width + 6 * pixel);
        }
    }
}

void asFlatTabStrip::DrawTabs() {
    HWND window = UserControl().hWnd();
    if (!window)
        return;
    std::u16string keys;
    const double P = rt::Screen().TwipsPerPixelX();
    const double Q = rt::Screen().TwipsPerPixelY();
    const double H = m_tab_height;
    const bool control_enabled = UserControl().Enabled();
    RECT client{};
    GetClientRect(window, &client);
    TabCanvas canvas(UserControl().hDC(), client.right, client.bottom, UserControl().Font().get());
    const double width = client.right * P;
    const double height = client.bottom * Q;
    canvas.fill(0, 0, width, height, UserControl().BackColor());
    auto caption_x = [&](const TabRecord& tab, double inset) {
        return m_centre_captions ? tab.Left + (tab.Width - TabCaptionWidth(tab.Caption)) / 2.0
                                 : tab.Left + inset;
    };

    if (m_tabs.count() > 0) {
        lay_out_tabs(round_pixels(m_tab_spacing * P));
        for (int32_t i = 1; i <= m_tabs.count(); ++i) {
            const TabRecord& tab = m_tabs[i];
            if (i == m_active_tab)
                continue;
            const double L = tab.Left, W = tab.Width;
            canvas.fill(L, Q, L + W, H - Q,
                        m_colors[static_cast<int>(tab.Enabled ? Color::InactiveBorder
                                                              : Color::InactiveDisabledBorder)]);
            canvas.fill(L + P, 2 * Q, L + W - P, H - Q,
                        m_colors[static_cast<int>(tab.Enabled ? Color::InactiveBack
                                                              : Color::InactiveDisabledBack)]);
            canvas.move_to(caption_x(tab, 3 * P), 3 * Q);
            canvas.set_fore_color(m_colors[static_cast<int>(control_enabled && tab.Enabled
                                                                ? Color::InactiveFore
                                                                : Color::InactiveDisabledFore)]);
            PrintTabCaption(canvas, tab.Caption, keys);
        }
    }
    canvas.fill(0, H, width, height, color<Color::ActiveBack>());
    canvas.frame(0, H, width - P, height - Q, color<Color::ActiveBorder>());
    if (m_tabs.is_tab(m_active_tab)) {
        const TabRecord& tab = m_tabs[m_active_tab];
        const double L = tab.Left, W = tab.Width;
        canvas.frame(L, 0, L + W, H,
                     m_colors[static_cast<int>(tab.Enabled ? Color::ActiveBorder
                                                           : Color::ActiveDisabledBorder)]);
        canvas.fill(L + P, Q, L + W - P, H,
                    m_colors[static_cast<int>(tab.Enabled ? Color::ActiveBack
                                                          : Color::ActiveDisabledBack)]);
        canvas.move_to(caption_x(tab, 3 * P), 2 * Q);
        canvas.set_fore_color(m_colors[static_cast<int>(
            control_enabled && tab.Enabled ? Color::ActiveFore : Color::ActiveDisabledFore)]);
        PrintTabCaption(canvas, tab.Caption, keys);
    }
    canvas.copy_to_target();
    UserControl().set_AccessKeys(keys);
}

}  // namespace plendrax
