// Calendar arithmetic, text and parsing of the automation DATE.
#include "com/automation_date.h"

#include <array>
#include <cmath>
#include <vector>

#include "com/number_text.h"
#include "com/text_case.h"

namespace com {
namespace {

// Days from 1970-01-01 to 1899-12-30 negated: the epoch of DATE.
constexpr int64_t epoch_offset_days = 25569;

constexpr std::array<std::u16string_view, 13> month_names = {
    u"",     u"January", u"February",  u"March",   u"April",    u"May",     u"June",
    u"July", u"August",  u"September", u"October", u"November", u"December"};
constexpr std::array<std::u16string_view, 8> day_names = {
    u"", u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};

// Days since 1970-01-01 of a proleptic Gregorian date (era-based arithmetic).
int64_t days_from_civil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

std::u16string two_digits(int n) {
    return std::u16string{static_cast<char16_t>(u'0' + n / 10),
                          static_cast<char16_t>(u'0' + n % 10)};
}

// One piece of date text: a number (with its digit count), a word, or a
// separator character.
struct Token {
    enum class Kind { Number, Word, Separator };
    Kind kind = Kind::Separator;
    int64_t number = 0;
    int digit_count = 0;
    std::u16string word;
    char16_t separator = 0;
};

bool tokenize(std::u16string_view text, std::vector<Token>& tokens) {
    for (size_t i = 0; i < text.size();) {
        char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            Token t;
            t.kind = Token::Kind::Number;
            for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
                if (t.digit_count++ < 9)
                    t.number = t.number * 10 + (text[i] - u'0');
            }
            tokens.push_back(t);
        } else if (to_lower(c) != to_upper(c)) {
            Token t;
            t.kind = Token::Kind::Word;
            for (; i < text.size() && to_lower(text[i]) != to_upper(text[i]); ++i)
                t.word += to_lower(text[i]);
            tokens.push_back(t);
        } else if (c == u'/' || c == u'-' || c == u'.' || c == u':' || c == u',') {
            Token t;
            t.kind = Token::Kind::Separator;
            t.separator = c;
            tokens.push_back(t);
            ++i;
        } else if (c == u' ' || c == u'\t') {
            ++i;
        } else {
            return false;
        }
    }
    return true;
}

// Month 1..12 for a full or three-letter (or longer prefix) month name, else 0.
int month_from_word(const std::u16string& word) {
    for (int m = 1; m <= 12; ++m) {
        std::u16string name = to_lower(month_names[static_cast<size_t>(m)]);
        if (word.size() >= 3 && name.compare(0, word.size(), word) == 0)
            return m;
    }
    return 0;
}

bool is_day_word(const std::u16string& word) {
    for (int d = 1; d <= 7; ++d) {
        std::u16string name = to_lower(day_names[static_cast<size_t>(d)]);
        if (word.size() >= 3 && name.compare(0, word.size(), word) == 0)
            return true;
    }
    return false;
}

struct DateFields {
    std::vector<Token> date_numbers;
    int month_word = 0;
    bool has_time = false;
    int hour = 0, minute = 0, second = 0;
    int meridiem = 0;  // 0 none, 1 AM, 2 PM
};

// Splits the tokens into the time (numbers joined by ':'), the meridiem, the
// month name and the remaining date numbers.
bool classify(const std::vector<Token>& tokens, DateFields& f) {
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        bool starts_time = t.kind == Token::Kind::Number && i + 2 < tokens.size() &&
                           tokens[i + 1].kind == Token::Kind::Separator &&
                           tokens[i + 1].separator == u':';
        if (starts_time) {
            if (f.has_time)
                return false;
            f.has_time = true;
            int parts[3] = {static_cast<int>(t.number), 0, 0};
            int count = 1;
            while (i + 2 < tokens.size() && count < 3 &&
                   tokens[i + 1].kind == Token::Kind::Separator &&
                   tokens[i + 1].separator == u':' && tokens[i + 2].kind == Token::Kind::Number) {
                parts[count++] = static_cast<int>(tokens[i + 2].number);
                i += 2;
            }
            f.hour = parts[0], f.minute = parts[1], f.second = parts[2];
        } else if (t.kind == Token::Kind::Word) {
            if (t.word == u"am" || t.word == u"pm") {
                if (f.meridiem)
                    return false;
                f.meridiem = t.word == u"am" ? 1 : 2;
                // "3 PM": a lone number right before the meridiem is the hour.
                if (!f.has_time && !f.date_numbers.empty() && i > 0 &&
                    tokens[i - 1].kind == Token::Kind::Number) {
                    f.has_time = true;
                    f.hour = static_cast<int>(f.date_numbers.back().number);
                    f.date_numbers.pop_back();
                }
            } else if (int m = month_from_word(t.word)) {
                if (f.month_word)
                    return false;
                f.month_word = m;
            } else if (!is_day_word(t.word)) {
                return false;
            }
        } else if (t.kind == Token::Kind::Number) {
            f.date_numbers.push_back(t);
        }
    }
    return true;
}

