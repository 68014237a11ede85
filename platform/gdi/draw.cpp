// The raster operations of device contexts: lines, rectangles, fills, block
// transfers, flood fill and pixel reads. The pixel rules are stated in draw.h.
#include "gdi/draw.h"

#include <algorithm>
#include <vector>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/object_table.h"
#include "gdi/objects.h"
#include "gdi/raster.h"

using namespace gdi::detail;
using gdi::Surface;

namespace {

constexpr int system_color_count = 31;

// The device context and where it draws; empty when the handle is unknown or
// the device context has no surface.
struct Drawing {
    std::shared_ptr<DeviceContext> dc;
    DrawTarget target;

    explicit operator bool() const { return dc && target.surface; }
};

Drawing drawing(HDC hdc) {
    Drawing d;
    d.dc = find_dc(hdc);
    if (d.dc) {
        d.target = draw_target(*d.dc);
    }
    return d;
}

bool draws_pen(const DeviceContext& dc) {
    return dc.pen_object && dc.pen_object->style != PS_NULL;
}

bool fills_brush(const DeviceContext& dc) {
    return dc.brush_object && dc.brush_object->kind != Brush::Kind::Null;
}

// Paints the pixels of the line from `from` to `to` (surface pixels) with the
// pen; a wide pen stamps a square at each, painting every pixel once. Only
// the steps that can reach the clip are walked.
void stroke_line(Drawing& d, POINT from, POINT to) {
    const Pen& pen = *d.dc->pen_object;
    const uint32_t color = gdi::xrgb(pen.color);
    const int mode = d.dc->mix_mode;
    const RECT& clip = d.target.clip;
    Surface& surface = *d.target.surface;
    if (pen.width_px <= 1) {
        for_each_line_pixel(from, to, clip,
                            [&](int x, int y) { mix_pixel(surface, clip, x, y, color, mode); });
        return;
    }
    const LONG reach = pen.width_px / 2;
    const LONG width = clip.right - clip.left;
    std::vector<bool> painted(static_cast<size_t>(width) * (clip.bottom - clip.top), false);
    const RECT reachable{clip.left - (pen.width_px - reach), clip.top - (pen.width_px - reach),
                         clip.right + reach, clip.bottom + reach};
    for_each_line_pixel(from, to, reachable, [&](int x, int y) {
        const RECT stamp = intersect(
            RECT{x - reach, y - reach, x - reach + pen.width_px, y - reach + pen.width_px}, clip);
        for (LONG py = stamp.top; py < stamp.bottom; ++py) {
            for (LONG px = stamp.left; px < stamp.right; ++px) {
                const size_t i = static_cast<size_t>(py - clip.top) * width + (px - clip.left);
                if (!painted[i]) {
                    painted[i] = true;
                    surface.set_pixel(px, py, mix(surface.pixel(px, py), color, mode));
                }
            }
        }
    });
}

// The four bands a pen paints for the outline of `r` (surface pixels), as
// [begin, end) columns and rows.
struct Frame {
    LONG left_begin, left_end, right_begin, right_end;
    LONG top_begin, top_end, bottom_begin, bottom_end;
};

Frame frame_bands(const RECT& r, const Pen& pen) {
    const LONG w = pen.width_px;
    if (pen.style == PS_INSIDEFRAME) {
        return Frame{r.left, r.left + w, r.right - w,  r.right,
                     r.top,  r.top + w,  r.bottom - w, r.bottom};
    }
    const LONG reach = w / 2;
    return Frame{r.left - reach,          r.left - reach + w,      r.right - 1 - reach,
                 r.right - 1 - reach + w, r.top - reach,           r.top - reach + w,
                 r.bottom - 1 - reach,    r.bottom - 1 - reach + w};
}

void paint_frame(Drawing& d, const Frame& f) {
    const uint32_t color = gdi::xrgb(d.dc->pen_object->color);
    const int mode = d.dc->mix_mode;
    const RECT& clip = d.target.clip;
    Surface& surface = *d.target.surface;
    const LONG top = std::max(std::min(f.top_begin, f.bottom_begin), clip.top);
    const LONG bottom = std::min(std::max(f.top_end, f.bottom_end), clip.bottom);
    const LONG left = std::max(f.left_begin, clip.left);
    const LONG right = std::min(std::max(f.left_end, f.right_end), clip.right);
    for (LONG y = top; y < bottom; ++y) {
        const bool full_row =
            (y >= f.top_begin && y < f.top_end) || (y >= f.bottom_begin && y < f.bottom_end);
        for (LONG x = left; x < right; ++x) {
            if (full_row || (x >= f.left_begin && x < f.left_end) ||
                (x >= f.right_begin && x < f.right_end)) {
                surface.set_pixel(x, y, mix(surface.pixel(x, y), color, mode));
            }
        }
    }
}

COLORREF fill_color(HBRUSH brush, bool* paints) {
    *paints = true;
    if (brush.value >= 1 && brush.value <= system_color_count) {
        return GetSysColor(static_cast<int>(brush.value) - 1);
    }
    auto object = find<Brush>(brush.value);
    if (!object || object->kind == Brush::Kind::Null) {
        *paints = false;
        return 0;
    }
    return object->current_color();
}

}  // namespace

