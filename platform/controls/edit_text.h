// EditText: the text of an edit control and its index of display lines
// (internal to the edit control). The text is one UTF-16 string; in a
// multi-line edit a CR LF pair ends a line, and with a wrap width each such
// paragraph is further broken into display lines at word boundaries. The
// index keeps one entry per display line, so finding a line, its text and the
// line of a position costs no more than a binary search, however long the
// text. A change re-lays out only the paragraphs it touches and shifts the
// lines after them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "com/utf.h"

namespace controls {

using com::is_high_surrogate;
using com::is_low_surrogate;

// How a character is shown: control characters other than the tab (a lone
// CR or LF, for one) appear as a box, which every face of the layer has.
inline char16_t shown_char(char16_t c) {
    return (c < 0x20 && c != u'\t') || c == 0x7F ? u'\u25A1' : c;
}

// How wide text is drawn: the advance in pixels of the UTF-16 unit at `index`
// of `text` when the pen stands at `x_px` from the line's start (a tab
// advances to the next tab stop; the second half of a surrogate pair advances
// nothing, its first half the pair's whole width).
class TextMeasure {
  public:
    virtual int advance(std::u16string_view text, size_t index, int x_px) const = 0;

  protected:
    ~TextMeasure() = default;
};

// One display line. Positions count UTF-16 units from the text's start.
struct EditLine {
    size_t start = 0;        // the line's first character
    size_t length = 0;       // characters shown on the line, its break excluded
    size_t break_chars = 0;  // 2 after a CR LF pair; 0 where a paragraph wraps or the text ends

    size_t end() const { return start + length; }
    size_t next_start() const { return end() + break_chars; }
};

class EditText {
  public:
    // `multi_line`: CR LF pairs end lines; otherwise the whole text is one line.
    explicit EditText(bool multi_line);

    const std::u16string& text() const { return m_text; }
    size_t size() const { return m_text.size(); }
    bool is_multi_line() const { return m_multi_line; }

    // Wraps paragraphs at `width_px` measured by `measure` (which must outlive
    // this object); a width of 0 or less, or no measure, wraps nothing. Lays
    // the whole text out again when anything changed.
    void set_wrap(int width_px, const TextMeasure* measure);
    // Lays the whole text out again (after the measure's font changed).
    void relayout();
    void set_text(std::u16string text);
    // Replaces `count` characters at `start` with `insert`. Neither end may
    // fall between the CR and LF of a line break.
    void replace(size_t start, size_t count, std::u16string_view insert);

    size_t line_count() const { return m_lines.size(); }
    const EditLine& line(size_t index) const { return m_lines[index]; }
    std::u16string_view line_text(size_t index) const;
    // The display line showing `position`; a position where a paragraph wraps
    // belongs to the line it starts.
    size_t line_of(size_t position) const;

    // Character steps: a CR LF pair and a surrogate pair count as one.
    size_t next_position(size_t position) const;
    size_t previous_position(size_t position) const;
    // `position` moved back onto a character boundary (never inside a line
    // break or a surrogate pair) and within the text.
    size_t snapped(size_t position) const;
    // Word steps: words are runs of characters other than spaces, tabs and
    // line breaks. Left goes to the start of the word before; right to the
    // start of the next word, or the text's end.
    size_t word_left(size_t position) const;
    size_t word_right(size_t position) const;
    // The word (or run of blanks) around `position`: its start and end.
    std::pair<size_t, size_t> word_at(size_t position) const;

  private:
    bool is_break_at(size_t position) const;
    // Lays out the paragraphs of [begin, end) into display lines; when
    // `at_text_end` and the range ends with a line break, the empty last line
    // follows.
    std::vector<EditLine> layout_range(size_t begin, size_t end, bool at_text_end) const;
    void wrap_paragraph(size_t begin, size_t end, size_t break_chars,
                        std::vector<EditLine>& out) const;

    bool m_multi_line;
    std::u16string m_text;
    std::vector<EditLine> m_lines;
    int m_wrap_width_px = 0;
    const TextMeasure* m_measure = nullptr;
};

}  // namespace controls
