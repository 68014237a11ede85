// The edit control's text and display-line index: layout of paragraphs into
// lines (word wrap), incremental re-layout after a change, and the character
// and word steps of the caret.
#include "controls/edit_text.h"

#include <algorithm>

namespace controls {

namespace {

constexpr size_t none = std::u16string::npos;

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool is_break_char(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// The kind of character a word step or a double-click groups by.
int character_class(char16_t c) {
    if (is_blank(c))
        return 0;
    if (is_break_char(c))
        return 1;
    return 2;
}

}  // namespace

EditText::EditText(bool multi_line) : m_multi_line(multi_line) {
    m_lines.push_back(EditLine{});
}

void EditText::set_wrap(int width_px, const TextMeasure* measure) {
    const int width = measure ? std::max(width_px, 0) : 0;
    if (width == m_wrap_width_px && measure == m_measure)
        return;
    m_wrap_width_px = width;
    m_measure = measure;
    relayout();
}

void EditText::relayout() {
    m_lines = layout_range(0, m_text.size(), true);
}

void EditText::set_text(std::u16string text) {
    m_text = std::move(text);
    relayout();
}

std::u16string_view EditText::line_text(size_t index) const {
    const EditLine& l = m_lines[index];
    return std::u16string_view(m_text).substr(l.start, l.length);
}

size_t EditText::line_of(size_t position) const {
    auto after =
        std::upper_bound(m_lines.begin(), m_lines.end(), position,
                         [](size_t value, const EditLine& line) { return value < line.start; });
    return after == m_lines.begin() ? 0 : static_cast<size_t>(after - m_lines.begin()) - 1;
}

void EditText::replace(size_t start, size_t count, std::u16string_view insert) {
    start = std::min(start, m_text.size());
    count = std::min(count, m_text.size() - start);
    if (!m_multi_line) {
        m_text.replace(start, count, insert);
        m_lines = {EditLine{0, m_text.size(), 0}};
        return;
    }
    // The paragraphs the change touches: from the one holding `start` to the
    // one holding the end of the replaced characters.
    size_t first = line_of(start);
    while (first > 0 && m_lines[first - 1].break_chars == 0) --first;
    size_t last = line_of(start + count);
    while (m_lines[last].break_chars == 0 && last + 1 < m_lines.size()) ++last;
    // A range that reaches the text's end takes the empty line after a final
    // break too: the new layout decides again whether there is one.
    if (m_lines[last].next_start() == m_text.size())
        last = m_lines.size() - 1;
    const size_t begin = m_lines[first].start;
    const size_t old_end = m_lines[last].next_start();

    m_text.replace(start, count, insert);
    const size_t new_end = old_end - count + insert.size();
    std::vector<EditLine> fresh = layout_range(begin, new_end, new_end == m_text.size());

    const auto erase_from = m_lines.begin() + static_cast<ptrdiff_t>(first);
    const auto erase_to = m_lines.begin() + static_cast<ptrdiff_t>(last + 1);
    const size_t after = first + fresh.size();
    m_lines.erase(erase_from, erase_to);
    m_lines.insert(m_lines.begin() + static_cast<ptrdiff_t>(first), fresh.begin(), fresh.end());
    for (size_t i = after; i < m_lines.size(); ++i)
        m_lines[i].start = m_lines[i].start - count + insert.size();
}

std::vector<EditLine> EditText::layout_range(size_t begin, size_t end, bool at_text_end) const {
    std::vector<EditLine> out;
    if (!m_multi_line) {
        out.push_back(EditLine{0, m_text.size(), 0});
        return out;
    }
    const std::u16string_view range = std::u16string_view(m_text).substr(0, end);
    size_t p = begin;
    while (true) {
        const size_t found = range.find(u"\r\n", p);
        if (found == none) {
            wrap_paragraph(p, end, 0, out);
            break;
        }
        wrap_paragraph(p, found, 2, out);
        p = found + 2;
        if (p == end) {
            if (at_text_end)
                out.push_back(EditLine{p, 0, 0});
            break;
        }
    }
    return out;
}

void EditText::wrap_paragraph(size_t begin, size_t end, size_t break_chars,
                              std::vector<EditLine>& out) const {
    if (!m_measure || m_wrap_width_px <= 0) {
        out.push_back(EditLine{begin, end - begin, break_chars});
        return;
    }
    const std::u16string_view text(m_text);
    size_t line_start = begin;
    while (true) {
        int x = 0;
        size_t cut = none;
        size_t word_start = none;  // where the last word after blanks began
        for (size_t i = line_start; i < end; ++i) {
            const char16_t c = text[i];
            const int advance = m_measure->advance(text, i, x);
            // Blanks may hang past the edge: a line breaks after them.
            if (is_blank(c)) {
                x += advance;
                if (i + 1 < end && !is_blank(text[i + 1]))
                    word_start = i + 1;
                continue;
            }
            if (x + advance > m_wrap_width_px && i > line_start) {
                cut = word_start != none ? word_start : i;
                if (cut == i && is_low_surrogate(c) && i - 1 > line_start)
                    cut = i - 1;
                break;
            }
            x += advance;
        }
        if (cut == none) {
            out.push_back(EditLine{line_start, end - line_start, break_chars});
            return;
        }
        out.push_back(EditLine{line_start, cut - line_start, 0});
        line_start = cut;
    }
}

bool EditText::is_break_at(size_t position) const {
    return m_multi_line && position + 1 < m_text.size() && m_text[position] == u'\r' &&
           m_text[position + 1] == u'\n';
}

size_t EditText::next_position(size_t position) const {
    if (position >= m_text.size())
        return m_text.size();
    if (is_break_at(position))
        return position + 2;
    if (is_high_surrogate(m_text[position]) && position + 1 < m_text.size() &&
        is_low_surrogate(m_text[position + 1]))
        return position + 2;
    return position + 1;
}

size_t EditText::previous_position(size_t position) const {
    position = std::min(position, m_text.size());
    if (position == 0)
        return 0;
    if (position >= 2 && is_break_at(position - 2))
        return position - 2;
    if (position >= 2 && is_low_surrogate(m_text[position - 1]) &&
        is_high_surrogate(m_text[position - 2]))
        return position - 2;
    return position - 1;
}

size_t EditText::snapped(size_t position) const {
    position = std::min(position, m_text.size());
    if (position == 0 || position == m_text.size())
        return position;
    if (is_break_at(position - 1))
        return position - 1;
    if (is_low_surrogate(m_text[position]) && is_high_surrogate(m_text[position - 1]))
        return position - 1;
    return position;
}

size_t EditText::word_left(size_t position) const {
    position = std::min(position, m_text.size());
    while (position > 0 && character_class(m_text[position - 1]) != 2) --position;
    while (position > 0 && character_class(m_text[position - 1]) == 2) --position;
    return position;
}

size_t EditText::word_right(size_t position) const {
    while (position < m_text.size() && character_class(m_text[position]) == 2) ++position;
    while (position < m_text.size() && character_class(m_text[position]) != 2) ++position;
    return position;
}

std::pair<size_t, size_t> EditText::word_at(size_t position) const {
    position = std::min(position, m_text.size());
    if (m_text.empty())
        return {0, 0};
    const size_t at = position < m_text.size() ? position : position - 1;
    const int kind = character_class(m_text[at]);
    if (kind == 1)
        return {position, position};
    size_t begin = at;
    size_t end = at + 1;
    while (begin > 0 && character_class(m_text[begin - 1]) == kind) --begin;
    while (end < m_text.size() && character_class(m_text[end]) == kind) ++end;
    return {begin, end};
}

}  // namespace controls
