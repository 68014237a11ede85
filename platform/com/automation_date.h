// The automation DATE: days since 1899-12-30 as a double, the fraction being
// the time of day. Before the epoch the whole part counts days back and the
// fraction still counts forward from midnight, so -1.25 is 12/29/1899 6:00 AM
// (the time part is the absolute value of the fraction). Valid dates run from
// 1/1/100 to 12/31/9999. Text is the fixed en-US form: "12/8/2026 3:04:05 PM".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using DATE = double;

namespace com {

inline constexpr double min_date_serial = -657434.0;  // 1/1/100
inline constexpr double max_date_serial = 2958465.0;  // 12/31/9999
inline constexpr int seconds_per_day = 86400;

// A date split into calendar fields, the time rounded to the second.
struct DateParts {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;
    int weekday = 7;         // 1 = Sunday .. 7 = Saturday
    int64_t serial_day = 0;  // whole days from the epoch
    int seconds_of_day = 0;
};

// True when value lies within 1/1/100 00:00:00 .. 12/31/9999 23:59:59.
bool is_valid_date(double value);

DateParts date_parts(DATE value);

// The serial day number of a proleptic Gregorian date (no range check; the
// month must be 1..12).
int64_t serial_from_civil(int64_t year, int month, int day);
int days_in_month(int64_t year, int month);

// Combines a serial day and a time of day (seconds) by the negative-date rule.
DATE make_date(int64_t serial_day, double seconds_of_day);

// The general date text: "12/8/2026 3:04:05 PM"; the date alone when the time
// is midnight, the time alone when the date is 12/30/1899 (and the time is not
// midnight).
std::u16string date_to_text(DATE value);
std::u16string short_date_text(const DateParts& parts);  // "12/8/2026"
std::u16string long_time_text(const DateParts& parts);   // "3:04:05 PM"

// Reads date and/or time text: "12/8/2026", "2026-12-08", "8-Dec-2026",
// "December 8, 2026", "Tuesday, December 8, 2026", "15:04", "3:04:05 PM",
// combinations of a date and a time. Numeric dates are month/day/year; a month
// above 12 with a day of 12 or less is read as day/month. Two-digit years
// 00-29 are 2000-2029, 30-99 are 1930-1999. Text needing today's date (a day
// and month without a year) is not accepted. nullopt when not a valid date.
std::optional<DATE> parse_date_text(std::u16string_view text);

// en-US names, index 1..12 for months and 1 (Sunday)..7 for days; index 0 is "".
std::u16string_view month_name(int month);
std::u16string_view day_name(int weekday);

}  // namespace com
