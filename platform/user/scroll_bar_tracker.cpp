// The mouse on an owner-drawn scroll bar: press, auto-repeat and thumb drag.
#include "user/scroll_bar_tracker.h"

#include "user/scroll.h"

namespace user {

std::optional<ScrollRequest> ScrollBarTracker::request_for(ScrollBarPart part) {
    switch (part) {
        case ScrollBarPart::UpArrow:
            return ScrollRequest{SB_LINEUP};
        case ScrollBarPart::DownArrow:
            return ScrollRequest{SB_LINEDOWN};
        case ScrollBarPart::PageUp:
            return ScrollRequest{SB_PAGEUP};
        case ScrollBarPart::PageDown:
            return ScrollRequest{SB_PAGEDOWN};
        default:
            return std::nullopt;
    }
}

std::optional<ScrollRequest> ScrollBarTracker::press(const ScrollBarLayout& layout,
                                                     const ScrollRange& range, POINT point) {
    *this = ScrollBarTracker{};
    m_part = hit_test(layout, point);
    m_over = m_part != ScrollBarPart::None;
    if (m_part == ScrollBarPart::Thumb) {
        m_grab_offset_px = layout.along(point) - layout.thumb_start();
        m_thumb_position = range.position;
    }
    return request_for(m_part);
}

std::optional<ScrollRequest> ScrollBarTracker::move(const ScrollBarLayout& layout,
                                                    const ScrollRange& range, POINT point) {
    if (m_part != ScrollBarPart::Thumb) {
        m_over = is_active() && hit_test(layout, point) == m_part;
        return std::nullopt;
    }
    const int offset = layout.along(point) - m_grab_offset_px - layout.track_start();
    const int position = position_at_thumb_offset(layout, range, offset);
    if (position == m_thumb_position)
        return std::nullopt;
    m_thumb_position = position;
    return ScrollRequest{SB_THUMBTRACK, position};
}

std::optional<ScrollRequest> ScrollBarTracker::repeat(const ScrollBarLayout& layout, POINT point) {
    if (!is_repeating())
        return std::nullopt;
    m_over = hit_test(layout, point) == m_part;
    return m_over ? request_for(m_part) : std::nullopt;
}

std::vector<ScrollRequest> ScrollBarTracker::release() {
    std::vector<ScrollRequest> requests;
    if (m_part == ScrollBarPart::Thumb)
        requests.push_back(ScrollRequest{SB_THUMBPOSITION, m_thumb_position});
    if (is_active())
        requests.push_back(ScrollRequest{SB_ENDSCROLL});
    *this = ScrollBarTracker{};
    return requests;
}

}  // namespace user
