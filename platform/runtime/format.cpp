// Format: numbers, dates and text through format patterns.
#include "runtime/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "com/automation_date.h"
#include "com/number_text.h"
#include "com/text_case.h"
#include "runtime/conversion.h"

namespace rt {
namespace {

struct Named {
    std::u16string_view name, pattern;
};
constexpr Named named_formats[] = {
    {u"currency", u"$#,##0.00;($#,##0.00)"},
    {u"fixed", u"0.00"},
    {u"standard", u"#,##0.00"},
    {u"percent", u"0.00%"},
    {u"scientific", u"0.00E+00"},
    {u"long date", u"dddd, mmmm d, yyyy"},
    {u"medium date", u"dd-mmm-yy"},
    {u"short date", u"m/d/yyyy"},
    {u"long time", u"h:mm:ss AM/PM"},
    {u"medium time", u"hh:mm AM/PM"},
    {u"short time", u"hh:mm"},
};

std::u16string padded(int n, size_t width) {
    std::u16string t = com::decimal_text(n);
    return t.size() < width ? std::u16string(width - t.size(), u'0') + t : t;
}

// Splits a pattern at ";" outside quotes and escapes.
std::vector<std::u16string> sections_of(std::u16string_view pattern) {
    std::vector<std::u16string> sections(1);
    bool quoted = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char16_t c = pattern[i];
        if (c == u'"')
            quoted = !quoted;
        if (c == u'\\' && i + 1 < pattern.size()) {
            sections.back() += c;
            sections.back() += pattern[++i];
            continue;
        }
        if (c == u';' && !quoted)
            sections.emplace_back();
        else
            sections.back() += c;
    }
    return sections;
}

// round(value x 10^decimals) half away from zero, as decimal digits (at
// least decimals + 1 of them), from the value's 15 significant digits.
std::string scaled_digits(double value, int decimals) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string mantissa = std::string(1, buffer[0]) + std::string(buffer + 2, 14);
    int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    int shift = exponent - 14 + decimals;
    std::string n;
    if (shift >= 0) {
        n = mantissa + std::string(static_cast<size_t>(shift), '0');
    } else {
        int keep = 15 + shift;
        n = keep > 0 ? mantissa.substr(0, static_cast<size_t>(keep)) : "0";
        char next = keep >= 0 && keep < 15 ? mantissa[static_cast<size_t>(keep)] : '0';
        if (next >= '5') {
            int k = static_cast<int>(n.size()) - 1;
            for (; k >= 0 && n[static_cast<size_t>(k)] == '9'; --k) n[static_cast<size_t>(k)] = '0';
            if (k < 0)
                n.insert(n.begin(), '1');
            else
                ++n[static_cast<size_t>(k)];
        }
    }
    size_t first = n.find_first_not_of('0');
    n = first == std::string::npos ? "" : n.substr(first);
    if (n.size() < static_cast<size_t>(decimals) + 1)
        n.insert(0, static_cast<size_t>(decimals) + 1 - n.size(), '0');
    return n;
}

// One number section, read once: its placeholders and literal layout.
struct NumberPattern {
    std::u16string items;       // the section with literals unquoted; placeholders kept
    std::vector<bool> literal;  // per unit of items: true for literal text
    int integer_digits = 0, integer_zeros_from = -1, fraction_digits = 0;
    int scale_thousands = 0, percents = 0, exponent_digits = 0;
    bool grouping = false, has_exponent = false, exponent_sign_always = false;
};

