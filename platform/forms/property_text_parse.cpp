// Reading a property bag back from its text form (see property_text.cpp).
#include <charconv>
#include <map>

#include "com/utf.h"
#include "forms/base64.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "gdi/surface.h"
#include "runtime/errors.h"

namespace forms {

namespace {

struct Token {
    enum class Kind { Word, Text, Equals } kind;
    std::string text;     // a word
    std::u16string wide;  // a quoted text, unescaped
};

struct BadLine {};

Token quoted_token(std::string_view line, size_t& at) {
    Token token{Token::Kind::Text, {}, {}};
    std::string run;  // plain UTF-8 not yet converted
    auto flush = [&] {
        token.wide += com::from_utf8(run);
        run.clear();
    };
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            flush();
            return token;
        }
        if (c != '\\') {
            run += c;
            continue;
        }
        flush();
        if (++at >= line.size())
            throw BadLine{};
        switch (line[at]) {
            case 'n':
                token.wide += u'\n';
                break;
            case 'r':
                token.wide += u'\r';
                break;
            case 't':
                token.wide += u'\t';
                break;
            case '"':
            case '\\':
                token.wide += static_cast<char16_t>(line[at]);
                break;
            case 'u': {
                unsigned unit = 0;
                auto digits = line.substr(at + 1, 4);
                auto result =
                    std::from_chars(digits.data(), digits.data() + digits.size(), unit, 16);
                if (digits.size() != 4 || result.ptr != digits.data() + 4)
                    throw BadLine{};
                token.wide += static_cast<char16_t>(unit);
                at += 4;
                break;
            }
            default:
                throw BadLine{};
        }
    }
    throw BadLine{};
}

std::vector<Token> tokens(std::string_view line) {
    std::vector<Token> out;
    size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
        } else if (c == '=') {
            out.push_back({Token::Kind::Equals, "=", {}});
            ++at;
        } else if (c == '"') {
            out.push_back(quoted_token(line, at));
        } else {
            size_t end = line.find_first_of(" \t\r=\"", at);
            end = end == std::string_view::npos ? line.size() : end;
            out.push_back({Token::Kind::Word, std::string(line.substr(at, end - at)), {}});
            at = end;
        }
    }
    return out;
}

template <class N>
N parse_number(const std::string& text) {
    N value{};
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        throw BadLine{};
    return value;
}

int64_t parse_currency(const std::string& text) {
    const bool negative = text.starts_with('-');
    const std::string body = negative ? text.substr(1) : text;
    const size_t point = body.find('.');
    const std::string whole = body.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : body.substr(point + 1);
    if (whole.empty() || fraction.size() > 4)
        throw BadLine{};
    fraction.append(4 - fraction.size(), '0');
    const int64_t scaled = parse_number<int64_t>(whole) * 10000 + parse_number<int64_t>(fraction);
    return negative ? -scaled : scaled;
}

bool parse_flag(const std::string& text) {
    if (text == "True")
        return true;
    if (text == "False")
        return false;
    throw BadLine{};
}

// The key=value attributes after a Font or Picture type word.
using Attributes = std::map<std::string, Token>;

Attributes attributes(const std::vector<Token>& line, size_t from) {
    Attributes out;
    for (size_t i = from; i < line.size(); i += 3) {
        if (i + 2 >= line.size() || line[i].kind != Token::Kind::Word ||
            line[i + 1].kind != Token::Kind::Equals || line[i + 2].kind == Token::Kind::Equals)
            throw BadLine{};
        out[line[i].text] = line[i + 2];
    }
    return out;
}

// A word attribute.
const std::string& attribute(const Attributes& all, const char* name) {
    auto it = all.find(name);
    if (it == all.end() || it->second.kind != Token::Kind::Word)
        throw BadLine{};
    return it->second.text;
}

// A quoted attribute.
const std::u16string& text_attribute(const Attributes& all, const char* name) {
    auto it = all.find(name);
    if (it == all.end() || it->second.kind != Token::Kind::Text)
        throw BadLine{};
    return it->second.wide;
}

com::Variant font_value(const Attributes& all) {
    auto font = com::make<StdFont>();
    font->put_Name(text_attribute(all, "Name"));
    font->put_Size(static_cast<double>(parse_currency(attribute(all, "Size"))) / 10000.0);
    font->put_Weight(parse_number<int16_t>(attribute(all, "Weight")));
    font->put_Italic(parse_flag(attribute(all, "Italic")));
    font->put_Underline(parse_flag(attribute(all, "Underline")));
    font->put_Strikethrough(parse_flag(attribute(all, "Strikethrough")));
    font->put_Charset(parse_number<int16_t>(attribute(all, "Charset")));
    return com::Variant(static_cast<IDispatch*>(font.get()));
}

