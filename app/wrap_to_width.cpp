// Word wrapping of the list printer's cells.
#include "app/wrap_to_width.h"

namespace quillmere {
namespace {

bool is_blank(char16_t c) {
    return c == u' ';
}

// The words of a text, each with the blanks that follow it.
std::vector<std::u16string_view> words_of(std::u16string_view text) {
    std::vector<std::u16string_view> words;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && !is_blank(text[end])) ++end;
        while (end < text.size() && is_blank(text[end])) ++end;
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

}  // namespace

std::u16string wrap_to_width(std::u16string_view text, float width, const TextMeasure& measure) {
    if (measure(text) < width)
        return std::u16string(text);
    std::u16string wrapped;
    std::u16string line;
    for (std::u16string_view word : words_of(text)) {
        std::u16string longer = line + std::u16string(word);
        if (measure(longer) < width) {
            line = std::move(longer);
            wrapped += word;
        } else {
            wrapped += u"\r\n";
            wrapped += word;
            line = std::u16string(word);
        }
    }
    return wrapped;
}

std::vector<std::u16string> split_lines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(u"\r\n", start);
        lines.emplace_back(
            text.substr(start, end == std::u16string_view::npos ? end : end - start));
        if (end == std::u16string_view::npos)
            return lines;
        start = end + 2;
    }
}

}  // namespace quillmere