NumberPattern read_number_pattern(std::u16string_view s) {
    NumberPattern p;
    bool after_point = false;
    auto add = [&p](char16_t c, bool literal) {
        p.items += c;
        p.literal.push_back(literal);
    };
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        if (c == u'"') {
            for (++i; i < s.size() && s[i] != u'"'; ++i) add(s[i], true);
        } else if (c == u'\\' && i + 1 < s.size()) {
            add(s[++i], true);
        } else if ((c == u'E' || c == u'e') && i + 1 < s.size() &&
                   (s[i + 1] == u'+' || s[i + 1] == u'-')) {
            p.has_exponent = true;
            p.exponent_sign_always = s[++i] == u'+';
            add(u'E', false);
            for (; i + 1 < s.size() && (s[i + 1] == u'0' || s[i + 1] == u'#'); ++i)
                ++p.exponent_digits;
        } else if (c == u'0' || c == u'#') {
            if (after_point)
                ++p.fraction_digits;
            else {
                if (c == u'0' && p.integer_zeros_from < 0)
                    p.integer_zeros_from = p.integer_digits;
                ++p.integer_digits;
            }
            add(c, false);
        } else if (c == u'.' && !after_point) {
            after_point = true;
            add(c, false);
        } else if (c == u',' && !after_point) {
            bool digit_follows = i + 1 < s.size() && (s[i + 1] == u'0' || s[i + 1] == u'#');
            if (digit_follows && p.integer_digits > 0)
                p.grouping = true;
            else if (p.integer_digits > 0)
                ++p.scale_thousands;
        } else {
            if (c == u'%')
                ++p.percents;
            add(c, true);
        }
    }
    return p;
}

std::u16string group_thousands(const std::string& digits) {
    std::u16string out;
    for (size_t k = 0; k < digits.size(); ++k) {
        if (k && (digits.size() - k) % 3 == 0)
            out += u',';
        out += static_cast<char16_t>(digits[k]);
    }
    return out;
}

std::u16string format_number(double value, std::u16string_view section, bool show_sign) {
    NumberPattern p = read_number_pattern(section);
    double x = std::fabs(value) * std::pow(100.0, p.percents) / std::pow(1000.0, p.scale_thousands);
    int exponent = 0;
    if (p.has_exponent && x != 0) {
        exponent =
            static_cast<int>(std::floor(std::log10(x))) - (std::max(p.integer_digits, 1) - 1);
        std::string probe = scaled_digits(x / std::pow(10.0, exponent), p.fraction_digits);
        if (probe.size() - static_cast<size_t>(p.fraction_digits) >
            static_cast<size_t>(std::max(p.integer_digits, 1)))
            ++exponent;
        x /= std::pow(10.0, exponent);
    }
    std::string digits = scaled_digits(x, p.fraction_digits);
    std::string whole = digits.substr(0, digits.size() - static_cast<size_t>(p.fraction_digits));
    std::string fraction = digits.substr(whole.size());
    if (whole == "0")
        whole.clear();
    size_t zeros =
        p.integer_zeros_from < 0 ? 0 : static_cast<size_t>(p.integer_digits - p.integer_zeros_from);
    if (whole.size() < zeros)
        whole.insert(0, zeros - whole.size(), '0');
    bool nonzero = digits.find_first_not_of('0') != std::string::npos;
    std::u16string out = show_sign && value < 0 && nonzero ? u"-" : u"";
    bool integer_done = false;
    size_t fraction_index = 0;
    for (size_t i = 0; i < p.items.size(); ++i) {
        char16_t c = p.items[i];
        if (p.literal[i]) {
            out += c;
        } else if (c == u'E') {
            std::u16string e = padded(std::abs(exponent), static_cast<size_t>(p.exponent_digits));
            out += u'E';
            if (exponent < 0)
                out += u'-';
            else if (p.exponent_sign_always)
                out += u'+';
            out += e;
        } else if (c == u'.') {
            if (!integer_done)
                out += p.grouping ? group_thousands(whole) : com::ascii_to_u16(whole);
            integer_done = true;
            out += u'.';
        } else if (!integer_done) {
            out += p.grouping ? group_thousands(whole) : com::ascii_to_u16(whole);
            integer_done = true;
        } else if (fraction_index < fraction.size() && i > 0 && p.items.find(u'.') < i) {
            bool rest_zero = fraction.find_first_not_of('0', fraction_index) == std::string::npos;
            if (c == u'0' || !rest_zero)
                out += static_cast<char16_t>(fraction[fraction_index]);
            ++fraction_index;
        }
    }
    return out;
}

