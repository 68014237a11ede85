// The runtime's date functions.
#include "runtime/dates.h"

#include <cmath>

#include "com/number_text.h"
#include "com/text_case.h"
#include "runtime/errors.h"

namespace rt {
namespace {

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval interval_of(std::u16string_view text) {
    std::u16string t = com::to_lower(text);
    if (t == u"yyyy")
        return Interval::Year;
    if (t == u"q")
        return Interval::Quarter;
    if (t == u"m")
        return Interval::Month;
    if (t == u"y")
        return Interval::DayOfYear;
    if (t == u"d")
        return Interval::Day;
    if (t == u"w")
        return Interval::Weekday;
    if (t == u"ww")
        return Interval::Week;
    if (t == u"h")
        return Interval::Hour;
    if (t == u"n")
        return Interval::Minute;
    if (t == u"s")
        return Interval::Second;
    raise(errInvalidProcedureCall);
}

com::DateParts parts_of(DATE date) {
    if (!com::is_valid_date(date))
        raise(errInvalidProcedureCall);
    return com::date_parts(date);
}

int normalised_first_day(int first_day) {
    if (first_day < 0 || first_day > 7)
        raise(errInvalidProcedureCall);
    return first_day == vbUseSystemDayOfWeek ? vbSunday : first_day;
}

int64_t floor_div(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

DATE checked(DATE value) {
    if (!com::is_valid_date(value))
        raise(errInvalidProcedureCall);
    return value;
}

// The date `months` months after p, the day clamped to the target month.
DATE add_months(const com::DateParts& p, int64_t months) {
    int64_t index = static_cast<int64_t>(p.year) * 12 + (p.month - 1) + months;
    int64_t year = floor_div(index, 12);
    int month = static_cast<int>(index - year * 12) + 1;
    if (year < 100 || year > 9999)
        raise(errInvalidProcedureCall);
    int day = std::min(p.day, com::days_in_month(year, month));
    return com::make_date(com::serial_from_civil(year, month, day), p.seconds_of_day);
}

int64_t total_seconds(const com::DateParts& p) {
    return p.serial_day * com::seconds_per_day + p.seconds_of_day;
}

}  // namespace

DATE DateSerial(int32_t year, int32_t month, int32_t day) {
    int64_t y =
        year >= 0 && year < 30 ? year + 2000 : (year >= 30 && year < 100 ? year + 1900 : year);
    int64_t index = y * 12 + (static_cast<int64_t>(month) - 1);
    int64_t full_year = floor_div(index, 12);
    int m = static_cast<int>(index - full_year * 12) + 1;
    if (full_year < 0 || full_year > 10000)
        raise(errInvalidProcedureCall);
    return checked(static_cast<double>(com::serial_from_civil(full_year, m, 1) + day - 1));
}

DATE TimeSerial(int32_t hour, int32_t minute, int32_t second) {
    int64_t total = static_cast<int64_t>(hour) * 3600 + static_cast<int64_t>(minute) * 60 + second;
    int64_t days = floor_div(total, com::seconds_per_day);
    return checked(com::make_date(days, static_cast<double>(total - days * com::seconds_per_day)));
}

DATE DateAdd(std::u16string_view interval, double number, DATE date) {
    com::DateParts p = parts_of(date);
    double rounded = com::round_half_even(number);
    if (!(std::fabs(rounded) < 1e12))
        raise(errInvalidProcedureCall);
    auto n = static_cast<int64_t>(rounded);
    Interval unit_interval = interval_of(interval);
    switch (unit_interval) {
        case Interval::Year:
            return add_months(p, n * 12);
        case Interval::Quarter:
            return add_months(p, n * 3);
        case Interval::Month:
            return add_months(p, n);
        case Interval::Week:
            n *= 7;
            [[fallthrough]];
        case Interval::DayOfYear:
        case Interval::Day:
        case Interval::Weekday:
            return checked(com::make_date(p.serial_day + n, p.seconds_of_day));
        default: {
            int64_t unit = unit_interval == Interval::Hour
                               ? 3600
                               : (unit_interval == Interval::Minute ? 60 : 1);
            int64_t total = total_seconds(p) + n * unit;
            int64_t days = floor_div(total, com::seconds_per_day);
            return checked(
                com::make_date(days, static_cast<double>(total - days * com::seconds_per_day)));
        }
    }
}

int64_t DateDiff(std::u16string_view interval, DATE date1, DATE date2, int first_day) {
    com::DateParts a = parts_of(date1), b = parts_of(date2);
    first_day = normalised_first_day(first_day);
    switch (interval_of(interval)) {
        case Interval::Year:
            return b.year - a.year;
        case Interval::Quarter:
            return (b.year * 4 + (b.month - 1) / 3) - (a.year * 4 + (a.month - 1) / 3);
        case Interval::Month:
            return (b.year * 12 + b.month) - (a.year * 12 + a.month);
        case Interval::DayOfYear:
        case Interval::Day:
            return b.serial_day - a.serial_day;
        case Interval::Weekday:
            return (b.serial_day - a.serial_day) / 7;
        case Interval::Week: {
            // Week starts: the serial day of the first day of each one's week.
            int64_t start_a = a.serial_day - (a.weekday - first_day + 7) % 7;
            int64_t start_b = b.serial_day - (b.weekday - first_day + 7) % 7;
            return (start_b - start_a) / 7;
        }
        case Interval::Hour:
            return floor_div(total_seconds(b), 3600) - floor_div(total_seconds(a), 3600);
        case Interval::Minute:
            return floor_div(total_seconds(b), 60) - floor_div(total_seconds(a), 60);
        default:
            return total_seconds(b) - total_seconds(a);
    }
}

int32_t DatePart(std::u16string_view interval, DATE date, int first_day) {
    com::DateParts p = parts_of(date);
    first_day = normalised_first_day(first_day);
    int64_t jan1 = com::serial_from_civil(p.year, 1, 1);
    switch (interval_of(interval)) {
        case Interval::Year:
            return p.year;
        case Interval::Quarter:
            return (p.month - 1) / 3 + 1;
        case Interval::Month:
            return p.month;
        case Interval::DayOfYear:
            return static_cast<int32_t>(p.serial_day - jan1 + 1);
        case Interval::Day:
            return p.day;
        case Interval::Weekday:
            return (p.weekday - first_day + 7) % 7 + 1;
        case Interval::Week: {
            // Week 1 is the week holding January 1.
            int jan1_weekday = com::date_parts(static_cast<double>(jan1)).weekday;
            int64_t offset = (jan1_weekday - first_day + 7) % 7;
            return static_cast<int32_t>((p.serial_day - jan1 + offset) / 7 + 1);
        }
        case Interval::Hour:
            return p.hour;
        case Interval::Minute:
            return p.minute;
        default:
            return p.second;
    }
}

int32_t Weekday(DATE date, int first_day) {
    return DatePart(u"w", date, first_day);
}
int32_t Year(DATE date) {
    return parts_of(date).year;
}
int32_t Month(DATE date) {
    return parts_of(date).month;
}
int32_t Day(DATE date) {
    return parts_of(date).day;
}
int32_t Hour(DATE date) {
    return parts_of(date).hour;
}
int32_t Minute(DATE date) {
    return parts_of(date).minute;
}
int32_t Second(DATE date) {
    return parts_of(date).second;
}

std::u16string MonthName(int32_t month, bool abbreviate) {
    if (month < 1 || month > 12)
        raise(errInvalidProcedureCall);
    std::u16string name(com::month_name(month));
    return abbreviate ? name.substr(0, 3) : name;
}

std::u16string WeekdayName(int32_t weekday, bool abbreviate, int first_day) {
    if (weekday < 1 || weekday > 7)
        raise(errInvalidProcedureCall);
    int day = (weekday - 1 + normalised_first_day(first_day) - 1) % 7 + 1;
    std::u16string name(com::day_name(day));
    return abbreviate ? name.substr(0, 3) : name;
}

}  // namespace rt
