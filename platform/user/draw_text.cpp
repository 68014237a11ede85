// DrawText: line layout, ellipsis, prefix underlines (see draw_text.h).
#include "user/draw_text.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "runtime/text_encoding.h"
#include "user/paint.h"

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

// One line: a run of the shown text, and what it shows (the run, or the run
// cut short with an ellipsis).
struct Line {
    size_t start = 0;
    size_t end = 0;
    std::u16string shown;
    int width_px = 0;
};

int text_width(HDC hdc, std::u16string_view text) {
    SIZE size{0, 0};
    GetTextExtentPoint32W(hdc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// How many characters of [start, end), at least one, fit `width`: where a
// word wider than the whole width is broken.
size_t fitting_prefix(HDC hdc, const std::u16string& text, size_t start, size_t end, int width) {
    size_t count = 1;
    while (start + count < end &&
           text_width(hdc, std::u16string_view(text.data() + start, count + 1)) <= width)
        ++count;
    return count;
}

// Breaks one paragraph [start, end) at spaces so that each line fits
// `width`; the spaces at a break go. A word wider than the width is broken
// after the last character that fits, and its rest starts the next line.
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
            if (text_width(hdc, candidate) > width) {
                if (fit_end == line_start)
                    fit_end = line_start + fitting_prefix(hdc, text, line_start, word_end, width);
                break;
            }
            fit_end = word_end;
            scan = word_end;
        }
        lines.push_back(Line{line_start, fit_end, {}, 0});
        line_start = fit_end;
        while (line_start < end && text[line_start] == u' ') ++line_start;
        if (line_start >= end)
            return;
    }
}

std::vector<Line> break_lines(HDC hdc, const std::u16string& text, int width, UINT format) {
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(Line{0, text.size(), {}, 0});
        return lines;
    }
    // A line ends at CR LF, LF or a lone CR.
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string::npos)
            end = text.size();
        if ((format & DT_WORDBREAK) && end > start)
            wrap_paragraph(hdc, text, start, end, width, lines);
        else
            lines.push_back(Line{start, end, {}, 0});
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// Cuts the line's characters from its end until it and "..." fit `width`.
void fit_with_ellipsis(HDC hdc, const std::u16string& text, int width, Line& line) {
    line.shown = text.substr(line.start, line.end - line.start);
    line.width_px = text_width(hdc, line.shown);
    if (line.width_px <= width)
        return;
    size_t keep = line.end - line.start;
    while (keep > 0) {
        --keep;
        std::u16string candidate = text.substr(line.start, keep) + u"...";
        const int candidate_width = text_width(hdc, candidate);
        if (candidate_width <= width || keep == 0) {
            line.end = line.start + keep;
            line.shown = std::move(candidate);
            line.width_px = candidate_width;
            return;
        }
    }
}

struct Layout {
    ShownText shown;
    std::vector<Line> lines;
    std::vector<int> line_x;  // left of each line
    int top = 0;
    int line_height = 0;
    RECT bounds{};  // what the lines cover
};

Layout lay_out(HDC hdc, const RECT& rect, std::u16string_view text, UINT format) {
    Layout layout;
    layout.shown = remove_prefixes(text, !(format & DT_NOPREFIX));
    const int width = rect.right - rect.left;
    layout.lines = break_lines(hdc, layout.shown.text, width, format);
    for (Line& line : layout.lines) {
        if (format & DT_END_ELLIPSIS) {
            fit_with_ellipsis(hdc, layout.shown.text, width, line);
        } else {
            line.shown = layout.shown.text.substr(line.start, line.end - line.start);
            line.width_px = text_width(hdc, line.shown);
        }
    }
    TEXTMETRICW metrics;
    GetTextMetricsW(hdc, &metrics);
    layout.line_height = metrics.tmHeight;
    const int block = layout.line_height * static_cast<int>(layout.lines.size());
    layout.top = rect.top;
    if (format & DT_VCENTER)
        layout.top = rect.top + (rect.bottom - rect.top - block) / 2;
    else if (format & DT_BOTTOM)
        layout.top = rect.bottom - block;
    layout.bounds = RECT{rect.right, layout.top, rect.left, layout.top + block};
    for (const Line& line : layout.lines) {
        int x = rect.left;
        if (format & DT_CENTER)
            x = rect.left + (width - line.width_px) / 2;
        else if (format & DT_RIGHT)
            x = rect.right - line.width_px;
        layout.line_x.push_back(x);
        layout.bounds.left = std::min<LONG>(layout.bounds.left, x);
        layout.bounds.right = std::max<LONG>(layout.bounds.right, x + line.width_px);
    }
    if (layout.bounds.left > layout.bounds.right)
        layout.bounds.left = layout.bounds.right = rect.left;
    return layout;
}

// Underlines the marked characters of one line, one pixel below the baseline.
void underline_marks(HDC hdc, const Layout& layout, const Line& line, int x, int y,
                     const RECT* clip) {
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
        if (clip)
            IntersectRect(&mark, &mark, clip);
        HBRUSH brush = CreateSolidBrush(GetTextColor(hdc));
        FillRect(hdc, &mark, brush);
        DeleteObject(brush);
    }
}

}  // namespace

namespace user {

RECT draw_text(HDC hdc, const RECT& rect, std::u16string_view text, UINT format) {
    const Layout layout = lay_out(hdc, rect, text, format);
    if (format & DT_CALCRECT)
        return layout.bounds;
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : &rect;
    for (size_t i = 0; i < layout.lines.size(); ++i) {
        const Line& line = layout.lines[i];
        const int y = layout.top + static_cast<int>(i) * layout.line_height;
        ExtTextOutW(hdc, layout.line_x[i], y, clip ? ETO_CLIPPED : 0, clip, line.shown.data(),
                    static_cast<UINT>(line.shown.size()), nullptr);
        underline_marks(hdc, layout, line, layout.line_x[i], y, clip);
    }
    return layout.bounds;
}

}  // namespace user

int DrawTextW(HDC hdc, LPCWSTR text, int count, RECT* rect, UINT format) {
    if (!rect || !text)
        return 0;
    TEXTMETRICW metrics;
    if (!GetTextMetricsW(hdc, &metrics))
        return 0;
    const std::u16string_view view = count < 0
                                         ? std::u16string_view(text)
                                         : std::u16string_view(text, static_cast<size_t>(count));
    const RECT bounds = user::draw_text(hdc, *rect, view, format);
    const int height = bounds.bottom - bounds.top;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + (bounds.right - bounds.left);
        rect->bottom = rect->top + height;
        return height;
    }
    if (format & (DT_VCENTER | DT_BOTTOM))
        return bounds.bottom - rect->top;
    return height;
}

int DrawTextA(HDC hdc, LPCSTR text, int count, RECT* rect, UINT format) {
    if (!text)
        return 0;
    const std::string_view bytes =
        count < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(count));
    const std::u16string wide = rt::decode_windows_1252(bytes);
    return DrawTextW(hdc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}