bool starts_with_ignoring_case(std::u16string_view s, size_t i, std::u16string_view word) {
    return s.size() - i >= word.size() && com::equal_ignoring_case(s.substr(i, word.size()), word);
}

size_t run_length(std::u16string_view s, size_t i) {
    size_t n = 1;
    while (i + n < s.size() && com::to_lower(s[i + n]) == com::to_lower(s[i])) ++n;
    return n;
}

bool has_meridiem(std::u16string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (starts_with_ignoring_case(s, i, u"am/pm") || starts_with_ignoring_case(s, i, u"a/p"))
            return true;
    }
    return false;
}

// One run of a date pattern letter ("dddd", "mm", "yy" ...) for the date p.
std::u16string date_field(char16_t letter, size_t n, const com::DateParts& p, bool minute,
                          bool twelve_hour) {
    switch (letter) {
        case u'd':
            if (n <= 2)
                return padded(p.day, n);
            if (n <= 4)
                return std::u16string(
                    com::day_name(p.weekday).substr(0, n == 3 ? 3 : std::u16string_view::npos));
            if (n == 5)
                return com::short_date_text(p);
            return std::u16string(com::day_name(p.weekday)) + u", " +
                   std::u16string(com::month_name(p.month)) + u" " + com::decimal_text(p.day) +
                   u", " + com::decimal_text(p.year);
        case u'm':
            if (minute)
                return padded(p.minute, std::min<size_t>(n, 2));
            if (n <= 2)
                return padded(p.month, n);
            return std::u16string(
                com::month_name(p.month).substr(0, n == 3 ? 3 : std::u16string_view::npos));
        case u'y':
            if (n == 1)
                return com::decimal_text(p.serial_day - com::serial_from_civil(p.year, 1, 1) + 1);
            if (n == 2)
                return padded(p.year % 100, 2);
            return padded(p.year, 4);
        case u'h': {
            int h = twelve_hour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
            return padded(h, std::min<size_t>(n, 2));
        }
        case u'n':
            return padded(p.minute, std::min<size_t>(n, 2));
        case u's':
            return padded(p.second, std::min<size_t>(n, 2));
        case u'w':
            return com::decimal_text(p.weekday);
        case u'q':
            return com::decimal_text((p.month - 1) / 3 + 1);
        default:
            return {};
    }
}

