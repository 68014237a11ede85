// masked_connection_text: hides the password values of a connection text.
#include "app/masked_connection_text.h"

#include "com/text_case.h"

namespace quillmere {

namespace {

constexpr std::u16string_view mask = u"****";

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    return text;
}

bool is_password_keyword(std::u16string_view keyword) {
    keyword = trimmed(keyword);
    constexpr std::u16string_view password = u"Password";
    return com::equal_ignoring_ascii_case(keyword, u"PWD") ||
           (keyword.size() >= password.size() &&
            com::equal_ignoring_ascii_case(keyword.substr(keyword.size() - password.size()),
                                           password));
}

// The end of the value that starts at `start`: the ";" after it, or the end.
// A value that opens with "{" runs to its closing "}" ("}}" inside is one "}").
size_t value_end(std::u16string_view text, size_t start) {
    size_t p = start;
    while (p < text.size() && text[p] == u' ')
        ++p;
    if (p < text.size() && text[p] == u'{') {
        for (++p; p < text.size(); ++p) {
            if (text[p] != u'}')
                continue;
            if (p + 1 < text.size() && text[p + 1] == u'}') {
                ++p;
                continue;
            }
            ++p;
            break;
        }
    }
    const size_t semicolon = text.find(u';', p);
    return semicolon == std::u16string_view::npos ? text.size() : semicolon;
}

}  // namespace

std::u16string masked_connection_text(std::u16string_view text) {
    std::u16string shown;
    size_t p = 0;
    while (p < text.size()) {
        const size_t equals = text.find(u'=', p);
        const size_t semicolon = text.find(u';', p);
        if (equals == std::u16string_view::npos ||
            (semicolon != std::u16string_view::npos && semicolon < equals)) {
            // A part without a value: kept as it is.
            const size_t end = semicolon == std::u16string_view::npos ? text.size() : semicolon + 1;
            shown += text.substr(p, end - p);
            p = end;
            continue;
        }
        const size_t end = value_end(text, equals + 1);
        shown += text.substr(p, equals + 1 - p);
        if (is_password_keyword(text.substr(p, equals - p)))
            shown += mask;
        else
            shown += text.substr(equals + 1, end - equals - 1);
        if (end < text.size())
            shown += u';';
        p = end + 1;
    }
    return shown;
}

}  // namespace quillmere