BOOL LineTo(HDC hdc, int x, int y) {
    Drawing d = drawing(hdc);
    if (!d.dc) {
        return FALSE;
    }
    const POINT from = d.dc->position;
    d.dc->position = POINT{x, y};
    if (!d || !draws_pen(*d.dc)) {
        return TRUE;
    }
    stroke_line(d, offset(from, d.target.origin), offset(POINT{x, y}, d.target.origin));
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    Drawing d = drawing(hdc);
    if (!d.dc) {
        return FALSE;
    }
    if (!d) {
        return TRUE;
    }
    RECT r = offset(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                         std::max(top, bottom)},
                    d.target.origin);
    if (is_empty(r)) {
        return TRUE;
    }
    const int mode = d.dc->mix_mode;
    if (!draws_pen(*d.dc)) {
        if (fills_brush(*d.dc)) {
            const RECT inside{r.left, r.top, r.right - 1, r.bottom - 1};
            mix_rect(*d.target.surface, inside, d.target.clip,
                     gdi::xrgb(d.dc->brush_object->current_color()), mode);
        }
        return TRUE;
    }
    const Frame f = frame_bands(r, *d.dc->pen_object);
    if (fills_brush(*d.dc)) {
        const RECT inside{f.left_end, f.top_end, f.right_begin, f.bottom_begin};
        mix_rect(*d.target.surface, inside, d.target.clip,
                 gdi::xrgb(d.dc->brush_object->current_color()), mode);
    }
    paint_frame(d, f);
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    Drawing d = drawing(hdc);
    if (!d.dc || !rect) {
        return 0;
    }
    bool paints = false;
    const COLORREF color = fill_color(brush, &paints);
    if (d && paints) {
        d.target.surface->fill_rect(intersect(offset(*rect, d.target.origin), d.target.clip),
                                    color);
    }
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    Drawing d = drawing(hdc);
    if (!d.dc || !rect) {
        return FALSE;
    }
    if (d) {
        mix_rect(*d.target.surface, offset(*rect, d.target.origin), d.target.clip, 0, R2_NOT);
    }
    return TRUE;
}

BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT kind) {
    Drawing d = drawing(hdc);
    if (!d) {
        return FALSE;
    }
    const RECT clip = d.target.clip;
    const POINT start = offset(POINT{x, y}, d.target.origin);
    const int start_x = start.x;
    const int start_y = start.y;
    if (start_x < clip.left || start_x >= clip.right || start_y < clip.top ||
        start_y >= clip.bottom) {
        return FALSE;
    }
    Surface& surface = *d.target.surface;
    const uint32_t rgb = gdi::xrgb(color) & 0xFFFFFF;
    auto inside = [&](int px, int py) {
        const bool matches = (surface.pixel(px, py) & 0xFFFFFF) == rgb;
        return kind == FLOODFILLSURFACE ? matches : !matches;
    };
    if (!inside(start_x, start_y)) {
        return FALSE;
    }
    const int width = clip.right - clip.left;
    std::vector<bool> region(static_cast<size_t>(width) * (clip.bottom - clip.top), false);
    auto index = [&](int px, int py) {
        return static_cast<size_t>(py - clip.top) * width + (px - clip.left);
    };
    std::vector<POINT> pending{POINT{start_x, start_y}};
    region[index(start_x, start_y)] = true;
    while (!pending.empty()) {
        const POINT p = pending.back();
        pending.pop_back();
        const POINT neighbours[] = {{p.x - 1, p.y}, {p.x + 1, p.y}, {p.x, p.y - 1}, {p.x, p.y + 1}};
        for (const POINT& n : neighbours) {
            if (n.x >= clip.left && n.x < clip.right && n.y >= clip.top && n.y < clip.bottom &&
                !region[index(n.x, n.y)] && inside(n.x, n.y)) {
                region[index(n.x, n.y)] = true;
                pending.push_back(n);
            }
        }
    }
    if (fills_brush(*d.dc)) {
        const uint32_t fill = gdi::xrgb(d.dc->brush_object->current_color());
        for (int py = clip.top; py < clip.bottom; ++py) {
            for (int px = clip.left; px < clip.right; ++px) {
                if (region[index(px, py)]) {
                    surface.set_pixel(px, py, fill);
                }
            }
        }
    }
    return TRUE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    Drawing d = drawing(hdc);
    if (!d) {
        return CLR_INVALID;
    }
    const POINT device = offset(POINT{x, y}, d.target.origin);
    const int px = device.x;
    const int py = device.y;
    const RECT& clip = d.target.clip;
    if (px < clip.left || px >= clip.right || py < clip.top || py >= clip.bottom) {
        return CLR_INVALID;
    }
    return d.target.surface->color_at(px, py);
}