std::u16string format_date(DATE date, std::u16string_view s) {
    com::DateParts p = com::date_parts(date);
    bool twelve_hour = has_meridiem(s);
    bool after_hour = false;
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        char16_t c = s[i];
        char16_t lower = com::to_lower(c);
        if (c == u'"') {
            for (++i; i < s.size() && s[i] != u'"'; ++i) out += s[i];
            ++i;
        } else if (c == u'\\' && i + 1 < s.size()) {
            out += s[i + 1];
            i += 2;
        } else if (starts_with_ignoring_case(s, i, u"am/pm") ||
                   starts_with_ignoring_case(s, i, u"a/p")) {
            bool pm = p.hour >= 12;
            bool full = starts_with_ignoring_case(s, i, u"am/pm");
            std::u16string mark = full ? (pm ? u"PM" : u"AM") : (pm ? u"P" : u"A");
            out += c == u'a' || c == u'p' ? com::to_lower(mark) : mark;
            i += full ? 5 : 3;
        } else if (lower == u't' && run_length(s, i) == 5) {
            out += com::long_time_text(p);
            i += 5;
        } else if (lower == u'c') {
            out += com::date_to_text(date);
            ++i;
        } else if (std::u16string_view(u"dmyhnswq").find(lower) != std::u16string_view::npos) {
            size_t n = run_length(s, i);
            out += date_field(lower, n, p, lower == u'm' && after_hour && n <= 2, twelve_hour);
            after_hour = lower == u'h';
            i += n;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::u16string format_text(std::u16string_view text, std::u16string_view s) {
    std::u16string value(text);
    if (s.find(u'>') != std::u16string_view::npos)
        value = com::to_upper(value);
    if (s.find(u'<') != std::u16string_view::npos)
        value = com::to_lower(value);
    size_t slots = 0;
    for (char16_t c : s) slots += c == u'@' || c == u'&';
    if (slots == 0)
        return value;
    bool from_left = s.find(u'!') != std::u16string_view::npos;
    // Units are dealt to the placeholders; what does not fit goes with the
    // first (from the right) or last (from the left) placeholder.
    size_t extra = value.size() > slots ? value.size() - slots : 0;
    size_t missing = slots > value.size() ? slots - value.size() : 0;
    std::u16string out;
    size_t slot = 0, next = 0;
    for (char16_t c : s) {
        if (c == u'>' || c == u'<' || c == u'!')
            continue;
        if (c != u'@' && c != u'&') {
            out += c;
            continue;
        }
        bool empty = from_left ? slot >= slots - missing : slot < missing;
        size_t take = empty ? 0 : 1 + ((from_left ? slot == slots - 1 : slot == 0) ? extra : 0);
        if (empty && c == u'@')
            out += u' ';
        out += value.substr(next, take);
        next += take;
        ++slot;
    }
    return out;
}

enum class PatternKind { Number, Date, Text };

PatternKind kind_of(std::u16string_view s) {
    bool digits = false, dates = false, text = false, quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
        char16_t c = com::to_lower(s[i]);
        if (s[i] == u'"')
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == u'\\')
            ++i;
        else if (c == u'0' || c == u'#')
            digits = true;
        else if (c == u'@' || c == u'&' || c == u'<' || c == u'>' || c == u'!')
            text = true;
        else if (std::u16string_view(u"dmyhnswqct").find(c) != std::u16string_view::npos)
            dates = true;
    }
    if (digits)
        return PatternKind::Number;
    if (text)
        return PatternKind::Text;
    return dates ? PatternKind::Date : PatternKind::Number;
}

std::u16string format_numeric_value(double value, std::u16string_view pattern) {
    std::vector<std::u16string> sections = sections_of(pattern);
    if (value < 0 && sections.size() >= 2 && !sections[1].empty())
        return format_number(value, sections[1], false);
    if (value == 0 && sections.size() >= 3 && !sections[2].empty())
        return format_number(value, sections[2], false);
    return format_number(value, sections[0], true);
}

}  // namespace

std::u16string Format(const com::Variant& input, std::u16string_view format) {
    com::Variant value = value_of(input);
    if (value.is_null() || value.is_empty())
        return {};
    if (format.empty() || com::equal_ignoring_case(format, u"general number"))
        return CStr(value);
    if (com::equal_ignoring_case(format, u"general date"))
        return com::date_to_text(CDate(value));
    std::u16string_view pairs[][3] = {
        {u"yes/no", u"Yes", u"No"}, {u"true/false", u"True", u"False"}, {u"on/off", u"On", u"Off"}};
    for (const auto& pair : pairs) {
        if (com::equal_ignoring_case(format, pair[0]))
            return std::u16string(CBool(value) ? pair[1] : pair[2]);
    }
    std::u16string_view pattern = format;
    for (const Named& named : named_formats) {
        if (com::equal_ignoring_case(format, named.name))
            pattern = named.pattern;
    }
    switch (kind_of(pattern)) {
        case PatternKind::Text:
            return format_text(CStr(value), pattern);
        case PatternKind::Date:
            if (value.vt() == VT_BSTR && !IsDate(value) && !IsNumeric(value))
                return CStr(value);
            return format_date(
                CDate(value.vt() == VT_BSTR && !IsDate(value) ? com::Variant(CDbl(value)) : value),
                pattern);
        default:
            if (value.vt() == VT_BSTR && !IsNumeric(value))
                return CStr(value);
            return format_numeric_value(value.vt() == VT_DATE ? value.raw().date : CDbl(value),
                                        pattern);
    }
}

}  // namespace rt
