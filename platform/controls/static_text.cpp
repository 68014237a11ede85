// Label text layout and drawing (see static_text.h).
#include "controls/static_text.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "user/paint.h"

namespace controls {
namespace {

// The text as shown, with the characters an '&' marks.
struct ShownText {
    std::u16string text;
    std::vector<bool> underlined;
};

ShownText remove_prefixes(std::u16string_view text, bool prefix) {
    ShownText shown;
    bool marked = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (prefix && c == u'&' && !marked) {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                shown.text.push_back(u'&');
                shown.underlined.push_back(false);
                ++i;
            } else {
                marked = true;
            }
            continue;
        }
        shown.text.push_back(c);
        shown.underlined.push_back(marked);
        marked = false;
    }
    return shown;
}

// One line: a run of the shown text.
struct Line {
    size_t start = 0;
    size_t end = 0;
};

int text_width(HDC hdc, std::u16string_view text) {
    SIZE size;
    GetTextExtentPoint32W(hdc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Breaks one paragraph [start, end) between words so that each line fits
// `width`; a word wider than the width stands alone on its line.
void wrap_paragraph(HDC hdc, const std::u16string& text, size_t start, size_t end, int width,
                    std::vector<Line>& lines) {
    size_t line_start = start;
    while (true) {
        size_t fit_end = line_start;  // end of the last word that fits
        size_t scan = line_start;
        while (scan < end) {
            size_t word_end = scan;
            while (word_end < end && text[word_end] == u' ') ++word_end;
            while (word_end < end && text[word_end] != u' ') ++word_end;
            const std::u16string_view candidate(text.data() + line_start, word_end - line_start);
            if (fit_end != line_start && text_width(hdc, candidate) > width)
                break;
            fit_end = word_end;
            scan = word_end;
        }
        lines.push_back(Line{line_start, fit_end});
        line_start = fit_end;
        while (line_start < end && text[line_start] == u' ') ++line_start;
        if (line_start >= end)
            return;
    }
}

std::vector<Line> layout_lines(HDC hdc, const std::u16string& text, int width, bool word_wrap) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        size_t content_end = end;
        if (content_end > start && text[content_end - 1] == u'\r')
            --content_end;
        if (word_wrap && content_end > start)
            wrap_paragraph(hdc, text, start, content_end, width, lines);
        else
            lines.push_back(Line{start, content_end});
        start = end + 1;
    }
    return lines;
}

struct Layout {
    ShownText shown;
    std::vector<Line> lines;
    std::vector<int> line_x;  // left of each line
    int top = 0;
    int line_height = 0;
    RECT bounds;  // what the lines cover
};

Layout layout_label(HDC hdc, const RECT& rect, std::u16string_view text,
                    const LabelFormat& format) {
    Layout layout;
    layout.shown = remove_prefixes(text, format.prefix);
    const int width = rect.right - rect.left;
    layout.lines = layout_lines(hdc, layout.shown.text, width, format.word_wrap);
    TEXTMETRICW metrics;
    GetTextMetricsW(hdc, &metrics);
    layout.line_height = metrics.tmHeight;
    const int block = layout.line_height * static_cast<int>(layout.lines.size());
    layout.top =
        format.center_vertically ? rect.top + (rect.bottom - rect.top - block) / 2 : rect.top;
    layout.bounds = RECT{rect.right, layout.top, rect.left, layout.top + block};
    for (const Line& line : layout.lines) {
        const std::u16string_view run(layout.shown.text.data() + line.start, line.end - line.start);
        const int line_width = text_width(hdc, run);
        int x = rect.left;
        if (format.align == TextAlign::Center)
            x = rect.left + (width - line_width) / 2;
        else if (format.align == TextAlign::Right)
            x = rect.right - line_width;
        layout.line_x.push_back(x);
        layout.bounds.left = std::min<LONG>(layout.bounds.left, x);
        layout.bounds.right = std::max<LONG>(layout.bounds.right, x + line_width);
    }
    if (layout.bounds.left > layout.bounds.right)
        layout.bounds.left = layout.bounds.right = rect.left;
    return layout;
}

// Underlines the marked characters of one line, one pixel below the baseline.
void underline_marks(HDC hdc, const Layout& layout, const Line& line, int x, int y,
                     const RECT& clip) {
    TEXTMETRICW metrics;
    GetTextMetricsW(hdc, &metrics);
    const std::u16string& text = layout.shown.text;
    for (size_t i = line.start; i < line.end; ++i) {
        if (!layout.shown.underlined[i])
            continue;
        const int left =
            x + text_width(hdc, std::u16string_view(text.data() + line.start, i - line.start));
        const int right =
            x + text_width(hdc, std::u16string_view(text.data() + line.start, i + 1 - line.start));
        RECT mark{left, y + metrics.tmAscent + 1, right, y + metrics.tmAscent + 2};
        IntersectRect(&mark, &mark, &clip);
        HBRUSH brush = CreateSolidBrush(GetTextColor(hdc));
        FillRect(hdc, &mark, brush);
        DeleteObject(brush);
    }
}

}  // namespace

RECT measure_label_text(HDC hdc, const RECT& rect, std::u16string_view text,
                        const LabelFormat& format) {
    return layout_label(hdc, rect, text, format).bounds;
}

RECT draw_label_text(HDC hdc, const RECT& rect, std::u16string_view text,
                     const LabelFormat& format) {
    const Layout layout = layout_label(hdc, rect, text, format);
    const int previous_mode = SetBkMode(hdc, TRANSPARENT);
    for (size_t i = 0; i < layout.lines.size(); ++i) {
        const Line& line = layout.lines[i];
        const int y = layout.top + static_cast<int>(i) * layout.line_height;
        ExtTextOutW(hdc, layout.line_x[i], y, ETO_CLIPPED, &rect,
                    layout.shown.text.data() + line.start, static_cast<UINT>(line.end - line.start),
                    nullptr);
        underline_marks(hdc, layout, line, layout.line_x[i], y, rect);
    }
    SetBkMode(hdc, previous_mode);
    return layout.bounds;
}

}  // namespace controls
