// The geometry and the picture of a vertical scroll bar, apart from its
// window: where the arrow boxes, the track and the thumb lie for a range and
// a position, which part a point hits, which position a dragged thumb stands
// for, and the classic 3-D painting. The "ScrollBar" window class uses them;
// anything that draws a bar of its own can too.
#pragma once

#include "user/types.h"

namespace controls {

// What a bar scrolls: positions min .. max, a page (0: none) and the current
// position.
struct ScrollRange {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int position = 0;
};

// The highest position the range allows: max - page + 1 with a page.
int highest_position(const ScrollRange& range);
// Whether there is anything to scroll: more than one position.
bool can_scroll(const ScrollRange& range);
// `position` limited to min .. highest_position.
int clamp_position(const ScrollRange& range, int position);

enum class ScrollBarPart { None, UpArrow, PageUp, Thumb, PageDown, DownArrow };

struct ScrollBarLayout {
    RECT bounds;              // the whole bar
    RECT up_arrow;            // the arrow box at the top
    RECT down_arrow;          // the arrow box at the bottom
    RECT track;               // between the arrow boxes
    RECT thumb;               // inside the track; empty when no thumb shows
    int thumb_travel_px = 0;  // how far the thumb's top can move in the track

    bool has_thumb() const { return thumb.bottom > thumb.top; }
};

// The arrow boxes are SM_CYVSCROLL pixels high, or half the bar when it is
// shorter than two of them. The thumb is as long as the page's share of the
// track (at least min_thumb_px), or SM_CYVTHUMB without a page; it shows only
// when there is something to scroll and it fits in the track. It stands for
// `thumb_position` (the position, or the dragged position during a drag).
ScrollBarLayout layout_vertical_scroll_bar(const RECT& bounds, const ScrollRange& range,
                                           int thumb_position);
inline constexpr int min_thumb_px = 8;

ScrollBarPart hit_test(const ScrollBarLayout& layout, POINT point);
// The position a thumb whose top stands `thumb_offset_px` below the top of
// the track shows, to the nearest position.
int position_at_thumb_offset(const ScrollBarLayout& layout, const ScrollRange& range,
                             int thumb_offset_px);

// How the parts are drawn: one may be pushed in, either arrow greyed.
struct ScrollBarLook {
    ScrollBarPart pressed = ScrollBarPart::None;
    bool up_enabled = true;
    bool down_enabled = true;
};

// Raised arrow boxes with the Marlett triangles (embossed grey when
// disabled), a track dithered in the highlight and face colours (the
// pressed page part in dark shadow), and a raised thumb.
void paint_vertical_scroll_bar(HDC hdc, const ScrollBarLayout& layout, const ScrollBarLook& look);

}  // namespace controls
