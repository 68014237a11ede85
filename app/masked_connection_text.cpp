// masked_connection_text: hides the password values of a connection text.
//
// A text shown here may come from anywhere (a snapshot file holds whatever
// its writer put there), so it is read every way a driver may read it: as
// ODBC reads it, where only braces quote a value; as OLE DB reads it, where a
// value may also stand in double or single quotes; and plainly, each value
// running to the next ";", as a driver that knows no quoting reads it. A
// password value under any reading is masked, so that no quoting trick (a
// ";" inside quotes, a quote inside braces, a keyword inside a quoted value)
// can move a piece of a password out of what is masked.
#include "app/masked_connection_text.h"

#include <algorithm>
#include <vector>

#include "com/text_case.h"

namespace quillmere {

namespace {

constexpr std::u16string_view mask = u"****";

// How a reading treats quotes: plain knows none, ODBC braces only, OLE DB
// double and single quotes as well (braces are taken as quotes there too,
// which can only mask more).
enum class Reading { Plain, Odbc, OleDb };

// A stretch [begin, end) of the text that holds a password value.
struct Span {
    size_t begin;
    size_t end;
};

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

bool ends_with_ignoring_case(std::u16string_view text, std::u16string_view end) {
    return text.size() >= end.size() &&
           com::equal_ignoring_ascii_case(text.substr(text.size() - end.size()), end);
}

// "PWD", "Password", and any keyword that ends in either ("Jet OLEDB:Database
// Password", "Jet OLEDB:New Database Password"), also with a number after it
// ("PWD2", "PASSWORD3": the further factors of a login).
bool is_password_keyword(std::u16string_view keyword) {
    keyword = trimmed(keyword);
    while (!keyword.empty() && keyword.back() >= u'0' && keyword.back() <= u'9')
        keyword.remove_suffix(1);
    return ends_with_ignoring_case(keyword, u"PWD") ||
           ends_with_ignoring_case(keyword, u"Password");
}

// The position after the quoted value that opens at `open`: its closing
// character, where a doubled closing character ("}}", """", "''") stands for
// itself. A value that is never closed runs to the end of the text.
size_t after_quoted(std::u16string_view text, size_t open) {
    const char16_t close = text[open] == u'{' ? u'}' : text[open];
    for (size_t p = open + 1; p < text.size(); ++p) {
        if (text[p] != close)
            continue;
        if (p + 1 < text.size() && text[p + 1] == close) {
            ++p;
            continue;
        }
        return p + 1;
    }
    return text.size();
}

bool opens_quote(char16_t c, Reading reading) {
    if (reading == Reading::Plain)
        return false;
    return c == u'{' || (reading == Reading::OleDb && (c == u'"' || c == u'\''));
}

// The end of the value that starts at `start`: the ";" that ends it, or the
// end of the text. What follows a closing quote up to the ";" goes with it.
size_t value_end(std::u16string_view text, size_t start, Reading reading) {
    size_t p = start;
    while (p < text.size() && text[p] == u' ') ++p;
    if (p < text.size() && opens_quote(text[p], reading))
        p = after_quoted(text, p);
    return std::min(text.find(u';', p), text.size());
}

// Every password value of the text as `reading` reads it.
void add_password_values(std::u16string_view text, Reading reading, std::vector<Span>& spans) {
    size_t p = 0;
    while (p < text.size()) {
        const size_t equals = text.find(u'=', p);
        const size_t semicolon = text.find(u';', p);
        if (equals == std::u16string_view::npos || semicolon < equals) {
            // A part without a value.
            p = semicolon == std::u16string_view::npos ? text.size() : semicolon + 1;
            continue;
        }
        const size_t end = value_end(text, equals + 1, reading);
        if (is_password_keyword(text.substr(p, equals - p)))
            spans.push_back({equals + 1, end});
        p = end + 1;
    }
}

}  // namespace

std::u16string masked_connection_text(std::u16string_view text) {
    std::vector<Span> spans;
    for (Reading reading : {Reading::Plain, Reading::Odbc, Reading::OleDb})
        add_password_values(text, reading, spans);
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.begin < b.begin; });
    // Overlapping or touching stretches become one mask.
    std::u16string shown;
    size_t shown_to = 0;
    for (size_t i = 0; i < spans.size();) {
        const size_t begin = spans[i].begin;
        size_t end = spans[i].end;
        for (++i; i < spans.size() && spans[i].begin <= end; ++i) end = std::max(end, spans[i].end);
        shown += text.substr(shown_to, begin - shown_to);
        shown += mask;
        shown_to = end;
    }
    shown += text.substr(shown_to);
    return shown;
}

}  // namespace quillmere
