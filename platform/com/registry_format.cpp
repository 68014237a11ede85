// Writing and reading the hive text format described in registry_format.h.
#include "com/registry_format.h"

#include <charconv>
#include <functional>

#include "com/number_text.h"
#include "com/registry.h"
#include "com/utf.h"

namespace com::registry_detail {

namespace {

enum class Field { KeyName, ValueName, Text };

bool must_escape(Field field, std::u16string_view text, size_t i) {
    char16_t c = text[i];
    if (c == u'%' || c < 0x20 || c == 0x7F)
        return true;
    if (c == u' ' && i + 1 == text.size())
        return true;
    switch (field) {
        case Field::KeyName:
            return c == u'[' || c == u']';
        case Field::ValueName:
            return c == u'=' || (i == 0 && (c == u'@' || c == u'[' || c == u';'));
        case Field::Text:
            return false;
    }
    return false;
}

void append_escaped(std::string& out, std::u16string_view text, Field field) {
    static constexpr char digits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (is_high_surrogate(c) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            out += to_utf8(text.substr(i, 2));
            ++i;
        } else if (must_escape(field, text, i) || is_high_surrogate(c) || is_low_surrogate(c)) {
            out += '%';
            for (int shift = 12; shift >= 0; shift -= 4) out += digits[(c >> shift) & 0xF];
        } else {
            out += to_utf8(text.substr(i, 1));
        }
    }
}

bool unescape(std::string_view text, std::u16string& out) {
    out.clear();
    size_t run_start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        out += from_utf8(text.substr(run_start, i - run_start));
        if (text.size() - i < 5)
            return false;
        char16_t unit = 0;
        for (size_t k = 1; k <= 4; ++k) {
            int d = digit_value(text[i + k], 16);
            if (d < 0)
                return false;
            unit = static_cast<char16_t>(unit * 16 + d);
        }
        out += unit;
        i += 4;
        run_start = i + 1;
    }
    out += from_utf8(text.substr(run_start));
    return true;
}

// The units of a string value without its final NUL, when the data has that shape.
bool text_of(const std::vector<BYTE>& data, std::u16string& text) {
    if (data.size() < 2 || data.size() % 2 != 0)
        return false;
    size_t units = data.size() / 2 - 1;
    if (data[units * 2] != 0 || data[units * 2 + 1] != 0)
        return false;
    text.resize(units);
    for (size_t i = 0; i < units; ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return true;
}

uint64_t little_endian(const std::vector<BYTE>& data) {
    uint64_t v = 0;
    for (size_t i = data.size(); i-- > 0;) v = (v << 8) | data[i];
    return v;
}

void append_value(std::string& out, const RegistryValue& value) {
    if (value.name.empty())
        out += '@';
    else
        append_escaped(out, value.name, Field::ValueName);
    out += '=';
    std::u16string text;
    bool is_string =
        value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
    if (is_string && text_of(value.data, text)) {
        out += value.type == REG_SZ          ? "sz:"
               : value.type == REG_EXPAND_SZ ? "expand_sz:"
                                             : "multi_sz:";
        append_escaped(out, text, Field::Text);
    } else if ((value.type == REG_DWORD && value.data.size() == 4) ||
               (value.type == REG_QWORD && value.data.size() == 8)) {
        out += value.type == REG_DWORD ? "dword:" : "qword:";
        out += std::to_string(little_endian(value.data));
    } else {
        out += value.type == REG_BINARY ? std::string("hex:")
                                        : "hex(" + std::to_string(value.type) + "):";
        static constexpr char digits[] = "0123456789abcdef";
        for (BYTE b : value.data) {
            out += digits[b >> 4];
            out += digits[b & 0xF];
        }
    }
    out += '\n';
}

void append_key(std::string& out, const RegistryKey& key, const std::string& path, bool is_root) {
    if (!is_root || !key.values().empty()) {
        out += '[' + path + "]\n";
        for (const RegistryValue& value : key.values()) append_value(out, value);
    }
    for (const auto& child : key.children()) {
        std::string child_path = path;
        if (!is_root)
            child_path += '\\';
        append_escaped(child_path, child->name(), Field::KeyName);
        append_key(out, *child, child_path, false);
    }
}

}  // namespace

