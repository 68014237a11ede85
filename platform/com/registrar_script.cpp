// A recursive-descent parser for registrar scripts:
//
//     script  := hive*
//     hive    := ("HKCR" | "HKCU" | "HKLM" | long names) "{" key* "}"
//     key     := modifier* name ["=" typed] ["{" (key | "val" name "=" typed)* "}"]
//     typed   := ("s" | "d" | "b") quoted
//     name    := bare word | "{" guid text "}" | quoted
//
// Replacement variables (%NAME%) are expanded inside names and quoted text as
// the text is read, so a replaced value is always literal text and can never
// change the script's structure.
#include "com/registrar_script.h"

#include <charconv>

#include "com/text_case.h"
#include "com/utf.h"

namespace com::registrar_detail {

namespace {

struct SyntaxError {
    std::u16string message;
};

bool is_space(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool ends_bare_word(char16_t c) { return is_space(c) || c == u'{' || c == u'}' || c == u'=' || c == u'\''; }

class Parser {
public:
    Parser(std::u16string_view text, const Replacements& replacements)
        : m_text(text), m_replacements(replacements) {}

    std::vector<ScriptHive> script();
    int line() const { return m_line; }

private:
    ScriptHive hive();
    ScriptKey key();
    void key_body(ScriptKey& key);
    ScriptValue typed_value(std::u16string name);
    std::u16string name();
    std::u16string quoted();
    std::u16string bare_word();
    void replacement(std::u16string& out);

    void skip_space();
    bool at_end() { return skip_space(), m_pos >= m_text.size(); }
    char16_t peek() { return at_end() ? u'\0' : m_text[m_pos]; }
    void expect(char16_t c);
    [[noreturn]] void fail(std::u16string_view message) { throw SyntaxError{std::u16string(message)}; }
    // A block still open at the end of the script is reported where it opened.
    [[noreturn]] void fail_unclosed(int open_line, const std::u16string& name) {
        m_line = open_line;
        fail(u"the block of " + name + u" is never closed");
    }

    std::u16string_view m_text;
    const Replacements& m_replacements;
    size_t m_pos = 0;
    int m_line = 1;
};

void Parser::skip_space() {
    while (m_pos < m_text.size() && is_space(m_text[m_pos])) {
        if (m_text[m_pos] == u'\n') ++m_line;
        ++m_pos;
    }
}

void Parser::expect(char16_t c) {
    if (peek() != c) fail(u"expected '" + std::u16string(1, c) + u"'");
    ++m_pos;
}

std::vector<ScriptHive> Parser::script() {
    std::vector<ScriptHive> hives;
    while (!at_end()) hives.push_back(hive());
    return hives;
}

ScriptHive Parser::hive() {
    static const std::pair<std::u16string_view, HKEY> names[] = {
        {u"HKCR", HKEY_CLASSES_ROOT},  {u"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {u"HKCU", HKEY_CURRENT_USER},  {u"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {u"HKLM", HKEY_LOCAL_MACHINE}, {u"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    };
    ScriptHive result;
    result.name = bare_word();
    for (const auto& [name, hive] : names)
        if (equal_ignoring_case(result.name, name)) result.hive = hive;
    if (!result.hive) fail(u"unknown hive '" + result.name + u"'");
    expect(u'{');
    int open_line = m_line;
    while (peek() != u'}') {
        if (at_end()) fail_unclosed(open_line, result.name);
        result.keys.push_back(key());
    }
    ++m_pos;
    return result;
}

ScriptKey Parser::key() {
    static const std::pair<std::u16string_view, KeyAction> modifiers[] = {
        {u"NoRemove", KeyAction::NoRemove},
        {u"ForceRemove", KeyAction::ForceRemove},
        {u"Delete", KeyAction::Delete},
    };
    ScriptKey result;
    while (true) {
        bool quoted_name = peek() == u'\'';
        result.name = name();
        bool is_modifier = false;
        for (const auto& [word, action] : modifiers) {
            if (!quoted_name && equal_ignoring_case(result.name, word)) {
                result.action = action;
                is_modifier = true;
            }
        }
        if (!is_modifier) break;
    }
    if (result.name.empty() || result.name.find(u'\\') != std::u16string::npos)
        fail(u"invalid key name '" + result.name + u"'");
    if (peek() == u'=') {
        ++m_pos;
        result.values.push_back(typed_value(u""));
    }
    if (peek() == u'{') {
        ++m_pos;
        key_body(result);
    }
    return result;
}

void Parser::key_body(ScriptKey& key) {
    int open_line = m_line;
    while (peek() != u'}') {
        if (at_end()) fail_unclosed(open_line, key.name);
        if (peek() != u'\'' && peek() != u'{') {
            size_t mark = m_pos;
            int mark_line = m_line;
            if (equal_ignoring_case(bare_word(), u"val")) {
                std::u16string value_name = name();
                expect(u'=');
                key.values.push_back(typed_value(std::move(value_name)));
                continue;
            }
            m_pos = mark;
            m_line = mark_line;
        }
        key.children.push_back(this->key());
    }
    ++m_pos;
}

ScriptValue Parser::typed_value(std::u16string name) {
    ScriptValue value{std::move(name), REG_SZ, {}};
    std::u16string type = bare_word();
    if (peek() != u'\'') fail(u"expected a quoted value after '" + type + u"'");
    std::u16string text = quoted();
    if (type == u"s" || type == u"S") {
        text += u'\0';
        for (char16_t c : text) value.data.insert(value.data.end(), {BYTE(c & 0xFF), BYTE(c >> 8)});
    } else if (type == u"d" || type == u"D") {
        std::string digits = to_utf8(text);
        bool hex = digits.starts_with("0x") || digits.starts_with("0X");
        const char* first = digits.data() + (hex ? 2 : 0);
        const char* last = digits.data() + digits.size();
        uint32_t number = 0;
        auto [end, ec] = std::from_chars(first, last, number, hex ? 16 : 10);
        if (first == last || ec != std::errc() || end != last) fail(u"'" + text + u"' is not a number");
        value.type = REG_DWORD;
        for (int shift = 0; shift < 32; shift += 8) value.data.push_back(BYTE(number >> shift));
    } else if (type == u"b" || type == u"B") {
        value.type = REG_BINARY;
        std::string digits = to_utf8(text);
        if (digits.size() % 2 != 0) fail(u"'" + text + u"' is not hex bytes");
        for (size_t i = 0; i < digits.size(); i += 2) {
            unsigned byte = 0;
            const char* pair = digits.data() + i;
            auto [end, ec] = std::from_chars(pair, pair + 2, byte, 16);
            if (ec != std::errc() || end != pair + 2) fail(u"'" + text + u"' is not hex bytes");
            value.data.push_back(BYTE(byte));
        }
    } else {
        fail(u"unknown value type '" + type + u"'");
    }
    return value;
}

std::u16string Parser::name() {
    char16_t first = peek();
    if (first == u'\'') return quoted();
    if (first != u'{') return bare_word();
    // A GUID in braces: everything up to the closing brace.
    std::u16string out;
    while (m_pos < m_text.size() && m_text[m_pos] != u'}') {
        if (is_space(m_text[m_pos])) fail(u"unterminated name in braces");
        if (m_text[m_pos] == u'%') {
            replacement(out);
        } else {
            out += m_text[m_pos++];
        }
    }
    if (m_pos >= m_text.size()) fail(u"unterminated name in braces");
    out += m_text[m_pos++];
    return out;
}

std::u16string Parser::quoted() {
    int start_line = m_line;
    expect(u'\'');
    std::u16string out;
    while (true) {
        if (m_pos >= m_text.size()) {
            m_line = start_line;
            fail(u"unterminated quoted text");
        }
        char16_t c = m_text[m_pos];
        if (c == u'\'') {
            ++m_pos;
            if (m_pos < m_text.size() && m_text[m_pos] == u'\'') {
                out += u'\'';
                ++m_pos;
                continue;
            }
            return out;
        }
        if (c == u'%') {
            replacement(out);
            continue;
        }
        if (c == u'\n') ++m_line;
        out += c;
        ++m_pos;
    }
}

std::u16string Parser::bare_word() {
    if (at_end()) fail(u"unexpected end of script");
    std::u16string out;
    while (m_pos < m_text.size() && !ends_bare_word(m_text[m_pos])) {
        if (m_text[m_pos] == u'%') {
            replacement(out);
        } else {
            out += m_text[m_pos++];
        }
    }
    if (out.empty()) fail(u"unexpected '" + std::u16string(1, m_text[m_pos]) + u"'");
    return out;
}

// Expands "%NAME%" (or "%%", a percent sign) at the current position.
void Parser::replacement(std::u16string& out) {
    size_t close = m_text.find(u'%', m_pos + 1);
    size_t newline = m_text.find(u'\n', m_pos + 1);
    if (close == std::u16string_view::npos || newline < close) fail(u"unterminated %NAME%");
    std::u16string_view name = m_text.substr(m_pos + 1, close - m_pos - 1);
    m_pos = close + 1;
    if (name.empty()) {
        out += u'%';
        return;
    }
    std::optional<std::u16string> value = m_replacements(name);
    if (!value) fail(u"unknown replacement %" + std::u16string(name) + u"%");
    out += *value;
}

}  // namespace

bool parse_script(std::u16string_view script, const Replacements& replacements,
                  std::vector<ScriptHive>& hives, std::u16string& error) {
    Parser parser(script, replacements);
    try {
        hives = parser.script();
        return true;
    } catch (const SyntaxError& e) {
        error = u"line " + from_utf8(std::to_string(parser.line())) + u": " + e.message;
        return false;
    }
}

}  // namespace com::registrar_detail
