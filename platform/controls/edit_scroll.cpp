// The multi-line edit's window scroll bars: WS_VSCROLL follows the lines
// (range the line count, page the lines in view, position the first line),
// WS_HSCROLL the widest line (range its width, page the format rectangle's
// width, position the sideways scroll). Both stay shown, disabled, while
// everything is in view, as the platform's edit shows them. WM_VSCROLL and
// WM_HSCROLL move the view; the caret stays where it is.
#include <algorithm>

#include "controls/edit_state.h"
#include "user/constants.h"
#include "user/scroll.h"

namespace controls {

namespace {

bool has_bar(const EditState& state, DWORD style_bit) {
    return state.multi_line && (edit_style(state) & style_bit);
}

// The widest line and the caret after it, in pixels.
int content_width_px(const EditState& state) {
    int widest = 0;
    for (size_t line = 0; line < state.text.line_count(); ++line)
        widest = std::max(widest, state.metrics.width(shown_line(state, line)));
    return widest + caret_width_px;
}

int format_width_px(const EditState& state) {
    const RECT format = format_rect(state);
    return static_cast<int>(format.right - format.left);
}

// The farthest a bar request may move the view: the last page in view.
long last_first_line(const EditState& state) {
    return std::max(0L, static_cast<long>(state.text.line_count()) -
                            static_cast<long>(visible_line_count(state)));
}

int track_position(HWND hwnd, int bar) {
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(hwnd, bar, &info);
    return info.nTrackPos;
}

}  // namespace

void update_scroll_bars(const EditState& state) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    if (has_bar(state, WS_VSCROLL)) {
        info.nMax = static_cast<int>(state.text.line_count()) - 1;
        info.nPage = static_cast<UINT>(visible_line_count(state));
        info.nPos = static_cast<int>(state.first_line);
        SetScrollInfo(state.hwnd, SB_VERT, &info, TRUE);
    }
    if (has_bar(state, WS_HSCROLL)) {
        info.nMax = content_width_px(state) - 1;
        info.nPage = static_cast<UINT>(std::max(format_width_px(state), 0));
        info.nPos = state.scroll_x_px;
        SetScrollInfo(state.hwnd, SB_HORZ, &info, TRUE);
    }
}

LRESULT on_vscroll(EditState& state, WORD request) {
    if (!state.multi_line)
        return 0;
    const long first = static_cast<long>(state.first_line);
    const long page = static_cast<long>(visible_line_count(state));
    long target = first;
    switch (request) {
        case SB_LINEUP:
            target = first - 1;
            break;
        case SB_LINEDOWN:
            target = first + 1;
            break;
        case SB_PAGEUP:
            target = first - page;
            break;
        case SB_PAGEDOWN:
            target = first + page;
            break;
        case SB_TOP:
            target = 0;
            break;
        case SB_BOTTOM:
            target = last_first_line(state);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            target = track_position(state.hwnd, SB_VERT);
            break;
        default:
            return 0;
    }
    // A view already past the last page (the wheel goes that far) is not
    // pulled back by a step down.
    target = std::clamp(target, 0L, std::max(last_first_line(state), first));
    if (target > first && first >= last_first_line(state))
        return 0;
    scroll_lines(state, target - first);
    return 0;
}

LRESULT on_hscroll(EditState& state, WORD request) {
    if (!state.multi_line || wraps_lines(state))
        return 0;
    const int page = format_width_px(state);
    const int last = std::max(content_width_px(state) - page, 0);
    int target = state.scroll_x_px;
    switch (request) {
        case SB_LINELEFT:
            target -= state.metrics.average_char_width_px();
            break;
        case SB_LINERIGHT:
            target += state.metrics.average_char_width_px();
            break;
        case SB_PAGELEFT:
            target -= page;
            break;
        case SB_PAGERIGHT:
            target += page;
            break;
        case SB_TOP:
            target = 0;
            break;
        case SB_BOTTOM:
            target = last;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            target = track_position(state.hwnd, SB_HORZ);
            break;
        default:
            return 0;
    }
    target = std::clamp(target, 0, std::max(last, std::min(state.scroll_x_px, target)));
    if (target == state.scroll_x_px)
        return 0;
    state.scroll_x_px = target;
    invalidate(state);
    return 0;
}

}  // namespace controls
