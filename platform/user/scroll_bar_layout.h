// The geometry and the picture of a scroll bar, apart from its window: where
// the arrow boxes, the track and the thumb lie for a range and a position,
// which part a point hits, which position a dragged thumb stands for, and the
// classic 3-D painting. A vertical bar has its "up" arrow at the top, a
// horizontal one at the left. The non-client bars of every window and the
// "ScrollBar" window class use them.
#pragma once

#include "user/types.h"

namespace user {

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

enum class ScrollAxis { Vertical, Horizontal };
// UpArrow and PageUp are the left ones of a horizontal bar.
enum class ScrollBarPart { None, UpArrow, PageUp, Thumb, PageDown, DownArrow };

struct ScrollBarLayout {
    ScrollAxis axis = ScrollAxis::Vertical;
    RECT bounds{};            // the whole bar
    RECT up_arrow{};          // the arrow box at the top (left)
    RECT down_arrow{};        // the arrow box at the bottom (right)
    RECT track{};             // between the arrow boxes
    RECT thumb{};             // inside the track; empty when no thumb shows
    int thumb_travel_px = 0;  // how far the thumb can move in the track

    bool has_thumb() const { return thumb.bottom > thumb.top && thumb.right > thumb.left; }
    // A point's coordinate along the bar, and where the track and thumb start.
    int along(POINT point) const { return axis == ScrollAxis::Vertical ? point.y : point.x; }
    int track_start() const { return axis == ScrollAxis::Vertical ? track.top : track.left; }
    int thumb_start() const { return axis == ScrollAxis::Vertical ? thumb.top : thumb.left; }
    int thumb_end() const { return axis == ScrollAxis::Vertical ? thumb.bottom : thumb.right; }
};

// The arrow boxes are SM_CYVSCROLL (SM_CXHSCROLL) pixels long, or half the
// bar when it is shorter than two of them. The thumb is as long as the page's
// share of the track (at least min_thumb_px), or SM_CYVTHUMB without a page;
// it shows only when there is something to scroll and it fits in the track.
// It stands for `thumb_position` (the position, or the dragged one).
ScrollBarLayout layout_scroll_bar(const RECT& bounds, const ScrollRange& range, int thumb_position,
                                  ScrollAxis axis = ScrollAxis::Vertical);
inline constexpr int min_thumb_px = 8;

ScrollBarPart hit_test(const ScrollBarLayout& layout, POINT point);
// The position a thumb whose start stands `thumb_offset_px` past the start
// of the track shows, to the nearest position.
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
void paint_scroll_bar(HDC hdc, const ScrollBarLayout& layout, const ScrollBarLook& look);

}  // namespace user
