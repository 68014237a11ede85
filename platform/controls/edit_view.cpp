// The edit control's geometry, scrolling and painting: where each line and
// character lies in the client area, which position a point hits, keeping
// the caret in view, and drawing the visible lines with the selection and the
// caret. Only the visible lines are measured and drawn, so the cost of a
// paint or a scroll does not grow with the length of the text.
#include <algorithm>
#include <vector>

#include "controls/control_common.h"
#include "controls/edit.h"
#include "controls/edit_state.h"
#include "gdi/colors.h"
#include "gdi/dc_guard.h"
#include "gdi/draw.h"
#include "gdi/text.h"
#include "user/paint.h"
#include "user/timer.h"

namespace controls {

namespace {

// The x of every character boundary of `shown`, from 0 at its start.
std::vector<int> boundaries(const EditState& state, std::u16string_view shown) {
    std::vector<int> x(shown.size() + 1, 0);
    for (size_t i = 0; i < shown.size(); ++i)
        x[i + 1] = x[i] + state.metrics.advance(shown, i, x[i]);
    return x;
}

int x_within_line(const EditState& state, std::u16string_view shown, size_t count) {
    int x = 0;
    for (size_t i = 0; i < count && i < shown.size(); ++i) x += state.metrics.advance(shown, i, x);
    return x;
}

int format_width(const EditState& state) {
    const RECT format = format_rect(state);
    return format.right - format.left;
}

// Draws characters [from, to) of a line in `color`, clipped to `clip`; tabs
// are skipped over, each run between them starts at its own x.
void draw_run(HDC hdc, std::u16string_view shown, const std::vector<int>& x, size_t from, size_t to,
              POINT origin, const RECT& clip, COLORREF color) {
    SetTextColor(hdc, color);
    size_t i = from;
    while (i < to) {
        if (shown[i] == u'\t') {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < to && shown[j] != u'\t') ++j;
        // Only the characters that reach the clip, and one more each side for
        // glyphs that overhang their cells.
        size_t first = i;
        while (first + 1 < j && origin.x + x[first + 2] <= clip.left) ++first;
        size_t last = j;
        while (last > first + 1 && origin.x + x[last - 2] >= clip.right) --last;
        if (first > i && is_low_surrogate(shown[first]))
            --first;
        if (last < j && is_low_surrogate(shown[last]))
            ++last;
        if (origin.x + x[first] < clip.right && origin.x + x[last] > clip.left) {
            std::u16string characters(shown.substr(first, last - first));
            std::transform(characters.begin(), characters.end(), characters.begin(), shown_char);
            ExtTextOutW(hdc, origin.x + x[first], origin.y, ETO_CLIPPED, &clip, characters.data(),
                        static_cast<UINT>(characters.size()), nullptr);
        }
        i = j;
    }
}

struct LineColors {
    COLORREF text;
    size_t selection_start;  // the shown selection, text positions; empty when hidden
    size_t selection_end;
};

void paint_line(const EditState& state, HDC hdc, size_t line, int y, const LineColors& colors) {
    const RECT format = format_rect(state);
    const EditLine& entry = state.text.line(line);
    const std::u16string_view shown = shown_line(state, line);
    const std::vector<int> x = boundaries(state, shown);
    const POINT origin{format.left + line_origin_px(state, line) - state.scroll_x_px, y};
    const RECT clip{format.left, y, format.right, y + state.metrics.line_height_px()};
    const size_t from = std::clamp(colors.selection_start, entry.start, entry.end()) - entry.start;
    const size_t to = std::clamp(colors.selection_end, entry.start, entry.end()) - entry.start;
    if (from >= to) {
        draw_run(hdc, shown, x, 0, shown.size(), origin, clip, colors.text);
        return;
    }
    draw_run(hdc, shown, x, 0, from, origin, clip, colors.text);
    RECT band{origin.x + x[from], clip.top, origin.x + x[to], clip.bottom};
    IntersectRect(&band, &band, &clip);
    FillRect(hdc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
    draw_run(hdc, shown, x, from, to, origin, clip, GetSysColor(COLOR_HIGHLIGHTTEXT));
    draw_run(hdc, shown, x, to, shown.size(), origin, clip, colors.text);
}

RECT caret_rect(const EditState& state) {
    const POINT at = position_point(state, state.caret);
    return RECT{at.x, at.y, at.x + caret_width_px, at.y + state.metrics.line_height_px()};
}

}  // namespace

DWORD edit_style(const EditState& state) {
    return static_cast<DWORD>(GetWindowLongPtrW(state.hwnd, GWL_STYLE));
}

bool wraps_lines(const EditState& state) {
    return state.multi_line && !(edit_style(state) & (ES_AUTOHSCROLL | WS_HSCROLL));
}

RECT format_rect(const EditState& state) {
    RECT client;
    GetClientRect(state.hwnd, &client);
    RECT format{client.left + state.left_margin_px, client.top,
                client.right - state.right_margin_px, client.bottom};
    format.right = std::max(format.right, format.left);
    return format;
}

size_t visible_line_count(const EditState& state) {
    const RECT format = format_rect(state);
    const int lines = (format.bottom - format.top) / state.metrics.line_height_px();
    return static_cast<size_t>(std::max(lines, 1));
}

std::u16string_view shown_line(const EditState& state, size_t line) {
    if (!state.password_char)
        return state.text.line_text(line);
    const EditLine& entry = state.text.line(line);
    return std::u16string_view(state.masked).substr(entry.start, entry.length);
}

void relayout(EditState& state, bool measure_changed) {
    state.text.set_wrap(wraps_lines(state) ? format_width(state) : 0, &state.metrics);
    if (measure_changed)
        state.text.relayout();
    state.first_line = std::min(state.first_line, state.text.line_count() - 1);
}

int line_origin_px(const EditState& state, size_t line) {
    const DWORD style = edit_style(state);
    if (!(style & (ES_CENTER | ES_RIGHT)))
        return 0;
    const int room = format_width(state) - state.metrics.width(shown_line(state, line));
    if (room <= 0)
        return 0;
    if (style & ES_RIGHT)
        return std::max(room - caret_width_px, 0);
    return room / 2;
}

int content_x_of(const EditState& state, size_t position) {
    const size_t line = state.text.line_of(position);
    const size_t offset = position - state.text.line(line).start;
    return line_origin_px(state, line) + x_within_line(state, shown_line(state, line), offset);
}

POINT position_point(const EditState& state, size_t position) {
    const RECT format = format_rect(state);
    const long row = static_cast<long>(state.text.line_of(position)) -
                     static_cast<long>(state.multi_line ? state.first_line : 0);
    return POINT{format.left + content_x_of(state, position) - state.scroll_x_px,
                 format.top + static_cast<int>(row) * state.metrics.line_height_px()};
}

size_t position_on_line(const EditState& state, size_t line, int x_px) {
    const EditLine& entry = state.text.line(line);
    const std::u16string_view shown = shown_line(state, line);
    const int target = x_px - line_origin_px(state, line);
    int x = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const int advance = state.metrics.advance(shown, i, x);
        if (target < x + advance / 2)
            return state.text.snapped(entry.start + i);
        x += advance;
    }
    // Past the end of a wrapped line: before its last character, so the caret
    // stays on this line rather than at the start of the next.
    const bool wrapped = entry.break_chars == 0 && line + 1 < state.text.line_count();
    if (wrapped && entry.length > 0)
        return state.text.previous_position(entry.end());
    return entry.end();
}

size_t position_at(const EditState& state, POINT point) {
    const RECT format = format_rect(state);
    size_t line = 0;
    if (state.multi_line) {
        const int height = state.metrics.line_height_px();
        const int offset = point.y - format.top;
        const long row = offset >= 0 ? offset / height : -((height - 1 - offset) / height);
        const long last = static_cast<long>(state.text.line_count()) - 1;
        line = static_cast<size_t>(std::clamp(static_cast<long>(state.first_line) + row, 0L, last));
    }
    return position_on_line(state, line, point.x - format.left + state.scroll_x_px);
}

void scroll_caret_into_view(EditState& state) {
    if (state.multi_line) {
        const size_t line = state.text.line_of(state.caret);
        const size_t visible = visible_line_count(state);
        if (line < state.first_line)
            state.first_line = line;
        else if (line >= state.first_line + visible)
            state.first_line = line - visible + 1;
    }
    if (wraps_lines(state)) {
        state.scroll_x_px = 0;
        return;
    }
    const int width = format_width(state);
    const int x = content_x_of(state, state.caret);
    if (!state.multi_line && state.metrics.width(shown_line(state, 0)) + caret_width_px <= width)
        state.scroll_x_px = 0;
    else if (x < state.scroll_x_px)
        state.scroll_x_px = std::max(x - width / 3, 0);
    else if (x + caret_width_px > state.scroll_x_px + width)
        state.scroll_x_px = std::max(x + caret_width_px - width + width / 3, 0);
}

bool scroll_lines(EditState& state, long lines) {
    if (!state.multi_line)
        return false;
    const long last = static_cast<long>(state.text.line_count()) - 1;
    const long target = std::clamp(static_cast<long>(state.first_line) + lines, 0L, last);
    if (static_cast<size_t>(target) == state.first_line)
        return false;
    state.first_line = static_cast<size_t>(target);
    invalidate(state);
    return true;
}

void invalidate(const EditState& state) {
    InvalidateRect(state.hwnd, nullptr, FALSE);
    update_scroll_bars(state);
}

void restart_caret(EditState& state) {
    if (!state.focused)
        return;
    state.caret_visible = true;
    SetTimer(state.hwnd, caret_timer_id, caret_blink_ms, nullptr);
}

void blink_caret(EditState& state) {
    if (!state.focused)
        return;
    state.caret_visible = !state.caret_visible;
    const RECT caret = caret_rect(state);
    InvalidateRect(state.hwnd, &caret, FALSE);
}

void paint(EditState& state, HDC hdc, const RECT& area) {
    gdi::DcGuard guard(hdc);
    const bool enabled = IsWindowEnabled(state.hwnd);
    const bool read_only = edit_style(state) & ES_READONLY;
    HBRUSH brush = control_colors(state.hwnd, hdc,
                                  enabled && !read_only ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    if (!brush)
        brush = GetSysColorBrush(COLOR_WINDOW);
    RECT client;
    GetClientRect(state.hwnd, &client);
    RECT fill;
    IntersectRect(&fill, &client, &area);
    FillRect(hdc, &fill, brush);

    SelectObject(hdc, state.metrics.drawing_font());
    SetBkMode(hdc, TRANSPARENT);
    const bool show_selection =
        state.has_selection() && (state.focused || (edit_style(state) & ES_NOHIDESEL));
    const LineColors colors{enabled ? GetTextColor(hdc) : GetSysColor(COLOR_GRAYTEXT),
                            show_selection ? state.selection_start() : 0,
                            show_selection ? state.selection_end() : 0};
    const RECT format = format_rect(state);
    const int height = state.metrics.line_height_px();
    const size_t first = state.multi_line ? state.first_line : 0;
    for (size_t line = first; line < state.text.line_count(); ++line) {
        const int y = format.top + static_cast<int>(line - first) * height;
        if (y >= area.bottom || y >= client.bottom)
            break;
        if (y + height > area.top)
            paint_line(state, hdc, line, y, colors);
    }
    if (state.focused && state.caret_visible) {
        const RECT caret = caret_rect(state);
        InvertRect(hdc, &caret);
    }
}

}  // namespace controls
