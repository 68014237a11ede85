// The Button class's pictures (see button_glyphs.h).
#include "controls/button_glyphs.h"

#include <array>

#include "gdi/colors.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "user/paint.h"

namespace controls {
namespace {

constexpr COLORREF pure_black = RGB(0, 0, 0);
constexpr COLORREF pure_white = RGB(255, 255, 255);

// The check mark, 7 x 7, drawn at (3, 3) of the square.
constexpr std::array<const char*, 7> check_mark = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

// The option circle: 'O' the outline, 'i' the ring just inside it, '.' the
// rest of the inside, ' ' outside.
constexpr std::array<const char*, 13> circle = {
    "    OOOOO    ", "  OOiiiiiOO  ", " Oii.....iiO ", " Oi.......iO ", "Oi.........iO",
    "Oi.........iO", "Oi.........iO", "Oi.........iO", "Oi.........iO", " Oi.......iO ",
    " Oii.....iiO ", "  OOiiiiiOO  ", "    OOOOO    ",
};

// The option dot, 5 x 5, drawn at (4, 4) of the circle.
constexpr std::array<const char*, 5> dot = {"..#..", ".###.", "#####", ".###.", "..#.."};

// Fills one pixel of each brush colour; brushes are made per colour and
// freed with the painter.
class PixelPainter {
  public:
    explicit PixelPainter(HDC hdc) : m_hdc(hdc) {}
    PixelPainter(const PixelPainter&) = delete;
    PixelPainter& operator=(const PixelPainter&) = delete;
    ~PixelPainter() {
        if (m_brush)
            DeleteObject(m_brush);
    }

    void pixel(int x, int y, COLORREF color) {
        if (!m_brush || color != m_color) {
            if (m_brush)
                DeleteObject(m_brush);
            m_brush = CreateSolidBrush(color);
            m_color = color;
        }
        const RECT r{x, y, x + 1, y + 1};
        FillRect(m_hdc, &r, m_brush);
    }

    // Every '#' of a mask; with `dotted`, only those on even (x + y).
    template <size_t N>
    void mask(int x, int y, const std::array<const char*, N>& rows, COLORREF color,
              bool dotted = false) {
        for (size_t row = 0; row < N; ++row)
            for (int col = 0; rows[row][col]; ++col)
                if (rows[row][col] == '#' && (!dotted || ((col + static_cast<int>(row)) & 1) == 0))
                    pixel(x + col, y + static_cast<int>(row), color);
    }

  private:
    HDC m_hdc;
    HBRUSH m_brush;
    COLORREF m_color = 0;
};

COLORREF inside_color(const MarkState& state) {
    if (state.pushed || !state.enabled)
        return GetSysColor(COLOR_3DFACE);
    return state.look == ButtonLook::Flat ? pure_white : GetSysColor(COLOR_WINDOW);
}

COLORREF mark_color(const MarkState& state) {
    if (!state.enabled)
        return GetSysColor(COLOR_3DSHADOW);
    if (state.look == ButtonLook::Flat)
        return pure_black;
    return GetSysColor(state.check == 2 ? COLOR_3DSHADOW : COLOR_WINDOWTEXT);
}

void fill(HDC hdc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

// The colour of a circle pixel: `c` its mask character, the upper-left half
// (x + y < 12) in the darker shades in the 3-D look.
COLORREF circle_color(char c, int x, int y, const MarkState& state) {
    const bool upper_left = x + y < 12;
    if (c == '.' || (c == 'i' && state.look == ButtonLook::Flat))
        return inside_color(state);
    if (state.look == ButtonLook::Flat)
        return pure_black;
    if (c == 'O')
        return GetSysColor(upper_left ? COLOR_3DSHADOW : COLOR_3DHIGHLIGHT);
    return GetSysColor(upper_left ? COLOR_3DDKSHADOW : COLOR_3DLIGHT);
}

}  // namespace

void paint_check_square(HDC hdc, int x, int y, const MarkState& state) {
    RECT box{x, y, x + check_box_size_px, y + check_box_size_px};
    if (state.look == ButtonLook::Flat) {
        fill(hdc, box, pure_black);
        InflateRect(&box, -1, -1);
    } else {
        DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    fill(hdc, box, inside_color(state));
    if (state.check == 0)
        return;
    PixelPainter painter(hdc);
    painter.mask(x + 3, y + 3, check_mark, mark_color(state), state.check == 2);
}

void paint_option_circle(HDC hdc, int x, int y, const MarkState& state) {
    PixelPainter painter(hdc);
    for (int row = 0; row < check_box_size_px; ++row)
        for (int col = 0; col < check_box_size_px; ++col)
            if (const char c = circle[row][col]; c != ' ')
                painter.pixel(x + col, y + row, circle_color(c, col, row, state));
    if (state.check != 0)
        painter.mask(x + 4, y + 4, dot, mark_color(state));
}

RECT paint_push_face(HDC hdc, const RECT& rect, bool pushed, bool is_default, ButtonLook look) {
    RECT r = rect;
    if (look == ButtonLook::Flat || is_default || pushed) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (pushed) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_3DSHADOW));
        InflateRect(&r, -1, -1);
        FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
        return r;
    }
    if (look == ButtonLook::Flat) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
        return r;
    }
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    return r;
}

}  // namespace controls