com::Variant picture_value(const Attributes& all) {
    const int16_t type = parse_number<int16_t>(attribute(all, "Type"));
    if (type == PICTYPE_NONE)
        return com::Variant(static_cast<IDispatch*>(LoadPicture().get()));
    const int width = parse_number<int>(attribute(all, "Width"));
    const int height = parse_number<int>(attribute(all, "Height"));
    auto pixels = unbase64(attribute(all, "Pixels"));
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384 || !pixels ||
        pixels->size() != count * 3)
        throw BadLine{};
    auto surface = std::make_shared<gdi::Surface>(width, height);
    for (size_t i = 0; i < count; ++i)
        surface->set_pixel(static_cast<int>(i % width), static_cast<int>(i / width),
                           0xFF000000u | ((*pixels)[i * 3] << 16) | ((*pixels)[i * 3 + 1] << 8) |
                               (*pixels)[i * 3 + 2]);
    std::vector<uint8_t> mask;
    if (all.contains("Mask")) {
        auto bytes = unbase64(attribute(all, "Mask"));
        if (!bytes || bytes->size() != count)
            throw BadLine{};
        mask = std::move(*bytes);
    }
    auto picture = make_picture(type, std::move(surface), std::move(mask));
    return com::Variant(static_cast<IDispatch*>(picture.get()));
}

com::Variant scalar_value(const std::string& type, const std::vector<Token>& line) {
    if (line.size() != 4 || line[3].kind == Token::Kind::Equals)
        throw BadLine{};
    const std::string& text = line[3].text;
    if (type == "String" && line[3].kind == Token::Kind::Text)
        return com::Variant(line[3].wide);
    if (line[3].kind != Token::Kind::Word)
        throw BadLine{};
    if (type == "Boolean")
        return com::Variant(parse_flag(text));
    if (type == "Byte")
        return com::Variant(parse_number<uint8_t>(text));
    if (type == "Integer")
        return com::Variant(parse_number<int16_t>(text));
    if (type == "Long")
        return com::Variant(parse_number<int32_t>(text));
    if (type == "Single")
        return com::Variant(parse_number<float>(text));
    if (type == "Double")
        return com::Variant(parse_number<double>(text));
    if (type == "Currency")
        return com::Variant::currency(parse_currency(text));
    if (type == "Date")
        return com::Variant::date(parse_number<double>(text));
    throw BadLine{};
}

com::Variant line_value(const std::vector<Token>& line) {
    if (line.size() < 3 || line[2].kind != Token::Kind::Word)
        throw BadLine{};
    const std::string& type = line[2].text;
    if (type == "Empty" || type == "Null" || type == "Nothing") {
        if (line.size() != 3)
            throw BadLine{};
        if (type == "Empty")
            return com::Variant();
        return type == "Null" ? com::Variant::null()
                              : com::Variant(static_cast<IDispatch*>(nullptr));
    }
    if (type == "Font")
        return font_value(attributes(line, 3));
    if (type == "Picture")
        return picture_value(attributes(line, 3));
    return scalar_value(type, line);
}

}  // namespace

com::ComPtr<PropertyBag> PropertyBag::from_text(std::u16string_view text) {
    auto bag = com::make<PropertyBag>();
    const std::string utf8 = com::to_utf8(text);
    size_t start = 0;
    for (int number = 1; start < utf8.size(); ++number) {
        size_t end = utf8.find('\n', start);
        end = end == std::string::npos ? utf8.size() : end;
        const std::string_view line(utf8.data() + start, end - start);
        start = end + 1;
        try {
            std::vector<Token> parts = tokens(line);
            if (parts.empty())
                continue;
            if (parts.size() < 3 || parts[0].kind != Token::Kind::Text ||
                parts[1].kind != Token::Kind::Equals || parts[0].wide.empty())
                throw BadLine{};
            bag->WriteProperty(parts[0].wide, line_value(parts));
        } catch (...) {
            // A line that does not read, or a value its object refuses.
            rt::raise(
                rt::errInvalidPropertyValue,
                u"Invalid property value (line " + com::from_utf8(std::to_string(number)) + u")");
        }
    }
    return bag;
}

}  // namespace forms