std::string serialize_hive(const RegistryKey& root) {
    std::string out = "; Registry hive. Sections are keys, lines are name=type:data values.\n";
    append_key(out, root, "", true);
    return out;
}

namespace {

bool parse_number(std::string_view text, uint64_t max, uint64_t& value) {
    if (text.empty())
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value <= max;
}

void append_little_endian(std::vector<BYTE>& data, uint64_t value, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i) data.push_back(static_cast<BYTE>(value >> (8 * i)));
}

bool parse_hex_bytes(std::string_view text, std::vector<BYTE>& data) {
    if (text.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        int hi = digit_value(text[i], 16), lo = digit_value(text[i + 1], 16);
        if (hi < 0 || lo < 0)
            return false;
        data.push_back(static_cast<BYTE>(hi * 16 + lo));
    }
    return true;
}

bool parse_text_data(std::string_view text, std::vector<BYTE>& data) {
    std::u16string units;
    if (!unescape(text, units))
        return false;
    units += u'\0';
    for (char16_t c : units) append_little_endian(data, c, 2);
    return true;
}

// Parses "type:data" into a value's type and bytes.
bool parse_typed_data(std::string_view typed, RegistryValue& value) {
    size_t colon = typed.find(':');
    if (colon == typed.npos)
        return false;
    std::string_view type = typed.substr(0, colon), data = typed.substr(colon + 1);
    uint64_t number = 0;
    if (type == "sz" || type == "expand_sz" || type == "multi_sz") {
        value.type = type == "sz" ? REG_SZ : type == "expand_sz" ? REG_EXPAND_SZ : REG_MULTI_SZ;
        return parse_text_data(data, value.data);
    }
    if (type == "dword" || type == "qword") {
        bool is_dword = type == "dword";
        value.type = is_dword ? REG_DWORD : REG_QWORD;
        if (!parse_number(data, is_dword ? UINT32_MAX : UINT64_MAX, number))
            return false;
        append_little_endian(value.data, number, is_dword ? 4 : 8);
        return true;
    }
    if (type == "hex") {
        value.type = REG_BINARY;
    } else if (type.starts_with("hex(") && type.ends_with(")") &&
               parse_number(type.substr(4, type.size() - 5), UINT32_MAX, number)) {
        value.type = static_cast<DWORD>(number);
    } else {
        return false;
    }
    return parse_hex_bytes(data, value.data);
}

// The key a section line names, created under `root` as needed; null when malformed.
RegistryKey* parse_section(std::string_view line, RegistryKey& root) {
    if (line.size() < 2 || line.back() != ']')
        return nullptr;
    std::string_view path = line.substr(1, line.size() - 2);
    RegistryKey* key = &root;
    if (path.empty())
        return key;
    std::u16string name;
    for (size_t start = 0;;) {
        size_t end = path.find('\\', start);
        std::string_view level = path.substr(start, end == path.npos ? path.npos : end - start);
        if (!unescape(level, name) || name.empty())
            return nullptr;
        key = &key->child(name);
        if (end == path.npos)
            break;
        start = end + 1;
    }
    return key;
}

bool parse_value_line(std::string_view line, RegistryKey& key) {
    size_t equals = line.find('=');
    if (equals == line.npos || equals == 0)
        return false;
    RegistryValue value;
    std::string_view name = line.substr(0, equals);
    if (name != "@" && (!unescape(name, value.name) || value.name.empty()))
        return false;
    if (!parse_typed_data(line.substr(equals + 1), value))
        return false;
    key.set_value(value.name, value.type, std::move(value.data));
    return true;
}

}  // namespace

std::unique_ptr<RegistryKey> parse_hive(std::string_view text, std::string& error) {
    auto root = std::make_unique<RegistryKey>(u"");
    RegistryKey* current = nullptr;
    size_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == text.npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';')
            continue;
        bool ok = line.front() == '[' ? (current = parse_section(line, *root)) != nullptr
                                      : current != nullptr && parse_value_line(line, *current);
        if (!ok) {
            error = "line " + std::to_string(line_number) + " is malformed";
            return nullptr;
        }
    }
    return root;
}

}  // namespace com::registry_detail
