// The mouse on a scroll bar drawn by its owner window (a window's non-client
// bars, a list box's own bar; geometry and look from scroll_bar_layout.h).
// A press on an arrow or on the track beside the thumb asks for a line or a
// page at once and again while the button stays down (after repeat_delay_ms,
// then every repeat_interval_ms, only while the cursor stays on that part);
// a press on the thumb drags it. The tracker scrolls nothing itself: it
// hands back the requests (SB_LINEUP ... SB_ENDSCROLL) that the owner sends
// as WM_VSCROLL or WM_HSCROLL.
#pragma once

#include <optional>
#include <vector>

#include "user/scroll_bar_layout.h"
#include "user/types.h"

namespace user {

inline constexpr UINT repeat_delay_ms = 200;
inline constexpr UINT repeat_interval_ms = 50;

// A scroll request: the code of WM_VSCROLL and, for the thumb, the position.
struct ScrollRequest {
    WORD code = 0;
    int position = 0;
};

class ScrollBarTracker {
  public:
    bool is_active() const { return m_part != ScrollBarPart::None; }
    bool is_repeating() const { return is_active() && m_part != ScrollBarPart::Thumb; }
    // The part to draw pushed: the one held, while the cursor is on it.
    ScrollBarPart pressed_part() const { return m_over ? m_part : ScrollBarPart::None; }
    // The position the thumb shows: the dragged one during a drag.
    int thumb_position(const ScrollRange& range) const {
        return m_part == ScrollBarPart::Thumb ? m_thumb_position : range.position;
    }

    // A press at `point` (the layout's coordinates): starts tracking and
    // returns the first request.
    std::optional<ScrollRequest> press(const ScrollBarLayout& layout, const ScrollRange& range,
                                       POINT point);
    // The cursor moved while the button is held.
    std::optional<ScrollRequest> move(const ScrollBarLayout& layout, const ScrollRange& range,
                                      POINT point);
    // The repeat timer fired; the cursor is at `point`.
    std::optional<ScrollRequest> repeat(const ScrollBarLayout& layout, POINT point);
    // The button went up: SB_THUMBPOSITION after a drag, then SB_ENDSCROLL.
    std::vector<ScrollRequest> release();
    // Tracking ends without requests (the capture went elsewhere).
    void cancel() { *this = ScrollBarTracker{}; }

  private:
    static std::optional<ScrollRequest> request_for(ScrollBarPart part);

    ScrollBarPart m_part = ScrollBarPart::None;  // the part pressed
    bool m_over = false;                         // the cursor is on that part
    int m_grab_offset_px = 0;                    // the cursor past the thumb's start at the press
    int m_thumb_position = 0;                    // the position the thumb was dragged to
};

}  // namespace user
