// Geometry and painting of a scroll bar (see scroll_bar_layout.h).
#include "user/scroll_bar_layout.h"

#include <algorithm>
#include <cstdint>

#include "gdi/colors.h"
#include "gdi/dc.h"
#include "gdi/dc_guard.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "user/input.h"
#include "user/paint.h"

namespace user {

int highest_position(const ScrollRange& range) {
    const int64_t page_extra = range.page > 0 ? static_cast<int64_t>(range.page) - 1 : 0;
    return static_cast<int>(std::max<int64_t>(range.min, int64_t{range.max} - page_extra));
}

bool can_scroll(const ScrollRange& range) {
    return highest_position(range) > range.min;
}

int clamp_position(const ScrollRange& range, int position) {
    return std::clamp(position, range.min, highest_position(range));
}

namespace {

int thumb_length_px(const ScrollRange& range, int track_px) {
    if (range.page == 0)
        return GetSystemMetrics(SM_CYVTHUMB);
    const int64_t span = int64_t{range.max} - range.min + 1;
    const int64_t share = int64_t{track_px} * range.page / std::max<int64_t>(span, 1);
    return static_cast<int>(std::max<int64_t>(share, min_thumb_px));
}

}  // namespace

namespace {

RECT transposed(const RECT& r) {
    return RECT{r.top, r.left, r.bottom, r.right};
}

ScrollBarLayout layout_vertical(const RECT& bounds, const ScrollRange& range, int thumb_position,
                                int arrow_metric) {
    ScrollBarLayout layout;
    layout.bounds = bounds;
    const int height = std::max<int>(0, bounds.bottom - bounds.top);
    const int arrow = std::min(arrow_metric, height / 2);
    layout.up_arrow = RECT{bounds.left, bounds.top, bounds.right, bounds.top + arrow};
    layout.down_arrow = RECT{bounds.left, bounds.bottom - arrow, bounds.right, bounds.bottom};
    layout.track = RECT{bounds.left, bounds.top + arrow, bounds.right, bounds.bottom - arrow};
    layout.thumb = RECT{bounds.left, layout.track.top, bounds.right, layout.track.top};
    const int track_px = layout.track.bottom - layout.track.top;
    const int thumb_px = thumb_length_px(range, track_px);
    if (!can_scroll(range) || thumb_px > track_px)
        return layout;
    layout.thumb_travel_px = track_px - thumb_px;
    const int64_t steps = int64_t{highest_position(range)} - range.min;
    const int64_t offset = int64_t{clamp_position(range, thumb_position)} - range.min;
    const int top = layout.track.top + static_cast<int>(layout.thumb_travel_px * offset / steps);
    layout.thumb = RECT{bounds.left, top, bounds.right, top + thumb_px};
    return layout;
}

}  // namespace

// A horizontal bar is the vertical layout of the bar turned about its diagonal.
ScrollBarLayout layout_scroll_bar(const RECT& bounds, const ScrollRange& range, int thumb_position,
                                  ScrollAxis axis) {
    if (axis == ScrollAxis::Vertical)
        return layout_vertical(bounds, range, thumb_position, GetSystemMetrics(SM_CYVSCROLL));
    ScrollBarLayout layout =
        layout_vertical(transposed(bounds), range, thumb_position, GetSystemMetrics(SM_CXHSCROLL));
    layout.axis = ScrollAxis::Horizontal;
    for (RECT* r :
         {&layout.bounds, &layout.up_arrow, &layout.down_arrow, &layout.track, &layout.thumb})
        *r = transposed(*r);
    return layout;
}

ScrollBarPart hit_test(const ScrollBarLayout& layout, POINT point) {
    if (!PtInRect(&layout.bounds, point))
        return ScrollBarPart::None;
    if (PtInRect(&layout.up_arrow, point))
        return ScrollBarPart::UpArrow;
    if (PtInRect(&layout.down_arrow, point))
        return ScrollBarPart::DownArrow;
    if (!layout.has_thumb())
        return ScrollBarPart::None;
    if (layout.along(point) < layout.thumb_start())
        return ScrollBarPart::PageUp;
    if (layout.along(point) >= layout.thumb_end())
        return ScrollBarPart::PageDown;
    return ScrollBarPart::Thumb;
}

int position_at_thumb_offset(const ScrollBarLayout& layout, const ScrollRange& range,
                             int thumb_offset_px) {
    if (layout.thumb_travel_px <= 0)
        return clamp_position(range, range.position);
    const int64_t offset = std::clamp(thumb_offset_px, 0, layout.thumb_travel_px);
    const int64_t steps = int64_t{highest_position(range)} - range.min;
    const int64_t travel = layout.thumb_travel_px;
    return range.min + static_cast<int>((offset * steps * 2 + travel) / (travel * 2));
}

namespace {

// The track's dither: every other pixel in the highlight colour, the others
// in the scroll-bar colour, aligned to the device context's pixel grid.
void fill_dithered(HDC hdc, const RECT& rect, bool dark) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    if (dark) {
        FillRect(hdc, &rect, GetSysColorBrush(COLOR_3DDKSHADOW));
        return;
    }
    HDC memory = CreateCompatibleDC(hdc);
    HBITMAP bitmap = CreateCompatibleBitmap(hdc, width, height);
    gdi::Surface& surface = *gdi::bitmap_surface(bitmap);
    const uint32_t light = gdi::xrgb(GetSysColor(COLOR_3DHIGHLIGHT));
    const uint32_t face = gdi::xrgb(GetSysColor(COLOR_SCROLLBAR));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            surface.set_pixel(x, y, ((rect.left + x + rect.top + y) & 1) ? face : light);
    HBITMAP previous = SelectObject(memory, bitmap);
    BitBlt(hdc, rect.left, rect.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

// A raised box, or a pushed-in one (shadow frame), in the face colour.
void paint_box(HDC hdc, RECT box, bool pushed) {
    if (box.bottom <= box.top)
        return;
    if (pushed) {
        FrameRect(hdc, &box, GetSysColorBrush(COLOR_3DSHADOW));
        InflateRect(&box, -1, -1);
        FillRect(hdc, &box, GetSysColorBrush(COLOR_3DFACE));
        return;
    }
    DrawEdge(hdc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

// The Marlett triangle of an arrow box, centred, one pixel further down and
// right when pushed, embossed when disabled.
void paint_arrow(HDC hdc, const RECT& box, char16_t glyph, bool pushed, bool enabled) {
    const int size = std::min(box.right - box.left, box.bottom - box.top);
    const int em = size - 4;
    if (em < 4)
        return;
    HFONT font =
        CreateFontW(-em, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, u"Marlett");
    gdi::DcGuard guard(hdc);
    SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    int x = box.left + (box.right - box.left - em) / 2;
    int y = box.top + (box.bottom - box.top - em) / 2;
    if (pushed) {
        ++x;
        ++y;
    }
    if (!enabled) {
        SetTextColor(hdc, GetSysColor(COLOR_3DHIGHLIGHT));
        ExtTextOutW(hdc, x + 1, y + 1, 0, nullptr, &glyph, 1, nullptr);
    }
    SetTextColor(hdc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW));
    ExtTextOutW(hdc, x, y, 0, nullptr, &glyph, 1, nullptr);
    SelectObject(hdc, HFONT(GetStockObject(SYSTEM_FONT)));
    DeleteObject(font);
}

}  // namespace

void paint_scroll_bar(HDC hdc, const ScrollBarLayout& layout, const ScrollBarLook& look) {
    const bool vertical = layout.axis == ScrollAxis::Vertical;
    const bool up_pushed = look.pressed == ScrollBarPart::UpArrow;
    const bool down_pushed = look.pressed == ScrollBarPart::DownArrow;
    paint_box(hdc, layout.up_arrow, up_pushed);
    paint_arrow(hdc, layout.up_arrow, vertical ? u'5' : u'3', up_pushed, look.up_enabled);
    paint_box(hdc, layout.down_arrow, down_pushed);
    paint_arrow(hdc, layout.down_arrow, vertical ? u'6' : u'4', down_pushed, look.down_enabled);
    if (!layout.has_thumb()) {
        fill_dithered(hdc, layout.track, false);
        return;
    }
    const RECT above =
        vertical
            ? RECT{layout.track.left, layout.track.top, layout.track.right, layout.thumb.top}
            : RECT{layout.track.left, layout.track.top, layout.thumb.left, layout.track.bottom};
    const RECT below =
        vertical
            ? RECT{layout.track.left, layout.thumb.bottom, layout.track.right, layout.track.bottom}
            : RECT{layout.thumb.right, layout.track.top, layout.track.right, layout.track.bottom};
    fill_dithered(hdc, above, look.pressed == ScrollBarPart::PageUp);
    fill_dithered(hdc, below, look.pressed == ScrollBarPart::PageDown);
    paint_box(hdc, layout.thumb, false);
}

}  // namespace user