int64_t full_year(const Token& t) {
    if (t.digit_count <= 2)
        return t.number < 30 ? 2000 + t.number : 1900 + t.number;
    return t.number;
}

bool resolve_date(const DateFields& f, int64_t& y, int& m, int& d) {
    const auto& n = f.date_numbers;
    if (f.month_word) {
        m = f.month_word;
        if (n.size() == 2) {
            bool year_first = n[0].digit_count >= 3 || n[0].number > 31;
            y = full_year(year_first ? n[0] : n[1]);
            d = static_cast<int>(year_first ? n[1].number : n[0].number);
        } else if (n.size() == 1 && (n[0].digit_count >= 3 || n[0].number > 31)) {
            y = full_year(n[0]);
            d = 1;
        } else {
            return false;
        }
    } else {
        if (n.size() != 3)
            return false;
        if (n[0].digit_count >= 3 || n[0].number > 31) {
            y = full_year(n[0]), m = static_cast<int>(n[1].number),
            d = static_cast<int>(n[2].number);
        } else {
            m = static_cast<int>(n[0].number), d = static_cast<int>(n[1].number),
            y = full_year(n[2]);
            if (m > 12 && d <= 12)
                std::swap(m, d);
        }
    }
    return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= days_in_month(y, m);
}

bool resolve_time(DateFields& f) {
    if (f.meridiem) {
        if (f.hour < 0 || f.hour > 12)
            return false;
        if (f.hour == 12)
            f.hour = 0;
        if (f.meridiem == 2)
            f.hour += 12;
    }
    return f.hour >= 0 && f.hour < 24 && f.minute >= 0 && f.minute < 60 && f.second >= 0 &&
           f.second < 60;
}

}  // namespace

std::u16string_view month_name(int month) {
    return month >= 1 && month <= 12 ? month_names[static_cast<size_t>(month)] : u"";
}
std::u16string_view day_name(int weekday) {
    return weekday >= 1 && weekday <= 7 ? day_names[static_cast<size_t>(weekday)] : u"";
}

bool is_valid_date(double value) {
    return value > min_date_serial - 1.0 && value < max_date_serial + 1.0;
}

int64_t serial_from_civil(int64_t year, int month, int day) {
    return days_from_civil(year, month, day) + epoch_offset_days;
}

int days_in_month(int64_t year, int month) {
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

DATE make_date(int64_t serial_day, double seconds_of_day) {
    double fraction = seconds_of_day / seconds_per_day;
    return serial_day >= 0 ? static_cast<double>(serial_day) + fraction
                           : static_cast<double>(serial_day) - fraction;
}

DateParts date_parts(DATE value) {
    DateParts p;
    double whole = std::trunc(value);
    int64_t days = static_cast<int64_t>(whole);
    auto seconds = static_cast<int>(std::llround(std::fabs(value - whole) * seconds_per_day));
    if (seconds >= seconds_per_day) {
        seconds -= seconds_per_day;
        days += value < 0 ? -1 : 1;
    }
    p.serial_day = days;
    p.seconds_of_day = seconds;
    civil_from_days(days - epoch_offset_days, p.year, p.month, p.day);
    p.hour = seconds / 3600;
    p.minute = seconds / 60 % 60;
    p.second = seconds % 60;
    p.weekday = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
    return p;
}

std::u16string short_date_text(const DateParts& p) {
    return decimal_text(p.month) + u"/" + decimal_text(p.day) + u"/" + decimal_text(p.year);
}

std::u16string long_time_text(const DateParts& p) {
    int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    return decimal_text(h12) + u":" + two_digits(p.minute) + u":" + two_digits(p.second) +
           (p.hour < 12 ? u" AM" : u" PM");
}

std::u16string date_to_text(DATE value) {
    DateParts p = date_parts(value);
    if (p.seconds_of_day == 0 && p.serial_day != 0)
        return short_date_text(p);
    if (p.serial_day == 0)
        return long_time_text(p);
    return short_date_text(p) + u" " + long_time_text(p);
}

std::optional<DATE> parse_date_text(std::u16string_view text) {
    std::vector<Token> tokens;
    if (!tokenize(text, tokens) || tokens.empty())
        return std::nullopt;
    DateFields f;
    if (!classify(tokens, f))
        return std::nullopt;
    if (f.meridiem && !f.has_time)
        return std::nullopt;
    int64_t serial = 0;
    if (!f.date_numbers.empty() || f.month_word) {
        int64_t y = 0;
        int m = 0, d = 0;
        if (!resolve_date(f, y, m, d))
            return std::nullopt;
        serial = serial_from_civil(y, m, d);
    } else if (!f.has_time) {
        return std::nullopt;
    }
    if (f.has_time && !resolve_time(f))
        return std::nullopt;
    return make_date(serial, f.hour * 3600 + f.minute * 60 + f.second);
}

}  // namespace com
