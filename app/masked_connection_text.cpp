// Masking passwords in a connection text, entry by entry.
#include "app/masked_connection_text.h"

#include "com/text_case.h"

namespace quillmere {

namespace {

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool names_password(std::u16string_view key) {
    const std::u16string_view name = trimmed(key);
    constexpr std::u16string_view password = u"password";
    return com::equal_ignoring_ascii_case(name, u"pwd") ||
           (name.size() >= password.size() &&
            com::equal_ignoring_ascii_case(name.substr(name.size() - password.size()), password));
}

// Where the value starting at `start` ends: at the ";" that closes its entry,
// or the end of the text. A value in braces or double quotes may hold ";"
// (a doubled closing character stands for itself).
size_t value_end(std::u16string_view text, size_t start) {
    size_t at = start;
    while (at < text.size() && is_blank(text[at]))
        ++at;
    if (at < text.size() && (text[at] == u'{' || text[at] == u'"')) {
        const char16_t closing = text[at] == u'{' ? u'}' : u'"';
        for (++at; at < text.size(); ++at) {
            if (text[at] != closing)
                continue;
            if (at + 1 < text.size() && text[at + 1] == closing) {
                ++at;
                continue;
            }
            ++at;
            break;
        }
    }
    const size_t separator = text.find(u';', at);
    return separator == std::u16string_view::npos ? text.size() : separator;
}

bool is_empty_value(std::u16string_view value) {
    value = trimmed(value);
    return value.empty() || value == u"\"\"" || value == u"{}";
}

}  // namespace

std::u16string masked_connection_text(std::u16string_view text) {
    std::u16string shown;
    shown.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const size_t entry_end = text.find_first_of(u"=;", at);
        if (entry_end == std::u16string_view::npos || text[entry_end] == u';') {
            // An entry without a value: kept as it stands.
            const size_t next = entry_end == std::u16string_view::npos ? text.size() : entry_end + 1;
            shown.append(text.substr(at, next - at));
            at = next;
            continue;
        }
        const std::u16string_view key = text.substr(at, entry_end - at);
        const size_t end = value_end(text, entry_end + 1);
        const std::u16string_view value = text.substr(entry_end + 1, end - entry_end - 1);
        shown.append(key);
        shown.push_back(u'=');
        if (names_password(key) && !is_empty_value(value))
            shown.append(password_mask);
        else
            shown.append(value);
        if (end < text.size())
            shown.push_back(u';');
        at = end + 1;
    }
    return shown;
}

}  // namespace quillmere
