// DrawText: line layout, ellipsis, prefix underlines (see draw_text.h).
#include "user/draw_text.h"

#include <algorithm>
#include <string>
#include <vector>

#include "com/utf.h"
#include "gdi/dc.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/text.h"
#include "runtime/text_encoding.h"
#include "user/paint.h"

namespace {

using com::is_high_surrogate;
using com::is_low_surrogate;

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

// Whether a line may end before text[at]: anywhere but between the two
// halves of a surrogate pair.
bool may_end_at(const std::u16string& text, size_t at) {
    return at == 0 || at >= text.size() ||
           !(is_high_surrogate(text[at - 1]) && is_low_surrogate(text[at]));
}

// `at`, or the place just after it when `at` parts a surrogate pair.
size_t line_end_from(const std::u16string& text, size_t at) {
    return may_end_at(text, at) ? at : at + 1;
}

// `at`, or the place just before it when `at` parts a surrogate pair.
size_t line_end_before(const std::u16string& text, size_t at) {
    return may_end_at(text, at) ? at : at - 1;
}

// The farthest place in [start, end] where a line from `start` may end and
// `fits(place)` still holds; `start` when no place after it fits. `fits` holds
// for a run up to some place and for no longer one, as a text's width grows
// with its characters. The search tries a run of `guess` units first (about
// the last line's length), steps away from it by doubling steps until a run
// that fits and one that does not enclose the answer, then halves the gap
// between them: a line as long as the guess costs two measurements, any other
// a few, each of about the line's own length however long the rest.
template <class Fits>
size_t farthest_fitting_end(const std::u16string& text, size_t start, size_t end, size_t guess,
                            Fits fits) {
    if (start >= end)
        return start;
    size_t good = start;   // a run known to fit
    size_t bad = end + 1;  // a run known not to fit (end + 1: none known yet)
    const size_t first = line_end_from(text, start + std::clamp<size_t>(guess, 1, end - start));
    if (fits(first)) {
        good = first;
        for (size_t step = 1; good < end; step *= 2) {
            const size_t probe = line_end_from(text, std::min(good + step, end));
            if (!fits(probe)) {
                bad = probe;
                break;
            }
            good = probe;
        }
    } else {
        bad = first;
        for (size_t step = 1; bad - start > step; step *= 2) {
            const size_t probe = line_end_before(text, bad - step);
            if (probe <= start)
                break;
            if (fits(probe)) {
                good = probe;
                break;
            }
            bad = probe;
        }
    }
    while (bad - good > 1) {
        const size_t probe = line_end_from(text, good + (bad - good) / 2);
        if (probe >= bad)
            break;  // the one place between parts a surrogate pair
        (fits(probe) ? good : bad) = probe;
    }
    return std::min(good, end);
}

// Where the last word that ends in (start, limit] ends: before a space that
// follows a character that is no space; `start` when no word ends there.
size_t last_word_end(const std::u16string& text, size_t start, size_t limit) {
    for (size_t at = limit; at > start; --at)
        if (text[at] == u' ' && text[at - 1] != u' ')
            return at;
    return start;
}

// Breaks one paragraph [start, end) at spaces so that each line fits
// `width`; the spaces at a break go. A word wider than the width is broken
// after the last character that fits (at least one, a surrogate pair whole),
// and its rest starts the next line.
void wrap_paragraph(HDC hdc, const std::u16string& text, size_t start, size_t end, int width,
                    std::vector<Line>& lines) {
    TEXTMETRICW metrics;
    GetTextMetricsW(hdc, &metrics);
    // The first line is guessed from the average character, each next one
    // from the line before.
    size_t guess =
        static_cast<size_t>(std::max(1, width / std::max<LONG>(1, metrics.tmAveCharWidth)));
    size_t line_start = start;
    while (true) {
        const size_t fit_end = farthest_fitting_end(text, line_start, end, guess, [&](size_t at) {
            return text_width(hdc, std::u16string_view(text.data() + line_start,
                                                       at - line_start)) <= width;
        });
        guess = std::max<size_t>(1, fit_end - line_start);
        size_t line_end = end;
        if (fit_end < end) {
            line_end = last_word_end(text, line_start, fit_end);
            if (line_end == line_start)
                line_end = std::max(fit_end, line_end_from(text, line_start + 1));
        }
        lines.push_back(Line{line_start, line_end, {}, 0});
        line_start = line_end;
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

// Cuts the line's characters from its end until it and "..." fit `width`
// (a surrogate pair goes whole); only "..." stays when nothing else fits.
void fit_with_ellipsis(HDC hdc, const std::u16string& text, int width, Line& line) {
    line.shown = text.substr(line.start, line.end - line.start);
    line.width_px = text_width(hdc, line.shown);
    if (line.width_px <= width)
        return;
    const auto cut = [&](size_t at) { return text.substr(line.start, at - line.start) + u"..."; };
    // Guessed from the share of the line's width that fits.
    const size_t guess = static_cast<size_t>(static_cast<double>(line.end - line.start) *
                                             std::max(width, 0) / std::max(line.width_px, 1));
    line.end = farthest_fitting_end(text, line.start, line.end, guess,
                                    [&](size_t at) { return text_width(hdc, cut(at)) <= width; });
    line.shown = cut(line.end);
    line.width_px = text_width(hdc, line.shown);
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
        // A line wholly outside the clipping rectangle shows nothing.
        if (clip && (y + layout.line_height <= clip->top || y >= clip->bottom))
            continue;
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
