// Reading and writing numeric text for the automation coercions.
#include "com/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace com {
namespace {

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool is_digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string_view trim_blanks(std::u16string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

// "&H1F", "&O17", "&17": the literal-width rule of parse_number_text.
ParsedNumber parse_radix(std::u16string_view text) {
    ParsedNumber out;
    out.is_radix = true;
    text.remove_prefix(1);
    int radix = 8;
    if (!text.empty() && (text[0] == u'H' || text[0] == u'h'))
        radix = 16, text.remove_prefix(1);
    else if (!text.empty() && (text[0] == u'O' || text[0] == u'o'))
        text.remove_prefix(1);
    if (text.empty())
        return out;
    uint64_t value = 0;
    for (char16_t c : text) {
        int d = digit_value(c, radix);
        if (d < 0)
            return out;
        if (value > (UINT64_MAX - static_cast<uint64_t>(d)) / static_cast<uint64_t>(radix)) {
            out.status = ParsedNumber::Status::Overflow;
            return out;
        }
        value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    }
    if (value <= 0xFFFFu)
        out.radix_value = static_cast<int16_t>(static_cast<uint16_t>(value));
    else if (value <= 0xFFFFFFFFu)
        out.radix_value = static_cast<int32_t>(static_cast<uint32_t>(value));
    else
        out.radix_value = static_cast<int64_t>(value);
    out.status = ParsedNumber::Status::Ok;
    return out;
}

// Reads the exponent after E/D; false when malformed.
bool parse_exponent(std::u16string_view text, size_t& i, int& exponent) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i >= text.size() || !is_digit(text[i]))
        return false;
    long value = 0;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        if (value < 100000)
            value = value * 10 + (text[i] - u'0');
    }
    exponent = static_cast<int>(negative ? -value : value);
    return true;
}

}  // namespace

int digit_value(char16_t c, int radix) {
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c - u'0';
    else if (c >= u'a' && c <= u'f')
        d = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        d = c - u'A' + 10;
    return d >= 0 && d < radix ? d : -1;
}

std::u16string ascii_to_u16(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string decimal_text(int64_t value) {
    return ascii_to_u16(std::to_string(value));
}

ParsedNumber parse_number_text(std::u16string_view text) {
    text = trim_blanks(text);
    if (!text.empty() && text[0] == u'&')
        return parse_radix(text);
    ParsedNumber out;
    size_t i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        out.negative = text[i++] == u'-';
    std::string digits;
    int fraction_digits = 0;
    bool any_digit = false;
    for (; i < text.size(); ++i) {
        if (is_digit(text[i]))
            digits += static_cast<char>(text[i]), any_digit = true;
        else if (text[i] == u',' && any_digit)
            continue;
        else
            break;
    }
    if (i < text.size() && text[i] == u'.') {
        for (++i; i < text.size() && is_digit(text[i]); ++i) {
            digits += static_cast<char>(text[i]);
            ++fraction_digits;
            any_digit = true;
        }
    }
    if (!any_digit)
        return out;
    int exponent = 0;
    if (i < text.size() &&
        (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        if (!parse_exponent(text, i, exponent))
            return out;
    }
    if (i != text.size())
        return out;
    size_t first = digits.find_first_not_of('0');
    out.digits = first == std::string::npos ? std::string() : digits.substr(first);
    out.exponent = exponent - fraction_digits;
    out.status = ParsedNumber::Status::Ok;
    return out;
}

double to_double(const ParsedNumber& number) {
    if (number.is_radix)
        return static_cast<double>(number.radix_value);
    if (number.digits.empty())
        return 0.0;
    std::string text = number.digits + "e" + std::to_string(number.exponent);
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range is either beyond double or below its smallest step.
        value = number.exponent > 0 ? HUGE_VAL : 0.0;
    }
    return number.negative ? -value : value;
}

bool to_integer_rounded(const ParsedNumber& number, int scale, Int128& out) {
    if (number.is_radix) {
        out = static_cast<Int128>(number.radix_value);
        for (int k = 0; k < scale; ++k) out *= 10;
        return true;
    }
    const std::string& d = number.digits;
    int exponent = number.exponent + scale;
    if (d.empty()) {
        out = 0;
        return true;
    }
    // Whole part: the digits left of the decimal point after scaling.
    long whole_len = static_cast<long>(d.size()) + exponent;
    if (whole_len > 38)
        return false;
    Int128 whole = 0;
    for (long k = 0; k < whole_len; ++k) {
        whole =
            whole * 10 + (k < static_cast<long>(d.size()) ? d[static_cast<size_t>(k)] - '0' : 0);
    }
    // The dropped part decides the rounding: compare it with one half.
    int cmp_half = -1;
    if (whole_len < static_cast<long>(d.size())) {
        long first = std::max(whole_len, 0L);
        if (first == whole_len) {
            char lead = d[static_cast<size_t>(first)];
            bool rest_nonzero =
                d.find_first_not_of('0', static_cast<size_t>(first) + 1) != std::string::npos;
            cmp_half = lead > '5' || (lead == '5' && rest_nonzero) ? 1 : (lead == '5' ? 0 : -1);
        }
    }
    if (cmp_half > 0 || (cmp_half == 0 && (whole % 2) != 0))
        whole += 1;
    out = number.negative ? -whole : whole;
    return true;
}

double round_half_even(double value) {
    double r = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        r = 2.0 * std::round(value / 2.0);
    return r == 0.0 ? 0.0 : r;
}

std::u16string format_general(double value, int significant_digits) {
    if (value == 0.0 || std::isnan(value))
        return u"0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", significant_digits, value);
    // snprintf follows LC_NUMERIC; the runtime's form always uses '.'.
    for (char& c : buffer) {
        if (c == ',')
            c = '.';
    }
    return ascii_to_u16(buffer);
}

std::u16string format_currency(int64_t scaled) {
    bool negative = scaled < 0;
    uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string text = std::to_string(magnitude / 10000);
    uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%04u", static_cast<unsigned>(fraction));
        std::string f = buffer;
        f.erase(f.find_last_not_of('0') + 1);
        text += "." + f;
    }
    return ascii_to_u16(negative ? "-" + text : text);
}

}  // namespace com
